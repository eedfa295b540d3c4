#pragma once
// What the game makes of what we hand it, written from its reading rules (not from our code), so
// that the tests hold every value the programs write against the game's view:
// - its settings file: read in text mode (CR LF is LF, Ctrl-Z ends the file) with a line buffer
//   of 500 bytes, a last line without its end dropped, sections merged, the last record of a
//   name kept, a text taken into 300 bytes, then copied whole into its caller's buffer
//   (kCallerBuffers);
// - its command line: upper-cased, split at blanks and double quotes into 30 rows of 100 bytes,
//   the address of a direct join copied into 50 bytes; a switch looked up over every argument.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace gamereading {

// The buffers the game's callers read text values into, in bytes with the terminating zero, by
// value name in lower case. The open-source game copies a value whole into them; the retail
// game reads its registry values with the buffer's size and gets nothing from a longer one.
inline const std::map<std::string, std::size_t> kCallerBuffers{{"default_pilot", 260},
                                                               {"keyboardtype", 256},
                                                               {"networkconnection", 100},
                                                               {"trackerlogin", 33},
                                                               {"trackerpassword", 17}};
// Whether a text of `bytes` bytes, as the game reads it, is past its caller's buffer.
bool overruns(const std::string& name, std::size_t bytes);

struct Held {
    bool number = false;
    std::optional<std::string> text; // none: the 300-byte buffer was left without its end
    std::int32_t value = 0;
};

struct Settings {
    // Value name, lower case, to what the game holds, for one section (all of its blocks).
    std::map<std::string, Held> values;
    // Values that overran a buffer of the game's (past 299 bytes, or past the caller's buffer).
    std::vector<std::string> overruns;
    const Held* held(const std::string& name) const; // none: no record of the name
    std::optional<std::string> text(const std::string& name) const;
    std::optional<std::int32_t> number(const std::string& name) const;
};
Settings readSettings(const std::string& fileBytes, const std::string& section = "Descent3");
// What the stand-in games record of it: a line "file.NAME=" for each value the launcher writes
// ("text", "dword:DECIMAL", "<missing>", or "<overrun>" for a buffer left without its end), then
// "file.overruns=" with the names that overran, separated by commas.
std::string recordOf(const Settings& s);

struct Arguments {
    std::vector<std::string> args; // rows 1.. as the game fills them, upper case
    bool overrun = false; // more rows or longer rows than the game has, or a join's address
                          // (after -directip or -pxo) over 49 bytes
};
Arguments gatherArgs(const std::string& parameters);

// Whether the game finds the switch `name` (without dash) anywhere in its arguments. The
// open-source game strips "--", "-" or "+" from each argument and compares the rest without
// case; the retail game compares whole arguments with "-name", or with "ip" and "port" bare.
bool findsSwitch(const Arguments& a, const std::string& name, bool openSource);

} // namespace gamereading
