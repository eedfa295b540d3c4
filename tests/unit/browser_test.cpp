#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "config/mainwindow/main_window.h"
#include "config/tools/ordner.h"
#include "tests/support/game_folder.h"

namespace {

using platform::Icon;
using Names = std::vector<std::string>;

class Browser : public ::testing::Test, public GameFolder {
  protected:
    Browser() {
        fake.dialogs.programTitle = "scourix";
        fake.files.addFolder(program);
        fake.files.setCurrentFolder(program);
        main.d3path.setText(game);
    }

    scourix::Ordner& open(const std::string& mode, bool german = false) {
        main.languageEntry(german ? lang::Language::German : lang::Language::English).click();
        return open(mode, main.language());
    }
    scourix::Ordner& open(const std::string& mode, lang::Language language) {
        main.settings().language = language;
        main.session().browseMode = mode;
        w = std::make_unique<scourix::Ordner>(fake.platform, main);
        w->open();
        return *w;
    }
    // Selects the listed files of these names; the last one becomes the current entry.
    void pick(const Names& names) {
        for (const auto& n : names)
            for (int i = 0; i < w->File1.count(); ++i)
                if (w->File1.item(i) == n) {
                    w->File1.setSelected(i, true);
                    w->File1.setListIndex(i);
                }
    }
    static Names items(const ui::ListBox& l) {
        Names out;
        for (int i = 0; i < l.count(); ++i) out.push_back(l.item(i));
        return out;
    }
    std::string box() const {
        return fake.dialogs.boxes.empty() ? "<none>" : fake.dialogs.boxes.back().text;
    }

