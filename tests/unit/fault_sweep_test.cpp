// Every cleaning mode of the launcher and of the clean-now window, with the k-th file operation
// of the cleaning failing for every k: no file may be lost.
#include <gtest/gtest.h>

#include <map>

#include "config/mainwindow/clean_now.h"
#include "config/mainwindow/main_window.h"
#include "launcher/anzeiger.h"
#include "tests/support/game_folder.h"

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

    Sweep(const Mode& mode, Target target) {
        ini.logoNoAction = "0", ini.tauntNoAction = "0";
        ini.logoDeleteOthers = ini.tauntDeleteOthers = mode.deleteOthers;
        ini.logoBackupOthers = ini.tauntBackupOthers = mode.backupOthers;
        ini.logoBackupPath = logoBackup, ini.tauntBackupPath = tauntBackup;
        if (target == Target::SourceFolder) {
            ini.logoBackupPath = "c:\\GAMES\\descent3\\Custom\\Graphics\\";
            ini.tauntBackupPath = "C:/Games/Descent3/custom/sounds";
        }
        auto put = [&](const std::string& folder, std::initializer_list<const char*> names) {
            for (const char* n : names) {
                const std::string p = folder + "\\" + n, bytes = std::string("data:") + n;
                fake.files.addFile(p, bytes);
                before[p] = bytes;
            }
        };
        put(graphics(), {"mine.ogf", "empty", "a.ogf", "stale.oaf", "b.ogf"});
        put(sounds(), {"x.osf", "mine.osf", "stale.osf", "empty"});
        // Older copies of the same size with other bytes: a check by size alone trusts them.
        for (const auto& [folder, name] :
             {std::pair{logoBackup, "stale.oaf"}, std::pair{tauntBackup, "stale.osf"}}) {
            const std::string p = folder + "\\" + name;
            fake.files.addFile(p, std::string("DATA:") + name);
            if (target == Target::ReadOnlyStale) fake.files.readOnly(p);
        }
        writeSettings({"mine.ogf"}, {"mine.osf"});
    }

    bool backup() const { return ini.logoBackupOthers == "1"; }
    bool intoSource() const { return ini.logoBackupPath != logoBackup; }

    // Every file that is gone was neither kept nor "empty", and in backup mode has a
    // byte-identical copy in the backup folder; every file still there is unchanged.
    void checkNothingLost(const std::string& what) const {
        for (const auto& [p, bytes] : before) {
            const std::string name = p.substr(p.rfind('\\') + 1);
            const bool logo = p.find("graphics") != std::string::npos;
            const auto now = fake.files.content(p);
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
            if (!fake.files.has(copy) && !fake.files.has(logo ? logoBackup : tauntBackup)) {
                bool made = false;
                for (const auto& [to, got] : fake.files.copyLog())
                    made |= to == copy && got == bytes;
                EXPECT_TRUE(made) << what << ": " << p << " deleted without a copy";
                continue;
            }
            EXPECT_EQ(fake.files.content(copy), bytes)
                << what << ": " << p << " deleted without a copy";
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
    launcher::Anzeiger w(s.fake.platform);
    w.load();
    EXPECT_TRUE(w.putzstart.enabled());
    const int start = s.fake.files.calls();
    if (k) s.fake.files.failCall(k, fault, s.logoBackup);
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
    return s.fake.files.calls() - start;
}

int runCleanNow(Sweep& s, Fault fault, int k) {
    s.fake.dialogs.programTitle = "scourix";
    scourix::MainWindow main(s.fake.platform);
    scourix::CleanNow w(s.fake.platform, main);
    w.open();
    EXPECT_TRUE(w.putzstart.enabled());
    const int start = s.fake.files.calls();
    if (k) s.fake.files.failCall(k, fault, s.logoBackup);
    w.putzstart.tick();
    if (!listingFailed(s.fake.dialogs)) {
        if (!s.intoSource()) {
            for (ui::Label* t : {&w.txt1, &w.txt2, &w.txt3, &w.txt4})
                EXPECT_EQ(t->caption(), "finish") << t->name();
        }
        EXPECT_TRUE(w.isOpen());
    }
    return s.fake.files.calls() - start;
}

class FaultSweep : public ::testing::TestWithParam<bool> {};

TEST_P(FaultSweep, NoFileIsLostWhicheverCallFails) {
    const bool launcherRun = GetParam();
    auto run = launcherRun ? runLauncher : runCleanNow;
    int runs = 0;
    for (const Mode& mode : kModes)
        for (Target target : {Target::Separate, Target::SourceFolder, Target::ReadOnlyStale}) {
            if (target != Target::Separate && std::string(mode.backupOthers) != "1") continue;
            int calls = 0;
            {
                Sweep clean(mode, target);
                calls = run(clean, Fault::Fail, 0);
                clean.checkNothingLost(describe("clean run", mode, target, Fault::Fail, 0));
                if (target == Target::Separate && std::string(mode.backupOthers) == "1") {
                    EXPECT_EQ(clean.fake.files.content(clean.graphics("a.ogf")), std::nullopt)
                        << "a working backup deletes";
                }
            }
            for (Fault fault : {Fault::Fail, Fault::Partial, Fault::FolderVanish, Fault::Short})
                for (int k = 1; k <= calls + 1; ++k) {
                    Sweep s(mode, target);
                    run(s, fault, k);
                    s.checkNothingLost(
                        describe(launcherRun ? "launcher" : "clean-now", mode, target, fault, k));
                    ++runs;
                    if (::testing::Test::HasFailure()) return;
                }
        }
    EXPECT_GT(runs, 100);
}

INSTANTIATE_TEST_SUITE_P(Windows, FaultSweep, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Launcher" : "CleanNow"; });

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
    s.ini.language = "1";
    s.writeSettings({"mine.ogf"}, {"mine.osf"});
    runCleanNow(s, Fault::Fail, 0);
    ASSERT_EQ(s.fake.dialogs.boxes.size(), 2u);
    EXPECT_EQ(s.fake.dialogs.boxes[0].text,
              "Der Sicherungsordner der Schiffslogos ist der Ordner, der aufgeräumt wird:\n" +
                  s.ini.logoBackupPath +
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

} // namespace
