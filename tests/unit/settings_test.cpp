#include <gtest/gtest.h>

#include <climits>

#include "common/settings/keep_copy.h"
#include "common/settings/layouts.h"
#include "common/settings/model.h"
#include "common/settings/settings_file.h"
#include "platform/system.h"
#include "tests/support/fake_files.h"
#include "tests/support/fakes.h"

using namespace settings;

namespace {

platform::Cp1252 cp;

std::vector<std::string> readAllValues(const std::string& bytes) {
    SettingsFile f(cp, bytes);
    std::vector<std::string> values;
    std::string v;
    while (!f.atEnd() && f.readValue(v)) values.push_back(v);
    return values;
}

using Values = std::vector<std::string>;

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

const std::string kFirstRunKeys = "deadzone0 0.0\r\nframecap 0\r\nhighvidmem\r\nnointro\r\n"
                                  "nomusic\r\nnosound\r\nnooutdoorfog\r\nnooutragelogo\r\n"
                                  "nopentium3\r\nnorenderwindows\r\nnosparkles\r\n"
                                  "playermessages\r\nsuperlowmem\r\nuseport 2092\r\nvsync\r\n"
                                  "***011100010110000\r\n";

} // namespace

// --- The reading rule ---

TEST(ReadingRule, QuotedValueRunsToNextQuoteAndPassesOverRestOfLine) {
    EXPECT_EQ(readAllValues("\"a, b \"\r\n"), (Values{"a, b "}));
    EXPECT_EQ(readAllValues("\"ab\"xy\r\nnext\r\n"), (Values{"ab", "next"}));
    EXPECT_EQ(readAllValues("\"ab\" junk,cd\r\n"), (Values{"ab", "cd"}));
    EXPECT_EQ(readAllValues("\"\"\r\n"), (Values{""}));
}

TEST(ReadingRule, UnclosedQuoteRunsToEndOfFile) {
    EXPECT_EQ(readAllValues("\"abc"), (Values{"abc"}));
    EXPECT_EQ(readAllValues("\"a\r\nb\"\r\n"), (Values{"a\r\nb"}));
}

TEST(ReadingRule, CommaEndsValueAndNextStartsOnSameLine) {
    EXPECT_EQ(readAllValues("a,b\r\nc\r\n"), (Values{"a", "b", "c"}));
    EXPECT_EQ(readAllValues("x, \"y\"\r\n"), (Values{"x", "y"}));
    EXPECT_EQ(readAllValues(",\r\n"), (Values{"", ""}));
}

TEST(ReadingRule, LeadingBlanksSkippedTrailingKept) {
    EXPECT_EQ(readAllValues(" \t x \r\n"), (Values{"x "}));
    EXPECT_EQ(readAllValues("  \"q\"\r\n"), (Values{"q"}));
    EXPECT_EQ(readAllValues("   "), (Values{""}));
}

TEST(ReadingRule, EmptyLinesReadAsEmptyText) {
    EXPECT_EQ(readAllValues("\r\n\r\nx\r\n"), (Values{"", "", "x"}));
    EXPECT_EQ(readAllValues("a\r\n\r\n"), (Values{"a", ""}));
    EXPECT_EQ(readAllValues("\n"), (Values{""}));
}

TEST(ReadingRule, LineEnds) {
    EXPECT_EQ(readAllValues("a\nb\r\nc\n"), (Values{"a", "b", "c"}));
    EXPECT_EQ(readAllValues("a\r\nb"), (Values{"a", "b"}));
    EXPECT_EQ(readAllValues("\"a\"\r\n\"b\""), (Values{"a", "b"}));
}

TEST(ReadingRule, LineEndAfterLastValueLeavesNothing) {
    SettingsFile f(cp, "one\r\n");
    std::string v;
    ASSERT_TRUE(f.readValue(v));
    EXPECT_EQ(v, "one");
    EXPECT_TRUE(f.atEnd());
    v = "kept";
    EXPECT_FALSE(f.readValue(v));
    EXPECT_EQ(v, "kept");
}

TEST(ReadingRule, ReadingAnEmptyFileFails) {
    SettingsFile f(cp, "");
    std::string v;
    EXPECT_TRUE(f.atEnd());
    EXPECT_FALSE(f.readValue(v));
}

TEST(ReadingRule, NumericValue) {
    EXPECT_EQ(numericValue("1"), 1);
    EXPECT_EQ(numericValue("12abc"), 12);
    EXPECT_EQ(numericValue(" \t42"), 42);
    EXPECT_EQ(numericValue("-3"), -3);
    EXPECT_EQ(numericValue("+4"), 4);
    EXPECT_EQ(numericValue("1.9"), 1);
    EXPECT_EQ(numericValue(""), 0);
    EXPECT_EQ(numericValue("abc"), 0);
    EXPECT_EQ(numericValue("-"), 0);
    EXPECT_EQ(numericValue("99999999999999999999999"), LONG_MAX);
}

