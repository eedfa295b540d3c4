#include <gtest/gtest.h>

#include "launcher/anzeiger.h"
#include <algorithm>

#include "tests/support/game_folder.h"
#include "tests/support/game_reading.h"

namespace {

// Gatefire on a game folder of the open-source edition: Descent3.exe beside Main.exe, the
// player's own folder with its custom folders and statistics.
class OpenSourceLauncher : public ::testing::Test, public GameFolder {
  protected:
    const std::string user =
        "C:\\Users\\player\\AppData\\Roaming\\Outrage Entertainment\\Descent 3";
    const std::string file = user + "\\.Descent3Registry";

    OpenSourceLauncher() {
        fake.files.addFile(game + "\\Main.exe");
        fake.files.addFile(game + "\\Descent3.exe");
        for (const char* f : {"\\custom\\sounds", "\\custom\\graphics", "\\netgames"})
            fake.files.addFolder(user + f);
        ini["UsePilot"] = "1", ini["PilotName"] = "Ace";
        net.gameLanguage = "German";
        net.keyboardFrench = "1", net.netDialup = "1", net.speedFast = "1";
        net.trackerName = "pilot7", net.trackerSecret = "secret";
    }
    launcher::Anzeiger& run() {
        writeSettings(logos, taunts);
        writeNetwork(net);
        w = std::make_unique<launcher::Anzeiger>(fake.platform);
        w->load();
        if (w->putzstart.enabled()) w->putzstart.tick();
        return *w;
    }
    std::vector<std::string> programsStarted() const {
        std::vector<std::string> out;
        for (const auto& s : fake.shell.started) out.push_back(s.file);
        return out;
    }
    std::string u(const std::string& part) const { return user + part; }

    settings::NetworkIni net;
    std::vector<std::string> logos, taunts;
    std::unique_ptr<launcher::Anzeiger> w;
};

TEST_F(OpenSourceLauncher, WritesTheSettingsFileAndStartsDescent3InTheGameFolder) {
    fake.files.addFile(file, "[Version]\r\n[Descent3]\r\n\"Detail\"=\"high\"\r\n"
                             "\"KeyboardType\"=\"German\"\r\n[Mine]\r\n\"x\"=\"y\"\r\n");
    run();
    EXPECT_EQ(fake.files.content(file),
              "[Version]\r\n[Descent3]\r\n\"Detail\"=\"high\"\r\n\"KeyboardType\"=\"French\"\r\n"
              "\"Default_pilot\"=\"Ace.plt\"\r\n\"LanguageType\"=dword:1\r\n"
              "\"NetworkConnection\"=\"DIALUP\"\r\n\"ConnectionSpeed\"=\"Fast\"\r\n"
              "\"ClientPPS\"=dword:C\r\n\"TrackerLogin\"=\"pilot7\"\r\n"
              "\"TrackerPassword\"=\"secret\"\r\n[Mine]\r\n\"x\"=\"y\"\r\n");
    EXPECT_TRUE(fake.registry.writes.empty()) << "this edition has no registry";
    ASSERT_EQ(programsStarted(), std::vector<std::string>{game + "\\Descent3.exe"});
    EXPECT_EQ(fake.shell.started[0].parameters, "-Launched -pilot Ace ");
    EXPECT_EQ(fake.shell.started[0].folder, game);
    EXPECT_EQ(fake.files.currentFolder(), game);
    EXPECT_TRUE(fake.dialogs.boxes.empty());
}

TEST_F(OpenSourceLauncher, AMissingFileIsCreatedWithItsFolders) {
    GameFolder other; // a player who never ran the game: no folder of the player's at all
    other.fake.files.addFile(other.game + "\\Descent3.exe");
    other.ini["PilotName"] = "Zed";
    other.writeSettings();
    other.writeNetwork(net);
    launcher::Anzeiger win(other.fake.platform);
    win.load();
    auto text = other.fake.files.content(file);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->rfind("[Version]\r\n[Descent3]\r\n\"Default_pilot\"=\"Zed.plt\"\r\n", 0), 0u);
    EXPECT_TRUE(other.fake.dialogs.boxes.empty());
}

