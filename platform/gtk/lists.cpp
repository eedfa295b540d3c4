// The peers of the list kinds: list boxes and folder lists as tree views of one column, combo
// boxes and drive lists as GTK combo boxes.
#include <algorithm>

#include "platform/gtk/peers.h"

namespace gtkui {
namespace {

GtkTreePath* row(int i) {
    return gtk_tree_path_new_from_indices(i, -1);
}

// A combo box as wide as its form makes it: its longest entry is cut short with an ellipsis in
// the box (the open list shows it whole) rather than widening the box over its neighbours.
void narrow(GtkWidget* combo) {
    GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(combo));
    for (GList* c = cells; c; c = c->next)
        if (GTK_IS_CELL_RENDERER_TEXT(c->data))
            g_object_set(c->data, "ellipsize", PANGO_ELLIPSIZE_END, nullptr);
    g_list_free(cells);
}

// Lines in a tree view of one column inside a scrolled window.
class TreePeer : public ControlPeer {
  public:
    using ControlPeer::ControlPeer;

    void create() override {
        store_ = gtk_list_store_new(1, G_TYPE_STRING);
        inner = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store_));
        g_object_unref(store_);
        gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(inner), FALSE);
        gtk_tree_view_set_enable_search(GTK_TREE_VIEW(inner), FALSE);
        gtk_tree_view_insert_column_with_attributes(
            GTK_TREE_VIEW(inner), -1, "", gtk_cell_renderer_text_new(), "text", 0, nullptr);
        gtk_tree_selection_set_mode(selection(),
                                    multi() ? GTK_SELECTION_MULTIPLE : GTK_SELECTION_SINGLE);
        outer = gtk_scrolled_window_new(nullptr, nullptr);
        gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(outer), GTK_SHADOW_IN);
        gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(outer), GTK_POLICY_AUTOMATIC,
                                       GTK_POLICY_AUTOMATIC);
        gtk_container_add(GTK_CONTAINER(outer), inner);
        g_signal_connect(selection(), "changed", callback([](GtkTreeSelection*, TreePeer* self) {
                             if (!self->echo) return;
                             self->echo = false;
                             self->take();
                             self->echo = true;
                         }),
                         this);
        connect(inner, "row-activated",
                callback([](GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, ControlPeer* self) {
                    static_cast<TreePeer*>(self)->activated();
                }));
        put();
    }

  protected:
    virtual bool multi() const { return false; }
    virtual std::vector<std::string> lines() const = 0;
    virtual bool shownSelected(int line) const = 0;
    virtual int current() const = 0;
    // The player changed the selection: the model takes it.
    virtual void take() = 0;
    virtual void activated() {
        if (control.dblClick) control.dblClick();
    }

    void mirror(ui::Prop what) override {
        switch (what) {
        case ui::Prop::Items:
        case ui::Prop::LineRemoved:
        case ui::Prop::LineText:
            fill();
            break;
        case ui::Prop::Selection:
        case ui::Prop::CurrentLine:
        case ui::Prop::LineSelected:
            if (echo) showSelection();
            break;
        default:
            break;
        }
    }

    void fill() {
        echo = false;
        gtk_list_store_clear(store_);
        for (const auto& s : lines())
            gtk_list_store_insert_with_values(store_, nullptr, -1, 0, shown(s).c_str(), -1);
        echo = true;
        showSelection();
    }

    void append(const std::string& line) {
        gtk_list_store_insert_with_values(store_, nullptr, -1, 0, shown(line).c_str(), -1);
    }

    GtkTreeSelection* selection() const {
        return gtk_tree_view_get_selection(GTK_TREE_VIEW(inner));
    }

    // The line of the tree view's cursor, -1 for none.
    int cursor() const {
        GtkTreePath* at = nullptr;
        gtk_tree_view_get_cursor(GTK_TREE_VIEW(inner), &at, nullptr);
        const int i = at ? gtk_tree_path_get_indices(at)[0] : -1;
        if (at) gtk_tree_path_free(at);
        return i;
    }

  private:
    void showSelection() {
        echo = false;
        // A list of several selections keeps its focus line on the current line, where the
        // keys move on from; setting the cursor selects its line alone, so it comes first.
        if (multi() && current() >= 0) {
            GtkTreePath* p = row(current());
            gtk_tree_view_set_cursor(GTK_TREE_VIEW(inner), p, nullptr, FALSE);
            gtk_tree_path_free(p);
        }
        gtk_tree_selection_unselect_all(selection());
        const int n = gtk_tree_model_iter_n_children(GTK_TREE_MODEL(store_), nullptr);
        for (int i = 0; i < n; ++i)
            if (shownSelected(i)) {
                GtkTreePath* p = row(i);
                gtk_tree_selection_select_path(selection(), p);
                gtk_tree_path_free(p);
            }
        if (current() >= 0) {
            GtkTreePath* p = row(current());
            gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(inner), p, nullptr, FALSE, 0, 0);
            gtk_tree_path_free(p);
        }
        echo = true;
    }

    GtkListStore* store_ = nullptr;
};

