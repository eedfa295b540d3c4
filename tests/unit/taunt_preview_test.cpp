#include <gtest/gtest.h>

#include "config/mainwindow/main_window.h"
#include "config/tools/taunt_preview.h"
#include "config/tools/infofenster.h"
#include "config/tools/mt.h"
#include "config/tools/ordner.h"
#include "config/tools/sucher.h"
#include "tests/support/game_folder.h"
#include "tests/support/taunt_file.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kTester = "Theme File Editor v1.0";
const std::string kMusic = "C:\\Tools\\MusicTester.exe";

// The loading sequence for a preview file, as the fake keys log it.
Lines loading(const std::string& preview) {
    return {"send {DOWN}", "send {INSERT}", "send Test",  "send {TAB}", "send " + preview,
            "send {TAB}",  "send {TAB}",    "send {TAB}", "send {TAB}", "send \r"};
}
const Lines kClosing = {"wait {TAB}",  "wait {TAB}",  "wait {TAB}",  "wait {TAB}",  "wait \r",
                        "send %",      "send {DOWN}", "send {DOWN}", "send {DOWN}", "send {DOWN}",
                        "send {DOWN}", "send \r",     "send \r"};

TEST(KeyStrings, NamedKeysAltEnterAndCharacters) {
    using platform::Key;
    EXPECT_EQ(platform::parseKeys("{DOWN}{INSERT}{TAB}{ENTER}"),
              (std::vector<Key>{{"DOWN", ""}, {"INSERT", ""}, {"TAB", ""}, {"ENTER", ""}}));
    EXPECT_EQ(platform::parseKeys("%\r"), (std::vector<Key>{{"ALT", ""}, {"ENTER", ""}}));
    // Characters as typed, a brace group that names no key included; UTF-8 stays whole.
    EXPECT_EQ(platform::parseKeys("C:\\{x}ä"),
              (std::vector<Key>{
                  {"", "C"}, {"", ":"}, {"", "\\"}, {"", "{"}, {"", "x"}, {"", "}"}, {"", "ä"}}));
    EXPECT_TRUE(platform::parseKeys("").empty());
}

// The trailer decides how the bytes before it are heard; anything else is no taunt.
TEST(TauntFile, TrailerTellsCodingRateAndChannels) {
    using platform::Coding;
    using tauntfile::trailer;
    struct Case {
        std::string file;
        bool taunt;
        Coding coding;
        int rate, channels;
    } cases[] = {
        {"abcd" + trailer(0, 0x00, 11), true, Coding::Pcm8, 11025, 1},
        {"abcd" + trailer(0, 0x11, 44), true, Coding::Pcm16, 44100, 2},
        {"abcd" + trailer(0, 0x10, 22), true, Coding::Pcm8, 22050, 2},
        {"abcd" + trailer(1, 0x01, 0), true, Coding::InterplayAcm, 22050, 1},
        {"abcd" + trailer(0, 0x01, 16), false, {}, 0, 0}, // a rate the game never writes
        {"abcd" + trailer(2, 0x01, 22), false, {}, 0, 0}, // unknown compression
        {trailer(0, 0x01, 22), false, {}, 0, 0},          // no sound before the trailer
        {"abcd" + std::string("OSF2") + trailer(0, 0x01, 22).substr(4), false, {}, 0, 0},
        {"abcd" + trailer(0, 0x01, 22).replace(4, 1, "\x01"), false, {}, 0, 0}, // not digital
        {"OSF1", false, {}, 0, 0},
    };
    for (const Case& c : cases) {
        const auto clip = scourix::tauntClip(c.file);
        ASSERT_EQ(clip.has_value(), c.taunt) << c.file.size();
        if (!clip) continue;
        EXPECT_EQ(clip->data, "abcd");
        EXPECT_EQ(clip->coding, c.coding);
        if (c.coding == Coding::InterplayAcm) continue; // the stream names its own
        EXPECT_EQ(clip->rate, c.rate);
        EXPECT_EQ(clip->channels, c.channels);
    }
}

