// The window model on GTK 3: one GTK widget per model control, placed at the model's twips
// converted to pixels at the screen's resolution. A native signal first updates the model's
// state, then the model raises its event; model changes are mirrored into the widgets.
#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "platform/gtk/gtk.h"

namespace gtkui {
namespace {

// Labels counted down once per file make the window draw at most this often while the program
// works without returning to its main loop.
const gint64 kPaintIntervalUs = 100 * 1000;

class WindowPeer;
std::vector<std::unique_ptr<WindowPeer>> peers;
int openWindows = 0;

// Pixels per inch of the screen; 96 unless the desktop says otherwise.
double screenDpi() {
    double r = gdk_screen_get_resolution(gdk_screen_get_default());
    return r > 0 ? r : 96.0;
}

// "&File" as GTK writes a mnemonic: "_File"; a literal "_" doubled.
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

std::string cssColour(ui::Colour c) {
    char b[16];
    std::snprintf(b, sizeof b, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return b;
}

// A signal handler from a lambda without captures.
template <typename F> GCallback callback(F f) {
    return reinterpret_cast<GCallback>(+f);
}

template <typename T> bool is(const ui::Control& c) {
    return dynamic_cast<const T*>(&c) != nullptr;
}

// Controls of a state-only frame are the window's working lists: they stay in the model alone.
bool stateOnly(const ui::Control& c) {
    for (const ui::Control* p = &c; p; p = p->container())
        if (auto* f = dynamic_cast<const ui::Frame*>(p); f && f->stateOnly) return true;
    return false;
}

// Colours reach the controls whose Windows counterparts take them: labels, check and option
// boxes, frames.
bool takesColours(const ui::Control& c) {
    return is<ui::Label>(c) || is<ui::CheckBox>(c) || is<ui::OptionButton>(c) || is<ui::Frame>(c);
}

class ControlPeer : public ui::ControlPeer {
  public:
    ControlPeer(WindowPeer& w, ui::Control& c) : window(w), control(c) {}
    ~ControlPeer() override { stopTimer(); }
    void create();
    void update(ui::Prop what) override;
    void repaint() override;
    void place();
    void applyState();
    void style();
    void fillList();
    void showSelection();
    void fromSelection();
    void stopTimer() {
        if (timer) g_source_remove(timer), timer = 0;
        if (flush) g_source_remove(flush), flush = 0;
    }
    void labelChanged();
    void pushLabel();

    WindowPeer& window;
    ui::Control& control;
    GtkWidget* outer = nullptr; // what lies on the window's layout
    GtkWidget* inner = nullptr; // the label, tree view or entry inside it
    GtkListStore* store = nullptr;
    GtkCssProvider* css = nullptr;
    GtkWidget* noneOption = nullptr; // the hidden option of a group where none is selected
    guint timer = 0;
    guint flush = 0;     // shows a label's last text once the window is idle
    gint64 lastPush = 0; // when the label's text was last shown
    // False while a change comes from the widget itself, which already shows it.
    bool echo = true;
};

class WindowPeer : public ui::WindowPeer {
  public:
    explicit WindowPeer(ui::Window& w) : window(w) {
        const double dpi = screenDpi();
        tpp = std::max(1, int(std::lround(1440.0 / dpi)));
    }
    void create();
    void update(ui::Prop what) override {
        if (!widget) return;
        if (what == ui::Prop::Caption)
            gtk_window_set_title(GTK_WINDOW(widget), window.caption().c_str());
        if (what == ui::Prop::Value) loadPicture();
        if (what == ui::Prop::Bounds) sizeLayout();
    }
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
    void setEllipticRegion(int l, int t, int r, int b) override {
        if (!widget || r <= l || b <= t) return;
        // The ellipse as one rectangle per row of pixels.
        cairo_region_t* region = cairo_region_create();
        const double cx = (l + r) / 2.0, cy = (t + b) / 2.0, rx = (r - l) / 2.0, ry = (b - t) / 2.0;
        for (int y = t; y < b; ++y) {
            const double dy = (y + 0.5 - cy) / ry;
            if (dy * dy >= 1) continue;
            const double half = rx * std::sqrt(1 - dy * dy);
            cairo_rectangle_int_t row{int(std::lround(cx - half)), y, int(std::lround(2 * half)),
                                      1};
            cairo_region_union_rectangle(region, &row);
        }
        gtk_widget_shape_combine_region(widget, region);
        cairo_region_destroy(region);
    }
    void beginDrag() override {
        if (widget && pressButton)
            gtk_window_begin_move_drag(GTK_WINDOW(widget), pressButton, pressX, pressY, pressTime);
    }
    int twipsPerPixelX() override { return tpp; }
    int twipsPerPixelY() override { return tpp; }
    bool position(ui::ScreenPoint& at) override {
        if (!widget) return false;
        gtk_window_get_position(GTK_WINDOW(widget), &at.x, &at.y);
        return true;
    }
    void moveTo(ui::ScreenPoint at) override {
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
    int px(int twips) const { return (twips + tpp / 2) / tpp; }
    void loadPicture();
    void sizeLayout() {
        gtk_widget_set_size_request(layout, px(window.clientWidth), px(window.clientHeight));
    }
    ControlPeer* peerOf(const ui::Control* c) {
        for (auto& p : controls)
            if (&p->control == c) return p.get();
        return nullptr;
    }

    ui::Window& window;
    int tpp = 15;
    GtkWidget* widget = nullptr;
    GtkWidget* layout = nullptr;
    GdkPixbuf* picture = nullptr;
    std::vector<std::unique_ptr<ControlPeer>> controls;
    std::map<const ui::Control*, GtkWidget*> menus; // the submenu of each menu entry that has one
    std::map<const ui::Control*, GSList*> groups;   // the option group of each container
    guint pressButton = 0;
    int pressX = 0, pressY = 0;
    guint32 pressTime = 0;
    gint64 lastPaint = 0;
};

GdkPixbuf* pixbufOf(const std::string& name) {
    Resource r = resource(name);
    if (!r.data) return nullptr;
    GInputStream* in = g_memory_input_stream_new_from_data(r.data, gssize(r.size), nullptr);
    GdkPixbuf* p = gdk_pixbuf_new_from_stream(in, nullptr, nullptr);
    g_object_unref(in);
    return p;
}

void WindowPeer::loadPicture() {
    if (picture) g_object_unref(picture), picture = nullptr;
    if (!window.picture().empty()) picture = pixbufOf(window.picture());
    if (layout) gtk_widget_queue_draw(layout);
}

// The window's own area: its colour or its picture, under the controls.
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
    } else {
        const ui::Colour c = self->window.backColour;
        cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                             ((c >> 16) & 0xFF) / 255.0);
        cairo_paint(cr);
    }
    return FALSE;
}

void ControlPeer::place() {
    if (!outer) return;
    int x = control.left, y = control.top;
    for (const ui::Control* k = control.container(); k; k = k->container())
        x += k->left, y += k->top;
    gtk_fixed_move(GTK_FIXED(window.layout), outer, window.px(x), window.px(y));
    gtk_widget_set_size_request(outer, std::max(1, window.px(control.width)),
                                std::max(1, window.px(control.height)));
}

void ControlPeer::applyState() {
    if (!outer) return;
    gtk_widget_set_sensitive(outer, control.usable());
    gtk_widget_set_visible(outer, control.shown());
}

// The face on Linux for a Windows face: Liberation Sans has Arial's measures, and stands in for
// the small sans-serif faces of the Windows dialogs as well.
std::string face(const std::string& windowsFace) {
    for (const char* sans :
         {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Arial", "Segoe UI"})
        if (windowsFace == sans) return "Liberation Sans";
    return windowsFace;
}

void ControlPeer::style() {
    if (!outer) return;
    std::string rules = "* { font-family: \"" + face(control.fontName) +
                        "\"; font-size: " + std::to_string(control.fontSize) +
                        "pt; font-weight: " + (control.fontBold ? "bold" : "normal") + ";";
    if (takesColours(control)) rules += " color: " + cssColour(control.foreColour()) + ";";
    rules += " }";
    if (takesColours(control) && !control.transparent())
        rules += " .scourix-back { background-color: " + cssColour(control.backColour()) + "; }";
    if (!css) {
        css = gtk_css_provider_new();
        for (GtkWidget* w : {outer, inner})
            if (w)
                gtk_style_context_add_provider(gtk_widget_get_style_context(w),
                                               GTK_STYLE_PROVIDER(css),
                                               GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        gtk_style_context_add_class(gtk_widget_get_style_context(outer), "scourix-back");
    }
    gtk_css_provider_load_from_data(css, rules.c_str(), -1, nullptr);
    if (is<ui::Label>(control))
        gtk_event_box_set_visible_window(GTK_EVENT_BOX(outer), !control.transparent());
}

// The text of line i of a folder list: its name, indented by its depth.
std::string dirLine(const ui::DirList& d, int i) {
    const std::string& e = d.entries()[i];
    std::size_t cut = e.size() > 3 ? e.find_last_of("\\/") + 1 : 0;
    return std::string(3 * std::min(i, d.openIndex() + 1), ' ') + e.substr(cut);
}

void ControlPeer::fillList() {
    echo = false;
    if (auto* d = dynamic_cast<ui::DriveList*>(&control)) {
        gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(outer));
        int at = -1, i = 0;
        for (const auto& k : d->drives()) {
            gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(outer), k.c_str());
            if (k == d->drive()) at = i;
            ++i;
        }
        gtk_combo_box_set_active(GTK_COMBO_BOX(outer), at);
    } else if (auto* c = dynamic_cast<ui::ComboBox*>(&control)) {
        gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(outer));
        for (int i = 0; i < c->count(); ++i)
            gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(outer), c->item(i).c_str());
        gtk_entry_set_text(GTK_ENTRY(inner), c->text().c_str());
    } else if (store) {
        gtk_list_store_clear(store);
        std::vector<std::string> lines;
        if (auto* d = dynamic_cast<ui::DirList*>(&control))
            for (int i = 0; i < int(d->entries().size()); ++i) lines.push_back(dirLine(*d, i));
        else if (auto* l = dynamic_cast<ui::ListBox*>(&control))
            for (int i = 0; i < l->count(); ++i) lines.push_back(l->item(i));
        for (const auto& s : lines)
            gtk_list_store_insert_with_values(store, nullptr, -1, 0, s.c_str(), -1);
    }
    echo = true;
    showSelection();
}

