#include "config/tools/tools.h"

#include "config/mainwindow/main_window.h"

namespace scourix {

bool toolsGerman(const MainWindow& main) {
    return main.m1.caption() == "&Datei";
}

void tellWriteFailed(platform::Dialogs& dialogs, bool german, const std::string& path) {
    dialogs.message(german ? "Die Datei \"" + path +
                                 "\" konnte nicht geschrieben werden; sie behält ihren bisherigen "
                                 "Inhalt.\n\nIst der Ordner schreibgeschützt oder der Datenträger "
                                 "voll?"
                           : "The file \"" + path +
                                 "\" could not be written; it keeps its previous content.\n\nIs "
                                 "the folder read-only or the disk full?",
                    platform::Buttons::Ok, platform::Icon::Critical);
}

} // namespace scourix
