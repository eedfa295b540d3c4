#include <gtest/gtest.h>

#include "config/mainwindow/main_window.h"
#include "config/tools/ordner.h"
#include "tests/support/game_folder.h"
#include "tests/support/taunt_file.h"

#ifdef WITH_LIBAVCODEC
#include "tests/support/avcodec_acm.h"
#endif
#ifdef SOUND_ON_LINUX
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/linux/sound.h"
#endif

namespace {

using platform::Icon;
using Names = std::vector<std::string>;

const std::string kTester = "Theme File Editor v1.0";
const std::string kMusic = "C:\\Tools\\MusicTester.exe";

// Counts how often the window was given the focus.
struct FocusPeer : ui::WindowPeer {
    int focused = 0;
    void update(ui::Prop) override {}
    void show() override {}
    void close() override {}
    void minimize() override {}
    void focus() override { ++focused; }
    void setEllipticRegion(int, int, int, int) override {}
    void beginDrag() override {}
    int twipsPerPixelX() override { return 15; }
    int twipsPerPixelY() override { return 15; }
};

class Player : public ::testing::Test, public GameFolder {
  protected:
    Player() {
        fake.dialogs.programTitle = "scourix";
        fake.files.addFolder(program);
        fake.files.setCurrentFolder(program);
        fake.files.addFile(kMusic, "exe");
        fake.keys.windows.insert(kTester);
        main.d3path.setText(game);
        main.soundssicherpath.setText(backup);
        main.settings().musicTesterPath = kMusic;
        main.settings().autoCloseTester = true;
        for (const char* n : {"alpha.osf", "hello.osf", "zed.osf"})
            fake.files.addFile(sounds(n), std::string("game ") + n);
        for (const char* n : {"Old.osf", "saved.osf"})
            fake.files.addFile(backup + "\\" + n, std::string("backup ") + n);
    }

    scourix::Ordner& open(const std::string& mode, bool german = false) {
        (german ? main.m111 : main.m112).click();
        main.session().browseMode = mode;
        w = std::make_unique<scourix::Ordner>(fake.platform, main);
        w->open();
        w->peer = &peer;
        return *w;
    }
    void cursor(const std::string& name) {
        for (int i = 0; i < w->File1.count(); ++i)
            if (w->File1.item(i) == name) return w->File1.setListIndex(i);
        FAIL() << name << " not listed";
    }
    static Names items(const ui::ListBox& l) {
        Names out;
        for (int i = 0; i < l.count(); ++i) out.push_back(l.item(i));
        return out;
    }
    std::string lastBox() const {
        return fake.dialogs.boxes.empty() ? "<none>" : fake.dialogs.boxes.back().text;
    }

