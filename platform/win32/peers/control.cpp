#include "platform/ui/native.h"
#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

const wchar_t kNameProperty[] = L"ControlName";

POINT origin(const ui::Control& c) {
    POINT p{0, 0};
    for (const ui::Control* k = c.container(); k; k = k->container()) p.x += k->left, p.y += k->top;
    return p;
}

} // namespace

std::unique_ptr<ControlPeer> makePeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    if (ui::stateOnly(c)) return std::make_unique<ControlPeer>(w, c, id);
    switch (c.kind()) {
    case ui::Kind::Label:
        return labelPeer(w, c, id);
    case ui::Kind::Button:
        return buttonPeer(w, c, id);
    case ui::Kind::Frame:
        return framePeer(w, c, id);
    case ui::Kind::Image: // painted with the window's picture
        return std::make_unique<ControlPeer>(w, c, id);
    case ui::Kind::ListBox:
        return listBoxPeer(w, c, id);
    case ui::Kind::TextBox:
        return textBoxPeer(w, c, id);
    case ui::Kind::CheckBox:
    case ui::Kind::Option:
        return togglePeer(w, c, id);
    case ui::Kind::ComboBox:
        return comboBoxPeer(w, c, id);
    case ui::Kind::Menu:
        return menuPeer(w, c, id);
    case ui::Kind::DriveList:
        return driveListPeer(w, c, id);
    case ui::Kind::DirList:
        return dirListPeer(w, c, id);
    case ui::Kind::Timer:
        return timerPeer(w, c, id);
    }
    return std::make_unique<ControlPeer>(w, c, id);
}

ControlPeer::~ControlPeer() {
    if (brush_) DeleteObject(brush_);
}

bool ControlPeer::createNative(const wchar_t* cls, DWORD style, DWORD exStyle) {
    const Dpi& d = window.dpi;
    POINT o = origin(control);
    // Made in its state: no call afterwards to show or enable it.
    style |= WS_CHILD | WS_CLIPSIBLINGS | (control.shown() ? WS_VISIBLE : 0) |
             (control.usable() ? 0 : WS_DISABLED);
    hwnd = CreateWindowExW(exStyle, cls, text().c_str(), style, d.pxX(o.x + control.left),
                           d.pxY(o.y + control.top), d.pxX(control.width),
                           d.pxY(control.height) + dropHeight(), window.hwnd,
                           reinterpret_cast<HMENU>(id), instance(), nullptr);
    if (!hwnd) return false;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // The control's name, for tools that find controls from outside (the test driver).
    name_ = GlobalAddAtomW(wide(control.name()).c_str());
    if (name_)
        SetPropW(hwnd, kNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(name_)));
    update(ui::Prop::Font);
    update(ui::Prop::Items);
    update(ui::Prop::Value);
    return true;
}

void ControlPeer::release() {
    if (!name_) return;
    if (hwnd) RemovePropW(hwnd, kNameProperty);
    GlobalDeleteAtom(name_);
    name_ = 0;
}

void ControlPeer::update(ui::Prop what) {
    if (!hwnd) return;
    switch (what) {
    case ui::Prop::Enabled:
    case ui::Prop::Visible:
        applyState();
        break;
    case ui::Prop::Caption:
        if (echo) showCaption();
        break;
    case ui::Prop::Bounds:
        place();
        break;
    case ui::Prop::Colours:
        if (brush_) DeleteObject(brush_), brush_ = nullptr;
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case ui::Prop::Font:
        SendMessageW(hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(
                         window.font(control.fontName, control.fontSize, control.fontBold)),
                     TRUE);
        break;
    default:
        mirror(what);
        break;
    }
}

void ControlPeer::showCaption() {
    SetWindowTextW(hwnd, text().c_str());
}

void ControlPeer::repaint() {
    if (!hwnd) return;
    window.paintDue();
    UpdateWindow(hwnd);
}

void ControlPeer::applyState() {
    if (!hwnd) return;
    EnableWindow(hwnd, control.usable());
    ShowWindow(hwnd, control.shown() ? SW_SHOWNA : SW_HIDE);
}

void ControlPeer::place() {
    const Dpi& d = window.dpi;
    POINT o = origin(control);
    MoveWindow(hwnd, d.pxX(o.x + control.left), d.pxY(o.y + control.top), d.pxX(control.width),
               d.pxY(control.height) + dropHeight(), TRUE);
}

HBRUSH ControlPeer::colours(HDC dc) {
    SetTextColor(dc, colourRef(control.foreColour()));
    if (control.transparent()) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, colourRef(control.backColour()));
    if (!brush_) brush_ = CreateSolidBrush(colourRef(control.backColour()));
    return brush_;
}

} // namespace win32
