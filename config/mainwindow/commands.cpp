#include "config/mainwindow/main_window.h"

#include "config/mainwindow/main_window_detail.h"
#include "config/mainwindow/texts.h"

#include "common/edition/edition.h"

#include "config/mainwindow/clean_now.h"
#include "config/tools/taunt_preview.h"
#include "config/tools/ordner.h"

namespace scourix {

using namespace mainwindow;
using platform::Answer;
using platform::Buttons;
using platform::Icon;

void MainWindow::m15Click() {
    Answer a = ask(texts::kSaveOnExit);
    if (a == Answer::Cancel) return;
    if (a == Answer::Yes && !sichern()) return;
    p_.app.end();
}

ui::MenuItem& MainWindow::languageEntry(lang::Language l) {
    for (std::size_t i = 0; i < languages_.size(); ++i)
        if (l == languages_[i]) return *languageEntries[i];
    return *languageEntries.front();
}

void MainWindow::checkLanguage(lang::Language l, bool named) {
    for (std::size_t i = 0; i < languages_.size(); ++i)
        languageEntries[i]->setChecked(named && l == languages_[i]);
}

void MainWindow::chooseLanguage(lang::Language l) {
    settings_.language = l;
    settings_.languageNamed = true;
    checkLanguage(l, true);
    sprache();
}

// Game folder field: the panels and commands are usable only with a game folder.
void MainWindow::d3pathChange() {
    const bool set = !d3path.text().empty();
    panelsUsable(set);
    m18.setEnabled(set);
    m42.setEnabled(set);
    // Only the retail program has the time test and its log: the entries are offered for it.
    const bool timeTest = hasTimeTest();
    m23.setEnabled(timeTest);
    m24.setEnabled(timeTest);
    if (set) fillPilots();
}

void MainWindow::browse(const std::string& mode, bool focus) {
    session_.browseMode = mode;
    ordner_->open();
    if (focus) ordner_->focus();
}

void MainWindow::tell(const lang::Message& text) {
    lang::tell(p_.dialogs, language(), text);
}

// The backup folder and its browse button are usable exactly while backup is the choice.
void MainWindow::backupChoice(ui::OptionButton& backup, ui::TextBox& path, ui::Button& browser) {
    path.setEnabled(backup.value());
    browser.setEnabled(backup.value());
}

// Clean now: after a save, the clean-now window opens 500 ms later; without one at once.
void MainWindow::m21Click() {
    Answer a = ask(texts::kSaveFirst);
    if (a == Answer::Yes) {
        if (sichern()) anzeigerstart.setEnabled(true);
    } else if (a == Answer::No) {
        anzeiger_->open();
    }
}

void MainWindow::m22Click() {
    Answer a = ask(texts::kSaveFirst);
    if (a == Answer::Cancel) return;
    if (a == Answer::Yes && !sichern()) return;
    p_.shell.open("gatefire.exe", "", store_.folder, platform::ShowMode::Normal);
    minimize();
}

void MainWindow::anzeigerstartTick() {
    anzeigerstart.setEnabled(false);
    anzeiger_->open();
}

void MainWindow::beendenautoTick() {
    beendenauto.setEnabled(false);
    session_.autoQuit = true;
    close();
    if (isClosed()) p_.app.end();
}

// Taunt preview of the selected own taunt; a double click on it does the same. The taunt is
// taken from the first custom folder of the game that holds it, and played by the sound tester
// the player set, else by the system where it plays sounds itself.
void MainWindow::play1Click() {
    const int i = mysounds.listIndex();
    const bool own = preview_->way(settings_.musicTesterPath) == TauntPreview::Way::Own;
    if (i < 0) return own ? preview_->nothingChosen(language()) : void();
    if (!own && !p_.keys.reachesOtherPrograms()) return preview_->noTester(language());
    if (!own && settings_.musicTesterPath.empty()) return;
    const edition::Game g = game();
    std::string file = d3path.text() + edition::kSounds + "\\" + mysounds.item(i);
    for (const auto& folder : g.dataFolders) {
        const std::string there = folder + edition::kSounds + "\\" + mysounds.item(i);
        if (p_.files.exists(there)) {
            file = there;
            break;
        }
    }
    if (own) return preview_->play(file, language());
    preview_->start(file, d3path.text(), settings_.musicTesterPath, language());
}
} // namespace scourix
