#include <algorithm>

#include <gtest/gtest.h>

#include <algorithm>

#include "launcher/anzeiger.h"
#include "launcher/registry_settings.h"
#include "tests/support/game_folder.h"
#include "tests/support/game_reading.h"

namespace {

using platform::Answer;
using platform::Icon;

class Launcher : public ::testing::Test, public GameFolder {
  protected:
    // Loads the window and, when loading armed the timer, runs the cleaning sequence.
    launcher::Anzeiger& run() {
        w = std::make_unique<launcher::Anzeiger>(fake.platform);
        w->load();
        if (w->putzstart.enabled()) w->putzstart.tick();
        return *w;
    }
    bool gameStarted() const {
        for (auto& s : fake.shell.started)
            if (s.file == game + "\\Main.exe") return true;
        return false;
    }
    const FakeShell::Start& gameStart() const { return fake.shell.started.back(); }
    std::string fileText(const std::string& name) {
        return fake.files.content(path(name)).value_or("<none>");
    }

    std::unique_ptr<launcher::Anzeiger> w;
};

TEST_F(Launcher, DeleteModeCleansBothFoldersAndStartsTheGame) {
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
    ini["TauntNoAction"] = "0", ini["TauntDeleteOthers"] = "1";
    for (const char* n : {"mine.ogf", "a_0badf00d.ogf", "b_12345678.oaf"})
        fake.files.addFile(graphics(n), n);
    for (const char* n : {"Mine.osf", "mine.osf", "c_deadbeef.osf"})
        fake.files.addFile(sounds(n), n);
    writeSettings({"mine.ogf"}, {"Mine.osf"});
    launcher::Anzeiger& win = run();

    EXPECT_EQ(fake.files.files(graphics()), std::vector<std::string>{"mine.ogf"});
    EXPECT_EQ(fake.files.files(sounds()), std::vector<std::string>{"Mine.osf"});
    for (ui::Label* t : {&win.txt1, &win.txt2, &win.txt3, &win.txt4, &win.txt5})
        EXPECT_EQ(t->caption(), "finish") << t->name();
    for (ui::Label* l : {&win.Label1, &win.Label2, &win.Label3})
        EXPECT_EQ(l->foreColour(), ui::rgb(0, 192, 0)) << l->name();
    ASSERT_TRUE(gameStarted());
    EXPECT_EQ(gameStart().parameters, "-Launched ");
    EXPECT_EQ(gameStart().folder, game);
    EXPECT_EQ(fake.files.currentFolder(), game);
    EXPECT_TRUE(win.isClosed());
    EXPECT_TRUE(fake.dialogs.boxes.empty());
}

TEST_F(Launcher, CountersShowWhatEachRoutineWillVisit) {
    ini["LogoNoAction"] = "0", ini["LogoBackupOthers"] = "1", ini["LogoBackupPath"] = "D:\\B";
    ini["TauntNoAction"] = "0", ini["TauntDeleteOthers"] = "1";
    ini["DeleteStats"] = "1";
    for (const char* n : {"a.ogf", "b.ogf"}) fake.files.addFile(graphics(n));
    for (const char* n : {"a.osf", "b.osf", "c.osf"}) fake.files.addFile(sounds(n));
    fake.files.addFile(netgames("x.stats"));
    writeSettings();
    w = std::make_unique<launcher::Anzeiger>(fake.platform);
    w->load();
    // Stop before the work: the logo step is the first to touch a counter.
    fake.files.failRemove(graphics("a.ogf"));
    struct Snapshot : ui::ControlPeer {
        launcher::Anzeiger* w;
        std::vector<std::string> first;
        void update(ui::Prop) override {}
        void repaint() override {
            if (first.empty())
                for (ui::Label* t : {&w->txt1, &w->txt2, &w->txt3, &w->txt4, &w->txt5})
                    first.push_back(t->caption());
        }
    } snap;
    snap.w = w.get();
    w->Label1.peer = &snap;
    w->putzstart.tick();
    w->Label1.peer = nullptr;
    EXPECT_EQ(snap.first, (std::vector<std::string>{"2", "finish", "2", "3", "1"}));
}

TEST_F(Launcher, BothDeleteAndBackupBacksUpAndDeletesTwice) {
    ini["LogoNoAction"] = "0", ini["LogoBackupOthers"] = "1", ini["LogoDeleteOthers"] = "1";
    ini["LogoBackupPath"] = "D:\\B";
    fake.files.addFolder("D:\\B");
    fake.files.addFile(graphics("a.ogf"), "a");
    writeSettings();
    launcher::Anzeiger& win = run();
    EXPECT_EQ(fake.files.content("D:\\B\\a.ogf"), "a");
    EXPECT_FALSE(fake.files.has(graphics("a.ogf")));
    EXPECT_EQ(win.txt3.caption(), "finish");
}

TEST_F(Launcher, BackupWithoutABackupFolderLeavesTheFilesAlone) {
    ini["LogoNoAction"] = "0", ini["LogoBackupOthers"] = "1", ini["LogoBackupPath"] = "";
    fake.files.addFile(graphics("a.ogf"));
    writeSettings();
    launcher::Anzeiger& win = run();
    EXPECT_TRUE(fake.files.has(graphics("a.ogf")));
    EXPECT_EQ(fake.files.copies(), 0);
    EXPECT_EQ(win.Label1.foreColour(), ui::rgb(0, 192, 0));
    EXPECT_TRUE(gameStarted());
}

TEST_F(Launcher, NoActionTouchesNothing) {
    fake.files.addFile(graphics("a.ogf"));
    fake.files.addFile(sounds("a.osf"));
    fake.files.addFile(netgames("a.stats"));
    writeSettings();
    run();
    EXPECT_EQ(fake.files.removes(), 0);
    EXPECT_EQ(fake.files.copies(), 0);
    EXPECT_TRUE(gameStarted());
}

TEST_F(Launcher, StatisticsDeletionTakesOnlyStatsFiles) {
    ini["DeleteStats"] = "1";
    for (const char* n : {"a.stats", "b.STATS", "c.stats.txt", "readme.txt"})
        fake.files.addFile(netgames(n));
    fake.files.failRemove(netgames("a.stats"));
    writeSettings();
    launcher::Anzeiger& win = run();
    EXPECT_EQ(fake.files.files(netgames()),
              (std::vector<std::string>{"a.stats", "c.stats.txt", "readme.txt"}));
    EXPECT_EQ(win.txt5.caption(), "finish");
    EXPECT_EQ(fake.files.removes(), 2) << "each stats file is tried once";
}

TEST_F(Launcher, GermanCaptionsAndFinishWord) {
    ini["Language"] = "1";
    writeSettings();
    launcher::Anzeiger& win = run();
    EXPECT_EQ(win.Label1.caption(), " Bearbeite Schiffslogo");
    EXPECT_EQ(win.Label2.caption(), " Bearbeite Audiotaunts");
    EXPECT_EQ(win.Label3.caption(), " Bearbeite Stats-Dateien");
    EXPECT_EQ(win.txt1.caption(), "Fertig");
    EXPECT_EQ(win.Label4.caption(), "2.0.7");
}

// Every language value of the settings speaks its language in the window and its questions.
TEST_F(Launcher, EachLanguageValueSpeaksItsLanguage) {
    const struct {
        const char* value;
        const char* taunts;
        const char* finish;
        const char* question;
    } languages[] = {
        {"3", " Provocations\u00a0:", "Fini", "Rejoindre le serveur maintenant\u00a0?"},
        {"4", " Provocaciones:", "Listo", "¿Unirse al servidor ahora?"},
        {"5", " Provocazioni:", "Finito", "Collegarsi al server ora?"},
        {"1", " Bearbeite Audiotaunts", "Fertig", "Joint Server now ?"},
    };
    for (const auto& l : languages) {
        ini["Language"] = l.value;
        writeSettings();
        writeDirect("-directip 1.2.3.4", "2", "1");
        fake.dialogs.answers = {Answer::Yes};
        fake.dialogs.boxes.clear();
        launcher::Anzeiger& win = run();
        EXPECT_EQ(win.Label2.caption(), l.taunts) << l.value;
        EXPECT_EQ(win.txt2.caption(), l.finish) << l.value;
        ASSERT_EQ(fake.dialogs.boxes.size(), 1u) << l.value;
        EXPECT_EQ(fake.dialogs.boxes[0].text, l.question);
    }
}

TEST_F(Launcher, CommandLineHasPilotSwitchesInFileOrderAndTheOneTimeTarget) {
    ini["UsePilot"] = "1", ini["PilotName"] = "Ace";
    writeSettings({}, {}, {"deadzone0 0.0", "nointro", "framecap 0", "vsync"},
                  {false, true, true, false});
    writeDirect("-directip 10.0.0.1:2092", "1", "0");
    run();
    EXPECT_EQ(gameStart().parameters,
              "-Launched -pilot Ace -nointro -framecap 0  -directip 10.0.0.1:2092");
    EXPECT_TRUE(fake.dialogs.boxes.empty());
}

// The game splits its command line at blanks and double quotes into 28 rows of 99 characters:
// what does not fit is left out, switches first, and named; the rest reaches the game whole.
TEST_F(Launcher, TheGameGetsOnlyACommandLineItsRowsHold) {
    const std::string address = "-directip " + std::string(49, '1');
    std::vector<std::string> many;
    for (int i = 0; i < 30; ++i) many.push_back("s" + std::to_string(i));
    struct Case {
        const char* what;
        std::string pilot;
        std::vector<std::string> switches;
        std::string target;
        std::vector<std::string> args;    // rows after -LAUNCHED, as the game fills them
        std::vector<std::string> leftOut; // named to the player
    };
    const Case cases[] = {
        {"a pilot with a blank is one argument",
         "Red Baron",
         {"nointro"},
         "",
         {"-PILOT", "RED BARON", "", "-NOINTRO", ""},
         {}},
        {"a pilot name of 100 characters",
         std::string(100, 'p'),
         {},
         "",
         {""},
         {"-pilot " + std::string(100, 'p')}},
        {"a switch of 120 characters",
         "Ace",
         {"nointro", "x" + std::string(119, 'y')},
         "",
         {"-PILOT", "ACE", "-NOINTRO", ""},
         {"-x" + std::string(119, 'y')}},
        {"an address of 110 characters",
         "",
         {"nointro"},
         "-directip " + std::string(110, '2'),
         {"-NOINTRO", ""},
         {"-directip " + std::string(110, '2')}},
        {"many switches: pilot and join first", "Ace", many, address, {}, {}},
    };
    for (const Case& c : cases) {
        ini["UsePilot"] = "1", ini["PilotName"] = c.pilot;
        writeSettings({}, {}, c.switches, std::vector<bool>(c.switches.size(), true));
        writeDirect(c.target, c.target.empty() ? "0" : "1", "0");
        fake.dialogs.boxes.clear(), fake.shell.started.clear();
        run();
        ASSERT_TRUE(gameStarted()) << c.what;
        const auto game = gamereading::gatherArgs(gameStart().parameters);
        EXPECT_FALSE(game.overrun) << c.what << ": " << gameStart().parameters;
        ASSERT_FALSE(game.args.empty());
        EXPECT_EQ(game.args[0], "-LAUNCHED") << c.what;
        if (!c.args.empty()) {
            EXPECT_EQ(std::vector<std::string>(game.args.begin() + 1, game.args.end()), c.args)
                << c.what;
        }
        std::vector<std::string> named;
        if (!fake.dialogs.boxes.empty()) {
            const std::string& text = fake.dialogs.boxes[0].text;
            EXPECT_EQ(text.rfind("The game takes at most 28 command-line arguments", 0), 0u);
            for (std::size_t at = text.find('\n'); at != std::string::npos;) {
                const std::size_t end = text.find('\n', at + 1);
                named.push_back(text.substr(at + 1, end - at - 1));
                at = end;
            }
            named.erase(named.begin()); // "The game starts without:"
        }
        if (c.switches.size() == many.size()) {
            // -Launched -pilot Ace, 22 switches, the empty row of the double blank and the join
            // fill the 28 rows.
            EXPECT_EQ(game.args.size(), 28u);
            EXPECT_EQ(game.args[1], "-PILOT");
            EXPECT_EQ(game.args.back(), std::string(49, '1'));
            EXPECT_EQ(named, std::vector<std::string>(
                                 {"-s22", "-s23", "-s24", "-s25", "-s26", "-s27", "-s28", "-s29"}));
        } else {
            EXPECT_EQ(named, c.leftOut) << c.what;
        }
    }
}

TEST_F(Launcher, PilotNeedsBothTheSwitchAndAName) {
    ini["UsePilot"] = "1", ini["PilotName"] = "";
    writeSettings();
    run();
    EXPECT_EQ(gameStart().parameters, "-Launched ");
    ini["UsePilot"] = "0", ini["PilotName"] = "Ace";
    writeSettings();
    run();
    EXPECT_EQ(gameStart().parameters, "-Launched ");
}

// UsePilot and SideEnabled count by their numeric value, fraction included: only exactly 1.
TEST_F(Launcher, OnlyANumericValueOfExactlyOneSwitchesOn) {
    ini["PilotName"] = "Ace";
    writeSettings();
    settings::ShellList side;
    side[0] = {"one.exe", "C:\\Side", "1"};
    writeShellList(side);
    const std::string written = fileText("scourix.ini");
    const std::string shell = fileText("shelllist.txt");
    auto withValue = [](std::string file, const std::string& from, const std::string& to) {
        return file.replace(file.find(from), from.size(), to);
    };
    for (const auto& [value, on] :
         std::initializer_list<std::pair<const char*, bool>>{{"1.5", false},
                                                             {"1.0", true},
                                                             {" 01", true},
                                                             {"1.", true},
                                                             {"12", false},
                                                             {"0.9", false},
                                                             {"-1", false},
                                                             {"1e3", false},
                                                             {"10e-1", true}}) {
        // UsePilot is line 10, after the nine quoted lines, DeleteStats line 13 after the
        // language; SideEnabled the third line.
        fake.files.addFile(path("scourix.ini"),
                           withValue(withValue(written, "\r\n0\r\n\"Ace\"",
                                               std::string("\r\n") + value + "\r\n\"Ace\""),
                                     "\"2\"\r\n0\r\n", std::string("\"2\"\r\n") + value + "\r\n"));
        fake.files.addFile(netgames("a.stats"));
        fake.files.addFile(path("shelllist.txt"),
                           withValue(shell, "\"C:\\Side\"\r\n1\r\n",
                                     std::string("\"C:\\Side\"\r\n") + value + "\r\n"));
        fake.shell.started.clear();
        run();
        EXPECT_EQ(gameStart().parameters, on ? "-Launched -pilot Ace " : "-Launched ") << value;
        EXPECT_EQ(fake.shell.started.size(), on ? 2u : 1u) << value;
        EXPECT_EQ(fake.files.has(netgames("a.stats")), !on) << "DeleteStats " << value;
    }
}

// A file of an older version lacks the window place; one of a later version has lines after
// ours. Both start the game, and the later lines survive the one-time join's reset.
TEST_F(Launcher, SettingsFilesOfOlderAndLaterVersionsStartTheGame) {
    writeSettings();
    const std::string fifteen = fileText("scourix.ini");
    ASSERT_EQ(std::count(fifteen.begin(), fifteen.end(), '\n'), 15);
    for (const std::string& ini : {fifteen, fifteen + "\"10,20\"\r\n\"later\"\r\n"}) {
        fake.files.addFile(path("scourix.ini"), ini);
        writeDirect("-pxo Tracker", "1", "1");
        fake.files.addFile(path("direckt.ini"), fileText("direckt.ini") + "\"later\"\r\n");
        fake.shell.started.clear();
        run();
        EXPECT_TRUE(fake.dialogs.boxes.empty());
        EXPECT_EQ(gameStart().parameters, "-Launched  -pxo Tracker");
        EXPECT_EQ(fileText("direckt.ini"), "\"-pxo Tracker\"\r\n\"0\"\r\n\"1\"\r\n\"later\"\r\n");
        EXPECT_EQ(fileText("scourix.ini"), ini);
    }
}

// Mode "2" joins without asking only when the question is switched off ("0"); any other ask
// value joins nothing, and a file that could not be read whole joins nothing either.
TEST_F(Launcher, AlwaysJoinWithAnUnknownAskValueOrABrokenFileJoinsNothing) {
    writeSettings();
    for (const char* ask : {"", "2", "yes", "0 "}) {
        writeDirect("-directip 1.2.3.4", "2", ask);
        run();
        EXPECT_TRUE(fake.dialogs.boxes.empty()) << ask;
        EXPECT_EQ(gameStart().parameters, "-Launched ") << ask;
    }
    const std::string broken = "\"-directip 1.2.3.4\"\r\n\"2\"\r\n";
    fake.files.addFile(path("direckt.ini"), broken);
    run();
    EXPECT_EQ(fileText("direckt.ini"), "\"\"\r\n\"0\"\r\n\"0\"\r\n");
    EXPECT_EQ(fileText("direckt.ini.bak"), broken) << "the player's bytes are kept";
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(fake.dialogs.boxes[0].text.find(path("direckt.ini.bak")), std::string::npos);
    EXPECT_EQ(gameStart().parameters, "-Launched ");
}

TEST_F(Launcher, KeysWithoutAFlagsLineSelectNothing) {
    fake.files.addFile(path("keys.ini"), "\"nointro\"\r\n\"vsync\"\r\n");
    ini["GamePath"] = game;
    settings::SettingsFile f(fake.codepage);
    settings::writeScourixIni(f, ini);
    fake.files.addFile(path("scourix.ini"), f.bytes());
    fake.files.addFile(path("logos.ini"));
    fake.files.addFile(path("taunts.ini"));
    launcher::Anzeiger& win = run();
    EXPECT_EQ(win.keys().switches.size(), 2u);
    EXPECT_EQ(gameStart().parameters, "-Launched ");
}

TEST_F(Launcher, OneTimeJoinIsConsumedAndAlwaysJoinStays) {
    writeSettings();
    writeDirect("-pxo Tracker", "1", "1");
    run();
    EXPECT_EQ(fileText("direckt.ini"), "\"-pxo Tracker\"\r\n\"0\"\r\n\"1\"\r\n");
    writeDirect("-pxo Tracker", "2", "0");
    run();
    EXPECT_EQ(fileText("direckt.ini"), "\"-pxo Tracker\"\r\n\"2\"\r\n\"0\"\r\n");
}

// A reset that fails is tried again; one that cannot be written at all is named, since the
// request would join later starts too.
TEST_F(Launcher, AOneTimeJoinWhoseResetFailsIsResetOnTheSecondTryOrNamed) {
    writeSettings();
    for (int failing : {1, 2}) {
        writeDirect("-pxo Tracker", "1", "1");
        fake.files.failWrites(path("direckt.ini"), failing);
        fake.dialogs.boxes.clear();
        run();
        EXPECT_EQ(gameStart().parameters, "-Launched  -pxo Tracker") << "this run joins";
        if (failing == 1) {
            EXPECT_EQ(fileText("direckt.ini"), "\"-pxo Tracker\"\r\n\"0\"\r\n\"1\"\r\n");
            EXPECT_TRUE(fake.dialogs.boxes.empty());
        } else {
            ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
            EXPECT_NE(fake.dialogs.boxes[0].text.find("could not be turned off"),
                      std::string::npos);
        }
    }
    // A request whose bare target fills the 1 MiB it is read with: quoted, its reset would be
    // bigger than that, so the file stays as it is and the player is told why.
    const std::string bare =
        std::string(settings::SettingsFile::kMaxBytes - 12, 't') + "\r\n\"1\"\r\n\"1\"\r\n";
    fake.files.addFile(path("direckt.ini"), bare);
    fake.dialogs.boxes.clear();
    run();
    EXPECT_TRUE(fileText("direckt.ini") == bare);
    ASSERT_FALSE(fake.dialogs.boxes.empty()); // then the game's argument limit, for this target
    EXPECT_EQ(fake.dialogs.boxes[0].text,
              settings::tooBig(path("direckt.ini"), lang::Language::English));
}

// A side-program list of the launcher's that cannot be read is replaced, its bytes kept; one
// saved as UTF-16 is the player's and stays as it is.
TEST_F(Launcher, AnUnreadableSideProgramListIsKeptAsACopy) {
    writeSettings();
    const std::string broken = "\"x.exe\"\r\n";
    std::string wide = "\xFF\xFE";
    for (char c : broken) wide += c, wide += '\0';
    fake.files.addFile(path("shelllist.txt"), broken);
    run();
    EXPECT_EQ(fileText("shelllist.txt.bak"), broken);
    EXPECT_EQ(fileText("shelllist.txt").substr(0, 8), "\r\n0\r\n0\r\n");
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(fake.dialogs.boxes[0].text.find(path("shelllist.txt.bak")), std::string::npos);

    fake.files.addFile(path("shelllist.txt"), wide);
    run();
    EXPECT_EQ(fileText("shelllist.txt"), wide);
    EXPECT_EQ(fake.dialogs.boxes.size(), 1u);
}

TEST_F(Launcher, SettingsFilesThatCannotBeWrittenStayWhole) {
    writeSettings();
    writeDirect("-pxo Tracker", "1", "1");
    fake.files.addFile(path("shelllist.txt"), "\"x.exe\"\r\n");
    fake.files.diskFull(true);
    run();
    EXPECT_EQ(fileText("direckt.ini"), "\"-pxo Tracker\"\r\n\"1\"\r\n\"1\"\r\n");
    EXPECT_EQ(fileText("shelllist.txt"), "\"x.exe\"\r\n");
    EXPECT_EQ(gameStart().parameters, "-Launched  -pxo Tracker") << "this run still joins";
}

TEST_F(Launcher, AlwaysJoinWithTheQuestion) {
    writeSettings();
    writeDirect("-directip 1.2.3.4", "2", "1");
    fake.dialogs.answers = {Answer::Yes};
    run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text, "Joint Server now ?");
    EXPECT_EQ(fake.dialogs.boxes[0].title, "gatefire");
    EXPECT_EQ(fake.dialogs.boxes[0].icon, Icon::Question);
    EXPECT_EQ(fake.dialogs.boxes[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(gameStart().parameters, "-Launched  -directip 1.2.3.4");

    fake.dialogs.answers = {Answer::No};
    run();
    EXPECT_EQ(gameStart().parameters, "-Launched ");
}

TEST_F(Launcher, AlwaysJoinWithoutTheQuestionJoins) {
    writeSettings();
    writeDirect("-directip 1.2.3.4", "2", "0");
    run();
    EXPECT_TRUE(fake.dialogs.boxes.empty());
    EXPECT_EQ(gameStart().parameters, "-Launched  -directip 1.2.3.4");
}

TEST_F(Launcher, UnreadableDirectJoinFileIsReset) {
    writeSettings();
    fake.files.addFile(path("direckt.ini"), "\"-directip 1.2.3.4\"\r\n");
    run();
    EXPECT_EQ(fileText("direckt.ini"), "\"\"\r\n\"0\"\r\n\"0\"\r\n");
    EXPECT_EQ(gameStart().parameters, "-Launched ");
    fake.files.remove(path("direckt.ini"));
    run();
    EXPECT_EQ(fileText("direckt.ini"), "\"\"\r\n\"0\"\r\n\"0\"\r\n");
}

TEST_F(Launcher, EmptyGamePathOffersScourix) {
    ini["GamePath"] = "";
    writeSettings();
    writeDirect("-directip 1.2.3.4", "1", "0");
    settings::NetworkIni net;
    net.gameLanguage = "German";
    writeNetwork(net);
    fake.dialogs.answers = {Answer::Ok};
    launcher::Anzeiger& win = run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text, "please start scourix first ! start scourix now ?");
    EXPECT_EQ(fake.dialogs.boxes[0].icon, Icon::Information);
    EXPECT_EQ(fake.dialogs.boxes[0].buttons, platform::Buttons::OkCancel);
    ASSERT_EQ(fake.shell.started.size(), 1u);
    EXPECT_EQ(fake.shell.started[0].file, "scourix.exe");
    EXPECT_EQ(fake.shell.started[0].folder, program);
    EXPECT_TRUE(win.isClosed());
    EXPECT_FALSE(win.isShown());
    EXPECT_TRUE(fake.registry.writes.empty());
    EXPECT_EQ(fileText("direckt.ini"), "\"-directip 1.2.3.4\"\r\n\"0\"\r\n\"0\"\r\n");
}

TEST_F(Launcher, EmptyGamePathCancelledInGerman) {
    ini["GamePath"] = "", ini["Language"] = "1";
    writeSettings();
    fake.dialogs.answers = {Answer::Cancel};
    launcher::Anzeiger& win = run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text,
              "Bitte starte zuerst Scourix ! Soll Scourix jetzt gestartet werden?");
    EXPECT_TRUE(fake.shell.started.empty());
    EXPECT_TRUE(win.isClosed());
}

