#include <gtest/gtest.h>

#include "config/mainwindow/main_window.h"
#include "config/tools/diereckt.h"
#include "config/tools/infofenster.h"
#include "config/tools/shellstart.h"
#include "config/tools/stadkiller.h"
#include "config/tools/tools.h"
#include "launcher/anzeiger.h"
#include "tests/support/game_folder.h"

namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using platform::ShowMode;

// Scourix's main window on a game folder, with the tool windows it opens.
class Tools : public ::testing::Test, public GameFolder {
  protected:
    Tools() {
        program = "C:\\Scourix";
        fake.app.folder = program;
        fake.dialogs.programTitle = "scourix";
        fake.files.addFolder(program);
        fake.files.setCurrentFolder(program);
    }
    scourix::MainWindow& start(bool german = false) {
        ini["Language"] = german ? "1" : "2";
        writeSettings({}, {}, {"nointro", "framecap 0", "nosound"}, {true, false, true});
        w = std::make_unique<scourix::MainWindow>(fake.platform);
        w->open();
        return *w;
    }
    std::string file(const std::string& name) const {
        return fake.files.content(path(name)).value_or("<none>");
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& b : fake.dialogs.boxes) out.push_back(b.text);
        return out;
    }
    void answer(std::initializer_list<Answer> a) { fake.dialogs.answers.assign(a); }

    std::unique_ptr<scourix::MainWindow> w;
};

// --- Direct-join window ---------------------------------------------------------------------

class DirectJoin : public Tools {
  protected:
    scourix::Diereckt& open(bool german = false) {
        start(german);
        w->m44.click();
        return w->diereckt();
    }
    std::string direckt() const { return file(settings::kDirecktIni); }
};

TEST_F(DirectJoin, ReadsTheServerKindAndBothBoxes) {
    writeDirect("-directip 10.0.0.5:2092", "2", "1");
    scourix::Diereckt& d = open();
    EXPECT_TRUE(d.isShown());
    EXPECT_EQ(d.iptext.text(), "10.0.0.5:2092");
    EXPECT_TRUE(d.tcpip.value());
    EXPECT_EQ(d.immer.value(), 1);
    EXPECT_EQ(d.jointfrage.value(), 1);

    d.close();
    writeDirect("-pxo 1.2.3.4:2092", "1", "0");
    w->m44.click();
    EXPECT_EQ(d.iptext.text(), "1.2.3.4:2092");
    EXPECT_TRUE(d.pxo.value());
    EXPECT_EQ(d.immer.value(), 0) << "only 2 ticks always";
    EXPECT_EQ(d.jointfrage.value(), 0);
}

TEST_F(DirectJoin, ATargetWithoutASwitchLeavesTheBoxEmptyAndPxo) {
    writeDirect("1.2.3.4:2092", "0", "0");
    scourix::Diereckt& d = open();
    EXPECT_EQ(d.iptext.text(), "");
    EXPECT_TRUE(d.pxo.value());
}

TEST_F(DirectJoin, MissingOrShortFileIsWrittenAnewFromWhatWasRead) {
    scourix::Diereckt& d = open();
    EXPECT_EQ(direckt(), "\"\"\r\n\"0\"\r\n\"0\"\r\n");
    d.close();

    fake.files.addFile(path(settings::kDirecktIni), "\"-directip 5.6.7.8:2092\"\r\n");
    w->m44.click();
    EXPECT_EQ(direckt(), "\"5.6.7.8:2092\"\r\n\"0\"\r\n\"0\"\r\n") << "the address, no switch";
    EXPECT_EQ(file("direckt.ini.bak"), "\"-directip 5.6.7.8:2092\"\r\n");
    EXPECT_EQ(texts(),
              std::vector<std::string>{"The settings file \"" + path("direckt.ini") +
                                       "\" could not be read. Your file was kept as \"" +
                                       path("direckt.ini.bak") + "\"; a new one was written."});
}

