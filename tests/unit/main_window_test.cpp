#include <gtest/gtest.h>

#include <map>
#include <set>

#include "config/mainwindow/clean_now.h"
#include "config/mainwindow/main_window.h"
#include "config/mainwindow/texts.h"
#include "config/tools/ordner.h"
#include "tests/support/game_folder.h"

namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using Names = std::vector<std::string>;
using Controls = std::initializer_list<ui::Control*>;

const char* const kFirstRunScourix =
    "\r\n\r\n\r\n1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n\r\n2\r\n\r\n\r\n\r\n";
const char* const kFirstRunKeys =
    "deadzone0 0.0\r\nframecap 0\r\nhighvidmem\r\nnointro\r\nnomusic\r\nnosound\r\n"
    "nooutdoorfog\r\nnooutragelogo\r\nnopentium3\r\nnorenderwindows\r\nnosparkles\r\n"
    "playermessages\r\nsuperlowmem\r\nuseport 2092\r\nvsync\r\n***011100010110000\r\n";

// The game's languages, as the game settings page lists them.
const Names kGameLanguages{"English", "French", "German", "Italian", "Spanish"};

class Main : public ::testing::Test, public GameFolder {
  protected:
    Main() {
        program = "C:\\Scourix";
        fake.app.folder = program;
        fake.dialogs.programTitle = "scourix";
        fake.files.addFolder(program);
        fake.files.setCurrentFolder(program);
    }

    scourix::MainWindow& start() {
        w = std::make_unique<scourix::MainWindow>(fake.platform);
        w->open();
        return *w;
    }
    // Settings with two pilots in the game folder, and the window loaded on them.
    scourix::MainWindow& startWithPilots(const std::string& pilotName = "") {
        fake.files.addFile(game + "\\Alice.plt", "alice");
        fake.files.addFile(game + "\\Bob.plt", "bob");
        ini["PilotName"] = pilotName;
        writeSettings({"mine.ogf"}, {"mine.osf"}, {"nointro", "useport 2092"}, {true, false});
        return start();
    }
    std::string file(const std::string& name) const {
        return fake.files.content(path(name)).value_or("<none>");
    }
    static Names items(const ui::ListBox& l) {
        Names out;
        for (int i = 0; i < l.count(); ++i) out.push_back(l.item(i));
        return out;
    }
    static Names selectedItems(const ui::ListBox& l) {
        Names out;
        for (int i = 0; i < l.count(); ++i)
            if (l.selected(i)) out.push_back(l.item(i));
        return out;
    }
    // A click on a line of a list that allows several selected lines.
    static void toggle(ui::ListBox& l, int i) {
        l.setSelected(i, !l.selected(i));
        l.setListIndex(i);
    }
    const FakeDialogs::Box& box(std::size_t i = 0) const { return fake.dialogs.boxes.at(i); }
    std::size_t boxes() const { return fake.dialogs.boxes.size(); }
    void answer(std::initializer_list<Answer> a) { fake.dialogs.answers.assign(a); }
    void type(std::initializer_list<std::string> t) { fake.dialogs.typed.assign(t); }
    std::map<std::string, std::string> settingsFiles() const {
        std::map<std::string, std::string> out;
        for (const char* n :
             {settings::kScourixIni, settings::kLogosIni, settings::kTauntsIni, settings::kKeysIni})
            out[n] = file(n);
        return out;
    }

    std::unique_ptr<scourix::MainWindow> w;
};

// --- Loading and the first-run recovery -------------------------------------------------

// Before any settings are there, the first boxes speak the system's language, as the first-run
// files then do.
TEST_F(Main, FirstStartBoxesSpeakTheSystemsLanguage) {
    fake.host.uiLocale = "fr_FR.UTF-8";
    answer({Answer::Ok, Answer::Ok});
    start();
    ASSERT_GE(boxes(), 2u);
    EXPECT_EQ(box(0).text, lang::tr(lang::byCode("fr"), "Error !! No INI-File or bad INI-File !"));
    EXPECT_NE(box(0).text, "Error !! No INI-File or bad INI-File !");
    EXPECT_EQ(box(1).text, lang::tr(lang::byCode("fr"), "new files provide? "));
}

TEST_F(Main, FirstStartOfferedNewFilesWritesTheFirstRunFilesAndShowsThem) {
    answer({Answer::Ok, Answer::Ok});
    scourix::MainWindow& win = start();

    ASSERT_EQ(boxes(), 2u);
    EXPECT_EQ(box(0).text, "Error !! No INI-File or bad INI-File !");
    EXPECT_EQ(box(0).icon, Icon::Critical);
    EXPECT_EQ(box(0).buttons, Buttons::Ok);
    EXPECT_EQ(box(0).title, "Scourix - ERROR!!");
    EXPECT_EQ(box(1).text, "new files provide? ");
    EXPECT_EQ(box(1).icon, Icon::Question);
    EXPECT_EQ(box(1).buttons, Buttons::OkCancel);
    EXPECT_EQ(box(1).title, "Scourix - ERROR!!");

    EXPECT_EQ(file("scourix.ini"), kFirstRunScourix);
    EXPECT_EQ(file("keys.ini"), kFirstRunKeys);
    EXPECT_EQ(file("logos.ini"), "");
    EXPECT_EQ(file("taunts.ini"), "");
    EXPECT_FALSE(fake.files.exists(path("keys.ini.bak")));
    EXPECT_FALSE(fake.app.ended);

    EXPECT_EQ(win.d3path.text(), "");
    for (ui::Control* c :
         Controls{&win.Frame1, &win.Frame2, &win.Frame3, &win.Frame4, &win.Frame5, &win.m2})
        EXPECT_FALSE(c->enabled()) << c->name();
    EXPECT_TRUE(win.nologoaktion.value());
    EXPECT_TRUE(win.nosoundaktion.value());
    EXPECT_EQ(win.m1.caption(), "&file");
    EXPECT_EQ(win.keylist.count(), 15);
    EXPECT_EQ(selectedItems(win.keylist),
              (Names{"framecap 0", "highvidmem", "nointro", "nooutragelogo", "norenderwindows",
                     "nosparkles"}));
}

TEST_F(Main, FirstStartCancelledEndsWithoutWritingAFile) {
    answer({Answer::Ok, Answer::Cancel});
    start();
    EXPECT_TRUE(fake.app.ended);
    EXPECT_EQ(boxes(), 2u);
    EXPECT_EQ(fake.files.writes(), 0);
    EXPECT_TRUE(fake.files.files(program).empty());
}

TEST_F(Main, ShortScourixIniIsRecoveredAndTheOldFilesAreKeptAsCopies) {
    writeSettings({"mine.ogf"}, {"mine.osf"}, {"nointro"}, {true});
    std::string shortIni = file("scourix.ini");
    shortIni.resize(shortIni.rfind("0\r\n")); // drops the 15th line
    fake.files.addFile(path("scourix.ini"), shortIni);
    const auto old = settingsFiles();
    answer({Answer::Ok, Answer::Ok, Answer::Ok});
    scourix::MainWindow& win = start();

    EXPECT_EQ(file("scourix.ini"), kFirstRunScourix);
    EXPECT_EQ(file("keys.ini"), kFirstRunKeys);
    EXPECT_EQ(file("logos.ini"), "");
    EXPECT_EQ(file("taunts.ini"), "");
    for (const auto& [name, content] : old) EXPECT_EQ(file(name + ".bak"), content) << name;

    ASSERT_EQ(boxes(), 3u);
    EXPECT_EQ(box(2).icon, Icon::Information);
    for (const char* n : {"scourix.ini.bak", "logos.ini.bak", "taunts.ini.bak", "keys.ini.bak"})
        EXPECT_NE(box(2).text.find(path(n)), std::string::npos) << n;
    EXPECT_EQ(win.keylist.count(), 15);
    EXPECT_EQ(win.logo.count(), 0);
    EXPECT_EQ(win.d3path.text(), "");
}

TEST_F(Main, ListLinesReadBeforeAFailureStayAfterTheRecovery) {
    writeSettings({"mine.ogf"}, {"mine.osf"});
    fake.files.remove(path("keys.ini"));
    answer({Answer::Ok, Answer::Ok, Answer::Ok});
    scourix::MainWindow& win = start();

    EXPECT_EQ(items(win.logo), Names{"mine.ogf"});
    EXPECT_EQ(items(win.mysounds), Names{"mine.osf"});
    EXPECT_EQ(file("logos.ini.bak"), "\"mine.ogf\"\r\n");
    EXPECT_FALSE(fake.files.exists(path("keys.ini.bak")));
    EXPECT_EQ(box(2).text.find(path("keys.ini.bak")), std::string::npos);
}

