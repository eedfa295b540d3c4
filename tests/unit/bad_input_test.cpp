// Every settings file in turn spoiled in the ways editors, disks and players spoil them: the
// programs neither crash nor hang, and no file is deleted that the well-formed file kept.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "common/cleaning/cleaning.h"
#include "common/settings/reading.h"
#include "common/discovery/keyvalues.h"
#include "common/edition/edition.h"
#include "config/mainwindow/clean_now.h"
#include "config/mainwindow/main_window.h"
#include "launcher/anzeiger.h"
#include "tests/support/game_folder.h"

namespace {

using Spoil = std::function<std::string(const std::string&)>;

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size())
        s.replace(at, from.size(), to);
    return s;
}

// How the well-formed bytes are spoiled; each keeps what the file says and adds its problem.
const std::pair<const char*, Spoil> kSpoils[] = {
    {"garbage after the values",
     [](const std::string& s) { return s + "\x01\xff\xfe,\",,\x7f\x80\x9d\r\r\n\xa0\xff"; }},
    {"zero bytes", [](const std::string& s) { return s.substr(0, 3) + '\0' + s.substr(3); }},
    {"a 1 MB line", [](const std::string& s) { return s + std::string(1 << 20, 'x') + "\r\n"; }},
    {"lone CR line ends", [](const std::string& s) { return replaceAll(s, "\r\n", "\r"); }},
    {"no final line end",
     [](const std::string& s) { return s.size() >= 2 ? s.substr(0, s.size() - 2) : s; }},
    {"an unterminated quote", [](const std::string& s) { return s + "\"never closed,"; }},
    {"a UTF-8 byte-order mark", [](const std::string& s) { return "\xEF\xBB\xBF" + s; }},
    {"UTF-16",
     [](const std::string& s) {
         std::string out = "\xFF\xFE";
         for (char c : s) out += c, out += '\0';
         return out;
     }},
};

const char* const kFiles[] = {"scourix.ini", "logos.ini",   "taunts.ini",   "keys.ini",
                              "network.ini", "direckt.ini", "shelllist.txt"};

// A game folder with kept and foreign logos and taunts, names with umlauts among them (stored
// in the settings files as single bytes), logos in delete mode and taunts in backup mode.
struct Folder : GameFolder {
    const std::string backup = "D:\\Backup";
    Folder() {
        ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
        ini["TauntNoAction"] = "0", ini["TauntBackupOthers"] = "1", ini["TauntBackupPath"] = backup;
        ini["UsePilot"] = "1", ini["PilotName"] = "Jörg";
        fake.files.addFolder(backup);
        for (const char* n : {"a.ogf", "Müll.ogf", "empty", "x.ogf", "y.oaf"})
            fake.files.addFile(graphics(n), n);
        for (const char* n : {"a.osf", "Grüße.osf", "empty", "x.osf"})
            fake.files.addFile(sounds(n), n);
        writeSettings({"a.ogf", "Müll.ogf"}, {"a.osf", "Grüße.osf"}, {"nointro", "framecap 0"},
                      {true, true});
        writeDirect("-directip 1.2.3.4", "2", "1");
        writeNetwork({"German", "1", "0", "0", "0", "0", "1", "0", "0", "0", "1", "Jörg", "pw"});
        writeShellList({});
    }
    std::set<std::string> custom() const {
        std::set<std::string> out;
        for (const auto& n : fake.files.files(graphics())) out.insert(graphics(n));
        for (const auto& n : fake.files.files(sounds())) out.insert(sounds(n));
        return out;
    }
};

void runLauncher(Folder& f) {
    launcher::Anzeiger w(f.fake.platform);
    w.load();
    if (w.putzstart.enabled()) w.putzstart.tick();
}

void runCleanNow(Folder& f) {
    scourix::MainWindow main(f.fake.platform);
    scourix::CleanNow w(f.fake.platform, main);
    w.open();
    if (w.putzstart.enabled()) w.putzstart.tick();
}

// The cleaner on its own, as both windows drive it: nothing is cleaned when a file is unreadable.
void runCleaner(Folder& f) {
    settings::Setup setup;
    std::string file;
    const settings::Store store{f.fake.files, f.fake.codepage, f.program};
    if (settings::readSetup(store, setup, file) != settings::Problem::None) return;
    cleaning::Cleaner c(f.fake.files, nullptr);
    const edition::Game game = edition::describe(f.fake.platform, setup.ini.gamePath);
    if (!c.findFolders(game.dataFolders, game.foldersComeLater())) return;
    if (!setup.ini.logos.skip())
        c.clean(cleaning::Kind::Logos, cleaning::logoChoices(setup.ini), setup.logos);
    if (!setup.ini.taunts.skip())
        c.clean(cleaning::Kind::Taunts, cleaning::tauntChoices(setup.ini), setup.taunts);
}

