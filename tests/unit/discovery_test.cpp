// Where the stores put the game: the KeyValues files Steam writes, its registry values and
// GOG's, and the one question per find that Scourix asks when no game folder is set.
#include <gtest/gtest.h>

#include "common/discovery/discovery.h"
#include "common/edition/game_args.h"
#include "config/mainwindow/main_window.h"
#include "tests/support/game_folder.h"

namespace {

using platform::Answer;
using platform::RegRoot;
using Names = std::vector<std::string>;

TEST(SteamLibraries, ReadAsSteamWritesThemAndAsEditorsLeaveThem) {
    const struct {
        const char* what;
        std::string vdf;
        Names libraries;
    } cases[] = {
        {"current layout, escapes, unknown keys and blocks",
         "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"C:\\\\Program Files "
         "(x86)\\\\Steam\"\n"
         "\t\t\"label\"\t\t\"my \\\"fast\\\" "
         "disk\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"273590\"\t\t\"1\"\n"
         "\t\t}\n\t}\n\t\"1\"\n\t{\n\t\t\"label\" \"{}\"\n\t\t\"PATH\"\t\t\"D:\\\\SteamLibrary\"\n"
         "\t}\n}\n",
         {"C:\\Program Files (x86)\\Steam", "D:\\SteamLibrary"}},
        {"older layout: the path is the entry's value",
         "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1\"\n\t\"ContentStatsID\"\t\t\"-"
         "1\"\n"
         "\t\"1\"\t\t\"E:\\\\Games\\\\Steam\"\n}\n",
         {"E:\\Games\\Steam"}},
        {"byte-order mark, comments, bare tokens, conditions",
         "\xEF\xBB\xBF// written by hand\nlibraryfolders { // the list\n 0 { path "
         "\"F:\\\\Lib\" [$WIN32] } 1 { path G:\\\\x } }",
         {"F:\\Lib", "G:\\\\x"}},
        {"cut off inside the second entry",
         "\"libraryfolders\" { \"0\" { \"path\" \"C:\\\\A\" } \"1\" { \"path\" \"D:\\\\B",
         {"C:\\A", "D:\\B"}},
        {"a brace where a key belongs ends the reading",
         "\"libraryfolders\" { \"0\" { \"path\" \"C:\\\\A\" } { \"1\" { \"path\" \"D:\\\\B\" } } }",
         {"C:\\A"}},
        {"no library list", "\"AppState\" { \"installdir\" \"Descent 3\" }", {}},
        {"an empty path names no library, in either layout",
         "\"libraryfolders\" { \"0\" { \"path\" \"\" } \"1\" \"\" \"2\" \"D:\\\\B\" }",
         {"D:\\B"}},
        {"single backslashes written by hand stay",
         "\"libraryfolders\" { \"0\" { \"path\" \"D:\\SteamLibrary\" } \"1\" { \"path\" "
         "\"D:\\tools\\new\\\\x\\\"y\" } }",
         {"D:\\SteamLibrary", "D:\\tools\\new\\x\"y"}},
        {"at most 64 libraries",
         [] {
             std::string s = "\"libraryfolders\" {";
             for (int i = 0; i < 16000; ++i) s += " \"" + std::to_string(i) + "\" \"D:\\\\L\"";
             return s + " }";
         }(),
         Names(64, "D:\\L")},
        {"nested deeper than the reader goes",
         [] {
             std::string s = "\"libraryfolders\" { \"0\" { \"path\" \"C:\\\\A\" } ";
             for (int i = 0; i < 100; ++i) s += "\"k\" { ";
             return s;
         }(),
         {"C:\\A"}},
    };
    for (const auto& c : cases) EXPECT_EQ(discovery::steamLibraries(c.vdf), c.libraries) << c.what;
}

TEST(HeroicGames, DescentThreeByTitleOrFolderNameFromWhatCanBeRead) {
    const struct {
        const char* what;
        std::string json;
        Names folders;
    } cases[] = {
        {"Heroic's layout: no title, the folder's name decides",
         "{\n  \"installed\": [\n    {\n      \"platform\": \"windows\",\n      \"executable\": "
         "\"\",\n"
         "      \"install_path\": \"/home/p/Games/Heroic/Descent 3/\",\n      \"install_size\": "
         "\"1.2 GiB\",\n      \"is_dlc\": false,\n      \"version\": null,\n      \"appName\": "
         "\"1\",\n      \"installedWithDLCs\": [1, {\"a\": [] }], \"n\": -1.5e3\n    },\n"
         "    { \"install_path\": \"/home/p/Games/Heroic/Descent 2\" }, {}\n  ]\n}\n",
         {"/home/p/Games/Heroic/Descent 3/"}},
        {"a title decides over the folder's name; escapes",
         "{\"installed\":[{\"title\":\"Descent 3 + Mercenary\",\"install_path\":\"\\/g\\/d3 "
         "\\u00e9\\ud83d\\ude00\\\"\"},{\"title\":\"Other\",\"install_path\":\"/g/Descent "
         "3\"}]}",
         {"/g/d3 \xc3\xa9\xf0\x9f\x98\x80\""}},
        {"cut off in the second entry",
         "{\"installed\":[{\"install_path\":\"/a/Descent 3\"},{\"install_path\":\"/b/Descent 3",
         {"/a/Descent 3"}},
        {"no JSON", "Descent 3", {}},
        {"nested deeper than the reader goes",
         "[{\"install_path\":\"/a/Descent 3\"}," + std::string(100000, '[') +
             "{\"install_path\":\"/b/Descent 3\"}",
         {"/a/Descent 3"}},
    };
    for (const auto& c : cases) EXPECT_EQ(discovery::heroicGames(c.json), c.folders) << c.what;
}

class Discovery : public ::testing::Test, public GameFolder {
  protected:
    Discovery() {
        program = "C:\\Scourix";
        fake.app.folder = program;
        fake.dialogs.programTitle = "scourix";
        fake.files.addFolder(program);
        ini["GamePath"] = "";
    }
    void reg(RegRoot root, const std::string& key, const std::string& name,
             const std::string& value) {
        fake.registry.createKey(root, key);
        fake.registry.setString(root, key, name, value);
    }
    // A Steam library holding the game under `dir`, with `program` in it ("" for none).
    void steamGame(const std::string& library, const std::string& dir, const std::string& exe) {
        fake.files.addFile(
            library + "\\steamapps\\appmanifest_273590.acf",
            "\"AppState\"\n{\n\t\"appid\"\t\t\"273590\"\n\t\"name\"\t\t\"Descent 3\"\n"
            "\t\"installdir\"\t\t\"" +
                dir + "\"\n\t\"UserConfig\" { }\n}\n");
        if (!exe.empty())
            fake.files.addFile(library + "\\steamapps\\common\\" + dir + "\\" + exe, "");
    }
    void gogGame(const std::string& id, const std::string& name, const std::string& folder,
                 const std::string& exe) {
        const std::string key = "SOFTWARE\\GOG.com\\Games\\" + id;
        reg(RegRoot::LocalMachine, key, "gameName", name);
        reg(RegRoot::LocalMachine, key, "path", folder);
        if (!exe.empty()) fake.files.addFile(folder + "\\" + exe, "");
    }
    // The folders Scourix offers when every question is answered No.
    Names offered() {
        writeSettings();
        scourix::MainWindow w(fake.platform);
        w.open();
        Names out;
        for (const auto& b : fake.dialogs.boxes) {
            EXPECT_EQ(b.buttons, platform::Buttons::YesNo);
            out.push_back(b.text);
        }
        EXPECT_EQ(w.d3path.text(), "");
        return out;
    }
    static std::string question(const std::string& folder) {
        return "Descent 3 found in:\n" + folder + "\n\nUse this folder?";
    }
};

TEST_F(Discovery, SteamAndGogInstallsAreOfferedOpenSourceFirstEachOnce) {
    // Steam as it registers itself: the user's value in lower case with forward slashes, the
    // machine's as installed; both name the same folder.
    reg(RegRoot::CurrentUser, "Software\\Valve\\Steam", "SteamPath", "c:/program files/steam");
    reg(RegRoot::LocalMachine, "SOFTWARE\\Valve\\Steam", "InstallPath", "C:\\Program Files\\Steam");
    fake.files.addFile(
        "C:\\Program Files\\Steam\\steamapps\\libraryfolders.vdf",
        "\"libraryfolders\" { \"0\" { \"path\" \"C:\\\\Program Files\\\\Steam\" }"
        " \"1\" { \"path\" \"D:\\\\SteamLibrary\\\\\" } \"2\" { \"path\" \"E:\\\\Empty\" } }");
    steamGame("C:\\Program Files\\Steam", "Descent 3", "Main.exe");
    steamGame("D:\\SteamLibrary", "Descent3 Piccu", "Descent3.exe");
    steamGame("E:\\Empty", "Descent 3", ""); // a manifest left behind without the game
    gogGame("1207658984", "Descent 3 + Mercenary", "C:\\GOG Games\\Descent 3", "main.exe");
    gogGame("1207658985", "Descent", "C:\\GOG Games\\Descent", "Descent.exe");
    gogGame("1207658986", "Descent 3", "C:\\Program Files\\Steam\\steamapps\\common\\Descent 3",
            "Main.exe");

    EXPECT_EQ(offered(), (Names{question("D:\\SteamLibrary\\steamapps\\common\\Descent3 Piccu"),
                                question("C:\\Program Files\\Steam\\steamapps\\common\\Descent 3"),
                                question("C:\\GOG Games\\Descent 3")}));
}

// What real Steam installations hold: one library under two drive letters or in two spellings
// of one folder, libraries listed in "config" too, Steam's own folder known only in lower case,
// and files that are no files of Steam's.
TEST_F(Discovery, EachFolderOnceAsTheFileSystemSpellsItFromFilesOfAnySize) {
    // Z: is H: again (one disk); where the file system cannot tell identity, its case rule
    // decides ("Игры" and "игры" are one name to it).
    struct Files : FakeFiles {
        std::optional<platform::FileInfo> info(const std::string& p) override {
            if (p.find("\xd0\xb3\xd1\x80\xd1\x8b") != std::string::npos)
                return std::nullopt; // "гры"
            std::string q = p;
            if (!q.empty() && (q[0] == 'Z' || q[0] == 'z')) q[0] = 'H';
            return FakeFiles::info(q);
        }
    } files;
    files.addFolder(program);
    platform::Platform p{files,         fake.shell, fake.registry,  fake.dialogs, fake.app,
                         fake.codepage, fake.keys,  fake.shortcuts, fake.host};
    reg(RegRoot::CurrentUser, "Software\\Valve\\Steam", "SteamPath",
        "c:/program files (x86)/steam");
    const std::string steam = "C:\\Program Files (x86)\\Steam",
                      games = "D:\\\xd0\x98\xd0\xb3\xd1\x80\xd1\x8b";
    files.addFile(steam + "\\steamapps\\libraryfolders.vdf",
                  "\"libraryfolders\" { \"0\" { \"path\" \"H:\\\\SteamLibrary\" } \"1\" { \"path\" "
                  "\"Z:\\\\SteamLibrary\" } \"2\" { \"path\" \"" +
                      games +
                      "\" } "
                      "\"3\" { \"path\" \"D:\\\\\xd0\xb8\xd0\xb3\xd1\x80\xd1\x8b\" } \"4\" { "
                      "\"path\" \"E:\\\\Big\" } }");
    files.addFile(steam + "\\config\\libraryfolders.vdf",
                  "\"libraryfolders\" { \"0\" { \"path\" \"F:\\\\Config\" } }");
    auto install = [&](const std::string& library, const std::string& dir) {
        files.addFile(library + "\\steamapps\\appmanifest_273590.acf",
                      "\"AppState\" { \"installdir\" \"" + dir + "\" }");
        files.addFile(library + "\\steamapps\\common\\" + dir + "\\Main.exe");
    };
    install(steam, "Descent 3");
    for (const char* l : {"H:\\SteamLibrary", "Z:\\SteamLibrary", "F:\\Config", "E:\\Big"})
        install(l, "Descent 3");
    install(games, "D3");
    install("D:\\\xd0\xb8\xd0\xb3\xd1\x80\xd1\x8b", "D3");
    // A manifest larger than any of Steam's is not read.
    files.addFile("E:\\Big\\steamapps\\appmanifest_273590.acf",
                  "\"AppState\" { \"installdir\" \"Descent 3\" }" +
                      std::string(discovery::kMaxFileBytes, ' '));
    // The Cyrillic library is found, but Windows-1252 settings cannot hold its name: a folder
    // saved as "D:\????" would not be the one found, so it is not offered.
    EXPECT_EQ(discovery::gameFolders(p), (Names{"H:\\SteamLibrary\\steamapps\\common\\Descent 3",
                                                "F:\\Config\\steamapps\\common\\Descent 3",
                                                steam + "\\steamapps\\common\\Descent 3"}));
    struct Cyrillic : platform::Codepage {
        std::string toUtf8(const std::string& a) override { return a; }
        std::string fromUtf8(const std::string& u) override { return u; }
    } cyrillic;
    platform::Platform held{files,    fake.shell, fake.registry,  fake.dialogs, fake.app,
                            cyrillic, fake.keys,  fake.shortcuts, fake.host};
    EXPECT_EQ(discovery::gameFolders(held).at(1), games + "\\steamapps\\common\\D3")
        << "a code page that holds the name";

    // Whatever goes wrong on the way ends the search, not the program.
    struct Throwing : FakeFiles {
        bool read(const std::string&, std::string&, std::uint64_t) override {
            throw std::bad_alloc();
        }
    } throwing;
    platform::Platform q{throwing,      fake.shell, fake.registry,  fake.dialogs, fake.app,
                         fake.codepage, fake.keys,  fake.shortcuts, fake.host};
    gogGame("1", "Descent 3", "C:\\GOG Games\\Descent 3", "");
    throwing.addFile("C:\\GOG Games\\Descent 3\\Main.exe");
    EXPECT_NO_THROW(discovery::gameFolders(q));
}

// On Linux: Steam's folders below the home folder, most of them links to one, a library on a
// disk that ignores case holding Steam's copy for Proton, and the GOG installs Heroic lists; only
// folders with the Linux program are offered.
TEST_F(Discovery, LinuxStoresBelowTheHomeFolderOfferTheLinuxGameOnly) {
    struct Files : FakeFiles {
        // ~/.steam/steam and ~/.steam/root link to ~/.local/share/Steam.
        static std::string resolve(std::string p) {
            for (const std::string link : {"/home/p/.steam/steam", "/home/p/.steam/root"})
                if (p.rfind(link, 0) == 0) p = "/home/p/.local/share/Steam" + p.substr(link.size());
            return p;
        }
        std::optional<platform::FileInfo> info(const std::string& p) override {
            return FakeFiles::info(resolve(p));
        }
        Presence presence(const std::string& p) override { return FakeFiles::presence(resolve(p)); }
        bool read(const std::string& p, std::string& bytes, std::uint64_t limit) override {
            return FakeFiles::read(resolve(p), bytes, limit);
        }
    } files;
    platform::Platform p{files,         fake.shell, fake.registry,  fake.dialogs, fake.app,
                         fake.codepage, fake.keys,  fake.shortcuts, fake.host};
    fake.host.kind = platform::System::Linux;
    fake.host.home = "/home/p";
    const std::string steam = "/home/p/.local/share/Steam",
                      flatpak = "/home/p/.var/app/com.valvesoftware.Steam/.local/share/Steam",
                      snap = "/home/p/snap/steam/common/.local/share/Steam";
    auto install = [&](const std::string& library, const std::string& dir, const char* exe) {
        files.addFile(library + "/steamapps/appmanifest_273590.acf",
                      "\"AppState\" { \"installdir\" \"" + dir + "\" }");
        files.addFile(library + "/steamapps/common/" + dir + "/" + exe);
    };
    files.addFile(steam + "/steamapps/libraryfolders.vdf",
                  "\"libraryfolders\" { \"0\" { \"path\" \"/home/p/.steam/steam\" } \"1\" { "
                  "\"path\" \"/mnt/games/SteamLibrary/\" } }");
    files.addFile(flatpak + "/steamapps/libraryfolders.vdf",
                  "\"libraryfolders\" { \"0\" { \"path\" \"/mnt/games/SteamLibrary\" } }");
    install(steam, "Descent 3", "Descent3");
    install("/mnt/games/SteamLibrary", "Descent 3", "main.exe"); // for Proton, on a disk of Windows
    install(flatpak, "Descent3 Piccu", "Descent3.exe");          // the Windows build
    install(snap, "Descent 3", "Descent3");
    files.addFile("/home/p/.config/heroic/gog_store/installed.json",
                  "{\"installed\":[{\"install_path\":\"/home/p/Games/Heroic/Descent 3\"},"
                  "{\"install_path\":\"/home/p/Games/Heroic/Other\"}]}");
    files.addFile("/home/p/.var/app/com.heroicgameslauncher.hgl/config/heroic/gog_store/"
                  "installed.json",
                  "{\"installed\":[{\"title\":\"Descent 3\",\"install_path\":\"/home/p/GOG/d3/\"},"
                  "{\"title\":\"Descent 3\",\"install_path\":\"/home/p/D3\xC3\x28"
                  "bad\"}]}");
    for (const char* f :
         {"/home/p/Games/Heroic/Descent 3", "/home/p/Games/Heroic/Other", "/home/p/GOG/d3",
          "/home/p/D3\xC3\x28"
          "bad"})
        files.addFile(std::string(f) + "/Descent3");
    EXPECT_EQ(discovery::gameFolders(p),
              (Names{"/home/p/.steam/steam/steamapps/common/Descent 3",
                     snap + "/steamapps/common/Descent 3", "/home/p/Games/Heroic/Descent 3",
                     "/home/p/GOG/d3"}));

    // The game's data is wherever its main data file is, in any case, whatever program is there.
    files.addFile("/mnt/games/SteamLibrary/steamapps/common/Descent 3/D3.HOG");
    files.addFile("/home/p/GOG/d3/d3.hog.txt");
    EXPECT_EQ(discovery::dataFolders(p),
              Names{"/mnt/games/SteamLibrary/steamapps/common/Descent 3"});
}

// Steam lists at most 64 libraries; more are not looked at, nor compared with each other.
TEST_F(Discovery, AtMost64LibrariesAreLookedAt) {
    reg(RegRoot::LocalMachine, "SOFTWARE\\Valve\\Steam", "InstallPath", "C:\\Steam");
    std::string vdf = "\"libraryfolders\" {";
    for (int i = 0; i < 70; ++i)
        vdf += " \"" + std::to_string(i) + "\" { \"path\" \"D:\\\\L" + std::to_string(i) + "\" }";
    fake.files.addFile("C:\\Steam\\steamapps\\libraryfolders.vdf", vdf + " }");
    for (int i : {63, 64}) steamGame("D:\\L" + std::to_string(i), "Descent 3", "Main.exe");
    EXPECT_EQ(discovery::gameFolders(fake.platform),
              Names{"D:\\L63\\steamapps\\common\\Descent 3"});
}

TEST_F(Discovery, YesSetsTheFolderAsTypingWouldAndWritesNothing) {
    const std::string gog = "C:\\GOG Games\\Descent 3";
    gogGame("1", "Descent 3", gog, "Main.exe");
    gogGame("2", "Descent 3 (second copy)", "D:\\Descent 3", "Main.exe");
    fake.files.addFile(gog + "\\Ace.plt", "");
    ini["Language"] = "1";
    writeSettings();
    const std::string before = fake.files.content(path(settings::kScourixIni)).value();
    fake.dialogs.answers = {Answer::Yes};
    scourix::MainWindow w(fake.platform);
    w.open();

    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text,
              "Descent 3 gefunden in:\n" + gog + "\n\nDiesen Ordner verwenden?");
    EXPECT_EQ(fake.dialogs.boxes[0].title, "scourix");
    EXPECT_EQ(w.d3path.text(), gog);
    EXPECT_TRUE(w.Frame1.enabled());
    EXPECT_TRUE(w.m2.enabled());
    ASSERT_EQ(w.pilotname.count(), 1);
    EXPECT_EQ(w.pilotname.item(0), "Ace");
    EXPECT_EQ(fake.files.content(path(settings::kScourixIni)).value(), before);
}

