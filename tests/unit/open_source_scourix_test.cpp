#include <gtest/gtest.h>

#include "config/mainwindow/clean_now.h"
#include "config/mainwindow/main_window.h"
#include "config/tools/ordner.h"
#include "tests/support/game_folder.h"

namespace {

using Names = std::vector<std::string>;
using platform::Answer;

// Scourix on a game folder of the open-source edition (Descent3.exe), whose player's folder
// holds the settings file, the pilots, the downloaded custom files and statistics.
class OpenSourceScourix : public ::testing::Test, public GameFolder {
  protected:
    const std::string user =
        "C:\\Users\\player\\AppData\\Roaming\\Outrage Entertainment\\Descent 3";

    OpenSourceScourix() {
        program = "C:\\Scourix";
        fake.app.folder = program;
        fake.dialogs.programTitle = "scourix";
        fake.files.addFolder(program);
        fake.files.setCurrentFolder(program);
        fake.files.addFile(game + "\\Descent3.exe");
        for (const char* f : {"\\custom\\sounds", "\\custom\\graphics", "\\netgames"})
            fake.files.addFolder(user + f);
        fake.files.addFile(user + "\\Alice.plt", "alice");
        fake.files.addFile(game + "\\Retail.plt", "retail");
    }
    scourix::MainWindow& start(bool german = false) {
        ini["Language"] = german ? "1" : "2";
        writeSettings({}, {}, {"nointro"}, {true});
        w = std::make_unique<scourix::MainWindow>(fake.platform);
        w->open();
        return *w;
    }
    static Names items(const ui::ListBox& l) {
        Names out;
        for (int i = 0; i < l.count(); ++i) out.push_back(l.item(i));
        return out;
    }
    std::unique_ptr<scourix::MainWindow> w;
};

TEST_F(OpenSourceScourix, GameSettingsPageShowsTheSettingsFile) {
    fake.files.addFile(user + "\\.Descent3Registry",
                       "[Version]\r\n[Descent3]\r\n\"TrackerLogin\"=\"joe\"\r\n"
                       "[descent3]\n\"TrackerLogin\"=\"J\xc3\xb6rg\"\n"
                       "\"trackerpassword\"=\"s\xe9\x63ret\"\r\n\"LanguageType\"=dword:3\r\n"
                       "\"KeyboardType\"=\"German\"\r\n\"NetworkConnection\"=\"DIALUP\"\r\n"
                       "\"ConnectionSpeed\"=\"ISDN\"\r\n");
    fake.host.versions[game + "\\Descent3.exe"] = {"Descent3.exe", 1, 6, 2};
    // The registry of a retail installation on the same machine is not what this game reads.
    fake.registry.createKey(platform::RegRoot::LocalMachine, "Software\\Outrage\\Descent3");
    fake.registry.setString(platform::RegRoot::LocalMachine, "Software\\Outrage\\Descent3",
                            "TrackerLogin", "retail");
    scourix::MainWindow& win = start();
    win.m18.click();
    EXPECT_EQ(win.username.text(), "J\xc3\xb6rg") << "UTF-8, the last of the name";
    EXPECT_EQ(win.passwort.text(), "s\xc3\xa9"
                                   "cret");
    EXPECT_EQ(win.d3sprache.text(), "Italian");
    EXPECT_TRUE(win.keyger.value());
    EXPECT_TRUE(win.icondialup.value());
    EXPECT_FALSE(win.iconlan.value());
    EXPECT_TRUE(win.csisdn.value());
    EXPECT_EQ(win.d3version.caption(), "1.6.2");
    win.update.click();
    EXPECT_EQ(fake.shell.addresses,
              std::vector<std::string>{"https://github.com/DescentDevelopers/Descent3/releases"})
        << "the retail patch is not this game's update";

    // The game's buffers hold 32 bytes of login and 16 of password: more is not saved.
    for (auto [login, password] :
         {std::pair{std::string(33, 'l'), std::string("pw")},
          {"login", std::string(8, 's') + "\xc3\xbc\xc3\xbc\xc3\xbc\xc3\xbc\xc3\xbc"}}) {
        win.username.setText(login);
        win.passwort.setText(password);
        fake.dialogs.boxes.clear();
        win.d3sichern.click();
        ASSERT_EQ(fake.dialogs.boxes.size(), 1u) << login;
        EXPECT_NE(fake.dialogs.boxes[0].text.find("at most 32"), std::string::npos);
        EXPECT_TRUE(win.d3misc.visible()) << "the page stays open";
    }
    EXPECT_EQ(fake.files.content(path("network.ini")), std::nullopt);
}

TEST_F(OpenSourceScourix, WithoutASettingsFileThePageShowsTheDefaults) {
    scourix::MainWindow& win = start();
    win.m18.click();
    EXPECT_EQ(win.username.text(), "");
    EXPECT_EQ(win.d3sprache.text(), "US-Version");
    EXPECT_TRUE(win.iconlan.value()) << "anything but DIALUP is a network";
    EXPECT_EQ(win.d3version.caption(), "..") << "no version resource: the parts stay empty";
    EXPECT_TRUE(fake.dialogs.boxes.empty());

    // A file past 1 MiB is not read; "dialup" in any case is dial-up, as the game takes it.
    const std::string values = "[Descent3]\r\n\"TrackerLogin\"=\"joe\"\r\n"
                               "\"NetworkConnection\"=\"dialup\"\r\n";
    for (const std::string& rest :
         {std::string((1 << 20) - values.size() + 1, ';'), std::string()}) {
        fake.files.addFile(user + "\\.Descent3Registry", values + rest);
        win.d3abbruch.click();
        win.m18.click();
        EXPECT_EQ(win.username.text(), rest.empty() ? "joe" : "");
        EXPECT_EQ(win.icondialup.value(), rest.empty());
    }
}

TEST_F(OpenSourceScourix, PilotsAreListedAndPutAwayInThePlayersFolder) {
    scourix::MainWindow& win = start();
    EXPECT_EQ(items(win.pilotname), Names{"Alice"});
    win.pilotname.setListIndex(0);
    win.pilotwech.click();
    EXPECT_EQ(fake.files.content(user + "\\custom\\Alice.plt"), "alice");
    EXPECT_FALSE(fake.files.has(user + "\\Alice.plt"));
    EXPECT_TRUE(fake.files.has(game + "\\Retail.plt"));
    EXPECT_TRUE(win.pilotname.count() == 0);
}

// On a file system that tells case apart the game cannot open "Red.PLT" by the name "Red"; a
// pilot whose name the game reads as a switch is explained when the player picks it.
TEST_F(OpenSourceScourix, OnlyPilotsTheGameOpensAreListedAndASwitchNameIsExplained) {
    fake.files = FakeFiles();
    fake.files.caseSensitive = true;
    fake.files.addFolder(program);
    fake.files.setCurrentFolder(program);
    fake.files.addFile(game + "\\Descent3.exe");
    for (const char* f : {"\\custom\\sounds", "\\custom\\graphics", "\\netgames"})
        fake.files.addFolder(user + f), fake.files.addFolder(game + f);
    for (const char* pilot : {"Alice.plt", "Red.PLT", "Heat.plt"})
        fake.files.addFile(user + "\\" + pilot);
    scourix::MainWindow& win = start(true);
    EXPECT_EQ(items(win.pilotname), (Names{"Alice", "Heat"}));
    for (int i : {0, 1}) {
        win.pilotname.setListIndex(i);
        win.pilotname.setSelected(i, true);
        win.pilotname.click();
    }
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text.rfind("Das Spiel liest den Pilotennamen \"Heat\" als "
                                               "seinen Schalter -heat.",
                                               0),
              0u);
}

