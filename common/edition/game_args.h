#pragma once
// The game's command line as its own code takes it apart: split at every blank (two blanks make
// an empty argument between them, a blank at the end one after it); an argument that starts
// with a double quote runs to the next double quote. The arguments go into fixed rows the game
// never checks: at most kMaxArgs arguments of at most kMaxArgChars characters each. Both
// editions on Windows read their command line this way.
#include <string>
#include <vector>

#include "common/language/language.h"

namespace edition {

inline constexpr std::size_t kMaxArgs = 28;
inline constexpr std::size_t kMaxArgChars = 99;

// Whether the game's rows hold every argument of `line` (the parameters after the program).
bool gameCanHold(const std::string& line);

// "-pilot NAME ", the name in double quotes when it holds a blank, so that the game takes it as
// one argument; empty for a name that no argument can carry (one holding a double quote).
std::string pilotSwitch(const std::string& name);

// The switch the game finds in `value`, an argument it is handed as a value: the open-source
// game strips a leading "--", "-" or "+" from every argument, values included, and compares
// the rest without case with the names it looks up; the retail game compares whole arguments
// ("-heat", and "ip" and "port" without a dash). The switch's name in lower case ("heat"),
// empty when the game takes the value for none.
std::string switchReadFrom(const std::string& value, bool openSource);

// The game copies the address of a direct join (after -directip or -pxo) into 50 bytes.
inline constexpr std::size_t kMaxAddressBytes = 49;

// Why the game cannot be handed `address` for a direct join, in the given language: too long
// for the game's buffer, or a word of it read as a switch. Empty when the address can go.
std::string addressRefused(lang::Language l, const std::string& address, bool openSource);
// The same for a target as direckt.ini holds it, "-directip ADDRESS" or "-pxo ADDRESS". A target
// without either switch holds no address: it is the player's own switches, passed on as they are.
std::string targetRefused(lang::Language l, const std::string& target, bool openSource);

// That the game reads the pilot's name as a switch, so Gatefire leaves "-pilot" out and the
// game starts with the pilot it was last set to, which Gatefire sets beforehand. Empty when
// the name can be handed to the game.
std::string pilotReadAsSwitch(lang::Language l, const std::string& name, bool openSource);

// `before`, then each of `parts` in order that still leaves room for `after`, then `after`.
// The parts that did not fit are added to `leftOut`.
std::string fitToGame(const std::string& before, const std::vector<std::string>& parts,
                      const std::string& after, std::vector<std::string>& leftOut);

// The game's limits in a sentence, in the given language; and that a text is past them.
std::string argumentLimits(lang::Language l);
std::string tooLongForTheGame(lang::Language l);

} // namespace edition
