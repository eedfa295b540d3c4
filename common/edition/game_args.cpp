#include "common/edition/game_args.h"

namespace edition {

bool gameCanHold(const std::string& line) {
    std::size_t args = 1, chars = 0;
    bool quoted = false;
    for (char c : line) {
        if (chars == 0 && c == '"') {
            quoted = true;
        } else if (c == (quoted ? '"' : ' ')) {
            ++args, chars = 0, quoted = false;
        } else if (++chars > kMaxArgChars) {
            return false;
        }
    }
    return args <= kMaxArgs;
}

std::string pilotSwitch(const std::string& name) {
    if (name.find('"') != std::string::npos) return "";
    return "-pilot " + (name.find(' ') == std::string::npos ? name : "\"" + name + "\"") + " ";
}

std::string fitToGame(const std::string& before, const std::vector<std::string>& parts,
                      const std::string& after, std::vector<std::string>& leftOut) {
    std::string line = before;
    for (const auto& part : parts) {
        if (gameCanHold(line + part + after))
            line += part;
        else
            leftOut.push_back(part);
    }
    return line + after;
}

std::string argumentLimits(lang::Language l) {
    const std::string args = std::to_string(kMaxArgs), chars = std::to_string(kMaxArgChars);
    return lang::pick(l,
                      "The game takes at most " + args +
                          " command-line arguments (separated by blanks) of at most " + chars +
                          " characters each.",
                      "Das Spiel nimmt höchstens " + args +
                          " Befehlszeilenargumente (durch Leerzeichen getrennt) zu je höchstens " +
                          chars + " Zeichen an.");
}

std::string tooLongForTheGame(lang::Language l) {
    return lang::pick(l, "This is too long for the game. ", "Das ist zu lang für das Spiel. ") +
           argumentLimits(l);
}

} // namespace edition