TEST_F(OpenSourceLauncher, AValueTheFileCannotHoldIsLeftOutAndNamed) {
    ini["Language"] = "1";
    net.trackerSecret = "pa\"ss";
    fake.files.addFile(file, "[Descent3]\r\n\"TrackerPassword\"=\"old\"\r\n");
    run();
    ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake.dialogs.boxes[0].text, "Diese Einstellungen lassen sich in .Descent3Registry "
                                          "nicht speichern und blieben, wie sie waren:\n"
                                          "TrackerPassword");
    auto text = fake.files.content(file).value_or("");
    EXPECT_NE(text.find("\"TrackerPassword\"=\"old\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"TrackerLogin\"=\"pilot7\"\r\n"), std::string::npos);
    EXPECT_EQ(programsStarted(), std::vector<std::string>{game + "\\Descent3.exe"});
}

// What Gatefire writes is what the game's own reading of the file then holds, in UTF-8; a value
// past one of the game's buffers is left out and named, never written.
TEST_F(OpenSourceLauncher, TheGameReadsWhatWasChosenAndNothingOverrunsItsBuffers) {
    const std::string u = "\xc3\xbc"; // ü
    std::string sixteen, seventeen;
    for (int i = 0; i < 16; ++i) sixteen += u;
    seventeen = sixteen + u;
    std::string pilot130; // 264 bytes with ".plt": past the game's 260
    for (int i = 0; i < 130; ++i) pilot130 += u;
    struct Case {
        const char* what;
        std::string pilot, login, password, file;
        std::vector<std::string> skipped;
    };
    const Case cases[] = {
        {"UTF-8",
         "J" + u + "rgen",
         "J" + u + "rg",
         "stra\xc3\x9f"
         "e",
         "",
         {}},
        {"at the limits",
         std::string(255, 'p'),
         std::string(32, 'l'),
         std::string(16, 's'),
         "",
         {}},
        {"login of 32 bytes in 16 characters", "Ace", sixteen, "s", "", {}},
        {"one past the limits",
         std::string(256, 'p'),
         std::string(33, 'l'),
         std::string(17, 's'),
         "",
         {"Default_pilot", "TrackerLogin", "TrackerPassword"}},
        {"17 characters of two bytes, and a pilot of 130",
         pilot130,
         seventeen,
         u + u + u + u + u + u + u + u + u,
         "",
         {"Default_pilot", "TrackerLogin", "TrackerPassword"}},
        {"repeated sections and names",
         "Ace",
         "new",
         "pw",
         "[Descent3]\r\n\"LanguageType\"=dword:0\r\n[Other]\r\n\"LanguageType\"=dword:3\r\n"
         "[DESCENT3]\n\"languagetype\"=dword:0\n\"TrackerLogin\"=\"old\"\n" +
             std::string(499, '#') + "\"TrackerLogin\"=\"older\"\r\n",
         {}},
    };
    ini["UsePilot"] = "0"; // the default pilot only: a name this long is no command-line argument
    for (const Case& c : cases) {
        ini["PilotName"] = c.pilot, net.trackerName = c.login, net.trackerSecret = c.password;
        fake.files.remove(file);
        if (!c.file.empty()) fake.files.addFile(file, c.file);
        fake.dialogs.boxes.clear();
        run();
        const auto game = gamereading::readSettings(fake.files.content(file).value_or(""));
        EXPECT_TRUE(game.overruns.empty()) << c.what;
        auto expect = [&](const char* name, const std::string& value) {
            const bool left = std::count(c.skipped.begin(), c.skipped.end(), name) > 0;
            EXPECT_EQ(game.text(name), left ? std::nullopt : std::optional(value))
                << c.what << ": " << name;
        };
        expect("Default_pilot", c.pilot + ".plt");
        expect("TrackerLogin", c.login);
        expect("TrackerPassword", c.password);
        EXPECT_EQ(game.number("LanguageType"), 1) << c.what;
        if (c.skipped.empty()) {
            EXPECT_TRUE(fake.dialogs.boxes.empty()) << c.what;
        } else {
            ASSERT_EQ(fake.dialogs.boxes.size(), 1u) << c.what;
            std::string names;
            for (const auto& n : c.skipped) names += "\n" + n;
            EXPECT_EQ(fake.dialogs.boxes[0].text.substr(fake.dialogs.boxes[0].text.find('\n')),
                      names)
                << c.what;
        }
        if (!c.file.empty()) {
            const std::string out = fake.files.content(file).value_or("");
            EXPECT_NE(out.find("[Other]\r\n\"LanguageType\"=dword:3\r\n"), std::string::npos);
            EXPECT_NE(out.find(std::string(499, '#')), std::string::npos) << "foreign line kept";
        }
    }
}