TEST_F(Main, AnOldFileThatCannotBeCopiedIsLeftAsItWas) {
    writeSettings({"mine.ogf"}, {"mine.osf"});
    fake.files.remove(path("keys.ini"));
    // keys.ini is gone, so logos.ini is the first file copied and taunts.ini the second.
    fake.files.failCopyNth(2);
    answer({Answer::Ok, Answer::Ok, Answer::Ok});
    start();

    EXPECT_EQ(file("logos.ini.bak"), "\"mine.ogf\"\r\n");
    EXPECT_EQ(file("logos.ini"), "");
    EXPECT_EQ(file("taunts.ini.bak"), "<none>");
    EXPECT_EQ(file("taunts.ini"), "\"mine.osf\"\r\n");
    EXPECT_EQ(file("keys.ini"), kFirstRunKeys);
    ASSERT_EQ(boxes(), 3u);
    EXPECT_NE(box(2).text.find("could not be copied"), std::string::npos);
    EXPECT_NE(box(2).text.find(path("taunts.ini")), std::string::npos);
}

// Only a definite "not there" lets the recovery write a file or a copy from nothing.
TEST_F(Main, TheRecoveryNeitherReplacesNorCopiesOverWhatTheFileSystemCannotBeAskedAbout) {
    writeSettings({"mine.ogf"}, {"mine.osf"});
    fake.files.remove(path("keys.ini"));
    fake.files.failQuery(path("logos.ini"));
    fake.files.addFile(path("taunts.ini.bak"), "old copy");
    fake.files.failQuery(path("taunts.ini.bak"));
    answer({Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok});
    start();
    EXPECT_EQ(file("logos.ini"), "\"mine.ogf\"\r\n");
    EXPECT_EQ(file("logos.ini.bak"), "<none>");
    EXPECT_EQ(file("taunts.ini.bak"), "old copy");
    EXPECT_EQ(file("taunts.ini.bak2"), "\"mine.osf\"\r\n");
    EXPECT_NE(box(2).text.find(path("logos.ini")), std::string::npos);
}

TEST_F(Main, FirstRunFilesThatCannotBeWrittenAreNamedAndTheRecoveryStopsAsking) {
    fake.files.diskFull(true);
    answer({Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok});
    start();

    ASSERT_EQ(boxes(), 4u);
    EXPECT_EQ(box(2).icon, Icon::Critical);
    for (const char* n : {"scourix.ini", "logos.ini", "taunts.ini", "keys.ini"})
        EXPECT_NE(box(2).text.find(path(n)), std::string::npos) << n;
    EXPECT_EQ(box(3).icon, Icon::Critical);
    EXPECT_NE(box(3).text.find("The settings file\n" + path("scourix.ini") + "\nstill cannot"),
              std::string::npos);
    EXPECT_TRUE(fake.app.ended);
}

// A file the recovery cannot replace (here: unreadable, so it survives) would bring the same
// two questions back for ever, and a second round overwrote the first round's copies.
TEST_F(Main, ASecondRecoveryNeverOverwritesTheCopiesOfThePlayersFiles) {
    writeSettings({"mine.ogf", "team.ogf"}, {"mine.osf"}, {"nointro"}, {true});
    const auto old = settingsFiles();
    fake.files.failRead(path("keys.ini"));
    answer({Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok});
    start();

    // One recovery, then the file that still fails is named and Scourix ends.
    ASSERT_EQ(boxes(), 4u);
    EXPECT_NE(box(3).text.find(path("keys.ini")), std::string::npos);
    EXPECT_TRUE(fake.app.ended);
    EXPECT_EQ(file("logos.ini.bak"), old.at("logos.ini"));
    EXPECT_EQ(file("scourix.ini.bak"), old.at("scourix.ini"));

    // Started again on what is left: the earlier copies stay, the new ones get new names.
    fake.app.ended = false;
    fake.dialogs.boxes.clear();
    fake.files.addFile(path("logos.ini"), "\"other.ogf\"\r\n");
    fake.files.addFile(path("scourix.ini"), "short\r\n");
    answer({Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok});
    start();
    EXPECT_EQ(file("logos.ini.bak"), old.at("logos.ini"));
    EXPECT_EQ(file("logos.ini.bak2"), "\"other.ogf\"\r\n");
    EXPECT_EQ(file("scourix.ini.bak2"), "short\r\n");
    EXPECT_NE(box(2).text.find(path("logos.ini.bak2")), std::string::npos);
}

// --- Reading the settings into the window ------------------------------------------------

TEST_F(Main, ChoiceLinesSelectByTheReadingRule) {
    ini["LogoNoAction"] = "1", ini["LogoDeleteOthers"] = "1", ini["LogoBackupOthers"] = "0";
    ini["TauntNoAction"] = "0", ini["TauntDeleteOthers"] = "0", ini["TauntBackupOthers"] = "";
    writeSettings();
    scourix::MainWindow& win = start();
    EXPECT_FALSE(win.nologoaktion.value());
    EXPECT_TRUE(win.grafkill.value());
    EXPECT_TRUE(win.usesoundssicheern.value());
    EXPECT_TRUE(win.soundssicherpath.enabled());
    EXPECT_TRUE(win.soundssicherbrowser.enabled());
    EXPECT_FALSE(win.graficsicherpath.enabled());
    // Saved as shown, so that Gatefire does what the window showed.
    win.sichern();
    EXPECT_NE(file("scourix.ini").find("\"0\"\r\n\"1\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"1\"\r\n"),
              std::string::npos);
}

TEST_F(Main, AllChoiceLinesZeroSelectNothingAndSaveBackAsZero) {
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "0", ini["LogoBackupOthers"] = "0";
    writeSettings();
    scourix::MainWindow& win = start();
    for (ui::OptionButton* o : {&win.nologoaktion, &win.grafkill, &win.usegraficsicher})
        EXPECT_FALSE(o->value()) << o->name();
    win.sichern();
    EXPECT_NE(file("scourix.ini").find("\"\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"1\""),
              std::string::npos);
}

TEST_F(Main, BackupFolderEnablesTheRestoreButtonFromTheLoadOn) {
    ini["LogoBackupPath"] = "D:\\Logos";
    writeSettings();
    scourix::MainWindow& win = start();
    EXPECT_TRUE(win.auslagergraf.enabled());
    EXPECT_FALSE(win.auslagersound.enabled());
    EXPECT_EQ(win.graficsicherpath.text(), "D:\\Logos");
    EXPECT_FALSE(win.graficsicherpath.enabled()); // "no action" is the choice
}

// A file of a later version: its lines after ours, and a value the window shows as it read it,
// survive a save.
TEST_F(Main, ASaveKeepsTheLinesOfALaterVersionAndUntouchedValues) {
    ini["DeleteStats"] = "1.0", ini["WindowPlace"] = "5,6";
    writeSettings();
    settings::SettingsFile read(fake.codepage);
    const std::string later = "\"later\"\r\n";
    settings::writeScourixIni(read, ini, later);
    ASSERT_TRUE(read.bytes().ends_with(later));
    fake.files.addFile(path("scourix.ini"), read.bytes());
    scourix::MainWindow& win = start();
    EXPECT_EQ(boxes(), 0u);
    EXPECT_EQ(win.box("delstad").value(), 1);
    win.sichern();
    EXPECT_EQ(file("scourix.ini"), read.bytes());
}

// Scourix reopens where the player left it; a window that was not moved saves no place, so a
// file of the first version stays one.
TEST_F(Main, ReopensWhereItWasMovedToAndSaved) {
    writeSettings();
    const std::string fifteen = file("scourix.ini");
    scourix::MainWindow& win = start();
    EXPECT_FALSE(win.position()) << "centred";
    win.sichern();
    EXPECT_EQ(file("scourix.ini"), fifteen);

    win.moveTo({-700, 120});
    answer({Answer::Yes});
    win.close();
    EXPECT_EQ(file("scourix.ini"), fifteen + "\"-700,120\"\r\n");
    scourix::MainWindow& again = start();
    EXPECT_EQ(again.position(), (ui::ScreenPoint{-700, 120}));
    again.sichern();
    EXPECT_EQ(file("scourix.ini"), fifteen + "\"-700,120\"\r\n");
}

// Every control a row of scourix.ini names shows the value read from its line, and saves what
// the player set there on that line.
TEST_F(Main, EveryBoundControlShowsItsLineAndSavesIt) {
    const settings::ScourixIni first = ini;
    for (std::size_t i = 0; i < std::size(settings::kScourixRows); ++i) {
        const settings::ScourixRow& row = settings::kScourixRows[i];
        if (!row.control) continue;
        const bool tick = row.style == settings::Style::Number;
        ini = first;
        ini.line[i] = tick ? "1" : "D:\\Read";
        writeSettings();
        scourix::MainWindow& win = start();
        ui::Control* control = nullptr;
        for (ui::Control* c : win.controls())
            if (c->name() == row.control) control = c;
        ASSERT_TRUE(control) << row.name;
        if (auto* box = dynamic_cast<ui::CheckBox*>(control)) {
            EXPECT_TRUE(tick) << row.name;
            EXPECT_EQ(box->value(), 1) << row.name;
            box->setValue(0);
        } else {
            auto& text = dynamic_cast<ui::TextBox&>(*control);
            EXPECT_EQ(text.text(), "D:\\Read") << row.name;
            text.setText("D:\\Saved");
        }
        ASSERT_TRUE(win.sichern()) << row.name;
        ini.line[i] = tick ? "0" : "D:\\Saved";
        settings::SettingsFile expected(fake.codepage);
        settings::writeScourixIni(expected, ini);
        EXPECT_EQ(file("scourix.ini"), expected.bytes()) << row.name;
    }
}

