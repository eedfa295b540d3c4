#include <windows.h>

#include <vector>

#include "platform/win32/win32.h"
#include "platform/win32/win32_impl.h"

namespace win32 {
namespace {

struct TitleSearch {
    std::wstring title;
    HWND found = nullptr;
};

BOOL CALLBACK findTitle(HWND h, LPARAM param) {
    auto* s = reinterpret_cast<TitleSearch*>(param);
    // Owned windows count too: a program's main window may belong to a hidden window of its own.
    if (!IsWindowVisible(h)) return TRUE;
    int n = GetWindowTextLengthW(h);
    if (n != int(s->title.size())) return TRUE;
    std::wstring text(n + 1, L'\0');
    text.resize(GetWindowTextW(h, text.data(), n + 1));
    if (text != s->title) return TRUE;
    s->found = h;
    return FALSE;
}

DWORD processOf(HWND h) {
    DWORD pid = 0;
    if (h) GetWindowThreadProcessId(h, &pid);
    return pid;
}

INPUT virtualKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = WORD(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    if (vk == VK_DOWN || vk == VK_INSERT) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    if (up) in.ki.dwFlags |= KEYEVENTF_KEYUP;
    return in;
}

INPUT unicodeUnit(wchar_t unit, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = unit;
    in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return in;
}

// The key presses of one key: down and up, a character as its UTF-16 units.
std::vector<INPUT> inputsOf(const platform::Key& key) {
    std::vector<INPUT> out;
    if (key.name.empty()) {
        for (wchar_t unit : wide(key.character)) {
            out.push_back(unicodeUnit(unit, false));
            out.push_back(unicodeUnit(unit, true));
        }
        return out;
    }
    const WORD vk = key.name == "DOWN"     ? VK_DOWN
                    : key.name == "INSERT" ? VK_INSERT
                    : key.name == "TAB"    ? VK_TAB
                    : key.name == "ALT"    ? VK_MENU
                                           : VK_RETURN;
    out.push_back(virtualKey(vk, false));
    out.push_back(virtualKey(vk, true));
    return out;
}

} // namespace

platform::Activation Keys::activate(const std::string& title) {
    target_ = nullptr;
    TitleSearch search{wide(title)};
    EnumWindows(findTitle, LPARAM(&search));
    HWND h = search.found;
    if (!h) return platform::Activation::NoWindow;
    if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
    // Windows lets the thread that owns the foreground hand it on; joining its input for the
    // moment makes the change allowed also when another program is in front.
    HWND front = GetForegroundWindow();
    DWORD frontThread = front ? GetWindowThreadProcessId(front, nullptr) : 0;
    DWORD self = GetCurrentThreadId();
    bool joined = frontThread && frontThread != self && AttachThreadInput(self, frontThread, TRUE);
    BringWindowToTop(h);
    SetForegroundWindow(h);
    if (joined) AttachThreadInput(self, frontThread, FALSE);
    // A short wait only: this runs on the caller's window thread, whose timer looks again.
    for (int i = 0; i < 5 && GetForegroundWindow() != h; ++i) Sleep(10);
    if (GetForegroundWindow() != h) return platform::Activation::NotInFront;
    target_ = h;
    return platform::Activation::Done;
}

// The keys go to the program whose window was activated, or nowhere: its window, or one of
// its other windows (a dialog it opened), must have the focus.
bool Keys::onTarget() const {
    return target_ && IsWindow(target_) && processOf(GetForegroundWindow()) == processOf(target_);
}

bool Keys::send(const std::string& keys, bool wait) {
    const std::vector<platform::Key> parsed = platform::parseKeys(keys);
    if (!wait) {
        std::vector<INPUT> all;
        for (const auto& k : parsed)
            for (const INPUT& in : inputsOf(k)) all.push_back(in);
        if (!onTarget()) return false;
        return all.empty() || SendInput(UINT(all.size()), all.data(), sizeof(INPUT)) == all.size();
    }
    for (const auto& k : parsed) {
        if (!onTarget()) return false;
        std::vector<INPUT> in = inputsOf(k);
        if (SendInput(UINT(in.size()), in.data(), sizeof(INPUT)) != in.size()) return false;
        // The key is in the target's queue; it has been taken once the target's thread has come
        // back to its message loop twice, answering a message sent to its focused window.
        HWND front = GetForegroundWindow();
        for (int round = 0; round < 2; ++round) {
            Sleep(10);
            DWORD_PTR ignored;
            SendMessageTimeoutW(front, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored);
        }
    }
    return true;
}

} // namespace win32