// --- Writing ---

TEST(Writing, LineStyles) {
    SettingsFile f(cp);
    f.writeText("C:\\Games");
    f.writeText("");
    f.writeNumber(1);
    f.writeNumber(-12);
    f.writeRaw("raw, text");
    f.writeRaw("");
    EXPECT_EQ(f.bytes(), "\"C:\\Games\"\r\n\"\"\r\n1\r\n-12\r\n"
                         "raw, text\r\n\r\n");
}

TEST(Writing, QuotedStyleReadsBackCommasAndBlanksRawStyleDoesNot) {
    SettingsFile f(cp);
    f.writeText(" a,b ");
    f.writeRaw(" c,d");
    f.writeRaw("\"e\"f");
    EXPECT_EQ(readAllValues(f.bytes()), (Values{" a,b ", "c", "d", "e"}));
}

TEST(Writing, SaveAndOpenGoThroughTheFiles) {
    FakeFiles files;
    files.addFolder("C:\\Prog");
    SettingsFile out(cp);
    out.writeText("v");
    FakeHost host;
    ASSERT_TRUE(save(files, host, "C:\\Prog\\x.ini", out.bytes(), lang::Language::English).written);
    EXPECT_EQ(files.content("C:\\Prog\\x.ini"), "\"v\"\r\n");

    SettingsFile in(cp);
    ASSERT_TRUE(in.open(files, "C:\\Prog\\x.ini"));
    std::string v;
    ASSERT_TRUE(in.readValue(v));
    EXPECT_EQ(v, "v");
    EXPECT_TRUE(in.atEnd());

    EXPECT_FALSE(in.open(files, "C:\\Prog\\missing.ini"));
    EXPECT_TRUE(in.atEnd());
    files.diskFull(true);
    const Saving failed =
        save(files, host, "C:\\Prog\\y.ini", out.bytes(), lang::Language::English);
    EXPECT_FALSE(failed.written);
    EXPECT_EQ(failed.tooBig, ""); // each window says a failed write in its own words
}

TEST(CodePage, UmlautIsOneByteOnDiskAndUtf8InMemory) {
    SettingsFile f(cp);
    f.writeText("C:\\Spiele\\B\xC3\xA4r");
    f.writeRaw("\xC3\xA4");
    EXPECT_EQ(f.bytes(), "\"C:\\Spiele\\B\xE4r\"\r\n\xE4\r\n");
    EXPECT_EQ(readAllValues(f.bytes()), (Values{"C:\\Spiele\\B\xC3\xA4r", "\xC3\xA4"}));
}

// Every byte but the line ends, quote and comma comes back as it was, the five bytes the code
// page leaves unused among them.
TEST(CodePage, EveryByteSurvivesAReadAndAWrite) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n' && b != '"' && b != ',') all += char(b);
    Values read = readAllValues("\"" + all + "\"\r\n");
    ASSERT_EQ(read.size(), 1u);
    SettingsFile f(cp);
    f.writeText(read[0]);
    EXPECT_EQ(f.bytes(), "\"" + all + "\"\r\n");
    for (const char* unused : {"\x81", "\x8D", "\x8F", "\x90", "\x9D"})
        EXPECT_EQ(cp.fromUtf8(cp.toUtf8(unused)), unused);
}

// Bytes that are no UTF-8 (a name from a Linux disk in another code) are written as they are:
// none is joined to the byte after it, none is lost.
TEST(CodePage, ABrokenSequenceKeepsEveryByte) {
    for (const char* bad : {"D3\xC3\x28"
                            "bad",
                            "Gr\xFC\xDF"
                            "e.osf",
                            "Gr\x81\xE1"
                            "e.osf",
                            "\xE2\x82", "\xF0\x9F\x98", "\xC0\xAF", "\xED\xA0\x80", "\xFF"}) {
        EXPECT_FALSE(platform::isUtf8(bad)) << bad;
        EXPECT_EQ(cp.fromUtf8(bad), bad);
    }
    EXPECT_EQ(cp.fromUtf8("D3\xC3\xA4\xC3\x28"), "D3\xE4\xC3(");
}

TEST(ReadingRule, AByteOrderMarkIsNoPartOfTheFirstValue) {
    EXPECT_EQ(readAllValues("\xEF\xBB\xBF\"C:\\Games\"\r\nb\r\n"), (Values{"C:\\Games", "b"}));
    EXPECT_EQ(readAllValues("\xEF\xBB\xBF"), Values{});
    EXPECT_EQ(readAllValues("a\r\n\xEF\xBB\xBF"
                            "b\r\n"),
              (Values{"a", "\xC3\xAF\xC2\xBB\xC2\xBF"
                           "b"}))
        << "only at the start of the file";
}