// The browser lists the logos where the game has them: the player's folder first, the game
// folder when only it holds any; before the game made either folder, it says so.
TEST_F(OpenSourceScourix, BrowserShowsTheCustomFilesWhereTheGameHasThem) {
    const std::string own = user + "\\custom\\graphics", theGame = graphics();
    struct Case {
        const char* what;
        bool ownThere, ownHolds, gameThere;
        std::string listed; // empty: nothing to list yet
    } const cases[] = {
        {"both hold logos", true, true, true, own},
        {"the player's folder empty", true, false, true, theGame},
        {"no player's folder yet", false, false, true, theGame},
        {"neither folder yet", false, false, false, ""},
    };
    scourix::MainWindow& win = start();
    for (const Case& c : cases) {
        fake.files.addFolder(own);
        fake.files.addFolder(theGame);
        fake.files.addFile(theGame + "\\old.ogf");
        if (c.ownHolds)
            fake.files.addFile(own + "\\mine.ogf");
        else
            fake.files.remove(own + "\\mine.ogf");
        if (!c.ownThere) fake.files.rename(own, own + ".gone");
        if (!c.gameThere) fake.files.rename(theGame, theGame + ".gone");
        fake.dialogs.boxes.clear();
        win.session().browseMode = "logos";
        scourix::Ordner browser(fake.platform, win);
        browser.open();
        if (c.listed.empty()) {
            ASSERT_EQ(fake.dialogs.boxes.size(), 1u) << c.what;
            EXPECT_EQ(fake.dialogs.boxes[0].text,
                      "No ship logos yet: Descent 3 makes their folder at its first start:\n" + own)
                << c.what;
            EXPECT_EQ(browser.File1.count(), 0) << c.what;
        } else {
            EXPECT_TRUE(fake.dialogs.boxes.empty()) << c.what;
            EXPECT_EQ(browser.File1.path(), c.listed) << c.what;
            EXPECT_EQ(items(browser.File1), Names{c.ownHolds ? "mine.ogf" : "old.ogf"}) << c.what;
        }
        for (const std::string& f : {own, theGame})
            if (fake.files.has(f + ".gone")) fake.files.rename(f + ".gone", f);
    }
}

