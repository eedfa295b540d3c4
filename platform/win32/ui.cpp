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
// painted, by a short timer, once the window is idle again. A paint costs about ten calls into
// the system (under Wine, ten server requests): ten a second show the progress and cost the
// cleaning about one per cent, where sixty-six cost it about eight.
const DWORD kPaintIntervalMs = 100;
// Posted to a window: the list box in lParam may draw again.
const UINT kRedrawMessage = WM_APP + 1;

HINSTANCE instance() {
    return GetModuleHandleW(nullptr);
}

// A window's DPI, and its twips in pixels: the screen's when the window opens; a window moved to
// a monitor of another DPI takes that monitor's (WM_DPICHANGED).
struct Dpi {
    int x = 96, y = 96;
    static Dpi screen() {
        Dpi d;
        HDC dc = GetDC(nullptr);
        int dx = GetDeviceCaps(dc, LOGPIXELSX), dy = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        if (dx > 0) d.x = dx;
        if (dy > 0) d.y = dy;
        return d;
    }
    int tppX() const { return 1440 / x; }
    int tppY() const { return 1440 / y; }
    int pxX(int twips) const { return (twips + tppX() / 2) / tppX(); }
    int pxY(int twips) const { return (twips + tppY() / 2) / tppY(); }
};

HFONT font(const std::string& face, int size, bool bold, int dpiY) {
    static std::map<std::tuple<std::string, int, bool, int>, HFONT> fonts;
    auto key = std::make_tuple(face, size, bold, dpiY);
    auto it = fonts.find(key);
    if (it != fonts.end()) return it->second;
    HFONT f = CreateFontW(-MulDiv(size, dpiY, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                          DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, wide(face).c_str());
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
    // Puts the native control where the model's twips say, at the window's DPI.
    void place();
    void repaint() override;
    void pushText();
    void applyState();
    void updateLine(ui::ListBox& l, ui::Prop what);
    bool redrawHeld = false; // the list's drawing waits for kRedrawMessage
    void updateMenu(ui::MenuItem& m, ui::Prop what);
    HBRUSH colours(HDC dc);
    void fromNative(int notification);

    WindowPeer& window;
    ui::Control& control;
    HWND hwnd;
    UINT_PTR id;
    HBRUSH brush = nullptr;
    bool textPending = false, flushArmed = false;
    // False while a change comes from the native control itself, which already shows it.
    bool echo = true;
    DWORD lastPush = 0;
};

class WindowPeer : public ui::WindowPeer {
  public:
    explicit WindowPeer(ui::Window& w) : window(w), dpi(Dpi::screen()) {}
    void create();
    void update(ui::Prop what) override {
        if (!hwnd) return;
        if (what == ui::Prop::Caption) SetWindowTextW(hwnd, wide(window.caption()).c_str());
        if (what == ui::Prop::Value) loadPicture();
        if (what == ui::Prop::Bounds) resize();
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
    void focus() override {
        if (!hwnd) return;
        if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
        SetForegroundWindow(hwnd);
        SetFocus(hwnd);
    }
    // The menu an entry lies in and its position there.
    std::pair<HMENU, UINT> menuOf(const ui::MenuItem& m) {
        auto it = menus.find(&m);
        return it == menus.end() ? std::pair<HMENU, UINT>{nullptr, 0} : it->second;
    }
    void buildMenu();
    void resize();
    // Paints the labels whose new text has waited for at least the paint interval.
    void paintDue() {
        DWORD now = GetTickCount();
        for (std::size_t i = 0; i < pending.size();) {
            ControlPeer* c = pending[i];
            if (now - c->lastPush < kPaintIntervalMs) {
                ++i;
                continue;
            }
            c->pushText();
            UpdateWindow(c->hwnd);
        }
    }
    std::vector<ControlPeer*> pending;
    void setEllipticRegion(int l, int t, int r, int b) override {
        region = {l, t, r, b};
        regionDpi = dpi;
        SetWindowRgn(hwnd, CreateEllipticRgn(l, t, r, b), TRUE);
    }
    void beginDrag() override {
        ReleaseCapture();
        SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    int twipsPerPixelX() override { return dpi.tppX(); }
    int twipsPerPixelY() override { return dpi.tppY(); }

    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    void dpiChanged(Dpi to, const RECT& suggested);

    ui::Window& window;
    HWND hwnd = nullptr;
    HBITMAP picture = nullptr;
    HBRUSH background = nullptr;
    std::vector<std::unique_ptr<ControlPeer>> controls;
    std::map<const ui::MenuItem*, std::pair<HMENU, UINT>> menus;
    DWORD style = 0;
    Dpi dpi;
    // The window's elliptic region as last set, in pixels at regionDpi; none while empty.
    RECT region{0, 0, 0, 0};
    Dpi regionDpi;
};

// Controls of a state-only frame are the window's working lists: they stay in the model alone.
bool stateOnly(const ui::Control& c) {
    for (const ui::Control* p = &c; p; p = p->container())
        if (auto* f = dynamic_cast<const ui::Frame*>(p); f && f->stateOnly) return true;
    return false;
}

bool isMenu(const ui::Control& c) {
    return dynamic_cast<const ui::MenuItem*>(&c) != nullptr;
}

// The text the native control shows. A frame's caption gets a trailing blank: group boxes
// measure some letter pairs ("ff") narrower than they draw them, which cut the last letter off.
std::wstring nativeText(const ui::Control& c) {
    std::wstring t = wide(c.caption());
    if (dynamic_cast<const ui::Frame*>(&c) && !t.empty()) t += L' ';
    return t;
}

// Pixels a combo box's native window reaches below its edit field, for its drop-down list.
int dropHeight(const ui::Control& c) {
    if (dynamic_cast<const ui::DriveList*>(&c)) return 200;
    if (dynamic_cast<const ui::ComboBox*>(&c)) return 150;
    return 0;
}

// A frame paints its inside in its own back colour: the form clips its children and the
// native group box leaves its inside unpainted.
WNDPROC groupBoxProc = nullptr;
LRESULT CALLBACK frameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

POINT origin(const ui::Control& c) {
    POINT p{0, 0};
    for (const ui::Control* k = c.container(); k; k = k->container()) p.x += k->left, p.y += k->top;
    return p;
}

void ControlPeer::update(ui::Prop what) {
    if (auto* t = dynamic_cast<ui::Timer*>(&control)) {
        if (what == ui::Prop::Enabled) {
            if (t->enabled())
                SetTimer(window.hwnd, id, UINT(t->interval), nullptr);
            else
                KillTimer(window.hwnd, id);
        }
        return;
    }
    if (auto* m = dynamic_cast<ui::MenuItem*>(&control)) return updateMenu(*m, what);
    if (what == ui::Prop::Enabled || what == ui::Prop::Visible) {
        // A frame's state reaches every control inside it.
        for (auto& c : window.controls)
            for (const ui::Control* k = &c->control; k; k = k->container())
                if (k == &control) {
                    c->applyState();
                    break;
                }
        return;
    }
    if (!hwnd) return;
    switch (what) {
    case ui::Prop::Caption:
        if (!echo) break;
        if (!dynamic_cast<ui::Label*>(&control)) {
            SetWindowTextW(hwnd, nativeText(control).c_str());
            break;
        }
        if (!textPending) window.pending.push_back(this);
        textPending = true;
        window.paintDue();
        if (textPending && !flushArmed) {
            SetTimer(window.hwnd, kFlushTimerBase + id, 2 * kPaintIntervalMs, nullptr);
            flushArmed = true;
        }
        break;
    case ui::Prop::Value:
        if (auto* c = dynamic_cast<ui::CheckBox*>(&control))
            SendMessageW(hwnd, BM_SETCHECK, c->value() ? BST_CHECKED : BST_UNCHECKED, 0);
        if (auto* o = dynamic_cast<ui::OptionButton*>(&control))
            SendMessageW(hwnd, BM_SETCHECK, o->value() ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case ui::Prop::Bounds: {
        place();
        // The controls inside a frame move with it.
        for (auto& c : window.controls)
            if (c->control.container() == &control) c->update(ui::Prop::Bounds);
        break;
    }
    case ui::Prop::Colours:
        if (brush) DeleteObject(brush), brush = nullptr;
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case ui::Prop::Font:
        SendMessageW(hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(
                         font(control.fontName, control.fontSize, control.fontBold, window.dpi.y)),
                     TRUE);
        break;
    case ui::Prop::Items:
        if (auto* d = dynamic_cast<ui::DriveList*>(&control)) {
            SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
            int at = -1;
            for (const auto& k : d->drives()) {
                int i = int(
                    SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(k).c_str())));
                if (k == d->drive()) at = i;
            }
            SendMessageW(hwnd, CB_SETCURSEL, at, 0);
            break;
        }
        if (auto* d = dynamic_cast<ui::DirList*>(&control)) {
            SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
            SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
            for (int i = 0; i < int(d->entries().size()); ++i) {
                const std::string& e = d->entries()[i];
                std::size_t cut = e.size() > 3 ? e.find_last_of('\\') + 1 : 0;
                int depth = std::min(i, d->openIndex() + 1);
                std::wstring text(3 * depth, L' ');
                text += wide(e.substr(cut));
                SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            }
            SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        if (auto* c = dynamic_cast<ui::ComboBox*>(&control)) {
            SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
            for (int i = 0; i < c->count(); ++i)
                SendMessageW(hwnd, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(wide(c->item(i)).c_str()));
            SetWindowTextW(hwnd, wide(c->text()).c_str());
            break;
        }
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
        if (auto* d = dynamic_cast<ui::DirList*>(&control)) {
            SendMessageW(hwnd, LB_SETCURSEL, d->listIndex(), 0);
            break;
        }
        if (dynamic_cast<ui::ComboBox*>(&control)) break;
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
    case ui::Prop::LineAdded:
    case ui::Prop::LineRemoved:
    case ui::Prop::LineText:
    case ui::Prop::LineSelected:
    case ui::Prop::CurrentLine:
        if (auto* l = dynamic_cast<ui::ListBox*>(&control)) updateLine(*l, what);
        break;
    default:
        break;
    }
}

// One line of a list, in a constant number of messages: loading a long keep list or selecting
// its lines must not resend the whole list for every line.
void ControlPeer::updateLine(ui::ListBox& l, ui::Prop what) {
    const int i = l.changedLine();
    if (dynamic_cast<ui::ComboBox*>(&l)) {
        if (what == ui::Prop::LineAdded)
            SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(l.item(i)).c_str()));
        else if (what == ui::Prop::LineRemoved || what == ui::Prop::LineText)
            update(ui::Prop::Items);
        return;
    }
    auto showSelection = [&](int line) {
        if (l.multiSelect())
            SendMessageW(hwnd, LB_SETSEL, l.selected(line), line);
        else
            SendMessageW(hwnd, LB_SETCURSEL, l.listIndex(), 0);
    };
    auto showCurrent = [&] {
        if (l.multiSelect())
            SendMessageW(hwnd, LB_SETCARETINDEX, l.listIndex(), FALSE);
        else
            SendMessageW(hwnd, LB_SETCURSEL, l.listIndex(), 0);
    };
    switch (what) {
    case ui::Prop::LineAdded:
        // The native list grows its storage by a few lines at a time, copying all of it each
        // time; reserving as many lines again as it holds keeps a long list linear.
        if (i >= 64 && (i & (i - 1)) == 0) SendMessageW(hwnd, LB_INITSTORAGE, i, i * 32);
        // Lines added in one go are drawn once, when the program next waits for messages.
        if (!redrawHeld) {
            SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
            redrawHeld =
                PostMessageW(window.hwnd, kRedrawMessage, 0, reinterpret_cast<LPARAM>(hwnd));
            if (!redrawHeld) SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
        }
        SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(l.item(i)).c_str()));
        break;
    case ui::Prop::LineRemoved:
        SendMessageW(hwnd, LB_DELETESTRING, i, 0);
        showCurrent();
        break;
    case ui::Prop::LineText:
        SendMessageW(hwnd, LB_DELETESTRING, i, 0);
        SendMessageW(hwnd, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(wide(l.item(i)).c_str()));
        showSelection(i);
        if (l.listIndex() == i) showCurrent();
        break;
    case ui::Prop::LineSelected:
        showSelection(i);
        break;
    default:
        showCurrent();
        break;
    }
}