TEST(ReadingRule, NumericValueOfExactlyOne) {
    for (const char* one : {"1", " 1", "+1", "01", "1.0", "1.", "1,5", "1x", "10e-1", ".1e1"})
        EXPECT_TRUE(isNumericOne(one)) << one;
    for (const char* other : {"1.5", "0.99", "12", "-1", "", "x1", "1e3", ".", "e1", "0"})
        EXPECT_FALSE(isNumericOne(other)) << other;
}

// --- file layouts ---

// Each member of a layout's struct stands in exactly one field: a member added to the struct
// without its field, or a field listed twice, would be lost on the way to the file.
template <class T, std::size_t N> void expectEachMemberOnce(const Layout<T, N>& layout) {
    static_assert(sizeof(T) == N * sizeof(std::string), "one field per member");
    T v{};
    for (std::size_t i = 0; i < N; ++i) v.*layout[i].member += std::to_string(i) + ".";
    for (std::size_t i = 0; i < N; ++i)
        EXPECT_EQ(v.*layout[i].member, std::to_string(i) + ".") << layout[i].name;
}

TEST(FileLayouts, EachMemberStandsInOneField) {
    expectEachMemberOnce(kNetworkLayout);
    expectEachMemberOnce(kDirecktLayout);
    expectEachMemberOnce(kSideProgramLayout);
}

// Each line of scourix.ini has its own name and its own typed value: a line changed alone comes
// back alone through the typed values. A row listed twice, or two rows on one value, would lose
// a line on the way to the file.
TEST(FileLayouts, EachScourixLineHasItsOwnNameAndValue) {
    for (std::size_t i = 0; i < std::size(kScourixRows); ++i) {
        const ScourixRow& row = kScourixRows[i];
        ScourixIni lines = firstRunLines();
        EXPECT_EQ(&lines[row.name], &lines.line[i]) << row.name;
        lines.line[i] =
            row.style == Style::Number || row.firstRun == std::string("2") ? "1" : "3,4";
        EXPECT_EQ(toLines(fromLines(lines)).line, lines.line) << row.name;
    }
}

// Every table across versions: a file that ends where a later version's lines begin reads
// them with their first-run values and is written back as it was; one that ends inside a
// version's lines is too short; the lines a later version wrote after ours are kept on a write.
template <class T, class Rows, class Text, class Read, class Write>
void expectVersionsRead(const Rows& rows, Text text, Read read, Write write) {
    const std::size_t N = std::size(rows);
    T full{};
    // Numbers, so that the bare lines read back as they were written.
    for (std::size_t i = 0; i < N; ++i) text(full, i) = std::to_string(10 + i);
    for (std::size_t lines = 0; lines <= N; ++lines) {
        std::string bytes;
        for (std::size_t i = 0; i < lines; ++i) bytes += std::to_string(10 + i) + "\r\n";
        SettingsFile in(cp, bytes);
        T r{};
        const bool older = lines == N || (lines > 0 && rows[lines].since > rows[lines - 1].since);
        ASSERT_EQ(read(in, r), older ? Problem::None : Problem::TooShort) << lines;
        if (!older) continue;
        for (std::size_t i = lines; i < N; ++i)
            EXPECT_EQ(text(r, i), rows[i].firstRun) << rows[i].name << " " << lines;
        SettingsFile out(cp);
        write(out, r, "");
        SettingsFile again(cp, out.bytes());
        T back{};
        ASSERT_EQ(read(again, back), Problem::None) << lines;
        for (std::size_t i = 0; i < N; ++i) EXPECT_EQ(text(back, i), text(r, i));
    }
    SettingsFile out(cp);
    write(out, full, "");
    SettingsFile in(cp, out.bytes() + "\"from a later version\"\r\nraw, line\r\n");
    T r{};
    ASSERT_EQ(read(in, r), Problem::None);
    const std::string later = in.rest();
    EXPECT_EQ(later, "\"from a later version\"\r\nraw, line\r\n");
    SettingsFile again(cp);
    write(again, r, later);
    EXPECT_EQ(again.bytes(), out.bytes() + later);
}

template <class T, std::size_t N> void expectVersionsRead(const Layout<T, N>& layout) {
    expectVersionsRead<T>(
        layout, [&](T& v, std::size_t i) -> std::string& { return v.*layout[i].member; },
        [&](SettingsFile& f, T& v) { return readFields(f, layout, v); },
        [&](SettingsFile& f, const T& v, const std::string& later) {
            writeFields(f, layout, v, later);
        });
}