class Preview : public ::testing::Test, public GameFolder {
  protected:
    Preview() {
        program = "C:\\Scourix";
        fake.app.folder = program;
        fake.dialogs.programTitle = "scourix";
        fake.files.addFolder(program);
        fake.files.setCurrentFolder(program);
        fake.files.addFile(sounds("hello.osf"), "HELLO-BYTES");
        fake.files.addFile(kMusic, "exe");
        fake.keys.windows.insert(kTester);
        ini["MusicTesterPath"] = kMusic;
        ini["AutoCloseTester"] = "1";
    }
    scourix::MainWindow& start(const std::vector<std::string>& taunts = {"hello.osf"}) {
        writeSettings({}, taunts);
        w = std::make_unique<scourix::MainWindow>(fake.platform);
        w->open();
        return *w;
    }
    std::string lastBox() const {
        return fake.dialogs.boxes.empty() ? "<none>" : fake.dialogs.boxes.back().text;
    }
    std::unique_ptr<scourix::MainWindow> w;
};

TEST_F(Preview, PlayCopiesStartsAndTypesBothSequencesInOrder) {
    scourix::MainWindow& m = start();
    EXPECT_TRUE(m.play1.enabled());
    EXPECT_FALSE(m.Playerstart.enabled());
    EXPECT_FALSE(m.Zeitaus.enabled());
    m.mysounds.setListIndex(0);
    m.play1.click();

    EXPECT_EQ(fake.files.content("C:\\mt\\test.osf"), "HELLO-BYTES");
    EXPECT_EQ(fake.shell.programs, Lines{kMusic});
    EXPECT_TRUE(fake.keys.log.empty()) << "nothing is typed before the tick";
    EXPECT_EQ(m.Playerstart.interval, 200);
    ASSERT_TRUE(m.Playerstart.enabled());

    m.Playerstart.tick();
    EXPECT_FALSE(m.Playerstart.enabled());
    EXPECT_EQ(fake.keys.log.front(), "activate " + kTester);
    EXPECT_EQ(fake.keys.sent(), loading("C:\\mt\\test.osf"));
    EXPECT_EQ(m.Zeitaus.interval, 3800);
    ASSERT_TRUE(m.Zeitaus.enabled());

    fake.keys.log.clear();
    m.Zeitaus.tick();
    EXPECT_FALSE(m.Zeitaus.enabled());
    EXPECT_EQ(fake.keys.log.front(), "activate " + kTester);
    EXPECT_EQ(fake.keys.sent(), kClosing);
    EXPECT_TRUE(fake.dialogs.boxes.empty()) << lastBox();
}

TEST_F(Preview, DoubleClickPlaysWithoutAutoCloseAndDriveOfTheGameFolder) {
    game = "D:\\Spiele\\Outrage\\Descent3";
    ini["GamePath"] = game;
    ini["AutoCloseTester"] = "0";
    fake.files.addFolder(game + "\\custom\\sounds");
    fake.files.addFile(sounds("b.osf"), "B");
    fake.files.addFolder("D:\\mt"); // there already: no harm
    scourix::MainWindow& m = start({"hello.osf", "b.osf"});
    m.mysounds.setListIndex(1);
    m.mysounds.dblClick();
    EXPECT_EQ(fake.files.content("D:\\mt\\test.osf"), "B");
    m.Playerstart.tick();
    EXPECT_EQ(fake.keys.sent(), loading("D:\\mt\\test.osf"));
    EXPECT_FALSE(m.Zeitaus.enabled()) << "the tester stays open";
    EXPECT_TRUE(fake.dialogs.boxes.empty()) << lastBox();
}

TEST_F(Preview, NothingHappensWithoutSelectionOrTesterPath) {
    scourix::MainWindow& m = start();
    m.play1.click();
    m.mysounds.setListIndex(0);
    m.settings().musicTesterPath = "";
    m.play1.click();
    m.mysounds.dblClick();
    EXPECT_TRUE(fake.shell.programs.empty());
    EXPECT_FALSE(fake.files.has("C:\\mt\\test.osf"));
    EXPECT_FALSE(m.Playerstart.enabled());
    EXPECT_TRUE(fake.dialogs.boxes.empty());

    ini["MusicTesterPath"] = "";
    scourix::MainWindow& fresh = start();
    EXPECT_FALSE(fresh.play1.enabled()) << "no tester path stored";
}