void ControlPeer::applyState() {
    if (!hwnd) return;
    EnableWindow(hwnd, control.usable());
    ShowWindow(hwnd, control.shown() ? SW_SHOWNA : SW_HIDE);
}

void ControlPeer::updateMenu(ui::MenuItem& m, ui::Prop what) {
    auto [menu, at] = window.menuOf(m);
    if (!menu || m.separator) return;
    if (what == ui::Prop::Caption) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        std::wstring text = wide(m.caption());
        info.dwTypeData = text.data();
        SetMenuItemInfoW(menu, at, TRUE, &info);
    } else if (what == ui::Prop::Enabled) {
        EnableMenuItem(menu, at, MF_BYPOSITION | (m.enabled() ? MF_ENABLED : MF_GRAYED));
    } else if (what == ui::Prop::Value) {
        CheckMenuItem(menu, at, MF_BYPOSITION | (m.checked() ? MF_CHECKED : MF_UNCHECKED));
    }
    if (!m.container()) DrawMenuBar(window.hwnd);
}

void ControlPeer::pushText() {
    if (flushArmed) KillTimer(window.hwnd, kFlushTimerBase + id), flushArmed = false;
    if (!textPending) return;
    textPending = false;
    std::erase(window.pending, this);
    lastPush = GetTickCount();
    SetWindowTextW(hwnd, wide(control.caption()).c_str());
}