TEST(FileLayouts, OlderFilesReadAndLaterLinesAreKept) {
    expectVersionsRead<ScourixIni>(
        kScourixRows, [](ScourixIni& v, std::size_t i) -> std::string& { return v.line[i]; },
        readScourixIni, writeScourixIni);
    expectVersionsRead(kNetworkLayout);
    expectVersionsRead(kDirecktLayout);
    expectVersionsRead(kSideProgramLayout);
}

// --- scourix.ini ---

// The typed values of scourix.ini: one rule each, and a value a window leaves as it read it is
// written back as it was read. A file of the first version, without the window place, is
// written again without it.
TEST(ScourixIniModel, OneRulePerValueAndUntouchedValuesKeepTheirText) {
    ScourixIni lines = firstRunLines();
    lines["LogoNoAction"] = "1", lines["LogoDeleteOthers"] = "1", lines["LogoBackupOthers"] = "";
    lines["DeleteStats"] = "1.0", lines["UsePilot"] = "12", lines["Language"] = "7";
    lines["AutoCloseTester"] = "1.5";
    PlayerSettings s = fromLines(lines);
    EXPECT_TRUE(s.deleteStats);
    EXPECT_FALSE(s.usePilot);
    EXPECT_FALSE(s.autoCloseTester);
    EXPECT_EQ(s.logos.shown(), Choice::Option::BackupOthers);
    EXPECT_TRUE(s.logos.skip());
    EXPECT_FALSE(s.logos.countsDeletion());
    EXPECT_EQ(s.language, lang::Language::English);
    EXPECT_FALSE(s.languageNamed);
    EXPECT_FALSE(s.window);

    ScourixIni back = toLines(s);
    EXPECT_EQ(back["LogoNoAction"] + back["LogoDeleteOthers"] + back["LogoBackupOthers"], "11");
    EXPECT_EQ(back["DeleteStats"], "1.0");
    EXPECT_EQ(back["UsePilot"], "12");
    // Its line is written bare, as 1, which would read as ticked.
    EXPECT_EQ(back["AutoCloseTester"], "0");
    EXPECT_EQ(back["Language"], "2");
    s.deleteStats = false, s.usePilot = true;
    s.logos.choose(Choice::Option::DeleteOthers);
    back = toLines(s);
    EXPECT_EQ(back["DeleteStats"], "0");
    EXPECT_EQ(back["UsePilot"], "1");
    EXPECT_EQ(back["LogoNoAction"] + back["LogoDeleteOthers"] + back["LogoBackupOthers"], "010");

    SettingsFile first(cp);
    writeFirstRunScourixIni(first);
    SettingsFile in(cp, first.bytes());
    ASSERT_EQ(readPlayerSettings(in, s), Problem::None);
    SettingsFile out(cp);
    writePlayerSettings(out, s);
    EXPECT_EQ(out.bytes(), "\"\"\r\n\"\"\r\n\"\"\r\n\"1\"\r\n\"0\"\r\n\"0\"\r\n\"1\"\r\n\"0\"\r\n\""
                           "0\"\r\n0\r\n\"\"\r\n\"2\"\r\n0\r\n\"\"\r\n0\r\n");
    s.window = Place{-1200, 40};
    SettingsFile placed(cp);
    writePlayerSettings(placed, s);
    EXPECT_EQ(placed.bytes(), out.bytes() + "\"-1200,40\"\r\n");
    for (const char* bad : {"", "1", "1,", ",2", "a,2", "1,2,3", "1.5,2", "99999999,1"})
        EXPECT_FALSE(readPlace(bad)) << bad;
}

TEST(ScourixIniLayout, SavedFileBytesAndRoundTrip) {
    ScourixIni v;
    v.line = {"C:\\Games\\Descent3",
              "D:\\logos",
              "D:\\taunts",
              "0",
              "1",
              "0",
              "0",
              "0",
              "1",
              "1",
              "Pilot",
              "1",
              "7x",
              "C:\\mt\\MusicTester.exe",
              "",
              ""};
    SettingsFile f(cp);
    writeScourixIni(f, v);
    EXPECT_EQ(f.bytes(), "\"C:\\Games\\Descent3\"\r\n\"D:\\logos\"\r\n\"D:\\taunts\"\r\n"
                         "\"0\"\r\n\"1\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"1\"\r\n"
                         "1\r\n\"Pilot\"\r\n\"1\"\r\n7\r\n\"C:\\mt\\MusicTester.exe\"\r\n0\r\n");

    SettingsFile in(cp, f.bytes());
    ScourixIni r;
    ASSERT_EQ(readScourixIni(in, r), Problem::None);
    EXPECT_TRUE(in.atEnd());
    // The bare lines come back by their numeric value.
    v["DeleteStats"] = "7", v["AutoCloseTester"] = "0";
    EXPECT_EQ(r.line, v.line);
}

