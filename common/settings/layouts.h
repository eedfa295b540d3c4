#pragma once
#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "common/language/language.h"
#include "common/settings/settings_file.h"

namespace platform {
class Files;
class Codepage;
} // namespace platform

namespace platform {
class Host;
}

namespace settings {

// Why a settings file could not be loaded.
enum class Problem {
    None,
    Missing,    // the file does not exist
    Unreadable, // it exists but cannot be opened
    TooShort,   // a read ran past its end
    NotText,    // it holds zero bytes: saved as UTF-16 or not a text file at all
    TooLong,    // a list of more lines than it could be saved with (kMaxLines)
};

// The most lines a list (logos.ini, taunts.ini, keys.ini) can have and still be saved within
// SettingsFile::kMaxBytes: each takes 4 bytes at least when written (an empty entry is "" and
// CR LF; a switch, its line and its flag). A longer list is read no further, so that a file
// of many empty lines costs no more memory than one of names.
constexpr std::size_t kMaxLines = SettingsFile::kMaxBytes / 4;

// Everything a loader needs: the files, the code page and the program folder.
struct Store {
    platform::Files& files;
    platform::Codepage& codepage;
    std::string folder; // program folder, without trailing backslash

    std::string path(const std::string& fileName) const { return folder + "\\" + fileName; }
};

extern const char* const kScourixIni;   // "scourix.ini"
extern const char* const kLogosIni;     // "logos.ini"
extern const char* const kTauntsIni;    // "taunts.ini"
extern const char* const kKeysIni;      // "keys.ini"
extern const char* const kNetworkIni;   // "network.ini"
extern const char* const kDirecktIni;   // "direckt.ini"
extern const char* const kShellListTxt; // "shelllist.txt"

// How a value stands in its file.
enum class Style {
    Quoted, // text between quotes
    Number, // bare, by its numeric value
    Raw,    // the text unchanged
};

// The version a line came with, {1, 0} unless its row names a later one. A file ends after the
// last line of the version that wrote it.
struct Since {
    int x = 1, y = 0; // version x.y
    auto operator<=>(const Since&) const = default;
};

// One value of a settings file, declared as a line of scourix.ini is (ScourixRow): its name as
// the files call it, where it lives in its struct, how it is written, what the first-run file
// holds for it and with which version its line came.
template <class T> struct Field {
    const char* name;
    std::string T::*member;
    Style style;
    const char* firstRun;
    Since since = {};
};

// A file layout: its values in the order of the file's lines.
template <class T, std::size_t N> using Layout = std::array<Field<T>, N>;

// The rules below take any table of lines in the order of the file, each with its `style`,
// `firstRun` and `since`, and `text(i)`, the text of line i.

// Reads one value per line in turn. A file that ends where a later version's lines begin was
// written by an older version: those lines take their first-run values. A file that ends inside
// one version's lines is TooShort, and the values read before its end stay.
template <class Rows, class Text> Problem readRows(SettingsFile& f, const Rows& rows, Text text) {
    const std::size_t n = std::size(rows);
    for (std::size_t i = 0; i < n; ++i) {
        if (f.readValue(text(i))) continue;
        if (i == 0 || rows[i].since <= rows[i - 1].since) return Problem::TooShort;
        for (; i < n; ++i) text(i) = rows[i].firstRun;
    }
    return Problem::None;
}

// The number of lines a file of these values needs: the lines of a later version that all hold
// their first-run values are left off, so that a file an older version wrote stays as it was.
// `later` holds the lines a still later version wrote after ours: with them, every line stays.
template <class Rows, class Text>
std::size_t linesNeeded(const Rows& rows, Text text, const std::string& later) {
    std::size_t n = std::size(rows);
    if (!later.empty()) return n;
    while (n > 1 && rows[n - 1].since != rows[0].since && text(n - 1) == rows[n - 1].firstRun) --n;
    return n;
}

// Writes every value in the style of its line, then the lines of a later version as they were
// read (`later`, from SettingsFile::rest).
template <class Rows, class Text>
void writeRows(SettingsFile& f, const Rows& rows, Text text, const std::string& later = {}) {
    const std::size_t n = linesNeeded(rows, text, later);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& value = text(i);
        switch (rows[i].style) {
        case Style::Quoted:
            f.writeText(value);
            break;
        case Style::Number:
            f.writeNumber(numericValue(value));
            break;
        case Style::Raw:
            f.writeRaw(value);
            break;
        }
    }
    f.writeBytes(later);
}

// The first-run file of a table: each line's first-run value (or `firstRun(i)`), raw; the lines
// of later versions are left off, as linesNeeded leaves them off.
template <class Rows, class FirstRun>
void writeFirstRunRows(SettingsFile& f, const Rows& rows, FirstRun firstRun) {
    for (std::size_t i = 0; i < std::size(rows); ++i)
        if (rows[i].since == rows[0].since) f.writeRaw(firstRun(i));
}

