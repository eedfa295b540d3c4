#include <gtest/gtest.h>

#include "common/registry/game_registry.h"
#include "config/mainwindow/main_window.h"
#include "launcher/registry_settings.h"
#include "tests/support/game_folder.h"

namespace {

using platform::Answer;
using platform::Icon;

// The main window's commands of the "&action " and "&extra" menus that start nothing of ours.
class Commands : public ::testing::Test, public GameFolder {
  protected:
    Commands() {
        program = "C:\\Scourix";
        fake.app.folder = program;
        fake.dialogs.programTitle = "scourix";
        fake.files.addFolder(program);
        fake.files.setCurrentFolder(program);
        fake.files.addFolder(fake.shortcuts.common);
        fake.files.addFolder(fake.shortcuts.user);
        fake.files.addFile(game + "\\Main.exe");
    }
    scourix::MainWindow& start(bool german = false) {
        ini["Language"] = german ? "1" : "2";
        writeSettings({}, {}, {"nointro", "framecap 0", "nosound"}, {false, true, false});
        w = std::make_unique<scourix::MainWindow>(fake.platform);
        w->open();
        return *w;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& b : fake.dialogs.boxes) out.push_back(b.text);
        return out;
    }
    void answer(std::initializer_list<Answer> a) { fake.dialogs.answers.assign(a); }
    std::string fps() const { return fake.files.content(game + "\\fps.txt").value_or("<none>"); }
    static std::string lines(int n) {
        std::string s;
        for (int i = 1; i <= n; ++i) s += "frame " + std::to_string(i) + "\r\n";
        return s;
    }

    std::unique_ptr<scourix::MainWindow> w;
};

// --- Time test -------------------------------------------------------------------------------

TEST_F(Commands, TimeTestStartsTheGameByItsPathWithTheSelectedSwitches) {
    start();
    answer({Answer::No, Answer::No});
    w->m23.click();
    ASSERT_EQ(fake.shell.started.size(), 1u);
    EXPECT_EQ(fake.shell.started[0].file, game + "\\Main.exe");
    EXPECT_EQ(fake.shell.started[0].parameters, "-framecap 0 -timetest secret2.dem ");
    EXPECT_EQ(fake.shell.started[0].folder, game);
    EXPECT_EQ(fake.files.currentFolder(), game);
    w->m23.click();
    EXPECT_EQ(fake.shell.started[1].parameters, fake.shell.started[0].parameters)
        << "switches never repeat";
    EXPECT_EQ(texts()[0], "Configuration must be save ! Save now ?");
}

TEST_F(Commands, TimeTestWithoutSwitchesCancelAndYes) {
    start();
    w->keylist.setSelected(1, false);
    answer({Answer::Cancel});
    w->m23.click();
    EXPECT_TRUE(fake.shell.started.empty());
    answer({Answer::Yes});
    w->m23.click();
    ASSERT_EQ(fake.shell.started.size(), 1u);
    EXPECT_EQ(fake.shell.started[0].parameters, "-timetest secret2.dem ");
    EXPECT_NE(fake.files.content(path(settings::kKeysIni))->find("***000"), std::string::npos)
        << "Yes saves first";
}

TEST_F(Commands, TimeTestThatCannotStartSaysSoInBothLanguages) {
    start(true);
    fake.shell.failing.insert(game + "\\Main.exe");
    answer({Answer::No});
    w->m23.click();
    ASSERT_EQ(texts().size(), 2u);
    EXPECT_EQ(texts()[0], "Konfiguration muss zuerst gespeichert werden! Jetzt speichern?");
    EXPECT_EQ(texts()[1], "ERROR ! Descent kann nicht gestartet werden !");
    EXPECT_EQ(fake.dialogs.boxes[1].icon, Icon::Critical);

    // A game that is not there at all, not a start the shell refused.
    fake.shell.failing.clear();
    fake.files.remove(game + "\\Main.exe");
    answer({Answer::No});
    w->m23.click();
    ASSERT_EQ(texts().size(), 4u);
    EXPECT_EQ(texts()[3], "ERROR ! Descent kann nicht gestartet werden !");
    EXPECT_EQ(fake.shell.started.size(), 1u);

    w->languageEntry(lang::Language::English).click();
    w->d3path.setText("C:\\Nowhere");
    answer({Answer::No});
    w->m23.click();
    EXPECT_EQ(texts()[5], "ERROR ! Can't start Descent !");
    EXPECT_EQ(fake.shell.started.size(), 1u) << "a missing game folder starts nothing";
}

