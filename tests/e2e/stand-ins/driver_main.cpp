// driver.exe: works another program's message boxes and windows through window messages.
//
//   driver box [--title T] [--press BUTTON] [--move X,Y] [--timeout MS]
//       waits for a visible top-level dialog (#32770) titled T (any title when omitted), prints
//       title=, text=, buttons=, icon= lines, optionally moves it and presses BUTTON (its caption
//       without '&', case-insensitive). Exit 0 done, 2 timeout, 3 no such button, 4 box stayed.
//   driver wait-window --title T [--class C] [--gone] [--timeout MS]
//       waits for a visible top-level window titled T (of class C) and prints its class and
//       rectangle, whether it is minimized and enabled; with --gone waits until there is
//       none. Exit 0 found (gone), 2 timeout.
//   driver foreground
//       prints title= and class= of the window that has the focus now.
//   driver no-box [--title T] --ms N
//       exit 0 when no such dialog shows up within N ms, 1 (after printing it) when one does.
//
// Controls of our programs' windows, found by the name the program gives them (the window
// property "ControlName"), or, for other programs' windows (the installer's pages), a visible
// control by its text without '&'; the window by its exact title. Exit 2 when the window or the
// control does not turn up within the timeout, 5 when the control is disabled or hidden.
//   driver click --window T --control N [--post]
//       presses a button, check box or option button (BM_CLICK). --post returns at once, for
//       clicks that open a modal box; otherwise the click has been handled on return.
//   driver settext --window T --control N --text TEXT
//       sets a text box's text as typing does (WM_SETTEXT; the edit reports EN_CHANGE), or a
//       combo box's text (then CBN_EDITCHANGE).
//   driver select --window T --control N (--index I | --item TEXT) [--add] [--off] [--dblclick]
//       list box: selects line I (or the line showing TEXT; a folder list's indent and marker
//       are ignored), clearing the others of a multiple-selection list unless --add; --off
//       clears the line instead; then tells the program (LBN_SELCHANGE) as a click does;
//       --dblclick then double-clicks it (LBN_DBLCLK). Combo box: chooses the entry. Exit 3
//       when there is no such line.
//   driver get --window T --control N
//       prints class=, text=, enabled=, visible=, checked= (buttons), rect= (in the window's
//       client area), and for lists count=, one item= line each, selected= and current=. A
//       group box's text is shown without the blank our backend pads its caption with.
//   driver menu --window T --path "&file/exit" [--post]
//       chooses a menu entry by its captions as shown, '&' included ("#2" for a position).
//       Exit 3 no such entry, 5 an entry on the way is disabled.
//   driver menu-state --window T
//       prints one entry= line per menu entry: positions, caption, id, enabled, checked.
//   driver close --window T
//       asks the window to close, as its close box does (WM_CLOSE, posted).
//   driver input [--title T] [--text TEXT] [--press OK|Cancel] [--timeout MS]
//       waits for our input box (class ScourixInput), prints title=, prompt=, text=, then types
//       TEXT over its text and presses the button. Exit 2 timeout, 4 box stayed.
//   driver dpi --window T --dpi N
//       tells the window, as the system does when it moves to a monitor of another DPI, that
//       its DPI is now N (WM_DPICHANGED with its rectangle scaled from the screen's DPI to N),
//       and prints its rect= afterwards.
//   driver layout --window T
//       prints every named control (control= lines) and what is wrong with the layout:
//       problem= lines for a caption its control cuts off, a control outside the window and
//       two controls on top of each other. Exit 1 when there is a problem.
//
// Menus and fonts of another process cannot be read under Wine; for menu, menu-state and
// layout the driver hooks the window's thread with driverhook.dll from its own folder.
#include "standin.h"

#include <cstdlib>
#include <cwctype>
#include <sstream>
#include <vector>

using standin::utf8;
using standin::wide;

namespace {

struct Options {
    std::wstring command;
    bool hasTitle = false;
    std::wstring title;
    std::wstring cls;
    std::wstring press;
    bool move = false;
    int x = 0, y = 0;
    DWORD timeout = 30000;
    DWORD ms = 0;
    std::wstring window, control, path, item;
    bool hasText = false;
    std::wstring text;
    int index = -1;
    int dpi = 0;
    bool post = false, add = false, off = false, dblclick = false, gone = false;
};

void print(const std::string& s) {
    std::string line = s + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), DWORD(line.size()), &written, nullptr);
}

