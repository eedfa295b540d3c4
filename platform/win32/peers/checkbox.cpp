#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

class CheckBoxPeer : public ControlPeer {
  public:
    CheckBoxPeer(WindowPeer& w, ui::Control& c, UINT_PTR id)
        : ControlPeer(w, c, id), box_(static_cast<ui::CheckBox&>(c)) {}

    bool create() override { return createNative(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP); }

    void notify(int code) override {
        if (code == BN_CLICKED)
            box_.setValue(SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    }

  protected:
    void mirror(ui::Prop what) override {
        if (what == ui::Prop::Value)
            SendMessageW(hwnd, BM_SETCHECK, box_.value() ? BST_CHECKED : BST_UNCHECKED, 0);
    }

  private:
    ui::CheckBox& box_;
};

} // namespace

std::unique_ptr<ControlPeer> checkBoxPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<CheckBoxPeer>(w, c, id);
}

} // namespace win32
