#include <gtest/gtest.h>

#include "common/cleaning/cleaning.h"
#include "tests/support/game_folder.h"

namespace {

using cleaning::countDown;

TEST(CounterText, CountsDownWithALeadingSpaceOrMinus) {
    EXPECT_EQ(countDown("3"), " 2");
    EXPECT_EQ(countDown(" 1"), " 0");
    EXPECT_EQ(countDown(" 0"), "-1");
    EXPECT_EQ(countDown("-1"), "-2");
    EXPECT_EQ(countDown("finish"), "-1");
    EXPECT_EQ(countDown("Fertig"), "-1");
}

TEST(CounterText, LanguageCodeAndFinishWord) {
    EXPECT_EQ(cleaning::languageCode("1"), "de");
    for (const char* v : {"2", "", "0", " 1", "de"}) EXPECT_EQ(cleaning::languageCode(v), "en");
    EXPECT_EQ(cleaning::finishWord("de"), "Fertig");
    EXPECT_EQ(cleaning::finishWord("en"), "finish");
}

// The routines on their own, on a window that has read the settings and listed the folders.
class Routines : public ::testing::Test, public GameFolder {
  protected:
    struct Window : cleaning::CleaningWindow {
        using CleaningWindow::CleaningWindow;
        using CleaningWindow::listCustomFolders;
    };

    Window& open() {
        writeSettings(logos, taunts);
        w = std::make_unique<Window>(fake.platform, "test", 100, 100);
        std::string file;
        EXPECT_EQ(w->readSettings(file), settings::Problem::None) << file;
        EXPECT_TRUE(w->listCustomFolders());
        return *w;
    }
    void addTaunts(std::initializer_list<const char*> names) {
        for (const char* n : names) fake.files.addFile(sounds(n), std::string("data:") + n);
    }

