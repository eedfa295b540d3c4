#include "config/tools/tools.h"

#include "common/settings/keep_copy.h"
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

bool writeSettings(platform::Files& files, platform::Dialogs& dialogs, bool german,
                   const std::string& path, const std::string& bytes, bool& keepFirst) {
    if (!keepFirst) {
        if (files.write(path, bytes)) return true;
        tellWriteFailed(dialogs, german, path);
        return false;
    }
    const settings::Replaced r = settings::replaceUnreadable(files, path, bytes, german);
    keepFirst = r.leftAlone;
    if (!r.message.empty())
        dialogs.message(r.message, platform::Buttons::Ok, platform::Icon::Exclamation);
    else if (!r.written)
        tellWriteFailed(dialogs, german, path);
    return r.written;
}

} // namespace scourix