// --- Frame-rate log --------------------------------------------------------------------------

TEST_F(Commands, AppendAddsTheBlockAndOpensNotepad) {
    start();
    fake.files.addFile(game + "\\fps.txt", "run 1\r\nrun 2\r\n");
    fake.app.ver = {1, 2, 30};
    answer({Answer::Yes});
    w->m24.click();
    EXPECT_EQ(fps(), "run 1\r\nrun 2\r\ndemo : secret2.dem\r\n\r\nkey's : \r\n\r\n-framecap 0 \r\n"
                     "\r\n** Scourix Version :1.2.30 **\r\n");
    ASSERT_EQ(fake.shell.started.size(), 1u);
    EXPECT_EQ(fake.shell.started[0].file, "notepad.exe");
    EXPECT_EQ(fake.shell.started[0].parameters, game + "\\fps.txt");
    EXPECT_EQ(fake.shell.started[0].folder, "");
    EXPECT_EQ(texts(), std::vector<std::string>{"add commandline to fps.txt ?"});
}

TEST_F(Commands, AppendToAnEmptyLogAndNoAndCancel) {
    start();
    w->keylist.setSelected(1, false);
    fake.files.addFile(game + "\\fps.txt", "");
    answer({Answer::Yes, Answer::No, Answer::Cancel});
    w->m24.click();
    EXPECT_EQ(fps(),
              "demo : secret2.dem\r\n\r\nkey's : \r\n\r\n\r\n\r\n** Scourix Version :2.0.7 **\r\n");
    const std::string once = fps();
    w->m24.click();
    w->m24.click();
    EXPECT_EQ(fps(), once);
    EXPECT_EQ(fake.shell.started.size(), 2u) << "No opens Notepad, Cancel does not";
}

TEST_F(Commands, AppendTakesAt501LinesAndRefusesOneMore) {
    start(true);
    fake.files.addFile(game + "\\fps.txt", lines(501));
    answer({Answer::Yes});
    w->m24.click();
    EXPECT_EQ(fps(), lines(501) + "demo : secret2.dem\r\n\r\nkey's : \r\n\r\n-framecap 0 \r\n\r\n"
                                  "** Scourix Version :2.0.7 **\r\n");
    EXPECT_EQ(fake.shell.started.size(), 1u);

    // One line too many, or a log saved as UTF-16, whose zero bytes single-byte lines spoil.
    std::string wide = "\xFF\xFE";
    for (char c : lines(3)) wide += c, wide += '\0';
    for (const std::string& log : {lines(502), wide}) {
        fake.files.addFile(game + "\\fps.txt", log);
        answer({Answer::Yes});
        w->m24.click();
        EXPECT_EQ(fps(), log);
        EXPECT_EQ(texts().back(), "Keine fps.txt vorhanden !");
        EXPECT_EQ(fake.shell.started.size(), 1u) << "Notepad is not started";
    }
}

TEST_F(Commands, AFailedAppendLeavesTheLogWhole) {
    start();
    fake.files.addFile(game + "\\fps.txt", lines(20));
    fake.files.diskFull(true);
    answer({Answer::Yes});
    w->m24.click();
    EXPECT_EQ(fps(), lines(20));
    EXPECT_EQ(texts().back(), "none fps.txt there !");
    EXPECT_TRUE(fake.shell.started.empty());

    fake.files.diskFull(false);
    fake.files.remove(game + "\\fps.txt");
    answer({Answer::Yes});
    w->m24.click();
    EXPECT_EQ(texts().back(), "none fps.txt there !");
    EXPECT_FALSE(fake.files.has(game + "\\fps.txt")) << "no log is made up";
}

