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

// `before`, then each of `parts` in order that still leaves room for `after`, then `after`.
// The parts that did not fit are added to `leftOut`.
std::string fitToGame(const std::string& before, const std::vector<std::string>& parts,
                      const std::string& after, std::vector<std::string>& leftOut);

// The game's limits in a sentence, in the given language; and that a text is past them.
std::string argumentLimits(lang::Language l);
std::string tooLongForTheGame(lang::Language l);

} // namespace edition
