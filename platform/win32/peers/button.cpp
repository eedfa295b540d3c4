#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

class ButtonPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    bool create() override {
        const bool isDefault = static_cast<ui::Button&>(control).isDefault;
        return createNative(L"BUTTON", (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP);
    }
    void notify(int code) override {
        if (code == BN_CLICKED && control.click) control.click();
    }
};

} // namespace

std::unique_ptr<ControlPeer> buttonPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<ButtonPeer>(w, c, id);
}

} // namespace win32