// A system that plays sounds itself (Linux) has no tester to set: ">" plays the taunt where it
// lies and writes nothing anywhere; every failure is told.
TEST_F(Preview, ASystemThatPlaysItselfPlaysWithoutTesterAndWritesNothing) {
    fake.sound.on = true;
    fake.keys.reaches = false;
    ini["MusicTesterPath"] = "";
    fake.files.addFile(sounds("good.osf"), "PCM" + tauntfile::trailer(0, 0x01, 22));
    scourix::MainWindow& m = start({"good.osf", "hello.osf", "gone.osf"});
    EXPECT_FALSE(m.m42.visible());
    EXPECT_TRUE(m.play1.enabled());
    const auto before = fake.files.snapshot();

    m.play1.click();
    EXPECT_NE(lastBox().find("Choose a taunt"), std::string::npos) << lastBox();
    m.mysounds.setListIndex(0);
    m.play1.click();
    ASSERT_EQ(fake.sound.clips.size(), 1u);
    EXPECT_EQ(fake.sound.clips[0].data, "PCM");
    EXPECT_EQ(fake.sound.clips[0].coding, platform::Coding::Pcm16);
    EXPECT_EQ(fake.dialogs.boxes.size(), 1u) << lastBox();

    const std::pair<int, std::string> failures[] = {
        {1, "holds no taunt"}, // "HELLO-BYTES" has no trailer
        {2, "is not there"},
    };
    for (const auto& [index, told] : failures) {
        m.mysounds.setListIndex(index);
        m.play1.click();
        EXPECT_NE(lastBox().find(told), std::string::npos) << lastBox();
    }
    fake.sound.answer = platform::Played::NoOutput;
    m.mysounds.setListIndex(0);
    m.mysounds.dblClick();
    EXPECT_NE(lastBox().find("sound output"), std::string::npos) << lastBox();

    EXPECT_EQ(fake.files.snapshot(), before) << "nothing written, no preview folder";
    EXPECT_TRUE(fake.shell.programs.empty());
    EXPECT_TRUE(fake.keys.log.empty());
    EXPECT_FALSE(m.Playerstart.enabled());
}