TEST_F(Main, NumbersThatAreNotOneReadAsCleared) {
    ini["UsePilot"] = "x", ini["DeleteStats"] = "", ini["AutoCloseTester"] = "1";
    ini["MusicTesterPath"] = "C:\\MT\\MusicTester.exe";
    writeSettings();
    scourix::MainWindow& win = start();
    EXPECT_EQ(win.box("usepilot").value(), 0);
    EXPECT_EQ(win.box("delstad").value(), 0);
    EXPECT_TRUE(win.settings().autoCloseTester);
    EXPECT_EQ(win.settings().musicTesterPath, "C:\\MT\\MusicTester.exe");
    EXPECT_TRUE(win.play1.enabled());
}

TEST_F(Main, WithoutATesterPathThePreviewButtonIsDisabled) {
    writeSettings();
    EXPECT_FALSE(start().play1.enabled());
}

TEST_F(Main, ShortFlagStringLeavesTheLastSwitchesInactive) {
    writeSettings({}, {}, {"a", "b", "c"}, {});
    fake.files.addFile(path("keys.ini"), "\"a\"\r\n\"b\"\r\n\"c\"\r\n\"***01\"\r\n");
    EXPECT_EQ(selectedItems(start().keylist), Names{"b"});
}

TEST_F(Main, StoredPilotIsSelectedOnlyWhenItsNameMatchesExactly) {
    EXPECT_EQ(selectedItems(startWithPilots("Bob").pilotname), Names{"Bob"});
    EXPECT_EQ(items(w->pilotname), (Names{"Alice", "Bob"}));
    ini["PilotName"] = "bob";
    writeSettings();
    EXPECT_TRUE(selectedItems(start().pilotname).empty());
}

TEST_F(Main, MissingGameFolderLeavesThePilotListEmptyButThePanelsUsable) {
    ini["GamePath"] = "C:\\Nowhere";
    writeSettings();
    scourix::MainWindow& win = start();
    EXPECT_EQ(win.pilotname.count(), 0);
    EXPECT_TRUE(win.Frame1.enabled());
    EXPECT_TRUE(win.m2.enabled());
    EXPECT_TRUE(fake.dialogs.boxes.empty());
}

// --- Saving ------------------------------------------------------------------------------

TEST_F(Main, SaveWritesEveryFileFromTheWindow) {
    scourix::MainWindow& win = startWithPilots();
    win.usegraficsicher.setValue(true);
    win.graficsicherpath.setText("D:\\Logo Backup");
    win.soundkill.setValue(true);
    toggle(win.pilotname, 1);
    win.box("usepilot").setValue(1);
    win.box("delstad").setValue(1);
    win.languageEntry(lang::Language::German).click();
    win.logo.addItem("second.oaf");
    win.keylist.setSelected(1, true);
    win.keylist.setSelected(0, false);
    EXPECT_TRUE(win.sichern());

    EXPECT_EQ(
        file("scourix.ini"),
        "\"C:\\Games\\Descent3\"\r\n\"D:\\Logo Backup\"\r\n\"\"\r\n\"0\"\r\n\"0\"\r\n\"1\"\r\n"
        "\"0\"\r\n\"1\"\r\n\"0\"\r\n1\r\n\"Bob\"\r\n\"1\"\r\n1\r\n\"\"\r\n0\r\n");
    EXPECT_EQ(file("logos.ini"), "\"mine.ogf\"\r\n\"second.oaf\"\r\n");
    EXPECT_EQ(file("taunts.ini"), "\"mine.osf\"\r\n");
    EXPECT_EQ(file("keys.ini"), "\"nointro\"\r\n\"useport 2092\"\r\n\"***01\"\r\n");
    EXPECT_EQ(win.flags, "01");
    EXPECT_TRUE(fake.dialogs.boxes.empty());
}

TEST_F(Main, SaveConfigMenuSavesWithoutAMessage) {
    scourix::MainWindow& win = startWithPilots();
    win.keylist.addItem("vsync");
    win.m17.click();
    EXPECT_EQ(file("keys.ini"), "\"nointro\"\r\n\"useport 2092\"\r\n\"vsync\"\r\n\"***100\"\r\n");
    EXPECT_TRUE(fake.dialogs.boxes.empty());
}

TEST_F(Main, EmptyListsAreSavedAsEmptyFiles) {
    scourix::MainWindow& win = startWithPilots();
    win.logo.setListIndex(0);
    win.logominus.click();
    win.mysounds.setListIndex(0);
    win.mysoundminus.click();
    while (win.keylist.count()) win.keylist.removeItem(0);
    win.sichern();
    EXPECT_EQ(file("logos.ini"), "");
    EXPECT_EQ(file("taunts.ini"), "");
    EXPECT_EQ(file("keys.ini"), "\"***\"\r\n");
}

TEST_F(Main, SavingTakesTheFirstSelectedPilotAndClosingTheLast) {
    scourix::MainWindow& win = startWithPilots();
    win.pilotname.setSelected(0, true);
    win.pilotname.setSelected(1, true);
    win.sichern();
    EXPECT_EQ(win.pilot, "Alice");
    answer({Answer::Yes});
    win.close();
    EXPECT_EQ(win.pilot, "Bob");
    EXPECT_NE(file("scourix.ini").find("\"Bob\""), std::string::npos);
}

TEST_F(Main, FailedSaveNamesTheFilesInThePlayersLanguageAndKeepsTheOldOnes) {
    scourix::MainWindow& win = startWithPilots();
    const auto old = settingsFiles();
    win.languageEntry(lang::Language::German).click();
    win.logo.addItem("new.ogf");
    fake.files.diskFull(true);
    EXPECT_FALSE(win.sichern());

    ASSERT_EQ(boxes(), 1u);
    EXPECT_EQ(box().icon, Icon::Critical);
    EXPECT_EQ(box().title, "scourix");
    EXPECT_NE(box().text.find("nicht geschrieben"), std::string::npos);
    for (const auto& [name, content] : old) {
        EXPECT_NE(box().text.find(path(name)), std::string::npos) << name;
        EXPECT_EQ(file(name), content) << name;
    }
}

// A keep list that its file could not hold within the 1 MiB the programs read is not saved:
// the file stays, the player is told which list, the other files are saved, and the window
// keeps every entry, the file named as his system shows it. One entry less fits.
TEST_F(Main, AKeepListTooLongForItsFileIsRefused) {
    scourix::MainWindow& win = startWithPilots();
    fake.host.kind = platform::System::Linux;
    const std::string name(250, 'n');
    const std::size_t fit = settings::SettingsFile::kMaxBytes / (name.size() + 4);
    win.mysounds.clear();
    for (std::size_t i = 0; i <= fit; ++i) win.mysounds.addItem(name);
    const std::string before = file("taunts.ini"), ini = file("scourix.ini");
    win.box("delstad").setValue(1 - win.box("delstad").value());
    EXPECT_FALSE(win.sichern());
    EXPECT_TRUE(file("taunts.ini") == before);
    EXPECT_NE(file("scourix.ini"), ini);
    ASSERT_EQ(boxes(), 1u);
    EXPECT_EQ(box().text, scourix::mainwindow::texts::listTooLong(
                              win.txt2.caption(), fake.host.shownPath(path("taunts.ini")))
                              .in(win.language()));
    EXPECT_EQ(win.mysounds.count(), static_cast<int>(fit + 1));
    win.mysounds.removeItem(0);
    EXPECT_TRUE(win.sichern());
    EXPECT_EQ(file("taunts.ini").size(), fit * (name.size() + 4));
}

TEST_F(Main, OnlyTheFileThatFailedIsNamed) {
    scourix::MainWindow& win = startWithPilots();
    fake.files.failWritesAfter(file("scourix.ini").size() + 30);
    win.logo.addItem("a-very-long-logo-name-that-does-not-fit.ogf");
    EXPECT_FALSE(win.sichern());
    ASSERT_EQ(boxes(), 1u);
    EXPECT_NE(box().text.find("could not be written"), std::string::npos);
    EXPECT_NE(box().text.find(path("logos.ini")), std::string::npos);
    EXPECT_EQ(box().text.find(path("scourix.ini")), std::string::npos);
}

// --- Closing and exit ---------------------------------------------------------------------