TEST(ScourixIniLayout, FirstRunFile) {
    SettingsFile f(cp);
    writeFirstRunScourixIni(f);
    EXPECT_EQ(f.bytes(), "\r\n\r\n\r\n1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n\r\n2\r\n\r\n\r\n\r\n");

    SettingsFile in(cp, f.bytes());
    ScourixIni r;
    r["DeleteStats"] = "stale";
    ASSERT_EQ(readScourixIni(in, r), Problem::None);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(r.line, firstRunLines().line);

    // A first run speaks the system's interface language where it is one of ours; only the
    // Language line differs.
    const struct {
        const char* locale;
        const char* language;
    } systems[] = {{"fr_FR.UTF-8", "3"}, {"de", "1"},        {"zz_ZZ", "2"}, {"C", "2"}, {"", "2"},
                   {"es-ES", "4"},       {"it_IT@euro", "5"}};
    for (const auto& system : systems) {
        FakeHost host;
        host.uiLocale = system.locale;
        SettingsFile first(cp);
        writeFirstRunScourixIni(first, firstRunLanguage(host));
        std::string expected = f.bytes();
        expected.replace(expected.find("\r\n2\r\n"), 5,
                         std::string("\r\n") + system.language + "\r\n");
        EXPECT_EQ(first.bytes(), expected) << system.locale;
        SettingsFile back(cp, first.bytes());
        PlayerSettings read;
        ASSERT_EQ(readPlayerSettings(back, read), Problem::None);
        EXPECT_EQ(lang::setting(read.language), system.language) << system.locale;
        EXPECT_TRUE(read.languageNamed) << system.locale;
    }
}

TEST(ScourixIniLayout, ChoiceLinesKeepTheirTextBothWays) {
    // No choice selected ("0" three times) and an empty choice line survive as read.
    const std::string bytes = "\"\"\r\n\"\"\r\n\"\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n"
                              "\"1\"\r\n\r\n\"0\"\r\n0\r\n\"\"\r\n\"2\"\r\n0\r\n\"\"\r\n0\r\n";
    SettingsFile in(cp, bytes);
    ScourixIni r;
    ASSERT_EQ(readScourixIni(in, r), Problem::None);
    EXPECT_EQ(r["LogoNoAction"] + r["LogoDeleteOthers"] + r["LogoBackupOthers"], "000");
    EXPECT_EQ(r["TauntDeleteOthers"], "");
    SettingsFile out(cp);
    r["TauntDeleteOthers"] = "0";
    writeScourixIni(out, r);
    EXPECT_EQ(out.bytes(), "\"\"\r\n\"\"\r\n\"\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n"
                           "\"1\"\r\n\"0\"\r\n\"0\"\r\n0\r\n\"\"\r\n\"2\"\r\n0\r\n\"\"\r\n0\r\n");
}

TEST(ScourixIniLayout, FourteenLinesAreTooShort) {
    SettingsFile in(cp, repeat("\"x\"\r\n", 14));
    ScourixIni r;
    EXPECT_EQ(readScourixIni(in, r), Problem::TooShort);
    EXPECT_EQ(r["MusicTesterPath"], "x");
    EXPECT_EQ(r["AutoCloseTester"], "");
}

// --- logos.ini and taunts.ini ---

TEST(ListLayout, RoundTripKeepsOrderAndEmptyEntries) {
    const std::vector<std::string> entries{"b.ogf", "", "a, b.oaf", "Z.osf"};
    SettingsFile f(cp);
    writeList(f, entries);
    EXPECT_EQ(f.bytes(), "\"b.ogf\"\r\n\"\"\r\n\"a, b.oaf\"\r\n\"Z.osf\"\r\n");
    SettingsFile in(cp, f.bytes());
    std::vector<std::string> read{"stale"};
    readList(in, read);
    EXPECT_EQ(read, entries);
}

TEST(ListLayout, EmptyFileGivesEmptyList) {
    SettingsFile in(cp, "");
    std::vector<std::string> read{"stale"};
    readList(in, read);
    EXPECT_TRUE(read.empty());
}