// The way ">" and "play" take by the system and the player's settings: the tester he set where
// Scourix can type into it (Windows), else the system's own output where it has one (Windows
// and Linux). The menu, the info window and the tester's options say what the player has.
TEST_F(Preview, TesterOrOwnPlayingBySystemAndSettings) {
    fake.files.addFile(sounds("good.osf"), "PCM" + tauntfile::trailer(0, 0x01, 22));
    enum Heard { Tester, Own, NoTester, Nothing };
    struct Case {
        const char* system;
        bool plays, reaches;
        std::string tester;
        Heard main, browser;
        bool offered; // the tester's menu entry and hint
    } cases[] = {
        {"Windows", true, true, kMusic, Tester, Tester, true},
        {"Windows", true, true, "", Own, Own, true},
        {"Linux", true, false, kMusic, Own, Own, false},
        {"Linux", true, false, "", Own, Own, false},
        {"no output", false, true, kMusic, Tester, Tester, true},
        {"no output", false, true, "", Nothing, Nothing, true},
        {"neither", false, false, kMusic, NoTester, Tester, true},
    };
    const std::string noTester = "This system has no sound tester that Scourix can type into: the "
                                 "taunt cannot be previewed here.";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.system) + (c.tester.empty() ? " without" : " with") + " tester");
        fake.sound.on = c.plays;
        fake.keys.reaches = c.reaches;
        ini["MusicTesterPath"] = c.tester;
        scourix::MainWindow& m = start({"good.osf"});
        EXPECT_EQ(m.m42.visible(), c.offered);
        EXPECT_EQ(m.m31.caption(), c.offered ? "MusicTester" : "playing taunts");
        EXPECT_EQ(m.play1.enabled(), c.main != Nothing);

        // Nothing chosen: told only where the system would play it itself.
        fake.dialogs.boxes.clear();
        m.play1.click();
        EXPECT_EQ(lastBox(),
                  c.main == Own ? "Choose a taunt in the list first, then play it." : "<none>");
        fake.dialogs.boxes.clear();
        auto heard = [&](Heard want, const char* where) {
            SCOPED_TRACE(where);
            EXPECT_EQ(fake.sound.clips.size(), want == Own ? 1u : 0u);
            EXPECT_EQ(fake.shell.programs, want == Tester ? Lines{kMusic} : Lines{});
            EXPECT_EQ(lastBox(), want == NoTester ? noTester : "<none>");
            fake.sound.clips.clear();
            fake.shell.programs.clear();
            fake.dialogs.boxes.clear();
        };
        m.mysounds.setListIndex(0);
        m.play1.click();
        heard(c.main, ">");
        m.mysoundsplus.click();
        scourix::Ordner& b = m.ordner();
        b.File1.setListIndex(0);
        ASSERT_EQ(b.File1.item(0), "good.osf");
        b.player.click();
        heard(c.browser, "play");
        b.close();

        // The info window from "MusicTester": Scourix's own playing, the tester as optional.
        m.m31.click();
        scourix::Infofenster& info = m.infofenster();
        EXPECT_EQ(info.Label5.visible(), c.plays && c.offered);
        EXPECT_EQ(info.downl.visible(), c.offered);
        EXPECT_EQ(info.Frame2.caption(), c.plays ? "Playing taunts" : "Musictester");
        EXPECT_EQ(info.Label4.caption().rfind(c.offered ? "Musictester is a Tool of "
                                                        : "Scourix plays taunts itself on this",
                                              0),
                  0u)
            << info.Label4.caption();
        if (c.plays && c.offered) {
            EXPECT_NE(info.Label5.caption().find("The sound tester is optional"),
                      std::string::npos);
        }
        EXPECT_GT(info.Frame1.top, info.Frame2.top + info.Frame2.height) << "the credits below";
        info.close();
        if (!c.offered) continue;
        m.m42.click();
        EXPECT_EQ(m.mt().Label2.visible(), c.plays) << "the tester is optional";
        m.mt().close();
    }
}

TEST_F(Preview, AMissingWindowIsWaitedForThenReportedAndNothingIsTyped) {
    fake.keys.windows.clear();
    scourix::MainWindow& m = start();
    m.mysounds.setListIndex(0);
    m.play1.click();
    // A slow tester: its window shows at the third look.
    m.Playerstart.tick();
    m.Playerstart.tick();
    EXPECT_TRUE(fake.keys.sent().empty());
    ASSERT_TRUE(m.Playerstart.enabled()) << "looks again";
    fake.keys.windows.insert(kTester);
    m.Playerstart.tick();
    EXPECT_EQ(fake.keys.sent(), loading("C:\\mt\\test.osf"));
    EXPECT_TRUE(fake.dialogs.boxes.empty()) << lastBox();

    // No window at all: after the last look the player is told, in his language.
    fake.keys = FakeKeys();
    m.languageEntry(lang::Language::German).click();
    m.play1.click();
    int ticks = 0;
    while (m.Playerstart.enabled() && ticks < 100) m.Playerstart.tick(), ++ticks;
    EXPECT_EQ(ticks, scourix::TauntPreview::kMoreLooks + 1);
    EXPECT_TRUE(fake.keys.sent().empty());
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(lastBox(), "Das Fenster des Soundtesters (\"Theme File Editor v1.0\") ist nicht "
                         "erschienen. Es wurde nichts eingetippt.");

    // A window that is there but does not come to the front: the looks are the same, each
    // one short, and the player is told what really happened.
    fake.keys.windows.insert(kTester);
    fake.keys.stuck.insert(kTester);
    m.play1.click();
    ticks = 0;
    while (m.Playerstart.enabled() && ticks < 100) m.Playerstart.tick(), ++ticks;
    EXPECT_EQ(ticks, scourix::TauntPreview::kMoreLooks + 1);
    EXPECT_TRUE(fake.keys.sent().empty());
    ASSERT_EQ(fake.dialogs.boxes.size(), 2u);
    EXPECT_EQ(lastBox(), "Das Fenster des Soundtesters (\"Theme File Editor v1.0\") ist da, ließ "
                         "sich aber nicht in den Vordergrund holen. Es wurde nichts eingetippt.");
    fake.keys.stuck.clear();
    fake.keys.windows.clear();

    // The tester closed by the player before the closing tick: nothing typed, no message.
    fake.keys.windows.insert(kTester);
    m.play1.click();
    m.Playerstart.tick();
    fake.keys.windows.clear();
    fake.keys.log.clear();
    m.Zeitaus.tick();
    EXPECT_TRUE(fake.keys.sent().empty());
    EXPECT_EQ(fake.dialogs.boxes.size(), 2u);
}