TEST_F(Main, CloseQuestionInBothLanguages) {
    scourix::MainWindow& win = startWithPilots();
    answer({Answer::Cancel});
    win.close();
    EXPECT_EQ(box().text, "save config now ?");
    EXPECT_EQ(box().buttons, Buttons::YesNoCancel);
    EXPECT_EQ(box().icon, Icon::Question);
    EXPECT_EQ(box().title, "scourix");
    win.languageEntry(lang::Language::German).click();
    answer({Answer::Cancel});
    win.close();
    EXPECT_EQ(box(1).text, "Konfiguration jetzt speichern?");
    EXPECT_FALSE(win.isClosed()) << "cancel keeps the window open";
}

TEST_F(Main, CloseCancelKeepsEverythingNoDiscardsYesSaves) {
    scourix::MainWindow& win = startWithPilots();
    const auto old = settingsFiles();
    win.logo.addItem("new.ogf");
    answer({Answer::Cancel});
    win.close();
    EXPECT_FALSE(win.isClosed());
    EXPECT_EQ(items(win.logo), (Names{"mine.ogf", "new.ogf"}));
    EXPECT_EQ(settingsFiles(), old);

    answer({Answer::No});
    win.close();
    EXPECT_TRUE(win.isClosed());
    EXPECT_EQ(settingsFiles(), old);
    EXPECT_FALSE(fake.app.ended);

    answer({Answer::Yes});
    start().logo.addItem("new.ogf");
    w->close();
    EXPECT_TRUE(w->isClosed());
    EXPECT_EQ(file("logos.ini"), "\"mine.ogf\"\r\n\"new.ogf\"\r\n");
}

TEST_F(Main, ClosingAfterAFailedSaveKeepsTheWindowOpen) {
    scourix::MainWindow& win = startWithPilots();
    fake.files.diskFull(true);
    answer({Answer::Yes, Answer::Ok});
    win.close();
    EXPECT_FALSE(win.isClosed());
    EXPECT_EQ(boxes(), 2u);
    EXPECT_EQ(box(1).icon, Icon::Critical);
}

TEST_F(Main, ClosingClosesTheBrowserAndTheCleanNowWindow) {
    scourix::MainWindow& win = startWithPilots();
    win.d3pathbrowser.click();
    ASSERT_TRUE(win.ordner().isOpen());
    answer({Answer::No});
    win.m21.click();
    ASSERT_TRUE(win.anzeiger().isOpen());
    answer({Answer::Yes});
    win.close();
    EXPECT_FALSE(win.ordner().isOpen());
    EXPECT_FALSE(win.anzeiger().isOpen());
}

TEST_F(Main, ExitAsksOnceInBothLanguages) {
    scourix::MainWindow& win = startWithPilots();
    const auto old = settingsFiles();
    answer({Answer::Cancel});
    win.m15.click();
    EXPECT_EQ(box().text, "save config now ?");
    EXPECT_EQ(box().icon, Icon::Question);
    EXPECT_EQ(box().buttons, Buttons::YesNoCancel);
    EXPECT_FALSE(fake.app.ended);

    win.languageEntry(lang::Language::German).click();
    answer({Answer::No});
    win.m15.click();
    EXPECT_EQ(box(1).text, "Konfiguration jetzt speichern ?");
    EXPECT_TRUE(fake.app.ended);
    EXPECT_EQ(boxes(), 2u);
    EXPECT_EQ(settingsFiles(), old);
}

TEST_F(Main, ExitYesSavesThenEnds) {
    scourix::MainWindow& win = startWithPilots();
    win.logo.addItem("new.ogf");
    answer({Answer::Yes});
    win.m15.click();
    EXPECT_TRUE(fake.app.ended);
    EXPECT_EQ(file("logos.ini"), "\"mine.ogf\"\r\n\"new.ogf\"\r\n");
    EXPECT_EQ(boxes(), 1u);
}

TEST_F(Main, ExitYesWithAFailedSaveDoesNotEnd) {
    scourix::MainWindow& win = startWithPilots();
    fake.files.diskFull(true);
    answer({Answer::Yes, Answer::Ok});
    win.m15.click();
    EXPECT_FALSE(fake.app.ended);
    EXPECT_EQ(boxes(), 2u);
}

TEST_F(Main, AutomaticQuitSavesWithoutAskingAndEnds) {
    scourix::MainWindow& win = startWithPilots();
    win.logo.addItem("new.ogf");
    win.beendenauto.setEnabled(true);
    win.beendenauto.tick();
    EXPECT_FALSE(win.beendenauto.enabled());
    EXPECT_TRUE(win.session().autoQuit);
    EXPECT_TRUE(fake.dialogs.boxes.empty());
    EXPECT_TRUE(win.isClosed());
    EXPECT_TRUE(fake.app.ended);
    EXPECT_EQ(file("logos.ini"), "\"mine.ogf\"\r\n\"new.ogf\"\r\n");
}

// --- Switch editor --------------------------------------------------------------------------

TEST_F(Main, NewSwitchIsAppendedInactiveAsTyped) {
    scourix::MainWindow& win = startWithPilots();
    type({"-nointro"});
    win.newkey.click();
    ASSERT_EQ(fake.dialogs.inputs.size(), 1u);
    EXPECT_EQ(fake.dialogs.inputs[0].text, "insert the key without '-' !");
    EXPECT_EQ(fake.dialogs.inputs[0].title, "new key..");
    EXPECT_EQ(fake.dialogs.lastDefault, "");
    type({"nointro"});
    win.newkey.click();
    EXPECT_EQ(items(win.keylist), (Names{"nointro", "useport 2092", "-nointro", "nointro"}));
    EXPECT_EQ(selectedItems(win.keylist), Names{"nointro"});
    EXPECT_FALSE(win.keylist.selected(3));

    type({""});
    win.newkey.click();
    EXPECT_EQ(win.keylist.count(), 4);

    win.languageEntry(lang::Language::German).click();
    type({"vsync"});
    win.newkey.click();
    EXPECT_EQ(fake.dialogs.inputs.back().text,
              "Gebe einen neuen Key ein ! Ohne den normalen Bindestrich '-' !");
    EXPECT_EQ(fake.dialogs.inputs.back().title, "Neuer Key..");
    EXPECT_EQ(win.keylist.item(4), "vsync");
}

TEST_F(Main, SwitchWithADoubleQuoteOrPastTheGamesRowsIsRefusedAndAskedAgain) {
    scourix::MainWindow& win = startWithPilots();
    std::string many;
    for (int i = 0; i < 26; ++i) many += "x ";
    // A double quote keys.ini cannot keep: at the start (in the middle it is written raw).
    type({"\"useport 2092\"", std::string(99, 'a'), many, "useport 2093"});
    win.newkey.click();
    ASSERT_EQ(fake.dialogs.inputs.size(), 4u);
    EXPECT_EQ(fake.dialogs.lastDefault, many);
    ASSERT_EQ(boxes(), 3u);
    EXPECT_NE(box().text.find("double quote"), std::string::npos);
    EXPECT_EQ(box(1).text.rfind("This is too long for the game.", 0), 0u) << "-a... is 100";
    EXPECT_EQ(box(2).text, box(1).text) << "28 rows with -Launched and the blank at the end";
    EXPECT_EQ(win.keylist.item(2), "useport 2093");

    win.languageEntry(lang::Language::German).click();
    win.keylist.setListIndex(0);
    type({"a,\"b", ""});
    win.keyanders.click();
    EXPECT_NE(box(3).text.find("Anführungszeichen"), std::string::npos);
    EXPECT_EQ(win.keylist.item(0), "nointro");
}

TEST_F(Main, ChangedSwitchKeepsItsPlaceAndActiveState) {
    scourix::MainWindow& win = startWithPilots();
    win.keylist.setListIndex(0);
    type({"nointro2"});
    win.keyanders.click();
    EXPECT_EQ(fake.dialogs.inputs[0].text, "insert the key without '-' !");
    EXPECT_EQ(fake.dialogs.inputs[0].title, "change key..");
    EXPECT_EQ(fake.dialogs.lastDefault, "nointro");
    EXPECT_EQ(items(win.keylist), (Names{"nointro2", "useport 2092"}));
    EXPECT_TRUE(win.keylist.selected(0));

    type({""});
    win.keyanders.click();
    EXPECT_EQ(win.keylist.item(0), "nointro2");

    win.languageEntry(lang::Language::German).click();
    type({"x"});
    win.keyanders.click();
    EXPECT_EQ(fake.dialogs.inputs.back().text,
              "Ändere den Key ! Ohne den normalen Bindestrich '-' !");
    EXPECT_EQ(fake.dialogs.inputs.back().title, "Key ändern..");
}

TEST_F(Main, ButtonsWithoutACurrentLineOnlyBeep) {
    scourix::MainWindow& win = startWithPilots();
    for (ui::Button* b :
         {&win.keyanders, &win.keyloschen, &win.logominus, &win.mysoundminus, &win.pilotwech})
        b->click();
    EXPECT_EQ(fake.dialogs.beeps, 5);
    EXPECT_TRUE(fake.dialogs.inputs.empty());
    EXPECT_EQ(win.keylist.count(), 2);
    EXPECT_EQ(win.logo.count(), 1);
    EXPECT_EQ(win.mysounds.count(), 1);
    EXPECT_EQ(win.pilotname.count(), 2);
    EXPECT_EQ(fake.files.copies(), 0);
}

