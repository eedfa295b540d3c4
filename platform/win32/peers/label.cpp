#include <algorithm>

#include "platform/win32/peers/peer.h"

namespace win32 {
namespace {

// Labels counted down once per file are painted at most this often; the last text is always
// painted, by a short timer, once the window is idle again. A paint costs about ten calls into
// the system (under Wine, ten server requests): ten a second show the progress and cost the
// cleaning about one per cent, where sixty-six cost it about eight.
const DWORD kPaintIntervalMs = 100;

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

    // A label whose text waits for its turn is not painted now; the next repaint of any
    // control of the window after its interval, or the idle timer, paints it.
    void repaint() override {
        if (!hwnd) return;
        window.paintDue();
        if (!textPending_) UpdateWindow(hwnd);
    }

    void flush() override {
        pushText();
        UpdateWindow(hwnd);
    }

    bool paintIfDue() override {
        if (GetTickCount() - lastPush_ < kPaintIntervalMs) return false;
        flush();
        return true;
    }

  protected:
    void showCaption() override {
        if (!textPending_) window.pending.push_back(this);
        textPending_ = true;
        window.paintDue();
        if (textPending_ && !flushArmed_) {
            SetTimer(window.hwnd, kFlushTimerBase + id, 2 * kPaintIntervalMs, nullptr);
            flushArmed_ = true;
        }
    }

  private:
    void pushText() {
        if (flushArmed_) KillTimer(window.hwnd, kFlushTimerBase + id), flushArmed_ = false;
        if (!textPending_) return;
        textPending_ = false;
        std::erase(window.pending, this);
        lastPush_ = GetTickCount();
        SetWindowTextW(hwnd, text().c_str());
    }

    ui::Label& label_;
    bool textPending_ = false, flushArmed_ = false;
    DWORD lastPush_ = 0;
};

} // namespace

std::unique_ptr<ControlPeer> labelPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) {
    return std::make_unique<LabelPeer>(w, c, id);
}

} // namespace win32
