#include <gtest/gtest.h>

#include "common/edition/edition.h"
#include "common/edition/game_args.h"
#include "common/registry/registry_file.h"
#include "tests/support/fakes.h"
#include "tests/support/game_reading.h"

namespace {

using edition::Edition;
using gameregistry::RegistryFile;

const std::string kGame = "C:\\Games\\Descent3";
const std::string kUser = "C:\\Users\\player\\AppData\\Roaming\\Outrage Entertainment\\Descent 3";

struct Editions : ::testing::Test {
    FakePlatform fake;
    edition::Game describe() { return edition::describe(fake.platform, kGame); }
};

TEST_F(Editions, RetailFolderKeepsEverythingInTheGameFolder) {
    fake.files.addFile(kGame + "\\Main.exe");
    // A retail Main.exe with a version resource of its own stays retail.
    fake.host.versions[kGame + "\\Main.exe"] = {"Main.exe", 1, 4, 0};
    for (bool withProgram : {true, false}) {
        if (!withProgram) fake.files.remove(kGame + "\\Main.exe");
        edition::Game g = describe();
        EXPECT_EQ(g.edition, Edition::Retail);
        EXPECT_EQ(g.program, kGame + "\\Main.exe");
        EXPECT_EQ(g.pilotFolder, kGame);
        EXPECT_EQ(g.dataFolders, std::vector<std::string>{kGame});
        EXPECT_EQ(g.settingsFile, "");
        EXPECT_EQ(g.hasProgram, withProgram);
    }
}

TEST_F(Editions, Descent3ExeMakesTheOpenSourceEditionWithThePlayersFolderFirst) {
    fake.files.addFile(kGame + "\\Main.exe");
    fake.files.addFile(kGame + "\\Descent3.exe");
    edition::Game g = describe();
    EXPECT_EQ(g.edition, Edition::OpenSource);
    EXPECT_EQ(g.program, kGame + "\\Descent3.exe");
    EXPECT_EQ(g.userFolder, kUser);
    EXPECT_EQ(g.settingsFile, kUser + "\\.Descent3Registry");
    EXPECT_EQ(g.pilotFolder, kUser);
    EXPECT_EQ(g.dataFolders, (std::vector<std::string>{kUser, kGame}));
}

TEST_F(Editions, ARenamedProgramIsKnownByItsVersionResource) {
    fake.files.addFile(kGame + "\\Main.exe");
    struct Case {
        platform::ProgramVersion version;
        bool openSource;
    };
    for (const Case& c :
         {Case{{"descent3.EXE", 1, 5, 2}, true}, Case{{"Descent3.exe", 2, 0, 0}, true},
          Case{{"Descent3.exe", 1, 4, 9}, false}, Case{{"Main.exe", 1, 5, 0}, false}}) {
        fake.host.versions[kGame + "\\Main.exe"] = c.version;
        edition::Game g = describe();
        EXPECT_EQ(g.openSource(), c.openSource) << c.version.originalName << c.version.minor;
        EXPECT_EQ(g.program, kGame + "\\Main.exe");
    }
}

TEST_F(Editions, Version150KeptPilotsCustomFilesAndStatisticsInTheGameFolder) {
    fake.files.addFile(kGame + "\\Descent3.exe");
    fake.host.versions[kGame + "\\Descent3.exe"] = {"Descent3.exe", 1, 5, 0};
    EXPECT_EQ(describe().pilotFolder, kGame);
    EXPECT_EQ(describe().dataFolders, std::vector<std::string>{kGame});
    EXPECT_EQ(describe().settingsFile, kUser + "\\.Descent3Registry");
    fake.host.versions[kGame + "\\Descent3.exe"] = {"Descent3.exe", 1, 5, 1};
    EXPECT_EQ(describe().pilotFolder, kUser);
    EXPECT_EQ(describe().dataFolders, (std::vector<std::string>{kUser, kGame}));
}

// A Linux program has no version resource: version 1.5.0, and the builds before the player's
// own folder came, are told by the switch they still look up.
TEST_F(Editions, AProgramWithoutAVersionResourceIsToldByWhatItHolds) {
    const std::string exe = kGame + "\\Descent3.exe";
    for (auto [bytes, gameFolder] :
         {std::pair{std::string("\x7f"
                                "ELF..-setdir\0-useexedir\0-additionaldir\0",
                                37),
                    true},
          {std::string("\x7f"
                       "ELF..-additionaldir\0",
                       21),
           false},
          {std::string("`-useexedir` in a text"), false}}) {
        fake.files.addFile(exe, bytes);
        EXPECT_EQ(describe().pilotFolder, gameFolder ? kGame : kUser) << bytes;
        EXPECT_TRUE(describe().hasProgram);
    }
    // A version resource, where there is one, decides.
    fake.host.versions[exe] = {"Descent3.exe", 1, 6, 0};
    EXPECT_EQ(describe().pilotFolder, kUser);
}

TEST_F(Editions, OnlyPilotsTheGameOpensByTheirExactName) {
    for (bool caseSensitive : {false, true}) {
        fake.files = FakeFiles();
        fake.files.caseSensitive = caseSensitive;
        for (auto [name, opens] : {std::pair{"Ace.plt", true},
                                   {"Red.PLT", !caseSensitive},
                                   {"Red.Plt", !caseSensitive},
                                   {".plt", false},
                                   {"notes.txt", false},
                                   {"plt", false}})
            EXPECT_EQ(edition::gameOpensPilot(fake.files, name), opens) << name << caseSensitive;
    }
}

// The open-source game marks its temporary folder with its process id while it runs; a copy
// started from any folder uses the same settings file.
TEST_F(Editions, ARunningGameIsFoundByItsProgramOrItsLockFile) {
    fake.files.addFile(kGame + "\\Descent3.exe");
    const std::string lock = fake.host.temp + "\\Descent3\\cache\\.lock";
    EXPECT_EQ(edition::runningGame(fake.platform, describe()), "");
    fake.host.runningPrograms = {kGame + "\\DESCENT3.exe"};
    EXPECT_EQ(edition::runningGame(fake.platform, describe()), kGame + "\\Descent3.exe");
    fake.host.runningPrograms.clear();
    fake.host.processes = {0x01020304};
    fake.host.versions["D:\\Copy\\d3.exe"] = {"Descent3.exe", 1, 5, 2};
    fake.host.versions["C:\\Windows\\explorer.exe"] = {"EXPLORER.EXE", 10, 0, 0};
    const std::string live("LOCK\x04\x03\x02\x01", 8);
    // The lock's process runs this program ("" the system does not tell).
    const struct {
        std::string bytes, program;
        bool runs;
    } locks[] = {
        {live, kGame + "\\Descent3.exe", true},
        {live, "D:\\Other\\DESCENT3.EXE", true}, // another copy, named as Windows compares
        {live, "D:\\Copy\\d3.exe", true},        // renamed, told by its version resource
        {live, "", true},
        {live, "C:\\Windows\\explorer.exe", false}, // the id was given to another program
        {live, "D:\\Other\\Descent3.exe.bak", false},
        {std::string("LOCK\x04\x03\x02\x02", 8), kGame + "\\Descent3.exe", false}, // ended
        {std::string("LOCX\x04\x03\x02\x01", 8), "", false},
        {std::string("LOCK\x04\x03\x02", 7), "", false},
    };
    for (const auto& l : locks) {
        fake.files.addFile(lock, l.bytes);
        fake.host.programs = {{0x01020304, l.program}};
        EXPECT_EQ(edition::runningGame(fake.platform, describe()),
                  l.runs ? "PID 16909060 (" + lock + ")" : "")
            << l.program;
    }
    // On Linux the program file has no ending, names differ in case, and the player reads the
    // lock's path with "/".
    FakePlatform lnx;
    lnx.host.kind = platform::System::Linux;
    lnx.files.caseSensitive = true;
    lnx.host.temp = "/tmp";
    lnx.host.processes = fake.host.processes;
    lnx.files.addFile(kGame + "\\Descent3");
    lnx.files.addFile("/tmp\\Descent3\\cache\\.lock", live);
    for (const auto& [program, runs] : {std::pair{"/opt/d3/Descent3", true},
                                        {"/opt/d3/descent3", false},
                                        {"/sbin/init", false}}) {
        lnx.host.programs = {{0x01020304, program}};
        EXPECT_EQ(edition::runningGame(lnx.platform, edition::describe(lnx.platform, kGame)),
                  runs ? "PID 16909060 (/tmp/Descent3/cache/.lock)" : "")
            << program;
    }
    fake.files.addFile(lock, live);
    fake.files.remove(kGame + "\\Descent3.exe");
    fake.files.addFile(kGame + "\\Main.exe");
    EXPECT_EQ(edition::runningGame(fake.platform, describe()), "")
        << "the retail game keeps its settings in the registry";
}

// Every argument the game is handed is also looked at as a switch: a value that reads as one is
// never handed over. Our rule and the game's reading agree.
TEST(GameArguments, ValuesTheGameReadsAsSwitches) {
    struct Case {
        const char* value;
        const char* openSource; // the switch the open-source game finds, "" none
        const char* retail;
    };
    const Case cases[] = {
        {"Heat", "heat", ""},
        {"--Dedicated", "dedicated", ""},
        {"+Host", "host", ""},
        {"-NOINTRO", "nointro", "nointro"},
        {"PORT", "port", "port"},
        {"ip", "ip", "ip"},
        {"-w", "-w", ""},
        {"Ace", "", ""},
        {"Heats", "", ""},
        {"-", "", ""},
        {"--", "", ""},
        {"++host", "", ""},
        {"10.0.0.1:2092", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(edition::switchReadFrom(c.value, true), c.openSource) << c.value;
        EXPECT_EQ(edition::switchReadFrom(c.value, false), c.retail) << c.value;
        const auto args = gamereading::gatherArgs(std::string("-launched ") + c.value);
        for (bool openSource : {true, false}) {
            const std::string name = openSource ? c.openSource : c.retail;
            if (!name.empty() && name[0] != '-') {
                EXPECT_TRUE(gamereading::findsSwitch(args, name, openSource)) << c.value;
            }
        }
        EXPECT_EQ(edition::pilotReadAsSwitch(lang::Language::English, c.value, true).empty(),
                  std::string(c.openSource).empty());
    }
    EXPECT_EQ(edition::pilotReadAsSwitch(lang::Language::German, "Heat", true),
              "Das Spiel liest den Pilotennamen \"Heat\" als seinen Schalter -heat. Gatefire "
              "startet das Spiel deshalb ohne \"-pilot Heat\" und trägt Heat stattdessen als "
              "Standardpiloten des Spiels ein: Bestätige ihn in der Pilotenauswahl des Spiels.");
}

TEST(GameArguments, AJoinAddressFitsTheGamesBufferAndReadsAsNoSwitch) {
    const std::string ue = "\xc3\xbc";
    std::string ue25;
    for (int i = 0; i < 25; ++i) ue25 += ue;
    const struct {
        std::string address;
        bool ok;
    } cases[] = {
        {std::string(49, '1'), true},
        {std::string(50, '1'), false},
        {ue25, false},
        {ue25.substr(2), true},
        {"1.2.3.4:2092 -nointro", false},
        {"1.2.3.4:2092 port", false},
        {"host:2092", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(edition::addressRefused(lang::Language::English, c.address, false).empty(), c.ok)
            << c.address;
        const auto args = gamereading::gatherArgs("-launched -directip " + c.address);
        EXPECT_EQ(args.overrun, !c.ok && c.address.find(' ') == std::string::npos) << c.address;
    }
    EXPECT_EQ(edition::addressRefused(lang::Language::German, std::string(50, '1'), true),
              "Die Serveradresse ist zu lang für das Spiel: Es nimmt höchstens 49 Bytes an (ein "
              "Buchstabe außerhalb von A bis Z belegt zwei oder mehr).");
    EXPECT_NE(edition::targetRefused(lang::Language::English, "-pxo Heat", true), "");
    EXPECT_EQ(edition::targetRefused(lang::Language::English, "-pxo Heat", false), "");
    EXPECT_EQ(edition::targetRefused(lang::Language::English, "+connect 10.0.0.1", true), "")
        << "no address: the player's own switches";
    EXPECT_EQ(
        edition::targetRefused(lang::Language::English, "-directip " + std::string(49, 'a'), true),
        "");
}

TEST_F(Editions, WithoutAPlayersFolderOnlyTheGameFolderIsUsed) {
    fake.files.addFile(kGame + "\\Descent3.exe");
    fake.host.dataFolder = "";
    edition::Game g = describe();
    EXPECT_TRUE(g.openSource());
    EXPECT_EQ(g.settingsFile, "");
    EXPECT_EQ(g.dataFolders, std::vector<std::string>{kGame});
}

// ---------------------------------------------------------------- .Descent3Registry

TEST(RegistryFile, WrittenValuesReadBackAndForeignLinesStayAsTheyWere) {
    const std::string before = "[Version]\r\n\"Major\"=dword:1\r\n[Descent3]\r\n"
                               "\"Detail\"=\"high\"\r\n\"DEFAULT_PILOT\"=\"Old.plt\"\r\n"
                               "; a note\r\nrubbish without quotes\r\n[Other]\r\n"
                               "\"KeyboardType\"=\"keep me\"\r\n";
    RegistryFile f(before);
    EXPECT_EQ(RegistryFile(f.bytes()).bytes(), before) << "nothing set: the bytes are kept";
    ASSERT_TRUE(f.setText("Descent3", "Default_pilot", "Ace.plt"));
    f.setNumber("descent3", "ClientPPS", 0x1A2B);
    ASSERT_TRUE(f.setText("NewOne", "Name", ""));
    EXPECT_EQ(f.bytes(),
              "[Version]\r\n\"Major\"=dword:1\r\n[Descent3]\r\n"
              "\"Detail\"=\"high\"\r\n\"Default_pilot\"=\"Ace.plt\"\r\n"
              "\"ClientPPS\"=dword:1A2B\r\n; a note\r\nrubbish without quotes\r\n"
              "[Other]\r\n\"KeyboardType\"=\"keep me\"\r\n[NewOne]\r\n\"Name\"=\"\"\r\n");

    RegistryFile again(f.bytes());
    EXPECT_EQ(again.text("DESCENT3", "default_PILOT"), "Ace.plt");
    EXPECT_EQ(again.number("Descent3", "clientpps"), 0x1A2Bu);
    EXPECT_EQ(again.text("Other", "KeyboardType"), "keep me");
    EXPECT_EQ(again.text("Descent3", "KeyboardType"), std::nullopt) << "other section";
    EXPECT_EQ(again.text("Descent3", "ClientPPS"), std::nullopt) << "a number is no text";
    EXPECT_EQ(again.number("Descent3", "Detail"), std::nullopt) << "a text is no number";
    EXPECT_EQ(again.text("NewOne", "Name"), "");
}

TEST(RegistryFile, ANewFileStartsWithTheVersionSection) {
    RegistryFile f;
    f.setNumber("Descent3", "LanguageType", 1);
    EXPECT_EQ(f.bytes(), "[Version]\r\n[Descent3]\r\n\"LanguageType\"=dword:1\r\n");
}

TEST(RegistryFile, TextTheFileCannotHoldIsRefusedAndChangesNothing) {
    RegistryFile f("[Descent3]\n\"TrackerPassword\"=\"old\"\n");
    const std::string before = f.bytes();
    for (const std::string& bad :
         {std::string("pa\"ss"), std::string("two\r\nlines"), std::string("a\nb"),
          std::string("end\x1aof file"), std::string("nul\0", 4), std::string(300, 'x')})
        EXPECT_FALSE(f.setText("Descent3", "TrackerPassword", bad)) << bad;
    EXPECT_FALSE(f.setText("Descent3", std::string(200, 'n'), std::string(299, 'v')))
        << "the line would pass the game's line buffer";
    EXPECT_EQ(f.bytes(), before);
    EXPECT_TRUE(f.setText("Descent3", "TrackerPassword", std::string(299, 'x')));
    EXPECT_EQ(RegistryFile(f.bytes()).text("Descent3", "TrackerPassword"), std::string(299, 'x'));
}

// Each file is read as the game reads it, and a value set in it is what the game then holds:
// every foreign line stays byte for byte, line end included.
TEST(RegistryFile, ReadAndWrittenAsTheGameReadsIt) {
    const std::string longPilot = "\"Default_pilot\"=\"" + std::string(482, 'p') + "\"";
    ASSERT_EQ(longPilot.size(), 500u);
    const std::string tail = "\"TrackerLogin\"=\"hidden\"";
    struct Case {
        const char* what;
        std::string file;
        const char* name;
        std::optional<std::string> read; // before the write
    };
    const Case cases[] = {
        {"repeated names and sections: the last wins",
         "[Descent3]\r\n\"KeyboardType\"=\"French\"\r\n[Other]\r\n\"KeyboardType\"=\"x\"\r\n"
         "[descent3]\r\n\"keyboardtype\"=\"German\"\r\n",
         "KeyboardType", "German"},
        {"a long line goes on as the next line",
         "[Descent3]\n" + std::string(499, ';') + tail + "\n", "TrackerLogin", "hidden"},
        {"a line of 500 is cut before its closing quote", "[Descent3]\n" + longPilot + "\n",
         "Default_pilot", std::nullopt},
        {"a value of 300 bytes is none", "[Descent3]\n\"A\"=\"" + std::string(300, 'v') + "\"\n",
         "A", std::nullopt},
        {"a last line without its end is not read", "[Descent3]\r\n\"A\"=\"1\"\r\n\"A\"=\"2\"", "A",
         "1"},
        {"Ctrl-Z ends the file", "[Descent3]\r\n\"A\"=\"1\"\r\n\x1a\"A\"=\"2\"\r\n", "A", "1"},
        {"nothing after a Ctrl-Z is read", "[Descent3]\r\n\"A\"=\"1\"\r\n\x1a\r\n\"A\"=\"2\"\r\n",
         "A", "1"},
        {"mixed line ends", "[Version]\n[Descent3]\r\n\"A\"=\"1\"\n\"B\"=\"2\"\r\n", "A", "1"},
        {"a broken later record hides an earlier one", "[Descent3]\n\"A\"=\"1\"\n\"A\"=\"open\n",
         "A", std::nullopt},
    };
    for (const Case& c : cases) {
        RegistryFile f(c.file);
        EXPECT_EQ(f.text("Descent3", c.name), c.read) << c.what;
        EXPECT_EQ(gamereading::readSettings(c.file).text(c.name), c.read) << c.what;
        EXPECT_EQ(f.bytes(), c.file) << c.what;

        ASSERT_TRUE(f.setText("Descent3", c.name, "ours")) << c.what;
        const std::string out = f.bytes();
        EXPECT_EQ(gamereading::readSettings(out).text(c.name), "ours") << c.what << "\n" << out;
        EXPECT_EQ(RegistryFile(out).text("Descent3", c.name), "ours") << c.what;
        // Every line that does not start with a record of the name is still there, as it was.
        auto lower = [](std::string t) {
            for (char& ch : t) ch = char(std::tolower(static_cast<unsigned char>(ch)));
            return t;
        };
        const std::string record = lower("\"" + std::string(c.name) + "\"");
        std::size_t from = 0;
        for (std::size_t at = 0; at < c.file.size();) {
            std::size_t end = std::min(c.file.find('\n', at), c.file.size() - 1) + 1;
            const std::string line = c.file.substr(at, end - at);
            at = end;
            if (lower(line).rfind(record, 0) == 0) continue;
            from = out.find(line, from);
            EXPECT_NE(from, std::string::npos) << c.what << ": " << line;
        }
        EXPECT_EQ(out.find("\"ours\"\n"), std::string::npos) << "our lines end with CR LF";
    }
}

TEST(RegistryFile, NumbersReadAsTheGameConvertsThem) {
    for (auto [data, value] : {std::pair{"1A", 0x1Au},
                               {"0x10", 16u},
                               {"zz", 0u},
                               {"7 8", 7u},
                               {"FFFFFFFFF", 0x7FFFFFFFu},
                               {"-2", 0xFFFFFFFEu}}) {
        const std::string file = std::string("[Descent3]\n\"N\"=dword:") + data + "\n";
        EXPECT_EQ(RegistryFile(file).number("Descent3", "N"), value) << data;
        EXPECT_EQ(gamereading::readSettings(file).number("N"), std::int32_t(value)) << data;
    }
}

} // namespace
