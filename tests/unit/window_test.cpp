#include <gtest/gtest.h>

#include <map>

#include "platform/ui/native.h"
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
    // The native list reports its whole selection; a click toggles one line, Windows-style.
    int clicks = 0;
    f.multi.click = [&] { ++clicks; };
    f.multi.takeSelection({false, true, true}, 1);
    EXPECT_FALSE(f.multi.selected(0));
    EXPECT_TRUE(f.multi.selected(1));
    EXPECT_TRUE(f.multi.selected(2));
    EXPECT_EQ(f.multi.listIndex(), 1);
    f.multi.toggleLine(2);
    EXPECT_FALSE(f.multi.selected(2));
    EXPECT_TRUE(f.multi.selected(1)) << "the other lines keep their flags";
    EXPECT_EQ(f.multi.listIndex(), 2);
    EXPECT_EQ(clicks, 2);
    for (const char* t : {"a", "b", "c"}) f.single.addItem(t);
    f.single.takeSelection({true, true, true}, 2);
    EXPECT_FALSE(f.single.selected(0)) << "a single list takes its current line alone";
    EXPECT_TRUE(f.single.selected(2));
}

// A peer that counts what mirroring the list costs a native list box: a whole-list change
// resends every line, a change of one line costs one call.
struct CostPeer : ui::ControlPeer {
    explicit CostPeer(const ui::ListBox& l) : list(l) {}
    const ui::ListBox& list;
    long calls = 0;
    void update(ui::Prop what) override {
        calls += what == ui::Prop::Items || what == ui::Prop::Selection ? list.count() + 1 : 1;
    }
    void repaint() override {}
};

TEST(ListBoxes, AddingAndSelectingLinesCostsOneCallEach) {
    FakeFiles files;
    Form f(files);
    for (ui::ListBox* l : {&f.single, &f.multi}) {
        CostPeer peer(*l);
        l->peer = &peer;
        const int n = 5000;
        for (int i = 0; i < n; ++i) l->addItem("line " + std::to_string(i));
        for (int i = 0; i < n; ++i) l->setSelected(i, i % 2 == 0);
        l->setItem(7, "seven");
        l->setListIndex(3);
        l->removeItem(3);
        EXPECT_LE(peer.calls, 2 * n + 3) << l->name();
        EXPECT_EQ(l->listIndex(), -1);
        l->peer = nullptr;
    }
}