// A label whose text waits for its turn is not painted now; the next repaint of any control
// of the window after its interval, or the idle timer, paints it.
void ControlPeer::repaint() {
    if (!hwnd) return;
    window.paintDue();
    if (!textPending) UpdateWindow(hwnd);
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
    if (auto* c = dynamic_cast<ui::CheckBox*>(&control)) {
        if (notification == BN_CLICKED)
            c->setValue(SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    } else if (auto* o = dynamic_cast<ui::OptionButton*>(&control)) {
        if (notification == BN_CLICKED) o->setValue(true);
    } else if (auto* t = dynamic_cast<ui::TextBox*>(&control)) {
        if (notification == EN_CHANGE) {
            std::wstring text(GetWindowTextLengthW(hwnd) + 1, L'\0');
            text.resize(GetWindowTextW(hwnd, text.data(), int(text.size())));
            if (utf8(text) != t->text()) {
                echo = false;
                t->setText(utf8(text));
                echo = true;
            }
        }
    } else if (auto* d = dynamic_cast<ui::DriveList*>(&control)) {
        if (notification == CBN_SELCHANGE) {
            int i = int(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
            if (i >= 0 && i < int(d->drives().size())) d->setDrive(d->drives()[i]);
        }
    } else if (auto* d = dynamic_cast<ui::DirList*>(&control)) {
        if (notification == LBN_SELCHANGE)
            d->setListIndex(int(SendMessageW(hwnd, LB_GETCURSEL, 0, 0)));
        else if (notification == LBN_DBLCLK) {
            d->openHighlighted();
            if (d->dblClick) d->dblClick();
        }
    } else if (auto* c = dynamic_cast<ui::ComboBox*>(&control)) {
        if (notification == CBN_EDITCHANGE || notification == CBN_SELCHANGE) {
            std::wstring text;
            if (notification == CBN_SELCHANGE) {
                int i = int(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
                if (i >= 0 && i < c->count()) text = wide(c->item(i));
            } else {
                text.assign(GetWindowTextLengthW(hwnd) + 1, L'\0');
                text.resize(GetWindowTextW(hwnd, text.data(), int(text.size())));
            }
            echo = false;
            c->setText(utf8(text));
            echo = true;
        }
    } else if (auto* m = dynamic_cast<ui::MenuItem*>(&control)) {
        if (m->click) m->click();
    } else if (dynamic_cast<ui::Button*>(&control)) {
        if (notification == BN_CLICKED && control.click) control.click();
    } else if (auto* l = dynamic_cast<ui::ListBox*>(&control)) {
        if (notification == LBN_SELCHANGE) {
            if (l->multiSelect()) {
                // Read the whole native state first: each model change below pushes the
                // model's state back into the native list.
                std::vector<bool> on(l->count());
                for (int i = 0; i < l->count(); ++i)
                    on[i] = SendMessageW(hwnd, LB_GETSEL, i, 0) > 0;
                int caret = int(SendMessageW(hwnd, LB_GETCARETINDEX, 0, 0));
                for (int i = 0; i < l->count(); ++i)
                    if (on[i] != l->selected(i)) l->setSelected(i, on[i]);
                l->setListIndex(caret);
            } else {
                l->setListIndex(int(SendMessageW(hwnd, LB_GETCURSEL, 0, 0)));
            }
        } else if (notification == LBN_DBLCLK && control.dblClick) {
            control.dblClick();
        }
    }
}

void ControlPeer::place() {
    const Dpi& d = window.dpi;
    POINT o = origin(control);
    MoveWindow(hwnd, d.pxX(o.x + control.left), d.pxY(o.y + control.top), d.pxX(control.width),
               d.pxY(control.height) + dropHeight(control), TRUE);
}

LRESULT CALLBACK frameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* c = reinterpret_cast<ControlPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_ERASEBKGND && c) {
        HDC dc = reinterpret_cast<HDC>(wp);
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, c->colours(dc));
        return 1;
    }
    return CallWindowProcW(groupBoxProc, hwnd, msg, wp, lp);
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
    case kRedrawMessage: {
        HWND list = reinterpret_cast<HWND>(lp);
        auto* c = reinterpret_cast<ControlPeer*>(GetWindowLongPtrW(list, GWLP_USERDATA));
        if (!c || c->hwnd != list || !c->redrawHeld) return 0;
        c->redrawHeld = false;
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
        return 0;
    }
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wp);
        RECT r;
        GetClientRect(hwnd, &r);
        if (picture) {
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, picture);
            BITMAP bm;
            GetObjectW(picture, sizeof bm, &bm);
            // The picture is drawn for 96 DPI; at a higher DPI the window is larger, and the
            // picture fills it.
            if (bm.bmWidth == r.right && bm.bmHeight == r.bottom) {
                BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
            } else {
                SetStretchBltMode(dc, HALFTONE);
                SetBrushOrgEx(dc, 0, 0, nullptr);
                StretchBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, bm.bmWidth, bm.bmHeight,
                           SRCCOPY);
            }
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
        if (!from && HIWORD(wp) == 0) {
            for (auto& c : controls)
                if (c->id == LOWORD(wp) && isMenu(c->control)) {
                    c->fromNative(0);
                    break;
                }
            return 0;
        }
        auto* c =
            from ? reinterpret_cast<ControlPeer*>(GetWindowLongPtrW(from, GWLP_USERDATA)) : nullptr;
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
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance(), L"APPICON", IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
}

