#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

class ComboBoxPeer : public ControlPeer {
  public:
    ComboBoxPeer(WindowPeer& w, ui::Control& c, UINT_PTR id)
        : ControlPeer(w, c, id), combo_(static_cast<ui::ComboBox&>(c)) {}

    bool create() override {
        return createNative(L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP);
    }

    void notify(int code) override {
        if (code != CBN_EDITCHANGE && code != CBN_SELCHANGE) return;
        std::wstring chosen;
        if (code == CBN_SELCHANGE) {
            int i = int(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
            if (i >= 0 && i < combo_.count()) chosen = wide(combo_.item(i));
        } else {
            chosen.assign(GetWindowTextLengthW(hwnd) + 1, L'\0');
            chosen.resize(GetWindowTextW(hwnd, chosen.data(), int(chosen.size())));
        }
        echo = false;
        combo_.setText(utf8(chosen));
        echo = true;
    }

  protected:
    int dropHeight() const override { return 150; }

    void mirror(ui::Prop what) override {
        switch (what) {
        case ui::Prop::Items:
            SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
            for (int i = 0; i < combo_.count(); ++i)
                SendMessageW(hwnd, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(wide(combo_.item(i)).c_str()));
            SetWindowTextW(hwnd, wide(combo_.text()).c_str());
            break;
        case ui::Prop::LineAdded:
            SendMessageW(hwnd, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(wide(combo_.item(combo_.changedLine())).c_str()));
            break;
        case ui::Prop::LineRemoved:
        case ui::Prop::LineText:
            mirror(ui::Prop::Items);
            break;
        default:
            break;
        }
    }

  private:
    ui::ComboBox& combo_;
};

} // namespace

std::unique_ptr<ControlPeer> comboBoxPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<ComboBoxPeer>(w, c, id);
}

} // namespace win32
