#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

// A timer is no window: it ticks through its window's WM_TIMER, by its control's id.
class TimerPeer : public ControlPeer {
  public:
    TimerPeer(WindowPeer& w, ui::Control& c, UINT_PTR id)
        : ControlPeer(w, c, id), timer_(static_cast<ui::Timer&>(c)) {}

    bool create() override {
        if (timer_.enabled()) update(ui::Prop::Enabled);
        return true;
    }

    void update(ui::Prop what) override {
        if (what != ui::Prop::Enabled) return;
        if (timer_.enabled())
            SetTimer(window.hwnd, id, UINT(timer_.interval), nullptr);
        else
            KillTimer(window.hwnd, id);
    }

    void tick() override {
        if (timer_.tick) timer_.tick();
    }

  private:
    ui::Timer& timer_;
};

} // namespace

std::unique_ptr<ControlPeer> timerPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<TimerPeer>(w, c, id);
}

} // namespace win32