TEST_F(DirectJoin, CaptionsInBothLanguages) {
    scourix::Diereckt& en = open();
    EXPECT_EQ(en.caption(), "Joint a Game");
    EXPECT_EQ(en.teilnehmen.caption(), "joint game now");
    EXPECT_EQ(en.Label2.caption().rfind("example : ", 0), 0u);
    EXPECT_EQ(en.Frame1.caption(), "IP/PORT");
    en.close();
    w->languageEntry(lang::Language::German).click();
    w->m44.click();
    EXPECT_EQ(en.caption(), "an einem Spiel teilnehmen");
    EXPECT_EQ(en.teilnehmen.caption(), "Jetzt am Spiel teilnehmen");
    EXPECT_EQ(en.jointfrage.caption(), "Frage mich bevor ich teilnehme");
    EXPECT_EQ(en.Frame2.caption(), "Server ist ein...");
    EXPECT_EQ(en.Label1.caption(), "Server IP/Port");
}

TEST_F(DirectJoin, ClosingKeepsTheChoicesWithoutARequest) {
    writeDirect("", "0", "0");
    scourix::Diereckt& d = open();
    d.jointfrage.setValue(1);
    d.close();
    EXPECT_EQ(direckt(), "\"-pxo \"\r\n\"0\"\r\n\"1\"\r\n") << "the switch alone";

    w->m44.click();
    d.iptext.setText("9.9.9.9:2092");
    d.tcpip.setValue(true);
    d.immer.setValue(1);
    d.close();
    EXPECT_EQ(direckt(), "\"-directip 9.9.9.9:2092\"\r\n\"2\"\r\n\"1\"\r\n");
}

TEST_F(DirectJoin, JoinWritesTheRequestSavesStartsGatefireAndEndsScourix) {
    writeDirect("", "0", "0");
    scourix::Diereckt& d = open();
    d.iptext.setText("10.1.2.3:2092");
    d.tcpip.setValue(true);
    w->keylist.setSelected(1, true);
    d.teilnehmen.click();
    EXPECT_EQ(direckt(), "\"-directip 10.1.2.3:2092\"\r\n\"1\"\r\n\"0\"\r\n");
    EXPECT_EQ(file(settings::kKeysIni).substr(file(settings::kKeysIni).find("***")), "***111\"\r\n")
        << "the configuration is saved for Gatefire";
    EXPECT_TRUE(fake.shell.started.empty()) << "Gatefire starts 300 ms later";
    ASSERT_TRUE(d.d3run.enabled());
    EXPECT_EQ(d.d3run.interval, 300);

    d.d3run.tick();
    EXPECT_FALSE(d.d3run.enabled());
    ASSERT_EQ(fake.shell.started.size(), 1u);
    EXPECT_EQ(fake.shell.started[0].file, "gatefire.exe");
    EXPECT_EQ(fake.shell.started[0].parameters, "");
    EXPECT_EQ(fake.shell.started[0].folder, program);
    EXPECT_EQ(fake.shell.started[0].show, ShowMode::NoActivate);
    ASSERT_TRUE(w->beendenauto.enabled());

    // Scourix ends 200 ms later and closes the window with it: the request stays for Gatefire.
    w->beendenauto.tick();
    EXPECT_TRUE(fake.app.ended);
    EXPECT_TRUE(d.isClosed());
    EXPECT_EQ(direckt(), "\"-directip 10.1.2.3:2092\"\r\n\"1\"\r\n\"0\"\r\n");
}

TEST_F(DirectJoin, ClosedBeforeGatefireStartsTheJoinIsWithdrawn) {
    scourix::Diereckt& d = open();
    d.iptext.setText("1.2.3.4:2092");
    d.teilnehmen.click();
    d.close();
    EXPECT_FALSE(d.d3run.enabled());
    EXPECT_TRUE(fake.shell.started.empty());
    EXPECT_EQ(direckt(), "\"-pxo 1.2.3.4:2092\"\r\n\"0\"\r\n\"0\"\r\n");
}

