#include <cstdio>

#include "launcher/anzeiger.h"
#include "platform/gtk/gtk.h"
#include "platform/linux/linux.h"

int main(int argc, char** argv) {
    if (!gtkui::start(argc, argv)) {
        std::fprintf(stderr, "gatefire: no display to show its window on\n");
        return 1;
    }
    gtkui::Dialogs dialogs("gatefire");
    lnx::System system(dialogs,
                       {SCOURIX_VERSION_MAJOR, SCOURIX_VERSION_MINOR, SCOURIX_VERSION_PATCH});
    launcher::Anzeiger window(system.platform());
    // The boxes' buttons speak the player's language, as the windows do.
    dialogs.words = [&window](const char* word) {
        return lang::buttonWord(window.language(), word);
    };
    return gtkui::run(window);
}