// --- Desktop shortcuts -----------------------------------------------------------------------

class Shortcuts : public Commands {
  protected:
    std::string link(const std::string& desktop, const std::string& name) const {
        return fake.files.content(desktop + "\\" + name + ".lnk").value_or("<none>");
    }
};

TEST_F(Shortcuts, PanelLocksTheWindowUntilItCloses) {
    start();
    w->m41.click();
    EXPECT_TRUE(w->verknupf.visible());
    EXPECT_EQ(w->verknupf.left, 1440);
    EXPECT_EQ(w->verknupf.top, 1560);
    for (ui::Control* c :
         {static_cast<ui::Control*>(&w->m1), static_cast<ui::Control*>(&w->m2),
          static_cast<ui::Control*>(&w->m4), static_cast<ui::Control*>(&w->master),
          static_cast<ui::Control*>(&w->Frame1), static_cast<ui::Control*>(&w->Frame5)})
        EXPECT_FALSE(c->enabled()) << c->name();
    EXPECT_TRUE(w->m3.enabled());
    EXPECT_FALSE(w->Frame4.visible()) << "the panels step aside";
    w->Label10.click();
    EXPECT_TRUE(w->Frame4.visible());
    EXPECT_FALSE(w->verknupf.visible());
    EXPECT_TRUE(w->m2.enabled());
    EXPECT_TRUE(w->Frame5.enabled());

    // Without a game folder the panels stay as the folder makes them.
    w->d3path.setText("");
    w->m41.click();
    w->verkc.click();
    EXPECT_FALSE(w->Frame1.enabled());
    EXPECT_FALSE(w->m2.enabled());
    EXPECT_TRUE(w->m1.enabled());
}

TEST_F(Shortcuts, BothAreCreatedOnTheCommonDesktopAndThePanelCloses) {
    start();
    w->m41.click();
    w->verkok.click();
    EXPECT_EQ(link(fake.shortcuts.common, "Gatefire"), "link to C:\\Scourix\\gatefire.exe");
    EXPECT_EQ(link(fake.shortcuts.common, "Scourix"), "link to C:\\Scourix\\scourix.exe");
    EXPECT_TRUE(fake.dialogs.boxes.empty());
    EXPECT_FALSE(w->verknupf.visible());
}

TEST_F(Shortcuts, ExistingOnesAreNeverOverwritten) {
    fake.files.addFile(fake.shortcuts.common + "\\Gatefire.lnk", "mine");
    start(true);
    w->m41.click();
    w->verkok.click();
    EXPECT_EQ(link(fake.shortcuts.common, "Gatefire"), "mine");
    EXPECT_EQ(texts(), std::vector<std::string>{"Verknüpfung besteht bereits"});
    EXPECT_EQ(fake.dialogs.boxes[0].icon, Icon::Information);
    EXPECT_FALSE(w->verknupf.visible()) << "Scourix's shortcut was made";

    w->m41.click();
    w->verkok.click();
    EXPECT_EQ(texts().size(), 3u) << "a message for each";
    EXPECT_TRUE(w->verknupf.visible());
    EXPECT_EQ(link(fake.shortcuts.common, "Scourix"), "link to C:\\Scourix\\scourix.exe");

    // A name on the player's own desktop counts as existing too.
    fake.files.addFile(fake.shortcuts.user + "\\Mine.lnk", "own");
    w->cle.setText("Mine");
    w->verkok.click();
    EXPECT_EQ(link(fake.shortcuts.user, "Mine"), "own");
    EXPECT_FALSE(fake.files.has(fake.shortcuts.common + "\\Mine.lnk"));
    EXPECT_TRUE(w->verknupf.visible());
}

