#include <gtest/gtest.h>

#include "platform/ui/window.h"
#include "tests/support/fake_files.h"

namespace {

struct Form : ui::Window {
    explicit Form(platform::Files& files) : ui::Window("form", 1000, 1000), files(files) {
        hidden.setVisible(false);
    }
    platform::Files& files;
    ui::Frame hidden{*this, "hidden"};
    ui::ListBox single{*this, "single"};
    ui::ListBox multi{*this, "multi", &hidden, true};
    ui::FileList listing{*this, "listing", files};
};

TEST(ListBoxes, SingleSelectionFollowsTheCurrentLine) {
    FakeFiles files;
    Form f(files);
    for (const char* t : {"a", "b", "c"}) f.single.addItem(t);
    int clicks = 0;
    f.single.click = [&] { ++clicks; };
    f.single.setListIndex(1);
    f.single.setListIndex(2);
    EXPECT_FALSE(f.single.selected(1));
    EXPECT_TRUE(f.single.selected(2));
    EXPECT_EQ(clicks, 2);
    f.single.setListIndex(7);
    EXPECT_EQ(f.single.listIndex(), -1);
    f.single.removeItem(2);
    EXPECT_EQ(f.single.count(), 2);
}

TEST(ListBoxes, MultiSelectionKeepsEachFlag) {
    FakeFiles files;
    Form f(files);
    for (const char* t : {"a", "b", "c"}) f.multi.addItem(t);
    f.multi.setSelected(0, true);
    f.multi.setSelected(2, true);
    EXPECT_TRUE(f.multi.selected(0));
    EXPECT_FALSE(f.multi.selected(1));
    EXPECT_TRUE(f.multi.selected(2));
    EXPECT_FALSE(f.multi.shown()) << "inside a hidden frame";
    EXPECT_TRUE(f.single.shown());
}

TEST(FileLists, ListAFolderByPatternAndRefuseAMissingOne) {
    FakeFiles files;
    for (const char* n : {"a.ogf", "b.OAF", "c.osf", "d.ogf.bak"}) files.addFile("C:\\G\\" + std::string(n));
    Form f(files);
    f.listing.pattern = "*.ogf;*.oaf";
    ASSERT_TRUE(f.listing.setPath("C:\\G"));
    ASSERT_EQ(f.listing.count(), 2);
    EXPECT_EQ(f.listing.item(0), "a.ogf");
    EXPECT_EQ(f.listing.item(1), "b.OAF");
    EXPECT_FALSE(f.listing.setPath("C:\\Missing"));
    EXPECT_EQ(f.listing.path(), "C:\\G");
    EXPECT_EQ(f.listing.count(), 2);
}

TEST(Patterns, MatchLikeWindows) {
    using platform::matchesPattern;
    EXPECT_TRUE(matchesPattern("Pilot.PLT", "*.plt"));
    EXPECT_TRUE(matchesPattern("noext", "*"));
    EXPECT_TRUE(matchesPattern("noext", "*.*"));
    EXPECT_FALSE(matchesPattern("a.stats.old", "*.stats"));
    EXPECT_TRUE(matchesPattern("a1.osf", "a?.osf"));
    EXPECT_FALSE(matchesPattern("a.osf", ""));
}

} // namespace