TEST_F(Launcher, MissingGameFolderStopsBeforeTouchingAnything) {
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
    fake.files.addFile(graphics("a.ogf"));
    writeSettings();
    writeShellList({settings::SideProgram{"side.exe", "C:\\Tools", "1"}});
    fake.files.removeFolderAfterCopies(netgames(), 0);
    launcher::Anzeiger& win = run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text, "Error ! Path not found");
    EXPECT_EQ(fake.dialogs.boxes[0].title, "Gatefire error");
    EXPECT_EQ(fake.dialogs.boxes[0].icon, Icon::Critical);
    EXPECT_TRUE(fake.files.has(graphics("a.ogf")));
    EXPECT_TRUE(fake.shell.started.empty());
    EXPECT_TRUE(win.isClosed());
}

class MissingSettings : public Launcher, public ::testing::WithParamInterface<const char*> {};

TEST_P(MissingSettings, EndWithAFileErrorNamingTheFile) {
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
    fake.files.addFile(graphics("a.ogf"));
    writeSettings();
    fake.files.remove(path(GetParam()));
    launcher::Anzeiger& win = run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    const auto& box = fake.dialogs.boxes[0];
    EXPECT_NE(box.text.find(GetParam()), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("Scourix"), std::string::npos) << box.text;
    EXPECT_EQ(box.icon, Icon::Critical);
    EXPECT_TRUE(win.isClosed());
    EXPECT_FALSE(win.isShown());
    EXPECT_TRUE(fake.shell.started.empty());
    EXPECT_TRUE(fake.registry.writes.empty());
    EXPECT_TRUE(fake.files.has(graphics("a.ogf")));
}

