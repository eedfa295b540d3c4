#include "config/mainwindow/main_window.h"

#include "config/mainwindow/main_window_detail.h"

// The shortcut panel: desktop shortcuts to Gatefire and Scourix.

namespace scourix {

using namespace mainwindow;
using platform::Buttons;
using platform::Icon;

void MainWindow::m41Click() {
    shortcutPanel(true);
}

// While the panel is open only it and the "&info" menu can be used; the panels it would cover
// step aside, as for the game settings page.
void MainWindow::shortcutPanel(bool open) {
    if (open) verknupf.setBounds(1440, 1560, verknupf.width, verknupf.height);
    verknupf.setVisible(open);
    for (ui::MenuItem* m : {&m1, &m2, &m4}) m->setEnabled(!open);
    master.setEnabled(!open);
    for (ui::Control* c : Controls{&Frame1, &Frame2, &Frame3, &Frame4, &Frame5}) {
        c->setVisible(!open);
        if (open) c->setEnabled(false);
    }
    // Closed, the panels are usable as the game folder makes them.
    if (!open) panelsUsable(!d3path.text().empty());
}

// Gatefire's shortcut first, then Scourix's. The panel closes once Scourix's shortcut has been
// made and nothing failed; an existing shortcut is left as it is.
void MainWindow::verkokClick() {
    for (const std::string& name : {cstart.text(), cle.text()})
        if (!platform::validFileName(name + ".lnk")) {
            tell("The shortcut name \"" + name +
                     "\" cannot be used: a file name cannot hold \\ / : * ? \" < > | or "
                     "control characters, nor be a device name such as CON or NUL",
                 "Der Verknüpfungsname \"" + name +
                     "\" geht nicht: ein Dateiname kann \\ / : * ? \" < > | und Steuerzeichen "
                     "nicht enthalten und kein Gerätename wie CON oder NUL sein");
            return;
        }
    const Link gatefire = makeShortcut(cstart.text(), "gatefire");
    const Link scourix = makeShortcut(cle.text(), "scourix");
    if (scourix == Link::Created && gatefire != Link::Failed) shortcutPanel(false);
}

// On the desktop shared by all users; where the player may not write there, on his own.
MainWindow::Link MainWindow::makeShortcut(const std::string& name, const std::string& program) {
    const std::string file = "\\" + name + ".lnk";
    const std::string common = p_.shortcuts.commonDesktop();
    const std::string own = p_.shortcuts.userDesktop();
    for (const std::string& desktop : {common, own})
        if (!desktop.empty() && p_.files.exists(desktop + file)) {
            p_.dialogs.message(german() ? "Verknüpfung besteht bereits" : "shortcut exists already",
                               Buttons::Ok, Icon::Information);
            return Link::Exists;
        }
    // A link is written only where nothing is for certain: one that could not be asked about may
    // be the player's own.
    const std::string target = store_.folder + "\\" + program + ".exe";
    for (const std::string& desktop : {common, own})
        if (!desktop.empty() && p_.files.missing(desktop + file) &&
            p_.shortcuts.create(desktop + file, target))
            return Link::Created;
    const std::string where = own.empty() ? common : own;
    tell("The shortcut \"" + name + ".lnk\" could not be written to the desktop" +
             (where.empty() ? "" : " \"" + where + "\"") + ".",
         "Die Verknüpfung \"" + name + ".lnk\" konnte nicht auf den Desktop" +
             (where.empty() ? "" : " \"" + where + "\"") + " geschrieben werden.");
    return Link::Failed;
}

} // namespace scourix
