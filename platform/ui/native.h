#pragma once
// What every backend does alike when it binds the window model to native controls: which
// controls get no native side, how check boxes and options take a click, how an option group
// shows none selected, and how often a label counted down once per file is painted.
#include <chrono>
#include <vector>

#include "platform/ui/window.h"

namespace ui {

// Controls of a state-only frame, and the frame itself, are the window's working lists: they
// stay in the model alone and get no native control.
bool stateOnly(const Control& c);

// The window's controls in the order Tab visits them: by place, top to bottom and each row left
// to right, a frame's controls right after the frame, in the same order within it. Menus and
// timers are left out.
std::vector<Control*> tabOrder(const Window& w);

// Check boxes and options alike: whether the control shows its mark (a check box ticked, an
// option selected), and what the mark its native control shows after the player's click or key
// does to the model. A check box takes the mark; an option takes a mark, and with it the
// group's, but never loses one that way: it is cleared only by selecting another.
bool marked(const Control& c);
void takeMark(Control& c, bool on);

// The options of `o`'s group, itself among them: the options of its container, in the window's
// order.
std::vector<OptionButton*> optionGroup(const OptionButton& o);
// Whether no option of `o`'s group is selected. A native group that always holds one selected
// option shows this through a hidden option of its own.
bool noneSelected(const OptionButton& o);

// When a label's new text is painted. A paint costs about ten calls into the system: ten paints
// a second show the progress and cost the cleaning about one per cent, where sixty-six cost it
// about eight. So a new text is painted at once only when the last paint lies the interval
// back; otherwise it is held, and a timer of the backend's paints the last text held once the
// window is idle again.
class PaintPace {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{100};
    // How long the backend's timer waits before it paints the text held.
    static constexpr std::chrono::milliseconds kIdleDelay{2 * kInterval};

    // A new text arrived: it is held until it is painted.
    void hold() { held_ = true; }
    bool held() const { return held_; }
    // Whether a paint at `now` keeps to the interval.
    bool due(Clock::time_point now) const { return !painted_ || now - last_ >= kInterval; }
    // The text was painted at `now`; nothing is held any more.
    void painted(Clock::time_point now) {
        held_ = false;
        painted_ = true;
        last_ = now;
    }

  private:
    bool held_ = false, painted_ = false;
    Clock::time_point last_{};
};

} // namespace ui