INSTANTIATE_TEST_SUITE_P(EachFile, MissingSettings,
                         ::testing::Values("scourix.ini", "logos.ini", "taunts.ini", "keys.ini"));

TEST_F(Launcher, FileErrorSpeaksThePlayersLanguageWhenKnown) {
    ini["Language"] = "1";
    writeSettings();
    fake.files.remove(path("keys.ini"));
    run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(fake.dialogs.boxes[0].text.find("Bitte starte Scourix"), std::string::npos);
    EXPECT_EQ(fake.dialogs.boxes[0].text.find("Please"), std::string::npos);
}

TEST_F(Launcher, ShortScourixIniIsAFileErrorInBothLanguages) {
    fake.files.addFile(path("scourix.ini"), "\"C:\\Games\\Descent3\"\r\n\"\"\r\n");
    run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(fake.dialogs.boxes[0].text.find("scourix.ini"), std::string::npos);
    EXPECT_NE(fake.dialogs.boxes[0].text.find("Please"), std::string::npos);
    EXPECT_NE(fake.dialogs.boxes[0].text.find("Bitte"), std::string::npos);

    // Before the player chose: English, and the system's language where it is another of ours.
    fake.host.uiLocale = "fr_FR.UTF-8";
    fake.dialogs.boxes.clear();
    run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(fake.dialogs.boxes[0].text.find("Please"), std::string::npos);
    EXPECT_NE(
        fake.dialogs.boxes[0].text.find("\n\nLe fichier de réglages «\u00a0scourix.ini\u00a0»"),
        std::string::npos);
    EXPECT_EQ(fake.dialogs.boxes[0].text.find("Bitte"), std::string::npos);
}