TEST_F(OpenSourceLauncher, AFileThatCannotBeTrustedOrWrittenStaysAsItWas) {
    // A file past the 1 MiB the game's settings file is read with is not read at all.
    const std::string big = "[Descent3]\r\n" + std::string((1 << 20) - 12, ';') + "\n";
    for (int fault : {4, 0, 1, 2, 3}) {
        const std::string before = fault == 0   ? std::string("[\0D\0e\0", 7)
                                   : fault == 4 ? big
                                                : "[Descent3]\r\n";
        fake.files.addFile(file, before);
        fake.files.failRead(file, fault == 1);
        if (fault == 2) fake.files.failWritesAfter(5);
        // A file the file system cannot be asked about is not one to build from nothing.
        fake.files.failQuery(file, fault == 3);
        fake.dialogs.boxes.clear(), fake.shell.started.clear();
        run();
        EXPECT_EQ(fake.files.content(file), before) << fault;
        ASSERT_EQ(fake.dialogs.boxes.size(), 1u) << fault;
        EXPECT_EQ(fake.dialogs.boxes[0].text.rfind("The game's settings could not be written", 0),
                  0u);
        EXPECT_EQ(fake.dialogs.boxes[0].text.substr(fake.dialogs.boxes[0].text.find("\nNot")),
                  "\nNot written:\nDefault_pilot\nLanguageType\nKeyboardType\n"
                  "NetworkConnection\nConnectionSpeed\nClientPPS\nTrackerLogin\nTrackerPassword")
            << fault;
        EXPECT_EQ(programsStarted(), std::vector<std::string>{game + "\\Descent3.exe"}) << fault;
        fake.files.failWritesAfter(UINT64_MAX);
    }
    // Without a fault the same file is read and written: the faults above were what stopped it.
    fake.files.failQuery(file, false);
    fake.dialogs.boxes.clear();
    run();
    EXPECT_NE(fake.files.content(file), "[Descent3]\r\n");
    EXPECT_TRUE(fake.dialogs.boxes.empty());
    // A file of 1 MiB exactly is read, but with the values it would be more than is read back:
    // it stays, and the player is told why. With room for them it is written.
    for (std::size_t cut : {std::size_t(1), std::size_t(1) << 19}) {
        const std::string before = "[Descent3]\r\n" + big.substr(cut + 12);
        fake.files.addFile(file, before);
        fake.dialogs.boxes.clear();
        run();
        const bool fits = cut > 1;
        EXPECT_EQ(fake.files.content(file) == before, !fits);
        EXPECT_EQ(fake.files.content(file)->find("\"TrackerLogin\"=\"pilot7\"") !=
                      std::string::npos,
                  fits);
        ASSERT_EQ(fake.dialogs.boxes.size(), fits ? 0u : 1u);
        if (!fits) {
            EXPECT_EQ(fake.dialogs.boxes[0].text, settings::tooBig(file, lang::Language::English));
        }
    }
}

