// A GTK module for the scenarios (GTK_MODULES=/path/liblayoutcheck.so, LAYOUT_CHECK_LOG=file):
// every window the program shows is looked at once its controls have their places, and again
// whenever they change, and what is wrong is appended to the log:
//   window=TITLE                 a window looked at
//   problem=TITLE: WHAT          a control larger than the box its form gives it (a list's
//                                natural width, a caption longer than its button), a control
//                                outside the window, two controls on top of each other, a
//                                caption or text its control cuts off, a box narrower than its
//                                title.
// The controls are the children of the window's GtkLayout, named by their form names.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

struct Placed {
    std::string name;
    GtkWidget* widget;
    GtkAllocation at;
    bool frame;
};

// Each window's places as last seen and as last looked at: a window is looked at once its
// places have held for one round.
std::map<GtkWidget*, std::string> seen, looked;

void log(const std::string& line) {
    const char* path = std::getenv("LAYOUT_CHECK_LOG");
    if (FILE* f = path ? std::fopen(path, "a") : nullptr) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

GtkWidget* findLayout(GtkWidget* w) {
    if (GTK_IS_LAYOUT(w)) return w;
    if (!GTK_IS_CONTAINER(w)) return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(w));
    GtkWidget* found = nullptr;
    for (GList* c = children; c && !found; c = c->next) found = findLayout(GTK_WIDGET(c->data));
    g_list_free(children);
    return found;
}

// The labels a control shows its text in: the label itself, a button's or a frame's.
void labelsOf(GtkWidget* w, std::vector<GtkLabel*>& out) {
    if (GTK_IS_LABEL(w)) out.push_back(GTK_LABEL(w));
    if (GTK_IS_FRAME(w)) {
        if (GtkWidget* l = gtk_frame_get_label_widget(GTK_FRAME(w))) labelsOf(l, out);
        return;
    }
    if (GTK_IS_COMBO_BOX(w) || GTK_IS_SCROLLED_WINDOW(w) || !GTK_IS_CONTAINER(w)) return;
    GList* children = gtk_container_get_children(GTK_CONTAINER(w));
    for (GList* c = children; c; c = c->next) labelsOf(GTK_WIDGET(c->data), out);
    g_list_free(children);
}

int textWidth(GtkWidget* w, const char* text, bool bold) {
    PangoLayout* l = gtk_widget_create_pango_layout(w, text);
    if (bold) {
        PangoAttrList* a = pango_attr_list_new();
        pango_attr_list_insert(a, pango_attr_weight_new(PANGO_WEIGHT_BOLD));
        pango_layout_set_attributes(l, a);
        pango_attr_list_unref(a);
    }
    int width = 0, height = 0;
    pango_layout_get_pixel_size(l, &width, &height);
    g_object_unref(l);
    return width;
}

bool overlap(const GtkAllocation& a, const GtkAllocation& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

std::string size(int w, int h) {
    return std::to_string(w) + "x" + std::to_string(h);
}

void lookAt(GtkWidget* window) {
    const char* t = gtk_window_get_title(GTK_WINDOW(window));
    const std::string title = t ? t : "";
    std::vector<std::string> problems;
    std::string state = title;
    GtkAllocation whole;
    gtk_widget_get_allocation(window, &whole);
    state += size(whole.width, whole.height);

    // A box's title bar shows its title, the close button and the margins beside it.
    if (GTK_IS_DIALOG(window) && !title.empty()) {
        const int need = textWidth(window, title.c_str(), true) + 96;
        if (need > whole.width)
            problems.push_back("the box is " + std::to_string(whole.width) +
                               " px wide, its title [" + title + "] needs " +
                               std::to_string(need));
    }
    std::vector<Placed> list;
    GtkWidget* layout = findLayout(window);
    if (layout) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(layout));
        for (GList* c = children; c; c = c->next) {
            GtkWidget* w = GTK_WIDGET(c->data);
            if (!gtk_widget_get_visible(w)) continue;
            Placed p{gtk_widget_get_name(w), w, {}, GTK_IS_FRAME(w)};
            gtk_widget_get_allocation(w, &p.at);
            list.push_back(p);
        }
        g_list_free(children);
    }
    guint layoutW = 0, layoutH = 0;
    if (layout) gtk_layout_get_size(GTK_LAYOUT(layout), &layoutW, &layoutH);
    for (const Placed& p : list) {
        state += p.name + size(p.at.x, p.at.y) + size(p.at.width, p.at.height);
        int boxW = 0, boxH = 0;
        gtk_widget_get_size_request(p.widget, &boxW, &boxH);
        if (p.at.width > boxW || p.at.height > boxH)
            problems.push_back(p.name + " is " + size(p.at.width, p.at.height) +
                               ", its form gives it " + size(boxW, boxH));
        if (p.at.x < 0 || p.at.y < 0 || p.at.x + p.at.width > int(layoutW) ||
            p.at.y + p.at.height > int(layoutH))
            problems.push_back(p.name + " lies outside the window");
        std::vector<GtkLabel*> labels;
        labelsOf(p.widget, labels);
        for (GtkLabel* l : labels) {
            if (!gtk_widget_get_visible(GTK_WIDGET(l)) || !*gtk_label_get_text(l)) continue;
            GtkAllocation la;
            gtk_widget_get_allocation(GTK_WIDGET(l), &la);
            int w = 0, h = 0;
            pango_layout_get_pixel_size(gtk_label_get_layout(l), &w, &h);
            if (w > la.width || h > la.height)
                problems.push_back(p.name + " cuts off [" + gtk_label_get_text(l) + "]: needs " +
                                   size(w, h) + ", has " + size(la.width, la.height));
        }
    }
    for (std::size_t i = 0; i < list.size(); ++i)
        for (std::size_t k = i + 1; k < list.size(); ++k)
            if (!list[i].frame && !list[k].frame && overlap(list[i].at, list[k].at))
                problems.push_back(list[i].name + " and " + list[k].name + " overlap");
    // A control that begins inside a frame ends inside it.
    for (const Placed& f : list) {
        if (!f.frame) continue;
        for (const Placed& p : list) {
            if (&p == &f || p.at.x < f.at.x || p.at.y < f.at.y ||
                p.at.x >= f.at.x + f.at.width || p.at.y >= f.at.y + f.at.height)
                continue;
            if (p.at.x + p.at.width > f.at.x + f.at.width ||
                p.at.y + p.at.height > f.at.y + f.at.height)
                problems.push_back(p.name + " reaches beyond its frame " + f.name);
        }
    }
    const bool settled = seen[window] == state;
    seen[window] = state;
    if (!settled || looked[window] == state) return;
    looked[window] = state;
    log("window=" + title);
    for (const std::string& what : problems) log("problem=" + title + ": " + what);
}

gboolean lookAtAll(gpointer) {
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next) {
        GtkWidget* window = GTK_WIDGET(w->data);
        if (gtk_widget_get_mapped(window) && GTK_IS_WINDOW(window) &&
            gtk_window_get_window_type(GTK_WINDOW(window)) == GTK_WINDOW_TOPLEVEL)
            lookAt(window);
    }
    g_list_free(windows);
    return G_SOURCE_CONTINUE;
}

} // namespace

extern "C" G_MODULE_EXPORT void gtk_module_init(gint*, gchar***) {
    g_timeout_add(200, lookAtAll, nullptr);
}