TEST_F(Shortcuts, WithoutRightsOnTheCommonDesktopTheyGoOnThePlayersOwn) {
    fake.shortcuts.readOnly.insert(fake.shortcuts.common);
    start();
    w->m41.click();
    w->cle.setText("");
    w->verkok.click();
    EXPECT_EQ(link(fake.shortcuts.user, "Gatefire"), "link to C:\\Scourix\\gatefire.exe");
    EXPECT_EQ(link(fake.shortcuts.user, ""), "link to C:\\Scourix\\scourix.exe") << "\".lnk\"";
    EXPECT_TRUE(fake.dialogs.boxes.empty());
}

TEST_F(Shortcuts, BadNamesAndFailedWritesAreToldAndThePanelStays) {
    start();
    w->m41.click();
    // Characters a file name cannot hold, control characters, names Windows keeps for devices.
    for (const std::string name : {"Sc:ourix", "CON", "nul.x", "Lpt1", "a\tb"}) {
        fake.dialogs.boxes.clear();
        w->cle.setText(name);
        w->verkok.click();
        ASSERT_EQ(texts().size(), 1u) << name;
        EXPECT_EQ(texts()[0], "The shortcut name \"" + name +
                                  "\" cannot be used: a file name cannot hold \\ / : * ? \" < > | "
                                  "or control characters, nor be a device name such as CON or NUL");
        EXPECT_TRUE(fake.files.files(fake.shortcuts.common).empty()) << "nothing half-done";
        EXPECT_TRUE(w->verknupf.visible());
    }

    w->languageEntry(lang::Language::German).click();
    w->cle.setText("Scourix");
    fake.shortcuts.readOnly = {fake.shortcuts.common, fake.shortcuts.user};
    w->verkok.click();
    ASSERT_EQ(texts().size(), 2u) << "told once";
    EXPECT_NE(texts()[1].find("\"Gatefire.lnk\" konnte nicht"), std::string::npos);
    EXPECT_TRUE(w->verknupf.visible());
    EXPECT_FALSE(fake.app.ended);
}

// A player's desktop that is not there yet is made, folders above it included; without one
// that can be made, one message says why and nothing is written.
TEST_F(Shortcuts, AMissingDesktopIsMadeElseToldOnce) {
    fake.shortcuts.common = "";
    fake.shortcuts.user = "C:\\Users\\new\\Desktop";
    start();
    w->m41.click();
    w->verkok.click();
    EXPECT_TRUE(fake.dialogs.boxes.empty());
    EXPECT_EQ(link(fake.shortcuts.user, "Scourix"), "link to C:\\Scourix\\scourix.exe");

    fake.files.addFile("C:\\Users\\taken", "a file of the player's");
    for (const std::string desktop : {"C:\\Users\\taken\\Desktop", ""}) {
        fake.shortcuts.user = desktop;
        fake.dialogs.boxes.clear();
        w->m41.click();
        w->verkok.click();
        ASSERT_EQ(texts().size(), 1u) << desktop;
        EXPECT_EQ(texts()[0], desktop.empty()
                                  ? "No desktop shortcut was made: this system names no desktop "
                                    "folder."
                                  : "No desktop shortcut was made: the desktop folder \"" +
                                        desktop + "\" is not there and could not be made.");
        EXPECT_TRUE(w->verknupf.visible());
    }
    EXPECT_EQ(fake.files.content("C:\\Users\\taken"), "a file of the player's");
}

// --- The game's registry values --------------------------------------------------------------

// What Gatefire writes, the game settings page shows.
TEST_F(Commands, ThePageReadsWhatGatefireWrites) {
    start();
    settings::NetworkIni net;
    net.gameLanguage = "Italian";
    net.keyboardFrench = "1";
    net.netDialup = "1";
    net.speedCable = "1";
    net.trackerName = "Ace";
    launcher::writeGameSettings(fake.registry, fake.codepage, net, "");
    w->m18.click();
    EXPECT_EQ(w->d3sprache.text(), "Italian");
    EXPECT_TRUE(w->keyfr.value());
    EXPECT_TRUE(w->icondialup.value());
    EXPECT_TRUE(w->cscable.value());
    EXPECT_EQ(w->username.text(), "Ace");
}

} // namespace