TEST_F(DirectJoin, AJoinWhoseGatefireDoesNotStartIsWithdrawnAndScourixStays) {
    writeDirect("", "0", "0");
    scourix::Diereckt& d = open(true);
    d.iptext.setText("1.2.3.4:2092");
    d.jointfrage.setValue(1);
    fake.shell.failing.insert("gatefire.exe");
    for (int always : {0, 1}) {
        d.immer.setValue(always);
        d.teilnehmen.click();
        d.d3run.tick();
        EXPECT_EQ(direckt(), "\"-pxo 1.2.3.4:2092\"\r\n\"" + std::string(always ? "2" : "0") +
                                 "\"\r\n\"1\"\r\n");
        EXPECT_FALSE(w->beendenauto.enabled());
        EXPECT_TRUE(d.isOpen());
        EXPECT_FALSE(d.joined());
        ASSERT_EQ(fake.dialogs.boxes.size(), always + 1u);
        EXPECT_EQ(texts().back(), "Gatefire konnte nicht gestartet werden:\n" +
                                      path("gatefire.exe") +
                                      "\nEs wird keinem Server beigetreten; Scourix bleibt offen.");
    }
}

// The end of Scourix after a join may fail (its save fails, the player cancels): the join's
// mark must not keep a later join's request, or later choices, from being written.
TEST_F(DirectJoin, AStartedJoinCoversOnlyItsOwnEnd) {
    writeDirect("", "0", "0");
    scourix::Diereckt& d = open();
    d.iptext.setText("1.2.3.4:2092");
    d.immer.setValue(1);
    d.teilnehmen.click();
    d.d3run.tick();
    ASSERT_TRUE(d.joined());
    d.immer.setValue(0);
    d.close();
    EXPECT_EQ(direckt(), "\"-pxo 1.2.3.4:2092\"\r\n\"0\"\r\n\"0\"\r\n") << "changed after the join";

    w->m44.click();
    d.teilnehmen.click();
    d.d3run.tick();
    d.teilnehmen.click(); // a second join, closed before its tick
    d.close();
    EXPECT_EQ(direckt(), "\"-pxo 1.2.3.4:2092\"\r\n\"0\"\r\n\"0\"\r\n") << "withdrawn";
}

TEST_F(DirectJoin, JoinAlwaysWritesTwo) {
    scourix::Diereckt& d = open();
    d.iptext.setText("1.2.3.4:2092");
    d.immer.setValue(1);
    d.jointfrage.setValue(1);
    d.teilnehmen.click();
    EXPECT_EQ(direckt(), "\"-pxo 1.2.3.4:2092\"\r\n\"2\"\r\n\"1\"\r\n");
}

// The game copies the address into 50 bytes and reads every argument as a possible switch.
TEST_F(DirectJoin, JoinWithoutAnAddressOrWithOneTooLongForTheGameDoesNothing) {
    std::string ue25; // 25 letters, 50 bytes
    for (int i = 0; i < 25; ++i) ue25 += "\xc3\xbc";
    const struct {
        std::string address;
        bool german;
        const char* says; // the start of the message
    } cases[] = {
        {"", false, ""},
        {std::string(100, '1'), false, "The server address is too long"},
        {std::string(50, '1'), false,
         "The server address is too long for the game: it takes at "
         "most 49 bytes"},
        {ue25, true, "Die Serveradresse ist zu lang für das Spiel: Es nimmt höchstens 49 Bytes"},
        {"1.2.3.4:2092 -nointro", false,
         "The game would read \"-nointro\" in the server address as its switch -nointro."},
        {"port", true,
         "Das Spiel würde \"port\" in der Serveradresse als seinen Schalter -port "
         "lesen."},
    };
    for (const auto& c : cases) {
        writeDirect("", "0", "0");
        scourix::Diereckt& d = open(c.german);
        fake.files.addFile(path(settings::kScourixIni), "changed");
        d.iptext.setText(c.address);
        d.teilnehmen.click();
        EXPECT_EQ(file(settings::kScourixIni), "changed") << "no save";
        EXPECT_FALSE(d.d3run.enabled());
        EXPECT_EQ(direckt(), "\"\"\r\n\"0\"\r\n\"0\"\r\n");
        EXPECT_EQ(fake.dialogs.boxes.size(), c.address.empty() ? 0u : 1u);
        if (*c.says && !fake.dialogs.boxes.empty()) {
            EXPECT_EQ(fake.dialogs.boxes[0].text.rfind(c.says, 0), 0u)
                << fake.dialogs.boxes[0].text;
        }
        fake.dialogs.boxes.clear();
        w.reset();
    }
    // 49 bytes go.
    scourix::Diereckt& d = open();
    d.iptext.setText(ue25.substr(2));
    d.teilnehmen.click();
    EXPECT_TRUE(d.d3run.enabled());
}