    std::string backup = "D:\\Backup\\Taunts";
    scourix::MainWindow main{fake.platform};
    std::unique_ptr<scourix::Ordner> w;
    FocusPeer peer;
};

TEST_F(Player, PlayFromTheBackupFolderThenClosesAndTakesTheFocusBack) {
    scourix::Ordner& b = open("sounds2");
    cursor("saved.osf");
    b.player.click();
    EXPECT_EQ(fake.files.content("C:\\mt\\test.osf"), "backup saved.osf");
    EXPECT_EQ(fake.shell.programs, Names{kMusic});
    ASSERT_TRUE(b.Playerstart.enabled());
    EXPECT_EQ(b.Playerstart.interval, 200);

    b.Playerstart.tick();
    EXPECT_FALSE(b.Playerstart.enabled());
    EXPECT_EQ(fake.keys.sent(), (Names{"send {DOWN}", "send {INSERT}", "send Test", "send {TAB}",
                                       "send C:\\mt\\test.osf", "send {TAB}", "send {TAB}",
                                       "send {TAB}", "send {TAB}", "send \r"}));
    ASSERT_TRUE(b.Zeitaus.enabled());
    EXPECT_FALSE(b.wiederda.enabled()) << "the focus returns only after the closing sequence";

    fake.keys.log.clear();
    b.Zeitaus.tick();
    EXPECT_FALSE(b.Zeitaus.enabled());
    EXPECT_EQ(fake.keys.sent().size(), 13u);
    EXPECT_EQ(fake.keys.sent().front(), "wait {TAB}");
    EXPECT_EQ(fake.keys.sent().back(), "send \r");
    EXPECT_EQ(peer.focused, 0);
    ASSERT_TRUE(b.wiederda.enabled());
    EXPECT_EQ(b.wiederda.interval, 100);

    b.wiederda.tick();
    EXPECT_FALSE(b.wiederda.enabled());
    EXPECT_EQ(peer.focused, 1);
    EXPECT_TRUE(fake.dialogs.boxes.empty()) << lastBox();
}

TEST_F(Player, DoubleClickPlaysFromTheGameFolderWithoutAutoClose) {
    main.settings().autoCloseTester = false;
    scourix::Ordner& b = open("sounds");
    cursor("zed.osf");
    b.File1.dblClick();
    EXPECT_EQ(fake.files.content("C:\\mt\\test.osf"), "game zed.osf");
    b.Playerstart.tick();
    EXPECT_EQ(fake.keys.sent().size(), 10u);
    EXPECT_FALSE(b.Zeitaus.enabled());
    EXPECT_FALSE(b.wiederda.enabled());
}

TEST_F(Player, NothingWithoutCursorOrPathOrOutsideTheTauntModes) {
    scourix::Ordner& b = open("sounds");
    b.player.click();
    cursor("hello.osf");
    main.settings().musicTesterPath = "";
    b.player.click();
    b.File1.dblClick();
    EXPECT_TRUE(fake.shell.programs.empty());
    EXPECT_FALSE(b.Playerstart.enabled());

    main.settings().musicTesterPath = kMusic;
    fake.files.addFile(graphics("a.ogf"));
    scourix::Ordner& logos = open("logos");
    logos.File1.setListIndex(0);
    logos.File1.dblClick();
    EXPECT_TRUE(fake.shell.programs.empty());
    EXPECT_TRUE(fake.dialogs.boxes.empty()) << lastBox();
}

// Where the system plays sounds itself, "play" plays the taunt in the folder the list shows, with
// no tester set, and says so when nothing is chosen.
TEST_F(Player, ASystemThatPlaysItselfPlaysFromTheListsFolder) {
    fake.sound.on = true;
    main.settings().musicTesterPath = "";
    fake.files.addFile(backup + "\\saved.osf", "SAVED" + tauntfile::trailer(0, 0x10, 44));
    scourix::Ordner& b = open("sounds2");
    b.player.click();
    EXPECT_NE(lastBox().find("Choose a taunt"), std::string::npos) << lastBox();
    cursor("saved.osf");
    b.File1.dblClick();
    ASSERT_EQ(fake.sound.clips.size(), 1u);
    EXPECT_EQ(fake.sound.clips[0].data, "SAVED");
    EXPECT_EQ(fake.sound.clips[0].channels, 2);
    EXPECT_EQ(fake.sound.clips[0].rate, 44100);
    EXPECT_TRUE(fake.shell.programs.empty());
    EXPECT_EQ(fake.files.copies(), 0);
    EXPECT_EQ(fake.dialogs.boxes.size(), 1u) << lastBox();
    // A taunt it cannot play is named with the separators of the player's system.
    fake.host.kind = platform::System::Linux;
    fake.files.addFile(backup + "\\bad.osf", "no trailer");
    b.File1.refresh();
    cursor("bad.osf");
    b.File1.dblClick();
    EXPECT_NE(lastBox().find("\"D:/Backup/Taunts/bad.osf\""), std::string::npos) << lastBox();
}

TEST_F(Player, ClosingTheBrowserDropsWhatIsNotSentAndTheTesterMissingIsTold) {
    scourix::Ordner& b = open("sounds");
    cursor("hello.osf");
    b.player.click();
    b.close();
    EXPECT_FALSE(b.Playerstart.enabled());

    // The tester closed by the player before the closing tick: no keys, no focus taken.
    scourix::Ordner& again = open("sounds", true);
    cursor("hello.osf");
    again.player.click();
    again.Playerstart.tick();
    fake.keys.windows.clear();
    fake.keys.log.clear();
    again.Zeitaus.tick();
    EXPECT_TRUE(fake.keys.sent().empty());
    EXPECT_FALSE(again.wiederda.enabled());

    // No tester window ever: told in German after the last look.
    again.player.click();
    for (int i = 0; i < 100 && again.Playerstart.enabled(); ++i) again.Playerstart.tick();
    EXPECT_TRUE(fake.keys.sent().empty());
    EXPECT_EQ(lastBox(), "Das Fenster des Soundtesters (\"Theme File Editor v1.0\") ist nicht "
                         "erschienen. Es wurde nichts eingetippt.");
}

TEST_F(Player, RenameAsksWithoutTheExtensionAndRenamesOnDisk) {
    main.mysounds.addItem("hello.osf");
    scourix::Ordner& b = open("sounds");
    cursor("hello.osf");
    fake.dialogs.typed = {"greeting"};
    b.umbenen.click();
    ASSERT_EQ(fake.dialogs.inputs.size(), 1u);
    EXPECT_EQ(fake.dialogs.inputs[0].title, "rename...");
    EXPECT_EQ(fake.dialogs.inputs[0].text, "without .osf");
    EXPECT_EQ(fake.dialogs.lastDefault, "hello");
    EXPECT_EQ(fake.files.content(sounds("greeting.osf")), "game hello.osf");
    EXPECT_FALSE(fake.files.has(sounds("hello.osf")));
    EXPECT_EQ(items(b.File1), (Names{"alpha.osf", "greeting.osf", "zed.osf"}));
    EXPECT_EQ(items(main.mysounds), Names{"hello.osf"}) << "the keep list is not changed";
    EXPECT_TRUE(fake.dialogs.boxes.empty()) << lastBox();

    // The extension typed as well: it is kept, and the file gets a second one.
    cursor("zed.osf");
    fake.dialogs.typed = {"abc.osf"};
    b.umbenen.click();
    EXPECT_TRUE(fake.files.has(sounds("abc.osf.osf")));
    EXPECT_FALSE(fake.files.has(sounds("zed.osf")));
}

TEST_F(Player, RenameInTheBackupFolderInGerman) {
    scourix::Ordner& b = open("sounds2", true);
    cursor("Old.osf");
    fake.dialogs.typed = {"New"};
    b.umbenen.click();
    EXPECT_EQ(fake.dialogs.inputs.at(0).title, "Umbenennen von...");
    EXPECT_EQ(fake.dialogs.inputs.at(0).text, "Ohne .osf am ende...");
    EXPECT_EQ(fake.files.files(backup), (Names{"New.osf", "saved.osf"}));
    EXPECT_EQ(fake.files.content(backup + "\\New.osf"), "backup Old.osf");
    EXPECT_EQ(fake.files.files(sounds()), (Names{"alpha.osf", "hello.osf", "zed.osf"}));
}

TEST_F(Player, TakenNamesAreRefusedAndAskedAgainNothingLost) {
    scourix::Ordner& b = open("sounds");
    cursor("hello.osf");
    // Its own name (the default), the first entry, a case-only clash, then an empty answer.
    fake.dialogs.typed = {"hello", "alpha", "ZED", ""};
    b.umbenen.click();
    EXPECT_EQ(fake.dialogs.inputs.size(), 4u);
    ASSERT_EQ(fake.dialogs.boxes.size(), 3u);
    for (const auto& box : fake.dialogs.boxes) {
        EXPECT_EQ(box.text, "Name already assign! Enter please new!");
        EXPECT_EQ(box.icon, Icon::Critical);
        EXPECT_EQ(box.title, "scourix");
    }
    EXPECT_EQ(fake.dialogs.lastDefault, "hello") << "each prompt starts from the old name";
    EXPECT_EQ(fake.files.files(sounds()), (Names{"alpha.osf", "hello.osf", "zed.osf"}));
    EXPECT_EQ(fake.files.content(sounds("zed.osf")), "game zed.osf");
    EXPECT_EQ(fake.files.content(sounds("hello.osf")), "game hello.osf");
    EXPECT_EQ(fake.files.removes() + fake.files.copies(), 0);

    open("sounds", true);
    cursor("hello.osf");
    fake.dialogs.typed = {"Alpha"};
    w->umbenen.click();
    EXPECT_EQ(lastBox(), "Name bereits vergeben ! Bitte Neu eingeben !");

    // Letter case beyond ASCII, as the file system compares names.
    fake.files.addFile(sounds("Ärger.osf"), "ärger");
    open("sounds");
    cursor("hello.osf");
    fake.dialogs.typed = {"ärger", ""};
    w->umbenen.click();
    EXPECT_EQ(lastBox(), "Name already assign! Enter please new!");
    EXPECT_EQ(fake.files.files(sounds()),
              (Names{"alpha.osf", "hello.osf", "zed.osf", "Ärger.osf"}));
}

TEST_F(Player, NamesAFileCannotHoldAreRefused) {
    scourix::Ordner& b = open("sounds");
    cursor("hello.osf");
    const Names bad = {"a\\b",      "a/b",      "c:x", "a*",  "a?",   "say \"hi\"", "<a>",   "a|b",
                       "tab\there", "bell\x07", "CON", "nul", "com1", "Lpt9.x",     "aux .x"};
    for (const auto& name : bad) {
        SCOPED_TRACE(name);
        fake.dialogs.boxes.clear();
        fake.dialogs.typed = {name, ""};
        b.umbenen.click();
        ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
        EXPECT_EQ(lastBox(), "\"" + name +
                                 ".osf\" cannot be a file name: it must not contain \\ "
                                 "/ : * ? \" < > | or control characters, must not end with a dot "
                                 "or a blank, and must not be a device name such as CON or NUL. "
                                 "Enter please new!");
    }
    EXPECT_EQ(fake.files.files(sounds()), (Names{"alpha.osf", "hello.osf", "zed.osf"}));
    // Near misses are fine names; a dot or blank at the end of the answer is inside the name.
    for (const std::string name : {"console.2 ok", "v2.", "blank "}) {
        fake.dialogs.typed = {name};
        cursor("hello.osf");
        b.umbenen.click();
        EXPECT_TRUE(fake.files.has(sounds(name + ".osf"))) << name;
        fake.files.rename(sounds(name + ".osf"), sounds("hello.osf"));
        b.File1.refresh();
    }
}

TEST_F(Player, AFailedRenameKeepsTheOldFileAndTells) {
    scourix::Ordner& b = open("sounds");
    cursor("hello.osf");
    // Another program put a file of the new name there after the list was read.
    fake.files.addFile(sounds("late.osf"), "late");
    fake.dialogs.typed = {"late"};
    b.umbenen.click();
    EXPECT_EQ(lastBox(), "The taunt \"hello.osf\" could not be renamed to \"late.osf\". It keeps "
                         "its name.");
    EXPECT_EQ(fake.files.content(sounds("hello.osf")), "game hello.osf");
    EXPECT_EQ(fake.files.content(sounds("late.osf")), "late");
    EXPECT_EQ(items(b.File1), (Names{"alpha.osf", "hello.osf", "late.osf", "zed.osf"}));

    // No entry at the cursor: no question at all.
    fake.dialogs.inputs.clear();
    b.File1.setListIndex(-1);
    b.umbenen.click();
    EXPECT_TRUE(fake.dialogs.inputs.empty());
}

} // namespace

