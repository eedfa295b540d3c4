// Descent3.exe stand-in, the open-source game: reads .Descent3Registry in the player's own folder
// by the game's rules and records what it read, its command line and working folder in
// launched.txt beside itself. While a file "hold" lies beside it, it keeps running (a game
// being played).
//
// The game's rules: a line longer than 500 characters is not a line of the file; a last line
// without a line end is not read; "[Name]" in column 0 opens a section; "Name"="text" and
// "Name"=dword:HEX are values, their names compared without case; values longer than 300
// characters are not read; every other line is passed over.
#include <shlobj.h>

#include <cctype>
#include <cstdint>
#include <fstream>
#include <sstream>

#include "standin.h"

using standin::utf8;

namespace {

const char* const kValues[] = {"Default_pilot",     "LanguageType",    "KeyboardType",
                               "NetworkConnection", "ConnectionSpeed", "ClientPPS",
                               "TrackerLogin",      "TrackerPassword"};

bool same(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The value of `name` in [Descent3] as the game reads it: "text", "dword:DECIMAL", "<missing>".
std::string lookUp(const std::string& bytes, const std::string& name) {
    std::string section;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) break; // no line end: not read
        std::string line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 500 || line.empty()) continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        if (line[0] != '"' || !same(section, "Descent3")) continue;
        std::size_t close = line.find('"', 1);
        if (close == std::string::npos || line.compare(close + 1, 1, "=") != 0) continue;
        if (!same(line.substr(1, close - 1), name)) continue;
        std::string rest = line.substr(close + 2);
        if (rest.size() >= 2 && rest[0] == '"' && rest.find('"', 1) != std::string::npos) {
            std::string v = rest.substr(1, rest.find('"', 1) - 1);
            if (v.size() <= 300) return v;
        } else if (rest.rfind("dword:", 0) == 0) {
            return "dword:" + std::to_string(std::stoul(rest.substr(6), nullptr, 16));
        }
    }
    return "<missing>";
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t data[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, data);
    std::wstring file =
        std::wstring(data) + L"\\Outrage Entertainment\\Descent 3\\.Descent3Registry";
    std::ifstream in(file.c_str(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();

    wchar_t self[MAX_PATH * 2];
    std::wstring me(self, GetModuleFileNameW(nullptr, self, DWORD(std::size(self))));
    std::string out = "program=" + utf8(me.substr(me.find_last_of(L'\\') + 1)) + "\n";
    out += "cmdline=" + utf8(standin::rawArguments()) + "\n";
    out += "cwd=" + utf8(standin::currentFolder()) + "\n";
    out += std::string("settings=") + (in ? "read" : "missing") + "\n";
    for (const char* name : kValues)
        out += "file." + std::string(name) + "=" + lookUp(bytes.str(), name) + "\n";

    const std::wstring hold = standin::exeFolder() + L"\\hold";
    if (GetFileAttributesW(hold.c_str()) != INVALID_FILE_ATTRIBUTES) {
        standin::writeFileWhole(standin::exeFolder() + L"\\running.txt", out);
        for (int i = 0; i < 1200 && GetFileAttributesW(hold.c_str()) != INVALID_FILE_ATTRIBUTES;
             ++i)
            Sleep(100);
        return 0;
    }
    return standin::writeFileWhole(standin::exeFolder() + L"\\launched.txt", out) ? 0 : 1;
}