std::wstring windowText(HWND h) {
    wchar_t buf[4096];
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, std::size(buf), LPARAM(buf), SMTO_ABORTIFHUNG, 2000,
                             &len))
        len = GetWindowTextW(h, buf, int(std::size(buf)));
    return std::wstring(buf, len);
}

std::wstring className(HWND h) {
    wchar_t buf[256];
    int n = GetClassNameW(h, buf, int(std::size(buf)));
    return std::wstring(buf, n > 0 ? n : 0);
}

// One line per key: line breaks inside a value are shown as the two characters \n.
std::string oneLine(const std::wstring& w) {
    std::string s = utf8(w), out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r') continue;
        if (s[i] == '\n')
            out += "\\n";
        else
            out += s[i];
    }
    return out;
}

// A caption as it reads: an "&" marks the access key, "&&" stands for an "&".
std::wstring withoutAmpersand(const std::wstring& s) {
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'&' && ++i == s.size()) break;
        out += s[i];
    }
    return out;
}

bool sameNoCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

struct Search {
    const Options* opt;
    bool dialogsOnly;
    HWND found = nullptr;
};

BOOL CALLBACK findTopLevel(HWND h, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    if (!IsWindowVisible(h)) return TRUE;
    if (s->dialogsOnly && className(h) != L"#32770") return TRUE;
    if (!s->opt->cls.empty() && className(h) != s->opt->cls) return TRUE;
    // A title is compared without trailing blanks: the installer's pages after the first add one.
    if (s->opt->hasTitle) {
        std::wstring t = windowText(h);
        while (!t.empty() && t.back() == L' ') t.pop_back();
        if (t != s->opt->title) return TRUE;
    }
    s->found = h;
    return FALSE;
}

HWND findWindow(const Options& opt, bool dialogsOnly) {
    Search s{&opt, dialogsOnly};
    EnumWindows(findTopLevel, LPARAM(&s));
    return s.found;
}

HWND waitFor(const Options& opt, bool dialogsOnly, DWORD timeout) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND h = findWindow(opt, dialogsOnly)) return h;
        if (GetTickCount() - start >= timeout) return nullptr;
        Sleep(50);
    }
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> list;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) list.push_back(c);
    return list;
}

// Which system icon a message box shows. Icon handles are only comparable inside one process
// (Wine keeps them per process), so the icon is also told by its pixels on the screen: each
// system icon is drawn on the box's background and the closest match wins.
std::string iconName(HWND icon) {
    if (!icon) return "none";
    HICON shown = HICON(SendMessageW(icon, STM_GETICON, 0, 0));
    if (!shown) return "none";
    struct Known {
        LPCWSTR id;
        const char* name;
    } known[] = {{IDI_INFORMATION, "information"},
                 {IDI_QUESTION, "question"},
                 {IDI_WARNING, "warning"},
                 {IDI_ERROR, "error"}};
    for (const Known& k : known)
        if (LoadIconW(nullptr, k.id) == shown) return k.name;

    const int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
    RECT r;
    GetWindowRect(icon, &r);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    auto* px = static_cast<DWORD*>(bits);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> seen(px, px + w * h);
    COLORREF background = GetPixel(mem, 0, 0);

    auto differs = [](DWORD a, DWORD b) {
        for (int shift = 0; shift < 24; shift += 8)
            if (std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)) > 48) return true;
        return false;
    };
    std::string best = "unknown";
    int bestDiff = w * h / 10; // more than a tenth of the pixels off: no match
    HBRUSH brush = CreateSolidBrush(background);
    for (const Known& k : known) {
        RECT all{0, 0, w, h};
        FillRect(mem, &all, brush);
        DrawIconEx(mem, 0, 0, LoadIconW(nullptr, k.id), w, h, 0, nullptr, DI_NORMAL);
        GdiFlush();
        int diff = 0;
        for (int i = 0; i < w * h; ++i) diff += differs(px[i], seen[i]);
        if (diff < bestDiff) bestDiff = diff, best = k.name;
    }
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return best;
}