// This folder's program, or any copy of the game that uses the same settings file, found by
// the lock file it keeps in the temporary folder.
TEST_F(OpenSourceLauncher, WhileTheGameRunsNothingIsChangedAndNothingStarted) {
    const std::string lock = fake.host.temp + "\\Descent3\\cache\\.lock";
    for (bool byLock : {false, true}) {
        if (byLock) {
            fake.host.runningPrograms.clear();
            fake.host.processes = {4242};
            fake.files.addFile(lock, std::string("LOCK\x92\x10\0\0", 8));
        } else {
            fake.host.runningPrograms = {"c:\\games\\descent3\\DESCENT3.EXE"};
        }
        fake.dialogs.boxes.clear();
        ini["TauntNoAction"] = "0", ini["TauntDeleteOthers"] = "1", ini["DeleteStats"] = "1";
        fake.files.addFile(u("\\custom\\sounds\\x.osf"));
        fake.files.addFile(u("\\netgames\\a.stats"));
        fake.files.addFile(file, "[Descent3]\r\n");
        writeDirect("10.0.0.1", "1", "0");
        const std::string direct = fake.files.content(path("direckt.ini")).value();
        launcher::Anzeiger& win = run();
        ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
        EXPECT_EQ(fake.dialogs.boxes[0].text,
                  "Descent 3 is running:\n" +
                      (byLock ? "PID 4242 (" + lock + ")" : game + "\\Descent3.exe") +
                      "\nPlease end the game first. Gatefire changed nothing and starts "
                      "nothing.");
        EXPECT_EQ(fake.files.content(file), "[Descent3]\r\n");
        EXPECT_EQ(fake.files.content(path("direckt.ini")), direct);
        EXPECT_TRUE(fake.files.has(u("\\custom\\sounds\\x.osf")));
        EXPECT_TRUE(fake.files.has(u("\\netgames\\a.stats")));
        EXPECT_TRUE(fake.shell.started.empty());
        EXPECT_TRUE(win.isClosed());
    }
    // The lock of a game that has ended stops nothing.
    fake.host.processes.clear();
    run();
    EXPECT_EQ(programsStarted(), std::vector<std::string>{game + "\\Descent3.exe"});
}

// The game looks at every argument as a possible switch and copies a join's address into 50
// bytes: a pilot it would read as a switch is left to the default pilot, an address it cannot
// take is left out and named.
TEST_F(OpenSourceLauncher, TheGameIsHandedNoValueItReadsAsASwitchNorAnAddressPastItsBuffer) {
    const std::string a49 = "-directip " + std::string(49, '1'),
                      a50 = "-directip " + std::string(50, '1');
    struct Case {
        const char* what;
        bool openSource;
        std::string pilot, target, parameters;
        const char* readAs; // a switch the game must not find
    };
    const Case cases[] = {
        {"pilot read as a switch", true, "Heat", "", "-Launched ", "heat"},
        {"the retail game reads it as a name", false, "Heat", "", "-Launched -pilot Heat ", ""},
        {"the retail game reads port bare", false, "Port", "", "-Launched ", "port"},
        {"an address of 49 bytes", true, "Ace", a49, "-Launched -pilot Ace  " + a49, ""},
        {"an address of 50 bytes", true, "Ace", a50, "-Launched -pilot Ace ", ""},
        {"a word of the address read as a switch", true, "Ace", "-pxo 1.2.3.4:2092 +Host",
         "-Launched -pilot Ace ", "host"},
    };
    for (const Case& c : cases) {
        if (c.openSource)
            fake.files.addFile(game + "\\Descent3.exe");
        else
            fake.files.remove(game + "\\Descent3.exe");
        ini["PilotName"] = c.pilot;
        writeDirect(c.target, c.target.empty() ? "0" : "1", "0");
        fake.dialogs.boxes.clear(), fake.shell.started.clear();
        run();
        ASSERT_EQ(fake.shell.started.size(), 1u) << c.what;
        EXPECT_EQ(fake.shell.started[0].parameters, c.parameters) << c.what;
        const auto args = gamereading::gatherArgs(c.parameters);
        EXPECT_FALSE(args.overrun) << c.what;
        if (*c.readAs) {
            EXPECT_FALSE(gamereading::findsSwitch(args, c.readAs, c.openSource)) << c.what;
        }
        const bool named = !c.target.empty() && c.parameters.find(c.target) == std::string::npos;
        ASSERT_EQ(fake.dialogs.boxes.size(), named ? 1u : 0u) << c.what;
        if (named) {
            const std::string& text = fake.dialogs.boxes[0].text;
            EXPECT_EQ(text.substr(text.size() - c.target.size() - 1), "\n" + c.target) << c.what;
        }
        if (c.openSource) {
            const auto held = gamereading::readSettings(fake.files.content(file).value_or(""));
            EXPECT_EQ(held.text("Default_pilot"), c.pilot + ".plt") << c.what;
        }
    }
}

