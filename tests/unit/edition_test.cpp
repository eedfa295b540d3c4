#include <gtest/gtest.h>

#include "common/edition/edition.h"
#include "common/registry/registry_file.h"
#include "tests/support/fakes.h"

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

TEST_F(Editions, Version150KeptThePilotsInTheGameFolder) {
    fake.files.addFile(kGame + "\\Descent3.exe");
    fake.host.versions[kGame + "\\Descent3.exe"] = {"Descent3.exe", 1, 5, 0};
    EXPECT_EQ(describe().pilotFolder, kGame);
    fake.host.versions[kGame + "\\Descent3.exe"] = {"Descent3.exe", 1, 5, 1};
    EXPECT_EQ(describe().pilotFolder, kUser);
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
    for (const std::string& bad : {std::string("pa\"ss"), std::string("two\r\nlines"),
                                   std::string("a\nb"), std::string(301, 'x')})
        EXPECT_FALSE(f.setText("Descent3", "TrackerPassword", bad)) << bad;
    EXPECT_FALSE(f.setText("Descent3", std::string(200, 'n'), std::string(300, 'v')))
        << "the line would pass 500 characters";
    EXPECT_EQ(f.bytes(), before);
    EXPECT_TRUE(f.setText("Descent3", "TrackerPassword", std::string(300, 'x')));
    EXPECT_EQ(RegistryFile(f.bytes()).text("Descent3", "TrackerPassword"), std::string(300, 'x'));
}

TEST(RegistryFile, BadFilesReadAsNothingAndKeepTheirLines) {
    const std::string longLine = "\"Default_pilot\"=\"" + std::string(582, 'p') + "\"";
    ASSERT_EQ(longLine.size(), 600u);
    const std::string longValue = "\"TrackerLogin\"=\"" + std::string(301, 'l') + "\"";
    RegistryFile f("[Descent3]\n" + longLine + "\n" + longValue + "\n\"LanguageType\"=dword:zz\n" +
                   "\"KeyboardType\"=\"open\n\"NoEquals\"\"x\"\n\x01\xff garbage\n" +
                   "\"NetworkConnection\"=\"LAN\"");
    for (const char* name :
         {"Default_pilot", "TrackerLogin", "KeyboardType", "NoEquals", "NetworkConnection"})
        EXPECT_EQ(f.text("Descent3", name), std::nullopt) << name;
    EXPECT_EQ(f.number("Descent3", "LanguageType"), std::nullopt);

    // Writing keeps the unread lines, LF line ends as the file had them, and ends the last line.
    f.setNumber("Descent3", "ClientPPS", 30);
    const std::string out = f.bytes();
    EXPECT_NE(out.find("\n" + longLine + "\n"), std::string::npos);
    EXPECT_NE(out.find("\x01\xff garbage\n"), std::string::npos);
    EXPECT_EQ(out.find('\r'), std::string::npos);
    const std::string end = "\"NetworkConnection\"=\"LAN\"\n\"ClientPPS\"=dword:1E\n";
    EXPECT_EQ(out.substr(out.size() - end.size()), end);
    EXPECT_EQ(RegistryFile(out).number("Descent3", "ClientPPS"), 30u);
}

TEST(RegistryFile, EveryLineOfTheNameIsReplacedAndTheFirstIsRead) {
    RegistryFile f("[Descent3]\r\n\"A\"=\"1\"\r\n\"a\"=\"2\"\r\n[Descent3]\r\n\"A\"=\"3\"\r\n");
    EXPECT_EQ(f.text("Descent3", "A"), "1");
    f.setText("Descent3", "A", "new");
    EXPECT_EQ(f.bytes(), "[Descent3]\r\n\"A\"=\"new\"\r\n\"A\"=\"new\"\r\n[Descent3]\r\n"
                         "\"A\"=\"new\"\r\n");
}

} // namespace