void describeBox(HWND dlg) {
    std::wstring text, buttons;
    HWND icon = nullptr;
    for (HWND c : children(dlg)) {
        std::wstring cls = className(c);
        if (sameNoCase(cls, L"Static")) {
            if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                icon = c;
            else if (IsWindowVisible(c)) {
                std::wstring t = windowText(c);
                if (!t.empty()) text += (text.empty() ? L"" : L"\n") + t;
            }
        } else if (sameNoCase(cls, L"Button") && IsWindowVisible(c)) {
            buttons += (buttons.empty() ? L"" : L"|") + withoutAmpersand(windowText(c));
        }
    }
    print("title=" + oneLine(windowText(dlg)));
    print("text=" + oneLine(text));
    print("buttons=" + oneLine(buttons));
    print("icon=" + iconName(icon));
}

bool waitGone(HWND dlg, DWORD timeout) {
    DWORD start = GetTickCount();
    while (IsWindow(dlg) && IsWindowVisible(dlg)) {
        if (GetTickCount() - start >= timeout) return false;
        Sleep(50);
    }
    return true;
}

int pressButton(HWND dlg, const std::wstring& caption) {
    for (HWND c : children(dlg)) {
        if (!sameNoCase(className(c), L"Button") || !IsWindowVisible(c)) continue;
        if (!sameNoCase(withoutAmpersand(windowText(c)), caption)) continue;
        int id = GetDlgCtrlID(c);
        PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(c));
        if (waitGone(dlg, 5000)) return 0;
        SendMessageTimeoutW(c, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
        if (waitGone(dlg, 5000)) return 0;
        print("error=the box stayed after pressing " + utf8(caption));
        return 4;
    }
    print("error=no button " + utf8(caption));
    return 3;
}

int box(const Options& opt) {
    HWND dlg = waitFor(opt, true, opt.timeout);
    if (!dlg) {
        print("error=timeout waiting for a box" +
              (opt.hasTitle ? " titled " + utf8(opt.title) : ""));
        return 2;
    }
    describeBox(dlg);
    if (opt.move)
        SetWindowPos(dlg, nullptr, opt.x, opt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return opt.press.empty() ? 0 : pressButton(dlg, opt.press);
}

int waitWindow(const Options& opt) {
    if (opt.gone) {
        DWORD start = GetTickCount();
        while (findWindow(opt, false)) {
            if (GetTickCount() - start >= opt.timeout) {
                print("error=window " + utf8(opt.title) + " still there");
                return 2;
            }
            Sleep(50);
        }
        return 0;
    }
    HWND h = waitFor(opt, false, opt.timeout);
    if (!h) {
        print("error=timeout waiting for window " + utf8(opt.title));
        return 2;
    }
    RECT r;
    GetWindowRect(h, &r);
    print("class=" + utf8(className(h)));
    print("rect=" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
          std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top));
    print(std::string("minimized=") + (IsIconic(h) ? "1" : "0"));
    print(std::string("enabled=") + (IsWindowEnabled(h) ? "1" : "0"));
    return 0;
}

int noBox(const Options& opt) {
    HWND dlg = waitFor(opt, true, opt.ms);
    if (!dlg) return 0;
    describeBox(dlg);
    return 1;
}

// ---------------------------------------------------------------- controls of our windows

const DWORD kSendTimeout = 10000;

// The window by its exact title, waiting for it.
HWND targetWindow(const Options& opt) {
    Options o;
    o.hasTitle = true;
    o.title = opt.window;
    HWND h = waitFor(o, false, opt.timeout);
    if (!h) print("error=no window titled " + utf8(opt.window));
    return h;
}

std::wstring controlName(HWND h) {
    ATOM atom = ATOM(reinterpret_cast<UINT_PTR>(GetPropW(h, L"ControlName")));
    wchar_t buf[256];
    if (!atom || !GlobalGetAtomNameW(atom, buf, 256)) return {};
    return buf;
}

struct ControlSearch {
    std::wstring name;
    bool byText = false;
    HWND found = nullptr;
};