TEST_F(Preview, FocusLostWhileTypingStopsTheRest) {
    scourix::MainWindow& m = start();
    m.mysounds.setListIndex(0);
    m.play1.click();
    fake.keys.focusLostAfter = 3;
    m.Playerstart.tick();
    EXPECT_EQ(fake.keys.sent(), (Lines{"send {DOWN}", "send {INSERT}", "send Test"}));
    EXPECT_FALSE(m.Zeitaus.enabled());
    EXPECT_EQ(lastBox(), "The sound tester's window lost the focus while it was typed at; the "
                         "rest was not typed.");
}

TEST_F(Preview, FailuresAreToldAndNothingIsTyped) {
    scourix::MainWindow& m = start({"gone.osf", "hello.osf"});

    // A taunt of the keep list that is not in the folder.
    m.mysounds.setListIndex(0);
    m.play1.click();
    EXPECT_EQ(lastBox(), "The taunt \"" + sounds("gone.osf") +
                             "\" is not there. Nothing is "
                             "played.");
    EXPECT_TRUE(fake.shell.programs.empty());

    // A preview folder that cannot be written.
    m.mysounds.setListIndex(1);
    fake.files.diskFull(true);
    m.play1.click();
    EXPECT_EQ(lastBox(), "The taunt could not be copied to the preview file \"C:\\mt\\test.osf\". "
                         "Can the drive be written? Nothing is played.");
    EXPECT_TRUE(fake.shell.programs.empty());
    fake.files.diskFull(false);

    // A tester path that does not start.
    fake.shell.failing.insert(kMusic);
    m.languageEntry(lang::Language::German).click();
    m.play1.click();
    EXPECT_EQ(lastBox(), "Der Soundtester \"" + kMusic +
                             "\" konnte nicht gestartet werden. Bitte "
                             "prüfe seinen Pfad unter \"Musictester Pfad\".");
    EXPECT_FALSE(m.Playerstart.enabled());
    EXPECT_EQ(fake.dialogs.boxes.size(), 3u);

    // A system with no sound tester to type into says so, also without a tester path.
    fake.keys.reaches = false;
    m.settings().musicTesterPath = "";
    m.play1.click();
    EXPECT_EQ(lastBox(), "Auf diesem System gibt es keinen Soundtester, in den Scourix tippen "
                         "kann: der Taunt kann hier nicht vorgehört werden.");
    EXPECT_EQ(fake.dialogs.boxes.size(), 4u);
    EXPECT_TRUE(fake.keys.log.empty());
    EXPECT_FALSE(fake.app.ended);
    EXPECT_EQ(fake.files.content(sounds("hello.osf")), "HELLO-BYTES");

    // The path to check is named as the options window names it, in every language.
    fake.keys.reaches = true;
    m.settings().musicTesterPath = kMusic;
    for (lang::Language l : lang::kLanguages) {
        m.settings().language = l;
        m.m42.click();
        const std::string option = m.mt().Label1.caption();
        m.mt().close();
        m.play1.click();
        EXPECT_NE(lastBox().find(option), std::string::npos) << lastBox();
    }
}