class ListPeer : public TreePeer {
  public:
    ListPeer(WindowPeer& w, ui::Control& c) : TreePeer(w, c), list_(static_cast<ui::ListBox&>(c)) {}

    void create() override {
        TreePeer::create();
        if (!list_.multiSelect()) return;
        // As in a Windows list of several selections, a click toggles its line alone and makes
        // it the current one.
        connect(inner, "button-press-event",
                callback([](GtkWidget* w, GdkEventButton* e, ControlPeer* self) -> gboolean {
                    GtkTreePath* at = nullptr;
                    if (e->type != GDK_BUTTON_PRESS || e->button != 1 ||
                        !gtk_tree_view_get_path_at_pos(GTK_TREE_VIEW(w), int(e->x), int(e->y), &at,
                                                       nullptr, nullptr, nullptr))
                        return FALSE;
                    const int i = gtk_tree_path_get_indices(at)[0];
                    gtk_tree_path_free(at);
                    gtk_widget_grab_focus(w);
                    static_cast<ListPeer*>(self)->list_.toggleLine(i);
                    return TRUE;
                }));
        // And under the keyboard: the arrows and page keys move the focus line alone, as
        // Control does in GTK's lists, and Space toggles the focus line.
        connect(inner, "key-press-event",
                callback([](GtkWidget*, GdkEventKey* e, ControlPeer* self) -> gboolean {
                    auto* me = static_cast<ListPeer*>(self);
                    switch (e->keyval) {
                    case GDK_KEY_space:
                    case GDK_KEY_KP_Space:
                        if (const int i = me->cursor(); i >= 0 && i < me->list_.count())
                            me->list_.toggleLine(i);
                        return TRUE;
                    case GDK_KEY_Up:
                    case GDK_KEY_Down:
                    case GDK_KEY_Home:
                    case GDK_KEY_End:
                    case GDK_KEY_Page_Up:
                    case GDK_KEY_Page_Down:
                    case GDK_KEY_KP_Up:
                    case GDK_KEY_KP_Down:
                    case GDK_KEY_KP_Home:
                    case GDK_KEY_KP_End:
                    case GDK_KEY_KP_Page_Up:
                    case GDK_KEY_KP_Page_Down:
                        // The tree view reads the modifiers of this event when it moves.
                        e->state = (e->state & ~GDK_SHIFT_MASK) | GDK_CONTROL_MASK;
                        return FALSE;
                    default:
                        return FALSE;
                    }
                }));
    }

  protected:
    bool multi() const override { return list_.multiSelect(); }
    std::vector<std::string> lines() const override {
        std::vector<std::string> out;
        for (int i = 0; i < list_.count(); ++i) out.push_back(list_.item(i));
        return out;
    }
    bool shownSelected(int i) const override {
        return i < list_.count() && (multi() ? list_.selected(i) : i == list_.listIndex());
    }
    int current() const override { return list_.listIndex(); }

    void take() override {
        std::vector<bool> on;
        int chosen = cursor();
        if (multi()) {
            for (int i = 0; i < list_.count(); ++i) {
                GtkTreePath* p = row(i);
                on.push_back(gtk_tree_selection_path_is_selected(selection(), p));
                gtk_tree_path_free(p);
            }
        } else {
            GtkTreeModel* m;
            GtkTreeIter it;
            chosen = -1;
            if (gtk_tree_selection_get_selected(selection(), &m, &it)) {
                GtkTreePath* p = gtk_tree_model_get_path(m, &it);
                chosen = gtk_tree_path_get_indices(p)[0];
                gtk_tree_path_free(p);
            }
        }
        list_.takeSelection(on, chosen);
    }

    void mirror(ui::Prop what) override {
        if (what == ui::Prop::LineAdded)
            append(list_.item(list_.changedLine()));
        else
            TreePeer::mirror(what);
    }

  private:
    ui::ListBox& list_;
};

// The open folder's parents, the folder and its subfolders, each indented by its depth.
class DirListPeer : public TreePeer {
  public:
    DirListPeer(WindowPeer& w, ui::Control& c)
        : TreePeer(w, c), list_(static_cast<ui::DirList&>(c)) {}

