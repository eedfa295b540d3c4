// driverhook.dll: the driver's eyes inside the driven program. Menus and fonts cannot be read
// from another process under Wine, so driver.exe hooks the window's thread with this library
// (WH_CALLWNDPROC) and sends it a message; the hook then describes the window's menu or its
// controls into shared memory named after the driver's process id, given as wParam, or tells the
// window that its DPI changed.
#include "standin.h"

#include <algorithm>
#include <cstring>

using standin::utf8;

namespace {

const UINT kMenuMessage = RegisterWindowMessageW(L"e2e.driver.menu");
const UINT kLayoutMessage = RegisterWindowMessageW(L"e2e.driver.layout");
const UINT kDpiMessage = RegisterWindowMessageW(L"e2e.driver.dpi");

std::string flat(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

// One line per entry: path of positions, caption, then its state.
void describeMenu(HMENU menu, const std::string& path, std::string& out) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        wchar_t text[512] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 511;
        if (!GetMenuItemInfoW(menu, i, TRUE, &info)) continue;
        const std::string at = path.empty() ? std::to_string(i) : path + "/" + std::to_string(i);
        const bool separator = info.fType & MFT_SEPARATOR;
        out += "entry=" + at + "\t" + (separator ? std::string("-") : flat(utf8(text))) +
               "\tid=" + std::to_string(info.wID) +
               " enabled=" + ((info.fState & MFS_DISABLED) ? "0" : "1") +
               " checked=" + ((info.fState & MFS_CHECKED) ? "1" : "0") +
               " popup=" + (info.hSubMenu ? "1" : "0") + " separator=" + (separator ? "1" : "0") +
               "\n";
        if (info.hSubMenu) describeMenu(info.hSubMenu, at, out);
    }
}

struct Layout {
    HWND top;
    std::string out;
};

// Every named control: class, rectangle in the window's client area, state, style, and the
// width its caption needs in the control's own font.
BOOL CALLBACK describeControl(HWND h, LPARAM param) {
    auto* l = reinterpret_cast<Layout*>(param);
    ATOM atom = ATOM(reinterpret_cast<UINT_PTR>(GetPropW(h, L"ControlName")));
    wchar_t name[256];
    if (!atom || !GlobalGetAtomNameW(atom, name, 256)) return TRUE;
    wchar_t cls[64];
    GetClassNameW(h, cls, 64);
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, l->top, reinterpret_cast<POINT*>(&r), 2);
    std::wstring text(GetWindowTextLengthW(h) + 1, L'\0');
    text.resize(GetWindowTextW(h, text.data(), int(text.size())));
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(h, WM_GETFONT, 0, 0)));
    RECT need{0, 0, 0, 0};
    if (!text.empty()) DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
    // A label high enough for several lines wraps its caption: it needs no more than its width
    // when the wrapped text fits its height.
    RECT box;
    GetClientRect(h, &box);
    if (!text.empty() && _wcsicmp(cls, L"Static") == 0 && need.bottom > 0 &&
        box.bottom >= 2 * need.bottom && need.right > box.right) {
        RECT wrapped{0, 0, box.right, 0};
        DrawTextW(dc, text.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK);
        if (wrapped.bottom <= box.bottom && wrapped.right <= box.right) need = wrapped;
    }
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    l->out += "control=" + utf8(name) + "\t" + utf8(cls) + "\t" + std::to_string(r.left) + "," +
              std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
              std::to_string(r.bottom - r.top) + "\t" + (IsWindowVisible(h) ? "1" : "0") + "\t" +
              std::to_string(GetWindowLongW(h, GWL_STYLE)) + "\t" + std::to_string(need.right) +
              "," + std::to_string(need.bottom) + "\t" + flat(utf8(text)) + "\n";
    return TRUE;
}

void answer(DWORD driver, const std::string& text) {
    std::wstring name = L"e2e_driver_" + std::to_wstring(driver);
    HANDLE map = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name.c_str());
    if (!map) return;
    if (void* view = MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, 0)) {
        MEMORY_BASIC_INFORMATION mbi{};
        VirtualQuery(view, &mbi, sizeof mbi);
        std::size_t n = std::min(text.size(), std::size_t(mbi.RegionSize) - 1);
        std::memcpy(view, text.data(), n);
        static_cast<char*>(view)[n] = '\0';
        UnmapViewOfFile(view);
    }
    CloseHandle(map);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK DriverHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        const auto* c = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (c->message == kMenuMessage) {
            std::string out;
            if (HMENU m = GetMenu(c->hwnd)) describeMenu(m, "", out);
            answer(DWORD(c->wParam), out.empty() ? "none\n" : out);
        } else if (c->message == kLayoutMessage) {
            Layout l{c->hwnd, ""};
            RECT client;
            GetClientRect(c->hwnd, &client);
            l.out = "client=" + std::to_string(client.right) + "," + std::to_string(client.bottom) +
                    "\n";
            EnumChildWindows(c->hwnd, describeControl, LPARAM(&l));
            answer(DWORD(c->wParam), l.out);
        } else if (c->message == kDpiMessage) {
            // As the system tells a window moved to a monitor of another DPI: the new DPI and
            // the window's rectangle scaled from the old one.
            const int to = LOWORD(c->lParam), from = HIWORD(c->lParam);
            RECT r;
            GetWindowRect(c->hwnd, &r);
            RECT s{r.left, r.top, r.left + MulDiv(r.right - r.left, to, from),
                   r.top + MulDiv(r.bottom - r.top, to, from)};
            SendMessageW(c->hwnd, WM_DPICHANGED, MAKEWPARAM(to, to), LPARAM(&s));
            GetWindowRect(c->hwnd, &r);
            answer(DWORD(c->wParam), "rect=" + std::to_string(r.left) + "," +
                                         std::to_string(r.top) + "," +
                                         std::to_string(r.right - r.left) + "x" +
                                         std::to_string(r.bottom - r.top) + "\n");
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}
