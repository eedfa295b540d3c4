#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

// A frame paints its inside in its own back colour: the form clips its children and the
// native group box leaves its inside unpainted.
WNDPROC groupBoxProc = nullptr;

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

class FramePeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool create() override { return createNative(L"BUTTON", BS_GROUPBOX); }

    // Frames lie below the controls they hold, the outer ones lowest.
    void settle() override {
        WNDPROC base = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProc)));
        if (!groupBoxProc) groupBoxProc = base;
        SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

  protected:
    // A trailing blank: group boxes measure some letter pairs ("ff") narrower than they draw
    // them, which cut the last letter off.
    std::wstring text() const override {
        std::wstring t = wide(control.caption());
        if (!t.empty()) t += L' ';
        return t;
    }
};

} // namespace

std::unique_ptr<ControlPeer> framePeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<FramePeer>(w, c, id);
}

} // namespace win32