// After "-" no line is current: a second "-" beeps instead of taking the next line, and the
// pilot "-" never moves a pilot the player did not click.
TEST_F(Main, AfterARemovalTheNextClickDecides) {
    for (const char* n : {"Alice", "Bob", "Carl"}) fake.files.addFile(game + "\\" + n + ".plt", n);
    writeSettings({"a.ogf", "b.ogf", "c.ogf"}, {"a.osf", "b.osf"}, {"nointro", "vsync", "x"},
                  {true, false, true});
    scourix::MainWindow& win = start();
    struct Case {
        ui::ListBox& list;
        ui::Button& minus;
    };
    for (Case c : {Case{win.logo, win.logominus}, Case{win.mysounds, win.mysoundminus},
                   Case{win.keylist, win.keyloschen}}) {
        const int n = c.list.count();
        c.list.setListIndex(0);
        c.minus.click();
        EXPECT_EQ(c.list.listIndex(), -1) << c.list.name();
        const int beeps = fake.dialogs.beeps;
        c.minus.click();
        EXPECT_EQ(fake.dialogs.beeps, beeps + 1) << c.list.name();
        EXPECT_EQ(c.list.count(), n - 1) << c.list.name();
    }
    win.pilotname.setListIndex(0);
    win.pilotwech.click();
    EXPECT_EQ(win.pilotname.listIndex(), -1);
    win.pilotwech.click();
    EXPECT_EQ(win.pilotname.count(), 2);
    EXPECT_TRUE(fake.files.exists(game + "\\Bob.plt"));
    EXPECT_TRUE(fake.files.exists(game + "\\Carl.plt"));
    EXPECT_TRUE(fake.files.exists(game + "\\custom\\Alice.plt"));
    EXPECT_FALSE(fake.files.exists(game + "\\custom\\Bob.plt"));
}

// Check-box lines count by their numeric value with its fraction: "1.5" is not 1.
TEST_F(Main, CheckBoxesAreTickedOnlyByANumericValueOfOne) {
    for (const auto& [value, ticked] : std::initializer_list<std::pair<const char*, int>>{
             {"1.5", 0}, {"1.0", 1}, {"1", 1}, {"12", 0}, {"0.5", 0}}) {
        const std::string v = value;
        fake.files.addFile(path("scourix.ini"),
                           "\"" + game +
                               "\"\r\n\"\"\r\n\"\"\r\n\"1\"\r\n\"0\"\r\n\"0\"\r\n"
                               "\"1\"\r\n\"0\"\r\n\"0\"\r\n" +
                               v + "\r\n\"\"\r\n\"2\"\r\n" + v + "\r\n\"\"\r\n" + v + "\r\n");
        fake.files.addFile(path("logos.ini"), "");
        fake.files.addFile(path("taunts.ini"), "");
        fake.files.addFile(path("keys.ini"), "");
        scourix::MainWindow& win = start();
        EXPECT_EQ(boxes(), 0u);
        EXPECT_EQ(win.box("usepilot").value(), ticked) << value;
        EXPECT_EQ(win.box("delstad").value(), ticked) << value;
        EXPECT_EQ(win.settings().autoCloseTester, ticked == 1) << value;
    }
}

TEST_F(Main, RemovingAnActiveSwitchTakesItsFlagAlong) {
    scourix::MainWindow& win = startWithPilots();
    win.keylist.setListIndex(0);
    win.keyloschen.click();
    EXPECT_EQ(items(win.keylist), Names{"useport 2092"});
    win.sichern();
    EXPECT_EQ(file("keys.ini"), "\"useport 2092\"\r\n\"***0\"\r\n");
}

// Loading long lists mirrors each line once: the cost grows with the lines, not their square.
TEST_F(Main, LoadingLongListsCostsOneNativeCallPerLine) {
    struct CostPeer : ui::ControlPeer {
        const ui::ListBox* list = nullptr;
        long calls = 0;
        void update(ui::Prop what) override {
            calls += what == ui::Prop::Items || what == ui::Prop::Selection ? list->count() + 1 : 1;
        }
        void repaint() override {}
    };
    const int n = 20000;
    Names lines;
    std::vector<bool> active;
    for (int i = 0; i < n; ++i) lines.push_back("p" + std::to_string(i) + ".ogf");
    for (int i = 0; i < n; ++i) active.push_back(i % 3 == 0);
    writeSettings(lines, lines, lines, active);
    w = std::make_unique<scourix::MainWindow>(fake.platform);
    CostPeer peers[3];
    ui::ListBox* lists[] = {&w->logo, &w->mysounds, &w->keylist};
    for (int i = 0; i < 3; ++i) peers[i].list = lists[i], lists[i]->peer = &peers[i];
    w->open();
    EXPECT_EQ(w->keylist.count(), n);
    EXPECT_TRUE(w->keylist.selected(n - 1 - (n - 1) % 3));
    for (int i = 0; i < 3; ++i) {
        EXPECT_LE(peers[i].calls, 2 * n + 10) << lists[i]->name();
        lists[i]->peer = nullptr;
    }
}

// --- Pilots -------------------------------------------------------------------------------

TEST_F(Main, AtMostOnePilotStaysSelected) {
    scourix::MainWindow& win = startWithPilots();
    toggle(win.pilotname, 0);
    toggle(win.pilotname, 1);
    EXPECT_EQ(selectedItems(win.pilotname), Names{"Bob"});
    toggle(win.pilotname, 1);
    EXPECT_TRUE(selectedItems(win.pilotname).empty());

    // The cursor moved by the keyboard leaves a single selection where it is.
    toggle(win.pilotname, 0);
    win.pilotname.setListIndex(1);
    win.pilotname.keyUp();
    EXPECT_EQ(selectedItems(win.pilotname), Names{"Alice"});
}

TEST_F(Main, UsePilotSelectsTheOnlyPilot) {
    fake.files.addFile(game + "\\Solo.plt");
    writeSettings();
    scourix::MainWindow& win = start();
    win.box("usepilot").setValue(1);
    EXPECT_EQ(selectedItems(win.pilotname), Names{"Solo"});

    startWithPilots(); // Solo, Alice and Bob
    w->box("usepilot").setValue(1);
    EXPECT_TRUE(selectedItems(w->pilotname).empty());
}

TEST_F(Main, PilotIsPutAwayIntoTheCustomFolder) {
    scourix::MainWindow& win = startWithPilots();
    win.pilotname.setListIndex(1);
    win.pilotwech.click();
    EXPECT_EQ(items(win.pilotname), Names{"Alice"});
    EXPECT_EQ(fake.files.content(game + "\\custom\\Bob.plt").value_or(""), "bob");
    EXPECT_FALSE(fake.files.exists(game + "\\Bob.plt"));
}

TEST_F(Main, PilotThatCannotBeCopiedStays) {
    scourix::MainWindow& win = startWithPilots();
    win.languageEntry(lang::Language::German).click();
    fake.files.failCopyNth(1);
    win.pilotname.setListIndex(1);
    win.pilotwech.click();
    EXPECT_EQ(items(win.pilotname), (Names{"Alice", "Bob"}));
    EXPECT_TRUE(fake.files.exists(game + "\\Bob.plt"));
    ASSERT_EQ(boxes(), 1u);
    EXPECT_NE(box().text.find("nicht kopiert"), std::string::npos);
    EXPECT_NE(box().text.find(game + "\\Bob.plt"), std::string::npos);
}

TEST_F(Main, PilotThatCannotBeDeletedStaysAndItsCopyToo) {
    scourix::MainWindow& win = startWithPilots();
    fake.files.failRemove(game + "\\Bob.plt");
    win.pilotname.setListIndex(1);
    win.pilotwech.click();
    EXPECT_EQ(win.pilotname.count(), 2);
    EXPECT_EQ(fake.files.content(game + "\\Bob.plt").value_or(""), "bob");
    EXPECT_EQ(fake.files.content(game + "\\custom\\Bob.plt").value_or(""), "bob");
    ASSERT_EQ(boxes(), 1u);
    EXPECT_NE(box().text.find("could not be removed"), std::string::npos);
}

// --- Ship logos, taunts and the browser -------------------------------------------------------