// An open-source game folder without the game's data is offered a store's copy that has it, as
// the switch -additionaldir the game reads, one argument however many blanks the folder holds.
TEST_F(Discovery, AnOpenSourceFolderWithoutDataIsOfferedAStoresCopyOnce) {
    const std::string os = "C:\\Games\\D3", gog = "C:\\GOG Games\\Descent 3";
    gogGame("1", "Descent 3 open source", os, "Descent3.exe");
    gogGame("2", "Descent 3 (too long)", "C:\\" + std::string(100, 'x'), "Main.exe");
    gogGame("3", "Descent 3", gog, "Main.exe");
    fake.files.addFile("C:\\" + std::string(100, 'x') + "\\d3.hog", "");
    fake.files.addFile(gog + "\\d3.hog", "");
    writeSettings();
    fake.dialogs.answers = {Answer::Yes, Answer::Yes};
    scourix::MainWindow w(fake.platform);
    w.open();
    ASSERT_EQ(fake.dialogs.boxes.size(), 2u) << "no question for a folder the game cannot take";
    EXPECT_EQ(fake.dialogs.boxes[1].text,
              "The game folder \"" + os + "\" holds no game data (d3.hog). Descent 3 in \"" + gog +
                  "\" has it: shall the game read it from there? The switch -additionaldir \"" +
                  gog + "\" is then added to your switches.");
    const std::string key = "additionaldir \"" + gog + "\"";
    ASSERT_EQ(w.keylist.item(w.keylist.count() - 1), key);
    EXPECT_TRUE(w.keylist.selected(w.keylist.count() - 1));
    ASSERT_TRUE(w.sichern());
    settings::SettingsFile f(fake.codepage, fake.files.content(path(settings::kKeysIni)).value());
    settings::KeysIni keys;
    settings::readKeysIni(f, keys);
    EXPECT_EQ(keys.switches.back(), key) << "read back whole";
    EXPECT_TRUE(keys.active(keys.switches.size() - 1));

    // The game splits the line Gatefire hands it at blanks, the quoted folder as one argument.
    std::vector<std::string> unused;
    EXPECT_EQ(edition::fitToGame("-" + key + " ", {}, "", unused), "-" + key + " ");

    // Choosing the folder again asks nothing: a data folder is named already; nor does a folder
    // with the data, nor one of the retail game.
    fake.dialogs.boxes.clear();
    w.setFolder(scourix::Folder::Game, os);
    fake.files.addFile("D:\\Retail\\Main.exe", "");
    w.setFolder(scourix::Folder::Game, "D:\\Retail");
    w.keylist.removeItem(w.keylist.count() - 1);
    const std::string own = fake.host.dataFolder + edition::kUserFolder + "\\d3.hog";
    for (const std::string& data : {own, os + "\\D3.hog"}) {
        fake.files.addFile(data, "");
        w.setFolder(scourix::Folder::Game, os);
        fake.files.remove(data);
    }
    EXPECT_TRUE(fake.dialogs.boxes.empty());

    // A folder typed is offered the data when it is saved, once.
    const std::string typed = "C:\\Games\\D3 typed";
    fake.files.addFile(typed + "\\Descent3.exe", "");
    w.d3path.setText(typed);
    fake.dialogs.answers = {Answer::No};
    ASSERT_TRUE(w.sichern());
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(fake.dialogs.boxes[0].text.find(typed), std::string::npos);
    ASSERT_TRUE(w.sichern());
    EXPECT_EQ(fake.dialogs.boxes.size(), 1u);
}

} // namespace