TEST_F(OpenSourceScourix, TimeTestAndFrameRateLogSayThisEditionHasNone) {
    for (bool german : {false, true}) {
        fake.dialogs.boxes.clear();
        start(german);
        EXPECT_FALSE(w->m23.enabled() || w->m24.enabled()) << "not offered";
        w->m23.click();
        w->m24.click();
        ASSERT_EQ(fake.dialogs.boxes.size(), 2u);
        const std::string text = german ? "Diese Ausgabe des Spiels (Descent3.exe) hat keinen "
                                          "Zeittest und keine fps.txt."
                                        : "This edition of the game (Descent3.exe) has no time "
                                          "test and no fps.txt.";
        EXPECT_EQ(fake.dialogs.boxes[0].text, text);
        EXPECT_EQ(fake.dialogs.boxes[1].text, text);
        EXPECT_TRUE(fake.shell.started.empty());
        EXPECT_FALSE(fake.files.has(game + "\\fps.txt"));
    }
}

// The open-source program is often copied beside the retail one, which keeps the time test; a
// Main.exe that is the open-source program renamed does not.
TEST_F(OpenSourceScourix, BesideARetailMainExeTheTimeTestAndLogUseIt) {
    fake.files.addFile(game + "\\Main.exe");
    fake.files.addFile(game + "\\fps.txt", "run\r\n");
    fake.host.versions[game + "\\Main.exe"] = {"Main.exe", 1, 4, 0};
    start();
    EXPECT_TRUE(w->m23.enabled() && w->m24.enabled());
    fake.dialogs.answers.assign({Answer::No, Answer::No});
    w->m23.click();
    w->m24.click();
    ASSERT_EQ(fake.shell.started.size(), 2u);
    EXPECT_EQ(fake.shell.started[0].file, game + "\\Main.exe");
    EXPECT_EQ(fake.shell.started[0].parameters, "-nointro -timetest secret2.dem ");
    EXPECT_EQ(fake.shell.started[1].file, "notepad.exe");

    fake.host.versions[game + "\\Main.exe"] = {"Descent3.exe", 1, 5, 0};
    fake.dialogs.boxes.clear();
    w->m23.click();
    EXPECT_EQ(fake.shell.started.size(), 2u);
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(fake.dialogs.boxes[0].text.find("no time test"), std::string::npos);
}

TEST_F(OpenSourceScourix, StatisticsAreRemovedInBothFolders) {
    fake.files.addFile(user + "\\netgames\\a.stats");
    fake.files.addFile(netgames("b.stats"));
    fake.files.addFile(netgames("keep.txt"));
    start();
    w->delstadjetzt.click();
    EXPECT_TRUE(fake.files.files(user + "\\netgames").empty());
    EXPECT_EQ(fake.files.files(netgames()), Names{"keep.txt"});
    EXPECT_EQ(fake.dialogs.boxes.back().text, " 2 stats-files deleted !");

    // The game never makes "netgames" in the player's folder: none anywhere deletes none.
    fake.files.rename(user + "\\netgames", user + "\\gone");
    fake.files.rename(netgames(), game + "\\gone");
    w->delstadjetzt.click();
    EXPECT_EQ(fake.dialogs.boxes.back().text, " 0 stats-files deleted !");
}

TEST_F(OpenSourceScourix, CleanNowCleansBothFolders) {
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
    ini["TauntNoAction"] = "0", ini["TauntBackupOthers"] = "1", ini["TauntBackupPath"] = "D:\\B";
    fake.files.addFolder("D:\\B");
    for (const std::string& root : {user, game}) {
        fake.files.addFile(root + "\\custom\\graphics\\mine.ogf");
        fake.files.addFile(root + "\\custom\\graphics\\other.ogf");
        fake.files.addFile(root + "\\custom\\sounds\\" + (root == user ? "u.osf" : "g.osf"));
    }
    writeSettings({"mine.ogf"}, {});
    scourix::MainWindow main(fake.platform);
    scourix::CleanNow win(fake.platform, main);
    win.open();
    ASSERT_TRUE(win.putzstart.enabled());
    win.putzstart.tick();
    for (const std::string& root : {user, game}) {
        EXPECT_EQ(fake.files.files(root + "\\custom\\graphics"), Names{"mine.ogf"});
        EXPECT_TRUE(fake.files.files(root + "\\custom\\sounds").empty());
    }
    EXPECT_EQ(fake.files.files("D:\\B"), (Names{"u.osf", "g.osf"}));
    EXPECT_TRUE(fake.dialogs.boxes.empty());

    // Before the game's first start the player's folder is not there: the game folder is
    // cleaned all the same.
    fake.files.rename(user, user + ".gone");
    fake.files.addFile(graphics("new.ogf"));
    scourix::CleanNow again(fake.platform, main);
    again.open();
    again.putzstart.tick();
    EXPECT_TRUE(fake.dialogs.boxes.empty()) << fake.dialogs.boxes[0].text;
    EXPECT_EQ(fake.files.files(graphics()), Names{"mine.ogf"});
}

} // namespace
