// Descent3.exe stand-in, the open-source game: reads .Descent3Registry in the player's own folder
// by the game's rules (tests/support/game_reading.h) and records what it read, its command line
// as the game splits it and its working folder in launched.txt beside itself. While a file
// "hold" lies beside it, it keeps running (a game being played) and records in running.txt.
#include <shlobj.h>

#include <fstream>
#include <sstream>

#include "standin.h"

using standin::utf8;

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
    out += standin::gameArguments();
    const gamereading::Settings read = gamereading::readSettings(bytes.str());
    out += gamereading::recordOf(read);

    if (standin::held(out)) return 0;
    return standin::writeFileWhole(standin::exeFolder() + L"\\launched.txt", out) ? 0 : 1;
}