TEST_F(Launcher, SideProgramsStartOnlyWhenEnabledAndNamed) {
    writeSettings();
    writeShellList({settings::SideProgram{"one.exe", "C:\\Tools", "1"},
                    {"two.exe", "C:\\Tools", "0"},
                    {"", "C:\\Tools", "1"},
                    {"four.exe", "C:\\", "1"},
                    {"five.exe", "C:\\Tools", "2"}});
    const std::string before = fileText("shelllist.txt");
    run();
    ASSERT_EQ(fake.shell.started.size(), 3u);
    EXPECT_EQ(fake.shell.started[0].file, "C:\\Tools\\one.exe");
    EXPECT_EQ(fake.shell.started[0].folder, "C:\\Tools");
    EXPECT_EQ(fake.shell.started[1].file, "C:\\four.exe");
    EXPECT_EQ(fake.shell.started[2].file, game + "\\Main.exe");
    EXPECT_EQ(fileText("shelllist.txt"), before);
}

TEST_F(Launcher, MissingSideProgramListIsWrittenAnewAndStartsNothing) {
    writeSettings();
    run();
    std::string expected;
    for (int i = 0; i < 5; ++i) expected += "\r\n0\r\n0\r\n";
    EXPECT_EQ(fileText("shelllist.txt"), expected);
    ASSERT_EQ(fake.shell.started.size(), 1u);
    EXPECT_TRUE(gameStarted());
}