TEST_F(Main, BackupFolderIsUsableExactlyWhileBackupIsChosen) {
    scourix::MainWindow& win = startWithPilots();
    struct Group {
        ui::OptionButton &none, &remove, &backup;
        ui::TextBox& path;
        ui::Button& browser;
    };
    for (Group g : {Group{win.nologoaktion, win.grafkill, win.usegraficsicher, win.graficsicherpath,
                          win.graficsicherbrowser},
                    Group{win.nosoundaktion, win.soundkill, win.usesoundssicheern,
                          win.soundssicherpath, win.soundssicherbrowser}}) {
        g.backup.setValue(true);
        EXPECT_TRUE(g.path.enabled() && g.browser.enabled()) << g.backup.name();
        g.path.setText("D:\\B");
        g.remove.setValue(true);
        EXPECT_FALSE(g.path.enabled() || g.browser.enabled()) << g.backup.name();
        g.backup.setValue(true);
        g.none.setValue(true);
        EXPECT_FALSE(g.path.enabled() || g.browser.enabled()) << g.backup.name();
        EXPECT_EQ(g.path.text(), "D:\\B");
    }
}

TEST_F(Main, RestoreButtonFollowsTheBackupFolderText) {
    scourix::MainWindow& win = startWithPilots();
    win.soundssicherpath.setText("D");
    EXPECT_TRUE(win.auslagersound.enabled());
    win.soundssicherpath.setText("");
    EXPECT_FALSE(win.auslagersound.enabled());
    win.graficsicherpath.setText("E");
    EXPECT_TRUE(win.auslagergraf.enabled());
}

TEST_F(Main, BrowseButtonsLeaveTheirModeForTheBrowser) {
    scourix::MainWindow& win = startWithPilots();
    const std::pair<ui::Button*, const char*> buttons[] = {
        {&win.d3pathbrowser, "d3"},          {&win.graficsicherbrowser, "grafic"},
        {&win.soundssicherbrowser, "sound"}, {&win.logoplus, "logos"},
        {&win.auslagergraf, "logos2"},       {&win.mysoundsplus, "sounds"},
        {&win.auslagersound, "sounds2"},     {&win.pilothinzu, "player"},
    };
    for (auto [button, mode] : buttons) {
        button->click();
        EXPECT_EQ(win.session().browseMode, mode) << button->name();
    }
    EXPECT_TRUE(win.ordner().isOpen());
}

// --- Interface language ----------------------------------------------------------------------

// Captions of every control, by name.
std::map<std::string, std::string> captions(const ui::Window& w) {
    std::map<std::string, std::string> out;
    for (const ui::Control* c : w.controls()) out[c->name()] = c->caption();
    return out;
}

TEST_F(Main, GermanFromTheSettingsAndSavedAgain) {
    ini["Language"] = "1";
    writeSettings();
    scourix::MainWindow& win = start();
    EXPECT_TRUE(win.languageEntry(lang::Language::German).checked());
    EXPECT_FALSE(win.languageEntry(lang::Language::English).checked());
    EXPECT_EQ(win.m1.caption(), "&Datei");
    EXPECT_EQ(win.m15.caption(), "Beenden");
    EXPECT_EQ(win.Frame3.caption(), "Schiffslogo");
    EXPECT_EQ(win.keyger.caption(), "Deutsch");
    EXPECT_EQ(win.languageEntry(lang::Language::German).caption(), "Deutsch");
    EXPECT_EQ(win.txt4.caption(), "Key's");
    EXPECT_EQ(win.iconlan.caption(), "Lan / Direkte Verbindung , AOL");
    win.sichern();
    EXPECT_NE(file("scourix.ini").find("\"1\"\r\n0\r\n\"\"\r\n0\r\n"), std::string::npos);
}

// Each language of the table: read from the settings, its entry alone checked, the window in
// it, saved as it was; chosen from the menu, saved as its value.
TEST_F(Main, EveryLanguageFromTheSettingsAndFromTheMenu) {
    for (lang::Language l : lang::kLanguages) {
        SCOPED_TRACE(lang::code(l));
        ini["Language"] = lang::setting(l);
        writeSettings();
        scourix::MainWindow& win = start();
        for (lang::Language other : lang::kLanguages)
            EXPECT_EQ(win.languageEntry(other).checked(), other == l) << lang::code(other);
        EXPECT_EQ(win.m1.caption(), lang::tr(l, "&file"));
        EXPECT_EQ(win.m15.caption() == "exit", l == lang::Language::English) << "its catalogue";
        win.sichern();
        EXPECT_NE(file("scourix.ini").find("\"" + lang::setting(l) + "\"\r\n0\r\n"),
                  std::string::npos);
    }
    for (lang::Language l : lang::kLanguages) {
        SCOPED_TRACE(lang::code(l));
        ini["Language"] = lang::setting(l == lang::Language::German ? lang::Language::English
                                                                    : lang::Language::German);
        writeSettings();
        scourix::MainWindow& win = start();
        win.languageEntry(l).click();
        for (lang::Language other : lang::kLanguages)
            EXPECT_EQ(win.languageEntry(other).checked(), other == l) << lang::code(other);
        EXPECT_EQ(win.m15.caption(), lang::tr(l, "exit"));
        win.sichern();
        EXPECT_NE(file("scourix.ini").find("\"" + lang::setting(l) + "\"\r\n0\r\n"),
                  std::string::npos);
    }
}

// A language more is a row more: its entry follows the others under the language menu, named as
// its row says, in English while it has no catalogue, and saved as its value.
TEST_F(Main, ARowMoreIsALanguageMore) {
    std::vector<lang::Row> table(std::begin(lang::kLanguages), std::end(lang::kLanguages));
    table.push_back({"zz", "99", "m11z", "zzish"}); // no language's code
    Names names;
    for (const lang::Row& r : table) names.push_back(r.entry);
    writeSettings();
    w = std::make_unique<scourix::MainWindow>(fake.platform, table);
    w->open();
    scourix::MainWindow& win = *w;
    Names entries;
    for (const ui::Control* c : win.controls())
        if (c->container() == &win.m11) entries.push_back(c->name());
    EXPECT_EQ(entries, names);
    ui::MenuItem& added = win.languageEntry(table.back());
    EXPECT_EQ(added.caption(), "zzish");
    win.languageEntry(lang::Language::German).click();
    EXPECT_EQ(added.caption(), "zzish");
    added.click();
    EXPECT_TRUE(added.checked());
    EXPECT_FALSE(win.languageEntry(lang::Language::German).checked());
    EXPECT_EQ(win.m15.caption(), "exit");
    win.sichern();
    EXPECT_NE(file("scourix.ini").find("\"99\"\r\n0\r\n"), std::string::npos);
    w.reset(); // before the table it offers
}

TEST_F(Main, UnknownLanguageMarksNoEntryAndSavesEnglish) {
    ini["Language"] = "7";
    writeSettings();
    scourix::MainWindow& win = start();
    for (const lang::Row& r : lang::kLanguages) {
        EXPECT_FALSE(win.languageEntry(r).checked()) << r.code;
        EXPECT_EQ(win.languageEntry(r).caption(), r.name);
    }
    EXPECT_EQ(win.m2.caption(), "&action");
    EXPECT_EQ(win.csisdn.caption(), "Singele Channel ISDN");
    win.sichern();
    EXPECT_NE(file("scourix.ini").find("\"2\"\r\n0\r\n\"\"\r\n0\r\n"), std::string::npos);
}

// Every language from the menu gives each control of the caption table its text in that
// language and leaves every other control as it was designed; English brings all back. No
// control that shows a caption is left without one (but the two frames drawn without a title),
// none is named twice in the table.
TEST_F(Main, EveryLanguageGivesEveryCaptionOfTheTable) {
    scourix::MainWindow& win = startWithPilots();
    const auto design = captions(win);
    const std::vector<scourix::Caption> table = win.captionTable();
    std::map<std::string, const lang::Message*> rows;
    for (const scourix::Caption& c : table)
        EXPECT_TRUE(rows.emplace(c.control.name(), &c.text).second) << c.control.name();
    const std::set<std::string> untitled{"master", "verknupf"};
    for (const ui::Control* c : win.controls()) {
        if (!untitled.count(c->name()) &&
            (dynamic_cast<const ui::Label*>(c) || dynamic_cast<const ui::Frame*>(c) ||
             dynamic_cast<const ui::Button*>(c) || dynamic_cast<const ui::CheckBox*>(c) ||
             dynamic_cast<const ui::OptionButton*>(c) || dynamic_cast<const ui::MenuItem*>(c))) {
            EXPECT_FALSE(c->caption().empty()) << c->name();
        }
    }
    for (lang::Language l : lang::kLanguages) {
        SCOPED_TRACE(lang::code(l));
        win.languageEntry(l).click();
        auto expected = design;
        for (const auto& [name, text] : rows) expected.at(name) = text->in(l);
        EXPECT_EQ(captions(win), expected);
    }
    win.languageEntry(lang::Language::English).click();
    EXPECT_EQ(captions(win), design);
}

TEST_F(Main, LanguageSwitchedButNotSavedStaysEnglish) {
    scourix::MainWindow& win = startWithPilots();
    const std::string ini = file("scourix.ini");
    win.languageEntry(lang::Language::German).click();
    answer({Answer::No});
    win.close();
    EXPECT_EQ(file("scourix.ini"), ini);
}