BOOL CALLBACK findNamed(HWND h, LPARAM param) {
    auto* s = reinterpret_cast<ControlSearch*>(param);
    if (s->byText ? !IsWindowVisible(h) || !controlName(h).empty() ||
                        !sameNoCase(withoutAmpersand(windowText(h)), s->name)
                  : controlName(h) != s->name)
        return TRUE;
    s->found = h;
    return FALSE;
}

// The named control of the window, waiting for the window first.
HWND targetControl(const Options& opt) {
    HWND top = targetWindow(opt);
    if (!top) return nullptr;
    DWORD start = GetTickCount();
    for (;;) {
        ControlSearch s{opt.control};
        EnumChildWindows(top, findNamed, LPARAM(&s));
        if (s.found) return s.found;
        s.byText = true;
        EnumChildWindows(top, findNamed, LPARAM(&s));
        if (s.found) return s.found;
        if (GetTickCount() - start >= opt.timeout) break;
        Sleep(50);
    }
    print("error=no control " + utf8(opt.control) + " in " + utf8(opt.window));
    return nullptr;
}

// A control the player can reach: visible and enabled, and so is the window it lies in.
bool usable(HWND h) {
    if (IsWindowVisible(h) && IsWindowEnabled(h) && IsWindowEnabled(GetAncestor(h, GA_ROOT)))
        return true;
    print(std::string("error=control is ") + (IsWindowVisible(h) ? "disabled" : "hidden"));
    return false;
}

bool send(HWND h, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR* result = nullptr) {
    DWORD_PTR r = 0;
    if (SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeout, &r)) {
        if (result) *result = r;
        return true;
    }
    print("error=no answer within " + std::to_string(kSendTimeout / 1000) +
          " s (is a modal box open?)");
    return false;
}

// Tells the control's parent what the control reports on its own.
bool notifyParent(HWND h, int code, bool post = false) {
    WPARAM wp = MAKEWPARAM(GetDlgCtrlID(h), code);
    if (post) return PostMessageW(GetParent(h), WM_COMMAND, wp, LPARAM(h));
    return send(GetParent(h), WM_COMMAND, wp, LPARAM(h));
}

bool isList(HWND h) {
    return sameNoCase(className(h), L"ListBox");
}
bool isCombo(HWND h) {
    return sameNoCase(className(h), L"ComboBox");
}

std::vector<std::wstring> items(HWND h) {
    const bool combo = isCombo(h);
    DWORD_PTR n = 0;
    send(h, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, &n);
    std::vector<std::wstring> list;
    for (int i = 0; i < int(n); ++i) {
        DWORD_PTR len = 0;
        send(h, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0, &len);
        std::wstring text(len + 1, L'\0');
        send(h, combo ? CB_GETLBTEXT : LB_GETTEXT, i, LPARAM(text.data()), &len);
        text.resize(len);
        list.push_back(text);
    }
    return list;
}

// A line as the player reads it: a folder list's indent and open/closed marker left out.
std::wstring plain(const std::wstring& line) {
    std::size_t i = line.find_first_not_of(L' ');
    if (i == std::wstring::npos) return {};
    if ((line[i] == L'\x25BE' || line[i] == L'\x25B8') && i + 1 < line.size() &&
        line[i + 1] == L' ')
        i += 2;
    return line.substr(i);
}

