#include <windows.h>
#include <windowsx.h>

#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "platform/win32/win32.h"
#include "platform/win32/win32_impl.h"

namespace win32 {
namespace {

const wchar_t kWindowClass[] = L"ScourixForm";
// Timer ids: a model timer has its control index + 1; a label's deferred paint this base + index.
const UINT_PTR kFlushTimerBase = 0x4000;
// Labels counted down once per file are painted at most this often; the last text is always
// painted, by a short timer, once the window is idle again.
const DWORD kPaintIntervalMs = 15;

HINSTANCE instance() { return GetModuleHandleW(nullptr); }

struct Screen {
    int tppX = 15, tppY = 15, dpiY = 96;
    Screen() {
        HDC dc = GetDC(nullptr);
        int dx = GetDeviceCaps(dc, LOGPIXELSX), dy = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        if (dx > 0) tppX = 1440 / dx;
        if (dy > 0) tppY = 1440 / dy, dpiY = dy;
    }
};

const Screen& screen() {
    static Screen s;
    return s;
}

int pxX(int twips) { return (twips + screen().tppX / 2) / screen().tppX; }
int pxY(int twips) { return (twips + screen().tppY / 2) / screen().tppY; }

HFONT font(const std::string& face, int size, bool bold) {
    static std::map<std::tuple<std::string, int, bool>, HFONT> fonts;
    auto key = std::make_tuple(face, size, bold);
    auto it = fonts.find(key);
    if (it != fonts.end()) return it->second;
    HFONT f = CreateFontW(-MulDiv(size, screen().dpiY, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                          0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                          wide(face).c_str());
    return fonts[key] = f;
}

class WindowPeer;
std::vector<std::unique_ptr<WindowPeer>> peers;
int openWindows = 0;

class ControlPeer : public ui::ControlPeer {
public:
    ControlPeer(WindowPeer& w, ui::Control& c, HWND hwnd, UINT_PTR id)
        : window(w), control(c), hwnd(hwnd), id(id) {
        if (hwnd) SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ControlPeer() override {
        if (brush) DeleteObject(brush);
    }
    void update(ui::Prop what) override;
    void repaint() override;
    void pushText();
    HBRUSH colours(HDC dc);
    void fromNative(int notification);

    WindowPeer& window;
    ui::Control& control;
    HWND hwnd;
    UINT_PTR id;
    HBRUSH brush = nullptr;
    bool textPending = false, flushArmed = false;
    DWORD lastPush = 0;
};

class WindowPeer : public ui::WindowPeer {
public:
    explicit WindowPeer(ui::Window& w) : window(w) {}
    void create();
    void update(ui::Prop what) override {
        if (!hwnd) return;
        if (what == ui::Prop::Caption) SetWindowTextW(hwnd, wide(window.caption()).c_str());
        if (what == ui::Prop::Value) loadPicture();
    }
    void loadPicture() {
        if (picture) DeleteObject(picture), picture = nullptr;
        if (!window.picture().empty())
            picture = static_cast<HBITMAP>(
                LoadImageW(instance(), wide(window.picture()).c_str(), IMAGE_BITMAP, 0, 0, 0));
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    void show() override {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
    void close() override {
        if (hwnd) DestroyWindow(hwnd);
    }
    void minimize() override { ShowWindow(hwnd, SW_MINIMIZE); }
    void setEllipticRegion(int l, int t, int r, int b) override {
        SetWindowRgn(hwnd, CreateEllipticRgn(l, t, r, b), TRUE);
    }
    void beginDrag() override {
        ReleaseCapture();
        SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    int twipsPerPixelX() override { return screen().tppX; }
    int twipsPerPixelY() override { return screen().tppY; }

    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);

    ui::Window& window;
    HWND hwnd = nullptr;
    HBITMAP picture = nullptr;
    HBRUSH background = nullptr;
    std::vector<std::unique_ptr<ControlPeer>> controls;
};

// Controls inside a hidden frame are the window's working lists: they stay in the model alone.
bool hiddenContainer(const ui::Control& c) {
    for (const ui::Control* p = c.container(); p; p = p->container())
        if (!p->visible()) return true;
    return false;
}

POINT origin(const ui::Control& c) {
    POINT p{0, 0};
    for (const ui::Control* k = c.container(); k; k = k->container()) p.x += k->left, p.y += k->top;
    return p;
}

void ControlPeer::update(ui::Prop what) {
    if (auto* t = dynamic_cast<ui::Timer*>(&control)) {
        if (what == ui::Prop::Enabled) {
            if (t->enabled()) SetTimer(window.hwnd, id, UINT(t->interval), nullptr);
            else KillTimer(window.hwnd, id);
        }
        return;
    }
    if (!hwnd) return;
    switch (what) {
    case ui::Prop::Caption:
        textPending = true;
        if (GetTickCount() - lastPush >= kPaintIntervalMs) pushText();
        else if (!flushArmed) {
            SetTimer(window.hwnd, kFlushTimerBase + id, 2 * kPaintIntervalMs, nullptr);
            flushArmed = true;
        }
        break;
    case ui::Prop::Enabled: EnableWindow(hwnd, control.enabled()); break;
    case ui::Prop::Visible: ShowWindow(hwnd, control.shown() ? SW_SHOWNA : SW_HIDE); break;
    case ui::Prop::Bounds: {
        POINT o = origin(control);
        MoveWindow(hwnd, pxX(o.x + control.left), pxY(o.y + control.top), pxX(control.width),
                   pxY(control.height), TRUE);
        break;
    }
    case ui::Prop::Colours:
        if (brush) DeleteObject(brush), brush = nullptr;
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case ui::Prop::Font:
        SendMessageW(hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(
                         font(control.fontName, control.fontSize, control.fontBold)),
                     TRUE);
        break;
    case ui::Prop::Items:
        if (auto* l = dynamic_cast<ui::ListBox*>(&control)) {
            SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
            SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
            for (int i = 0; i < l->count(); ++i)
                SendMessageW(hwnd, LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(wide(l->item(i)).c_str()));
            SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        [[fallthrough]];
    case ui::Prop::Selection:
        if (auto* l = dynamic_cast<ui::ListBox*>(&control)) {
            if (l->multiSelect()) {
                for (int i = 0; i < l->count(); ++i)
                    SendMessageW(hwnd, LB_SETSEL, l->selected(i), i);
                SendMessageW(hwnd, LB_SETCARETINDEX, l->listIndex(), FALSE);
            } else {
                SendMessageW(hwnd, LB_SETCURSEL, l->listIndex(), 0);
            }
        }
        break;
    default: break;
    }
}

void ControlPeer::pushText() {
    if (flushArmed) KillTimer(window.hwnd, kFlushTimerBase + id), flushArmed = false;
    textPending = false;
    lastPush = GetTickCount();
    SetWindowTextW(hwnd, wide(control.caption()).c_str());
}

void ControlPeer::repaint() {
    if (hwnd && !textPending) UpdateWindow(hwnd);
}

HBRUSH ControlPeer::colours(HDC dc) {
    SetTextColor(dc, control.foreColour());
    if (control.transparent()) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, control.backColour());
    if (!brush) brush = CreateSolidBrush(control.backColour());
    return brush;
}

void ControlPeer::fromNative(int notification) {
    if (dynamic_cast<ui::Button*>(&control)) {
        if (notification == BN_CLICKED && control.click) control.click();
    } else if (auto* l = dynamic_cast<ui::ListBox*>(&control)) {
        if (notification == LBN_SELCHANGE) {
            if (l->multiSelect()) {
                for (int i = 0; i < l->count(); ++i) {
                    bool on = SendMessageW(hwnd, LB_GETSEL, i, 0) > 0;
                    if (on != l->selected(i)) l->setSelected(i, on);
                }
                l->setListIndex(int(SendMessageW(hwnd, LB_GETCARETINDEX, 0, 0)));
            } else {
                l->setListIndex(int(SendMessageW(hwnd, LB_GETCURSEL, 0, 0)));
            }
        } else if (notification == LBN_DBLCLK && control.dblClick) {
            control.dblClick();
        }
    }
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<WindowPeer*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT WindowPeer::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wp);
        RECT r;
        GetClientRect(hwnd, &r);
        if (picture) {
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, picture);
            BITMAP bm;
            GetObjectW(picture, sizeof bm, &bm);
            BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        } else {
            FillRect(dc, &r, background);
        }
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        auto* c = reinterpret_cast<ControlPeer*>(
            GetWindowLongPtrW(reinterpret_cast<HWND>(lp), GWLP_USERDATA));
        if (c) return reinterpret_cast<LRESULT>(c->colours(reinterpret_cast<HDC>(wp)));
        break;
    }
    case WM_COMMAND: {
        HWND from = reinterpret_cast<HWND>(lp);
        auto* c = from ? reinterpret_cast<ControlPeer*>(GetWindowLongPtrW(from, GWLP_USERDATA))
                       : nullptr;
        if (c) c->fromNative(HIWORD(wp));
        return 0;
    }
    case WM_TIMER:
        for (auto& c : controls) {
            if (c->id == wp) {
                if (auto* t = dynamic_cast<ui::Timer*>(&c->control); t && t->tick) t->tick();
                return 0;
            }
            if (kFlushTimerBase + c->id == wp) {
                c->pushText();
                UpdateWindow(c->hwnd);
                return 0;
            }
        }
        KillTimer(hwnd, wp);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (window.mouseDown)
            window.mouseDown(GET_X_LPARAM(lp) * screen().tppX, GET_Y_LPARAM(lp) * screen().tppY);
        return 0;
    case WM_CLOSE:
        window.close();
        return 0;
    case WM_NCDESTROY:
        for (auto& c : controls) c->control.peer = nullptr;
        window.peer = nullptr;
        hwnd = nullptr;
        if (--openWindows == 0) PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void registerClass() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance(), L"APPICON");
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
}

void WindowPeer::create() {
    registerClass();
    DWORD style = window.border == ui::Border::None ? WS_POPUP
                                                    : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                                          WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    if (window.border == ui::Border::Sizable) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    RECT r{0, 0, pxX(window.clientWidth), pxY(window.clientHeight)};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    int w = r.right - r.left, h = r.bottom - r.top;
    RECT area;
    HWND owner = window.ownerWindow && window.ownerWindow->peer
                     ? static_cast<WindowPeer*>(window.ownerWindow->peer)->hwnd
                     : nullptr;
    if (owner) GetWindowRect(owner, &area);
    else SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    int x = window.centred ? area.left + (area.right - area.left - w) / 2 : CW_USEDEFAULT;
    int y = window.centred ? area.top + (area.bottom - area.top - h) / 2 : CW_USEDEFAULT;
    background = CreateSolidBrush(window.backColour);
    CreateWindowExW(0, kWindowClass, wide(window.caption()).c_str(), style, x, y, w, h, owner,
                    nullptr, instance(), this);
    loadPicture();
    ++openWindows;

    UINT_PTR id = 0;
    for (ui::Control* c : window.controls()) {
        ++id;
        HWND child = nullptr;
        const wchar_t* cls = nullptr;
        DWORD cs = WS_CHILD | (c->visible() ? WS_VISIBLE : 0);
        if (dynamic_cast<ui::Timer*>(c) || hiddenContainer(*c) ||
            (dynamic_cast<ui::Image*>(c) && !c->visible())) {
            // no native control
        } else if (auto* l = dynamic_cast<ui::Label*>(c)) {
            cls = L"STATIC";
            cs |= l->alignment == ui::Align::Right    ? SS_RIGHT
                  : l->alignment == ui::Align::Center ? SS_CENTER
                                                      : SS_LEFT;
            if (l->click || l->dblClick) cs |= SS_NOTIFY;
        } else if (dynamic_cast<ui::Button*>(c)) {
            cls = L"BUTTON";
            cs |= BS_PUSHBUTTON | WS_TABSTOP;
        } else if (dynamic_cast<ui::Frame*>(c)) {
            cls = L"BUTTON";
            cs |= BS_GROUPBOX;
        } else if (auto* l = dynamic_cast<ui::ListBox*>(c)) {
            cls = L"LISTBOX";
            cs |= WS_VSCROLL | WS_BORDER | LBS_NOTIFY | WS_TABSTOP |
                  (l->multiSelect() ? LBS_EXTENDEDSEL : 0);
        }
        if (cls) {
            POINT o = origin(*c);
            child = CreateWindowExW(0, cls, wide(c->caption()).c_str(), cs, pxX(o.x + c->left),
                                    pxY(o.y + c->top), pxX(c->width), pxY(c->height), hwnd,
                                    reinterpret_cast<HMENU>(id), instance(), nullptr);
        }
        controls.push_back(std::make_unique<ControlPeer>(*this, *c, child, id));
        c->peer = controls.back().get();
        if (child) {
            c->peer->update(ui::Prop::Font);
            if (dynamic_cast<ui::ListBox*>(c)) c->peer->update(ui::Prop::Items);
            if (!c->enabled()) c->peer->update(ui::Prop::Enabled);
        } else if (c->enabled()) {
            c->peer->update(ui::Prop::Enabled);
        }
    }
    window.peer = this;
}

} // namespace

HWND dialogOwner() {
    for (auto& p : peers)
        if (p->hwnd && IsWindowVisible(p->hwnd)) return p->hwnd;
    return nullptr;
}

int run(ui::Window& window) {
    peers.push_back(std::make_unique<WindowPeer>(window));
    peers.back()->create();
    window.load();
    if (window.isClosed()) return 0;
    if (!window.isShown()) window.show();
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(GetActiveWindow(), &m)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    return 0;
}

} // namespace win32