namespace {

using platform::Clip;
using platform::Coding;
using Samples = std::vector<std::int16_t>;

Clip acmClip(const std::string& stream) {
    Clip c;
    c.coding = Coding::InterplayAcm;
    c.data = stream;
    return c;
}

// Raw samples as they are; ACM to the samples the encoder above meant, cut to the number the
// header names (the last block is padded); piece by piece the same, in whole frames.
TEST(Decoder, DecodesRawSamplesAndAcm) {
    Samples mono, stereo;
    const std::string acmMono = tauntfile::acm(tauntfile::ramp(300), 1, 22050, 64, 500, &mono);
    const std::string acmStereo = tauntfile::acm(tauntfile::ramp(256), 2, 44100, 32, 3, &stereo);
    struct Case {
        Clip clip;
        int rate, channels;
        Samples samples;
    } cases[] = {
        {{Coding::Pcm16, 11025, 1, std::string("\x01\x00\xff\xff\x00\x80\x7f", 7)},
         11025,
         1,
         {1, -1, -32768}}, // the odd byte is dropped
        {{Coding::Pcm8, 22050, 2, std::string("\x80\x00\xff\x81", 4)},
         22050,
         2,
         {0, -32768, 32512, 256}},
        {acmClip(acmMono), 22050, 1, mono},
        {acmClip(acmStereo), 44100, 2, stereo},
    };
    for (const Case& c : cases) {
        platform::Pcm pcm;
        ASSERT_TRUE(platform::decode(c.clip, pcm)) << c.rate;
        EXPECT_EQ(pcm.rate, c.rate);
        EXPECT_EQ(pcm.channels, c.channels);
        EXPECT_EQ(pcm.samples, c.samples) << c.rate;
        platform::Decoder d(c.clip);
        Samples pieces;
        for (std::size_t n; (n = d.next(pieces, 7)) > 0;)
            EXPECT_EQ(n % std::size_t(c.channels), 0u);
        EXPECT_EQ(pieces, c.samples) << c.rate;
    }
}

// A damaged stream ends the decoding: refused, or at most the samples the header names; cut short
// anywhere, it gives the samples of its whole blocks.
TEST(Decoder, DamagedSoundsAreRefusedOrBounded) {
    Samples samples;
    const std::string good = tauntfile::acm(tauntfile::ramp(300), 1, 22050, 64, 500, &samples);
    auto with = [&](std::size_t at, std::string bytes, std::string s = {}) {
        s = s.empty() ? good : s;
        return s.replace(at, bytes.size(), bytes);
    };
    // n bits of v from bit `at` of the blocks on.
    auto withBits = [&](std::size_t at, unsigned v, int n, std::string s = {}) {
        s = s.empty() ? good : s;
        for (int i = 0; i < n; ++i, ++at) {
            char& b = s[14 + at / 8];
            b = char((b & ~(1 << at % 8)) | (v >> i & 1) << at % 8);
        }
        return s;
    };
    // Whole streams of silence, just past the bounds: a block of 4095 << 5, and 120 s and a
    // sample at 4000 Hz in blocks of 4095 << 4.
    const std::string wide = tauntfile::acmRandom({1, 22050, 5, 4095, 4095 << 5, {0}}, 1);
    const std::string hours = tauntfile::acmRandom(
        {1, 4000, 4, 4095, std::uint32_t(platform::kMostSeconds) * 4000 + 1, {0}}, 1);
    const Clip refused[] = {
        acmClip(with(0, "RIFF")),                             // no ACM magic
        acmClip(with(4, std::string(4, '\0'))),               // no samples
        acmClip(with(4, std::string("\xff\xff\xff\x7f", 4))), // hours of sound
        acmClip(hours),                                       // longer than any taunt
        acmClip(with(8, std::string("\x03\x00", 2))),         // three channels
        acmClip(with(8, std::string("\x00\x00", 2))),         // none
        acmClip(with(10, std::string("\x9f\x0f", 2))),        // 3999 Hz
        acmClip(with(12, std::string("\xff\xff", 2))),        // a block of 4095 << 15
        acmClip(wide),                                        // a block of 4095 << 5
        acmClip(good.substr(0, 14)),                          // a header alone
        acmClip(with(16, std::string(1, char(0x20)))),        // filler 2, which is invalid
        acmClip(withBits(20, 19 | 31 << 5, 10)), // 31 for three rows of 3 amplitudes (27 at most)
        {Coding::Pcm16, 1000, 1, "abcd"},        // a rate no sound has
        {Coding::Pcm16, 96001, 1, "abcd"},
        {Coding::Pcm16, 22050, 3, "abcdef"},
        {Coding::Pcm8, 22050, 1, ""},
        {Coding::Pcm16, 44100, 2,
         std::string(std::size_t(platform::kMostSeconds) * 44100 * 4 + 4,
                     '\0')}, // longer than any taunt
    };
    for (const Clip& c : refused) {
        platform::Pcm pcm;
        EXPECT_FALSE(platform::decode(c, pcm)) << c.data.size();
    }
    // Filler 1 in the second block: the first block alone, also where the bits after the filler
    // would read as blocks.
    platform::Pcm pcm;
    ASSERT_TRUE(platform::decode(acmClip(withBits(25 + 64 * 7 + 20, 1, 5)), pcm));
    EXPECT_EQ(pcm.samples, Samples(samples.begin(), samples.begin() + 64));
    const std::string silence = tauntfile::acmRandom({1, 22050, 0, 64, 300, {0}}, 3);
    ASSERT_TRUE(platform::decode(acmClip(withBits(25 + 20, 1, 5, silence)), pcm));
    EXPECT_EQ(pcm.samples, Samples(64));
    EXPECT_TRUE(platform::decode(acmClip(with(4, std::string("\x00\x53\x07", 3), hours)), pcm));
    EXPECT_EQ(pcm.samples.size(), std::size_t(platform::kMostSeconds) * 4000);
    // Cut short at any byte: the samples of the blocks it holds whole; garbage after the header,
    // or any one byte of the blocks changed: no more than the header names.
    const std::string levels = tauntfile::acmRandom({2, 22050, 3, 40, 900, {3, 7, 17, 22, 29}}, 2);
    platform::Pcm whole;
    ASSERT_TRUE(platform::decode(acmClip(levels), whole));
    for (std::size_t n = 15; n < levels.size(); ++n) {
        platform::Pcm cut;
        platform::decode(acmClip(levels.substr(0, n)), cut);
        ASSERT_EQ(cut.samples.size() % 320, 0u) << n;
        ASSERT_TRUE(std::equal(cut.samples.begin(), cut.samples.end(), whole.samples.begin()));
    }
    std::string garbage = good.substr(0, 14);
    for (int i = 0; i < 4000; ++i) garbage += char(i * 7919 % 251);
    std::vector<std::string> damaged{garbage};
    for (std::size_t at = 14; at < good.size(); ++at) damaged.push_back(with(at, "\xa5"));
    for (const std::string& s : damaged) {
        platform::Pcm d;
        if (platform::decode(acmClip(s), d)) {
            EXPECT_LE(d.samples.size(), 300u);
        }
    }
}

#ifdef WITH_LIBAVCODEC
// Every sample as libavcodec decodes it: every filler at every level count, mono and stereo,
// blocks of one row to thousands, the last block partly used, steps small and the largest.
TEST(Decoder, DecodesAsLibavcodec) {
    const std::vector<int> all{0,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                               15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 26, 27, 29};
    std::uint32_t used = 0;
    for (int levels = 0; levels < 16; ++levels)
        for (int f : all) {
            if ((f + levels) % 4 != 0) continue; // each filler at four level counts
            tauntfile::AcmShape a;
            a.channels = 1 + (f + levels) % 2;
            a.levels = levels;
            a.rows =
                std::max(levels < 5 ? 32 : 1, (f * 797 % 4095 + 1) >> levels) & ~int(levels == 0);
            a.samples = std::uint32_t(a.rows << levels) * 3 / 2 + std::uint32_t(f % 2);
            a.fillers = {f, 0, all[std::size_t(f + levels) % all.size()]};
            a.mostStep = levels % 2 ? 65535 : 300;
            const std::string stream =
                tauntfile::acmRandom(a, std::uint32_t(levels * 32 + f), &used);
            Samples theirs;
            ASSERT_TRUE(avcodec::decodeAcm(stream, theirs)) << levels << " " << f;
            platform::Pcm ours;
            ASSERT_TRUE(platform::decode(acmClip(stream), ours)) << levels << " " << f;
            ASSERT_EQ(ours.samples.size(), a.samples - a.samples % a.channels);
            ASSERT_EQ(ours.samples, theirs) << "levels " << levels << ", filler " << f;
        }
    for (int f : all) EXPECT_TRUE(used >> f & 1) << f;
}
#endif

} // namespace