TEST_F(DirectJoin, AFailedWriteNamesTheFileStartsNothingAndKeepsScourix) {
    writeDirect("-pxo old:1", "2", "0");
    scourix::Diereckt& d = open(true);
    d.iptext.setText("1.2.3.4:2092");
    fake.files.diskFull(true);
    d.teilnehmen.click();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(texts()[0].find(path(settings::kDirecktIni)), std::string::npos);
    EXPECT_NE(texts()[0].find("konnte nicht geschrieben werden"), std::string::npos);
    EXPECT_FALSE(d.d3run.enabled());
    EXPECT_EQ(direckt(), "\"-pxo old:1\"\r\n\"2\"\r\n\"0\"\r\n") << "the old file stays whole";

    d.close();
    EXPECT_TRUE(d.isClosed()) << "a close that cannot write still closes";
    EXPECT_EQ(fake.dialogs.boxes.size(), 2u);
    EXPECT_FALSE(fake.app.ended);
}

TEST_F(DirectJoin, AJoinWhoseSaveFailsLeavesNoRequestBehind) {
    writeDirect("", "0", "0");
    scourix::Diereckt& d = open();
    d.iptext.setText("1.2.3.4:2092");
    // Room for the two writes of direckt.ini, not for scourix.ini and keys.ini.
    fake.files.failWritesAfter(70);
    d.teilnehmen.click();
    EXPECT_FALSE(d.d3run.enabled()) << "Gatefire would find an old configuration";
    EXPECT_EQ(direckt(), "\"-pxo 1.2.3.4:2092\"\r\n\"0\"\r\n\"0\"\r\n") << "no one-time request";
}

TEST_F(DirectJoin, TrackerButtonsOpenTheirPagesMaximised) {
    scourix::Diereckt& d = open();
    d.d3cxserver.click();
    d.d3tcpserver.click();
    ASSERT_EQ(fake.shell.addresses.size(), 2u);
    EXPECT_NE(fake.shell.addresses[0], fake.shell.addresses[1]);
    for (const std::string& a : fake.shell.addresses) EXPECT_EQ(a.rfind("https://", 0), 0u);
    EXPECT_EQ(fake.shell.addressShows,
              (std::vector<ShowMode>{ShowMode::Maximized, ShowMode::Maximized}));
    EXPECT_TRUE(fake.dialogs.boxes.empty());
    // Without a browser the player is given the address.
    fake.shell.opensAddresses = false;
    d.d3tcpserver.click();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(fake.dialogs.boxes[0].text.find(fake.shell.addresses.back()), std::string::npos);
}

TEST_F(DirectJoin, TheMainWindowsEndClosesItAndItWrites) {
    writeDirect("", "0", "0");
    scourix::Diereckt& d = open();
    d.iptext.setText("4.4.4.4:1");
    answer({Answer::No});
    w->close();
    EXPECT_TRUE(d.isClosed());
    EXPECT_EQ(direckt(), "\"-pxo 4.4.4.4:1\"\r\n\"0\"\r\n\"0\"\r\n");
}

// --- Side-program list editor ---------------------------------------------------------------

class SidePrograms : public Tools {
  protected:
    SidePrograms() {
        fake.files.addFile("D:\\Tools\\voice.exe");
        fake.files.addFile("D:\\Tools\\readme.txt");
        fake.files.addFile("D:\\root.exe");
    }
    scourix::Shellstart& open(bool german = false) {
        start(german);
        w->m43.click();
        return w->shellstart();
    }
    // Browses row `row` to `folder` and clicks `name` in the file list.
    void pick(scourix::Shellstart& s, int row, const std::string& folder, const std::string& name) {
        s.br[row - 1]->click();
        s.Laufwerk.setDrive(folder);
        ASSERT_TRUE(s.Verzeichnis.setPath(folder));
        for (int i = 0; i < s.File1.count(); ++i)
            if (s.File1.item(i) == name) return s.File1.setListIndex(i);
        FAIL() << name << " not listed";
    }
    std::string list() const { return file(settings::kShellListTxt); }
};

