#include "tests/support/game_reading.h"

#include <cctype>
#include <sstream>

namespace gamereading {
namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// fgets on a stream opened in text mode: at most 499 bytes, up to and with the line end. False
// when the read met the end of the file (the game then drops what it read).
bool nextLine(const std::string& text, std::size_t& at, std::string& line) {
    line.clear();
    while (line.size() < 499) {
        if (at >= text.size()) return false;
        const char c = text[at++];
        line += c;
        if (c == '\n') break;
    }
    return true;
}

} // namespace

bool overruns(const std::string& name, std::size_t bytes) {
    auto it = kCallerBuffers.find(lower(name));
    return it != kCallerBuffers.end() && bytes >= it->second;
}

const Held* Settings::held(const std::string& name) const {
    auto it = values.find(lower(name));
    return it == values.end() ? nullptr : &it->second;
}

std::optional<std::string> Settings::text(const std::string& name) const {
    const Held* h = held(name);
    if (!h || h->number) return std::nullopt;
    return h->text;
}

std::optional<std::int32_t> Settings::number(const std::string& name) const {
    const Held* h = held(name);
    if (!h || !h->number) return std::nullopt;
    return h->value;
}

Settings readSettings(const std::string& fileBytes, const std::string& section) {
    std::string text;
    for (std::size_t i = 0; i < fileBytes.size() && fileBytes[i] != '\x1a'; ++i) {
        if (fileBytes[i] == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n') continue;
        text += fileBytes[i];
    }
    Settings out;
    bool inside = false, anyKey = false;
    std::size_t at = 0;
    std::string line;
    while (nextLine(text, at, line)) {
        const std::string c(line.c_str()); // the game's string functions stop at a NUL
        if (c.empty()) continue;
        if (c[0] == '[') {
            const auto close = c.find(']');
            inside = close != std::string::npos && lower(c.substr(1, close - 1)) == lower(section);
            anyKey = true;
            continue;
        }
        if (c[0] != '"' || !anyKey) continue;
        const auto nameEnd = c.find('"', 1);
        if (nameEnd == std::string::npos) continue;
        const std::string name = lower(c.substr(1, nameEnd - 1));
        const auto eq = c.find('=');
        Held h;
        h.number = eq != std::string::npos && eq + 1 < c.size() && c[eq + 1] == 'd';
        std::size_t p = nameEnd + 2 + (h.number ? 6 : 0);
        if (p > c.size()) {
            h.text.reset();
        } else {
            while (p < c.size() && std::isspace(static_cast<unsigned char>(c[p]))) ++p;
            if (h.number) {
                std::string token;
                while (p < c.size() && !std::isspace(static_cast<unsigned char>(c[p])) &&
                       c[p] != ',' && token.size() < 299)
                    token += c[p++];
                std::istringstream in(token);
                in >> std::hex >> h.value; // as the game converts; a failure leaves 0
            } else if (p < c.size() && c[p] == '"') {
                std::string data;
                std::size_t q = p + 1;
                while (q < c.size() && c[q] != '"' && data.size() < 299) data += c[q++];
                if (q < c.size() && c[q] == '"') h.text = data;
            }
        }
        if (!inside) continue;
        if (!h.number && !h.text) out.overruns.push_back(name);
        if (h.text && overruns(name, h.text->size())) out.overruns.push_back(name);
        out.values[name] = h;
    }
    return out;
}

std::string recordOf(const Settings& s) {
    std::string out;
    for (const char* name : {"Default_pilot", "LanguageType", "KeyboardType", "NetworkConnection",
                             "ConnectionSpeed", "ClientPPS", "TrackerLogin", "TrackerPassword"}) {
        const Held* h = s.held(name);
        out += "file." + std::string(name) + "=" +
               (!h          ? "<missing>"
                : h->number ? "dword:" + std::to_string(h->value)
                : h->text   ? *h->text
                            : "<overrun>") +
               "\n";
    }
    std::string overruns;
    for (const auto& name : s.overruns) overruns += (overruns.empty() ? "" : ",") + name;
    return out + "file.overruns=" + overruns + "\n";
}

Arguments gatherArgs(const std::string& parameters) {
    Arguments out;
    std::string row;
    bool quoted = false;
    auto close = [&] {
        out.args.push_back(row);
        row.clear();
    };
    for (char ch : parameters) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (row.empty() && c == '"') {
            quoted = true;
            continue;
        }
        if ((quoted && c == '"') || (!quoted && c == ' ')) {
            quoted = false;
            close();
        } else {
            row += c;
        }
    }
    close();
    out.overrun = out.args.size() > 28;
    for (std::size_t i = 0; i < out.args.size(); ++i) {
        out.overrun = out.overrun || out.args[i].size() > 99;
        const bool join = out.args[i] == "-DIRECTIP" || out.args[i] == "-PXO";
        if (join && i + 1 < out.args.size() && out.args[i + 1].size() > 49) out.overrun = true;
    }
    return out;
}

bool findsSwitch(const Arguments& a, const std::string& name, bool openSource) {
    for (const auto& arg : a.args) {
        std::string rest = lower(arg);
        if (!openSource) {
            if (rest == "-" + name || ((name == "ip" || name == "port") && rest == name))
                return true;
            continue;
        }
        if (rest.size() > 1 && rest[0] == '-')
            rest.erase(0, rest[1] != '-' ? 1 : rest.size() > 2 ? 2 : 0);
        else if (rest.size() > 1 && rest[0] == '+' && rest[1] != '+')
            rest.erase(0, 1);
        if (rest == name) return true;
    }
    return false;
}

} // namespace gamereading
