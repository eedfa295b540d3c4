#include "common/edition/game_args.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/lower_case.h"

namespace edition {
namespace {

// Every name the game looks up as a switch, v1.5.0 and the main line together, in order.
// clang-format off
constexpr std::array<std::string_view, 108> kSwitchNames = {
    "additionaldir", "alternatejoy", "aspect", "audiotauntdelay", "autoexec", "bumped",
    "cl_pxotrack", "connect", "create", "d3mbaseurl", "datacheck", "deadzone0", "deadzone1",
    "debug", "dedicated", "directinput", "directip", "display", "doonelevel", "fastdemo", "filter",
    "forcelightmaps", "forcestatelimited", "framecap", "fullscreen", "game_checksum", "gameid",
    "gamespyport", "glide", "gllibrary", "gllists", "gltexturehack", "gspyfile", "heat", "height",
    "himem", "hividmem", "host", "httpproxy", "invertmouseslide", "ip", "joystick", "kern",
    "kerndump", "limitframe", "loadlevel", "logfile", "loglevel", "lowmem", "makemovie", "mission",
    "mlooksens", "motionblur", "mousesens", "name", "netdebug", "nocompress", "nodgamouse",
    "nogamma", "nointro", "nolightmaps", "nomotionblur", "nomousegrab", "nomultibmp",
    "nomultitexture", "nomusic", "nonetwork", "nooutdoorfog", "nooutragelogo", "norenderwindows",
    "nosatomega", "noshells", "nosound", "nosparkles", "noterrainfog", "oldmethod", "pilot",
    "playermessages", "port", "pxo", "pxoport", "quitongoal", "rjoy", "savescript", "scoreserver",
    "sdlsndsize", "service", "setdir", "sharedmemory", "slowkey", "subpixelcorrect", "subtitles",
    "superlowmem", "tempdir", "timeout", "url", "useexedir", "useip", "useport", "useseconddevice",
    "usesmoothing", "view", "vsync", "width", "winconsole", "windowed", "windowgl", "z32bit",
};
// clang-format on

static_assert(std::is_sorted(kSwitchNames.begin(), kSwitchNames.end()));

bool isSwitchName(const std::string& name) {
    return std::binary_search(kSwitchNames.begin(), kSwitchNames.end(), name);
}

// The open-source game's prefix rule: "--foo", "-foo" and "+foo" are "foo"; "-", "--", "+"
// and "++" stay as they are.
std::string withoutPrefix(const std::string& arg) {
    if (arg.size() < 2) return arg;
    if (arg[0] == '-' && arg[1] == '-') return arg.size() > 2 ? arg.substr(2) : arg;
    if (arg[0] == '-' || (arg[0] == '+' && arg[1] != '+')) return arg.substr(1);
    return arg;
}

} // namespace

std::string switchReadFrom(const std::string& value, bool openSource) {
    if (!openSource) {
        const std::string v = text::lowerCase(value);
        if (v == "ip" || v == "port") return v;
        return v.size() > 1 && v[0] == '-' && isSwitchName(v.substr(1)) ? v.substr(1) : "";
    }
    // One-letter switches, compared with case: -m no mouse grab, -w windowed, -f full screen,
    // -g the GL library, -d dedicated server, -M no gamma.
    if (value.size() == 2 && value[0] == '-' &&
        std::string("mwfgdM").find(value[1]) != std::string::npos)
        return value;
    const std::string name = text::lowerCase(withoutPrefix(value));
    return isSwitchName(name) ? name : "";
}

std::string addressRefused(lang::Language l, const std::string& address, bool openSource) {
    if (address.size() > kMaxAddressBytes) {
        return lang::tr(l,
                        "The server address is too long for the game: it takes at most {1} bytes "
                        "(a letter outside A to Z takes two or more).",
                        {std::to_string(kMaxAddressBytes)});
    }
    // Each word is an argument of its own.
    for (std::size_t at = 0; at <= address.size();) {
        std::size_t end = std::min(address.find(' ', at), address.size());
        const std::string word = address.substr(at, end - at);
        at = end + 1;
        const std::string name = switchReadFrom(word, openSource);
        if (name.empty()) continue;
        return lang::tr(l,
                        "The game would read \"{1}\" in the server address as its switch -{2}. "
                        "Please enter the server's address as IP address or host name with its "
                        "port.",
                        {word, name});
    }
    return "";
}

std::string targetRefused(lang::Language l, const std::string& target, bool openSource) {
    for (const std::string sw : {"-directip ", "-pxo "})
        if (target.rfind(sw, 0) == 0)
            return addressRefused(l, target.substr(sw.size()), openSource);
    return "";
}

std::string pilotReadAsSwitch(lang::Language l, const std::string& name, bool openSource) {
    const std::string sw = switchReadFrom(name, openSource);
    if (sw.empty()) return "";
    return lang::tr(l,
                    "The game reads the pilot name \"{1}\" as its switch -{2}. Gatefire therefore "
                    "starts the game without \"-pilot {1}\" and makes {1} the game's default "
                    "pilot instead: confirm it in the game's pilot selection.",
                    {name, sw});
}

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
    return lang::tr(l,
                    "The game takes at most {1} command-line arguments (separated by blanks) of "
                    "at most {2} characters each.",
                    {std::to_string(kMaxArgs), std::to_string(kMaxArgChars)});
}

std::string tooLongForTheGame(lang::Language l) {
    return lang::tr(l, "This is too long for the game. {1}", {argumentLimits(l)});
}

} // namespace edition
