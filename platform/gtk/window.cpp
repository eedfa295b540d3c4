// The window peers: a GTK window with a menu bar and a fixed layout for the controls, the
// backend that makes them, and the program's main loop.
#include <algorithm>
#include <cmath>

#include "platform/gtk/peers.h"

namespace gtkui {
namespace {

std::vector<std::unique_ptr<WindowPeer>> peers;
int openWindows = 0;

// Pixels per inch of the screen; 96 unless the desktop says otherwise.
double screenDpi() {
    double r = gdk_screen_get_resolution(gdk_screen_get_default());
    return r > 0 ? r : 96.0;
}

// The window's own area: its picture or its colour under the controls; a system colour is the
// theme's background, which the window has drawn already.
gboolean drawBackground(GtkWidget* w, cairo_t* cr, gpointer data) {
    auto* self = static_cast<WindowPeer*>(data);
    const int width = gtk_widget_get_allocated_width(w),
              height = gtk_widget_get_allocated_height(w);
    if (self->picture) {
        const int pw = gdk_pixbuf_get_width(self->picture),
                  ph = gdk_pixbuf_get_height(self->picture);
        cairo_save(cr);
        cairo_scale(cr, double(width) / pw, double(height) / ph);
        gdk_cairo_set_source_pixbuf(cr, self->picture, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    } else if (!ui::isSystemColour(self->window.backColour)) {
        const ui::Colour c = self->window.backColour;
        cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                             ((c >> 16) & 0xFF) / 255.0);
        cairo_paint(cr);
    }
    return FALSE;
}

class GtkBackend : public ui::Backend {
  public:
    void create(ui::Window& window) override {
        // A window opened again gets a new native side.
        std::erase_if(peers, [&](const auto& p) { return &p->window == &window && !p->widget; });
        peers.push_back(std::make_unique<WindowPeer>(window));
        peers.back()->create();
    }
};

} // namespace

std::string mnemonic(const std::string& caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '_')
            out += "__";
        else if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&')
            out += '&', ++i;
        else if (caption[i] == '&')
            out += '_';
        else
            out += caption[i];
    }
    return out;
}

GdkPixbuf* pixbufOf(const std::string& name) {
    Resource r = resource(name);
    if (!r.data) return nullptr;
    GInputStream* in = g_memory_input_stream_new_from_data(r.data, gssize(r.size), nullptr);
    GdkPixbuf* p = gdk_pixbuf_new_from_stream(in, nullptr, nullptr);
    g_object_unref(in);
    return p;
}

WindowPeer::WindowPeer(ui::Window& w) : window(w) {
    tpp = std::max(1, int(std::lround(1440.0 / screenDpi())));
}

WindowPeer::~WindowPeer() {
    controls.clear();
    if (picture) g_object_unref(picture);
}

void WindowPeer::update(ui::Prop what) {
    if (!widget) return;
    if (what == ui::Prop::Caption)
        gtk_window_set_title(GTK_WINDOW(widget), shown(window.caption()).c_str());
    if (what == ui::Prop::Value) loadPicture();
    if (what == ui::Prop::Bounds) sizeLayout();
}

void WindowPeer::setEllipticRegion(int l, int t, int r, int b) {
    if (!widget || r <= l || b <= t) return;
    // The ellipse as one rectangle per row of pixels.
    cairo_region_t* region = cairo_region_create();
    const double cx = (l + r) / 2.0, cy = (t + b) / 2.0, rx = (r - l) / 2.0, ry = (b - t) / 2.0;
    for (int y = t; y < b; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        if (dy * dy >= 1) continue;
        const double half = rx * std::sqrt(1 - dy * dy);
        cairo_rectangle_int_t line{int(std::lround(cx - half)), y, int(std::lround(2 * half)), 1};
        cairo_region_union_rectangle(region, &line);
    }
    gtk_widget_shape_combine_region(widget, region);
    cairo_region_destroy(region);
}

void WindowPeer::beginDrag() {
    if (widget && pressButton_)
        gtk_window_begin_move_drag(GTK_WINDOW(widget), pressButton_, pressX_, pressY_, pressTime_);
}

bool WindowPeer::position(ui::ScreenPoint& at) {
    if (!widget) return false;
    gtk_window_get_position(GTK_WINDOW(widget), &at.x, &at.y);
    return true;
}

void WindowPeer::moveTo(ui::ScreenPoint at) {
    if (!widget) return;
    GdkDisplay* display = gtk_widget_get_display(widget);
    std::vector<ui::ScreenRect> monitors;
    for (int i = 0; i < gdk_display_get_n_monitors(display); ++i) {
        GdkRectangle r;
        gdk_monitor_get_workarea(gdk_display_get_monitor(display, i), &r);
        monitors.push_back({r.x, r.y, r.x + r.width, r.y + r.height});
    }
    int w = 0, h = 0;
    gtk_window_get_size(GTK_WINDOW(widget), &w, &h);
    at = ui::ontoMonitors(at, w, h, monitors);
    gtk_window_move(GTK_WINDOW(widget), at.x, at.y);
}

