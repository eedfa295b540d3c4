// The baseline of the start benchmark (tools/bench-clean-linux): the least a GTK program can do
// before it starts a game. It shows one undecorated window of the launcher's size, and 50 ms
// later starts FOLDER/PROGRAM -Launched in FOLDER as the launcher does, and ends.
//   minimal-gtk FOLDER PROGRAM
#include <gtk/gtk.h>
#include <spawn.h>

#include <string>

extern char** environ;

namespace {

std::string folder, program;

gboolean startGame(gpointer window) {
    const std::string path = folder + "/" + program;
    char launched[] = "-Launched";
    char* argv[] = {const_cast<char*>(path.c_str()), launched, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = 0;
    posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    gtk_widget_destroy(GTK_WIDGET(window));
    gtk_main_quit();
    return G_SOURCE_REMOVE;
}

} // namespace

int main(int argc, char** argv) {
    if (!gtk_init_check(&argc, &argv) || argc != 3) return 64;
    folder = argv[1], program = argv[2];
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
    gtk_window_set_default_size(GTK_WINDOW(window), 311, 210);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    gtk_widget_show(window);
    g_timeout_add(50, startGame, window);
    gtk_main();
    return 0;
}
