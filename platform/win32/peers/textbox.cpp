#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

class TextBoxPeer : public ControlPeer {
  public:
    TextBoxPeer(WindowPeer& w, ui::Control& c, UINT_PTR id)
        : ControlPeer(w, c, id), box_(static_cast<ui::TextBox&>(c)) {}

    bool create() override {
        return createNative(L"EDIT",
                            ES_AUTOHSCROLL | WS_TABSTOP | (box_.password ? ES_PASSWORD : 0),
                            WS_EX_CLIENTEDGE);
    }

    void notify(int code) override {
        if (code != EN_CHANGE) return;
        std::wstring typed(GetWindowTextLengthW(hwnd) + 1, L'\0');
        typed.resize(GetWindowTextW(hwnd, typed.data(), int(typed.size())));
        if (utf8(typed) == box_.text()) return;
        echo = false;
        box_.setText(utf8(typed));
        echo = true;
    }

  private:
    ui::TextBox& box_;
};

} // namespace

std::unique_ptr<ControlPeer> textBoxPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<TextBoxPeer>(w, c, id);
}

} // namespace win32
