#include <algorithm>

#include "platform/ui/native.h"
#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

using Pace = ui::PaintPace;

class LabelPeer : public ControlPeer {
  public:
    LabelPeer(WindowPeer& w, ui::Control& c, UINT_PTR id)
        : ControlPeer(w, c, id), label_(static_cast<ui::Label&>(c)) {}

    bool create() override {
        DWORD style = label_.alignment == ui::Align::Right    ? SS_RIGHT
                      : label_.alignment == ui::Align::Center ? SS_CENTER
                                                              : SS_LEFT;
        if (label_.click || label_.dblClick) style |= SS_NOTIFY;
        return createNative(L"STATIC", style);
    }

    // A label that notifies (SS_NOTIFY) tells its clicks and double clicks.
    void notify(int code) override {
        if (code == STN_CLICKED && label_.click) label_.click();
        if (code == STN_DBLCLK && label_.dblClick) label_.dblClick();
    }

    void repaint() override {
        if (!hwnd) return;
        window.paintDue();
        if (!pace_.held()) UpdateWindow(hwnd);
    }

    void flush() override {
        pushText();
        UpdateWindow(hwnd);
    }

    bool paintIfDue() override {
        if (!pace_.due(Pace::Clock::now())) return false;
        flush();
        return true;
    }

  protected:
    // A label whose text waits for its turn is painted by the next repaint of any control of the
    // window after its interval, or by the idle timer.
    void showCaption() override {
        if (!pace_.held()) window.pending.push_back(this);
        pace_.hold();
        window.paintDue();
        if (pace_.held() && !flushArmed_) {
            SetTimer(window.hwnd, kFlushTimerBase + id, UINT(Pace::kIdleDelay.count()), nullptr);
            flushArmed_ = true;
        }
    }

  private:
    void pushText() {
        if (flushArmed_) KillTimer(window.hwnd, kFlushTimerBase + id), flushArmed_ = false;
        if (!pace_.held()) return;
        std::erase(window.pending, this);
        pace_.painted(Pace::Clock::now());
        SetWindowTextW(hwnd, text().c_str());
    }

    ui::Label& label_;
    Pace pace_;
    bool flushArmed_ = false;
};

} // namespace

std::unique_ptr<ControlPeer> labelPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<LabelPeer>(w, c, id);
}

} // namespace win32