TEST(FileLists, ListAFolderByPatternAndRefuseAMissingOne) {
    FakeFiles files;
    for (const char* n : {"a.ogf", "b.OAF", "c.osf", "d.ogf.bak", "C.OGF"})
        files.addFile("C:\\G\\" + std::string(n));
    Form f(files);
    f.listing.pattern = "*.ogf;*.oaf";
    ASSERT_TRUE(f.listing.setPath("C:\\G"));
    // Sorted as a Windows list sorts, whatever order the folder lists them in.
    ASSERT_EQ(f.listing.count(), 3);
    EXPECT_EQ(f.listing.item(0), "a.ogf");
    EXPECT_EQ(f.listing.item(1), "b.OAF");
    EXPECT_EQ(f.listing.item(2), "C.OGF");
    EXPECT_FALSE(f.listing.setPath("C:\\Missing"));
    EXPECT_EQ(f.listing.path(), "C:\\G");
    EXPECT_EQ(f.listing.count(), 3);
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

namespace {

struct Options : ui::Window {
    Options() : ui::Window("options", 1000, 1000) {}
    ui::Frame left{*this, "left"}, right{*this, "right"};
    ui::OptionButton a{*this, "a", &left}, b{*this, "b", &left}, c{*this, "c", &right};
    ui::Frame inner{*this, "inner", &left};
    ui::CheckBox box{*this, "box"}, deep{*this, "deep", &inner};
    ui::TextBox text{*this, "text"};
};

TEST(Options, SelectingOneClearsOnlyItsOwnGroupAndClicks) {
    Options w;
    int clicks = 0;
    w.b.click = [&] { ++clicks; };
    w.a.setValue(true);
    w.c.setValue(true);
    w.b.setValue(true);
    EXPECT_FALSE(w.a.value());
    EXPECT_TRUE(w.b.value());
    EXPECT_TRUE(w.c.value()) << "another container is another group";
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(ui::noneSelected(w.a));
    w.b.setValue(false);
    EXPECT_EQ(clicks, 1) << "clearing raises no click";
    EXPECT_TRUE(ui::noneSelected(w.a));
    EXPECT_FALSE(ui::noneSelected(w.c));
    EXPECT_EQ(ui::optionGroup(w.b), (std::vector<ui::OptionButton*>{&w.a, &w.b}));
}

// The mark a native control shows after the player's click, as both backends hand it on.
TEST(Options, TheMarkOfANativeControlGoesToTheModel) {
    Options w;
    int clicks = 0;
    w.a.click = w.box.click = [&] { ++clicks; };
    for (bool on : {true, false}) {
        ui::takeMark(w.box, on);
        EXPECT_EQ(w.box.value(), on ? 1 : 0);
        EXPECT_EQ(ui::marked(w.box), on);
    }
    w.b.setValue(true);
    ui::takeMark(w.a, true);
    EXPECT_TRUE(ui::marked(w.a));
    EXPECT_FALSE(ui::marked(w.b)) << "the group's other option cleared";
    ui::takeMark(w.a, false);
    EXPECT_TRUE(ui::marked(w.a)) << "an option is cleared only by selecting another";
    EXPECT_EQ(clicks, 3);
}

TEST(Options, CheckBoxAndTextBoxRaiseTheirEventsWhenSet) {
    Options w;
    int clicks = 0, changes = 0;
    w.box.click = [&] { ++clicks; };
    w.text.change = [&] { ++changes; };
    w.box.setValue(1);
    w.text.setText("C:\\Games");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(w.text.text(), "C:\\Games");
}

TEST(Options, DisabledFrameMakesItsControlsUnusable) {
    Options w;
    w.left.setEnabled(false);
    EXPECT_FALSE(w.a.usable());
    EXPECT_TRUE(w.a.enabled());
    EXPECT_TRUE(w.c.usable());
    EXPECT_FALSE(w.deep.usable()) << "through a frame inside the frame";
    // The controls a frame's state reaches: itself and all inside it, at any depth.
    const ui::Control* inside[] = {&w.left, &w.a, &w.inner, &w.deep};
    const ui::Control* outside[] = {&w.right, &w.c, &w.box};
    for (const ui::Control* k : inside) EXPECT_TRUE(k->isInside(w.left)) << k->name();
    for (const ui::Control* k : outside) EXPECT_FALSE(k->isInside(w.left)) << k->name();
    EXPECT_FALSE(w.left.isInside(w.inner)) << "nor a frame inside one it holds";
    w.inner.stateOnly = true;
    EXPECT_TRUE(ui::stateOnly(w.deep));
    EXPECT_FALSE(ui::stateOnly(w.a));
}

// Records which controls' peers heard of which change.
struct Heard : ui::ControlPeer {
    std::vector<ui::Prop> props;
    void update(ui::Prop what) override { props.push_back(what); }
    void repaint() override {}
};

TEST(Options, AFramesStateAndPlaceReachEveryPeerInsideIt) {
    Options w;
    std::vector<Heard> peers(w.controls().size());
    for (std::size_t i = 0; i < peers.size(); ++i) w.controls()[i]->peer = &peers[i];
    w.left.setEnabled(false);
    w.left.setVisible(true);
    w.left.setBounds(10, 10, 500, 500);
    for (std::size_t i = 0; i < peers.size(); ++i) {
        const ui::Control& k = *w.controls()[i];
        const auto want = k.isInside(w.left)
                              ? std::vector{ui::Prop::Enabled, ui::Prop::Visible, ui::Prop::Bounds}
                              : std::vector<ui::Prop>{};
        EXPECT_EQ(peers[i].props, want) << k.name();
    }
}

TEST(Options, ALabelIsPaintedAtMostOnceAPaintInterval) {
    using Pace = ui::PaintPace;
    const Pace::Clock::time_point t0{std::chrono::hours(1)};
    Pace pace;
    EXPECT_TRUE(pace.due(t0)) << "the first text shows at once";
    pace.hold();
    pace.painted(t0);
    EXPECT_FALSE(pace.held());
    pace.hold();
    EXPECT_TRUE(pace.held());
    EXPECT_FALSE(pace.due(t0 + Pace::kInterval - std::chrono::milliseconds(1)));
    EXPECT_TRUE(pace.due(t0 + Pace::kInterval));
}

struct Folders : ui::Window {
    explicit Folders(platform::Files& f) : ui::Window("folders", 1000, 1000), files(f) {}
    platform::Files& files;
    ui::DriveList drive{*this, "drive", files};
    ui::DirList dirs{*this, "dirs", files};
};

TEST(FolderLists, ShowParentsTheOpenFolderAndItsSubfolders) {
    FakeFiles files;
    files.addFolder("C:\\Games\\Descent3\\custom");
    files.addFolder("C:\\Games\\Descent3\\netgames");
    files.addFolder("C:\\Games\\Descent3\\Missions");
    files.addFile("C:\\Games\\Descent3\\Main.exe");
    Folders w(files);
    ASSERT_TRUE(w.dirs.setPath("C:\\Games\\Descent3\\"));
    EXPECT_EQ(w.dirs.path(), "C:\\Games\\Descent3");
    EXPECT_EQ(w.dirs.entries(),
              (std::vector<std::string>{
                  "C:\\", "C:\\Games", "C:\\Games\\Descent3", "C:\\Games\\Descent3\\custom",
                  "C:\\Games\\Descent3\\Missions", "C:\\Games\\Descent3\\netgames"}));
    EXPECT_EQ(w.dirs.openIndex(), 2);
    EXPECT_EQ(w.dirs.chosen(), "C:\\Games\\Descent3") << "nothing highlighted: the open folder";
    w.dirs.setListIndex(5);
    EXPECT_EQ(w.dirs.chosen(), "C:\\Games\\Descent3\\netgames") << "highlighted, not opened";
    EXPECT_EQ(w.dirs.path(), "C:\\Games\\Descent3");
    w.dirs.setListIndex(0);
    ASSERT_TRUE(w.dirs.openHighlighted());
    EXPECT_EQ(w.dirs.path(), "C:\\");
    EXPECT_EQ(w.dirs.entries(), (std::vector<std::string>{"C:\\", "C:\\Games"}));
    EXPECT_FALSE(w.dirs.setPath("C:\\Nowhere"));
    EXPECT_EQ(w.dirs.path(), "C:\\");
}

TEST(FolderLists, DrivesAreChosenByLetter) {
    FakeFiles files;
    files.addFolder("C:\\Games");
    files.addFolder("D:\\Backup");
    files.setCurrentFolder("D:\\Backup");
    Folders w(files);
    EXPECT_EQ(w.drive.drive(), "d:");
    int changes = 0;
    w.drive.change = [&] { ++changes; };
    EXPECT_TRUE(w.drive.setDrive("C:\\Games"));
    EXPECT_EQ(w.drive.drive(), "c:");
    EXPECT_FALSE(w.drive.setDrive("q:"));
    EXPECT_EQ(w.drive.drive(), "c:");
    EXPECT_EQ(changes, 1);
}

struct Closing : ui::Window {
    Closing() : ui::Window("closing", 100, 100) {}
    bool allow = false;
    int loads = 0, unloads = 0;
    ui::Timer timer{*this, "timer", 50};
    void load() override {
        ++loads;
        timer.setEnabled(true);
    }
    bool queryUnload() override { return allow; }
    void unload() override { ++unloads; }
};

TEST(Windows, OpenOnceCloseWhenAllowedAndOpenAgain) {
    Closing w;
    w.open();
    w.open();
    EXPECT_EQ(w.loads, 1) << "an open window only comes to the front";
    EXPECT_TRUE(w.isShown());
    w.close();
    EXPECT_TRUE(w.isOpen()) << "queryUnload refused";
    w.allow = true;
    w.close();
    EXPECT_FALSE(w.isOpen());
    EXPECT_FALSE(w.timer.enabled()) << "a closed window's timers stop";
    EXPECT_EQ(w.unloads, 1);
    w.open();
    EXPECT_EQ(w.loads, 2);
}

struct Keys : ui::Window {
    Keys() : ui::Window("keys", 3000, 3000) {
        ok.isDefault = panelOk.isDefault = true;
        cancel.isCancel = panelCancel.isCancel = true;
        for (ui::Button* b : {&ok, &cancel, &panelOk, &panelCancel})
            b->click = [this, b] { pressed.push_back(b->name()); };
    }
    std::vector<std::string> pressed;
    bool allow = true;
    bool queryUnload() override { return allow; }
    // The panel comes first, as a browse panel that lies over the form's buttons.
    ui::Frame panel{*this, "panel"};
    ui::Button panelOk{*this, "panelOk", &panel};
    ui::Button panelCancel{*this, "panelCancel", &panel};
    ui::Button ok{*this, "ok"};
    ui::Button cancel{*this, "cancel"};
};

TEST(Windows, ReturnAndEscapePressTheFirstShownUsableDefaultAndCancelButtons) {
    Keys k, owner;
    k.ownerWindow = &owner;
    k.open();
    EXPECT_TRUE(k.pressDefault());
    EXPECT_TRUE(k.pressCancel());
    k.panel.setVisible(false);
    EXPECT_TRUE(k.pressDefault());
    k.ok.setEnabled(false);
    EXPECT_FALSE(k.pressDefault()) << "a disabled default button takes no Return";
    k.cancel.setEnabled(false);
    EXPECT_FALSE(k.pressCancel()) << "a cancel button shown but disabled keeps the window";
    EXPECT_EQ(k.pressed, (std::vector<std::string>{"panelOk", "panelCancel", "ok"}));
    EXPECT_TRUE(k.isOpen());

    // Without a cancel button shown, Escape closes an owned window as its close box does.
    k.cancel.setVisible(false);
    k.allow = false;
    EXPECT_TRUE(k.pressCancel());
    EXPECT_TRUE(k.isOpen()) << "queryUnload refused";
    k.allow = true;
    k.pressCancel();
    EXPECT_FALSE(k.isOpen());
    owner.open();
    owner.panel.setVisible(false);
    owner.cancel.setVisible(false);
    EXPECT_FALSE(owner.pressCancel()) << "a window of its own stays open";
    EXPECT_TRUE(owner.isOpen());
}

struct Places : ui::Window {
    Places() : ui::Window("places", 6000, 6000) {
        ui::place(last, 10, 200, 80, 20);
        ui::place(frame, 10, 60, 300, 100);
        ui::place(inRight, 150, 20, 80, 20);
        ui::place(inLeft, 10, 22, 80, 16); // a little lower, but in the same row
        ui::place(inBelow, 10, 50, 80, 20);
        ui::place(rightTop, 200, 10, 80, 20);
        ui::place(leftTop, 10, 14, 80, 20);
    }
    ui::Button last{*this, "last"};
    ui::Frame frame{*this, "frame"};
    ui::Button inRight{*this, "inRight", &frame};
    ui::CheckBox inLeft{*this, "inLeft", &frame};
    ui::TextBox inBelow{*this, "inBelow", &frame};
    ui::Timer timer{*this, "timer", 10};
    ui::TextBox rightTop{*this, "rightTop"};
    ui::MenuItem menu{*this, "menu", "&File"};
    ui::ListBox leftTop{*this, "leftTop"};
};

TEST(Windows, TabGoesByPlaceTopToBottomLeftToRightAndThroughEachFrame) {
    Places w;
    std::vector<std::string> order;
    for (ui::Control* c : ui::tabOrder(w)) order.push_back(c->name());
    EXPECT_EQ(order, (std::vector<std::string>{"leftTop", "rightTop", "frame", "inLeft", "inRight",
                                               "inBelow", "last"}));
}

// A backend that gives windows a native side only while `refuse` is false.
struct Refusing : ui::Backend, ui::WindowPeer {
    bool refuse = true;
    void create(ui::Window& w) override {
        if (!refuse) w.peer = this;
    }
    void update(ui::Prop) override {}
    void show() override {}
    void close() override {}
    void minimize() override {}
    void focus() override {}
    void setEllipticRegion(int, int, int, int) override {}
    void beginDrag() override {}
    int twipsPerPixelX() override { return 15; }
    int twipsPerPixelY() override { return 15; }
};

TEST(Windows, AWindowWithoutANativeSideStaysClosedUnloaded) {
    Refusing backend;
    ui::backend = &backend;
    Closing w;
    w.open();
    EXPECT_TRUE(w.failed());
    EXPECT_TRUE(w.isClosed());
    EXPECT_FALSE(w.wasShown());
    EXPECT_EQ(w.loads, 0);
    EXPECT_FALSE(w.timer.enabled());
    backend.refuse = false;
    w.open();
    EXPECT_FALSE(w.failed());
    EXPECT_TRUE(w.isShown());
    EXPECT_EQ(w.loads, 1);
    w.peer = nullptr;
    ui::backend = nullptr;
}

// The backend picks each control's native side by its kind.
// A window's place from an earlier session, with monitors that may have gone since.
TEST(Windows, APlaceOnNoMonitorComesOntoTheNearestOne) {
    const std::vector<ui::ScreenRect> two{{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
    struct Case {
        ui::ScreenPoint at;
        std::vector<ui::ScreenRect> monitors;
        ui::ScreenPoint expected;
    };
    const Case cases[] = {
        {{100, 100}, two, {100, 100}},           // on the first
        {{1500, 700}, two, {1500, 700}},         // on the second, the window reaching below it
        {{-1300, 40}, two, {0, 40}},             // a monitor on the left that is gone
        {{2400, 900}, two, {1608, 328}},         // beyond the second, moved fully into it
        {{1023, 900}, two, {584, 328}},          // below the first
        {{-50, 50}, {{0, 0, 300, 200}}, {0, 0}}, // bigger than the monitor: its corner on it
        {{5000, 5000}, {}, {5000, 5000}},        // no monitors known
    };
    for (const Case& c : cases) {
        const ui::ScreenPoint got = ui::ontoMonitors(c.at, 440, 440, c.monitors);
        EXPECT_EQ(got, c.expected) << c.at.x << "," << c.at.y << " -> " << got.x << "," << got.y;
    }
}

// The backends make each control's native side by its kind: no two kinds of control report the
// same kind, and a file list is a list.
TEST(Windows, NoTwoKindsOfControlReportTheSameKind) {
    FakeFiles files;
    ui::Window w("kinds", 100, 100);
    ui::Label label{w, "label"};
    ui::Button button{w, "button"};
    ui::Frame frame{w, "frame"};
    ui::Image image{w, "image"};
    ui::ListBox list{w, "list"};
    ui::TextBox text{w, "text"};
    ui::CheckBox check{w, "check"};
    ui::OptionButton option{w, "option"};
    ui::ComboBox combo{w, "combo"};
    ui::MenuItem menu{w, "menu", "&File"};
    ui::DriveList drives{w, "drives", files};
    ui::DirList dirs{w, "dirs", files};
    ui::Timer timer{w, "timer", 10};
    std::map<ui::Kind, std::string> seen;
    for (const ui::Control* c : w.controls()) {
        const auto [at, added] = seen.emplace(c->kind(), c->name());
        EXPECT_TRUE(added) << c->name() << " reports the kind of " << at->second;
    }
    ui::FileList fileList{w, "fileList", files};
    EXPECT_EQ(fileList.kind(), list.kind());
}

} // namespace