// Every list is written within the bound it is read with, and read no further than it could be
// written: the longest list of empty entries fills 1 MiB exactly and reads back whole; one more
// is not written (the old file stays, the player told why, his path as his system shows it) and,
// as a file of bare line ends well within 1 MiB, is not read (a million such lines would cost
// hundreds of bytes each in memory).
TEST(ListLayout, ListsStayWithinTheBoundBothWays) {
    FakeFiles files;
    FakeHost host;
    host.kind = platform::System::Linux;
    const std::string path = "C:\\Prog\\taunts.ini";
    for (std::size_t lines : {kMaxLines, kMaxLines + 1}) {
        files.addFile(path, "\"old.osf\"\r\n");
        SettingsFile f(cp);
        writeList(f, std::vector<std::string>(lines));
        EXPECT_EQ(f.fits(), lines == kMaxLines);
        const Saving s = save(files, host, path, f.bytes(), lang::Language::German);
        EXPECT_EQ(s.written, lines == kMaxLines);
        EXPECT_EQ(s.tooBig,
                  lines == kMaxLines ? "" : tooBig("C:/Prog/taunts.ini", lang::Language::German));
        EXPECT_TRUE(*files.content(path) == (lines == kMaxLines ? f.bytes() : "\"old.osf\"\r\n"));
        const Problem want = lines == kMaxLines ? Problem::None : Problem::TooLong;
        for (const std::string& end : {std::string("\r\n"), std::string("\n")}) {
            std::string bytes;
            for (std::size_t i = 0; i < lines; ++i) bytes += end;
            SettingsFile list(cp, bytes), keys(cp, bytes + "\"***1\"\r\n");
            std::vector<std::string> read{"stale"};
            EXPECT_EQ(readList(list, read), want) << lines;
            EXPECT_EQ(read.size(), want == Problem::None ? lines : 0u);
            KeysIni k;
            EXPECT_EQ(readKeysIni(keys, k), want) << lines;
            EXPECT_EQ(k.switches.size(), want == Problem::None ? lines : 0u);
        }
    }
}

// --- keys.ini ---

TEST(KeysIniLayout, FirstRunFileAndItsFlags) {
    SettingsFile f(cp);
    writeFirstRunKeysIni(f);
    EXPECT_EQ(f.bytes(), kFirstRunKeys);

    SettingsFile in(cp, f.bytes());
    KeysIni k;
    readKeysIni(in, k);
    ASSERT_EQ(k.switches.size(), 15u);
    EXPECT_EQ(k.switches[0], "deadzone0 0.0");
    EXPECT_EQ(k.switches[13], "useport 2092");
    std::string active;
    for (std::size_t i = 0; i < k.switches.size(); ++i) active += k.active(i) ? '1' : '0';
    EXPECT_EQ(active, "011100010110000");
}

TEST(KeysIniLayout, SavedFileReadsLikeTheFirstRunFile) {
    SettingsFile first(cp, kFirstRunKeys);
    KeysIni a;
    readKeysIni(first, a);
    std::vector<bool> active;
    for (std::size_t i = 0; i < a.switches.size(); ++i) active.push_back(a.active(i));

    SettingsFile saved(cp);
    writeKeysIni(saved, a.switches, active);
    EXPECT_EQ(saved.bytes().substr(0, 17), "\"deadzone0 0.0\"\r\n");
    SettingsFile in(cp, saved.bytes());
    KeysIni b;
    readKeysIni(in, b);
    EXPECT_EQ(b.switches, a.switches);
    EXPECT_EQ(b.flags, a.flags);
}

TEST(KeysIniLayout, FlagStringShorterLongerOrMissing) {
    KeysIni k;
    SettingsFile shortFlags(cp, "a\r\nb\r\nc\r\n***11\r\n");
    readKeysIni(shortFlags, k);
    EXPECT_TRUE(k.active(0));
    EXPECT_TRUE(k.active(1));
    EXPECT_FALSE(k.active(2));

    SettingsFile longFlags(cp, "a\r\n***0x1111\r\n");
    readKeysIni(longFlags, k);
    EXPECT_EQ(k.switches, (Values{"a"}));
    EXPECT_FALSE(k.active(0));

    SettingsFile none(cp, "a\r\nb\r\n");
    readKeysIni(none, k);
    EXPECT_EQ(k.switches, (Values{"a", "b"}));
    EXPECT_FALSE(k.active(0));
    EXPECT_FALSE(k.active(1));
}

TEST(KeysIniLayout, LastFlagsLineCountsAndNoneBecomesASwitch) {
    SettingsFile in(cp, "***00\r\na\r\n***10\r\nb\r\n");
    KeysIni k;
    readKeysIni(in, k);
    EXPECT_EQ(k.switches, (Values{"a", "b"}));
    EXPECT_EQ(k.flags, "10");
}

TEST(KeysIniLayout, SavingSkipsFlagLinesButCountsThemInTheFlags) {
    SettingsFile f(cp);
    writeKeysIni(f, {"nointro", "***x", "useport 2092"}, {true, false, true});
    EXPECT_EQ(f.bytes(), "\"nointro\"\r\n\"useport 2092\"\r\n\"***101\"\r\n");

    SettingsFile empty(cp);
    writeKeysIni(empty, {}, {});
    EXPECT_EQ(empty.bytes(), "\"***\"\r\n");
}

// --- network.ini ---