void ControlPeer::showSelection() {
    if (!store) return;
    echo = false;
    GtkTreeSelection* sel = gtk_tree_view_get_selection(GTK_TREE_VIEW(inner));
    auto row = [&](int i) { return gtk_tree_path_new_from_indices(i, -1); };
    int current = -1;
    if (auto* d = dynamic_cast<ui::DirList*>(&control)) {
        current = d->listIndex();
        gtk_tree_selection_unselect_all(sel);
        if (current >= 0) {
            GtkTreePath* p = row(current);
            gtk_tree_selection_select_path(sel, p);
            gtk_tree_path_free(p);
        }
    } else if (auto* l = dynamic_cast<ui::ListBox*>(&control)) {
        current = l->listIndex();
        gtk_tree_selection_unselect_all(sel);
        for (int i = 0; i < l->count(); ++i)
            if (l->multiSelect() ? l->selected(i) : i == current) {
                GtkTreePath* p = row(i);
                gtk_tree_selection_select_path(sel, p);
                gtk_tree_path_free(p);
            }
    }
    if (current >= 0) {
        GtkTreePath* p = row(current);
        gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(inner), p, nullptr, FALSE, 0, 0);
        gtk_tree_path_free(p);
    }
    echo = true;
}

// The player changed a list's selection: the model takes it, line by line.
void ControlPeer::fromSelection() {
    if (!echo) return;
    GtkTreeSelection* sel = gtk_tree_view_get_selection(GTK_TREE_VIEW(inner));
    GtkTreePath* cursor = nullptr;
    gtk_tree_view_get_cursor(GTK_TREE_VIEW(inner), &cursor, nullptr);
    int at = cursor ? gtk_tree_path_get_indices(cursor)[0] : -1;
    if (cursor) gtk_tree_path_free(cursor);
    echo = false;
    if (auto* d = dynamic_cast<ui::DirList*>(&control)) {
        d->setListIndex(at);
    } else if (auto* l = dynamic_cast<ui::ListBox*>(&control)) {
        if (l->multiSelect()) {
            std::vector<bool> on(l->count());
            for (int i = 0; i < l->count(); ++i) {
                GtkTreePath* p = gtk_tree_path_new_from_indices(i, -1);
                on[i] = gtk_tree_selection_path_is_selected(sel, p);
                gtk_tree_path_free(p);
            }
            for (int i = 0; i < l->count(); ++i)
                if (on[i] != l->selected(i)) l->setSelected(i, on[i]);
            l->setListIndex(at);
        } else {
            GtkTreeModel* m;
            GtkTreeIter it;
            int chosen = -1;
            if (gtk_tree_selection_get_selected(sel, &m, &it)) {
                GtkTreePath* p = gtk_tree_model_get_path(m, &it);
                chosen = gtk_tree_path_get_indices(p)[0];
                gtk_tree_path_free(p);
            }
            l->setListIndex(chosen);
        }
    }
    echo = true;
}