TEST_F(SidePrograms, FirstRunWritesFiveEmptySlotsAndShowsEmptyRows) {
    scourix::Shellstart& s = open();
    std::string expected;
    for (int i = 0; i < 5; ++i) expected += "\"\"\r\n\"\"\r\n\"0\"\r\n";
    EXPECT_EQ(list(), expected);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.pr[i]->text(), "");
        EXPECT_FALSE(s.a[i]->enabled());
    }
    EXPECT_EQ(s.caption(), "start with Gatefire.....");
    EXPECT_EQ(s.clientWidth, 6540);
    EXPECT_EQ(s.clientHeight, 3030);
    EXPECT_FALSE(s.brfenster.visible());
}

TEST_F(SidePrograms, ReadsTheSlotsAndShowsOnlyRowsWithAFolder) {
    settings::ShellList l;
    l[0] = {"voice.exe", "D:\\Tools", "1"};
    l[1] = {"ghost.exe", "", "1"};
    l[3] = {"root.exe", "D:\\", "0"};
    writeShellList(l);
    scourix::Shellstart& s = open(true);
    EXPECT_EQ(s.caption(), "starte mit Gatefire.....");
    EXPECT_EQ(s.save.caption(), "sichern");
    EXPECT_EQ(s.pr1.text(), "D:\\Tools\\voice.exe");
    EXPECT_EQ(s.a1.value(), 1);
    EXPECT_TRUE(s.a1.enabled());
    EXPECT_EQ(s.pr2.text(), "");
    EXPECT_FALSE(s.a2.enabled()) << "no folder: the row stays empty";
    EXPECT_EQ(s.pr4.text(), "D:\\\\root.exe") << "a root, a second backslash and the name";
    EXPECT_EQ(s.a4.value(), 0);

    // The list Gatefire writes when it has none holds "0" as each folder and no program.
    settings::SettingsFile f(fake.codepage);
    settings::writeLauncherShellList(f);
    fake.files.addFile(path(settings::kShellListTxt), f.bytes());
    scourix::Shellstart& again = open();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(again.pr[i]->text(), "") << i;
}

// The start flag by the one rule Gatefire starts by ("1.5" starts nothing); the lines a later
// version wrote after the five slots stay on a save.
TEST_F(SidePrograms, FlagsReadAsGatefireReadsThemAndLaterLinesStay) {
    const std::string later = "\"from a later version\"\r\n", empty = "\"\"\r\n\"\"\r\n0\r\n";
    fake.files.addFile(
        path("shelllist.txt"),
        "\"a.exe\"\r\n\"D:\\Tools\"\r\n1.5\r\n\"b.exe\"\r\n\"D:\\Tools\"\r\n1.0\r\n" + empty +
            empty + empty + later);
    scourix::Shellstart& s = open();
    EXPECT_EQ(s.a1.value(), 0);
    EXPECT_EQ(s.a2.value(), 1);
    s.save.click();
    EXPECT_EQ(list().substr(list().size() - later.size()), later);
}