TEST(NetworkIniLayout, RawRoundTrip) {
    NetworkIni v{"German", "0", "0", "1", "0", "0", "1", "0", "0", "1", "0", "pilot", "s3cret"};
    SettingsFile f(cp);
    writeNetworkIni(f, v);
    EXPECT_EQ(f.bytes(), "German\r\n0\r\n0\r\n1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n1\r\n0\r\n"
                         "pilot\r\ns3cret\r\n");
    SettingsFile in(cp, f.bytes());
    NetworkIni r;
    ASSERT_EQ(readNetworkIni(in, r), Problem::None);
    EXPECT_EQ(r.gameLanguage, "German");
    EXPECT_EQ(r.keyboardGerman, "1");
    EXPECT_EQ(r.speedCable, "1");
    EXPECT_EQ(r.trackerName, "pilot");
    EXPECT_EQ(r.trackerSecret, "s3cret");
}

TEST(NetworkIniLayout, CommaInTrackerNameShiftsTheSecret) {
    NetworkIni v{"English", "1", "0", "0", "0", "0", "1", "0", "0", "0", "1", "a,b", "pw"};
    SettingsFile f(cp);
    writeNetworkIni(f, v);
    SettingsFile in(cp, f.bytes());
    NetworkIni r;
    ASSERT_EQ(readNetworkIni(in, r), Problem::None);
    EXPECT_EQ(r.trackerName, "a");
    EXPECT_EQ(r.trackerSecret, "b");
    EXPECT_FALSE(in.atEnd());
}

TEST(NetworkIniLayout, TwelveLinesAreTooShort) {
    SettingsFile in(cp, repeat("0\r\n", 12));
    NetworkIni r;
    EXPECT_EQ(readNetworkIni(in, r), Problem::TooShort);
}

// --- direckt.ini ---

TEST(DirecktIniLayout, RoundTrip) {
    SettingsFile f(cp);
    writeDirecktIni(f, {"-directip 10.0.0.1:2092", "1", "0"});
    EXPECT_EQ(f.bytes(), "\"-directip 10.0.0.1:2092\"\r\n\"1\"\r\n\"0\"\r\n");
    SettingsFile in(cp, f.bytes());
    DirecktIni r;
    ASSERT_EQ(readDirecktIni(in, r), Problem::None);
    EXPECT_EQ(r.directTarget, "-directip 10.0.0.1:2092");
    EXPECT_EQ(r.directJoinMode, "1");
    EXPECT_EQ(r.askBeforeJoin, "0");
}

TEST(DirecktIniLayout, PartialReadKeepsWhatWasRead) {
    SettingsFile in(cp, "\"-pxo host\"\r\n\"2\"\r\n");
    DirecktIni r{"", "", "before"};
    EXPECT_EQ(readDirecktIni(in, r), Problem::TooShort);
    EXPECT_EQ(r.directTarget, "-pxo host");
    EXPECT_EQ(r.directJoinMode, "2");
    EXPECT_EQ(r.askBeforeJoin, "before");
}

// --- shelllist.txt ---

TEST(ShellListLayout, EditorFileRoundTrip) {
    ShellList v;
    v[0] = {"tool.exe", "C:\\Tools", "1"};
    v[4] = {"readme.txt", "D:\\", "0"};
    SettingsFile f(cp);
    writeShellList(f, v);
    EXPECT_EQ(f.bytes(), "\"tool.exe\"\r\n\"C:\\Tools\"\r\n1\r\n" +
                             repeat("\"\"\r\n\"\"\r\n0\r\n", 3) +
                             "\"readme.txt\"\r\n\"D:\\\"\r\n0\r\n");
    SettingsFile in(cp, f.bytes());
    ShellList r;
    ASSERT_EQ(readShellList(in, r), Problem::None);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(r[0].sideFile, "tool.exe");
    EXPECT_EQ(r[0].sideFolder, "C:\\Tools");
    EXPECT_EQ(r[0].sideEnabled, "1");
    EXPECT_EQ(r[2].sideEnabled, "0");
    EXPECT_EQ(r[4].sideFolder, "D:\\");
}

TEST(ShellListLayout, BothFirstRunFilesReadAsFiveEmptyDisabledSlots) {
    SettingsFile launcher(cp), editor(cp);
    writeLauncherShellList(launcher);
    writeEditorShellList(editor);
    EXPECT_EQ(launcher.bytes(), repeat("\r\n0\r\n0\r\n", 5));
    EXPECT_EQ(editor.bytes(), repeat("\"\"\r\n\"\"\r\n\"0\"\r\n", 5));
    for (const SettingsFile* file : {&launcher, &editor}) {
        SettingsFile in(cp, file->bytes());
        ShellList r;
        r[3].sideFile = "stale";
        ASSERT_EQ(readShellList(in, r), Problem::None);
        EXPECT_TRUE(in.atEnd());
        for (const SideProgram& slot : r) {
            EXPECT_EQ(slot.sideFile, "");
            EXPECT_EQ(numericValue(slot.sideEnabled), 0);
        }
    }
}