  protected:
    std::vector<std::string> lines() const override {
        std::vector<std::string> out;
        const auto& entries = list_.entries();
        for (int i = 0; i < int(entries.size()); ++i) {
            const std::string& e = entries[i];
            std::size_t cut = e.size() > 3 ? e.find_last_of("\\/") + 1 : 0;
            out.push_back(std::string(3 * std::min(i, list_.openIndex() + 1), ' ') + e.substr(cut));
        }
        return out;
    }
    bool shownSelected(int i) const override { return i == list_.listIndex(); }
    int current() const override { return list_.listIndex(); }
    void take() override { list_.setListIndex(cursor()); }
    void activated() override {
        list_.openHighlighted();
        TreePeer::activated();
    }

  private:
    ui::DirList& list_;
};

// A combo box with an entry: the lines to choose from and the text, which may be any text.
class ComboBoxPeer : public ControlPeer {
  public:
    ComboBoxPeer(WindowPeer& w, ui::Control& c)
        : ControlPeer(w, c), combo_(static_cast<ui::ComboBox&>(c)) {}

    void create() override {
        outer = gtk_combo_box_text_new_with_entry();
        inner = gtk_bin_get_child(GTK_BIN(outer));
        narrow(outer);
        gtk_entry_set_width_chars(GTK_ENTRY(inner), 0);
        connect(inner, "changed", callback([](GtkEntry* e, ComboBoxPeer* self) {
                    if (!self->echo) return;
                    self->echo = false;
                    self->combo_.setText(gtk_entry_get_text(e));
                    self->echo = true;
                }));
        put();
    }

  protected:
    void mirror(ui::Prop what) override {
        switch (what) {
        case ui::Prop::Caption:
            if (echo) showText();
            break;
        case ui::Prop::Items:
        case ui::Prop::LineRemoved:
        case ui::Prop::LineText:
            echo = false;
            gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(outer));
            for (int i = 0; i < combo_.count(); ++i)
                gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(outer),
                                               shown(combo_.item(i)).c_str());
            gtk_entry_set_text(GTK_ENTRY(inner), shown(combo_.text()).c_str());
            echo = true;
            break;
        case ui::Prop::LineAdded:
            gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(outer),
                                           shown(combo_.item(combo_.changedLine())).c_str());
            break;
        default:
            break;
        }
    }

  private:
    void showText() {
        echo = false;
        gtk_entry_set_text(GTK_ENTRY(inner), shown(combo_.text()).c_str());
        echo = true;
    }

    ui::ComboBox& combo_;
};

// The drives: a combo box without an entry, the chosen drive active.
class DriveListPeer : public ControlPeer {
  public:
    DriveListPeer(WindowPeer& w, ui::Control& c)
        : ControlPeer(w, c), drives_(static_cast<ui::DriveList&>(c)) {}

    void create() override {
        outer = gtk_combo_box_text_new();
        narrow(outer);
        connect(outer, "changed", callback([](GtkComboBox* b, DriveListPeer* self) {
                    if (!self->echo) return;
                    auto& d = self->drives_;
                    const int i = gtk_combo_box_get_active(b);
                    if (i >= 0 && i < int(d.drives().size())) d.setDrive(d.drives()[i]);
                }));
        put();
    }

  protected:
    void mirror(ui::Prop what) override {
        if (what == ui::Prop::Caption && !echo) return;
        if (what != ui::Prop::Caption && what != ui::Prop::Items) return;
        echo = false;
        gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(outer));
        int at = -1, i = 0;
        for (const auto& k : drives_.drives()) {
            gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(outer), shown(k).c_str());
            if (k == drives_.drive()) at = i;
            ++i;
        }
        gtk_combo_box_set_active(GTK_COMBO_BOX(outer), at);
        echo = true;
    }

  private:
    ui::DriveList& drives_;
};

} // namespace

std::unique_ptr<ControlPeer> listPeer(WindowPeer& w, ui::Control& c) {
    return std::make_unique<ListPeer>(w, c);
}
std::unique_ptr<ControlPeer> dirListPeer(WindowPeer& w, ui::Control& c) {
    return std::make_unique<DirListPeer>(w, c);
}
std::unique_ptr<ControlPeer> comboBoxPeer(WindowPeer& w, ui::Control& c) {
    return std::make_unique<ComboBoxPeer>(w, c);
}
std::unique_ptr<ControlPeer> driveListPeer(WindowPeer& w, ui::Control& c) {
    return std::make_unique<DriveListPeer>(w, c);
}

} // namespace gtkui
