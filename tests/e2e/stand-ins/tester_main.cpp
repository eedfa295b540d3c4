// Sound-tester stand-in, installed as MusicTester.exe: a window titled "Theme File Editor v1.0"
// (or the title after --title) that records what it receives in NAME-keys.txt beside itself,
// NAME being its own file name without ".exe". Lines, times in ms since the process started:
//   start EPOCH_MS             the process's creation time, ms since 1601
//   key MS KEY                 {DOWN} {INSERT} {TAB} {ENTER}, % for Alt pressed alone, or the
//                              character typed
//   focus MS / blur MS         the window got or lost the keyboard focus
//   closed MS                  it closes itself: the closing sequence (Alt, five times Down,
//                              Enter twice) has arrived
// When NAME-focus.txt lies beside it, naming a window title, it gives that window the focus as
// it closes, as a program may leave the focus anywhere.
#include "standin.h"

#include <shellapi.h>

#include <vector>

namespace {

std::wstring logPath, focusPath;
ULONGLONG startMs = 0;
bool altAlone = false;
std::vector<std::string> keys;
int received = 0;

ULONGLONG nowMs() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return ((ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 10000;
}

void record(const std::string& what, const std::string& key = "") {
    std::string line = what + " " + std::to_string(nowMs() - startMs);
    if (!key.empty()) line += " " + key;
    standin::writeFile(logPath, line + "\n", true);
}

bool closingArrived() {
    static const char* const tail[] = {"%",      "{DOWN}", "{DOWN}",  "{DOWN}",
                                       "{DOWN}", "{DOWN}", "{ENTER}", "{ENTER}"};
    const size_t n = std::size(tail);
    if (keys.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (keys[keys.size() - n + i] != tail[i]) return false;
    return true;
}

void key(HWND hwnd, const std::string& k) {
    keys.push_back(k);
    ++received;
    record("key", k);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (!closingArrived()) return;
    record("closed");
    std::string title;
    HANDLE h = CreateFileW(focusPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        char buf[256];
        DWORD n = 0;
        ReadFile(h, buf, sizeof buf, &n, nullptr);
        CloseHandle(h);
        title.assign(buf, n);
        while (!title.empty() && (title.back() == '\n' || title.back() == '\r')) title.pop_back();
        if (HWND other = FindWindowW(nullptr, standin::wide(title).c_str()))
            SetForegroundWindow(other);
    }
    DestroyWindow(hwnd);
}

LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (wp == VK_MENU) {
            if (!(lp & (1 << 30))) altAlone = true;
            return 0;
        }
        altAlone = false;
        if (wp == VK_DOWN)
            key(hwnd, "{DOWN}");
        else if (wp == VK_INSERT)
            key(hwnd, "{INSERT}");
        else if (wp == VK_TAB)
            key(hwnd, "{TAB}");
        else if (wp == VK_RETURN)
            key(hwnd, "{ENTER}");
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (wp == VK_MENU && altAlone) key(hwnd, "%");
        altAlone = false;
        return 0;
    case WM_CHAR:
        if (wp >= 32) key(hwnd, standin::utf8(std::wstring(1, wchar_t(wp))));
        return 0;
    case WM_SYSCHAR:
        return 0;
    case WM_SETFOCUS:
        record("focus");
        return 0;
    case WM_KILLFOCUS:
        record("blur");
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        std::wstring text = L"keys received: " + std::to_wstring(received);
        if (!keys.empty()) text += L", last " + standin::wide(keys.back());
        TextOutW(dc, 10, 10, text.c_str(), int(text.size()));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
    std::wstring title = L"Theme File Editor v1.0";
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wstring(argv[i]) == L"--title") title = argv[i + 1];

    wchar_t exe[MAX_PATH * 2];
    DWORD n = GetModuleFileNameW(nullptr, exe, DWORD(std::size(exe)));
    std::wstring name(exe, n);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    if (name.size() > 4) name.resize(name.size() - 4);
    logPath = standin::exeFolder() + L"\\" + name + L"-keys.txt";
    focusPath = standin::exeFolder() + L"\\" + name + L"-focus.txt";

    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    startMs = ((ULONGLONG(created.dwHighDateTime) << 32) | created.dwLowDateTime) / 10000;
    standin::writeFile(logPath, "start " + std::to_string(startMs) + "\n", true);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"KeyRecorder";
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 200, 150,
                                360, 160, nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return 0;
}