TEST(ShellListLayout, FourteenLinesAreTooShort) {
    SettingsFile in(cp, repeat("\r\n0\r\n0\r\n", 4) + "x\r\n0\r\n");
    ShellList r;
    EXPECT_EQ(readShellList(in, r), Problem::TooShort);
    EXPECT_EQ(r[4].sideFile, "x");
}

// --- Opening and describing ---

TEST(OpenFile, MissingUnreadableOrOpen) {
    FakeFiles files;
    files.addFile("C:\\Prog\\keys.ini", "nointro\r\n");
    files.addFile("C:\\Prog\\logos.ini", "\"a.ogf\"\r\n");
    files.failRead("C:\\Prog\\logos.ini");
    Store store{files, cp, "C:\\Prog"};

    SettingsFile f(cp);
    EXPECT_EQ(openFile(store, kTauntsIni, f), Problem::Missing);
    EXPECT_EQ(openFile(store, kLogosIni, f), Problem::Unreadable);
    ASSERT_EQ(openFile(store, kKeysIni, f), Problem::None);
    EXPECT_EQ(f.bytes(), "nointro\r\n");

    // A file bigger than any of ours is not read whole: it would cost many times its size.
    files.addFile("C:\\Prog\\taunts.ini", std::string(SettingsFile::kMaxBytes, '\n'));
    EXPECT_EQ(openFile(store, kTauntsIni, f), Problem::None);
    files.addFile("C:\\Prog\\taunts.ini", std::string(SettingsFile::kMaxBytes + 1, '\n'));
    EXPECT_EQ(openFile(store, kTauntsIni, f), Problem::Unreadable);
    EXPECT_EQ(f.bytes(), "") << "nothing of it is held";

    // A name that could not be asked about, or that is a folder, is unreadable, never missing:
    // a missing file would be written new.
    files.failQuery("C:\\Prog\\network.ini");
    EXPECT_EQ(openFile(store, kNetworkIni, f), Problem::Unreadable);
    files.addFolder("C:\\Prog\\direckt.ini");
    EXPECT_EQ(openFile(store, kDirecktIni, f), Problem::Unreadable);
}

// A copy of an unreadable settings file that says it worked but came out short is no copy: the
// file stays as it is and the short copy does not stay behind.
TEST(KeepCopy, AShortCopyIsNotLeftBehindAndTheFileIsNotReplaced) {
    FakeFiles files;
    const std::string path = "/home/p/.config/scourix\\keys.ini",
                      bytes = std::string("\xFF\xFEn\0o\0", 6);
    files.addFile(path, bytes);
    files.copyShort(path);
    FakeHost host;
    host.kind = platform::System::Linux;
    const Replaced r = replaceUnreadable(files, host, path, "fresh", lang::Language::English);
    EXPECT_TRUE(r.leftAlone);
    EXPECT_NE(r.message.find("\"/home/p/.config/scourix/keys.ini\""), std::string::npos)
        << "named as the player reads it: " << r.message;
    EXPECT_FALSE(r.written);
    EXPECT_EQ(files.content(path), bytes);
    EXPECT_EQ(files.snapshot().size(), 1u) << "no short copy beside it";
}

TEST(Describe, NamesTheFileInBothLanguages) {
    constexpr auto english = lang::Language::English, german = lang::Language::German;
    for (Problem p : {Problem::Missing, Problem::Unreadable, Problem::TooShort}) {
        const std::string en = describe(p, "keys.ini", english);
        const std::string de = describe(p, "keys.ini", german);
        EXPECT_NE(en.find("\"keys.ini\""), std::string::npos) << en;
        EXPECT_NE(de.find("\"keys.ini\""), std::string::npos) << de;
        EXPECT_NE(en, de);
        EXPECT_EQ(de.rfind("Die Einstellungsdatei", 0), 0u) << de;
    }
    EXPECT_EQ(describe(Problem::Missing, "keys.ini", english),
              "The settings file \"keys.ini\" is missing.");
    EXPECT_EQ(describe(Problem::Missing, "keys.ini", german),
              "Die Einstellungsdatei \"keys.ini\" fehlt.");
    EXPECT_NE(describe(Problem::Unreadable, "a", english),
              describe(Problem::TooShort, "a", english));
    EXPECT_NE(describe(Problem::Unreadable, "a", german), describe(Problem::TooShort, "a", german));
    EXPECT_EQ(describe(Problem::None, "a", english), "");
}