    std::vector<std::string> logos, taunts;
    std::unique_ptr<Window> w;
};

// In a folder that tells names apart by case, so that "Taunt1.osf" and "taunt1.osf", "empty"
// and "Empty" are really two files each.
TEST_F(Routines, RemovalKeepsExactNamesAndTheFileEmpty) {
    fake.files = FakeFiles();
    fake.files.caseSensitive = true;
    fake.files.addFolder(sounds());
    fake.files.addFolder(graphics());
    fake.files.addFolder(netgames());
    taunts = {"Taunt1.osf", "mine", "spaced .osf"};
    addTaunts({"Taunt1.osf", "taunt1.osf", "mine.osf", "empty", "Empty", "empty.txt", "spaced .osf",
               "spaced.osf", "readme.txt"});
    open().tauntkill();
    EXPECT_EQ(fake.files.files(sounds()),
              (std::vector<std::string>{"Taunt1.osf", "empty", "spaced .osf"}));
}

TEST_F(Routines, RemovalWithAnEmptyKeepListLeavesOnlyEmpty) {
    addTaunts({"a.osf", "empty", "b.osf"});
    open().tauntkill();
    EXPECT_EQ(fake.files.files(sounds()), std::vector<std::string>{"empty"});
}

TEST_F(Routines, RemovalCountsDownEveryFileAndEndsWithTheFinishWord) {
    addTaunts({"a.osf", "b.osf", "c.osf"});
    fake.files.failRemove(sounds("b.osf"));
    Window& win = open();
    win.txt4.setCaption("3");
    win.tauntkill();
    EXPECT_EQ(win.txt4.caption(), "finish");
    EXPECT_EQ(fake.files.files(sounds()), std::vector<std::string>{"b.osf"});
    EXPECT_EQ(fake.files.removes(), 3);
}

TEST_F(Routines, CountersRunBelowZeroFromTheFinishWord) {
    addTaunts({"a.osf", "b.osf"});
    ini.language = "1";
    Window& win = open();
    win.txt4.setCaption("Fertig");
    struct Recorder : ui::ControlPeer {
        std::vector<std::string>* seen;
        ui::Label* label;
        void update(ui::Prop) override {}
        void repaint() override { seen->push_back(label->caption()); }
    } rec;
    std::vector<std::string> seen;
    rec.seen = &seen, rec.label = &win.txt4;
    win.txt4.peer = &rec;
    win.tauntkill();
    win.txt4.peer = nullptr;
    EXPECT_EQ(seen, (std::vector<std::string>{"-1", "-2", "Fertig"}));
}

TEST_F(Routines, RemovalOfAnEmptyFolderFinishesAtOnce) {
    Window& win = open();
    win.txt3.setCaption("0");
    win.graffkill();
    EXPECT_EQ(win.txt3.caption(), "finish");
}

TEST_F(Routines, BackupCopiesEveryFileAndReplacesOlderCopies) {
    ini.tauntBackupOthers = "1", ini.tauntNoAction = "0";
    ini.tauntBackupPath = "D:\\Backup";
    taunts = {"mine.osf"};
    addTaunts({"mine.osf", "other.osf", "empty"});
    fake.files.addFile("D:\\Backup\\other.osf", "old");
    Window& win = open();
    win.tauntverschieben();
    EXPECT_EQ(fake.files.content("D:\\Backup\\other.osf"), "data:other.osf");
    EXPECT_EQ(fake.files.content("D:\\Backup\\mine.osf"), "data:mine.osf");
    EXPECT_EQ(fake.files.content("D:\\Backup\\empty"), "data:empty");
    EXPECT_EQ(win.txt2.caption(), "finish");
    EXPECT_EQ(fake.files.files(sounds()).size(), 3u) << "backup alone deletes nothing";
}

TEST_F(Routines, BackupFolderWithATrailingBackslashStillReceivesTheCopies) {
    ini.tauntBackupOthers = "1", ini.tauntBackupPath = "D:\\Backup\\";
    fake.files.addFolder("D:\\Backup");
    addTaunts({"a.osf"});
    Window& win = open();
    win.tauntverschieben();
    win.tauntkill();
    EXPECT_EQ(fake.files.content("D:\\Backup\\a.osf"), "data:a.osf");
    EXPECT_FALSE(fake.files.has(sounds("a.osf")));
}

// In backup mode a file goes only when its copy is there: nothing is lost when the backup fails.
TEST_F(Routines, BackupThatFailsNeverLosesAFile) {
    ini.tauntBackupOthers = "1", ini.tauntBackupPath = "D:\\Missing";
    addTaunts({"a.osf", "b.osf"});
    Window& win = open();
    win.tauntverschieben();
    win.tauntkill();
    EXPECT_EQ(fake.files.files(sounds()), (std::vector<std::string>{"a.osf", "b.osf"}));
    EXPECT_EQ(win.txt4.caption(), "finish");
}

TEST_F(Routines, BackupWithSingleFailedCopiesDeletesOnlyWhatArrived) {
    ini.tauntBackupOthers = "1", ini.tauntBackupPath = "D:\\Backup";
    fake.files.addFolder("D:\\Backup");
    addTaunts({"a.osf", "b.osf", "c.osf", "d.osf"});
    Window& win = open();
    fake.files.failCopyNth(2);
    fake.files.failCopyPartial(sounds("c.osf"));
    win.tauntverschieben();
    win.tauntkill();
    EXPECT_EQ(fake.files.files(sounds()), (std::vector<std::string>{"b.osf", "c.osf"}));
    EXPECT_EQ(fake.files.content("D:\\Backup\\a.osf"), "data:a.osf");
    EXPECT_EQ(fake.files.content("D:\\Backup\\d.osf"), "data:d.osf");
}

TEST_F(Routines, BackupFolderVanishingHalfWayKeepsEverySource) {
    ini.logoBackupOthers = "1", ini.logoBackupPath = "E:\\Logos";
    fake.files.addFolder("E:\\Logos");
    for (const char* n : {"a.ogf", "b.ogf", "c.ogf"}) fake.files.addFile(graphics(n), n);
    Window& win = open();
    fake.files.removeFolderAfterCopies("E:\\Logos", 2);
    win.graffverschieben();
    win.graffkill();
    EXPECT_EQ(fake.files.files(graphics()).size(), 3u);
}

TEST_F(Routines, BackupOnAFullDiskKeepsEverySource) {
    ini.logoBackupOthers = "1", ini.logoBackupPath = "E:\\Logos";
    fake.files.addFolder("E:\\Logos");
    fake.files.addFile(graphics("a.ogf"), "a");
    Window& win = open();
    fake.files.diskFull(true);
    win.graffverschieben();
    win.graffkill();
    EXPECT_TRUE(fake.files.has(graphics("a.ogf")));
}

TEST_F(Routines, PlainDeletionDoesNotLookAtTheBackupFolder) {
    ini.tauntDeleteOthers = "1", ini.tauntBackupPath = "D:\\Missing";
    addTaunts({"a.osf"});
    open().tauntkill();
    EXPECT_FALSE(fake.files.has(sounds("a.osf")));
}

TEST_F(Routines, AMissingCustomFolderIsReported) {
    writeSettings();
    Window win(fake.platform, "test", 100, 100);
    std::string file;
    win.readSettings(file);
    EXPECT_TRUE(win.listCustomFolders());
    ini.gamePath = "C:\\Elsewhere";
    writeSettings();
    Window other(fake.platform, "test", 100, 100);
    other.readSettings(file);
    EXPECT_FALSE(other.listCustomFolders());
}

TEST_F(Routines, SettingsProblemsNameTheFile) {
    writeSettings();
    fake.files.remove(path("taunts.ini"));
    Window win(fake.platform, "test", 100, 100);
    std::string file;
    EXPECT_EQ(win.readSettings(file), settings::Problem::Missing);
    EXPECT_EQ(file, "taunts.ini");
}

} // namespace
