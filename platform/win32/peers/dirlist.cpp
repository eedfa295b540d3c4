#include <algorithm>

#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

// The open folder's parents, the folder and its subfolders, each indented by its depth.
class DirListPeer : public ControlPeer {
  public:
    DirListPeer(WindowPeer& w, ui::Control& c, UINT_PTR id)
        : ControlPeer(w, c, id), list_(static_cast<ui::DirList&>(c)) {}

    bool create() override {
        return createNative(L"LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP,
                            WS_EX_CLIENTEDGE);
    }

    void notify(int code) override {
        if (code == LBN_SELCHANGE) {
            list_.setListIndex(int(SendMessageW(hwnd, LB_GETCURSEL, 0, 0)));
        } else if (code == LBN_DBLCLK) {
            list_.openHighlighted();
            if (list_.dblClick) list_.dblClick();
        }
    }

  protected:
    void mirror(ui::Prop what) override {
        if (what == ui::Prop::Items) {
            SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
            SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
            const auto& entries = list_.entries();
            for (int i = 0; i < int(entries.size()); ++i) {
                const std::string& e = entries[i];
                std::size_t cut = e.size() > 3 ? e.find_last_of('\\') + 1 : 0;
                int depth = std::min(i, list_.openIndex() + 1);
                std::wstring line(3 * depth, L' ');
                line += wide(e.substr(cut));
                SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
            }
            SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        if (what == ui::Prop::Items || what == ui::Prop::Selection)
            SendMessageW(hwnd, LB_SETCURSEL, list_.listIndex(), 0);
    }

  private:
    ui::DirList& list_;
};

} // namespace

std::unique_ptr<ControlPeer> dirListPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<DirListPeer>(w, c, id);
}

} // namespace win32
