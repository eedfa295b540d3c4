// The control peers: what every kind shares, and the kinds that are one plain widget each.
#include <algorithm>
#include <cstdio>

#include "platform/gtk/peers.h"

namespace gtkui {
namespace {

using Pace = ui::PaintPace;

std::string cssColour(ui::Colour c) {
    char b[16];
    std::snprintf(b, sizeof b, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return b;
}

// The face on Linux for a Windows face: Liberation Sans has Arial's measures, and stands in for
// the small sans-serif faces of the Windows dialogs as well.
std::string face(const std::string& windowsFace) {
    for (const char* sans :
         {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Arial", "Segoe UI"})
        if (windowsFace == sans) return "Liberation Sans";
    return windowsFace;
}

// A label: a GTK label in an event box, which takes the clicks and paints the back colour.
class LabelPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    ~LabelPeer() override { stop(); }

    void create() override {
        auto& l = static_cast<ui::Label&>(control);
        outer = gtk_event_box_new();
        inner = gtk_label_new(l.caption().c_str());
        gtk_label_set_line_wrap(GTK_LABEL(inner), TRUE);
        gtk_label_set_xalign(GTK_LABEL(inner), l.alignment == ui::Align::Right    ? 1.0f
                                               : l.alignment == ui::Align::Center ? 0.5f
                                                                                  : 0.0f);
        gtk_label_set_yalign(GTK_LABEL(inner), 0);
        gtk_label_set_justify(GTK_LABEL(inner), l.alignment == ui::Align::Right ? GTK_JUSTIFY_RIGHT
                                                : l.alignment == ui::Align::Center
                                                    ? GTK_JUSTIFY_CENTER
                                                    : GTK_JUSTIFY_LEFT);
        gtk_container_add(GTK_CONTAINER(outer), inner);
        connect(outer, "button-press-event",
                callback([](GtkWidget*, GdkEventButton* e, ControlPeer* self) -> gboolean {
                    auto& k = self->control;
                    if (e->type == GDK_2BUTTON_PRESS && k.dblClick)
                        k.dblClick();
                    else if (e->type == GDK_BUTTON_PRESS && k.click)
                        k.click();
                    return k.click || k.dblClick;
                }));
        put();
    }

    void stop() override {
        if (idle_) g_source_remove(idle_), idle_ = 0;
    }

  protected:
    bool takesColours() const override { return true; }

    void style() override {
        ControlPeer::style();
        gtk_event_box_set_visible_window(GTK_EVENT_BOX(outer),
                                         !control.transparent() &&
                                             !ui::isSystemColour(control.backColour()));
    }

    // A new text shows now when the paint interval allows; else the idle timer shows the last.
    void mirror(ui::Prop what) override {
        if (what != ui::Prop::Caption || !echo) return;
        pace_.hold();
        if (pace_.due(Pace::Clock::now())) return paint();
        if (!idle_)
            idle_ = g_timeout_add(
                guint(Pace::kIdleDelay.count()),
                [](gpointer p) -> gboolean {
                    auto* self = static_cast<LabelPeer*>(p);
                    self->idle_ = 0;
                    self->paint();
                    return G_SOURCE_REMOVE;
                },
                this);
    }

  private:
    void paint() {
        stop();
        pace_.painted(Pace::Clock::now());
        gtk_label_set_text(GTK_LABEL(inner), shown(control.caption()).c_str());
    }

    Pace pace_;
    guint idle_ = 0; // paints the last text once the window is idle
};

class ButtonPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    void create() override {
        outer = gtk_button_new_with_mnemonic(mnemonic(shown(control.caption())).c_str());
        // Drawn as the button Return presses, as Windows draws its default button.
        if (static_cast<ui::Button&>(control).isDefault)
            gtk_style_context_add_class(gtk_widget_get_style_context(outer),
                                        GTK_STYLE_CLASS_DEFAULT);
        connect(outer, "clicked", callback([](GtkButton*, ControlPeer* self) {
                    if (self->control.click) self->control.click();
                }));
        put();
    }

  protected:
    void mirror(ui::Prop what) override {
        if (what == ui::Prop::Caption && echo) {
            gtk_button_set_label(GTK_BUTTON(outer), mnemonic(shown(control.caption())).c_str());
            gtk_button_set_use_underline(GTK_BUTTON(outer), TRUE);
        }
    }
};

class FramePeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    void create() override {
        outer = gtk_frame_new(shown(control.caption()).c_str());
        put();
    }

  protected:
    bool takesColours() const override { return true; }
    void mirror(ui::Prop what) override {
        if (what == ui::Prop::Caption && echo)
            gtk_frame_set_label(GTK_FRAME(outer), shown(control.caption()).c_str());
    }
};

class TextBoxPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    void create() override {
        outer = gtk_entry_new();
        // As wide as its form makes it: an entry asks for 150 pixels by itself.
        gtk_entry_set_width_chars(GTK_ENTRY(outer), 0);
        gtk_entry_set_visibility(GTK_ENTRY(outer), !static_cast<ui::TextBox&>(control).password);
        gtk_entry_set_text(GTK_ENTRY(outer), shown(control.caption()).c_str());
        connect(outer, "changed", callback([](GtkEntry* e, ControlPeer* self) {
                    static_cast<TextBoxPeer*>(self)->typed(gtk_entry_get_text(e));
                }));
        put();
    }