void ControlPeer::update(ui::Prop what) {
    if (auto* t = dynamic_cast<ui::Timer*>(&control)) {
        if (what != ui::Prop::Enabled) return;
        stopTimer();
        if (t->enabled())
            timer = g_timeout_add(
                guint(std::max(1, t->interval)),
                [](gpointer p) -> gboolean {
                    auto* self = static_cast<ControlPeer*>(p);
                    auto* t = static_cast<ui::Timer*>(&self->control);
                    const guint mine = self->timer;
                    if (t->tick) t->tick();
                    // The handler may have stopped this timer, started it again or closed the
                    // window; only a timer still running as it was goes on.
                    return self->timer == mine ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
                },
                this);
        return;
    }
    if (auto* m = dynamic_cast<ui::MenuItem*>(&control)) {
        if (!outer || m->separator) return;
        if (what == ui::Prop::Enabled) gtk_widget_set_sensitive(outer, m->enabled());
        if (what == ui::Prop::Visible) gtk_widget_set_visible(outer, m->visible());
        if (what == ui::Prop::Caption || what == ui::Prop::Value) {
            // A checked entry carries its mark before its caption.
            const std::string text = (m->checked() ? "\u2713 " : "") + mnemonic(m->caption());
            gtk_menu_item_set_label(GTK_MENU_ITEM(outer), text.c_str());
        }
        return;
    }
    if (what == ui::Prop::Enabled || what == ui::Prop::Visible) {
        // A frame's state reaches every control inside it.
        for (auto& c : window.controls)
            if (c->control.isInside(control)) c->applyState();
        return;
    }
    if (!outer) return;
    switch (what) {
    case ui::Prop::Caption:
        if (!echo) break;
        if (is<ui::Label>(control))
            labelChanged();
        else if (is<ui::Frame>(control))
            gtk_frame_set_label(GTK_FRAME(outer), control.caption().c_str());
        else if (is<ui::TextBox>(control)) {
            echo = false;
            gtk_entry_set_text(GTK_ENTRY(outer), control.caption().c_str());
            echo = true;
        } else if (is<ui::ComboBox>(control)) {
            echo = false;
            gtk_entry_set_text(GTK_ENTRY(inner), control.caption().c_str());
            echo = true;
        } else if (is<ui::DriveList>(control)) {
            fillList();
        } else if (GTK_IS_BUTTON(outer)) {
            gtk_button_set_label(GTK_BUTTON(outer), mnemonic(control.caption()).c_str());
        }
        break;
    case ui::Prop::Value:
        echo = false;
        if (auto* c = dynamic_cast<ui::CheckBox*>(&control))
            gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(outer), c->value() != 0);
        if (auto* o = dynamic_cast<ui::OptionButton*>(&control)) {
            if (o->value())
                gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(outer), TRUE);
            else if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(outer)) && noneOption)
                gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(noneOption), TRUE);
        }
        echo = true;
        break;
    case ui::Prop::Bounds:
        place();
        for (auto& c : window.controls)
            if (c->control.container() == &control) c->update(ui::Prop::Bounds);
        break;
    case ui::Prop::Colours:
    case ui::Prop::Font:
        style();
        break;
    case ui::Prop::Items:
        fillList();
        break;
    case ui::Prop::Selection:
    case ui::Prop::CurrentLine:
    case ui::Prop::LineSelected:
        if (!echo) break;
        if (is<ui::ComboBox>(control) || is<ui::DriveList>(control)) break;
        showSelection();
        break;
    case ui::Prop::LineAdded:
        if (auto* l = dynamic_cast<ui::ListBox*>(&control)) {
            if (is<ui::ComboBox>(control)) {
                gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(outer),
                                               l->item(l->changedLine()).c_str());
            } else if (store) {
                gtk_list_store_insert_with_values(store, nullptr, -1, 0,
                                                  l->item(l->changedLine()).c_str(), -1);
            }
        }
        break;
    case ui::Prop::LineRemoved:
    case ui::Prop::LineText:
        fillList();
        break;
    default:
        break;
    }
}

