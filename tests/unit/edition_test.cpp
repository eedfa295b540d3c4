#include <gtest/gtest.h>

#include "common/edition/edition.h"
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
