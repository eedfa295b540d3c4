#include "config/tools/stadkiller.h"

#include "common/cleaning/cleaning.h"
#include "config/mainwindow/main_window.h"
#include "config/tools/tools.h"

namespace scourix {

Stadkiller::Stadkiller(platform::Platform& p, MainWindow& main)
    : ui::Window("stadkiller", 1500, 1500), p_(p), main_(main) {
    ownerWindow = &main;
    File1.pattern = "*.stats";
}

// Everything happens while loading; the window closes at the end of it, so it never shows.
void Stadkiller::load() {
    const bool de = toolsGerman(main_);
    const auto folders =
        cleaning::foldersHolding(File1, main_.game().dataFolders, cleaning::kNetgames);
    if (folders.empty()) {
        // As Gatefire says it: a game folder without "\netgames" deleted nothing.
        p_.dialogs.message("Error ! Path not found", platform::Buttons::Ok,
                           platform::Icon::Critical);
        return close();
    }
    // Every folder where the game keeps statistics: the player's own first, then the game's.
    int deleted = 0, left = 0;
    for (const auto& folder : folders) {
        if (!File1.setPath(folder)) continue;
        List1.clear();
        for (int i = 0; i < File1.count(); ++i) List1.addItem(File1.item(i));
        for (int i = 0; i < List1.count(); ++i)
            ++(p_.files.remove(folder + "\\" + List1.item(i)) ? deleted : left);
    }

    std::string text(" ");
    text += std::to_string(deleted);
    text += de ? " Stats-Dateien gelöscht !" : " stats-files deleted !";
    if (left) {
        text += "\n";
        text += std::to_string(left);
        text += de ? " Stats-Dateien konnten nicht gelöscht werden (schreibgeschützt oder in "
                     "Gebrauch)."
                   : " stats-files could not be deleted (read-only or in use).";
    }
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Information);
    close();
}

} // namespace scourix
