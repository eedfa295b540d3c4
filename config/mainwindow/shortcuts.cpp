#include "config/mainwindow/main_window.h"

#include "config/mainwindow/main_window_detail.h"
#include "config/mainwindow/texts.h"

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
            tell(texts::badShortcutName(name));
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
            lang::tell(p_.dialogs, language(), texts::kShortcutExists, Icon::Information);
            return Link::Exists;
        }
    // A link is written only where nothing is for certain: one that could not be asked about may
    // be the player's own.
    const std::string target = store_.folder + "\\" + program + ".exe";
    for (const std::string& desktop : {common, own})
        if (!desktop.empty() && p_.files.missing(desktop + file) &&
            p_.shortcuts.create(desktop + file, target))
            return Link::Created;
    tell(texts::shortcutNotWritten(name + p_.shortcuts.extension(), own.empty() ? common : own));
    return Link::Failed;
}

} // namespace scourix