TEST_F(Launcher, TheQuestionComesAfterTheSidePrograms) {
    writeSettings();
    writeShellList({settings::SideProgram{"one.exe", "C:\\Tools", "1"}});
    writeDirect("-directip 1.2.3.4", "2", "1");
    struct Checking : FakeDialogs {
        FakeShell* shell;
        std::size_t startsBefore = 99;
        platform::Answer message(const std::string& t, platform::Buttons b, platform::Icon i,
                                 const std::string& title) override {
            startsBefore = shell->started.size();
            return FakeDialogs::message(t, b, i, title);
        }
    } dialogs;
    dialogs.shell = &fake.shell;
    platform::Platform p{fake.files, fake.shell,    fake.registry, dialogs,
                         fake.app,   fake.codepage, fake.keys,     fake.shortcuts};
    launcher::Anzeiger win(p);
    win.load();
    win.putzstart.tick();
    EXPECT_EQ(dialogs.startsBefore, 1u);
}

TEST_F(Launcher, AGameThatCannotStartIsReported) {
    ini["Language"] = "1";
    writeSettings();
    fake.shell.failing.insert(game + "\\Main.exe");
    launcher::Anzeiger& win = run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(fake.dialogs.boxes[0].text.find("Das Spiel konnte nicht gestartet werden"),
              std::string::npos);
    EXPECT_NE(fake.dialogs.boxes[0].text.find(game + "\\Main.exe"), std::string::npos);
    EXPECT_NE(
        fake.dialogs.boxes[0].text.find("In diesem Ordner liegt kein Programm des Spiels (weder "
                                        "Main.exe noch Descent3):\n" +
                                        game),
        std::string::npos);
    EXPECT_TRUE(win.isClosed());
}

