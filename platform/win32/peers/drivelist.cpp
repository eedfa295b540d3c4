#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

class DriveListPeer : public ControlPeer {
  public:
    DriveListPeer(WindowPeer& w, ui::Control& c, UINT_PTR id)
        : ControlPeer(w, c, id), list_(static_cast<ui::DriveList&>(c)) {}

    bool create() override {
        return createNative(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    }

    void notify(int code) override {
        if (code != CBN_SELCHANGE) return;
        int i = int(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
        if (i >= 0 && i < int(list_.drives().size())) list_.setDrive(list_.drives()[i]);
    }

  protected:
    int dropHeight() const override { return 200; }

    void mirror(ui::Prop what) override {
        if (what != ui::Prop::Items) return;
        SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
        int at = -1;
        for (const auto& d : list_.drives()) {
            int i =
                int(SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(d).c_str())));
            if (d == list_.drive()) at = i;
        }
        SendMessageW(hwnd, CB_SETCURSEL, at, 0);
    }

  private:
    ui::DriveList& list_;
};

} // namespace

std::unique_ptr<ControlPeer> driveListPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<DriveListPeer>(w, c, id);
}

} // namespace win32
