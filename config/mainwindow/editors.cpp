#include "config/mainwindow/main_window.h"

#include "config/mainwindow/main_window_detail.h"
#include "config/mainwindow/texts.h"

#include "common/edition/edition.h"
#include "common/edition/game_args.h"

namespace scourix {

using namespace mainwindow;
using platform::Answer;
using platform::Buttons;
using platform::Icon;

void MainWindow::removeCurrent(ui::ListBox& list) {
    if (list.listIndex() < 0) return p_.dialogs.beep();
    list.removeItem(list.listIndex());
}

// Asks for a switch until it holds no double quote, which keys.ini cannot store, and fits into
// the game's rows for its arguments.
std::string MainWindow::askSwitch(const std::string& prompt, const std::string& title,
                                  const std::string& start) {
    std::string text = start;
    for (;;) {
        text = p_.dialogs.input(prompt, title, text);
        if (!settings::keysIniKeeps(text))
            tell(texts::kKeyWithQuote);
        else if (!edition::gameCanHold("-Launched -" + text + " "))
            p_.dialogs.message(edition::tooLongForTheGame(language()), Buttons::Ok,
                               Icon::Exclamation);
        else
            return text;
    }
}

void MainWindow::newkeyClick() {
    const lang::Language l = language();
    std::string key = askSwitch(texts::kNewKey.in(l), texts::kNewKeyTitle.in(l), "");
    if (!key.empty()) keylist.addItem(key);
}

void MainWindow::keyandersClick() {
    const int i = keylist.listIndex();
    if (i < 0) return p_.dialogs.beep();
    const lang::Language l = language();
    std::string key =
        askSwitch(texts::kChangeKey.in(l), texts::kChangeKeyTitle.in(l), keylist.item(i));
    if (!key.empty()) keylist.setItem(i, key);
}

// At most one pilot stays selected: the current one.
void MainWindow::pilotnameSelect() {
    int selected = 0;
    for (int i = 0; i < pilotname.count(); ++i) selected += pilotname.selected(i);
    if (selected < 2) return;
    for (int i = 0; i < pilotname.count(); ++i)
        if (i != pilotname.listIndex() && pilotname.selected(i)) pilotname.setSelected(i, false);
}

void MainWindow::usepilotClick() {
    if (pilotname.count() == 1 && box("usepilot").value() == 1) pilotname.setSelected(0, true);
}

// Puts the current pilot away into the custom folder beside the pilots. The line goes only when the
// file has moved; on a failure the player is told and both files that exist stay.
void MainWindow::pilotwechClick() {
    const int i = pilotname.listIndex();
    if (i < 0) return p_.dialogs.beep();
    const std::string name = pilotname.item(i);
    const std::string pilots = game().pilotFolder;
    const std::string from = pilots + "\\" + name + ".plt";
    const std::string to = pilots + edition::kCustom + "\\" + name + ".plt";
    if (!p_.files.copy(from, to)) return tell(texts::pilotNotCopied(to, from));
    if (!p_.files.remove(from)) return tell(texts::pilotNotRemoved(from, to));
    pilotname.removeItem(i);
}
} // namespace scourix
