#include <gtest/gtest.h>

#include "config/mainwindow/clean_now.h"
#include "config/mainwindow/main_window.h"
#include "tests/support/game_folder.h"

namespace {

using platform::Icon;

const ui::Colour kRed = ui::rgb(255, 0, 0);
const ui::Colour kGreen = ui::rgb(0, 192, 0);
const ui::Colour kBlue = ui::rgb(0, 0, 255);

class CleanNowWindow : public ::testing::Test, public GameFolder {
  protected:
    CleanNowWindow() { fake.dialogs.programTitle = "scourix"; }

    // Opens the window and, when loading armed the timer, lets it tick once.
    scourix::CleanNow& run() {
        w = std::make_unique<scourix::CleanNow>(fake.platform, main);
        w->open();
        if (w->putzstart.enabled()) w->putzstart.tick();
        return *w;
    }
    std::vector<std::string> counters() const {
        std::vector<std::string> out;
        for (ui::Label* t : {&w->txt1, &w->txt2, &w->txt3, &w->txt4}) out.push_back(t->caption());
        return out;
    }

    scourix::MainWindow main{fake.platform};
    std::unique_ptr<scourix::CleanNow> w;
};

// Records the counters at the first repaint of a row caption, before any routine has run.
struct FirstCounters : ui::ControlPeer {
    scourix::CleanNow* w = nullptr;
    std::vector<std::string> seen;
    void update(ui::Prop) override {}
    void repaint() override {
        if (seen.empty())
            for (ui::Label* t : {&w->txt1, &w->txt2, &w->txt3, &w->txt4})
                seen.push_back(t->caption());
    }
};

TEST_F(CleanNowWindow, CleansLikeGatefireAndWaitsForOk) {
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
    ini["TauntNoAction"] = "0", ini["TauntDeleteOthers"] = "1";
    ini["DeleteStats"] = "1";
    for (const char* n : {"mine.ogf", "other.ogf", "empty"}) fake.files.addFile(graphics(n));
    for (const char* n : {"Mine.osf", "mine.osf"}) fake.files.addFile(sounds(n));
    fake.files.addFile(netgames("a.stats"));
    writeSettings({"mine.ogf"}, {"Mine.osf"});
    scourix::CleanNow& win = run();

    EXPECT_EQ(fake.files.files(graphics()), (std::vector<std::string>{"mine.ogf", "empty"}));
    EXPECT_EQ(fake.files.files(sounds()), std::vector<std::string>{"Mine.osf"});
    EXPECT_TRUE(fake.files.has(netgames("a.stats"))) << "no statistics step";
    EXPECT_TRUE(fake.shell.started.empty()) << "no side programs, no game";
    EXPECT_TRUE(fake.dialogs.boxes.empty());
    EXPECT_EQ(counters(), (std::vector<std::string>{"finish", "finish", "finish", "finish"}));
    EXPECT_EQ(win.Label1.foreColour(), kGreen);
    EXPECT_EQ(win.Label2.foreColour(), kGreen);
    EXPECT_EQ(win.caption(), "clean......");
    EXPECT_EQ(win.ownerWindow, &main);

    EXPECT_TRUE(win.isOpen());
    EXPECT_FALSE(win.putzstart.enabled());
    win.okende.click();
    EXPECT_TRUE(win.isClosed());
}

TEST_F(CleanNowWindow, DeleteCountersCountOnlyPlainDeletion) {
    ini["LogoNoAction"] = "0", ini["LogoBackupOthers"] = "1", ini["LogoBackupPath"] = "D:\\B";
    ini["TauntNoAction"] = "0", ini["TauntDeleteOthers"] = "1";
    fake.files.addFolder("D:\\B");
    for (const char* n : {"a.ogf", "b.ogf"}) fake.files.addFile(graphics(n));
    for (const char* n : {"a.osf", "b.osf", "c.osf"}) fake.files.addFile(sounds(n));
    writeSettings();
    w = std::make_unique<scourix::CleanNow>(fake.platform, main);
    w->open();
    FirstCounters first;
    first.w = w.get();
    w->Label1.peer = &first;
    w->putzstart.tick();
    w->Label1.peer = nullptr;
    // The launcher would count the backed-up logos as deletions too (txt3 "2").
    EXPECT_EQ(first.seen, (std::vector<std::string>{"2", "finish", "finish", "3"}));
    // The backup still removes the copied logos and ends every counter with the finish word.
    EXPECT_TRUE(fake.files.files(graphics()).empty());
    EXPECT_EQ(fake.files.files("D:\\B"), (std::vector<std::string>{"a.ogf", "b.ogf"}));
    EXPECT_EQ(counters(), (std::vector<std::string>{"finish", "finish", "finish", "finish"}));
}

TEST_F(CleanNowWindow, RowColoursFollowWhatTheRowDid) {
    // Logos: no action keeps the design colour. Taunts: backup without a folder stays red.
    ini["LogoNoAction"] = "1";
    ini["TauntNoAction"] = "0", ini["TauntBackupOthers"] = "1", ini["TauntBackupPath"] = "";
    fake.files.addFile(graphics("a.ogf"));
    fake.files.addFile(sounds("a.osf"));
    writeSettings();
    scourix::CleanNow& win = run();
    EXPECT_EQ(win.Label1.foreColour(), kBlue);
    EXPECT_EQ(win.Label2.foreColour(), kRed);
    EXPECT_TRUE(fake.files.has(graphics("a.ogf")));
    EXPECT_TRUE(fake.files.has(sounds("a.osf")));
    EXPECT_EQ(fake.files.copies(), 0);
    EXPECT_EQ(counters()[0], "finish");
    EXPECT_EQ(counters()[1], "1") << "the backup counter is set but never counted down";

    // Opened again with other settings: the rows start from their design colour again.
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
    ini["TauntNoAction"] = "1", ini["TauntBackupOthers"] = "0";
    writeSettings();
    scourix::CleanNow& again = run();
    EXPECT_EQ(again.Label1.foreColour(), kGreen);
    EXPECT_EQ(again.Label2.foreColour(), kBlue);
    EXPECT_FALSE(fake.files.has(graphics("a.ogf")));
}

TEST_F(CleanNowWindow, GermanFromTheSavedLanguage) {
    ini["Language"] = "1";
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
    writeSettings();
    main.languageEntry(lang::Language::English)
        .click(); // the window follows scourix.ini, not the main window
    scourix::CleanNow& win = run();
    EXPECT_EQ(win.caption(), "Säubere....");
    EXPECT_EQ(win.Label1.caption(), " Bearbeite Schiffslogo");
    EXPECT_EQ(win.Label2.caption(), " Bearbeite Audiotaunts");
    EXPECT_EQ(counters(), (std::vector<std::string>{"Fertig", "Fertig", "Fertig", "Fertig"}));

    ini["Language"] = "2";
    writeSettings();
    run();
    EXPECT_EQ(w->caption(), "clean......");
    EXPECT_EQ(w->Label1.caption(), " work on shiplogos :");
    EXPECT_EQ(w->Label2.caption(), " work on taunts :");

    using Caption = std::pair<const char*, const char*>;
    for (auto [value, caption] : {Caption{"3", "Nettoyage...."}, Caption{"4", "Limpiando...."},
                                  Caption{"5", "Pulizia...."}}) {
        ini["Language"] = value;
        writeSettings();
        EXPECT_EQ(run().caption(), caption) << value;
    }
}

TEST_F(CleanNowWindow, MissingCustomFolderStopsBeforeCleaning) {
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
    ini["TauntNoAction"] = "0", ini["TauntDeleteOthers"] = "1";
    // A game folder with ship logos but no taunt folder.
    ini["GamePath"] = "C:\\Other";
    fake.files.addFile("C:\\Other\\custom\\graphics\\a.ogf");
    writeSettings();
    scourix::CleanNow& win = run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text, "Error ! Path not found");
    EXPECT_EQ(fake.dialogs.boxes[0].icon, Icon::Critical);
    EXPECT_EQ(fake.dialogs.boxes[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(fake.dialogs.boxes[0].title, "scourix");
    EXPECT_TRUE(win.isClosed());
    EXPECT_TRUE(fake.files.has("C:\\Other\\custom\\graphics\\a.ogf"));
    EXPECT_EQ(fake.files.removes(), 0);
}

TEST_F(CleanNowWindow, UnreadableSettingsAreReportedInTheMainWindowsLanguage) {
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
    fake.files.addFile(graphics("a.ogf"));
    struct Case {
        const char* broken;
        bool german;
        const char* wording;
    };
    for (const Case& c :
         {Case{"scourix.ini", false, "The settings file \"scourix.ini\" is missing."},
          Case{"logos.ini", true, "Die Einstellungsdatei \"logos.ini\" fehlt."},
          Case{"taunts.ini", false, "The settings file \"taunts.ini\" is missing."}}) {
        SCOPED_TRACE(c.broken);
        writeSettings();
        fake.files.remove(path(c.broken));
        main.languageEntry(c.german ? lang::Language::German : lang::Language::English).click();
        fake.dialogs.boxes.clear();
        scourix::CleanNow& win = run();
        ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
        EXPECT_EQ(fake.dialogs.boxes[0].text.rfind(c.wording, 0), 0u) << fake.dialogs.boxes[0].text;
        EXPECT_EQ(fake.dialogs.boxes[0].title, "scourix");
        EXPECT_TRUE(win.isClosed());
        EXPECT_TRUE(fake.files.has(graphics("a.ogf")));
        EXPECT_FALSE(main.isClosed());
    }

    // A scourix.ini that ends early names the file too.
    writeSettings();
    fake.files.addFile(path("scourix.ini"), "\"C:\\Games\\Descent3\"\r\n\"\"\r\n");
    main.languageEntry(lang::Language::English).click();
    fake.dialogs.boxes.clear();
    run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_NE(fake.dialogs.boxes[0].text.find("\"scourix.ini\" ends too early"), std::string::npos);
    EXPECT_TRUE(fake.files.has(graphics("a.ogf")));
}

TEST_F(CleanNowWindow, OpeningAgainReadsTheKeepListsAfresh) {
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
    writeSettings({"a.ogf"});
    run();
    EXPECT_EQ(w->setup().logos, std::vector<std::string>{"a.ogf"});
    scourix::CleanNow& win = *w;
    win.okende.click();
    writeSettings({"b.ogf"});
    fake.files.addFile(graphics("a.ogf"));
    fake.files.addFile(graphics("b.ogf"));
    win.open();
    win.putzstart.tick();
    EXPECT_EQ(win.setup().logos, std::vector<std::string>{"b.ogf"});
    EXPECT_EQ(fake.files.files(graphics()), std::vector<std::string>{"b.ogf"});
}

} // namespace