ControlPeer* WindowPeer::peerOf(const ui::Control* c) {
    for (auto& p : controls)
        if (&p->control == c) return p.get();
    return nullptr;
}

// At most as often as the paint interval allows: the program calls this once per file.
void WindowPeer::paintNow() {
    const auto now = ui::PaintPace::Clock::now();
    if (!paints_.due(now)) return;
    paints_.painted(now);
    GdkWindow* w = widget ? gtk_widget_get_window(widget) : nullptr;
    if (!w) return;
    gdk_window_invalidate_rect(w, nullptr, TRUE);
    for (int i = 0; i < 50 && g_main_context_pending(nullptr); ++i)
        g_main_context_iteration(nullptr, FALSE);
    gdk_display_flush(gdk_display_get_default());
}

void WindowPeer::loadPicture() {
    if (picture) g_object_unref(picture), picture = nullptr;
    if (!window.picture().empty()) picture = pixbufOf(window.picture());
    if (layout) gtk_widget_queue_draw(layout);
}

// A layout, unlike a fixed container, asks for no more room than its size: a label's text as one
// line would otherwise widen the window beyond its form.
void WindowPeer::sizeLayout() {
    const int w = px(window.clientWidth), h = px(window.clientHeight);
    gtk_layout_set_size(GTK_LAYOUT(layout), guint(w), guint(h));
    gtk_widget_set_size_request(layout, w, h);
}

void WindowPeer::create() {
    widget = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(widget), shown(window.caption()).c_str());
    gtk_window_set_resizable(GTK_WINDOW(widget), window.border == ui::Border::Sizable);
    gtk_window_set_decorated(GTK_WINDOW(widget), window.border != ui::Border::None);
    WindowPeer* owner = nullptr;
    for (auto& p : peers)
        if (&p->window == window.ownerWindow && p->widget) owner = p.get();
    if (owner) gtk_window_set_transient_for(GTK_WINDOW(widget), GTK_WINDOW(owner->widget));
    gtk_window_set_position(GTK_WINDOW(widget), !window.centred ? GTK_WIN_POS_NONE
                                                : owner         ? GTK_WIN_POS_CENTER_ON_PARENT
                                                                : GTK_WIN_POS_CENTER);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_add(GTK_CONTAINER(widget), box);
    layout = gtk_layout_new(nullptr, nullptr);
    sizeLayout();
    g_signal_connect(layout, "draw", G_CALLBACK(drawBackground), this);
    loadPicture();
    ++openWindows;

    // Frames first, so that they lie below the controls they hold.
    for (bool frames : {true, false})
        for (ui::Control* c : window.controls())
            if ((c->kind() == ui::Kind::Frame) == frames) {
                controls.push_back(makePeer(*this, *c));
                controls.back()->create();
            }
    buildMenu(box);
    gtk_box_pack_start(GTK_BOX(box), layout, TRUE, TRUE, 0);
    gtk_widget_show_all(box);
    for (auto& p : controls) {
        p->control.peer = p.get();
        p->settle();
    }
    orderFocus();
    connectEvents();
    window.peer = this;
}

// Tab goes by place, as the model orders the controls, not in the order they were made.
void WindowPeer::orderFocus() {
    GList* chain = nullptr;
    for (ui::Control* c : ui::tabOrder(window))
        if (ControlPeer* p = peerOf(c); p && p->outer && gtk_widget_get_parent(p->outer) == layout)
            chain = g_list_prepend(chain, p->outer);
    chain = g_list_reverse(chain);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_container_set_focus_chain(GTK_CONTAINER(layout), chain);
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_list_free(chain);
}

// Return and Escape reach the default and cancel buttons before the focused control, as in a
// Windows dialog; Return on a focused push button stays that button's.
gboolean WindowPeer::dialogKey(GtkWidget*, GdkEventKey* e, WindowPeer* self) {
    const bool enter = e->keyval == GDK_KEY_Return || e->keyval == GDK_KEY_KP_Enter ||
                       e->keyval == GDK_KEY_ISO_Enter;
    if ((!enter && e->keyval != GDK_KEY_Escape) ||
        (e->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SHIFT_MASK)))
        return FALSE;
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(self->widget));
    if (enter && focus && GTK_IS_BUTTON(focus) && !GTK_IS_TOGGLE_BUTTON(focus)) return FALSE;
    return enter ? self->window.pressDefault() : self->window.pressCancel();
}

// Menus in the model's order: a bar of the entries without parent, submenus below them.
void WindowPeer::buildMenu(GtkWidget* box) {
    GtkWidget* bar = nullptr;
    std::map<const ui::Control*, GtkWidget*> submenus;
    for (ui::Control* c : window.controls()) {
        ControlPeer* p = c->kind() == ui::Kind::Menu ? peerOf(c) : nullptr;
        if (!p || !p->outer) continue;
        if (!bar) bar = gtk_menu_bar_new();
        GtkWidget* parent = bar;
        if (c->container()) {
            GtkWidget*& sub = submenus[c->container()];
            if (!sub) {
                sub = gtk_menu_new();
                if (ControlPeer* up = peerOf(c->container()); up && up->outer)
                    gtk_menu_item_set_submenu(GTK_MENU_ITEM(up->outer), sub);
            }
            parent = sub;
        }
        gtk_menu_shell_append(GTK_MENU_SHELL(parent), p->outer);
    }
    if (bar) gtk_box_pack_start(GTK_BOX(box), bar, FALSE, FALSE, 0);
}

