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
    if (const std::string why = desktopMissing(); !why.empty()) return lang::tell(p_.dialogs, why);
    // A shortcut that could not be written is told once: Scourix's would fail the same way.
    const Link gatefire = makeShortcut(cstart.text(), "gatefire");
    if (gatefire == Link::Failed) return;
    if (makeShortcut(cle.text(), "scourix") == Link::Created) shortcutPanel(false);
}

// A desktop to put the shortcuts on: the shared one, else the player's own, made where it is
// missing (a new player's home has none yet). Why there is none, empty when there is one.
std::string MainWindow::desktopMissing() {
    const std::string common = p_.shortcuts.commonDesktop();
    const std::string own = p_.shortcuts.userDesktop();
    for (const std::string& desktop : {common, own})
        if (!desktop.empty() && p_.files.folderExists(desktop)) return "";
    if (own.empty() && common.empty())
        return lang::tr(language(),
                        "No desktop shortcut was made: this system names no desktop folder.");
    if (!own.empty() && p_.files.missing(own) && platform::makeFolders(p_.files, own)) return "";
    return lang::tr(language(),
                    "No desktop shortcut was made: the desktop folder \"{1}\" is not there and "
                    "could not be made.",
                    {p_.host.shownPath(own.empty() ? common : own)});
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
