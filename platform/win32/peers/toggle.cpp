#include "platform/ui/native.h"
#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

// Check boxes and options: BUTTON controls that show the mark the model gives them. An option's
// button does not mark itself, as its group is the model's: a click on it asks for the mark.
class TogglePeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;

    bool create() override {
        return createNative(L"BUTTON", (option() ? BS_RADIOBUTTON : BS_AUTOCHECKBOX) | WS_TABSTOP);
    }

    void notify(int code) override {
        if (code == BN_CLICKED)
            ui::takeMark(control, option() || SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED);
    }

  protected:
    void mirror(ui::Prop what) override {
        if (what == ui::Prop::Value)
            SendMessageW(hwnd, BM_SETCHECK, ui::marked(control) ? BST_CHECKED : BST_UNCHECKED, 0);
    }

  private:
    bool option() const { return control.kind() == ui::Kind::Option; }
};

} // namespace

std::unique_ptr<ControlPeer> togglePeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<TogglePeer>(w, c, id);
}

} // namespace win32