TEST_F(SidePrograms, BrowsingRowThreeTicksOnlyItsBoxAndSavesByteForByte) {
    settings::ShellList l;
    l[0] = {"voice.exe", "D:\\Tools", "1"};
    l[1] = {"old.exe", "C:\\Old", "0"};
    writeShellList(l);
    scourix::Shellstart& s = open();
    pick(s, 3, "D:\\Tools", "voice.exe");
    EXPECT_EQ(s.row(), 3);
    EXPECT_EQ(s.File1.count(), 1) << "only programs are listed";
    EXPECT_FALSE(s.brfenster.visible()) << "a click on a program takes it";
    EXPECT_EQ(s.pr3.text(), "D:\\Tools\\voice.exe");
    std::vector<int> ticks;
    for (ui::CheckBox* a : s.a) ticks.push_back(a->value());
    EXPECT_EQ(ticks, (std::vector<int>{1, 0, 1, 0, 0}));

    s.save.click();
    EXPECT_TRUE(s.isClosed());
    EXPECT_EQ(list(), "\"voice.exe\"\r\n\"D:\\Tools\"\r\n1\r\n"
                      "\"old.exe\"\r\n\"C:\\Old\"\r\n0\r\n"
                      "\"voice.exe\"\r\n\"D:\\Tools\"\r\n1\r\n"
                      "\"\"\r\n\"\"\r\n0\r\n\"\"\r\n\"\"\r\n0\r\n");
}

TEST_F(SidePrograms, ARootFolderIsKeptAsTheListGivesIt) {
    scourix::Shellstart& s = open();
    pick(s, 2, "D:\\", "root.exe");
    EXPECT_EQ(s.pr2.text(), "D:\\\\root.exe");
    EXPECT_EQ(s.sideFolder[1], "D:\\");
}

TEST_F(SidePrograms, OkWithoutAFileAndCancelChangeNothing) {
    scourix::Shellstart& s = open();
    s.br4.click();
    EXPECT_TRUE(s.brfenster.visible());
    EXPECT_EQ(s.brfenster.left, 100);
    EXPECT_EQ(s.brfenster.top, 30);
    s.File1.clear();
    s.brok.click();
    EXPECT_TRUE(s.brfenster.visible());
    EXPECT_EQ(s.pr4.text(), "");
    s.brabbruch.click();
    EXPECT_FALSE(s.brfenster.visible());
}

TEST_F(SidePrograms, EmptyingAPathUnticksItsRowButKeepsTheSlot) {
    settings::ShellList l;
    l[1] = {"voice.exe", "D:\\Tools", "1"};
    writeShellList(l);
    scourix::Shellstart& s = open();
    s.pr2.setText("");
    EXPECT_EQ(s.a2.value(), 0);
    EXPECT_FALSE(s.a2.enabled());
    s.save.click();
    EXPECT_EQ(list(), "\"\"\r\n\"\"\r\n0\r\n\"voice.exe\"\r\n\"D:\\Tools\"\r\n0\r\n"
                      "\"\"\r\n\"\"\r\n0\r\n\"\"\r\n\"\"\r\n0\r\n\"\"\r\n\"\"\r\n0\r\n");
}

// A path typed by hand is taken apart into folder and file as browsing gives them, so Gatefire
// starts it; an unchanged row keeps its slot as it was read.
TEST_F(SidePrograms, TypedPathsAreSavedAsFolderAndFileAndGatefireStartsThem) {
    settings::ShellList l;
    l[0] = {"voice.exe", "D:\\Tools", "1"};
    writeShellList(l);
    scourix::Shellstart& s = open();
    s.pr2.setText("C:\\Typed\\typed.exe");
    s.a2.setValue(1);
    s.pr3.setText("D:\\root.exe");
    s.a3.setValue(1);
    s.pr4.setText("/opt/tool/run");
    s.save.click();
    EXPECT_EQ(list(), "\"voice.exe\"\r\n\"D:\\Tools\"\r\n1\r\n"
                      "\"typed.exe\"\r\n\"C:\\Typed\"\r\n1\r\n"
                      "\"root.exe\"\r\n\"D:\\\"\r\n1\r\n"
                      "\"run\"\r\n\"/opt/tool\"\r\n0\r\n\"\"\r\n\"\"\r\n0\r\n");

    launcher::Anzeiger gatefire(fake.platform);
    gatefire.load();
    gatefire.putzstart.tick();
    std::vector<std::string> started;
    for (const auto& st : fake.shell.started) started.push_back(st.file + " in " + st.folder);
    ASSERT_GE(started.size(), 3u);
    EXPECT_EQ(
        std::vector<std::string>(started.begin(), started.begin() + 3),
        (std::vector<std::string>{"D:\\Tools\\voice.exe in D:\\Tools",
                                  "C:\\Typed\\typed.exe in C:\\Typed", "D:\\root.exe in D:\\"}));
}