  protected:
    void mirror(ui::Prop what) override {
        if (what != ui::Prop::Caption || !echo) return;
        echo = false;
        gtk_entry_set_text(GTK_ENTRY(outer), shown(control.caption()).c_str());
        echo = true;
    }

  private:
    void typed(const std::string& text) {
        auto& box = static_cast<ui::TextBox&>(control);
        if (!echo || text == box.text()) return;
        echo = false;
        box.setText(text);
        echo = true;
    }
};

// Check boxes and options: GTK toggle buttons whose caption is a mnemonic, showing the model's
// mark; the mark the player gives one goes to the model as every backend takes it.
class ToggleBase : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;

  protected:
    bool takesColours() const override { return true; }
    void mirror(ui::Prop what) override {
        if (what == ui::Prop::Caption && echo) {
            gtk_button_set_label(GTK_BUTTON(outer), mnemonic(shown(control.caption())).c_str());
            gtk_button_set_use_underline(GTK_BUTTON(outer), TRUE);
        }
        if (what != ui::Prop::Value) return;
        echo = false;
        showMark(ui::marked(control));
        echo = true;
    }
    virtual void showMark(bool on) = 0;
    // Puts the button on the layout, its toggles going to the model.
    void putToggle() {
        connect(outer, "toggled", callback([](GtkToggleButton* b, ControlPeer* self) {
                    static_cast<ToggleBase*>(self)->toggled(gtk_toggle_button_get_active(b));
                }));
        put();
    }

  private:
    void toggled(bool on) {
        if (!echo) return;
        echo = false;
        ui::takeMark(control, on);
        echo = true;
    }
};

class CheckBoxPeer : public ToggleBase {
  public:
    using ToggleBase::ToggleBase;
    void create() override {
        // Without a caption, the box alone, without the room before a caption.
        const bool bare = control.caption().empty();
        outer =
            bare ? gtk_check_button_new()
                 : gtk_check_button_new_with_mnemonic(mnemonic(shown(control.caption())).c_str());
        if (bare) gtk_style_context_add_class(gtk_widget_get_style_context(outer), "bare");
        putToggle();
    }

  protected:
    void showMark(bool on) override { gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(outer), on); }
};

// An option: a radio button in the group of its container. GTK keeps one button of a group
// active, so a group shows none selected through a hidden option of its own.
class OptionPeer : public ToggleBase {
  public:
    using ToggleBase::ToggleBase;
    void create() override {
        WindowPeer::Group& g = window.groups[control.container()];
        if (!g.members) {
            g.none = gtk_radio_button_new(nullptr);
            g_object_ref_sink(g.none);
            g.members = gtk_radio_button_get_group(GTK_RADIO_BUTTON(g.none));
        }
        outer = gtk_radio_button_new_with_mnemonic(g.members,
                                                   mnemonic(shown(control.caption())).c_str());
        g.members = gtk_radio_button_get_group(GTK_RADIO_BUTTON(outer));
        none_ = g.none;
        putToggle();
    }

  protected:
    void showMark(bool on) override {
        if (on)
            gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(outer), TRUE);
        else if (ui::noneSelected(static_cast<ui::OptionButton&>(control)))
            gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(none_), TRUE);
    }

  private:
    GtkWidget* none_ = nullptr;
};

// A menu entry: the window puts it into its menu bar or into its parent entry's submenu.
class MenuPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    void create() override {
        auto& m = static_cast<ui::MenuItem&>(control);
        outer = m.separator ? gtk_separator_menu_item_new()
                            : gtk_menu_item_new_with_mnemonic(mnemonic(shown(m.caption())).c_str());
        gtk_widget_set_name(outer, m.name().c_str());
        if (!m.separator)
            connect(outer, "activate", callback([](GtkMenuItem*, ControlPeer* self) {
                        if (self->control.click) self->control.click();
                    }));
    }

    void settle() override {
        update(ui::Prop::Value);
        update(ui::Prop::Enabled);
        update(ui::Prop::Visible);
    }

    void update(ui::Prop what) override {
        auto& m = static_cast<ui::MenuItem&>(control);
        if (!outer || m.separator) return;
        if (what == ui::Prop::Enabled) gtk_widget_set_sensitive(outer, m.enabled());
        if (what == ui::Prop::Visible) gtk_widget_set_visible(outer, m.visible());
        if (what == ui::Prop::Caption || what == ui::Prop::Value) {
            // A checked entry carries its mark before its caption.
            const std::string text = (m.checked() ? "\u2713 " : "") + mnemonic(m.caption());
            gtk_menu_item_set_label(GTK_MENU_ITEM(outer), text.c_str());
        }
    }
};

