#include <windowsx.h>

#include "platform/win32/peers/peer.h"
#include "platform/win32/win32_impl.h"

namespace win32 {
namespace {

const wchar_t kWindowClass[] = L"ScourixForm";

// Every window peer, open or closed since the message loop last came round; a closed one
// (no window any more) is freed there, when no handler of it can be running.
std::vector<std::unique_ptr<WindowPeer>> peers;
int openWindows = 0;

void freeClosed() {
    std::erase_if(peers, [](const std::unique_ptr<WindowPeer>& p) { return !p->hwnd; });
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<WindowPeer*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd = hwnd;
        ++openWindows;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

bool registerClass() {
    static ATOM done = 0;
    if (done) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance(), L"APPICON");
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance(), L"APPICON", IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    wc.lpszClassName = kWindowClass;
    done = RegisterClassExW(&wc);
    return done != 0;
}

bool isMenu(const ui::Control& c) {
    return c.kind() == ui::Kind::Menu;
}

class Win32Backend : public ui::Backend {
  public:
    // A window the system refused leaves the model's peer unset; its peer goes with the
    // closed ones.
    void create(ui::Window& window) override {
        peers.push_back(std::make_unique<WindowPeer>(window));
        peers.back()->create();
    }
};

} // namespace

HINSTANCE instance() {
    return GetModuleHandleW(nullptr);
}

Dpi Dpi::screen() {
    Dpi d;
    HDC dc = GetDC(nullptr);
    int dx = GetDeviceCaps(dc, LOGPIXELSX), dy = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    if (dx > 0) d.x = dx;
    if (dy > 0) d.y = dy;
    return d;
}

WindowPeer::~WindowPeer() {
    controls.clear();
    if (picture_) DeleteObject(picture_);
    if (background_) DeleteObject(background_);
    for (auto& [key, f] : fonts_) DeleteObject(f);
}

HFONT WindowPeer::font(const std::string& face, int size, bool bold) {
    auto key = std::make_tuple(face, size, bold, dpi.y);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    HFONT f = CreateFontW(-MulDiv(size, dpi.y, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                          DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, wide(face).c_str());
    return fonts_[key] = f;
}

void WindowPeer::update(ui::Prop what) {
    if (!hwnd) return;
    if (what == ui::Prop::Caption) SetWindowTextW(hwnd, wide(window.caption()).c_str());
    if (what == ui::Prop::Value) pictureChanged();
    if (what == ui::Prop::Bounds) resize();
}

// The picture is read when the window is first painted: a window shows at once, and a window
// that starts work on a timer does not wait for it.
void WindowPeer::pictureChanged() {
    if (picture_) DeleteObject(picture_), picture_ = nullptr;
    pictureRead_ = window.picture().empty();
    InvalidateRect(hwnd, nullptr, TRUE);
}

HBITMAP WindowPeer::picture() {
    if (!pictureRead_) {
        pictureRead_ = true;
        picture_ = static_cast<HBITMAP>(
            LoadImageW(instance(), wide(window.picture()).c_str(), IMAGE_BITMAP, 0, 0, 0));
    }
    return picture_;
}

void WindowPeer::show() {
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
}

void WindowPeer::close() {
    if (hwnd) DestroyWindow(hwnd);
}

void WindowPeer::minimize() {
    ShowWindow(hwnd, SW_MINIMIZE);
}

void WindowPeer::focus() {
    if (!hwnd) return;
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
}

void WindowPeer::setEllipticRegion(int l, int t, int r, int b) {
    region_ = {l, t, r, b};
    regionDpi_ = dpi;
    SetWindowRgn(hwnd, CreateEllipticRgn(l, t, r, b), TRUE);
}

void WindowPeer::beginDrag() {
    ReleaseCapture();
    SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

bool WindowPeer::position(ui::ScreenPoint& at) {
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return false;
    at = {r.left, r.top};
    return true;
}

namespace {
BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<ui::ScreenRect>*>(list)->push_back(
            {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
    return TRUE;
}
} // namespace

void WindowPeer::moveTo(ui::ScreenPoint at) {
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return;
    std::vector<ui::ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    at = ui::ontoMonitors(at, r.right - r.left, r.bottom - r.top, monitors);
    SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::pair<HMENU, UINT> WindowPeer::menuOf(const ui::MenuItem& m) const {
    auto it = menus_.find(&m);
    return it == menus_.end() ? std::pair<HMENU, UINT>{nullptr, 0} : it->second;
}

void WindowPeer::paintDue() {
    for (std::size_t i = 0; i < pending.size();)
        if (!pending[i]->paintIfDue()) ++i;
}

void WindowPeer::eraseBackground(HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    HBITMAP bitmap = picture();
    if (!bitmap) {
        FillRect(dc, &r, background_);
        return;
    }
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BITMAP bm;
    GetObjectW(bitmap, sizeof bm, &bm);
    // The picture is drawn for 96 DPI; at a higher DPI the window is larger, and the picture
    // fills it.
    if (bm.bmWidth == r.right && bm.bmHeight == r.bottom) {
        BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
}

LRESULT WindowPeer::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kRedrawMessage: {
        HWND list = reinterpret_cast<HWND>(lp);
        auto* c = reinterpret_cast<ControlPeer*>(GetWindowLongPtrW(list, GWLP_USERDATA));
        if (c && c->hwnd == list) c->resumeRedraw();
        return 0;
    }
    case WM_ERASEBKGND:
        eraseBackground(reinterpret_cast<HDC>(wp));
        return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        auto* c = reinterpret_cast<ControlPeer*>(
            GetWindowLongPtrW(reinterpret_cast<HWND>(lp), GWLP_USERDATA));
        if (c) return reinterpret_cast<LRESULT>(c->colours(reinterpret_cast<HDC>(wp)));
        break;
    }
    case WM_COMMAND: {
        HWND from = reinterpret_cast<HWND>(lp);
        if (!from && HIWORD(wp) == 0) {
            // A menu entry, by its id.
            std::size_t i = LOWORD(wp);
            if (i >= 1 && i <= controls.size() && isMenu(controls[i - 1]->control))
                controls[i - 1]->notify(0);
            return 0;
        }
        auto* c =
            from ? reinterpret_cast<ControlPeer*>(GetWindowLongPtrW(from, GWLP_USERDATA)) : nullptr;
        if (c) c->notify(HIWORD(wp));
        return 0;
    }
    case WM_TIMER:
        if (wp >= 1 && wp <= controls.size()) {
            controls[wp - 1]->tick();
            return 0;
        }
        if (wp > kFlushTimerBase && wp - kFlushTimerBase <= controls.size()) {
            controls[wp - kFlushTimerBase - 1]->flush();
            return 0;
        }
        KillTimer(hwnd, wp);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (window.mouseDown)
            window.mouseDown(GET_X_LPARAM(lp) * dpi.tppX(), GET_Y_LPARAM(lp) * dpi.tppY());
        return 0;
    case WM_DPICHANGED: {
        Dpi to;
        to.x = LOWORD(wp), to.y = HIWORD(wp);
        if (to.x > 0 && to.y > 0) dpiChanged(to, *reinterpret_cast<const RECT*>(lp));
        return 0;
    }
    case WM_CLOSE:
        window.close();
        return 0;
    case WM_DESTROY:
        // The controls still exist: take back what the peers attached to them.
        for (auto& c : controls) c->release();
        return 0;
    case WM_NCDESTROY:
        for (auto& c : controls) c->control.peer = nullptr;
        if (window.peer == this) window.peer = nullptr;
        hwnd = nullptr;
        if (--openWindows == 0) PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool WindowPeer::create() {
    if (!registerClass()) return false;
    style_ = window.border == ui::Border::None
                 ? WS_POPUP
                 : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    if (window.border == ui::Border::Sizable) style_ |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    bool hasMenu = false;
    for (ui::Control* c : window.controls()) hasMenu = hasMenu || isMenu(*c);
    RECT r{0, 0, dpi.pxX(window.clientWidth), dpi.pxY(window.clientHeight)};
    AdjustWindowRectEx(&r, style_, hasMenu, 0);
    int w = r.right - r.left, h = r.bottom - r.top;
    RECT area;
    HWND owner = window.ownerWindow && window.ownerWindow->peer
                     ? static_cast<WindowPeer*>(window.ownerWindow->peer)->hwnd
                     : nullptr;
    if (owner)
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    int x = window.centred ? area.left + (area.right - area.left - w) / 2 : CW_USEDEFAULT;
    int y = window.centred ? area.top + (area.bottom - area.top - h) / 2 : CW_USEDEFAULT;
    background_ = CreateSolidBrush(colourRef(window.backColour));
    if (!CreateWindowExW(0, kWindowClass, wide(window.caption()).c_str(), style_, x, y, w, h, owner,
                         nullptr, instance(), this)) {
        hwnd = nullptr;
        return false;
    }
    pictureChanged();

    UINT_PTR id = 0;
    for (ui::Control* c : window.controls()) {
        controls.push_back(makePeer(*this, *c, ++id));
        c->peer = controls.back().get();
        if (!controls.back()->create()) {
            // Half a window is no window: the model hears of it as a window that did not open.
            DestroyWindow(hwnd);
            return false;
        }
    }
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if ((*it)->hwnd) (*it)->settle();
    buildMenu();
    window.peer = this;
    return true;
}

void WindowPeer::buildMenu() {
    HMENU bar = nullptr;
    std::map<const ui::Control*, HMENU> popups;
    for (auto& c : controls) {
        if (!isMenu(c->control)) continue;
        auto& m = static_cast<ui::MenuItem&>(c->control);
        if (!bar) bar = CreateMenu();
        HMENU parent = m.container() ? popups[m.container()] : bar;
        if (!parent) continue;
        bool hasChildren = false;
        for (auto& k : controls)
            hasChildren = hasChildren || (isMenu(k->control) && k->control.container() == &m);
        UINT flags = m.separator ? MF_SEPARATOR : MF_STRING;
        UINT_PTR item = c->id;
        if (hasChildren) {
            HMENU popup = CreatePopupMenu();
            popups[&m] = popup;
            flags |= MF_POPUP;
            item = reinterpret_cast<UINT_PTR>(popup);
        }
        AppendMenuW(parent, flags, item, m.separator ? nullptr : wide(m.caption()).c_str());
        menus_[&m] = {parent, UINT(GetMenuItemCount(parent) - 1)};
        c->update(ui::Prop::Enabled);
        c->update(ui::Prop::Value);
    }
    if (bar) SetMenu(hwnd, bar);
}

// Moved to a monitor of another DPI: the window takes the rectangle the system suggests, and its
// controls, fonts and region are laid out again for the new DPI.
void WindowPeer::dpiChanged(Dpi to, const RECT& suggested) {
    dpi = to;
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (auto& c : controls) {
        if (!c->hwnd) continue;
        c->place();
        c->update(ui::Prop::Font);
    }
    if (region_.right > region_.left) {
        auto scale = [](LONG v, int now, int before) { return MulDiv(v, now, before); };
        SetWindowRgn(hwnd,
                     CreateEllipticRgn(scale(region_.left, dpi.x, regionDpi_.x),
                                       scale(region_.top, dpi.y, regionDpi_.y),
                                       scale(region_.right, dpi.x, regionDpi_.x),
                                       scale(region_.bottom, dpi.y, regionDpi_.y)),
                     TRUE);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

void WindowPeer::resize() {
    RECT r{0, 0, dpi.pxX(window.clientWidth), dpi.pxY(window.clientHeight)};
    AdjustWindowRectEx(&r, style_, GetMenu(hwnd) != nullptr, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND dialogOwner() {
    HWND active = GetActiveWindow();
    for (auto& p : peers)
        if (p->hwnd && p->hwnd == active) return active;
    for (auto& p : peers)
        if (p->hwnd && IsWindowVisible(p->hwnd)) return p->hwnd;
    return nullptr;
}

// Return and Escape go to the active window's default and cancel buttons (the model's rule), not
// to IsDialogMessage: it would send IDOK or IDCANCEL, which are the ids of the window's first
// two controls here. A control that wants the key itself (an open drop-down list) keeps it, and
// Return on a focused push button clicks that button.
static bool dialogKey(MSG& m) {
    if (m.message != WM_KEYDOWN || (m.wParam != VK_RETURN && m.wParam != VK_ESCAPE)) return false;
    HWND active = GetActiveWindow();
    WindowPeer* peer = nullptr;
    for (auto& p : peers)
        if (p->hwnd && p->hwnd == active) peer = p.get();
    if (!peer) return false;
    HWND focus = GetFocus();
    if (focus && IsChild(active, focus)) {
        const LRESULT wants = SendMessageW(focus, WM_GETDLGCODE, m.wParam, LPARAM(&m));
        if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
        if (m.wParam == VK_RETURN && (wants & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
            SendMessageW(focus, BM_CLICK, 0, 0);
            return true;
        }
    }
    if (m.wParam == VK_RETURN)
        peer->window.pressDefault();
    else
        peer->window.pressCancel();
    return true;
}

int run(ui::Window& window) {
    static Win32Backend backend;
    ui::backend = &backend;
    window.open();
    if (window.isClosed()) return window.failed() ? 1 : 0;
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (dialogKey(m)) continue;
        if (!IsDialogMessageW(GetActiveWindow(), &m)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        freeClosed();
    }
    freeClosed();
    return 0;
}

} // namespace win32