template <class T, std::size_t N>
Problem readFields(SettingsFile& f, const Layout<T, N>& layout, T& out) {
    return readRows(f, layout,
                    [&](std::size_t i) -> std::string& { return out.*layout[i].member; });
}

template <class T, std::size_t N>
void writeFields(SettingsFile& f, const Layout<T, N>& layout, const T& v,
                 const std::string& later = {}) {
    writeRows(
        f, layout, [&](std::size_t i) -> const std::string& { return v.*layout[i].member; }, later);
}

// The first-run values of a layout.
template <class T, std::size_t N> T firstRunValues(const Layout<T, N>& layout) {
    T v{};
    for (const Field<T>& field : layout) v.*field.member = field.firstRun;
    return v;
}

template <class T, std::size_t N> void writeFirstRun(SettingsFile& f, const Layout<T, N>& layout) {
    writeFirstRunRows(f, layout, [&](std::size_t i) { return layout[i].firstRun; });
}

// The language of a first run: the system's interface language where it is one of ours, else
// English.
lang::Language firstRunLanguage(platform::Host& host);

// logos.ini and taunts.ini: one entry per value until the end of the file (replaces `out`).
// TooLong, and `out` empty, past kMaxLines.
Problem readList(SettingsFile& f, std::vector<std::string>& out);
void writeList(SettingsFile& f, const std::vector<std::string>& entries);

// keys.ini: switch lines and the "***" flags line.
struct KeysIni {
    std::vector<std::string> switches;
    std::string flags; // the text after "***" of the last flags line
    // Switch i (from 0) is active when character i of the flags is "1".
    bool active(std::size_t i) const { return i < flags.size() && flags[i] == '1'; }
};
// Reads to the end of the file; replaces `out`. TooLong, and `out` empty, past kMaxLines.
Problem readKeysIni(SettingsFile& f, KeysIni& out);
// Quoted style: every switch not starting with "***", then "***" and one flag each; a switch
// holding a double quote (a value the game is to take as one argument) in the raw style.
void writeKeysIni(SettingsFile& f, const std::vector<std::string>& switches,
                  const std::vector<bool>& active);
void writeFirstRunKeysIni(SettingsFile& f);
// Whether keys.ini reads a switch back as it was written: one with a double quote goes raw, so it
// must not start with a quote or a blank, nor hold a comma or a line end.
bool keysIniKeeps(const std::string& sw);

// network.ini: thirteen raw values.
struct NetworkIni {
    std::string gameLanguage;
    std::string keyboardUS, keyboardFrench, keyboardGerman;
    std::string netNone, netDialup, netLan;
    std::string speed56K, speedIsdn, speedCable, speedFast;
    std::string trackerName, trackerSecret;
};
extern const Layout<NetworkIni, 13> kNetworkLayout;
Problem readNetworkIni(SettingsFile& f, NetworkIni& out);
void writeNetworkIni(SettingsFile& f, const NetworkIni& v);

// direckt.ini: three quoted values.
struct DirecktIni {
    std::string directTarget, directJoinMode, askBeforeJoin;
};
extern const Layout<DirecktIni, 3> kDirecktLayout;
// Reads as far as it can: the values read before a failure stay in `out`.
Problem readDirecktIni(SettingsFile& f, DirecktIni& out);
void writeDirecktIni(SettingsFile& f, const DirecktIni& v);

// DirectTarget as the direct-join window composes it: the game switch for the server kind,
// "-pxo " or "-directip ", followed by the address.
struct JoinTarget {
    std::string address;
    bool pxo = true;
};
std::string composeTarget(const JoinTarget& t);
// The address and kind in a target; a text without either switch gives no address and PXO.
JoinTarget splitTarget(const std::string& target);

// shelllist.txt: five slots of file, folder and start flag.
struct SideProgram {
    std::string sideFile, sideFolder, sideEnabled;
};
// One slot; the launcher's first-run values.
extern const Layout<SideProgram, 3> kSideProgramLayout;
using ShellList = std::array<SideProgram, 5>;
Problem readShellList(SettingsFile& f, ShellList& out);
// The editor's quoted file: file and folder as text, the flag bare.
void writeShellList(SettingsFile& f, const ShellList& v);
// The launcher's first-run file: per slot an empty line, "0" and "0", raw.
void writeLauncherShellList(SettingsFile& f);
// The editor's first-run file: per slot empty text, empty text and the text "0", quoted.
void writeEditorShellList(SettingsFile& f);

// Opens `fileName` in the store's folder for reading: Missing, Unreadable, NotText or None.
Problem openFile(const Store& store, const std::string& fileName, SettingsFile& f);

// Wording of a problem with a file, in the given language; empty for None.
std::string describe(Problem p, const std::string& fileName, lang::Language l);
// For the player: `path` was not written, as it would be bigger than the programs read back.
std::string tooBig(const std::string& path, lang::Language l);

} // namespace settings