void WindowPeer::create() {
    registerClass();
    style = window.border == ui::Border::None
                ? WS_POPUP
                : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    if (window.border == ui::Border::Sizable) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    bool hasMenu = false;
    for (ui::Control* c : window.controls()) hasMenu = hasMenu || isMenu(*c);
    RECT r{0, 0, dpi.pxX(window.clientWidth), dpi.pxY(window.clientHeight)};
    AdjustWindowRectEx(&r, style, hasMenu, 0);
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
        DWORD cs = WS_CHILD | WS_CLIPSIBLINGS | (c->shown() ? WS_VISIBLE : 0);
        DWORD ex = 0;
        const int extraHeight = dropHeight(*c);
        if (dynamic_cast<ui::Timer*>(c) || stateOnly(*c) || isMenu(*c) ||
            dynamic_cast<ui::Image*>(c)) {
            // no native control: timers and menus are not windows, pictures are painted
        } else if (auto* l = dynamic_cast<ui::Label*>(c)) {
            cls = L"STATIC";
            cs |= l->alignment == ui::Align::Right    ? SS_RIGHT
                  : l->alignment == ui::Align::Center ? SS_CENTER
                                                      : SS_LEFT;
            if (l->click || l->dblClick) cs |= SS_NOTIFY;
        } else if (dynamic_cast<ui::TextBox*>(c)) {
            cls = L"EDIT";
            cs |= ES_AUTOHSCROLL | WS_TABSTOP;
            ex = WS_EX_CLIENTEDGE;
        } else if (dynamic_cast<ui::CheckBox*>(c)) {
            cls = L"BUTTON";
            cs |= BS_AUTOCHECKBOX | WS_TABSTOP;
        } else if (dynamic_cast<ui::OptionButton*>(c)) {
            cls = L"BUTTON";
            cs |= BS_RADIOBUTTON | WS_TABSTOP;
        } else if (dynamic_cast<ui::DriveList*>(c)) {
            cls = L"COMBOBOX";
            cs |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        } else if (dynamic_cast<ui::ComboBox*>(c)) {
            cls = L"COMBOBOX";
            cs |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
        } else if (dynamic_cast<ui::DirList*>(c)) {
            cls = L"LISTBOX";
            cs |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP;
            ex = WS_EX_CLIENTEDGE;
        } else if (dynamic_cast<ui::Button*>(c)) {
            cls = L"BUTTON";
            cs |= BS_PUSHBUTTON | WS_TABSTOP;
        } else if (dynamic_cast<ui::Frame*>(c)) {
            cls = L"BUTTON";
            cs |= BS_GROUPBOX;
        } else if (auto* l = dynamic_cast<ui::ListBox*>(c)) {
            cls = L"LISTBOX";
            cs |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP |
                  (l->multiSelect() ? LBS_MULTIPLESEL : 0);
            ex = WS_EX_CLIENTEDGE;
        }
        if (cls) {
            POINT o = origin(*c);
            child = CreateWindowExW(ex, cls, nativeText(*c).c_str(), cs, dpi.pxX(o.x + c->left),
                                    dpi.pxY(o.y + c->top), dpi.pxX(c->width),
                                    dpi.pxY(c->height) + extraHeight, hwnd,
                                    reinterpret_cast<HMENU>(id), instance(), nullptr);
        }
        // The control's name, for tools that find controls from outside (the test driver).
        if (child)
            SetPropW(child, L"ControlName",
                     reinterpret_cast<HANDLE>(
                         static_cast<UINT_PTR>(GlobalAddAtomW(wide(c->name()).c_str()))));
        controls.push_back(std::make_unique<ControlPeer>(*this, *c, child, id));
        c->peer = controls.back().get();
        if (child) {
            auto* peer = controls.back().get();
            peer->update(ui::Prop::Font);
            peer->update(ui::Prop::Items);
            peer->update(ui::Prop::Value);
            peer->applyState();
        } else if (dynamic_cast<ui::Timer*>(c) && c->enabled()) {
            c->peer->update(ui::Prop::Enabled);
        }
    }
    // Frames lie below the controls they hold, the outer ones lowest.
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if ((*it)->hwnd && dynamic_cast<ui::Frame*>(&(*it)->control)) {
            HWND frame = (*it)->hwnd;
            WNDPROC base = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProc)));
            if (!groupBoxProc) groupBoxProc = base;
            SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    buildMenu();
    window.peer = this;
}