bool multiple(HWND h) {
    return GetWindowLongW(h, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
}

int click(const Options& opt) {
    HWND h = targetControl(opt);
    if (!h) return 2;
    if (!usable(h)) return 5;
    if (opt.post) return PostMessageW(h, BM_CLICK, 0, 0) ? 0 : 1;
    return send(h, BM_CLICK, 0, 0) ? 0 : 6;
}

int setText(const Options& opt) {
    HWND h = targetControl(opt);
    if (!h) return 2;
    if (!usable(h)) return 5;
    if (!send(h, WM_SETTEXT, 0, LPARAM(opt.text.c_str()))) return 6;
    if (isCombo(h) && !notifyParent(h, CBN_EDITCHANGE)) return 6;
    return 0;
}

int select(const Options& opt) {
    HWND h = targetControl(opt);
    if (!h) return 2;
    if (!usable(h)) return 5;
    std::vector<std::wstring> lines = items(h);
    int i = opt.index;
    if (!opt.item.empty()) {
        i = -1;
        for (int k = 0; k < int(lines.size()) && i < 0; ++k)
            if (lines[k] == opt.item || plain(lines[k]) == opt.item) i = k;
    }
    if (i < 0 || i >= int(lines.size())) {
        print("error=no such line; lines:");
        for (const auto& l : lines) print("item=" + utf8(l));
        return 3;
    }
    if (isCombo(h)) {
        if (!send(h, CB_SETCURSEL, i, 0)) return 6;
        return notifyParent(h, CBN_SELCHANGE) ? 0 : 6;
    }
    if (multiple(h)) {
        if (!opt.add && !opt.off && !send(h, LB_SETSEL, FALSE, -1)) return 6;
        if (!send(h, LB_SETSEL, !opt.off, i) || !send(h, LB_SETCARETINDEX, i, FALSE)) return 6;
    } else if (!send(h, LB_SETCURSEL, i, 0)) {
        return 6;
    }
    if (!notifyParent(h, LBN_SELCHANGE)) return 6;
    if (opt.dblclick && !notifyParent(h, LBN_DBLCLK, opt.post)) return 6;
    return 0;
}

int get(const Options& opt) {
    HWND h = targetControl(opt);
    if (!h) return 2;
    print("class=" + utf8(className(h)));
    std::wstring text = windowText(h);
    const bool groupBox = sameNoCase(className(h), L"Button") &&
                          (GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    // Our group boxes draw their caption with a trailing blank, for room; it is not shown.
    if (groupBox && !text.empty() && text.back() == L' ') text.pop_back();
    print("text=" + oneLine(text));
    print(std::string("enabled=") + (IsWindowEnabled(h) ? "1" : "0"));
    print(std::string("visible=") + (IsWindowVisible(h) ? "1" : "0"));
    if (sameNoCase(className(h), L"Button")) {
        DWORD_PTR state = 0;
        send(h, BM_GETCHECK, 0, 0, &state);
        print(std::string("checked=") + (state == BST_CHECKED ? "1" : "0"));
    }
    if (sameNoCase(className(h), L"Edit"))
        print(std::string("masked=") + ((GetWindowLongW(h, GWL_STYLE) & ES_PASSWORD) ? "1" : "0"));
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetAncestor(h, GA_ROOT), reinterpret_cast<POINT*>(&r), 2);
    print("rect=" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
          std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top));
    if (!isList(h) && !isCombo(h)) return 0;
    std::vector<std::wstring> lines = items(h);
    print("count=" + std::to_string(lines.size()));
    std::string selected;
    for (int i = 0; i < int(lines.size()); ++i) {
        print("item=" + oneLine(lines[i]));
        DWORD_PTR on = 0;
        if (isList(h) && multiple(h)) send(h, LB_GETSEL, i, 0, &on);
        if (int(on) > 0) selected += (selected.empty() ? "" : ",") + std::to_string(i);
    }
    DWORD_PTR current = 0;
    if (isCombo(h))
        send(h, CB_GETCURSEL, 0, 0, &current);
    else
        send(h, multiple(h) ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0, &current);
    if (isList(h) && !multiple(h) && int(current) >= 0) selected = std::to_string(int(current));
    print("selected=" + selected);
    print("current=" + std::to_string(int(current)));
    return 0;
}

int closeWindow(const Options& opt) {
    HWND h = targetWindow(opt);
    if (!h) return 2;
    return PostMessageW(h, WM_CLOSE, 0, 0) ? 0 : 1;
}

// Asks driverhook.dll inside the window's thread for a description (see driver_hook.cpp).
bool askHook(HWND top, const wchar_t* message, std::string& out, LPARAM lp = 0) {
    wchar_t exe[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dllPath(exe, n);
    dllPath = dllPath.substr(0, dllPath.find_last_of(L'\\') + 1) + L"driverhook.dll";
    HMODULE dll = LoadLibraryW(dllPath.c_str());
    auto proc =
        dll ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "DriverHook")))
            : nullptr;
    if (!proc) {
        print("error=cannot load " + utf8(dllPath));
        return false;
    }
    const DWORD size = 1 << 20;
    std::wstring name = L"e2e_driver_" + std::to_wstring(GetCurrentProcessId());
    HANDLE map =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name.c_str());
    auto* view = map ? static_cast<char*>(MapViewOfFile(map, FILE_MAP_READ, 0, 0, 0)) : nullptr;
    HHOOK hook =
        view ? SetWindowsHookExW(WH_CALLWNDPROC, proc, dll, GetWindowThreadProcessId(top, nullptr))
             : nullptr;
    bool ok = hook && send(top, RegisterWindowMessageW(message), GetCurrentProcessId(), lp);
    if (ok) out.assign(view, strnlen(view, size));
    if (hook) UnhookWindowsHookEx(hook);
    if (view) UnmapViewOfFile(view);
    if (map) CloseHandle(map);
    if (ok && out.empty()) print("error=the hook did not answer");
    return ok && !out.empty();
}