class BadInput : public ::testing::TestWithParam<int> {};

TEST_P(BadInput, NoFileGoesThatTheWellFormedFileKept) {
    void (*const runs[])(Folder&) = {runLauncher, runCleanNow, runCleaner};
    auto run = runs[GetParam()];
    Folder wellFormed;
    run(wellFormed);
    const std::set<std::string> kept = wellFormed.custom();
    ASSERT_EQ(kept.size(), 6u) << "kept: a, Müll, empty and a, Grüße, empty";

    for (const char* file : kFiles)
        for (const auto& [what, spoil] : kSpoils) {
            Folder f;
            const std::string p = f.path(file);
            f.fake.files.addFile(p, spoil(*f.fake.files.content(p)));
            f.fake.dialogs.answers.assign(8, platform::Answer::Yes);
            run(f);
            const std::set<std::string> now = f.custom();
            for (const std::string& k : kept)
                EXPECT_TRUE(now.count(k)) << file << " with " << what << ": " << k << " deleted";
        }
}

std::string runName(const ::testing::TestParamInfo<int>& info) {
    static const char* const names[] = {"Launcher", "CleanNow", "Cleaner"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Runs, BadInput, ::testing::Values(0, 1, 2), runName);

// Scourix's main window on the same files: it comes up or offers the recovery, and a file it
// replaces is kept as a copy with the player's bytes.
TEST(BadInputMainWindow, LoadsOrRecoversKeepingACopyOfEveryReplacedFile) {
    for (const char* file : kFiles)
        for (const auto& [what, spoil] : kSpoils) {
            Folder f;
            f.fake.dialogs.programTitle = "scourix";
            std::map<std::string, std::string> before;
            for (const char* n : kFiles) before[n] = *f.fake.files.content(f.path(n));
            const std::string p = f.path(file);
            before[file] = spoil(before[file]);
            f.fake.files.addFile(p, before[file]);
            f.fake.dialogs.answers.assign(8, platform::Answer::Ok);
            scourix::MainWindow w(f.fake.platform);
            w.open();
            for (const auto& [name, bytes] : before) {
                if (f.fake.files.content(f.path(name)) == bytes) continue;
                EXPECT_EQ(f.fake.files.content(f.path(name) + ".bak"), bytes)
                    << file << " with " << what << ": " << name << " replaced without a copy";
            }
        }
}

// What a spoiled file turns into, where it matters most.
TEST(BadInputReading, ByteOrderMarkIsSkippedAndZeroBytesMakeAFileError) {
    Folder f;
    const std::string keep = *f.fake.files.content(f.path("logos.ini"));
    f.fake.files.addFile(f.path("logos.ini"), "\xEF\xBB\xBF" + keep);
    const std::string ini = *f.fake.files.content(f.path("scourix.ini"));
    f.fake.files.addFile(f.path("scourix.ini"), "\xEF\xBB\xBF" + ini);
    launcher::Anzeiger w(f.fake.platform);
    w.load();
    EXPECT_EQ(w.settings().gamePath, f.game);
    EXPECT_EQ(w.setup().logos,
              (std::vector<std::string>{"a.ogf", "M\xC3\xBCll.ogf", "M\xFCll.ogf"}))
        << "each name in UTF-8 and in the code page";

    Folder g;
    std::string wide = "\xFF\xFE";
    for (char c : keep) wide += c, wide += '\0';
    g.fake.files.addFile(g.path("logos.ini"), wide);
    runLauncher(g);
    ASSERT_EQ(g.fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(g.fake.dialogs.boxes[0].text,
              "The settings file \"logos.ini\" is not ANSI text (it was saved as Unicode/UTF-16 "
              "or holds zero bytes).\nPlease run Scourix to set up the settings again.");
    EXPECT_TRUE(g.fake.shell.started.empty());
}

// Steam's library files nested without end (a megabyte of "a {") are read to a bounded depth,
// not until the stack runs out.
TEST(BadInputReading, SteamFilesNestedWithoutEndStopAtABoundedDepth) {
    std::string text;
    for (int i = 0; i < (1 << 20) / 3; ++i) text += "a {";
    auto nodes = keyvalues::parse(text);
    int depth = 0;
    for (const std::vector<keyvalues::Node>* level = &nodes; !level->empty();
         level = &level->front().children)
        ++depth;
    EXPECT_LE(depth, keyvalues::kMaxDepth + 1);
}

} // namespace
