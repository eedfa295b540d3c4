// Small helpers shared by the stand-in programs of the end-to-end tests.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/game_reading.h"

namespace standin {

inline std::string utf8(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

inline std::wstring wide(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
    return w;
}

// Folder of the running executable, without trailing backslash.
inline std::wstring exeFolder() {
    wchar_t buf[MAX_PATH * 2];
    DWORD n = GetModuleFileNameW(nullptr, buf, DWORD(std::size(buf)));
    std::wstring path(buf, n);
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

inline std::wstring currentFolder() {
    wchar_t buf[MAX_PATH * 2];
    DWORD n = GetCurrentDirectoryW(DWORD(std::size(buf)), buf);
    return std::wstring(buf, n);
}

// The argument part of the raw command line: everything after the program name token and
// exactly one separating blank, trailing blanks kept.
inline std::wstring rawArguments() {
    const wchar_t* p = GetCommandLineW();
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') ++p;
        if (*p == L'"') ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    if (*p == L' ' || *p == L'\t') ++p;
    return p;
}

// The command line as the game's own code splits it: "args=" its rows joined by '|', and
// "args.overrun=1" when the game's rows could not hold them.
inline std::string gameArguments() {
    const auto a = gamereading::gatherArgs(utf8(rawArguments()));
    std::string rows;
    for (std::size_t i = 0; i < a.args.size(); ++i) rows += (i ? "|" : "") + a.args[i];
    return "args=" + rows + "\nargs.overrun=" + (a.overrun ? "1" : "0") + "\n";
}

inline bool writeFile(const std::wstring& path, const std::string& bytes, bool append) {
    HANDLE h =
        CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ,
                    nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

// Writes the file beside its final name, then renames it, so that a reader polling for the
// file never sees it half-written.
inline bool writeFileWhole(const std::wstring& path, const std::string& bytes) {
    std::wstring tmp = path + L".part";
    return writeFile(tmp, bytes, false) &&
           MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// While a file "hold" lies beside the program it keeps running (a game being played), with
// `record`, its process id and the system's temporary folder in running.txt beside it. False at
// once when there is no such file.
inline bool held(std::string record) {
    const std::wstring hold = exeFolder() + L"\\hold";
    if (GetFileAttributesW(hold.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    wchar_t temp[MAX_PATH + 2];
    const DWORD n = GetTempPathW(MAX_PATH + 2, temp);
    record += "pid=" + std::to_string(GetCurrentProcessId()) + "\n";
    record += "temp=" + utf8(std::wstring(temp, n <= MAX_PATH + 1 ? n : 0)) + "\n";
    writeFileWhole(exeFolder() + L"\\running.txt", record);
    for (int i = 0; i < 1200 && GetFileAttributesW(hold.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
    return true;
}

} // namespace standin