#ifdef SOUND_ON_LINUX
namespace {

// Through SDL's disk driver the samples reach its file as they were decoded.
TEST(LinuxSound, PlaysTheSamplesThroughSdl) {
    const std::string out = testing::TempDir() + "sound_test_" + std::to_string(getpid()) + ".raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    Samples expected;
    const Clip clip = acmClip(tauntfile::acm(tauntfile::ramp(3000), 1, 22050, 64, 500, &expected));
    std::string heard;
    {
        lnx::Sound sound;
        ASSERT_EQ(sound.play(clip), platform::Played::Started);
        // The file grows past the samples (silence follows them) once all are played.
        const std::size_t bytes = expected.size() * 2;
        for (int i = 0; i < 1000; ++i) {
            std::ifstream f(out, std::ios::binary | std::ios::ate);
            if (f && std::size_t(f.tellg()) > bytes + 8192 && !sound.busy()) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    std::ifstream f(out, std::ios::binary);
    heard.assign(std::istreambuf_iterator<char>(f), {});
    std::remove(out.c_str());
    const std::string want(reinterpret_cast<const char*>(expected.data()), expected.size() * 2);
    EXPECT_NE(std::search(heard.begin(), heard.end(), want.begin(), want.end()), heard.end())
        << heard.size() << " bytes heard";
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
}

} // namespace
#endif