// A generous estimate of the width in pixels of a text in the 8-point dialog font.
int textWidth(const std::string& text) {
    int w = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80) continue; // continuation byte of a UTF-8 letter
        if (std::string(" .,:;'!|ilI").find(char(c)) != std::string::npos)
            w += 3;
        else if (std::string("ftrj-*").find(char(c)) != std::string::npos)
            w += 4;
        else if (std::string("mwMW").find(char(c)) != std::string::npos)
            w += 9;
        else if (c >= 'A' && c <= 'Z')
            w += 7;
        else
            w += 6;
    }
    return w;
}

TEST_F(Main, NoCaptionIsCutOffInAnyLanguage) {
    scourix::MainWindow& win = startWithPilots();
    for (lang::Language l : lang::kLanguages) {
        win.languageEntry(l).click();
        for (const ui::Control* c : win.controls()) {
            if (c->caption().empty() || dynamic_cast<const ui::MenuItem*>(c) ||
                dynamic_cast<const ui::TextBox*>(c) || dynamic_cast<const ui::ListBox*>(c) ||
                c->width == 0)
                continue;
            int room = c->width / 15;
            if (dynamic_cast<const ui::CheckBox*>(c) || dynamic_cast<const ui::OptionButton*>(c))
                room -= 18;
            else if (dynamic_cast<const ui::Frame*>(c) || dynamic_cast<const ui::Button*>(c))
                room -= 16;
            EXPECT_LE(textWidth(c->caption()), room) << c->name() << ": " << c->caption();
        }
    }
}

// --- Game settings page ----------------------------------------------------------------------

class Page : public Main {
  protected:
    const std::string key = "Software\\Outrage\\Descent3";
    void set(const std::string& name, const std::string& value,
             const std::string& at = "Software\\Outrage\\Descent3") {
        fake.registry.createKey(platform::RegRoot::LocalMachine, at);
        fake.registry.setString(platform::RegRoot::LocalMachine, at, name, value);
    }
    void version(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
        const std::string at = key + "\\Version";
        fake.registry.createKey(platform::RegRoot::LocalMachine, at);
        fake.registry.setDword(platform::RegRoot::LocalMachine, at, "Major", major);
        fake.registry.setDword(platform::RegRoot::LocalMachine, at, "Minor", minor);
        fake.registry.setDword(platform::RegRoot::LocalMachine, at, "Build", build);
    }
    std::string selected(std::initializer_list<ui::OptionButton*> group) {
        std::string out;
        for (ui::OptionButton* o : group)
            if (o->value()) out += (out.empty() ? "" : ",") + o->name();
        return out;
    }
};

TEST_F(Page, ShowsWhatTheRegistryHolds) {
    set("TrackerLogin", "joe");
    set("TrackerPassword", "s3cret");
    set("KeyboardType", "French German");
    set("NetworkConnection", "Dialup");
    set("ConnectionSpeed", "Cable");
    fake.registry.setDword(platform::RegRoot::LocalMachine, key, "LanguageType", 3);
    version(1, 4, 0);
    scourix::MainWindow& win = startWithPilots();
    win.m18.click();

    EXPECT_EQ(win.username.text(), "joe");
    EXPECT_EQ(win.passwort.text(), "s3cret");
    EXPECT_EQ(win.d3sprache.text(), "Italian");
    EXPECT_EQ(win.d3sprache.count(), 5);
    EXPECT_EQ(selected({&win.keyus, &win.keyfr, &win.keyger}), "keyger");
    EXPECT_EQ(selected({&win.iconnone, &win.icondialup, &win.iconlan}), "icondialup");
    EXPECT_EQ(selected({&win.csmodem, &win.csisdn, &win.cscable, &win.csfast}), "cscable");
    EXPECT_EQ(win.d3version.caption(), "1.4.0");
}

TEST_F(Page, LanguageTypeMapping) {
    scourix::MainWindow& win = startWithPilots();
    const std::pair<const char*, const char*> cases[] = {
        {"0", "English"}, {"1", "German"}, {"2", "Spanish"}, {"3", "Italian"},
        {"4", "French"},  {"5", "French"}, {"01", "French"}};
    for (auto [value, shown] : cases) {
        set("LanguageType", value);
        win.m18.click();
        EXPECT_EQ(win.d3sprache.text(), shown) << value;
        win.d3abbruch.click();
    }
}

TEST_F(Page, MissingValuesShowUsVersionAndLeaveTheOptionsAlone) {
    scourix::MainWindow& win = startWithPilots();
    win.keyfr.setValue(true);
    win.csfast.setValue(true);
    set("NetworkConnection", "something else");
    win.m18.click();
    EXPECT_EQ(win.d3sprache.text(), "US-Version");
    EXPECT_EQ(items(win.d3sprache), kGameLanguages);
    EXPECT_EQ(win.username.text(), "");
    EXPECT_EQ(selected({&win.keyus, &win.keyfr, &win.keyger}), "keyfr");
    EXPECT_EQ(selected({&win.iconnone, &win.icondialup, &win.iconlan}), "");
    EXPECT_EQ(selected({&win.csmodem, &win.csisdn, &win.cscable, &win.csfast}), "csfast");
    EXPECT_EQ(win.d3version.caption(), "..");

    win.d3sichern.click();
    EXPECT_EQ(file("network.ini"),
              "US-Version\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n"
              "\r\n\r\n");
    // The lines a later version wrote after ours stay.
    fake.files.addFile(path("network.ini"), file("network.ini") + "later,1\r\n");
    win.m18.click();
    win.d3sichern.click();
    EXPECT_EQ(file("network.ini").substr(file("network.ini").size() - 9), "later,1\r\n");
}

// What the player saved in network.ini shows over what the game's settings hold, before and
// after these hold values; a value network.ini leaves open, or a network.ini that cannot be
// read, shows the game's. "ok" saves what is shown: the next opening shows it from network.ini.
TEST_F(Page, SavedChoicesShowOverTheGameSettings) {
    const std::string saved = "Spanish\r\n0\r\n0\r\n1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n1\r\n0\r\n"
                              "joe\r\npw\r\n";
    const std::string shownSaved = "joe|pw|Spanish|keyger|iconlan|cscable";
    const std::string shownGame = "old|oldpw|Italian|keyfr|icondialup|csfast";
    const std::tuple<std::optional<std::string>, bool, std::string> rows[] = {
        {std::nullopt, false, "||US-Version|||"},
        {saved, false, shownSaved},
        {saved, true, shownSaved},
        // Two keyboards: the launcher writes the later one last.
        {"US-Version\r\n1\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\njoe\r\n\r\n", true,
         "joe|oldpw|Italian|keyger|icondialup|csfast"},
        {"Spanish\r\n1\r\n", true, shownGame},               // cut short
        {std::string("\xff\xfeS\0p\0", 6), true, shownGame}, // UTF-16
    };
    for (const auto& [networkIni, gameHolds, expected] : rows) {
        fake.registry.values.clear();
        fake.files.remove(path("network.ini"));
        if (networkIni) fake.files.addFile(path("network.ini"), *networkIni);
        if (gameHolds) {
            for (auto [name, value] : {std::pair{"TrackerLogin", "old"},
                                       {"TrackerPassword", "oldpw"},
                                       {"KeyboardType", "French"},
                                       {"NetworkConnection", "Dialup"},
                                       {"ConnectionSpeed", "Fast"}})
                set(name, value);
            fake.registry.setDword(platform::RegRoot::LocalMachine, key, "LanguageType", 3);
        }
        w.reset();
        scourix::MainWindow& win = startWithPilots();
        auto shown = [&] {
            win.m18.click();
            EXPECT_EQ(items(win.d3sprache), kGameLanguages);
            return win.username.text() + "|" + win.passwort.text() + "|" + win.d3sprache.text() +
                   "|" + selected({&win.keyus, &win.keyfr, &win.keyger}) + "|" +
                   selected({&win.iconnone, &win.icondialup, &win.iconlan}) + "|" +
                   selected({&win.csmodem, &win.csisdn, &win.cscable, &win.csfast});
        };
        EXPECT_EQ(shown(), expected);
        win.d3sichern.click();
        EXPECT_EQ(boxes(), 0u);
        if (networkIni == saved) {
            EXPECT_EQ(file("network.ini"), saved) << "unchanged";
        }
        fake.registry.values.clear();
        EXPECT_EQ(shown(), expected) << "as saved";
    }
}