// A UTF-16 list is one Gatefire keeps as the player's own: it is kept here too, as a copy.
TEST_F(SidePrograms, AShortOrUtf16FileIsKeptAsACopyAndResetToFiveEmptySlots) {
    const std::string shortList = "\"voice.exe\"\r\n\"D:\\Tools\"\r\n1\r\n";
    std::string wide = "\xFF\xFE";
    for (char c : shortList + shortList + shortList + shortList + shortList)
        wide += c, wide += '\0';
    start();
    int n = 0;
    for (const std::string& bytes : {shortList, wide}) {
        fake.files.addFile(path(settings::kShellListTxt), bytes);
        w->m43.click();
        scourix::Shellstart& s = w->shellstart();
        EXPECT_EQ(s.pr1.text(), "");
        EXPECT_EQ(list().substr(0, 13), "\"\"\r\n\"\"\r\n\"0\"\r\n");
        const std::string copy = path(settings::kShellListTxt) + (n++ ? ".bak2" : ".bak");
        EXPECT_EQ(fake.files.content(copy), bytes);
        ASSERT_EQ(fake.dialogs.boxes.size(), std::size_t(n));
        EXPECT_NE(texts().back().find(copy), std::string::npos);
        s.close();
    }
}

TEST_F(SidePrograms, ClosingOtherwiseSavesNothing) {
    scourix::Shellstart& s = open();
    const std::string before = list();
    pick(s, 1, "D:\\Tools", "voice.exe");
    s.close();
    EXPECT_EQ(list(), before);
}

TEST_F(SidePrograms, WritesThatFailNameTheFileAndKeepTheOldOne) {
    settings::ShellList l;
    l[0] = {"voice.exe", "D:\\Tools", "1"};
    writeShellList(l);
    const std::string before = list();
    scourix::Shellstart& s = open();
    fake.files.diskFull(true);
    s.a1.setValue(0);
    s.save.click();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(texts()[0].find(path(settings::kShellListTxt)), std::string::npos);
    EXPECT_TRUE(s.isOpen()) << "the choice is not lost";
    EXPECT_EQ(list(), before);
    EXPECT_FALSE(fake.app.ended);

    // The fresh file of a load that cannot be written: named once, five empty rows.
    s.close();
    fake.files.addFile(path(settings::kShellListTxt), "short");
    fake.dialogs.boxes.clear();
    w->m43.click();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(texts()[0].find(settings::kShellListTxt), std::string::npos);
    EXPECT_EQ(list(), "short");
    EXPECT_TRUE(s.isShown());
    EXPECT_EQ(s.pr1.text(), "");
    EXPECT_EQ(s.a1.value(), 0);
}

TEST_F(SidePrograms, TheMainWindowsCloseClosesItWithoutSaving) {
    scourix::Shellstart& s = open();
    const std::string before = list();
    pick(s, 1, "D:\\Tools", "voice.exe");
    answer({Answer::Yes});
    w->close();
    EXPECT_TRUE(s.isClosed());
    EXPECT_EQ(list(), before);
}

// --- Statistics remover ---------------------------------------------------------------------

class Stats : public Tools {};

TEST_F(Stats, DeletesTheStatisticsFilesAndSaysHowMany) {
    for (const char* n : {"a.stats", "b.stats", "c.STATS", "keep.txt", "hosts.allow"})
        fake.files.addFile(netgames(n));
    fake.files.addFile(game + "\\top.stats");
    start();
    w->box("delstad").setValue(0);
    w->delstadjetzt.click();
    EXPECT_EQ(fake.files.files(netgames()), (std::vector<std::string>{"keep.txt", "hosts.allow"}));
    EXPECT_TRUE(fake.files.has(game + "\\top.stats"));
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(texts()[0], " 3 stats-files deleted !");
    EXPECT_EQ(fake.dialogs.boxes[0].icon, Icon::Information);
    EXPECT_EQ(fake.dialogs.boxes[0].title, "scourix");
    EXPECT_TRUE(w->stadkiller().isClosed());
    EXPECT_FALSE(w->stadkiller().wasShown());

    // Whether Gatefire deletes them has no say here.
    fake.files.addFile(netgames("d.stats"));
    w->box("delstad").setValue(1);
    w->delstadjetzt.click();
    EXPECT_EQ(texts()[1], " 1 stats-files deleted !");
    w->delstadjetzt.click();
    EXPECT_EQ(texts()[2], " 0 stats-files deleted !");
}

