// Every cleaning mode of the launcher and of the clean-now window, and every other path of both
// programs that writes or deletes a player's file, with the k-th file operation failing for
// every k: no file may be lost.
#include <gtest/gtest.h>

#include <functional>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "common/cleaning/cleaning.h"
#include "common/settings/reading.h"
#include "config/mainwindow/clean_now.h"
#include "config/mainwindow/main_window.h"
#include "config/tools/diereckt.h"
#include "config/tools/ordner.h"
#include "config/tools/shellstart.h"
#include "launcher/anzeiger.h"
#include "tests/support/game_folder.h"
#ifdef SWEEP_ON_DISK
#include <unistd.h>

#include "tests/support/disk_files.h"
#endif

namespace {

using Fault = FakeFiles::CallFault;

struct Mode {
    const char* name;
    const char* deleteOthers;
    const char* backupOthers;
};
const Mode kModes[] = {{"delete", "1", "0"}, {"backup", "0", "1"}, {"both", "1", "1"}};

// Where the backups go.
enum class Target {
    Separate,      // folders of their own, holding older files of the same names and sizes
    SourceFolder,  // the custom folders themselves, spelled another way
    ReadOnlyStale, // as Separate, but the older copies are read-only
};

struct Sweep : GameFolder {
    const std::string logoBackup = "D:\\Backup\\Logos", tauntBackup = "D:\\Backup\\Taunts";
    std::map<std::string, std::string> before; // path -> bytes of every custom file
    std::vector<std::string> boxes;

    Sweep(const Mode& mode, Target target, TestFiles* on = nullptr) : GameFolder(on) {
        ini["LogoNoAction"] = "0", ini["TauntNoAction"] = "0";
        ini["LogoDeleteOthers"] = ini["TauntDeleteOthers"] = mode.deleteOthers;
        ini["LogoBackupOthers"] = ini["TauntBackupOthers"] = mode.backupOthers;
        ini["LogoBackupPath"] = logoBackup, ini["TauntBackupPath"] = tauntBackup;
        if (target == Target::SourceFolder) {
            ini["LogoBackupPath"] = "c:\\GAMES\\descent3\\Custom\\Graphics\\";
            ini["TauntBackupPath"] = "C:/Games/Descent3/custom/sounds";
        }
        auto put = [&](const std::string& folder, std::initializer_list<const char*> names) {
            for (const char* n : names) {
                const std::string p = folder + "\\" + n, bytes = std::string("data:") + n;
                files.addFile(p, bytes);
                before[p] = bytes;
            }
        };
        put(graphics(), {"mine.ogf", "empty", "a.ogf", "stale.oaf", "b.ogf"});
        put(sounds(), {"x.osf", "mine.osf", "stale.osf", "empty"});
        // Older copies of the same size with other bytes: a check by size alone trusts them.
        for (const auto& [folder, name] :
             {std::pair{logoBackup, "stale.oaf"}, std::pair{tauntBackup, "stale.osf"}}) {
            const std::string p = folder + "\\" + name;
            files.addFile(p, std::string("DATA:") + name);
            if (target == Target::ReadOnlyStale) files.readOnly(p);
        }
        writeSettings({"mine.ogf"}, {"mine.osf"});
    }

    bool backup() const { return ini["LogoBackupOthers"] == "1"; }
    bool intoSource() const { return ini["LogoBackupPath"] != logoBackup; }

