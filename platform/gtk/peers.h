#pragma once
// The window model on GTK 3: one window peer per open window, one control peer per control, of
// the class that belongs to the control's kind. Each control with a native side is one GTK
// widget on the window's layout, placed at the model's twips converted to pixels at the
// screen's resolution. A native signal first updates the model's state, then the model raises
// its event; model changes are mirrored into the widgets.
#include <gtk/gtk.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gtk/gtk.h"
#include "platform/ui/native.h"

namespace gtkui {

class WindowPeer;

// "&File" as GTK writes a mnemonic: "_File"; a literal "_" doubled.
std::string mnemonic(const std::string& caption);

// A signal handler from a lambda without captures.
template <typename F> GCallback callback(F f) {
    return reinterpret_cast<GCallback>(+f);
}

// The native side of one control. The base has no widget of its own (pictures, the controls of
// a state-only frame); the kinds with one create it in create().
class ControlPeer : public ui::ControlPeer {
  public:
    ControlPeer(WindowPeer& w, ui::Control& c) : window(w), control(c) {}
    ~ControlPeer() override;
    virtual void create() {}
    // Brings the widget into the control's state once every peer of the window exists.
    virtual void settle();
    void update(ui::Prop what) override;
    void repaint() override;
    // Stops what runs on its own (timers): the window is going.
    virtual void stop() {}

    WindowPeer& window;
    ui::Control& control;
    GtkWidget* outer = nullptr; // what lies on the window's layout (or in its menu)
    GtkWidget* inner = nullptr; // the label, tree view or entry inside it

  protected:
    // Names the widget for tools that find controls from outside and puts it on the layout.
    void put();
    void connect(GtkWidget* w, const char* name, GCallback cb) {
        g_signal_connect(w, name, cb, this);
    }
    // Mirrors a change of the control's own kind.
    virtual void mirror(ui::Prop) {}
    // Whether the control takes its colours, as its Windows counterpart does.
    virtual bool takesColours() const { return false; }
    void place();
    void applyState();
    virtual void style();
    // False while a change comes from the widget itself, which already shows it.
    bool echo = true;

  private:
    GtkCssProvider* css_ = nullptr;
};

// The native side of a window: its GTK window, the fixed layout for the controls, the menu bar.
class WindowPeer : public ui::WindowPeer {
  public:
    explicit WindowPeer(ui::Window& w);
    ~WindowPeer() override;
    void create();
    void update(ui::Prop what) override;
    void show() override {
        if (widget) gtk_widget_show(widget);
    }
    void close() override {
        if (widget) gtk_widget_destroy(widget);
    }
    void minimize() override {
        if (widget) gtk_window_iconify(GTK_WINDOW(widget));
    }
    void focus() override {
        if (widget) gtk_window_present(GTK_WINDOW(widget));
    }
    int twipsPerPixelX() override { return tpp; }
    int twipsPerPixelY() override { return tpp; }
    void setEllipticRegion(int l, int t, int r, int b) override;
    void beginDrag() override;
    bool position(ui::ScreenPoint& at) override;
    void moveTo(ui::ScreenPoint at) override;
    int px(int twips) const { return (twips + tpp / 2) / tpp; }
    ControlPeer* peerOf(const ui::Control* c);
    // Draws the window now, while its program works without returning to the main loop.
    void paintNow();

    ui::Window& window;
    int tpp = 15;
    GtkWidget* widget = nullptr;
    GtkWidget* layout = nullptr;
    GdkPixbuf* picture = nullptr;
    std::vector<std::unique_ptr<ControlPeer>> controls;
    // The option group of each container that holds options, with the hidden option that is
    // active while none of the group's own is selected.
    struct Group {
        GSList* members = nullptr;
        GtkWidget* none = nullptr;
    };
    std::map<const ui::Control*, Group> groups;

  private:
    void loadPicture();
    void sizeLayout();
    void buildMenu(GtkWidget* box);
    void connectEvents();
    void orderFocus();
    static gboolean dialogKey(GtkWidget*, GdkEventKey* e, WindowPeer* self);

    guint pressButton_ = 0;
    int pressX_ = 0, pressY_ = 0;
    guint32 pressTime_ = 0;
    ui::PaintPace paints_;
};

GdkPixbuf* pixbufOf(const std::string& name);

// The peer of a control's kind (controls.cpp), and the makers of the list kinds (lists.cpp).
std::unique_ptr<ControlPeer> makePeer(WindowPeer& w, ui::Control& c);
std::unique_ptr<ControlPeer> listPeer(WindowPeer&, ui::Control&);
std::unique_ptr<ControlPeer> dirListPeer(WindowPeer&, ui::Control&);
std::unique_ptr<ControlPeer> comboBoxPeer(WindowPeer&, ui::Control&);
std::unique_ptr<ControlPeer> driveListPeer(WindowPeer&, ui::Control&);

} // namespace gtkui