void WindowPeer::buildMenu() {
    HMENU bar = nullptr;
    std::map<const ui::Control*, HMENU> popups;
    for (auto& c : controls) {
        auto* m = dynamic_cast<ui::MenuItem*>(&c->control);
        if (!m) continue;
        if (!bar) bar = CreateMenu();
        HMENU parent = m->container() ? popups[m->container()] : bar;
        if (!parent) continue;
        bool hasChildren = false;
        for (auto& k : controls)
            hasChildren = hasChildren || (isMenu(k->control) && k->control.container() == m);
        UINT flags = m->separator ? MF_SEPARATOR : MF_STRING;
        UINT_PTR item = c->id;
        if (hasChildren) {
            HMENU popup = CreatePopupMenu();
            popups[m] = popup;
            flags |= MF_POPUP;
            item = reinterpret_cast<UINT_PTR>(popup);
        }
        AppendMenuW(parent, flags, item, m->separator ? nullptr : wide(m->caption()).c_str());
        menus[m] = {parent, UINT(GetMenuItemCount(parent) - 1)};
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
    if (region.right > region.left) {
        auto scale = [](LONG v, int now, int before) { return MulDiv(v, now, before); };
        SetWindowRgn(hwnd,
                     CreateEllipticRgn(scale(region.left, dpi.x, regionDpi.x),
                                       scale(region.top, dpi.y, regionDpi.y),
                                       scale(region.right, dpi.x, regionDpi.x),
                                       scale(region.bottom, dpi.y, regionDpi.y)),
                     TRUE);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

void WindowPeer::resize() {
    RECT r{0, 0, dpi.pxX(window.clientWidth), dpi.pxY(window.clientHeight)};
    AdjustWindowRectEx(&r, style, GetMenu(hwnd) != nullptr, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class Win32Backend : public ui::Backend {
  public:
    void create(ui::Window& window) override {
        peers.push_back(std::make_unique<WindowPeer>(window));
        peers.back()->create();
    }
};

} // namespace

HWND dialogOwner() {
    HWND active = GetActiveWindow();
    for (auto& p : peers)
        if (p->hwnd && p->hwnd == active) return active;
    for (auto& p : peers)
        if (p->hwnd && IsWindowVisible(p->hwnd)) return p->hwnd;
    return nullptr;
}

int run(ui::Window& window) {
    static Win32Backend backend;
    ui::backend = &backend;
    window.open();
    if (window.isClosed()) return 0;
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