    // Every file that is gone was neither kept nor "empty", and in backup mode has a
    // byte-identical copy in the backup folder; every file still there is unchanged.
    void checkNothingLost(const std::string& what) const {
        for (const auto& [p, bytes] : before) {
            const std::string name = p.substr(p.rfind('\\') + 1);
            const bool logo = p.find("graphics") != std::string::npos;
            const auto now = files.content(p);
            if (now) {
                EXPECT_EQ(*now, bytes) << what << ": " << p << " changed";
                continue;
            }
            EXPECT_TRUE(name != "empty" && name != "mine.ogf" && name != "mine.osf")
                << what << ": protected " << p << " deleted";
            if (!backup()) continue;
            const std::string copy = (logo ? logoBackup : tauntBackup) + "\\" + name;
            // A backup folder that vanished after the copy was checked took the copy with it:
            // the check cannot outrun that, but the copy must have been made and be whole.
            if (!files.has(copy) && !files.has(logo ? logoBackup : tauntBackup)) {
                bool made = false;
                for (const auto& [to, got] : files.copyLog())
                    made |= to.rfind(copy, 0) == 0 && got == bytes; // by way of a temporary file
                EXPECT_TRUE(made) << what << ": " << p << " deleted without a copy";
                continue;
            }
            EXPECT_EQ(files.content(copy), bytes) << what << ": " << p << " deleted without a copy";
        }
    }
};

std::string describe(const char* program, const Mode& m, Target t, Fault f, int k) {
    static const char* const targets[] = {"separate", "source folder", "read-only stale"};
    static const char* const faults[] = {"fails", "copies half", "backup folder vanishes",
                                         "copies half and says it worked"};
    return std::string(program) + ", " + m.name + ", backup into " + targets[int(t)] + ": call " +
           std::to_string(k) + " " + faults[int(f)];
}

bool listingFailed(const FakeDialogs& d) {
    for (const auto& b : d.boxes)
        if (b.text == "Error ! Path not found") return true;
    return false;
}

// Runs the launcher, failing the k-th file call of its cleaning sequence (0: none). Returns the
// number of calls the sequence made.
int runLauncher(Sweep& s, Fault fault, int k) {
    launcher::Anzeiger w(s.platform);
    w.load();
    EXPECT_TRUE(w.putzstart.enabled());
    const int start = s.files.calls();
    if (k) s.files.failCall(k, fault, s.logoBackup);
    w.putzstart.tick();
    if (!listingFailed(s.fake.dialogs)) {
        // A backup into the folder itself does nothing, as one without a folder: its counters
        // keep their numbers.
        if (!s.intoSource()) {
            for (ui::Label* t : {&w.txt1, &w.txt2, &w.txt3, &w.txt4, &w.txt5})
                EXPECT_EQ(t->caption(), "finish") << t->name();
        }
        EXPECT_TRUE(!s.fake.shell.started.empty() &&
                    s.fake.shell.started.back().file == s.game + "\\Main.exe")
            << "the game is started";
    }
    return s.files.calls() - start;
}

int runCleanNow(Sweep& s, Fault fault, int k) {
    s.fake.dialogs.programTitle = "scourix";
    scourix::MainWindow main(s.platform);
    scourix::CleanNow w(s.platform, main);
    w.open();
    EXPECT_TRUE(w.putzstart.enabled());
    const int start = s.files.calls();
    if (k) s.files.failCall(k, fault, s.logoBackup);
    w.putzstart.tick();
    if (!listingFailed(s.fake.dialogs)) {
        if (!s.intoSource()) {
            for (ui::Label* t : {&w.txt1, &w.txt2, &w.txt3, &w.txt4})
                EXPECT_EQ(t->caption(), "finish") << t->name();
        }
        EXPECT_TRUE(w.isOpen());
    }
    return s.files.calls() - start;
}

// The cleaner on its own, as both windows drive it: every counter finishes.
int runCleaner(Sweep& s, Fault fault, int k) {
    settings::Setup setup;
    std::string file;
    const settings::Store store{s.files, s.fake.codepage, s.program};
    EXPECT_EQ(settings::readSetup(store, setup, file), settings::Problem::None) << file;
    std::map<cleaning::Counter, int> finished;
    cleaning::Cleaner c(s.files, [&](cleaning::Counter counter, cleaning::Event e) {
        if (e == cleaning::Event::Finished) ++finished[counter];
    });
    const int start = s.files.calls();
    if (k) s.files.failCall(k, fault, s.logoBackup);
    if (!c.findFolders({s.game}, false)) return s.files.calls() - start;
    const auto logos =
        c.clean(cleaning::Kind::Logos, cleaning::logoChoices(setup.ini), setup.logos);
    const auto taunts =
        c.clean(cleaning::Kind::Taunts, cleaning::tauntChoices(setup.ini), setup.taunts);
    if (!s.intoSource()) {
        EXPECT_EQ(logos, cleaning::Step::Done);
        EXPECT_EQ(taunts, cleaning::Step::Done);
        EXPECT_EQ(finished[cleaning::Counter::LogoDelete],
                  s.backup() ? 1 + (s.ini["LogoDeleteOthers"] == "1") : 1);
        EXPECT_EQ(finished[cleaning::Counter::TauntBackup], s.backup() ? 1 : 0);
    }
    return s.files.calls() - start;
}

// The files of one run: in the fake file system, or (`onDisk`) a fresh folder on the disk with
// the Linux file layer, on a RAM disk where there is one.
struct RunFiles {
    explicit RunFiles(bool onDisk) {
#ifdef SWEEP_ON_DISK
        if (!onDisk) return;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? "/dev/shm"
                                               : std::filesystem::temp_directory_path();
        disk = std::make_unique<DiskFiles>(base / ("scourix-sweep-" + std::to_string(getpid())));
#else
        if (onDisk) ADD_FAILURE() << "no Linux file layer in this build";
#endif
    }
    TestFiles* get() {
        return disk.get();
    }
    std::unique_ptr<TestFiles> disk;
};

enum class Runner { Launcher, CleanNow, Cleaner };

void sweepCleaning(Runner runner, bool onDisk) {
    auto run = runner == Runner::Launcher   ? runLauncher
               : runner == Runner::CleanNow ? runCleanNow
                                            : runCleaner;
    const char* const program = runner == Runner::Launcher   ? "launcher"
                                : runner == Runner::CleanNow ? "clean-now"
                                                             : "cleaner";
    int runs = 0;
    for (const Mode& mode : kModes)
        for (Target target : {Target::Separate, Target::SourceFolder, Target::ReadOnlyStale}) {
            if (target != Target::Separate && std::string(mode.backupOthers) != "1") continue;
            int calls = 0;
            {
                RunFiles files(onDisk);
                Sweep clean(mode, target, files.get());
                calls = run(clean, Fault::Fail, 0);
                clean.checkNothingLost(describe("clean run", mode, target, Fault::Fail, 0));
                if (target == Target::Separate && std::string(mode.backupOthers) == "1") {
                    EXPECT_EQ(clean.files.content(clean.graphics("a.ogf")), std::nullopt)
                        << "a working backup deletes";
                }
            }
            for (Fault fault : {Fault::Fail, Fault::Partial, Fault::FolderVanish, Fault::Short})
                for (int k = 1; k <= calls + 1; ++k) {
                    RunFiles files(onDisk);
                    Sweep s(mode, target, files.get());
                    run(s, fault, k);
                    s.checkNothingLost(describe(program, mode, target, fault, k));
                    ++runs;
                    if (::testing::Test::HasFailure()) return;
                }
        }
    EXPECT_GT(runs, 100);
}

class FaultSweep : public ::testing::TestWithParam<Runner> {};

TEST_P(FaultSweep, NoFileIsLostWhicheverCallFails) {
    sweepCleaning(GetParam(), false);
}

#ifdef SWEEP_ON_DISK
// The same on the disk: the Linux file layer's own temporary files, renames and rights, a copy
// or a write breaking off at a real file size limit.
TEST_P(FaultSweep, NoFileIsLostOnTheDiskWhicheverCallFails) {
    sweepCleaning(GetParam(), true);
}
#endif

std::string runName(const ::testing::TestParamInfo<Runner>& info) {
    static const char* const names[] = {"Launcher", "CleanNow", "Cleaner"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Runs, FaultSweep,
                         ::testing::Values(Runner::Launcher, Runner::CleanNow, Runner::Cleaner),
                         runName);

// The two losses the sweep's targets stand for, on their own.
TEST(BackupCheck, ABackupFolderThatIsTheCustomFolderDeletesNothing) {
    Sweep s(kModes[1], Target::SourceFolder);
    runLauncher(s, Fault::Fail, 0);
    EXPECT_EQ(s.fake.files.files(s.graphics()).size(), 5u);
    EXPECT_EQ(s.fake.files.files(s.sounds()).size(), 4u);
    EXPECT_TRUE(s.fake.dialogs.boxes.empty()) << "the launcher says nothing, as for no folder";
}

TEST(BackupCheck, TheCleanNowWindowSaysWhyInThePlayersLanguage) {
    Sweep s(kModes[1], Target::SourceFolder);
    s.ini["Language"] = "1";
    s.writeSettings({"mine.ogf"}, {"mine.osf"});
    runCleanNow(s, Fault::Fail, 0);
    ASSERT_EQ(s.fake.dialogs.boxes.size(), 2u);
    EXPECT_EQ(s.fake.dialogs.boxes[0].text,
              "Der Sicherungsordner der Schiffslogos ist der Ordner, der aufgeräumt wird:\n" +
                  s.ini["LogoBackupPath"] +
                  "\nMit den Schiffslogos wurde nichts gemacht. Bitte wähle einen anderen "
                  "Sicherungsordner.");
    EXPECT_NE(s.fake.dialogs.boxes[1].text.find("Audiotaunts"), std::string::npos);
    EXPECT_EQ(s.fake.files.files(s.graphics()).size(), 5u);
}

// A copy that says it worked but came out short is caught by its size.
TEST(BackupCheck, ACopyThatReportsSuccessButIsShortKeepsTheSource) {
    Sweep s(kModes[1], Target::Separate);
    s.fake.files.copyShort(s.graphics("a.ogf"));
    runLauncher(s, Fault::Fail, 0);
    EXPECT_EQ(s.fake.files.content(s.graphics("a.ogf")), "data:a.ogf");
    EXPECT_EQ(s.fake.files.content(s.graphics("b.ogf")), std::nullopt);
}

TEST(BackupCheck, AnOlderCopyOfTheSameSizeDoesNotCountWhenTheNewCopyFails) {
    Sweep s(kModes[1], Target::ReadOnlyStale);
    runLauncher(s, Fault::Fail, 0);
    EXPECT_EQ(s.fake.files.content(s.graphics("stale.oaf")), "data:stale.oaf");
    EXPECT_EQ(s.fake.files.content(s.sounds("stale.osf")), "data:stale.osf");
    EXPECT_EQ(s.fake.files.content(s.graphics("a.ogf")), std::nullopt);
}

// --- Every other path that writes or deletes a player's file ---------------------------------

// One path: what its folder holds, and its run, which calls `arm` where the faults may begin.
struct PlayerPath {
    const char* name;
    std::function<void(GameFolder&)> setUp;
    std::function<void(GameFolder&, const std::function<void()>& arm)> run;
};

using Files = std::map<std::string, std::string>;

std::string utf16(const std::string& text) {
    std::string out = "\xFF\xFE";
    for (char c : text) out += c, out += '\0';
    return out;
}

// Each file ends as it was, or as the run without a fault left it, or has a copy this run made
// with its bytes; and bytes the run without a fault kept somewhere (a copy, a file moved) are
// somewhere after this run too.
void checkPlayerFiles(const Files& before, const Files& clean, const TestFiles& files,
                      const std::string& what) {
    const Files now = files.snapshot();
    auto copied = [&](const std::string& bytes) {
        for (auto [to, got] : files.copyLog()) {
            for (char& c : to) c = char(std::tolower(static_cast<unsigned char>(c)));
            if (got == bytes && !before.count(to) && now.count(to) && now.at(to) == bytes)
                return true;
        }
        return false;
    };
    std::multiset<std::string> held, heldClean;
    for (const auto& [path, bytes] : now) held.insert(bytes);
    for (const auto& [path, bytes] : clean) heldClean.insert(bytes);
    auto at = [](const Files& f, const std::string& path) {
        auto it = f.find(path);
        return it == f.end() ? std::optional<std::string>() : it->second;
    };
    for (const auto& [path, bytes] : before) {
        const auto got = at(now, path);
        if (got == bytes || copied(bytes)) continue;
        EXPECT_EQ(got, at(clean, path)) << what << ": " << path << " changed";
        if (heldClean.count(bytes)) {
            EXPECT_TRUE(held.count(bytes)) << what << ": the bytes of " << path << " are lost";
        }
    }
}

const std::string kBackup = "D:\\Backup";

void playerSetUp(GameFolder& g) {
    g.ini["LogoNoAction"] = "0", g.ini["LogoDeleteOthers"] = "1";
    g.ini["TauntNoAction"] = "0", g.ini["TauntBackupOthers"] = "1",
    g.ini["TauntBackupPath"] = kBackup;
    g.ini["DeleteStats"] = "1", g.ini["MusicTesterPath"] = "C:\\Tools\\MusicTester.exe";
    g.files.addFolder(kBackup);
    for (const char* n : {"mine.ogf", "a.ogf"}) g.files.addFile(g.graphics(n), n);
    for (const char* n : {"mine.osf", "x.osf"}) g.files.addFile(g.sounds(n), n);
    for (const char* n : {"a.stats", "b.stats"}) g.files.addFile(g.netgames(n), n);
    g.files.addFile(kBackup + "\\x.osf", "older x");
    g.files.addFile(g.game + "\\custom\\Bob.plt", "bob's pilot");
    g.files.addFile(g.game + "\\Main.exe", "exe");
    g.files.addFile(g.game + "\\fps.txt", "run 1\r\n");
    g.writeSettings({"mine.ogf"}, {"mine.osf"}, {"nointro"}, {true});
    g.writeDirect("-pxo 1.2.3.4:2092", "1", "1");
    g.writeNetwork({"German", "1", "0", "0", "0", "0", "1", "0", "0", "0", "1", "Ace", "pw"});
    g.files.addFile(g.path(settings::kShellListTxt), "\"side.exe\"\r\n");
    g.files.setCurrentFolder(g.program);
}

void runGatefire(GameFolder& g, const std::function<void()>& arm) {
    arm();
    launcher::Anzeiger w(g.platform);
    w.load();
    if (w.putzstart.enabled()) w.putzstart.tick();
}

// Scourix's main window, opened before the faults; `then` is the path under test.
auto inScourix(std::function<void(GameFolder&, scourix::MainWindow&)> then) {
    return [then](GameFolder& g, const std::function<void()>& arm) {
        g.fake.dialogs.programTitle = "scourix";
        scourix::MainWindow w(g.platform);
        w.open();
        arm();
        then(g, w);
    };
}

// The browser in a mode, the file of this name at its cursor; `then` is the path under test.
auto inBrowser(const char* mode, const char* file,
               std::function<void(GameFolder&, scourix::Ordner&)> then) {
    return [=](GameFolder& g, const std::function<void()>& arm) {
        scourix::MainWindow w(g.platform);
        w.open();
        w.soundssicherpath.setText(kBackup);
        w.session().browseMode = mode;
        scourix::Ordner b(g.platform, w);
        b.open();
        for (int i = 0; i < b.File1.count(); ++i)
            if (b.File1.item(i) == file) b.File1.setSelected(i, true), b.File1.setListIndex(i);
        arm();
        then(g, b);
    };
}

const PlayerPath kPlayerPaths[] = {
    {"Gatefire: one-time join, side-program list kept, statistics", nullptr, runGatefire},
    {"Gatefire: UTF-16 direckt.ini",
     [](GameFolder& g) {
         g.files.addFile(g.path(settings::kDirecktIni), utf16("\"-pxo 1.2.3.4\"\r\n\"2\""));
     },
     runGatefire},
    {"Gatefire: the open-source game's settings file",
     [](GameFolder& g) {
         const std::string user = g.fake.host.dataFolder + edition::kUserFolder;
         g.files.addFile(g.game + "\\Descent3.exe", "exe");
         for (const char* f : {"\\custom\\sounds", "\\custom\\graphics", "\\netgames"})
             g.files.addFolder(user + f);
         g.files.addFile(user + "\\.Descent3Registry", "[Descent3]\r\n\"Detail\"=\"high\"\r\n");
         g.files.addFile(user + "\\netgames\\c.stats", "c");
     },
     runGatefire},
    {"Scourix: recovery of a short scourix.ini",
     [](GameFolder& g) {
         g.files.addFile(g.path(settings::kScourixIni), "\"C:\\Games\"\r\n");
         g.fake.dialogs.answers.assign(8, platform::Answer::Ok);
     },
     [](GameFolder& g, const std::function<void()>& arm) {
         arm();
         scourix::MainWindow w(g.platform);
         w.open();
     }},
    {"Scourix: save", nullptr, inScourix([](GameFolder&, scourix::MainWindow& w) {
         w.logo.addItem("a.ogf");
         w.sichern();
     })},
    {"Scourix: fps.txt append", nullptr, inScourix([](GameFolder& g, scourix::MainWindow& w) {
         g.fake.dialogs.answers.assign({platform::Answer::Yes});
         w.m24.click();
     })},
    {"Scourix: statistics remover", nullptr,
     inScourix([](GameFolder&, scourix::MainWindow& w) { w.delstadjetzt.click(); })},
    {"Scourix: direct-join window on a UTF-16 file, joined",
     [](GameFolder& g) {
         g.files.addFile(g.path(settings::kDirecktIni), utf16("\"-pxo 1.2.3.4\"\r\n\"2\""));
     },
     inScourix([](GameFolder&, scourix::MainWindow& w) {
         w.m44.click();
         w.diereckt().iptext.setText("5.6.7.8:2092");
         w.diereckt().teilnehmen.click();
         w.diereckt().d3run.tick();
         w.diereckt().close();
     })},
    {"Scourix: side-program editor on a UTF-16 list, saved",
     [](GameFolder& g) {
         g.files.addFile(g.path(settings::kShellListTxt), utf16("\"side.exe\"\r\n"));
     },
     inScourix([](GameFolder&, scourix::MainWindow& w) {
         w.m43.click();
         w.shellstart().save.click();
     })},
    {"Scourix: taunt rename", nullptr,
     inBrowser("sounds", "x.osf",
               [](GameFolder& g, auto& b) {
                   g.fake.dialogs.typed = {"renamed"};
                   b.umbenen.click();
               })},
    {"Scourix: pilot return", nullptr,
     inBrowser("player", "Bob.plt", [](GameFolder&, auto& b) { b.OK.click(); })},
    {"Scourix: restore from backup", nullptr,
     inBrowser("sounds2", "x.osf", [](GameFolder&, auto& b) { b.OK.click(); })},
};

void PrintTo(const PlayerPath& path, std::ostream* out) {
    *out << path.name;
}

void sweepPlayerPath(const PlayerPath& path, bool onDisk) {
    auto prepare = [&](GameFolder& g) {
        playerSetUp(g);
        if (path.setUp) path.setUp(g);
    };
    Files before, clean;
    int calls = 0;
    {
        RunFiles files(onDisk);
        GameFolder g(files.get());
        prepare(g);
        before = g.files.snapshot();
        int start = 0;
        path.run(g, [&] { start = g.files.calls(); });
        calls = g.files.calls() - start;
        clean = g.files.snapshot();
        EXPECT_NE(clean, before) << path.name << ": the path does something";
    }
    for (Fault fault : {Fault::Fail, Fault::Partial, Fault::Short})
        for (int k = 1; k <= calls + 1; ++k) {
            RunFiles files(onDisk);
            GameFolder g(files.get());
            prepare(g);
            path.run(g, [&] { g.files.failCall(k, fault); });
            checkPlayerFiles(before, clean, g.files,
                             std::string(path.name) + ", call " + std::to_string(k) + " " +
                                 (fault == Fault::Fail      ? "fails"
                                  : fault == Fault::Partial ? "copies half"
                                                            : "copies half and says it worked"));
            if (::testing::Test::HasFailure()) return;
        }
}

class PlayerFileSweep : public ::testing::TestWithParam<PlayerPath> {};

TEST_P(PlayerFileSweep, NoPlayerFileIsLostWhicheverCallFails) {
    sweepPlayerPath(GetParam(), false);
}

#ifdef SWEEP_ON_DISK
TEST_P(PlayerFileSweep, NoPlayerFileIsLostOnTheDiskWhicheverCallFails) {
    sweepPlayerPath(GetParam(), true);
}
#endif

INSTANTIATE_TEST_SUITE_P(Paths, PlayerFileSweep, ::testing::ValuesIn(kPlayerPaths),
                         [](const auto& info) { return std::to_string(info.index); });

} // namespace
