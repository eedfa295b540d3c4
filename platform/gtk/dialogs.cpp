#include <glib/gi18n.h>
#include <gtk/gtk.h>

#include <iterator>

#include "platform/gtk/gtk.h"

namespace gtkui {

GtkWindow* dialogOwner();
void programIcon();

namespace {

// The box's kind for each icon, in the order of platform::Icon.
GtkMessageType messageType(platform::Icon i) {
    constexpr GtkMessageType kinds[] = {GTK_MESSAGE_OTHER, GTK_MESSAGE_INFO, GTK_MESSAGE_QUESTION,
                                        GTK_MESSAGE_WARNING, GTK_MESSAGE_ERROR};
    const auto at = static_cast<std::size_t>(i);
    return at < std::size(kinds) ? kinds[at] : GTK_MESSAGE_OTHER;
}

// The picture of each icon from the icon theme, in the order of platform::Icon; none for none.
const char* iconName(platform::Icon i) {
    constexpr const char* names[] = {nullptr, "dialog-information", "dialog-question",
                                     "dialog-warning", "dialog-error"};
    const auto at = static_cast<std::size_t>(i);
    return at < std::size(names) ? names[at] : nullptr;
}

// A box at least as wide as its title bar needs for the whole title beside the close button:
// a short message would otherwise cut its title off.
void fitTitle(GtkWidget* box, const std::string& title) {
    PangoLayout* l = gtk_widget_create_pango_layout(box, title.c_str());
    PangoAttrList* bold = pango_attr_list_new();
    pango_attr_list_insert(bold, pango_attr_weight_new(PANGO_WEIGHT_BOLD));
    pango_layout_set_attributes(l, bold);
    pango_attr_list_unref(bold);
    int width = 0, height = 0;
    pango_layout_get_pixel_size(l, &width, &height);
    g_object_unref(l);
    gtk_window_set_default_size(GTK_WINDOW(box), width + 96, -1);
}

} // namespace

std::string shown(const std::string& text) {
    if (g_utf8_validate(text.data(), gssize(text.size()), nullptr)) return text;
    gchar* valid = g_utf8_make_valid(text.data(), gssize(text.size()));
    std::string out = valid;
    g_free(valid);
    return out;
}

// The program's words for the buttons, else GTK's own in the system's language, as the Windows
// boxes show them.
std::string Dialogs::word(const char* gtkWord) const {
    return words ? words(gtkWord) : g_dgettext("gtk30", gtkWord);
}

platform::Answer Dialogs::message(const std::string& text, platform::Buttons buttons,
                                  platform::Icon icon, const std::string& title) {
    programIcon();
    GtkWidget* d = gtk_message_dialog_new(dialogOwner(), GTK_DIALOG_MODAL, messageType(icon),
                                          GTK_BUTTONS_NONE, "%s", shown(text).c_str());
    const std::string boxTitle = shown(title.empty() ? title_ : title);
    gtk_window_set_title(GTK_WINDOW(d), boxTitle.c_str());
    fitTitle(d, boxTitle);
    // GTK 3 draws no picture of the kind by itself; the box carries it, as a Windows box does.
    if (const char* name = iconName(icon)) {
        GtkWidget* image = gtk_image_new_from_icon_name(name, GTK_ICON_SIZE_DIALOG);
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(d), image);
        G_GNUC_END_IGNORE_DEPRECATIONS
        gtk_widget_show(image);
    }
    gtk_window_set_keep_above(GTK_WINDOW(d), TRUE);
    gtk_window_set_position(GTK_WINDOW(d), GTK_WIN_POS_CENTER);
    auto add = [&](const char* w, platform::Answer a) {
        gtk_dialog_add_button(GTK_DIALOG(d), word(w).c_str(), int(a));
    };
    platform::Answer first = platform::Answer::Ok, onClose = platform::Answer::Cancel;
    switch (buttons) {
    case platform::Buttons::Ok:
        add("_OK", platform::Answer::Ok);
        onClose = platform::Answer::Ok;
        break;
    case platform::Buttons::OkCancel:
        add("_OK", platform::Answer::Ok);
        add("_Cancel", platform::Answer::Cancel);
        break;
    case platform::Buttons::YesNo:
        add("_Yes", platform::Answer::Yes);
        add("_No", platform::Answer::No);
        first = platform::Answer::Yes;
        onClose = platform::Answer::No;
        break;
    case platform::Buttons::YesNoCancel:
        add("_Yes", platform::Answer::Yes);
        add("_No", platform::Answer::No);
        add("_Cancel", platform::Answer::Cancel);
        first = platform::Answer::Yes;
        break;
    }
    // The first button answers Enter, as on Windows.
    gtk_dialog_set_default_response(GTK_DIALOG(d), int(first));
    int r = gtk_dialog_run(GTK_DIALOG(d));
    gtk_widget_destroy(d);
    // A box closed by its close box gives what Windows gives: Cancel, or No where there is no
    // Cancel, or OK for a box that has OK alone.
    if (r < 0) return onClose;
    return platform::Answer(r);
}

std::string Dialogs::input(const std::string& prompt, const std::string& title,
                           const std::string& defaultText) {
    programIcon();
    const std::string boxTitle = shown(title.empty() ? title_ : title);
    GtkWidget* d = gtk_dialog_new_with_buttons(
        boxTitle.c_str(), dialogOwner(), GTK_DIALOG_MODAL, word("_OK").c_str(), GTK_RESPONSE_OK,
        word("_Cancel").c_str(), GTK_RESPONSE_CANCEL, nullptr);
    fitTitle(d, boxTitle);
    gtk_window_set_keep_above(GTK_WINDOW(d), TRUE);
    gtk_window_set_position(GTK_WINDOW(d), GTK_WIN_POS_CENTER);
    GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(d));
    gtk_container_set_border_width(GTK_CONTAINER(area), 10);
    gtk_box_set_spacing(GTK_BOX(area), 8);
    GtkWidget* label = gtk_label_new(shown(prompt).c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(label), 50);
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(entry), shown(defaultText).c_str());
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    gtk_box_pack_start(GTK_BOX(area), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(area), entry, FALSE, FALSE, 0);
    gtk_dialog_set_default_response(GTK_DIALOG(d), GTK_RESPONSE_OK);
    gtk_widget_show_all(d);
    std::string out;
    if (gtk_dialog_run(GTK_DIALOG(d)) == GTK_RESPONSE_OK)
        out = gtk_entry_get_text(GTK_ENTRY(entry));
    gtk_widget_destroy(d);
    return out;
}

void Dialogs::beep() {
    gdk_display_beep(gdk_display_get_default());
}

} // namespace gtkui
