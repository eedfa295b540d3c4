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
        if (name.find_first_of("\\/:*?\"<>|") != std::string::npos) {
            tell("The shortcut name \"" + name +
                     "\" cannot be used: a file name cannot hold \\ / : * ? \" < > |",
                 "Der Verknüpfungsname \"" + name +
                     "\" geht nicht: ein Dateiname kann \\ / : * ? \" < > | nicht enthalten");
            return;
        }
    const Link gatefire = makeShortcut(cstart.text(), "gatefire");
    const Link scourix = makeShortcut(cle.text(), "scourix");
    if (scourix == Link::Created && gatefire != Link::Failed) shortcutPanel(false);
}

// On the desktop shared by all users; where the player may not write there, on his own.
MainWindow::Link MainWindow::makeShortcut(const std::string& name, const std::string& program) {
    const std::string file = "\\" + name + p_.shortcuts.extension();
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
    tell("The shortcut \"" + name + p_.shortcuts.extension() +
             "\" could not be written to the desktop" +
             (where.empty() ? "" : " \"" + where + "\"") + ".",
         "Die Verknüpfung \"" + name + p_.shortcuts.extension() +
             "\" konnte nicht auf den Desktop" +
             (where.empty() ? "" : " \"" + where + "\"") + " geschrieben werden.");
    return Link::Failed;
}

} // namespace scourix