TEST_F(OpenSourceLauncher, CleansTheCustomFoldersAndStatisticsOfBothFolders) {
    ini["LogoNoAction"] = "0", ini["LogoDeleteOthers"] = "1";
    ini["TauntNoAction"] = "0", ini["TauntDeleteOthers"] = "1", ini["DeleteStats"] = "1";
    logos = {"mine.ogf"}, taunts = {"mine.osf"};
    for (const std::string& root : {user, game}) {
        for (const char* n : {"mine.ogf", "x.ogf"})
            fake.files.addFile(root + "\\custom\\graphics\\" + n, n);
        for (const char* n : {"mine.osf", "empty", "y.osf"})
            fake.files.addFile(root + "\\custom\\sounds\\" + n, n);
        fake.files.addFile(root + "\\netgames\\s.stats");
        fake.files.addFile(root + "\\netgames\\keep.txt");
    }
    launcher::Anzeiger& win = run();
    for (const std::string& root : {user, game}) {
        EXPECT_EQ(fake.files.files(root + "\\custom\\graphics"),
                  std::vector<std::string>{"mine.ogf"});
        EXPECT_EQ(fake.files.files(root + "\\custom\\sounds"),
                  (std::vector<std::string>{"mine.osf", "empty"}));
        EXPECT_EQ(fake.files.files(root + "\\netgames"), std::vector<std::string>{"keep.txt"});
    }
    for (ui::Label* t : {&win.txt1, &win.txt2, &win.txt3, &win.txt4, &win.txt5})
        EXPECT_EQ(t->caption(), "finish") << t->name();
}

TEST_F(OpenSourceLauncher, CountersAddUpBothFolders) {
    ini["TauntNoAction"] = "0", ini["TauntDeleteOthers"] = "1", ini["DeleteStats"] = "1";
    fake.files.addFile(u("\\custom\\sounds\\a.osf"));
    fake.files.addFile(u("\\custom\\sounds\\b.osf"));
    fake.files.addFile(sounds("c.osf"));
    fake.files.addFile(u("\\netgames\\a.stats"));
    fake.files.addFile(netgames("b.stats"));
    writeSettings(logos, taunts);
    writeNetwork(net);
    w = std::make_unique<launcher::Anzeiger>(fake.platform);
    w->load();
    struct Record : ui::ControlPeer {
        ui::Label* label = nullptr;
        std::vector<std::string> seen;
        void update(ui::Prop) override {}
        void repaint() override { seen.push_back(label->caption()); }
    } taunt, stats;
    taunt.label = &w->txt4, stats.label = &w->txt5;
    w->txt4.peer = &taunt, w->txt5.peer = &stats;
    w->putzstart.tick();
    w->txt4.peer = w->txt5.peer = nullptr;
    EXPECT_EQ(taunt.seen, (std::vector<std::string>{" 2", " 1", " 0", "finish"}));
    EXPECT_EQ(stats.seen, (std::vector<std::string>{" 1", " 0", "finish"}));
}

TEST_F(OpenSourceLauncher, BackupLosesNothingWhenBothFoldersHoldAFileOfOneName) {
    ini["LogoNoAction"] = "0", ini["LogoBackupOthers"] = "1", ini["LogoBackupPath"] = "D:\\Backup";
    fake.files.addFolder("D:\\Backup");
    fake.files.addFile(u("\\custom\\graphics\\dup.ogf"), "user");
    fake.files.addFile(graphics("DUP.ogf"), "game");
    fake.files.addFile(graphics("other.ogf"), "other");
    fake.files.failCopyNth(2); // the copy of other.ogf fails: it stays
    run();
    EXPECT_EQ(fake.files.content("D:\\Backup\\dup.ogf"), "user");
    EXPECT_FALSE(fake.files.has(u("\\custom\\graphics\\dup.ogf")));
    EXPECT_EQ(fake.files.content(graphics("DUP.ogf")), "game") << "its name was taken";
    EXPECT_EQ(fake.files.content(graphics("other.ogf")), "other") << "its copy failed";
}