struct MenuEntry {
    std::string at, caption;
    UINT id = 0;
    bool enabled = true, checked = false, popup = false, separator = false;
};

std::vector<MenuEntry> menuEntries(HWND top) {
    std::string dump;
    std::vector<MenuEntry> list;
    if (!askHook(top, L"e2e.driver.menu", dump)) return list;
    std::istringstream in(dump);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("entry=", 0) != 0) continue;
        std::size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
        MenuEntry e;
        e.at = line.substr(6, t1 - 6);
        e.caption = line.substr(t1 + 1, t2 - t1 - 1);
        std::string state = line.substr(t2 + 1);
        e.id = UINT(std::stoul(state.substr(state.find("id=") + 3)));
        e.enabled = state.find("enabled=1") != std::string::npos;
        e.checked = state.find("checked=1") != std::string::npos;
        e.popup = state.find("popup=1") != std::string::npos;
        e.separator = state.find("separator=1") != std::string::npos;
        list.push_back(e);
    }
    return list;
}

int menuState(const Options& opt) {
    HWND top = targetWindow(opt);
    if (!top) return 2;
    std::vector<MenuEntry> list = menuEntries(top);
    if (list.empty()) return 1;
    for (const MenuEntry& e : list)
        print("entry=" + e.at + "\t" + e.caption + "\tenabled=" + (e.enabled ? "1" : "0") +
              " checked=" + (e.checked ? "1" : "0"));
    return 0;
}

int menu(const Options& opt) {
    HWND top = targetWindow(opt);
    if (!top) return 2;
    std::vector<MenuEntry> list = menuEntries(top);
    if (list.empty()) return 1;
    std::string path = utf8(opt.path), at;
    const MenuEntry* entry = nullptr;
    for (std::size_t from = 0; from <= path.size();) {
        std::size_t slash = path.find('/', from);
        if (slash == std::string::npos) slash = path.size();
        std::string step = path.substr(from, slash - from);
        entry = nullptr;
        int position = 0;
        for (const MenuEntry& e : list) {
            std::size_t cut = e.at.find_last_of('/');
            if ((cut == std::string::npos ? std::string() : e.at.substr(0, cut)) != at) continue;
            bool hit = step[0] == '#' ? position == std::atoi(step.c_str() + 1)
                                      : !e.separator && e.caption == step;
            ++position;
            if (hit) {
                entry = &e;
                break;
            }
        }
        if (!entry) {
            print("error=no menu entry " + step + " in " + path);
            return 3;
        }
        if (!entry->enabled) {
            print("error=menu entry " + step + " is disabled");
            return 5;
        }
        at = entry->at;
        from = slash + 1;
    }
    if (entry->popup || entry->separator) {
        print("error=" + path + " opens a menu; it is not a command");
        return 3;
    }
    if (!IsWindowEnabled(top)) {
        print("error=the window is disabled (a modal box is open)");
        return 5;
    }
    if (opt.post) return PostMessageW(top, WM_COMMAND, MAKEWPARAM(entry->id, 0), 0) ? 0 : 1;
    return send(top, WM_COMMAND, MAKEWPARAM(entry->id, 0), 0) ? 0 : 6;
}

struct Placed {
    std::string name, cls, text;
    RECT r{};
    bool visible = false;
    LONG style = 0;
    int needWidth = 0, needHeight = 0;
};