// A label counted down once per file shows its text at most every paint interval; its last text
// is shown by a short timer once the window is idle again.
void ControlPeer::labelChanged() {
    if (g_get_monotonic_time() - lastPush >= kPaintIntervalUs) return pushLabel();
    if (!flush)
        flush = g_timeout_add(
            2 * kPaintIntervalUs / 1000,
            [](gpointer p) -> gboolean {
                auto* self = static_cast<ControlPeer*>(p);
                self->flush = 0;
                self->pushLabel();
                return G_SOURCE_REMOVE;
            },
            this);
}

void ControlPeer::pushLabel() {
    if (flush) g_source_remove(flush), flush = 0;
    lastPush = g_get_monotonic_time();
    gtk_label_set_text(GTK_LABEL(inner), control.caption().c_str());
}

// Draws the window now while its program works without returning to the main loop, at most
// ten times a second.
void ControlPeer::repaint() {
    const gint64 now = g_get_monotonic_time();
    if (now - window.lastPaint < kPaintIntervalUs) return;
    window.lastPaint = now;
    GdkWindow* w = window.widget ? gtk_widget_get_window(window.widget) : nullptr;
    if (!w) return;
    gdk_window_invalidate_rect(w, nullptr, TRUE);
    for (int i = 0; i < 50 && g_main_context_pending(nullptr); ++i)
        g_main_context_iteration(nullptr, FALSE);
    gdk_display_flush(gdk_display_get_default());
}