TEST_F(Preview, PreviewFileIsOnTheGameFoldersDriveRoot) {
    const std::string temp = "C:\\Temp";
    EXPECT_EQ(scourix::TauntPreview::previewFile("C:\\Games\\Descent3", temp), "C:\\mt\\test.osf");
    EXPECT_EQ(scourix::TauntPreview::previewFile("e:\\D3", temp), "e:\\mt\\test.osf");
    // A network folder's first characters name no drive (here a server "smt").
    EXPECT_EQ(scourix::TauntPreview::previewFile("\\\\srv\\d3\\Descent3", temp),
              "C:\\Temp\\mt\\test.osf");
    EXPECT_EQ(scourix::TauntPreview::previewFile("/home/p/Descent3", ""), "");
}

// The options window and the search window.
class TesterPath : public Preview {
  protected:
    scourix::Mt& openMt(bool german = false) {
        scourix::MainWindow& m = start();
        if (german) m.languageEntry(lang::Language::German).click();
        m.m42.click();
        return m.mt();
    }
};

// The options show what the main window holds, not what scourix.ini held when it was read.
TEST_F(TesterPath, OptionsShowTheMainWindowsValues) {
    scourix::MainWindow& m = start();
    m.settings().musicTesterPath = "";
    m.settings().autoCloseTester = false;
    m.m42.click();
    scourix::Mt& mt = m.mt();
    EXPECT_TRUE(mt.isShown());
    EXPECT_EQ(mt.caption(), "toolpath");
    EXPECT_EQ(mt.mtpfad.text(), "") << "scourix.ini holds " << kMusic;
    EXPECT_EQ(mt.plyeraus.value(), 0);
    EXPECT_EQ(mt.Label1.caption(), "musictester path");
    EXPECT_EQ(mt.plyeraus.caption(), "shutdown player automatic");
    EXPECT_EQ(mt.brows1.caption(), "....");
    EXPECT_EQ(mt.speichern.caption(), "ok");
    mt.close();

    m.settings().musicTesterPath = "D:\\Other\\MusicTester.exe";
    m.settings().autoCloseTester = true;
    m.languageEntry(lang::Language::German).click();
    m.m42.click();
    EXPECT_EQ(mt.mtpfad.text(), "D:\\Other\\MusicTester.exe");
    EXPECT_EQ(mt.plyeraus.value(), 1);
    EXPECT_EQ(mt.Label1.caption(), "Musictester Pfad");
    EXPECT_EQ(mt.plyeraus.caption(), "automatisch beenden wenn abgespielt");
}

TEST_F(TesterPath, OkHandsPathAndFlagToTheMainWindowWhichSavesThem) {
    ini["MusicTesterPath"] = "";
    ini["AutoCloseTester"] = "0";
    scourix::Mt& mt = openMt();
    scourix::MainWindow& m = *w;
    EXPECT_FALSE(m.play1.enabled());

    // An empty path leaves play1 as it was.
    mt.plyeraus.setValue(1);
    mt.speichern.click();
    EXPECT_TRUE(mt.isClosed());
    EXPECT_FALSE(m.play1.enabled());
    EXPECT_TRUE(m.settings().autoCloseTester);

    m.m42.click();
    mt.mtpfad.setText("E:\\MT\\MusicTester.exe");
    mt.plyeraus.setValue(0);
    mt.speichern.click();
    EXPECT_EQ(m.settings().musicTesterPath, "E:\\MT\\MusicTester.exe");
    EXPECT_TRUE(m.play1.enabled());
    EXPECT_FALSE(m.settings().autoCloseTester);
    EXPECT_FALSE(fake.files.content(path("scourix.ini"))->find("MT") != std::string::npos)
        << "stored only by the main window's save";

    m.settings().autoCloseTester = true;
    ASSERT_TRUE(m.sichern());
    settings::SettingsFile f(fake.codepage, *fake.files.content(path("scourix.ini")));
    settings::ScourixIni v;
    ASSERT_EQ(settings::readScourixIni(f, v), settings::Problem::None);
    EXPECT_EQ(v["MusicTesterPath"], "E:\\MT\\MusicTester.exe");
    EXPECT_EQ(v["AutoCloseTester"], "1");
}