TEST_F(Launcher, RegistryIsWrittenAtLoadBeforeCleaning) {
    ini["PilotName"] = "Ace";
    writeSettings();
    settings::NetworkIni net;
    net.gameLanguage = "French";
    net.keyboardGerman = "1";
    writeNetwork(net);
    w = std::make_unique<launcher::Anzeiger>(fake.platform);
    w->load();
    EXPECT_TRUE(w->putzstart.enabled());
    EXPECT_FALSE(gameStarted());
    EXPECT_EQ(fake.registry.get(launcher::kGameKey, "Default_pilot"), "Ace.plt");
    EXPECT_EQ(fake.registry.get(launcher::kGameKey, "LanguageType"), "dword:4");
    EXPECT_EQ(fake.registry.get(launcher::kGameKey, "KeyboardType"), "German");
}

// Every value written reaches the game whole: a text as long as the buffer the game reads it into
// (counted as the registry hands it to the game, in the code page) is left out and named.
TEST_F(Launcher, NoRegistryValueIsPastTheGamesBuffers) {
    const std::string u = "\xc3\xbc"; // ü: two bytes in UTF-8, one in the code page
    std::string u128;
    for (int i = 0; i < 128; ++i) u128 += u;
    struct Case {
        std::string pilot, login, password;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {std::string(255, 'p'), std::string(32, 'l'), std::string(16, 's'), {}},
        {u128, u + std::string(31, 'l'), u + std::string(15, 's'), {}},
        {std::string(256, 'p'),
         std::string(33, 'l'),
         std::string(17, 's'),
         {"Default_pilot", "TrackerLogin", "TrackerPassword"}},
    };
    for (const Case& c : cases) {
        ini["UsePilot"] = "0", ini["PilotName"] = c.pilot;
        writeSettings();
        settings::NetworkIni net;
        net.keyboardGerman = "1", net.netLan = "1";
        net.trackerName = c.login, net.trackerSecret = c.password;
        writeNetwork(net);
        fake.registry.writes.clear(), fake.dialogs.boxes.clear();
        run();
        std::vector<std::string> names;
        for (const std::string& w : fake.registry.writes) {
            const std::string name = w.substr(0, w.find('='));
            names.push_back(name);
            EXPECT_FALSE(gamereading::overruns(
                name, fake.codepage.fromUtf8(w.substr(w.find('=') + 1)).size()))
                << w;
        }
        std::vector<std::string> expected{"KeyboardType", "NetworkConnection"};
        for (const char* name : {"Default_pilot", "TrackerLogin", "TrackerPassword"})
            if (std::count(c.left.begin(), c.left.end(), name) == 0) expected.push_back(name);
        std::sort(names.begin(), names.end()), std::sort(expected.begin(), expected.end());
        EXPECT_EQ(names, expected) << c.pilot;
        if (c.left.empty()) {
            EXPECT_TRUE(fake.dialogs.boxes.empty()) << c.pilot;
        } else {
            ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
            EXPECT_EQ(fake.dialogs.boxes[0].text,
                      "These settings cannot be stored in Software\\Outrage\\Descent3 and were "
                      "left as they were:\nDefault_pilot\nTrackerLogin\nTrackerPassword");
        }
        EXPECT_TRUE(gameStarted());
    }
}