    scourix::MainWindow main{fake.platform};
    std::unique_ptr<scourix::Ordner> w;
};

TEST_F(Browser, CaptionsOfEveryModeInBothLanguages) {
    struct Case {
        const char *mode, *english, *german;
        bool taunts;
    };
    const Case cases[] = {
        {"d3", "search Descent 3.....", "Suche Descent 3.....", false},
        {"sound", "search backup-path for taunt's.....", "Suche Sicherungspfad für die Taunts.....",
         false},
        {"grafic", "search backup-path for shiplogo's.....",
         "Suche Sicherungspfad für die Schiffslogos.....", false},
        {"logos", "select your shiplogo", "Wähle dein Schiffslogo", false},
        {"logos2", "select your shiplogo from backup", "Wähle dein Schiffslogo aus Sicherungspfad",
         false},
        {"player", "return your player.plt", "Bringe deine Piloten.plt zurück", false},
        {"sounds", "select your taunt's", "Wähle deine Audiotaunts", true},
        {"sounds2", "select your taunt's from backup", "Wähle deine Audiotaunts aus Sicherungspfad",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        scourix::Ordner& en = open(c.mode);
        EXPECT_EQ(en.caption(), c.english);
        EXPECT_EQ((Names{en.OK.caption(), en.abbruch.caption(), en.player.caption(),
                         en.umbenen.caption()}),
                  (Names{"ok", "cancel", "play", "rename"}));
        EXPECT_EQ(en.player.enabled(), c.taunts);
        EXPECT_EQ(en.umbenen.enabled(), c.taunts);
        scourix::Ordner& de = open(c.mode, true);
        EXPECT_EQ(de.caption(), c.german);
        EXPECT_EQ((Names{de.OK.caption(), de.abbruch.caption(), de.player.caption(),
                         de.umbenen.caption()}),
                  (Names{"ok", "abbruch", "abspielen", "umbenennen"}));
        EXPECT_EQ(de.player.enabled(), c.taunts);
        // The other languages have a caption and buttons of their own, none the English one.
        for (lang::Language l : {lang::byCode("fr"), lang::byCode("es"), lang::byCode("it")}) {
            scourix::Ordner& other = open(c.mode, l);
            SCOPED_TRACE(lang::code(l));
            EXPECT_NE(other.caption(), c.english);
            for (ui::Button* b : {&other.abbruch, &other.player, &other.umbenen})
                for (const char* english : {"cancel", "play", "rename"})
                    EXPECT_NE(b->caption(), english);
        }
    }
}

TEST_F(Browser, FileModesListTheirFolderWithTheirPattern) {
    for (const char* n : {"a.ogf", "b.OAF", "c.osf", "notes.txt"}) fake.files.addFile(graphics(n));
    for (const char* n : {"x.osf", "y.ogf"}) fake.files.addFile(sounds(n));
    for (const char* n : {"Bob.plt", "old.plt.bak"}) fake.files.addFile(game + "\\custom\\" + n);
    for (const char* n : {"l.oaf", "s.osf"}) {
        fake.files.addFile(std::string("D:\\Backup\\Logos\\") + n);
        fake.files.addFile(std::string("E:\\Taunts\\") + n);
    }
    main.graficsicherpath.setText("D:\\Backup\\Logos");
    main.soundssicherpath.setText("E:\\Taunts");
    struct Case {
        const char* mode;
        std::string folder;
        Names listed;
    };
    const Case cases[] = {
        {"logos", graphics(), {"a.ogf", "b.OAF"}},  {"logos2", "D:\\Backup\\Logos", {"l.oaf"}},
        {"player", game + "\\custom", {"Bob.plt"}}, {"sounds", sounds(), {"x.osf"}},
        {"sounds2", "E:\\Taunts", {"s.osf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        scourix::Ordner& win = open(c.mode);
        EXPECT_TRUE(win.Frame2.shown());
        EXPECT_FALSE(win.Frame1.shown());
        EXPECT_TRUE(win.File1.multiSelect());
        EXPECT_EQ(win.File1.path(), c.folder);
        EXPECT_EQ(items(win.File1), c.listed);
        EXPECT_EQ(win.File1.listIndex(), -1);
        EXPECT_TRUE(fake.dialogs.boxes.empty()) << box();
    }
    // The file modes make the drive of their folder the current one.
    EXPECT_EQ(std::tolower(fake.files.currentFolder()[0]), 'e');
}

TEST_F(Browser, FolderModesOpenAtTheChosenFolderElseTheCurrentOneAndTakeTheChosenOne) {
    fake.files.addFolder(program + "\\Sub");
    fake.files.addFolder("D:\\Backup");
    ASSERT_TRUE(fake.files.folderExists(main.d3path.text()));
    EXPECT_EQ(open("d3").Verzeichnis.path(), main.d3path.text());
    main.d3path.setText("C:\\Gone");
    scourix::Ordner& win = open("d3");
    EXPECT_TRUE(win.Frame1.shown());
    EXPECT_FALSE(win.Frame2.shown());
    EXPECT_EQ(win.Laufwerk.drive(), "c:");
    EXPECT_EQ(win.Verzeichnis.path(), program);
    // Highlighted but not opened: the highlighted entry counts.
    const auto& e = win.Verzeichnis.entries();
    int sub = static_cast<int>(std::find(e.begin(), e.end(), program + "\\Sub") - e.begin());
    ASSERT_LT(sub, static_cast<int>(e.size()));
    win.Verzeichnis.setListIndex(sub);
    win.OK.click();
    EXPECT_EQ(main.d3path.text(), program + "\\Sub");
    EXPECT_TRUE(win.isClosed());

    // Nothing highlighted: the open folder, here on the drive chosen in the drive list.
    scourix::Ordner& sound = open("sound");
    sound.Laufwerk.setDrive("d:");
    EXPECT_EQ(sound.Verzeichnis.path(), "D:\\");
    sound.Verzeichnis.setListIndex(1);
    ASSERT_TRUE(sound.Verzeichnis.openHighlighted());
    sound.OK.click();
    EXPECT_EQ(main.soundssicherpath.text(), "D:\\Backup");

    scourix::Ordner& grafic = open("grafic");
    grafic.OK.click();
    EXPECT_EQ(main.graficsicherpath.text(), program);
    EXPECT_EQ(main.soundssicherpath.text(), "D:\\Backup");
    EXPECT_TRUE(fake.dialogs.boxes.empty()) << box();
}

TEST_F(Browser, AddingOwnFilesAppendsTheSelectionInListOrder) {
    for (const char* n : {"a.osf", "b.osf", "c.osf"}) fake.files.addFile(sounds(n));
    main.mysounds.addItem("b.osf");
    open("sounds");
    pick({"c.osf", "b.osf"});
    w->OK.click();
    EXPECT_EQ(items(main.mysounds), (Names{"b.osf", "c.osf"})) << "b.osf is listed already";
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(box(), "Already in your list, not added again:\nb.osf");
    EXPECT_EQ(fake.files.copies() + fake.files.removes(), 0);
    EXPECT_TRUE(w->isClosed());

    fake.files.addFile(graphics("l.ogf"));
    open("logos");
    pick({"l.ogf"});
    w->OK.click();
    open("logos");
    pick({"l.ogf"});
    w->OK.click();
    EXPECT_EQ(items(main.logo), (Names{"l.ogf"}));
}

TEST_F(Browser, RestoringFromBackupCopiesOverTheGamesFiles) {
    fake.files.addFile("D:\\Bak\\mine.osf", "backup");
    fake.files.addFile("D:\\Bak\\other.osf", "other");
    fake.files.addFile(sounds("mine.osf"), "old");
    main.soundssicherpath.setText("D:\\Bak");
    open("sounds2");
    pick({"mine.osf"});
    w->OK.click();
    EXPECT_EQ(items(main.mysounds), Names{"mine.osf"});
    EXPECT_EQ(fake.files.content(sounds("mine.osf")), "backup");
    EXPECT_FALSE(fake.files.has(sounds("other.osf")));
    EXPECT_TRUE(fake.files.has("D:\\Bak\\mine.osf"));

    fake.files.addFile("D:\\Logos\\a.ogf", "a");
    main.graficsicherpath.setText("D:\\Logos");
    open("logos2");
    pick({"a.ogf"});
    w->OK.click();
    EXPECT_EQ(items(main.logo), Names{"a.ogf"});
    EXPECT_EQ(fake.files.content(graphics("a.ogf")), "a");
    EXPECT_TRUE(fake.dialogs.boxes.empty()) << box();
}

TEST_F(Browser, AFailedRestoreCopyIsReportedAndNotListed) {
    for (const char* n : {"a.ogf", "b.ogf", "c.ogf"})
        fake.files.addFile("D:\\Logos\\" + std::string(n), n);
    main.graficsicherpath.setText("D:\\Logos");
    open("logos2", true);
    pick({"a.ogf", "b.ogf", "c.ogf"});
    // a.ogf is in the game folder already; its copy breaks off halfway.
    fake.files.addFile(graphics("a.ogf"), "old a");
    fake.files.failCopyPartial("D:\\Logos\\a.ogf");
    fake.files.failCopyNth(2);
    w->OK.click();
    EXPECT_EQ(items(main.logo), (Names{"c.ogf"}));
    EXPECT_EQ(fake.files.content(graphics("a.ogf")), "old a") << "no half file in its place";
    EXPECT_EQ(fake.files.files(graphics()), (Names{"a.ogf", "c.ogf"})) << "nothing left over";
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(box().find("kopiert"), std::string::npos) << box();
    EXPECT_NE(box().find("\na.ogf\nb.ogf"), std::string::npos) << box();
    EXPECT_EQ(box().find("c.ogf"), std::string::npos) << box();
    EXPECT_EQ(fake.dialogs.boxes[0].title, "scourix");
    EXPECT_TRUE(w->isClosed());
}

TEST_F(Browser, ReturningAPilotMovesOnlyTheFileAtTheCursor) {
    const std::string custom = game + "\\custom\\";
    fake.files.addFile(custom + "Ann.plt", "ann");
    fake.files.addFile(custom + "Bob.plt", "bob");
    open("player");
    w->File1.setSelected(0, true); // Ann selected,
    w->File1.setListIndex(1);      // Bob at the cursor
    w->OK.click();
    EXPECT_EQ(items(main.pilotname).back(), "Bob");
    EXPECT_EQ(fake.files.content(game + "\\Bob.plt"), "bob");
    EXPECT_FALSE(fake.files.has(custom + "Bob.plt"));
    EXPECT_TRUE(fake.files.has(custom + "Ann.plt"));
    EXPECT_FALSE(fake.files.has(game + "\\Ann.plt"));
    EXPECT_TRUE(w->isClosed());
}

TEST_F(Browser, APilotIsNeverLost) {
    const std::string custom = game + "\\custom\\";
    fake.files.addFile(custom + "Cid.plt", "cid's pilot");
    const int pilots = main.pilotname.count();

    // The copy fails, or says it worked but came out short: the pilot stays parked, no half
    // file is left in the game folder.
    using Fault = void (FakeFiles::*)(const std::string&);
    for (auto [pilot, fault] : {std::pair<std::string, Fault>{"Bob", &FakeFiles::failCopyPartial},
                                std::pair<std::string, Fault>{"Dan", &FakeFiles::copyShort}}) {
        fake.files.addFile(custom + pilot + ".plt", pilot + "'s pilot");
        fake.dialogs.boxes.clear();
        open("player");
        pick({pilot + ".plt"});
        (fake.files.*fault)(custom + pilot + ".plt");
        w->OK.click();
        EXPECT_EQ(fake.files.content(custom + pilot + ".plt"), pilot + "'s pilot");
        EXPECT_FALSE(fake.files.has(game + "\\" + pilot + ".plt"));
        EXPECT_FALSE(fake.files.has(game + "\\" + pilot + ".plt.new~"));
        EXPECT_EQ(main.pilotname.count(), pilots);
        ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
        EXPECT_NE(box().find(pilot + ".plt"), std::string::npos) << box();
        EXPECT_EQ(fake.dialogs.boxes[0].icon, Icon::Exclamation);
    }
    fake.dialogs.boxes.resize(1);

    // The deletion fails: the pilot is in the game folder and listed; the player is told.
    fake.files.failRemove(custom + "Cid.plt");
    open("player", true);
    pick({"Cid.plt"});
    w->OK.click();
    EXPECT_EQ(fake.files.content(game + "\\Cid.plt"), "cid's pilot");
    EXPECT_TRUE(fake.files.has(custom + "Cid.plt"));
    EXPECT_EQ(main.pilotname.count(), pilots + 1);
    EXPECT_EQ(items(main.pilotname).back(), "Cid");
    ASSERT_EQ(fake.dialogs.boxes.size(), 2u);
    EXPECT_NE(box().find("gelöscht"), std::string::npos) << box();
}

TEST_F(Browser, OkWithoutACurrentEntryBeepsAndStaysOpen) {
    for (const char* n : {"a.osf", "b.osf"}) fake.files.addFile(sounds(n));
    for (const char* mode : {"sounds", "logos", "player"}) {
        SCOPED_TRACE(mode);
        open(mode);
        if (w->File1.count()) w->File1.setSelected(0, true); // selected, but no cursor
        const int beeps = fake.dialogs.beeps;
        w->OK.click();
        EXPECT_EQ(fake.dialogs.beeps, beeps + 1);
        EXPECT_TRUE(w->isOpen());
    }
    EXPECT_EQ(main.mysounds.count(), 0);
    EXPECT_EQ(main.logo.count(), 0);
}

TEST_F(Browser, AMissingFolderShowsTheWrongPathMessage) {
    main.graficsicherpath.setText("D:\\Nowhere");
    open("logos2");
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(box(), "wrong descent-path !select please again !");
    EXPECT_EQ(fake.dialogs.boxes[0].icon, Icon::Critical);
    EXPECT_EQ(fake.dialogs.boxes[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(fake.dialogs.boxes[0].title, "scourix");
    EXPECT_TRUE(w->isOpen());
    EXPECT_EQ(w->File1.count(), 0);
    w->OK.click();
    EXPECT_EQ(fake.dialogs.beeps, 1);

    main.d3path.setText("Q:\\Games");
    fake.dialogs.boxes.clear();
    open("sounds", true);
    EXPECT_EQ(box(), "Falscher Descentpfad ! Bitte neu wählen !");
    EXPECT_TRUE(w->isOpen());
}

TEST_F(Browser, KeepsTheModeItWasOpenedWith) {
    fake.files.addFile(graphics("l.ogf"));
    fake.files.addFile(sounds("t.osf"));
    scourix::Ordner& win = open("logos");
    pick({"l.ogf"});
    // Another "+" while it is open: the word changes, the open browser is only brought up.
    main.session().browseMode = "sounds";
    win.open();
    EXPECT_EQ(win.caption(), "select your shiplogo");
    EXPECT_EQ(win.File1.path(), graphics());
    EXPECT_EQ(win.File1.listIndex(), 0);
    win.OK.click();
    EXPECT_EQ(items(main.logo), Names{"l.ogf"});
    EXPECT_EQ(main.mysounds.count(), 0);

    // A folder mode likewise writes the field it was opened for.
    main.d3path.setText("");
    scourix::Ordner& d3 = open("d3");
    main.session().browseMode = "grafic";
    d3.OK.click();
    EXPECT_EQ(main.d3path.text(), program);
    EXPECT_EQ(main.graficsicherpath.text(), "");
}

TEST_F(Browser, CancelChangesNothingAndDoubleClickPlaysOnlyInTauntModes) {
    fake.files.addFile(sounds("t.osf"));
    fake.files.addFile(graphics("l.ogf"));
    int played = 0;
    for (const char* mode : {"sounds", "logos"}) {
        open(mode);
        w->player.click = [&] { ++played; };
        w->File1.setListIndex(0);
        w->File1.dblClick();
    }
    EXPECT_EQ(played, 1);
    pick({"l.ogf"});
    w->abbruch.click();
    EXPECT_TRUE(w->isClosed());
    EXPECT_EQ(main.logo.count(), 0);
}

} // namespace