// The game makes the player's folder and its custom folders at its first start and never
// makes "netgames": what is not there yet holds nothing to clean, and the game starts. A folder
// the file system cannot answer for is not taken as missing.
TEST_F(OpenSourceLauncher, FoldersTheGameHasNotMadeYetAreSkipped) {
    ini["TauntNoAction"] = "0", ini["TauntDeleteOthers"] = "1", ini["DeleteStats"] = "1";
    taunts = {"mine.osf"};
    struct Case {
        const char* what;
        std::vector<std::string> gone; // below the game folder and the player's folder
        bool userFolderGone, queryFails, starts;
    } const cases[] = {
        {"every folder there", {}, false, false, true},
        {"no netgames anywhere", {"\\netgames"}, false, false, true},
        {"no player's folder yet", {}, true, false, true},
        {"nothing but the program", {"\\custom", "\\netgames"}, true, false, true},
        {"a folder that cannot be asked", {}, false, true, false},
    };
    for (const std::string& root : {user, game})
        for (const char* n : {"mine.osf", "y.osf"})
            fake.files.addFile(root + "\\custom\\sounds\\" + n, n);
    const std::string graphicsOfUser = u("\\custom\\graphics");
    auto present = [&](const std::string& path, bool there) {
        if (there && !fake.files.has(path)) fake.files.rename(path + ".gone", path);
        if (!there && fake.files.has(path)) fake.files.rename(path, path + ".gone");
    };
    for (const Case& c : cases) {
        present(user, true);
        for (const std::string& root : {user, game})
            for (const char* part : {"\\custom", "\\netgames"}) {
                const bool gone = std::find(c.gone.begin(), c.gone.end(), part) != c.gone.end();
                present(root + part, !gone);
                if (!gone)
                    for (const char* n : {"mine.osf", "y.osf"})
                        if (std::string(part) == "\\custom")
                            fake.files.addFile(root + "\\custom\\sounds\\" + n, n);
            }
        present(user, !c.userFolderGone);
        present(graphicsOfUser, !c.queryFails);
        fake.files.failQuery(graphicsOfUser, c.queryFails);
        fake.dialogs.boxes.clear();
        fake.shell.started.clear();
        run();
        if (!c.starts) {
            ASSERT_EQ(fake.dialogs.boxes.size(), 1u) << c.what;
            EXPECT_EQ(fake.dialogs.boxes[0].text, "Error ! Path not found") << c.what;
            EXPECT_TRUE(fake.shell.started.empty()) << c.what;
            EXPECT_TRUE(fake.files.has(sounds("y.osf"))) << c.what << ": nothing touched";
            continue;
        }
        EXPECT_TRUE(fake.dialogs.boxes.empty()) << c.what;
        EXPECT_EQ(programsStarted(), std::vector<std::string>{game + "\\Descent3.exe"}) << c.what;
        const bool gameSounds = std::find(c.gone.begin(), c.gone.end(), "\\custom") == c.gone.end();
        EXPECT_EQ(fake.files.has(sounds("mine.osf")), gameSounds) << c.what << ": kept";
        EXPECT_FALSE(fake.files.has(sounds("y.osf"))) << c.what << ": cleaned";
        EXPECT_EQ(w->txt4.caption(), "finish") << c.what;
    }
    // Version 1.5.0 keeps them in the game folder: in a folder of its own, the program alone.
    fake.files.failQuery(graphicsOfUser, false);
    fake.host.versions[game + "\\Descent3.exe"] = {"Descent3.exe", 1, 5, 0};
    for (const char* part : {"\\custom", "\\netgames"}) present(game + part, false);
    fake.dialogs.boxes.clear();
    fake.shell.started.clear();
    run();
    EXPECT_TRUE(fake.dialogs.boxes.empty());
    EXPECT_EQ(programsStarted(), std::vector<std::string>{game + "\\Descent3.exe"});
    EXPECT_FALSE(fake.files.folderExists(game + "\\netgames")) << "no folder made";
}

TEST_F(OpenSourceLauncher, ARenamedProgramOfThisEditionIsStartedAsItIsNamed) {
    fake.files.remove(game + "\\Descent3.exe");
    fake.host.versions[game + "\\Main.exe"] = {"Descent3.exe", 1, 5, 0};
    run();
    EXPECT_EQ(programsStarted(), std::vector<std::string>{game + "\\Main.exe"});
    EXPECT_TRUE(fake.files.has(file));
    EXPECT_TRUE(fake.registry.writes.empty());
}

} // namespace