TEST_F(Launcher, WithoutNetworkIniTheRegistryIsLeftAlone) {
    ini["PilotName"] = "Ace";
    writeSettings();
    fake.files.addFile(path("network.ini"), "English\r\n1\r\n");
    run();
    EXPECT_TRUE(fake.registry.writes.empty());
    EXPECT_TRUE(gameStarted());
}

TEST(GameSettings, ValuesFollowTheirConditionsInOrder) {
    FakeRegistry reg;
    platform::Cp1252 cp;
    settings::NetworkIni net{"German", "1", "0", "1", "0",   "1",  "1",
                             "0",      "0", "1", "1", "Ace", "p,w"};
    launcher::writeGameSettings(reg, cp, net, "Pilot");
    EXPECT_EQ(reg.writes,
              (std::vector<std::string>{"Default_pilot=Pilot.plt", "LanguageType=dword:1",
                                        "KeyboardType=United States", "KeyboardType=German",
                                        "NetworkConnection=Dialup", "NetworkConnection=LAN",
                                        "ConnectionSpeed=Cable", "ConnectionSpeed=Fast",
                                        "TrackerLogin=Ace", "TrackerPassword=p,w"}));
    EXPECT_EQ(reg.get(launcher::kGameKey, "KeyboardType"), "German");
}