void ControlPeer::create() {
    ui::Control* c = &control;
    auto signal = [this](GtkWidget* w, const char* name, GCallback cb) {
        g_signal_connect(w, name, cb, this);
    };
    if (is<ui::Timer>(*c) || stateOnly(*c) || is<ui::Image>(*c) || is<ui::MenuItem>(*c)) {
        return;
    } else if (auto* l = dynamic_cast<ui::Label*>(c)) {
        outer = gtk_event_box_new();
        inner = gtk_label_new(l->caption().c_str());
        gtk_label_set_line_wrap(GTK_LABEL(inner), TRUE);
        gtk_label_set_xalign(GTK_LABEL(inner), l->alignment == ui::Align::Right    ? 1.0f
                                               : l->alignment == ui::Align::Center ? 0.5f
                                                                                   : 0.0f);
        gtk_label_set_yalign(GTK_LABEL(inner), 0);
        gtk_label_set_justify(GTK_LABEL(inner), l->alignment == ui::Align::Right ? GTK_JUSTIFY_RIGHT
                                                : l->alignment == ui::Align::Center
                                                    ? GTK_JUSTIFY_CENTER
                                                    : GTK_JUSTIFY_LEFT);
        gtk_container_add(GTK_CONTAINER(outer), inner);
        signal(outer, "button-press-event",
               callback([](GtkWidget*, GdkEventButton* e, ControlPeer* self) -> gboolean {
                   auto& k = self->control;
                   if (e->type == GDK_2BUTTON_PRESS && k.dblClick)
                       k.dblClick();
                   else if (e->type == GDK_BUTTON_PRESS && k.click)
                       k.click();
                   return k.click || k.dblClick;
               }));
    } else if (is<ui::TextBox>(*c)) {
        outer = gtk_entry_new();
        gtk_entry_set_text(GTK_ENTRY(outer), c->caption().c_str());
        signal(outer, "changed", callback([](GtkEntry* e, ControlPeer* self) {
                   if (!self->echo) return;
                   auto* t = static_cast<ui::TextBox*>(&self->control);
                   std::string text = gtk_entry_get_text(e);
                   if (text == t->text()) return;
                   self->echo = false;
                   t->setText(text);
                   self->echo = true;
               }));
    } else if (is<ui::CheckBox>(*c)) {
        outer = gtk_check_button_new_with_mnemonic(mnemonic(c->caption()).c_str());
        signal(outer, "toggled", callback([](GtkToggleButton* b, ControlPeer* self) {
                   if (!self->echo) return;
                   self->echo = false;
                   static_cast<ui::CheckBox*>(&self->control)
                       ->setValue(gtk_toggle_button_get_active(b) ? 1 : 0);
                   self->echo = true;
               }));
    } else if (is<ui::OptionButton>(*c)) {
        GSList*& group = window.groups[c->container()];
        if (!group) {
            // A group shows none selected through a hidden option of its own.
            GtkWidget* none = gtk_radio_button_new(nullptr);
            group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(none));
            g_object_ref_sink(none);
            noneOption = none;
        }
        outer = gtk_radio_button_new_with_mnemonic(group, mnemonic(c->caption()).c_str());
        group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(outer));
        for (auto& p : window.controls)
            if (p->noneOption && p->control.container() == c->container())
                noneOption = p->noneOption;
        signal(outer, "toggled", callback([](GtkToggleButton* b, ControlPeer* self) {
                   if (!self->echo || !gtk_toggle_button_get_active(b)) return;
                   auto* o = static_cast<ui::OptionButton*>(&self->control);
                   if (o->value()) return;
                   self->echo = false;
                   o->setValue(true);
                   self->echo = true;
               }));
    } else if (is<ui::DriveList>(*c)) {
        outer = gtk_combo_box_text_new();
        signal(outer, "changed", callback([](GtkComboBox* b, ControlPeer* self) {
                   if (!self->echo) return;
                   auto* d = static_cast<ui::DriveList*>(&self->control);
                   int i = gtk_combo_box_get_active(b);
                   if (i >= 0 && i < int(d->drives().size())) d->setDrive(d->drives()[i]);
               }));
    } else if (is<ui::ComboBox>(*c)) {
        outer = gtk_combo_box_text_new_with_entry();
        inner = gtk_bin_get_child(GTK_BIN(outer));
        signal(inner, "changed", callback([](GtkEntry* e, ControlPeer* self) {
                   if (!self->echo) return;
                   self->echo = false;
                   static_cast<ui::ComboBox*>(&self->control)->setText(gtk_entry_get_text(e));
                   self->echo = true;
               }));
    } else if (is<ui::Button>(*c)) {
        outer = gtk_button_new_with_mnemonic(mnemonic(c->caption()).c_str());
        signal(outer, "clicked", callback([](GtkButton*, ControlPeer* self) {
                   if (self->control.click) self->control.click();
               }));
    } else if (is<ui::Frame>(*c)) {
        outer = gtk_frame_new(c->caption().c_str());
    } else if (auto* l = dynamic_cast<ui::ListBox*>(c); l || is<ui::DirList>(*c)) {
        store = gtk_list_store_new(1, G_TYPE_STRING);
        inner = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
        g_object_unref(store);
        gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(inner), FALSE);
        gtk_tree_view_set_enable_search(GTK_TREE_VIEW(inner), FALSE);
        gtk_tree_view_insert_column_with_attributes(
            GTK_TREE_VIEW(inner), -1, "", gtk_cell_renderer_text_new(), "text", 0, nullptr);
        gtk_tree_selection_set_mode(gtk_tree_view_get_selection(GTK_TREE_VIEW(inner)),
                                    l && l->multiSelect() ? GTK_SELECTION_MULTIPLE
                                                          : GTK_SELECTION_SINGLE);
        outer = gtk_scrolled_window_new(nullptr, nullptr);
        gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(outer), GTK_SHADOW_IN);
        gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(outer), GTK_POLICY_AUTOMATIC,
                                       GTK_POLICY_AUTOMATIC);
        gtk_container_add(GTK_CONTAINER(outer), inner);
        if (l && l->multiSelect())
            signal(inner, "button-press-event",
                   callback([](GtkWidget* w, GdkEventButton* e, ControlPeer* self) -> gboolean {
                       // As in a Windows list of several selections, a click toggles its line
                       // alone and makes it the current one.
                       GtkTreePath* at = nullptr;
                       if (e->type != GDK_BUTTON_PRESS || e->button != 1 ||
                           !gtk_tree_view_get_path_at_pos(GTK_TREE_VIEW(w), int(e->x), int(e->y),
                                                          &at, nullptr, nullptr, nullptr))
                           return FALSE;
                       const int i = gtk_tree_path_get_indices(at)[0];
                       gtk_tree_path_free(at);
                       gtk_widget_grab_focus(w);
                       auto* list = static_cast<ui::ListBox*>(&self->control);
                       list->setSelected(i, !list->selected(i));
                       list->setListIndex(i);
                       return TRUE;
                   }));
        g_signal_connect(
            gtk_tree_view_get_selection(GTK_TREE_VIEW(inner)), "changed",
            callback([](GtkTreeSelection*, ControlPeer* self) { self->fromSelection(); }), this);
        signal(inner, "row-activated",
               callback([](GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, ControlPeer* self) {
                   if (auto* d = dynamic_cast<ui::DirList*>(&self->control)) {
                       d->openHighlighted();
                       if (d->dblClick) d->dblClick();
                   } else if (self->control.dblClick) {
                       self->control.dblClick();
                   }
               }));
    }
    if (!outer) return;
    // The control's name, for tools that find controls from outside.
    gtk_widget_set_name(outer, c->name().c_str());
    gtk_fixed_put(GTK_FIXED(window.layout), outer, 0, 0);
    gtk_widget_show_all(outer);
}