int changeDpi(const Options& opt) {
    HWND top = targetWindow(opt);
    if (!top) return 2;
    HDC dc = GetDC(nullptr);
    const int screen = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    std::string out;
    if (!askHook(top, L"e2e.driver.dpi", out, MAKELPARAM(opt.dpi, screen))) return 1;
    print(out.substr(0, out.find('\n')));
    return 0;
}

int layout(const Options& opt) {
    HWND top = targetWindow(opt);
    if (!top) return 2;
    std::string dump;
    if (!askHook(top, L"e2e.driver.layout", dump)) return 1;
    std::istringstream in(dump);
    std::string line;
    int clientW = 0, clientH = 0;
    std::vector<Placed> list;
    while (std::getline(in, line)) {
        if (line.rfind("client=", 0) == 0) {
            std::sscanf(line.c_str(), "client=%d,%d", &clientW, &clientH);
            continue;
        }
        if (line.rfind("control=", 0) != 0) continue;
        print(line);
        std::vector<std::string> f;
        std::size_t from = 8;
        for (int k = 0; k < 7; ++k) {
            std::size_t tab = line.find('\t', from);
            f.push_back(line.substr(from, tab == std::string::npos ? tab : tab - from));
            from = tab == std::string::npos ? line.size() : tab + 1;
        }
        f.push_back(line.substr(std::min(from, line.size())));
        Placed p;
        p.name = f[0], p.cls = f[1], p.text = f[6];
        int x, y, w, h;
        std::sscanf(f[2].c_str(), "%d,%d,%d,%d", &x, &y, &w, &h);
        p.r = {x, y, x + w, y + h};
        p.visible = f[3] == "1";
        p.style = std::atol(f[4].c_str());
        std::sscanf(f[5].c_str(), "%d,%d", &p.needWidth, &p.needHeight);
        if (p.visible) list.push_back(p);
    }
    int problems = 0;
    auto problem = [&](const std::string& what) {
        print("problem=" + what);
        ++problems;
    };
    const int box = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    for (const Placed& p : list) {
        const int w = p.r.right - p.r.left;
        const bool button = sameNoCase(wide(p.cls), L"Button");
        const LONG kind = p.style & BS_TYPEMASK;
        int room = -1; // the width the caption has, -1 when the caption may scroll
        if (sameNoCase(wide(p.cls), L"Static")) room = w;
        if (button && kind == BS_GROUPBOX) room = w - 16;
        if (button && (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON)) room = w - 6;
        if (button && (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                       kind == BS_AUTORADIOBUTTON))
            room = w - box;
        if (room >= 0 && p.needWidth > room)
            problem(p.name + " cuts off its caption [" + p.text + "]: needs " +
                    std::to_string(p.needWidth) + " px, has " + std::to_string(room));
        if (p.r.left < 0 || p.r.top < 0 || p.r.right > clientW || p.r.bottom > clientH)
            problem(p.name + " lies outside the window");
    }
    // Controls side by side must not overlap; a group box holds others and is left out.
    auto frame = [](const Placed& p) {
        return sameNoCase(wide(p.cls), L"Button") && (p.style & BS_TYPEMASK) == BS_GROUPBOX;
    };
    for (std::size_t i = 0; i < list.size(); ++i)
        for (std::size_t k = i + 1; k < list.size(); ++k) {
            if (frame(list[i]) || frame(list[k])) continue;
            RECT both;
            if (IntersectRect(&both, &list[i].r, &list[k].r))
                problem(list[i].name + " and " + list[k].name + " overlap");
        }
    // A frame's caption and its controls: every control that begins inside a frame ends in it.
    for (const Placed& f : list) {
        if (!frame(f)) continue;
        for (const Placed& p : list) {
            if (&p == &f) continue;
            POINT corner{p.r.left, p.r.top};
            if (!PtInRect(&f.r, corner)) continue;
            if (p.r.right > f.r.right || p.r.bottom > f.r.bottom)
                problem(p.name + " reaches beyond its frame " + f.name);
        }
    }
    print("controls=" + std::to_string(list.size()));
    return problems ? 1 : 0;
}

// ---------------------------------------------------------------- our input box

