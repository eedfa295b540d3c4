#pragma once
// The native side of windows and their controls: one window peer per open window, one control
// peer per control, of the class that belongs to the control's kind.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/ui/window.h"
#include "platform/win32/win32.h"

namespace win32 {

// Timer ids: a model timer has its control's id (index + 1); a label's deferred paint this base
// plus the id.
constexpr UINT_PTR kFlushTimerBase = 0x4000;
// Posted to a window: the list box in lParam may draw again.
constexpr UINT kRedrawMessage = WM_APP + 1;

HINSTANCE instance();

// A model colour as Windows paints it: a system colour by its index, else as it is.
inline COLORREF colourRef(ui::Colour c) {
    return ui::isSystemColour(c) ? GetSysColor(int(c & 0xFF)) : COLORREF(c);
}

// A window's DPI, and its twips in pixels: the screen's when the window opens; a window moved to
// a monitor of another DPI takes that monitor's (WM_DPICHANGED).
struct Dpi {
    int x = 96, y = 96;
    static Dpi screen();
    int tppX() const { return 1440 / x; }
    int tppY() const { return 1440 / y; }
    int pxX(int twips) const { return (twips + tppX() / 2) / tppX(); }
    int pxY(int twips) const { return (twips + tppY() / 2) / tppY(); }
};

class WindowPeer;

// The native side of one control. The base has no native control of its own (pictures and the
// controls of a state-only frame); the kinds with one create it in create().
class ControlPeer : public ui::ControlPeer {
  public:
    ControlPeer(WindowPeer& w, ui::Control& c, UINT_PTR id) : window(w), control(c), id(id) {}
    ~ControlPeer() override;
    // Creates the native control; false when the system refused to.
    virtual bool create() { return true; }
    // Runs once every control of the window exists, the last control first.
    virtual void settle() {}
    void update(ui::Prop what) override;
    void repaint() override;
    // A notification from the native control (the code of its WM_COMMAND).
    virtual void notify(int) {}
    // The timer with this control's id fired.
    virtual void tick() {}
    // Paints text held back for the paint interval.
    virtual void flush() {}
    // Paints held-back text whose interval has passed; true when it did (and left the
    // window's pending list).
    virtual bool paintIfDue() { return false; }
    // Lines added in one go may be drawn now.
    virtual void resumeRedraw() {}
    // Removes what the peer attached to its native control, which still exists.
    void release();
    // Puts the native control where the model's twips say, at the window's DPI.
    void place();
    void applyState();
    HBRUSH colours(HDC dc);

    WindowPeer& window;
    ui::Control& control;
    HWND hwnd = nullptr;
    const UINT_PTR id;

  protected:
    // Creates the native control of class `cls` with the control's place, state and text.
    bool createNative(const wchar_t* cls, DWORD style, DWORD exStyle = 0);
    // Mirrors a change of the control's own kind.
    virtual void mirror(ui::Prop) {}
    virtual void showCaption();
    // The text the native control shows.
    virtual std::wstring text() const { return wide(control.caption()); }
    // Pixels the native window reaches below the control, for a drop-down list.
    virtual int dropHeight() const { return 0; }
    // False while a change comes from the native control itself, which already shows it.
    bool echo = true;

  private:
    HBRUSH brush_ = nullptr;
    ATOM name_ = 0;
};

// The native side of a window: its window procedure, its controls' peers and its menus.
class WindowPeer : public ui::WindowPeer {
  public:
    explicit WindowPeer(ui::Window& w) : window(w), dpi(Dpi::screen()) {}
    ~WindowPeer() override;
    // Creates the window and its controls; false (and nothing left open) when the system
    // refused any of them.
    bool create();
    void update(ui::Prop what) override;
    void show() override;
    void close() override;
    void minimize() override;
    void focus() override;
    void setEllipticRegion(int l, int t, int r, int b) override;
    void beginDrag() override;
    bool position(ui::ScreenPoint& at) override;
    void moveTo(ui::ScreenPoint at) override;
    int twipsPerPixelX() override { return dpi.tppX(); }
    int twipsPerPixelY() override { return dpi.tppY(); }

    // The menu an entry lies in and its position there.
    std::pair<HMENU, UINT> menuOf(const ui::MenuItem& m) const;
    HFONT font(const std::string& face, int size, bool bold);
    // Paints the labels whose new text has waited for at least the paint interval.
    void paintDue();
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);

    ui::Window& window;
    HWND hwnd = nullptr;
    Dpi dpi;
    std::vector<std::unique_ptr<ControlPeer>> controls;
    std::vector<ControlPeer*> pending;

  private:
    void pictureChanged();
    HBITMAP picture();
    void buildMenu();
    void resize();
    void dpiChanged(Dpi to, const RECT& suggested);
    void eraseBackground(HDC dc);

    HBITMAP picture_ = nullptr;
    bool pictureRead_ = true;
    HBRUSH background_ = nullptr;
    DWORD style_ = 0;
    std::map<const ui::MenuItem*, std::pair<HMENU, UINT>> menus_;
    std::map<std::tuple<std::string, int, bool, int>, HFONT> fonts_;
    // The window's elliptic region as last set, in pixels at regionDpi_; none while empty.
    RECT region_{0, 0, 0, 0};
    Dpi regionDpi_;
};

// The peer of a control's kind.
std::unique_ptr<ControlPeer> makePeer(WindowPeer& w, ui::Control& c, UINT_PTR id);

// One maker per kind, each in the file of its kind; check boxes and options share one.
std::unique_ptr<ControlPeer> labelPeer(WindowPeer&, ui::Control&, UINT_PTR);
std::unique_ptr<ControlPeer> buttonPeer(WindowPeer&, ui::Control&, UINT_PTR);
std::unique_ptr<ControlPeer> framePeer(WindowPeer&, ui::Control&, UINT_PTR);
std::unique_ptr<ControlPeer> listBoxPeer(WindowPeer&, ui::Control&, UINT_PTR);
std::unique_ptr<ControlPeer> textBoxPeer(WindowPeer&, ui::Control&, UINT_PTR);
std::unique_ptr<ControlPeer> togglePeer(WindowPeer&, ui::Control&, UINT_PTR);
std::unique_ptr<ControlPeer> comboBoxPeer(WindowPeer&, ui::Control&, UINT_PTR);
std::unique_ptr<ControlPeer> menuPeer(WindowPeer&, ui::Control&, UINT_PTR);
std::unique_ptr<ControlPeer> driveListPeer(WindowPeer&, ui::Control&, UINT_PTR);
std::unique_ptr<ControlPeer> dirListPeer(WindowPeer&, ui::Control&, UINT_PTR);
std::unique_ptr<ControlPeer> timerPeer(WindowPeer&, ui::Control&, UINT_PTR);

} // namespace win32
