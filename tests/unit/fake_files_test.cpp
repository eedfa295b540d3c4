#include <gtest/gtest.h>

#include "tests/support/fake_files.h"

namespace {

using Names = std::vector<std::string>;

struct FakeFilesTest : ::testing::Test {
    FakeFiles fs;
    void SetUp() override {
        fs.addFile("C:\\Games\\custom\\sounds\\b.osf", "bbbb");
        fs.addFile("C:\\Games\\custom\\sounds\\A.osf", "aaaa");
        fs.addFile("C:\\Games\\custom\\sounds\\c.ogf", "cc");
        fs.addFolder("C:\\Games\\custom\\sounds\\sub");
        fs.addFolder("D:\\backup");
    }
};

} // namespace

TEST_F(FakeFilesTest, PathsCompareAsOnWindowsAndListInCreationOrder) {
    EXPECT_EQ(fs.content("c:\\GAMES\\Custom\\SOUNDS\\a.OSF"), "aaaa");
    EXPECT_TRUE(fs.exists("C:/Games//custom\\sounds\\b.osf"));
    EXPECT_TRUE(fs.folderExists("C:\\Games\\custom\\"));
    EXPECT_FALSE(fs.exists("C:\\Games\\custom"));
    Names names;
    ASSERT_TRUE(fs.list("C:\\games\\custom\\sounds", "*.osf", names));
    EXPECT_EQ(names, (Names{"b.osf", "A.osf"}));
    ASSERT_TRUE(fs.list("C:\\games\\custom\\sounds", "*", names));
    EXPECT_EQ(names, (Names{"b.osf", "A.osf", "c.ogf"}));
    EXPECT_FALSE(fs.list("C:\\Games\\netgames", "*", names));
}

TEST_F(FakeFilesTest, CopyNeedsSourceAndTargetFolder) {
    EXPECT_FALSE(fs.copy("C:\\Games\\custom\\sounds\\x.osf", "D:\\backup\\x.osf"));
    EXPECT_FALSE(fs.copy("C:\\Games\\custom\\sounds\\b.osf", "D:\\gone\\b.osf"));
    EXPECT_TRUE(fs.copy("C:\\Games\\custom\\sounds\\b.osf", "D:\\backup\\b.osf"));
    EXPECT_EQ(fs.content("D:\\backup\\b.osf"), "bbbb");
    EXPECT_EQ(fs.copies(), 3);
}

TEST_F(FakeFilesTest, FailRemoveAndFailRead) {
    fs.failRemove("C:\\Games\\custom\\sounds\\b.osf");
    fs.failRead("C:\\Games\\custom\\sounds\\A.osf");
    EXPECT_FALSE(fs.remove("C:\\Games\\custom\\sounds\\b.osf"));
    EXPECT_TRUE(fs.remove("C:\\Games\\custom\\sounds\\c.ogf"));
    EXPECT_EQ(fs.files("C:\\Games\\custom\\sounds"), (Names{"b.osf", "A.osf"}));
    EXPECT_EQ(fs.removes(), 2);
    std::string bytes;
    EXPECT_TRUE(fs.exists("C:\\Games\\custom\\sounds\\A.osf"));
    EXPECT_FALSE(fs.read("C:\\Games\\custom\\sounds\\A.osf", bytes));
}

TEST_F(FakeFilesTest, NthCopyFailsWithoutTarget) {
    fs.failCopyNth(2);
    EXPECT_TRUE(fs.copy("C:\\Games\\custom\\sounds\\b.osf", "D:\\backup\\b.osf"));
    EXPECT_FALSE(fs.copy("C:\\Games\\custom\\sounds\\A.osf", "D:\\backup\\A.osf"));
    EXPECT_TRUE(fs.copy("C:\\Games\\custom\\sounds\\c.ogf", "D:\\backup\\c.ogf"));
    EXPECT_EQ(fs.files("D:\\backup"), (Names{"b.osf", "c.ogf"}));
}

TEST_F(FakeFilesTest, PartialCopyLeavesTruncatedTarget) {
    fs.failCopyPartial("C:\\Games\\custom\\sounds\\b.osf");
    EXPECT_FALSE(fs.copy("C:\\Games\\custom\\sounds\\b.osf", "D:\\backup\\b.osf"));
    EXPECT_EQ(fs.content("D:\\backup\\b.osf"), "bb");
}