TEST(GameSettings, UnmetConditionsKeepTheOldValues) {
    FakeRegistry reg;
    platform::Cp1252 cp;
    reg.createKey(platform::RegRoot::LocalMachine, launcher::kGameKey);
    reg.setString(platform::RegRoot::LocalMachine, launcher::kGameKey, "TrackerLogin", "Old");
    reg.writes.clear();
    settings::NetworkIni net{"english", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "", ""};
    launcher::writeGameSettings(reg, cp, net, "");
    EXPECT_TRUE(reg.writes.empty());
    EXPECT_EQ(reg.get(launcher::kGameKey, "TrackerLogin"), "Old");
    for (const char* lang : {"English", "German", "Spanish", "Italian", "French"}) {
        net.gameLanguage = lang;
        launcher::writeGameSettings(reg, cp, net, "");
    }
    EXPECT_EQ(reg.writes, (std::vector<std::string>{"LanguageType=dword:0", "LanguageType=dword:1",
                                                    "LanguageType=dword:2", "LanguageType=dword:3",
                                                    "LanguageType=dword:4"}));
}

// The first value written fails, and one in the middle: every other value is still written.
TEST(GameSettings, AFailingValueDoesNotStopTheRest) {
    FakeRegistry reg;
    platform::Cp1252 cp;
    reg.failing = {"Default_pilot", "NetworkConnection"};
    settings::NetworkIni net{"German", "1", "0", "0", "0", "0", "1", "0", "0", "0", "1", "A", "B"};
    launcher::writeGameSettings(reg, cp, net, "P");
    const std::string key = launcher::kGameKey;
    EXPECT_EQ(reg.get(key, "Default_pilot"), "");
    EXPECT_EQ(reg.get(key, "NetworkConnection"), "");
    EXPECT_EQ(reg.get(key, "LanguageType"), "dword:1");
    EXPECT_EQ(reg.get(key, "KeyboardType"), "United States");
    EXPECT_EQ(reg.get(key, "ConnectionSpeed"), "Fast");
    EXPECT_EQ(reg.get(key, "TrackerLogin"), "A");
    EXPECT_EQ(reg.get(key, "TrackerPassword"), "B");
}

// The reader of the game settings page, on the data as the registry returns it.
TEST(RegistryText, EachTypeAsTheGameSettingsPageReadsIt) {
    using platform::registryText;
    using platform::RegType;
    auto utf16 = [](const std::u16string& s) {
        std::string out;
        for (char16_t c : s) out += char(c & 0xFF), out += char(c >> 8);
        return out;
    };
    // A string ends at its first NUL; one without a NUL ends with the data.
    EXPECT_EQ(registryText(RegType::String, utf16(u"Fast\0old\0")), "Fast");
    EXPECT_EQ(registryText(RegType::String, utf16(u"Fast")), "Fast");
    EXPECT_EQ(registryText(RegType::String, utf16(u"Fran\u00e7ais")), "Français");
    EXPECT_EQ(registryText(RegType::String, utf16(u"Fast") + "x"), "Fast"); // odd byte count
    // Every NUL of a multi-string becomes CR LF.
    EXPECT_EQ(registryText(RegType::MultiString, utf16(std::u16string(u"LAN\0ISDN\0\0", 10))),
              "LAN\r\nISDN\r\n\r\n");
    // Numbers: only the bytes returned count.
    EXPECT_EQ(registryText(RegType::Dword, std::string("\x2A\x01\0\0", 4)), "298");
    EXPECT_EQ(registryText(RegType::Dword, std::string("\x2A\x01", 2)), "298");
    EXPECT_EQ(registryText(RegType::Dword, std::string("\x07", 1)), "7");
    EXPECT_EQ(registryText(RegType::Dword, ""), "0");
    EXPECT_EQ(registryText(RegType::Dword, std::string("\xFF\xFF\xFF\xFF", 4)), "4294967295");
    // Any other type, expandable strings included, gives empty text.
    EXPECT_EQ(registryText(RegType::Other, utf16(u"%SystemRoot%")), "");
}

// The window's shape and dragging, seen through a recording peer.
struct ShapePeer : ui::WindowPeer {
    std::vector<int> region;
    int drags = 0;
    void update(ui::Prop) override {}
    void show() override {}
    void close() override {}
    void minimize() override {}
    void focus() override {}
    void setEllipticRegion(int l, int t, int r, int b) override { region = {l, t, r, b}; }
    void beginDrag() override { ++drags; }
    int twipsPerPixelX() override { return 15; }
    int twipsPerPixelY() override { return 15; }
};

TEST_F(Launcher, RoundWindowAndDraggingByTheTopRows) {
    writeSettings();
    launcher::Anzeiger win(fake.platform);
    ShapePeer peer;
    win.peer = &peer;
    win.load();
    EXPECT_EQ(peer.region, (std::vector<int>{1, 1, 310, 209}));
    win.mouseDown(100 * 15, 24 * 15);
    EXPECT_EQ(peer.drags, 1);
    win.mouseDown(100 * 15, 25 * 15);
    EXPECT_EQ(peer.drags, 1);
    win.peer = nullptr;
}

} // namespace