int input(const Options& opt) {
    Options o = opt;
    o.cls = L"ScourixInput";
    HWND boxWindow = waitFor(o, false, opt.timeout);
    if (!boxWindow) {
        print("error=timeout waiting for an input box");
        return 2;
    }
    HWND edit = GetDlgItem(boxWindow, 100);
    std::wstring prompt;
    for (HWND c : children(boxWindow))
        if (sameNoCase(className(c), L"Static")) prompt = windowText(c);
    print("title=" + oneLine(windowText(boxWindow)));
    print("prompt=" + oneLine(prompt));
    print("text=" + oneLine(windowText(edit)));
    if (opt.hasText && !send(edit, WM_SETTEXT, 0, LPARAM(opt.text.c_str()))) return 6;
    if (opt.press.empty()) return 0;
    int id = sameNoCase(opt.press, L"OK") ? IDOK : sameNoCase(opt.press, L"Cancel") ? IDCANCEL : 0;
    if (!id) {
        print("error=no button " + utf8(opt.press));
        return 3;
    }
    PostMessageW(boxWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 LPARAM(GetDlgItem(boxWindow, id)));
    if (waitGone(boxWindow, 5000)) return 0;
    print("error=the input box stayed");
    return 4;
}

int foreground() {
    HWND h = GetForegroundWindow();
    print("title=" + oneLine(h ? windowText(h) : L""));
    print("class=" + utf8(h ? className(h) : L""));
    return 0;
}

bool parse(int argc, wchar_t** argv, Options& opt) {
    if (argc < 2) return false;
    opt.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        std::wstring a = argv[i];
        if (a == L"--post")
            opt.post = true;
        else if (a == L"--add")
            opt.add = true;
        else if (a == L"--off")
            opt.off = true;
        else if (a == L"--dblclick")
            opt.dblclick = true;
        else if (a == L"--gone")
            opt.gone = true;
        else {
            if (i + 1 >= argc) return false;
            std::wstring v = argv[++i];
            if (a == L"--title")
                opt.hasTitle = true, opt.title = v;
            else if (a == L"--class")
                opt.cls = v;
            else if (a == L"--press")
                opt.press = v;
            else if (a == L"--timeout")
                opt.timeout = DWORD(_wtoi(v.c_str()));
            else if (a == L"--ms")
                opt.ms = DWORD(_wtoi(v.c_str()));
            else if (a == L"--window")
                opt.window = v;
            else if (a == L"--control")
                opt.control = v;
            else if (a == L"--path")
                opt.path = v;
            else if (a == L"--item")
                opt.item = v;
            else if (a == L"--dpi")
                opt.dpi = _wtoi(v.c_str());
            else if (a == L"--index")
                opt.index = _wtoi(v.c_str());
            else if (a == L"--text")
                opt.hasText = true, opt.text = v;
            else if (a == L"--move") {
                size_t comma = v.find(L',');
                if (comma == std::wstring::npos) return false;
                opt.move = true;
                opt.x = _wtoi(v.substr(0, comma).c_str());
                opt.y = _wtoi(v.substr(comma + 1).c_str());
            } else
                return false;
        }
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Options opt;
    if (parse(argc, argv, opt)) {
        const std::wstring& c = opt.command;
        const bool window = !opt.window.empty(), control = window && !opt.control.empty();
        if (c == L"box") return box(opt);
        if (c == L"wait-window" && opt.hasTitle) return waitWindow(opt);
        if (c == L"no-box") return noBox(opt);
        if (c == L"foreground") return foreground();
        if (c == L"click" && control) return click(opt);
        if (c == L"settext" && control && opt.hasText) return setText(opt);
        if (c == L"select" && control && (opt.index >= 0 || !opt.item.empty())) return select(opt);
        if (c == L"get" && control) return get(opt);
        if (c == L"menu" && window && !opt.path.empty()) return menu(opt);
        if (c == L"menu-state" && window) return menuState(opt);
        if (c == L"close" && window) return closeWindow(opt);
        if (c == L"input") return input(opt);
        if (c == L"layout" && window) return layout(opt);
        if (c == L"dpi" && window && opt.dpi > 0) return changeDpi(opt);
    }
    print("usage: driver "
          "box|wait-window|foreground|no-box|click|settext|select|get|menu|menu-state|close|"
          "input|layout|dpi ... (see the top of driver_main.cpp)");
    return 64;
}