// "ok" takes no language the launcher would not hand to the game: one box in the player's
// language, nothing saved, the page stays open.
TEST_F(Page, OkRefusesALanguageTheGameDoesNotHave) {
    const std::string before =
        "German\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n1\r\njoe\r\npw\r\n";
    ini["Language"] = "1";
    scourix::MainWindow& win = startWithPilots();
    for (auto [language, taken] : {std::pair{"Français", false},
                                   {"english", false},
                                   {"German ", false},
                                   {"", true},
                                   {"US-Version", true},
                                   {"Italian", true}}) {
        fake.files.addFile(path("network.ini"), before);
        fake.dialogs.boxes.clear();
        win.m18.click();
        win.d3sprache.setText(language);
        win.d3sichern.click();
        EXPECT_EQ(win.d3misc.visible(), !taken) << language;
        EXPECT_EQ(file("network.ini"),
                  taken ? language + before.substr(before.find('\r')) : before);
        ASSERT_EQ(boxes(), taken ? 0u : 1u) << language;
        if (taken) continue;
        EXPECT_EQ(box().text, lang::tr(lang::Language::German,
                                       "The game has no language \"{1}\". Please choose one "
                                       "from the list: {2}.",
                                       {language, "English, French, German, Italian, Spanish"}));
        win.d3abbruch.click();
    }
}

TEST_F(Page, AValueReadEarlierIsNotShownForAMissingOne) {
    set("TrackerLogin", "joe");
    scourix::MainWindow& win = startWithPilots();
    win.m18.click();
    win.d3abbruch.click();
    fake.registry.values.clear();
    win.m18.click();
    EXPECT_EQ(win.username.text(), "");
}

TEST_F(Page, OpeningTakesThePlaceOfThePanels) {
    scourix::MainWindow& win = startWithPilots();
    win.m18.click();
    EXPECT_EQ(win.clientHeight, 5100);
    EXPECT_EQ(win.Frame4.top, 5000);
    EXPECT_EQ(win.Frame2.top, 5000);
    EXPECT_TRUE(win.d3misc.visible());
    EXPECT_EQ(win.d3misc.top, 0);
    EXPECT_EQ(win.d3misc.left, 120);
    EXPECT_FALSE(win.m1.enabled() || win.m2.enabled() || win.m4.enabled());
    EXPECT_TRUE(win.m3.enabled());
    EXPECT_FALSE(win.Frame3.shown());
}

TEST_F(Page, OkWritesNetworkIniAndClosesThePage) {
    scourix::MainWindow& win = startWithPilots();
    win.m18.click();
    win.d3sprache.setText("Spanish");
    win.keyus.setValue(true);
    win.iconlan.setValue(true);
    win.csisdn.setValue(true);
    win.username.setText("joe, the pilot");
    win.passwort.setText("pa ss");
    win.d3sichern.click();

    EXPECT_EQ(file("network.ini"), "Spanish\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n0\r\n0\r\n"
                                   "joe, the pilot\r\npa ss\r\n");
    EXPECT_EQ(win.clientHeight, 6975);
    EXPECT_FALSE(win.d3misc.visible());
    EXPECT_TRUE(win.m1.enabled() && win.m2.enabled() && win.m4.enabled());
    EXPECT_EQ(win.Frame4.top, 3420);
    EXPECT_EQ(win.Frame2.top, 3420);
    EXPECT_TRUE(win.Frame3.shown() && win.master.shown() && win.Frame2.shown());
}

TEST_F(Page, CancelWritesNothingAndKeepsTheEdits) {
    scourix::MainWindow& win = startWithPilots();
    win.m18.click();
    win.username.setText("edited");
    win.d3abbruch.click();
    EXPECT_EQ(file("network.ini"), "<none>");
    EXPECT_EQ(win.username.text(), "edited");
    EXPECT_FALSE(win.d3misc.visible());
    EXPECT_EQ(win.clientHeight, 6975);
    EXPECT_TRUE(win.m1.enabled());
}

TEST_F(Page, NetworkIniThatCannotBeWrittenKeepsThePageOpen) {
    scourix::MainWindow& win = startWithPilots();
    win.m18.click();
    fake.files.diskFull(true);
    win.d3sichern.click();
    ASSERT_EQ(boxes(), 1u);
    EXPECT_NE(box().text.find(path("network.ini")), std::string::npos);
    EXPECT_TRUE(win.d3misc.visible());
}

TEST_F(Page, GameFolderFieldDecidesWhatIsUsable) {
    scourix::MainWindow& win = startWithPilots();
    win.d3path.setText("");
    for (ui::Control* c : Controls{&win.Frame1, &win.Frame2, &win.Frame3, &win.Frame4, &win.Frame5,
                                   &win.m2, &win.m18, &win.m42})
        EXPECT_FALSE(c->enabled()) << c->name();
    EXPECT_EQ(win.pilotname.count(), 2); // the list is not emptied

    fake.files.addFile("D:\\Other\\Carl.plt");
    win.pilot = "Carl";
    win.d3path.setText("D:\\Other");
    for (ui::Control* c : Controls{&win.Frame1, &win.Frame2, &win.Frame3, &win.Frame4, &win.Frame5,
                                   &win.m2, &win.m18, &win.m42})
        EXPECT_TRUE(c->enabled()) << c->name();
    EXPECT_EQ(items(win.pilotname), Names{"Carl"});
    EXPECT_EQ(selectedItems(win.pilotname), Names{"Carl"});
}

// --- Clean now and start now -----------------------------------------------------------------

TEST_F(Main, CleanNowYesSavesAndOpensTheWindowOnTheTimer) {
    scourix::MainWindow& win = startWithPilots();
    win.logo.addItem("new.ogf");
    answer({Answer::Yes});
    win.m21.click();
    EXPECT_EQ(box().text, "Configuration must be save ! Save now ?");
    EXPECT_EQ(box().buttons, Buttons::YesNoCancel);
    EXPECT_EQ(box().icon, Icon::Question);
    EXPECT_EQ(box().title, "scourix");
    EXPECT_EQ(file("logos.ini"), "\"mine.ogf\"\r\n\"new.ogf\"\r\n");
    EXPECT_TRUE(win.anzeigerstart.enabled());
    EXPECT_EQ(win.anzeigerstart.interval, 500);
    EXPECT_FALSE(win.anzeiger().isOpen());

    win.anzeigerstart.tick();
    EXPECT_FALSE(win.anzeigerstart.enabled());
    EXPECT_TRUE(win.anzeiger().isOpen());
}

TEST_F(Main, CleanNowNoOpensAtOnceWithoutSaving) {
    scourix::MainWindow& win = startWithPilots();
    const auto old = settingsFiles();
    win.logo.addItem("new.ogf");
    win.languageEntry(lang::Language::German).click();
    answer({Answer::No});
    win.m21.click();
    EXPECT_EQ(box().text, "Konfiguration muss zuerst gespeichert werden! Jetzt speichern?");
    EXPECT_TRUE(win.anzeiger().isOpen());
    EXPECT_FALSE(win.anzeigerstart.enabled());
    EXPECT_EQ(settingsFiles(), old);
    EXPECT_EQ(win.anzeiger().setup().logos, Names{"mine.ogf"});
}

TEST_F(Main, CleanNowCancelDoesNothing) {
    scourix::MainWindow& win = startWithPilots();
    const auto old = settingsFiles();
    win.logo.addItem("new.ogf");
    answer({Answer::Cancel});
    win.m21.click();
    EXPECT_FALSE(win.anzeiger().isOpen());
    EXPECT_FALSE(win.anzeigerstart.enabled());
    EXPECT_EQ(settingsFiles(), old);
}

TEST_F(Main, StartNowHandsOverToGatefire) {
    scourix::MainWindow& win = startWithPilots();
    win.logo.addItem("new.ogf");
    answer({Answer::Cancel});
    win.m22.click();
    EXPECT_TRUE(fake.shell.started.empty());

    answer({Answer::No});
    win.m22.click();
    ASSERT_EQ(fake.shell.started.size(), 1u);
    EXPECT_EQ(fake.shell.started[0].file, "gatefire.exe");
    EXPECT_EQ(fake.shell.started[0].parameters, "");
    EXPECT_EQ(fake.shell.started[0].folder, program);
    EXPECT_EQ(file("logos.ini"), "\"mine.ogf\"\r\n");

    win.languageEntry(lang::Language::German).click();
    answer({Answer::Yes});
    win.m22.click();
    EXPECT_EQ(box(2).text, "Konfiguration muss zuerst gespeichert werden! Jetzt speichern?");
    EXPECT_EQ(fake.shell.started.size(), 2u);
    EXPECT_EQ(file("logos.ini"), "\"mine.ogf\"\r\n\"new.ogf\"\r\n");
    EXPECT_FALSE(win.isClosed());
    EXPECT_FALSE(fake.app.ended);
}

TEST_F(Main, CommandsDoNotRunOnSettingsThatCouldNotBeSaved) {
    scourix::MainWindow& win = startWithPilots();
    fake.files.diskFull(true);
    answer({Answer::Yes, Answer::Ok, Answer::Yes, Answer::Ok});
    win.m21.click();
    win.m22.click();
    EXPECT_FALSE(win.anzeigerstart.enabled());
    EXPECT_TRUE(fake.shell.started.empty());
    EXPECT_EQ(boxes(), 4u);
}

} // namespace