TEST_F(Stats, CountsOnlyWhatWasDeletedInBothLanguages) {
    for (const char* n : {"a.stats", "b.stats", "c.stats"}) fake.files.addFile(netgames(n));
    fake.files.failRemove(netgames("b.stats"));
    start(true);
    w->delstadjetzt.click();
    EXPECT_EQ(texts()[0], " 2 Stats-Dateien gelöscht !\n1 Stats-Dateien konnten nicht gelöscht "
                          "werden (schreibgeschützt oder in Gebrauch).");
    EXPECT_EQ(fake.files.files(netgames()), std::vector<std::string>{"b.stats"});
}

TEST_F(Stats, AGameFolderWithoutNetgamesSaysPathNotFound) {
    start();
    fake.files.addFile("C:\\Other\\netgames.stats");
    w->d3path.setText("C:\\Other");
    w->delstadjetzt.click();
    EXPECT_EQ(texts(), std::vector<std::string>{"Error ! Path not found"});
    EXPECT_EQ(fake.dialogs.boxes[0].icon, Icon::Critical);
    EXPECT_TRUE(fake.files.has("C:\\Other\\netgames.stats"));
}

// --- Info window ----------------------------------------------------------------------------

TEST_F(Tools, InfoFromMusicTesterShowsTheHintAndItsDownload) {
    start();
    fake.app.ver = {3, 1, 12};
    w->m31.click();
    scourix::Infofenster& i = w->infofenster();
    EXPECT_TRUE(w->session().testerHint);
    EXPECT_TRUE(i.isShown());
    EXPECT_TRUE(i.Frame2.visible());
    EXPECT_EQ(i.caption(), "info");
    EXPECT_EQ(i.Label4.caption().rfind("Musictester is a Tool of ", 0), 0u);
    EXPECT_NE(i.Label4.caption().find(" . Install the Leveleditor . Musictester is in the zip . "
                                      "Here the Download address of the editor v 1.0 !"),
              std::string::npos);
    EXPECT_EQ(i.Label2.caption(), "comment :");
    EXPECT_EQ(i.lblVersion.caption(), "Version 3.1.12");
    i.downl.click();
    ASSERT_EQ(fake.shell.addresses.size(), 1u);
    EXPECT_EQ(fake.shell.addresses[0], i.downl.caption()) << "the button shows its address";
    EXPECT_EQ(fake.shell.addressShows[0], ShowMode::Maximized);
    i.ok.click();
    EXPECT_TRUE(i.isClosed());
}

TEST_F(Tools, InfoFromScourixHasNoHintAndIsGermanByTheMenu) {
    start(true);
    w->m33.click();
    scourix::Infofenster& i = w->infofenster();
    EXPECT_FALSE(w->session().testerHint);
    EXPECT_FALSE(i.Frame2.visible());
    EXPECT_EQ(i.caption(), "Info");
    EXPECT_EQ(i.Label2.caption(), "Anmerkung:");
    EXPECT_EQ(i.Label4.caption().rfind("Musictester ist ein Tool von ", 0), 0u);
    EXPECT_LT(i.Frame1.top + i.Frame1.height, i.clientHeight) << "the credits fit";
    EXPECT_LT(i.clientHeight, 200 * 15) << "no empty space where the hint was";
}

TEST_F(Tools, ClosingTheMainWindowClosesTheInfoWindow) {
    start();
    w->m33.click();
    answer({Answer::No});
    w->close();
    EXPECT_TRUE(w->infofenster().isClosed());
}

} // namespace
