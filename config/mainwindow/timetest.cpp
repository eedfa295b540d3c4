#include "config/mainwindow/main_window.h"

#include "common/edition/game_args.h"
#include "config/mainwindow/fps_log.h"
#include "config/mainwindow/main_window_detail.h"
#include "config/mainwindow/texts.h"

// The time test and the frame-rate log of the "&action " menu.

namespace scourix {

namespace texts = mainwindow::texts;

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

const std::uint64_t kMaxFpsBytes = 1 << 20;

} // namespace

std::string MainWindow::switchString() const {
    std::string s;
    for (int i = 0; i < keylist.count(); ++i)
        if (keylist.selected(i)) s += "-" + keylist.item(i) + " ";
    return s;
}

// The game's own time test with the selected switches, started by its full path in the game
// folder, as Gatefire starts the game. Only the retail program has it.
void MainWindow::m23Click() {
    if (noTimeTest()) return;
    Answer a = ask(texts::kSaveFirst);
    if (a == Answer::Cancel) return;
    if (a == Answer::Yes && !sichern()) return;
    const edition::Game g = game();
    // Switches past what the game's rows for its arguments hold are left out and named.
    std::vector<std::string> switches, leftOut;
    for (int i = 0; i < keylist.count(); ++i)
        if (keylist.selected(i)) switches.push_back("-" + keylist.item(i) + " ");
    const std::string line = edition::fitToGame("", switches, "-timetest secret2.dem ", leftOut);
    if (!leftOut.empty()) {
        std::string text =
            edition::argumentLimits(language()) + texts::kTimeTestWithout.in(language());
        for (const auto& s : leftOut) {
            text += '\n';
            text += s.substr(0, s.size() - 1);
        }
        p_.dialogs.message(text, Buttons::Ok, Icon::Exclamation);
    }
    const std::string program = g.openSource() ? edition::retailProgram(p_, g.folder) : g.program;
    if (!p_.files.exists(program) || !p_.files.setCurrentFolder(g.folder) ||
        !p_.shell.open(program, line, g.folder, platform::ShowMode::Normal))
        lang::tell(p_.dialogs, language(), texts::kCannotStart, Icon::Critical);
}

void MainWindow::m24Click() {
    if (noTimeTest()) return;
    Answer a = ask(texts::kAddToFps);
    if (a == Answer::Cancel) return;
    const std::string path = d3path.text() + "\\fps.txt";
    if (a == Answer::Yes && !appendFps(path)) {
        lang::tell(p_.dialogs, language(), texts::kNoFps, Icon::Critical);
        return;
    }
    p_.shell.open("notepad.exe", path, "", platform::ShowMode::Normal);
}

// The open-source game has neither the time test nor its frame-rate log: the player is told so
// and nothing is started, unless the retail program stands beside it in the folder.
bool MainWindow::noTimeTest() {
    if (hasTimeTest()) return false;
    p_.dialogs.message(lang::tr(language(),
                                "This edition of the game ({1}) has no time test and no fps.txt.",
                                {p_.host.programFile(edition::kOpenSourceName)}),
                       Buttons::Ok, Icon::Information);
    return true;
}

bool MainWindow::hasTimeTest() {
    const edition::Game g = game();
    return !g.openSource() || !edition::retailProgram(p_, g.folder).empty();
}

// The log's lines as they are, then the block of demo, switches and version. The file is
// replaced whole, so a failed write leaves the old log as it was.
bool MainWindow::appendFps(const std::string& path) {
    // A log of more lines than it may have is not read whole.
    std::string bytes, out;
    if (!p_.files.exists(path) || !p_.files.read(path, bytes, kMaxFpsBytes)) return false;
    if (!appendToLog(bytes,
                     {"demo : secret2.dem", "", "key's : ", "",
                      p_.codepage.fromUtf8(switchString()), "",
                      "** Scourix Version :" + platform::versionText(p_.app.version()) + " **"},
                     out))
        return false;
    return p_.files.write(path, out);
}

} // namespace scourix
