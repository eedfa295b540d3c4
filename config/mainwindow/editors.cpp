#include "config/mainwindow/main_window.h"

#include "config/mainwindow/main_window_detail.h"

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
        answer = text;
        if (text.find('"') != std::string::npos)
            p_.dialogs.message(german() ? "Ein Key darf kein Anführungszeichen (\") enthalten. "
                                          "Bitte gib ihn ohne Anführungszeichen ein."
                                        : "A key cannot contain a double quote (\"). Please type "
                                          "it without double quotes.",
                               Buttons::Ok, Icon::Exclamation);
        else if (!edition::gameCanHold("-Launched -" + text + " "))
            p_.dialogs.message(edition::tooLongForTheGame(german()), Buttons::Ok,
                               Icon::Exclamation);
        else
            return text;
    }
}

void MainWindow::newkeyClick() {
    std::string key =
        german() ? askSwitch("Gebe einen neuen Key ein ! Ohne den normalen Bindestrich '-' !",
                             "Neuer Key..", "")
                 : askSwitch("insert the key without '-' !", "new key..", "");
    if (!key.empty()) keylist.addItem(key);
}

void MainWindow::keyandersClick() {
    const int i = keylist.listIndex();
    if (i < 0) return p_.dialogs.beep();
    std::string key =
        german() ? askSwitch("Ändere den Key ! Ohne den normalen Bindestrich '-' !", "Key ändern..",
                             keylist.item(i))
                 : askSwitch("insert the key without '-' !", "change key..", keylist.item(i));
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
    if (pilotname.count() == 1 && usepilot.value() == 1) pilotname.setSelected(0, true);
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
    if (!p_.files.copy(from, to))
        return tell("The pilot file could not be copied to\n" + to +
                        "\nIt stays in the game folder:\n" + from,
                    "Die Pilotendatei konnte nicht kopiert werden nach\n" + to +
                        "\nSie bleibt im Spielordner:\n" + from);
    if (!p_.files.remove(from))
        return tell("The pilot file could not be removed from the game folder:\n" + from +
                        "\nIt stays there; a copy now also lies in\n" + to,
                    "Die Pilotendatei konnte nicht aus dem Spielordner entfernt werden:\n" + from +
                        "\nSie bleibt dort; eine Kopie liegt nun auch in\n" + to);
    pilotname.removeItem(i);
}
} // namespace scourix
