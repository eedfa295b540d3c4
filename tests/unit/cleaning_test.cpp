#include <gtest/gtest.h>

#include "common/cleaning/cleaning.h"
#include "common/settings/reading.h"
#include "common/edition/edition.h"
#include "tests/support/game_folder.h"

namespace {

using cleaning::Counter;
using cleaning::Event;
using cleaning::Kind;

TEST(CounterText, CountsWithALeadingSpaceOrMinus) {
    EXPECT_EQ(cleaning::countText(2), " 2");
    EXPECT_EQ(cleaning::countText(0), " 0");
    EXPECT_EQ(cleaning::countText(-1), "-1");
    EXPECT_EQ(cleaning::countText(-12), "-12");
}

// The cleaner on its own, with the settings read and the folders found.
class Routines : public ::testing::Test, public GameFolder {
  protected:
    cleaning::Cleaner& open() {
        writeSettings(logos, taunts);
        std::string file;
        EXPECT_EQ(settings::readSetup(store, setup, file), settings::Problem::None) << file;
        c = std::make_unique<cleaning::Cleaner>(fake.files, [this](Counter k, Event e) {
            events.push_back(std::to_string(int(k)) + (e == Event::Finished ? "F" : "."));
        });
        EXPECT_TRUE(c->findFolders({game}, false));
        return *c;
    }
    cleaning::Step clean(Kind kind) {
        const bool l = kind == Kind::Logos;
        return c->clean(kind,
                        l ? cleaning::logoChoices(setup.ini) : cleaning::tauntChoices(setup.ini),
                        l ? setup.logos : setup.taunts);
    }
    void addTaunts(std::initializer_list<const char*> names) {
        for (const char* n : names) fake.files.addFile(sounds(n), std::string("data:") + n);
    }