TEST_F(FakeFilesTest, FullDiskKeepsOldFileWhole) {
    ASSERT_TRUE(fs.write("D:\\backup\\x.ini", "old"));
    fs.diskFull(true);
    EXPECT_FALSE(fs.write("D:\\backup\\x.ini", "new"));
    EXPECT_FALSE(fs.copy("C:\\Games\\custom\\sounds\\b.osf", "D:\\backup\\b.osf"));
    EXPECT_EQ(fs.content("D:\\backup\\x.ini"), "old");
    EXPECT_FALSE(fs.has("D:\\backup\\b.osf"));
    fs.diskFull(false);
    EXPECT_TRUE(fs.write("D:\\backup\\x.ini", "new"));
    EXPECT_EQ(fs.writes(), 3);
}

TEST_F(FakeFilesTest, WritesFailOnceTheSpaceIsUsed) {
    fs.failWritesAfter(6);
    EXPECT_TRUE(fs.write("D:\\backup\\x.ini", "1234"));
    EXPECT_FALSE(fs.write("D:\\backup\\y.ini", "567"));
    EXPECT_TRUE(fs.copy("C:\\Games\\custom\\sounds\\c.ogf", "D:\\backup\\c.ogf"));
    EXPECT_FALSE(fs.copy("C:\\Games\\custom\\sounds\\b.osf", "D:\\backup\\b.osf"));
    EXPECT_EQ(fs.files("D:\\backup"), (Names{"x.ini", "c.ogf"}));
}

TEST_F(FakeFilesTest, FolderVanishesAfterCopies) {
    fs.removeFolderAfterCopies("D:\\backup", 2);
    EXPECT_FALSE(fs.copy("C:\\Games\\custom\\sounds\\x.osf", "D:\\backup\\x.osf"));
    EXPECT_TRUE(fs.copy("C:\\Games\\custom\\sounds\\b.osf", "D:\\backup\\b.osf"));
    EXPECT_TRUE(fs.folderExists("D:\\backup"));
    EXPECT_TRUE(fs.copy("C:\\Games\\custom\\sounds\\A.osf", "D:\\backup\\A.osf"));
    EXPECT_FALSE(fs.folderExists("D:\\backup"));
    EXPECT_FALSE(fs.has("D:\\backup\\b.osf"));
    EXPECT_FALSE(fs.copy("C:\\Games\\custom\\sounds\\c.ogf", "D:\\backup\\c.ogf"));
    EXPECT_TRUE(fs.folderExists("D:\\"));
}

TEST_F(FakeFilesTest, CurrentFolderAndRelativePaths) {
    EXPECT_FALSE(fs.setCurrentFolder("C:\\Nowhere"));
    ASSERT_TRUE(fs.setCurrentFolder("C:\\Games\\custom"));
    EXPECT_EQ(fs.currentFolder(), "C:\\Games\\custom");
    EXPECT_TRUE(fs.exists("sounds\\b.osf"));
    EXPECT_TRUE(fs.exists("..\\custom\\sounds\\c.ogf"));
}

TEST_F(FakeFilesTest, RenameKeepsPlaceAndTakesNewName) {
    EXPECT_TRUE(fs.rename("C:\\Games\\custom\\sounds\\b.osf", "C:\\Games\\custom\\sounds\\B2.osf"));
    EXPECT_FALSE(fs.rename("C:\\Games\\custom\\sounds\\A.osf", "C:\\Games\\custom\\sounds\\c.OGF"));
    EXPECT_EQ(fs.files("C:\\Games\\custom\\sounds"), (Names{"B2.osf", "A.osf", "c.ogf"}));
    EXPECT_TRUE(fs.rename("C:\\Games\\custom", "C:\\Games\\mine"));
    EXPECT_EQ(fs.content("C:\\Games\\mine\\sounds\\B2.osf"), "bbbb");
    EXPECT_FALSE(fs.makeFolder("C:\\Games\\mine"));
    EXPECT_FALSE(fs.makeFolder("C:\\Games\\x\\y"));
    Names folders;
    ASSERT_TRUE(fs.listFolders("C:\\Games\\mine\\sounds", folders));
    EXPECT_EQ(folders, (Names{"sub"}));
}

// Names Windows refuses for a file: reserved characters, a dot or blank at the end, device names
// with or without an extension.
TEST(FileNames, WhatWindowsTakesAsTheNameOfAFile) {
    const std::pair<const char*, bool> cases[] = {
        {"a.osf", true},   {"a..osf", true},     {".hidden", true},   {"com0", true},
        {"COM10", true},   {"console", true},    {"", false},         {"a.", false},
        {"a.osf.", false}, {"...", false},       {"a ", false},       {"a:b", false},
        {"a?", false},     {"tab\tname", false}, {"CON", false},      {"con.txt", false},
        {"Nul .x", false}, {"lpt9", false},      {"COM1.osf", false},
    };
    for (const auto& [name, valid] : cases)
        EXPECT_EQ(platform::validFileName(name), valid) << "\"" << name << "\"";
}