// A timer is no widget: a GLib timeout while the timer is enabled.
class TimerPeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;
    ~TimerPeer() override { stop(); }

    void settle() override {
        if (control.enabled()) update(ui::Prop::Enabled);
    }

    void update(ui::Prop what) override {
        if (what != ui::Prop::Enabled) return;
        stop();
        auto& t = static_cast<ui::Timer&>(control);
        if (t.enabled())
            source_ = g_timeout_add(
                guint(std::max(1, t.interval)),
                [](gpointer p) -> gboolean {
                    auto* self = static_cast<TimerPeer*>(p);
                    auto& t = static_cast<ui::Timer&>(self->control);
                    const guint mine = self->source_;
                    if (t.tick) t.tick();
                    // The handler may have stopped this timer, started it again or closed the
                    // window; only a timer still running as it was goes on.
                    return self->source_ == mine ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
                },
                this);
    }

    void stop() override {
        if (source_) g_source_remove(source_), source_ = 0;
    }

  private:
    guint source_ = 0;
};

template <typename P> std::unique_ptr<ControlPeer> make(WindowPeer& w, ui::Control& c) {
    return std::make_unique<P>(w, c);
}

} // namespace

ControlPeer::~ControlPeer() {
    if (css_) g_object_unref(css_);
}

void ControlPeer::put() {
    // The control's name, for tools that find controls from outside.
    gtk_widget_set_name(outer, control.name().c_str());
    gtk_layout_put(GTK_LAYOUT(window.layout), outer, 0, 0);
    gtk_widget_show_all(outer);
}

void ControlPeer::settle() {
    if (!outer) return;
    place();
    style();
    update(ui::Prop::Items);
    update(ui::Prop::Value);
    applyState();
}

void ControlPeer::update(ui::Prop what) {
    if (!outer) return;
    if (what == ui::Prop::Enabled || what == ui::Prop::Visible)
        applyState();
    else if (what == ui::Prop::Bounds)
        place();
    else if (what == ui::Prop::Colours || what == ui::Prop::Font)
        style();
    else
        mirror(what);
}

void ControlPeer::repaint() {
    window.paintNow();
}

void ControlPeer::place() {
    int x = control.left, y = control.top;
    for (const ui::Control* k = control.container(); k; k = k->container())
        x += k->left, y += k->top;
    gtk_layout_move(GTK_LAYOUT(window.layout), outer, window.px(x), window.px(y));
    gtk_widget_set_size_request(outer, std::max(1, window.px(control.width)),
                                std::max(1, window.px(control.height)));
}

void ControlPeer::applyState() {
    gtk_widget_set_sensitive(outer, control.usable());
    gtk_widget_set_visible(outer, control.shown());
}

void ControlPeer::style() {
    const bool coloured = takesColours();
    std::string rules = "* { font-family: \"" + face(control.fontName) +
                        "\"; font-size: " + std::to_string(control.fontSize) +
                        "pt; font-weight: " + (control.fontBold ? "bold" : "normal") + ";";
    // System colours are the theme's: the rules leave them to it.
    if (coloured && !ui::isSystemColour(control.foreColour()))
        rules += " color: " + cssColour(control.foreColour()) + ";";
    rules += " }";
    if (coloured && !control.transparent() && !ui::isSystemColour(control.backColour()))
        rules += " .scourix-back { background-color: " + cssColour(control.backColour()) + "; }";
    if (!css_) {
        css_ = gtk_css_provider_new();
        for (GtkWidget* w : {outer, inner})
            if (w)
                gtk_style_context_add_provider(gtk_widget_get_style_context(w),
                                               GTK_STYLE_PROVIDER(css_),
                                               GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        gtk_style_context_add_class(gtk_widget_get_style_context(outer), "scourix-back");
    }
    gtk_css_provider_load_from_data(css_, rules.c_str(), -1, nullptr);
}

std::unique_ptr<ControlPeer> makePeer(WindowPeer& w, ui::Control& c) {
    using Maker = std::unique_ptr<ControlPeer> (*)(WindowPeer&, ui::Control&);
    // Pictures have no widget: the window's own picture holds them.
    static const std::map<ui::Kind, Maker> makers = {
        {ui::Kind::Label, make<LabelPeer>},
        {ui::Kind::Button, make<ButtonPeer>},
        {ui::Kind::Frame, make<FramePeer>},
        {ui::Kind::TextBox, make<TextBoxPeer>},
        {ui::Kind::CheckBox, make<CheckBoxPeer>},
        {ui::Kind::Option, make<OptionPeer>},
        {ui::Kind::Menu, make<MenuPeer>},
        {ui::Kind::Timer, make<TimerPeer>},
        {ui::Kind::ListBox, listPeer},
        {ui::Kind::DirList, dirListPeer},
        {ui::Kind::ComboBox, comboBoxPeer},
        {ui::Kind::DriveList, driveListPeer},
    };
    auto it = makers.find(c.kind());
    if (it == makers.end() || ui::stateOnly(c)) return std::make_unique<ControlPeer>(w, c);
    return it->second(w, c);
}

} // namespace gtkui