    std::vector<std::string> logos, taunts, events;
    settings::Store store{fake.files, fake.codepage, program};
    settings::Setup setup;
    std::unique_ptr<cleaning::Cleaner> c;
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
    ini["TauntDeleteOthers"] = "1";
    addTaunts({"Taunt1.osf", "taunt1.osf", "mine.osf", "empty", "Empty", "empty.txt", "spaced .osf",
               "spaced.osf", "readme.txt"});
    open();
    clean(Kind::Taunts);
    EXPECT_EQ(fake.files.files(sounds()),
              (std::vector<std::string>{"Taunt1.osf", "empty", "spaced .osf"}));
}

TEST_F(Routines, RemovalWithAnEmptyKeepListLeavesOnlyEmpty) {
    ini["TauntDeleteOthers"] = "1";
    addTaunts({"a.osf", "empty", "b.osf"});
    open();
    clean(Kind::Taunts);
    EXPECT_EQ(fake.files.files(sounds()), std::vector<std::string>{"empty"});
}

TEST_F(Routines, RemovalReportsEveryFileAndFinishes) {
    ini["TauntDeleteOthers"] = "1";
    addTaunts({"a.osf", "b.osf", "c.osf"});
    fake.files.failRemove(sounds("b.osf"));
    open();
    EXPECT_EQ(c->count(Kind::Taunts), 3);
    clean(Kind::Taunts);
    EXPECT_EQ(events, (std::vector<std::string>{"3.", "3.", "3.", "3F"}));
    EXPECT_EQ(fake.files.files(sounds()), std::vector<std::string>{"b.osf"});
    EXPECT_EQ(fake.files.removes(), 3);
}

// With backup and deletion both on, the backup removes what it copied and the deletion goes
// over the same listing once more: the delete counter hears of every file twice.
TEST_F(Routines, BackupAndDeletionReportTheListingTwice) {
    ini["TauntBackupOthers"] = "1", ini["TauntDeleteOthers"] = "1",
    ini["TauntBackupPath"] = "D:\\Backup";
    fake.files.addFolder("D:\\Backup");
    addTaunts({"a.osf", "b.osf"});
    open();
    clean(Kind::Taunts);
    EXPECT_EQ(events,
              (std::vector<std::string>{"1.", "1.", "1F", "3.", "3.", "3F", "3.", "3.", "3F"}));
    EXPECT_EQ(fake.files.files(sounds()), std::vector<std::string>{});
}

TEST_F(Routines, RemovalOfAnEmptyFolderFinishesAtOnce) {
    ini["LogoDeleteOthers"] = "1";
    open();
    clean(Kind::Logos);
    EXPECT_EQ(events, std::vector<std::string>{"2F"});
}

TEST_F(Routines, BackupCopiesEveryFileAndReplacesOlderCopies) {
    ini["TauntBackupOthers"] = "1", ini["TauntNoAction"] = "0";
    ini["TauntBackupPath"] = "D:\\Backup";
    taunts = {"mine.osf"};
    addTaunts({"mine.osf", "other.osf", "empty"});
    fake.files.addFile("D:\\Backup\\other.osf", "old");
    open();
    EXPECT_EQ(clean(Kind::Taunts), cleaning::Step::Done);
    EXPECT_EQ(fake.files.content("D:\\Backup\\other.osf"), "data:other.osf");
    EXPECT_EQ(fake.files.content("D:\\Backup\\mine.osf"), "data:mine.osf");
    EXPECT_EQ(fake.files.content("D:\\Backup\\empty"), "data:empty");
    EXPECT_EQ(fake.files.files(sounds()), (std::vector<std::string>{"mine.osf", "empty"}));
}

TEST_F(Routines, BackupFolderWithATrailingBackslashStillReceivesTheCopies) {
    ini["TauntBackupOthers"] = "1", ini["TauntBackupPath"] = "D:\\Backup\\";
    fake.files.addFolder("D:\\Backup");
    addTaunts({"a.osf"});
    open();
    clean(Kind::Taunts);
    EXPECT_EQ(fake.files.content("D:\\Backup\\a.osf"), "data:a.osf");
    EXPECT_FALSE(fake.files.has(sounds("a.osf")));
}

// In backup mode a file goes only when its copy is there: nothing is lost when the backup fails.
TEST_F(Routines, BackupThatFailsNeverLosesAFile) {
    ini["TauntBackupOthers"] = "1", ini["TauntBackupPath"] = "D:\\Missing";
    addTaunts({"a.osf", "b.osf"});
    open();
    clean(Kind::Taunts);
    EXPECT_EQ(fake.files.files(sounds()), (std::vector<std::string>{"a.osf", "b.osf"}));
    EXPECT_EQ(events.back(), "3F");
}

TEST_F(Routines, BackupWithSingleFailedCopiesDeletesOnlyWhatArrived) {
    ini["TauntBackupOthers"] = "1", ini["TauntBackupPath"] = "D:\\Backup";
    fake.files.addFolder("D:\\Backup");
    addTaunts({"a.osf", "b.osf", "c.osf", "d.osf"});
    open();
    fake.files.failCopyNth(2);
    fake.files.failCopyPartial(sounds("c.osf"));
    clean(Kind::Taunts);
    EXPECT_EQ(fake.files.files(sounds()), (std::vector<std::string>{"b.osf", "c.osf"}));
    EXPECT_EQ(fake.files.content("D:\\Backup\\a.osf"), "data:a.osf");
    EXPECT_EQ(fake.files.content("D:\\Backup\\d.osf"), "data:d.osf");
}

TEST_F(Routines, BackupFolderVanishingHalfWayKeepsEverySource) {
    ini["LogoBackupOthers"] = "1", ini["LogoBackupPath"] = "E:\\Logos";
    fake.files.addFolder("E:\\Logos");
    for (const char* n : {"a.ogf", "b.ogf", "c.ogf"}) fake.files.addFile(graphics(n), n);
    open();
    fake.files.removeFolderAfterCopies("E:\\Logos", 2);
    clean(Kind::Logos);
    EXPECT_EQ(fake.files.files(graphics()).size(), 3u);
}

TEST_F(Routines, BackupOnAFullDiskKeepsEverySource) {
    ini["LogoBackupOthers"] = "1", ini["LogoBackupPath"] = "E:\\Logos";
    fake.files.addFolder("E:\\Logos");
    fake.files.addFile(graphics("a.ogf"), "a");
    open();
    fake.files.diskFull(true);
    clean(Kind::Logos);
    EXPECT_TRUE(fake.files.has(graphics("a.ogf")));
}

TEST_F(Routines, BackupIntoTheSourceOrNowhereDoesNothing) {
    ini["TauntBackupOthers"] = "1", ini["TauntDeleteOthers"] = "1", ini["TauntBackupPath"] = "";
    addTaunts({"a.osf"});
    open();
    EXPECT_EQ(clean(Kind::Taunts), cleaning::Step::NoBackupFolder);
    setup.ini.taunts.backupPath = sounds();
    EXPECT_EQ(clean(Kind::Taunts), cleaning::Step::BackupIsSource);
    EXPECT_TRUE(fake.files.has(sounds("a.osf")));
    EXPECT_TRUE(events.empty());
}

TEST_F(Routines, PlainDeletionDoesNotLookAtTheBackupFolder) {
    ini["TauntDeleteOthers"] = "1", ini["TauntBackupPath"] = "D:\\Missing";
    addTaunts({"a.osf"});
    open();
    clean(Kind::Taunts);
    EXPECT_FALSE(fake.files.has(sounds("a.osf")));
}

// A folder that is certainly not there is one the game has not made yet where that is allowed;
// one the file system cannot answer for is never taken as missing.
TEST_F(Routines, AMissingCustomFolderIsReportedUnlessItMayComeLater) {
    addTaunts({"a.osf"});
    open();
    const std::string none = "C:\\Elsewhere";
    struct Case {
        std::vector<std::string> folders;
        bool mayBeMissing, found;
        std::size_t taunts;
    } const cases[] = {
        {{none}, false, false, 0}, {{none, game}, false, false, 0}, {{game}, false, true, 1},
        {{none}, true, true, 0},   {{none, game}, true, true, 1},   {{game, none}, true, true, 1},
    };
    for (const Case& c : cases) {
        cleaning::Cleaner other(fake.files, nullptr);
        EXPECT_EQ(other.findFolders(c.folders, c.mayBeMissing), c.found) << c.folders.size();
        if (c.found) {
            EXPECT_EQ(other.count(Kind::Taunts), int(c.taunts));
        }
    }
    fake.files.failQuery(none + "\\custom\\sounds");
    cleaning::Cleaner unknown(fake.files, nullptr);
    EXPECT_FALSE(unknown.findFolders({none, game}, true)) << "not known to be missing";
}

TEST_F(Routines, SettingsProblemsNameTheFile) {
    writeSettings();
    fake.files.remove(path("taunts.ini"));
    std::string file;
    EXPECT_EQ(settings::readSetup(store, setup, file), settings::Problem::Missing);
    EXPECT_EQ(file, "taunts.ini");
}

TEST_F(Routines, StatisticsAreRemovedFromEveryFolderAndCounted) {
    const std::string own = "C:\\Users\\me\\Descent 3";
    fake.files.addFile(netgames("a.stats"));
    fake.files.addFile(netgames("keep.txt"));
    fake.files.addFile(own + "\\netgames\\b.stats");
    fake.files.addFile(own + "\\netgames\\c.stats");
    fake.files.failRemove(own + "\\netgames\\c.stats");
    std::vector<std::string> folders;
    ASSERT_TRUE(cleaning::findPart(fake.files, {own, game, "C:\\None"}, edition::kNetgames,
                                   cleaning::kStatsPattern, true, folders));
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(cleaning::countStats(fake.files, folders), 3);
    const auto done = cleaning::removeStats(fake.files, folders, [&](Counter c, Event e) {
        events.push_back(std::to_string(int(c)) + (e == Event::Finished ? "F" : "."));
    });
    EXPECT_EQ(done.deleted, 2);
    EXPECT_EQ(done.left, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"4.", "4.", "4.", "4F"}));
    EXPECT_EQ(fake.files.files(netgames()), std::vector<std::string>{"keep.txt"});
}

} // namespace
