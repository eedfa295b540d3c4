// Main.exe stand-in: records how the game was started (time, command line, working folder and
// the registry values the game reads) in launched.txt beside itself, then exits; while a file
// "hold" lies beside it, it keeps running and records in running.txt instead.
#include "standin.h"

#include <cstdint>

using standin::utf8;

namespace {

const wchar_t* const kValues[] = {L"Default_pilot",     L"LanguageType",    L"KeyboardType",
                                  L"NetworkConnection", L"ConnectionSpeed", L"TrackerLogin",
                                  L"TrackerPassword"};

std::string readValue(HKEY key, const wchar_t* name) {
    if (!key) return "<missing>";
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return "<missing>";
    std::wstring data(size / sizeof(wchar_t) + 2, L'\0');
    DWORD got = DWORD(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) !=
        ERROR_SUCCESS)
        return "<unreadable>";
    if (type == REG_DWORD) return "dword:" + std::to_string(*reinterpret_cast<DWORD*>(data.data()));
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        data.resize(got / sizeof(wchar_t));
        while (!data.empty() && data.back() == L'\0') data.pop_back();
        return utf8(data);
    }
    return "type" + std::to_string(type) + ":" + std::to_string(got) + "bytes";
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    uint64_t ticks = (uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    uint64_t unixMs = (ticks - 116444736000000000ULL) / 10000;

    std::string out = "time_ms=" + std::to_string(unixMs) + "\n";
    out += "cmdline=" + utf8(standin::rawArguments()) + "\n";
    out += standin::gameArguments();
    out += "cwd=" + utf8(standin::currentFolder()) + "\n";

    // The game is a 32-bit program: it reads the 32-bit view, whatever this stand-in's own build.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Outrage\\Descent3", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        key = nullptr;
    for (const wchar_t* name : kValues)
        out += "reg." + utf8(name) + "=" + readValue(key, name) + "\n";
    if (key) RegCloseKey(key);

    if (standin::held(out)) return 0;
    return standin::writeFileWhole(standin::exeFolder() + L"\\launched.txt", out) ? 0 : 1;
}