void WindowPeer::connectEvents() {
    gtk_widget_add_events(widget, GDK_BUTTON_PRESS_MASK);
    g_signal_connect(widget, "button-press-event",
                     callback([](GtkWidget* w, GdkEventButton* e, WindowPeer* self) -> gboolean {
                         if (e->type != GDK_BUTTON_PRESS || !self->window.mouseDown) return FALSE;
                         int x = 0, y = 0;
                         gtk_widget_translate_coordinates(w, self->layout, int(e->x), int(e->y), &x,
                                                          &y);
                         self->pressButton_ = e->button;
                         self->pressX_ = int(e->x_root), self->pressY_ = int(e->y_root);
                         self->pressTime_ = e->time;
                         self->window.mouseDown(x * self->tpp, y * self->tpp);
                         self->pressButton_ = 0;
                         return TRUE;
                     }),
                     this);
    g_signal_connect(widget, "key-press-event", G_CALLBACK(dialogKey), this);
    g_signal_connect(widget, "delete-event",
                     callback([](GtkWidget*, GdkEvent*, WindowPeer* self) -> gboolean {
                         self->window.close();
                         return TRUE;
                     }),
                     this);
    g_signal_connect(widget, "destroy", callback([](GtkWidget*, WindowPeer* self) {
                         for (auto& c : self->controls) {
                             c->stop();
                             c->control.peer = nullptr;
                         }
                         self->window.peer = nullptr;
                         self->widget = nullptr;
                         // A window closed while loading goes before the main loop runs.
                         if (--openWindows == 0 && gtk_main_level() > 0) gtk_main_quit();
                     }),
                     this);
}

// The window message boxes belong to: the program's focused window, else a visible one.
GtkWindow* dialogOwner() {
    for (auto& p : peers)
        if (p->widget && gtk_window_is_active(GTK_WINDOW(p->widget))) return GTK_WINDOW(p->widget);
    for (auto& p : peers)
        if (p->widget && gtk_widget_get_visible(p->widget)) return GTK_WINDOW(p->widget);
    return nullptr;
}

// Controls as compact as the Windows ones: the layouts give them the height of their text.
const char* const kCompact = R"(
button { padding: 0 2px; min-height: 0; min-width: 0; }
entry { padding: 0 3px; min-height: 0; }
combobox button, combobox entry { padding: 0 2px; min-height: 0; }
checkbutton, radiobutton { padding: 0; min-height: 0; }
check, radio { min-height: 11px; min-width: 11px; margin: 0 4px 0 0; }
checkbutton.bare check { margin: 0; }
treeview.view { padding: 0 2px; }
menubar > menuitem { padding: 2px 6px; min-height: 0; }
frame > border { border-radius: 0; }
button.default { box-shadow: inset 0 0 0 1px alpha(currentColor, 0.55); }
)";

// Every window and message box takes the program's icon by name from the icon theme, where
// the package put it in every size; run from its build folder, the picture it carries. Looking
// through the icon theme takes a while: it is done once the window shows, or before the first
// message box, whichever comes first.
void programIcon() {
    static bool done = false;
    if (done) return;
    done = true;
    const char* program = g_get_prgname() ? g_get_prgname() : "";
    if (gtk_icon_theme_has_icon(gtk_icon_theme_get_default(), program)) {
        gtk_window_set_default_icon_name(program);
    } else if (GdkPixbuf* icon = pixbufOf(program)) {
        gtk_window_set_default_icon(icon);
        g_object_unref(icon);
    }
}

bool start(int& argc, char**& argv) {
    // The windows draw without OpenGL: GDK need not ask the GL library about every visual of the
    // display, a fifth of the start. A player's own GDK_GL is left as it is; ours goes once GDK
    // has read it, so that the game and the programs started from here do not inherit it.
    const bool ours = !g_getenv("GDK_GL");
    if (ours) g_setenv("GDK_GL", "disable", TRUE);
    // Pango reads the font configuration in a thread of its own, while GTK opens the display.
    pango_cairo_font_map_get_default();
    const bool opened = gtk_init_check(&argc, &argv);
    if (ours) g_unsetenv("GDK_GL");
    if (!opened) return false;
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kCompact, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION - 1);
    g_object_unref(css);
    return true;
}

int run(ui::Window& window) {
    static GtkBackend backend;
    ui::backend = &backend;
    window.open();
    if (window.isClosed() || openWindows == 0) return 0;
    // The icon shortly after the window shows, from the main loop itself: not in the middle of
    // a paint the program asked for, where it would hold up the program's own work.
    g_timeout_add(
        20,
        [](gpointer) -> gboolean {
            if (g_main_depth() > 1) return G_SOURCE_CONTINUE;
            programIcon();
            return G_SOURCE_REMOVE;
        },
        nullptr);
    gtk_main();
    return 0;
}

} // namespace gtkui
