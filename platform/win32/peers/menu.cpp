#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

// A menu entry: no window of its own; the window builds its menu bar from the entries and
// sends their commands here.
class MenuPeer : public ControlPeer {
  public:
    MenuPeer(WindowPeer& w, ui::Control& c, UINT_PTR id)
        : ControlPeer(w, c, id), item_(static_cast<ui::MenuItem&>(c)) {}

    void update(ui::Prop what) override {
        auto [menu, at] = window.menuOf(item_);
        if (!menu || item_.separator) return;
        if (what == ui::Prop::Caption) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STRING;
            std::wstring caption = wide(item_.caption());
            info.dwTypeData = caption.data();
            SetMenuItemInfoW(menu, at, TRUE, &info);
        } else if (what == ui::Prop::Enabled) {
            EnableMenuItem(menu, at, MF_BYPOSITION | (item_.enabled() ? MF_ENABLED : MF_GRAYED));
        } else if (what == ui::Prop::Value) {
            CheckMenuItem(menu, at, MF_BYPOSITION | (item_.checked() ? MF_CHECKED : MF_UNCHECKED));
        }
        if (!item_.container()) DrawMenuBar(window.hwnd);
    }

    void notify(int) override {
        if (item_.click) item_.click();
    }

  private:
    ui::MenuItem& item_;
};

} // namespace

std::unique_ptr<ControlPeer> menuPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<MenuPeer>(w, c, id);
}

} // namespace win32
