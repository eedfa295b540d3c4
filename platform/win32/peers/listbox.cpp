#include <vector>

#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

// A list box, also of the files of a folder.
class ListBoxPeer : public ControlPeer {
  public:
    ListBoxPeer(WindowPeer& w, ui::Control& c, UINT_PTR id)
        : ControlPeer(w, c, id), list_(static_cast<ui::ListBox&>(c)) {}

    bool create() override {
        return createNative(L"LISTBOX",
                            WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP |
                                (list_.multiSelect() ? LBS_MULTIPLESEL : 0),
                            WS_EX_CLIENTEDGE);
    }

    void notify(int code) override {
        if (code == LBN_SELCHANGE) {
            // The whole native state is read first: each model change pushes the model's
            // state back into the native list.
            std::vector<bool> on;
            if (list_.multiSelect())
                for (int i = 0; i < list_.count(); ++i)
                    on.push_back(SendMessageW(hwnd, LB_GETSEL, i, 0) > 0);
            list_.takeSelection(
                on, int(SendMessageW(hwnd, list_.multiSelect() ? LB_GETCARETINDEX : LB_GETCURSEL, 0,
                                     0)));
        } else if (code == LBN_DBLCLK && list_.dblClick) {
            list_.dblClick();
        }
    }

    void resumeRedraw() override {
        if (!redrawHeld_) return;
        redrawHeld_ = false;
        SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd, nullptr, TRUE);
    }

  protected:
    void mirror(ui::Prop what) override {
        switch (what) {
        case ui::Prop::Items:
            SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
            SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
            for (int i = 0; i < list_.count(); ++i)
                SendMessageW(hwnd, LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(wide(list_.item(i)).c_str()));
            SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(hwnd, nullptr, TRUE);
            [[fallthrough]];
        case ui::Prop::Selection:
            if (list_.multiSelect()) {
                for (int i = 0; i < list_.count(); ++i)
                    SendMessageW(hwnd, LB_SETSEL, list_.selected(i), i);
                SendMessageW(hwnd, LB_SETCARETINDEX, list_.listIndex(), FALSE);
            } else {
                SendMessageW(hwnd, LB_SETCURSEL, list_.listIndex(), 0);
            }
            break;
        case ui::Prop::LineAdded:
        case ui::Prop::LineRemoved:
        case ui::Prop::LineText:
        case ui::Prop::LineSelected:
        case ui::Prop::CurrentLine:
            line(what);
            break;
        default:
            break;
        }
    }

  private:
    // One line, in a constant number of messages: loading a long keep list or selecting its
    // lines must not resend the whole list for every line.
    void line(ui::Prop what) {
        const int i = list_.changedLine();
        switch (what) {
        case ui::Prop::LineAdded:
            // The native list grows its storage by a few lines at a time, copying all of it
            // each time; reserving as many lines again as it holds keeps a long list linear.
            if (i >= 64 && (i & (i - 1)) == 0) SendMessageW(hwnd, LB_INITSTORAGE, i, i * 32);
            // Lines added in one go are drawn once, when the program next waits for messages.
            if (!redrawHeld_) {
                SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
                redrawHeld_ =
                    PostMessageW(window.hwnd, kRedrawMessage, 0, reinterpret_cast<LPARAM>(hwnd));
                if (!redrawHeld_) SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
            }
            SendMessageW(hwnd, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(wide(list_.item(i)).c_str()));
            break;
        case ui::Prop::LineRemoved:
            SendMessageW(hwnd, LB_DELETESTRING, i, 0);
            showCurrent();
            break;
        case ui::Prop::LineText:
            SendMessageW(hwnd, LB_DELETESTRING, i, 0);
            SendMessageW(hwnd, LB_INSERTSTRING, i,
                         reinterpret_cast<LPARAM>(wide(list_.item(i)).c_str()));
            showSelection(i);
            if (list_.listIndex() == i) showCurrent();
            break;
        case ui::Prop::LineSelected:
            showSelection(i);
            break;
        default:
            showCurrent();
            break;
        }
    }

    void showSelection(int line) {
        if (list_.multiSelect())
            SendMessageW(hwnd, LB_SETSEL, list_.selected(line), line);
        else
            SendMessageW(hwnd, LB_SETCURSEL, list_.listIndex(), 0);
    }

    void showCurrent() {
        if (list_.multiSelect())
            SendMessageW(hwnd, LB_SETCARETINDEX, list_.listIndex(), FALSE);
        else
            SendMessageW(hwnd, LB_SETCURSEL, list_.listIndex(), 0);
    }

    ui::ListBox& list_;
    bool redrawHeld_ = false; // the list's drawing waits for kRedrawMessage
};

} // namespace

std::unique_ptr<ControlPeer> listBoxPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<ListBoxPeer>(w, c, id);
}

} // namespace win32
