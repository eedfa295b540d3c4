// driver.exe: works another program's message boxes and windows through window messages.
//
//   driver box [--title T] [--press BUTTON] [--move X,Y] [--timeout MS]
//       waits for a visible top-level dialog (#32770) titled T (any title when omitted), prints
//       title=, text=, buttons=, icon= lines, optionally moves it and presses BUTTON (its caption
//       without '&', case-insensitive). Exit 0 done, 2 timeout, 3 no such button, 4 box stayed.
//   driver wait-window --title T [--timeout MS]
//       waits for a visible top-level window titled T and prints its class and rectangle.
//       Exit 0 found, 2 timeout.
//   driver no-box [--title T] --ms N
//       exit 0 when no such dialog shows up within N ms, 1 (after printing it) when one does.
#include "standin.h"

#include <cstdlib>
#include <cwctype>
#include <vector>

using standin::utf8;

namespace {

struct Options {
    std::wstring command;
    bool hasTitle = false;
    std::wstring title;
    std::wstring press;
    bool move = false;
    int x = 0, y = 0;
    DWORD timeout = 30000;
    DWORD ms = 0;
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

std::wstring withoutAmpersand(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s)
        if (c != L'&') out += c;
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
    if (s->opt->hasTitle && windowText(h) != s->opt->title) return TRUE;
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
    return 0;
}

int noBox(const Options& opt) {
    HWND dlg = waitFor(opt, true, opt.ms);
    if (!dlg) return 0;
    describeBox(dlg);
    return 1;
}

bool parse(int argc, wchar_t** argv, Options& opt) {
    if (argc < 2) return false;
    opt.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        std::wstring a = argv[i];
        if (i + 1 >= argc) return false;
        std::wstring v = argv[++i];
        if (a == L"--title")
            opt.hasTitle = true, opt.title = v;
        else if (a == L"--press")
            opt.press = v;
        else if (a == L"--timeout")
            opt.timeout = DWORD(_wtoi(v.c_str()));
        else if (a == L"--ms")
            opt.ms = DWORD(_wtoi(v.c_str()));
        else if (a == L"--move") {
            size_t comma = v.find(L',');
            if (comma == std::wstring::npos) return false;
            opt.move = true;
            opt.x = _wtoi(v.substr(0, comma).c_str());
            opt.y = _wtoi(v.substr(comma + 1).c_str());
        } else
            return false;
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Options opt;
    if (parse(argc, argv, opt)) {
        if (opt.command == L"box") return box(opt);
        if (opt.command == L"wait-window" && opt.hasTitle) return waitWindow(opt);
        if (opt.command == L"no-box") return noBox(opt);
    }
    print("usage: driver box [--title T] [--press BUTTON] [--move X,Y] [--timeout MS]\n"
          "       driver wait-window --title T [--timeout MS]\n"
          "       driver no-box [--title T] --ms N");
    return 64;
}