TEST_F(TesterPath, SearchStartsInTheGameFoldersParentAndWritesThePathBack) {
    fake.files.addFile("C:\\Games\\Tools\\musictester.EXE", "exe");
    fake.files.addFile("C:\\Games\\Tools\\readme.txt");
    scourix::Mt& mt = openMt();
    mt.brows1.click();
    scourix::Sucher& s = mt.sucher();
    EXPECT_TRUE(s.isShown());
    EXPECT_EQ(s.caption(), "search musictester.exe");
    EXPECT_EQ(s.Drive1.drive(), "c:");
    EXPECT_EQ(s.Dir1.path(), "C:\\Games");
    EXPECT_EQ(s.File1.path(), "C:\\Games");
    EXPECT_EQ(s.File1.pattern, "Musictester.exe");

    // No tester in this folder: ok does nothing and the window stays.
    s.Command1.click();
    EXPECT_TRUE(s.isOpen());
    EXPECT_EQ(mt.mtpfad.text(), kMusic);

    ASSERT_TRUE(s.Dir1.setPath("C:\\Games\\Tools"));
    EXPECT_EQ(s.File1.count(), 1) << "the file list follows the folder list";
    s.Command1.click();
    EXPECT_TRUE(s.isClosed());
    EXPECT_EQ(mt.mtpfad.text(), "C:\\Games\\Tools\\MusicTester.exe");
    EXPECT_TRUE(fake.dialogs.boxes.empty()) << lastBox();
}

TEST_F(TesterPath, SearchOnAnotherDriveAndItsRoot) {
    fake.files.addFile("D:\\MusicTester.exe", "exe");
    scourix::Mt& mt = openMt(true);
    mt.brows1.click();
    scourix::Sucher& s = mt.sucher();
    EXPECT_EQ(s.caption(), "suche musictester.exe");
    ASSERT_TRUE(s.Drive1.setDrive("d:"));
    EXPECT_EQ(s.Dir1.path(), "D:\\");
    EXPECT_EQ(s.File1.path(), "D:\\");
    s.Command1.click();
    EXPECT_EQ(mt.mtpfad.text(), "D:\\MusicTester.exe");
}

TEST_F(TesterPath, ShortGameFolderAndUnreadableDrive) {
    game = "C:\\D3";
    ini["GamePath"] = game;
    fake.files.addFolder(game);
    fake.files.addFile(game + "\\MusicTester.exe", "exe");
    scourix::Mt& mt = openMt();
    mt.brows1.click();
    EXPECT_EQ(mt.sucher().Dir1.path(), "C:\\D3") << "the game folder itself";
    EXPECT_EQ(mt.sucher().File1.count(), 1);
    mt.sucher().close();

    // A game folder on a drive that is not there: a message, and the window still opens.
    w->d3path.setText("Q:\\Games\\Descent3");
    mt.brows1.click();
    EXPECT_EQ(lastBox(), "The folder Q:\\Games cannot be read. Please choose the drive and folder "
                         "of MusicTester.exe.");
    EXPECT_TRUE(mt.sucher().isShown());
    EXPECT_FALSE(fake.app.ended);
}

TEST_F(TesterPath, ClosingTheMainWindowClosesBothWindows) {
    scourix::Mt& mt = openMt();
    mt.brows1.click();
    fake.dialogs.answers = {platform::Answer::No};
    w->close();
    EXPECT_TRUE(w->isClosed());
    EXPECT_TRUE(mt.isClosed());
    EXPECT_TRUE(mt.sucher().isClosed());
}

} // namespace
