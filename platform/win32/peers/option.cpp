#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

class OptionPeer : public ControlPeer {
  public:
    OptionPeer(WindowPeer& w, ui::Control& c, UINT_PTR id)
        : ControlPeer(w, c, id), option_(static_cast<ui::OptionButton&>(c)) {}

    bool create() override { return createNative(L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP); }

    void notify(int code) override {
        if (code == BN_CLICKED) option_.setValue(true);
    }

  protected:
    void mirror(ui::Prop what) override {
        if (what == ui::Prop::Value)
            SendMessageW(hwnd, BM_SETCHECK, option_.value() ? BST_CHECKED : BST_UNCHECKED, 0);
    }

  private:
    ui::OptionButton& option_;
};

} // namespace

std::unique_ptr<ControlPeer> optionPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<OptionPeer>(w, c, id);
}

} // namespace win32