void WindowPeer::create() {
    widget = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(widget), window.caption().c_str());
    gtk_window_set_resizable(GTK_WINDOW(widget), window.border == ui::Border::Sizable);
    gtk_window_set_decorated(GTK_WINDOW(widget), window.border != ui::Border::None);
    if (GdkPixbuf* icon = pixbufOf(g_get_prgname() ? g_get_prgname() : "")) {
        gtk_window_set_icon(GTK_WINDOW(widget), icon);
        g_object_unref(icon);
    }
    WindowPeer* owner = nullptr;
    for (auto& p : peers)
        if (&p->window == window.ownerWindow && p->widget) owner = p.get();
    if (owner) gtk_window_set_transient_for(GTK_WINDOW(widget), GTK_WINDOW(owner->widget));
    gtk_window_set_position(GTK_WINDOW(widget), !window.centred ? GTK_WIN_POS_NONE
                                                : owner         ? GTK_WIN_POS_CENTER_ON_PARENT
                                                                : GTK_WIN_POS_CENTER);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_add(GTK_CONTAINER(widget), box);
    layout = gtk_fixed_new();
    sizeLayout();
    g_signal_connect(layout, "draw", G_CALLBACK(drawBackground), this);
    loadPicture();
    ++openWindows;

    // Frames first, so that they lie below the controls they hold.
    std::vector<ui::Control*> order;
    for (ui::Control* c : window.controls())
        if (is<ui::Frame>(*c)) order.push_back(c);
    for (ui::Control* c : window.controls())
        if (!is<ui::Frame>(*c)) order.push_back(c);
    for (ui::Control* c : order) {
        controls.push_back(std::make_unique<ControlPeer>(*this, *c));
        controls.back()->create();
    }
    // Menus in the model's order: a bar of entries without parent, submenus below them.
    GtkWidget* bar = nullptr;
    for (ui::Control* c : window.controls()) {
        auto* m = dynamic_cast<ui::MenuItem*>(c);
        if (!m) continue;
        if (!bar) bar = gtk_menu_bar_new();
        GtkWidget* parent = bar;
        if (m->container()) {
            GtkWidget*& sub = menus[m->container()];
            if (!sub) {
                sub = gtk_menu_new();
                if (ControlPeer* p = peerOf(m->container()); p && p->outer)
                    gtk_menu_item_set_submenu(GTK_MENU_ITEM(p->outer), sub);
            }
            parent = sub;
        }
        ControlPeer* p = peerOf(m);
        p->outer = m->separator ? gtk_separator_menu_item_new()
                                : gtk_menu_item_new_with_mnemonic(mnemonic(m->caption()).c_str());
        gtk_menu_shell_append(GTK_MENU_SHELL(parent), p->outer);
        gtk_widget_set_name(p->outer, m->name().c_str());
        if (!m->separator)
            g_signal_connect(p->outer, "activate", callback([](GtkMenuItem*, ControlPeer* self) {
                                 if (self->control.click) self->control.click();
                             }),
                             p);
    }
    if (bar) gtk_box_pack_start(GTK_BOX(box), bar, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), layout, TRUE, TRUE, 0);
    gtk_widget_show_all(box);

    for (auto& p : controls) {
        p->control.peer = p.get();
        if (is<ui::MenuItem>(p->control)) {
            p->update(ui::Prop::Value);
            p->update(ui::Prop::Enabled);
            p->update(ui::Prop::Visible);
            continue;
        }
        if (is<ui::Timer>(p->control)) {
            if (p->control.enabled()) p->update(ui::Prop::Enabled);
            continue;
        }
        if (!p->outer) continue;
        p->place();
        p->style();
        p->update(ui::Prop::Items);
        p->update(ui::Prop::Value);
        p->applyState();
    }

    gtk_widget_add_events(widget, GDK_BUTTON_PRESS_MASK);
    g_signal_connect(widget, "button-press-event",
                     callback([](GtkWidget* w, GdkEventButton* e, WindowPeer* self) -> gboolean {
                         if (e->type != GDK_BUTTON_PRESS || !self->window.mouseDown) return FALSE;
                         int x = 0, y = 0;
                         gtk_widget_translate_coordinates(w, self->layout, int(e->x), int(e->y), &x,
                                                          &y);
                         self->pressButton = e->button;
                         self->pressX = int(e->x_root), self->pressY = int(e->y_root);
                         self->pressTime = e->time;
                         self->window.mouseDown(x * self->tpp, y * self->tpp);
                         self->pressButton = 0;
                         return TRUE;
                     }),
                     this);
    g_signal_connect(widget, "delete-event",
                     callback([](GtkWidget*, GdkEvent*, WindowPeer* self) -> gboolean {
                         self->window.close();
                         return TRUE;
                     }),
                     this);
    g_signal_connect(widget, "destroy", callback([](GtkWidget*, WindowPeer* self) {
                         for (auto& c : self->controls) {
                             c->stopTimer();
                             c->control.peer = nullptr;
                         }
                         self->window.peer = nullptr;
                         self->widget = nullptr;
                         if (--openWindows == 0) gtk_main_quit();
                     }),
                     this);
    window.peer = this;
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
treeview.view { padding: 0 2px; }
menubar > menuitem { padding: 2px 6px; min-height: 0; }
frame > border { border-radius: 0; }
)";

bool start(int& argc, char**& argv) {
    if (!gtk_init_check(&argc, &argv)) return false;
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
    gtk_main();
    return 0;
}

} // namespace gtkui
