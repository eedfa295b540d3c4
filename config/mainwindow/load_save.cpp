#include "config/mainwindow/main_window.h"

#include <algorithm>

#include "common/cleaning/cleaning.h"
#include "common/discovery/discovery.h"
#include "common/settings/keep_copy.h"
#include "common/settings/reading.h"
#include "config/mainwindow/clean_now.h"
#include "config/mainwindow/main_window_detail.h"
#include "config/mainwindow/texts.h"
#include "config/tools/mt.h"
#include "config/tools/ordner.h"

#include <stdexcept>
#include <type_traits>

namespace scourix {

using namespace mainwindow;
using platform::Answer;
using platform::Buttons;
using platform::Icon;

void MainWindow::load() {
    std::string failed, failedBefore;
    for (;;) {
        setClientSize(kWidth, kHeight);
        if (readSettings(failed)) break;
        // New files did not help: asking again would only loop.
        if (failed == failedBefore) return recoveryStuck(failed);
        failedBefore = failed;
        // Without scourix.ini the player's language is not known yet: the system's, as the
        // first-run files then take it.
        if (!recover(failed == settings::kScourixIni ? settings::firstRunLanguage(p_.host)
                                                     : language()))
            return;
    }
    // Where it was saved, else centred; the place is saved once the player has moved it.
    if (const auto& at = settings_.window) moveTo({at->left, at->top});
    openedAt_ = position();
    for (int i = 0; i < keylist.count(); ++i)
        keylist.setSelected(i, static_cast<std::size_t>(i) < flags.size() && flags[i] == '1');
    if (d3path.text().empty()) offerFoundGame();
    panelsUsable(!d3path.text().empty());
    fillPilots();
}

// No game folder yet: offers the folders the stores installed the game in, one after the other,
// until the player takes one. Taking it sets the field as typing would; nothing is saved here.
void MainWindow::offerFoundGame() {
    for (const auto& folder : discovery::gameFolders(p_)) {
        Answer a = lang::ask(p_.dialogs, language(), texts::foundGame(folder), Buttons::YesNo);
        if (a == Answer::Yes) {
            d3path.setText(folder);
            return offerGameData();
        }
    }
}

bool MainWindow::readSettings(std::string& failed) {
    failed = settings::kScourixIni;
    settings::PlayerSettings read;
    if (settings::load(store_, read) != settings::Problem::None) return false;
    settings_ = read;
    const settings::PlayerSettings& v = settings_;
    showSettings();
    showChoice(v.logos.shown(), {&nologoaktion, &grafkill, &usegraficsicher});
    backupChoice(usegraficsicher, graficsicherpath, graficsicherbrowser);
    showChoice(v.taunts.shown(), {&nosoundaktion, &soundkill, &usesoundssicheern});
    backupChoice(usesoundssicheern, soundssicherpath, soundssicherbrowser);
    pilot = v.pilotName;
    checkLanguage(v.language, v.languageNamed);

    play1.setEnabled(p_.sound.plays() || !v.musicTesterPath.empty());
    sprache();

    failed = settings::kLogosIni;
    if (settings::readListInto(store_, failed, logo) != settings::Problem::None) return false;
    failed = settings::kTauntsIni;
    if (settings::readListInto(store_, failed, mysounds) != settings::Problem::None) return false;

    failed = settings::kKeysIni;
    keylist.clear();
    settings::KeysIni k;
    if (settings::load(store_, k) != settings::Problem::None) return false;
    for (const auto& s : k.switches) keylist.addItem(s);
    flags = k.flags;
    failed.clear();
    return true;
}

ui::CheckBox& MainWindow::bound(const char* name, ui::Frame& frame) {
    return boxes_.emplace_back(*this, name, &frame);
}

namespace {
// The control of that name and kind; a row naming none is a fault of the program.
template <class C> C& named(const ui::Window& w, std::string_view name) {
    for (ui::Control* c : w.controls())
        if (c->name() == name)
            if (auto* found = dynamic_cast<C*>(c)) return *found;
    throw std::out_of_range(std::string(name)); // a row names a control the window lacks
}
} // namespace

ui::CheckBox& MainWindow::box(std::string_view name) {
    return named<ui::CheckBox>(*this, name);
}

ui::Control& MainWindow::control(std::string_view name) {
    return named<ui::Control>(*this, name);
}

// A row's control is a check box for a check value and a text box for a text.
void MainWindow::showSettings() {
    for (const auto& row : settings::kScourixRows)
        if (row.control)
            settings::withValue(row, settings_, [&](const auto& value) {
                using T = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<T, bool>)
                    box(row.control).setValue(value ? 1 : 0);
                else if constexpr (std::is_same_v<T, std::string>)
                    named<ui::TextBox>(*this, row.control).setText(value);
            });
}

void MainWindow::takeSettings() {
    for (const auto& row : settings::kScourixRows)
        if (row.control)
            settings::withValue(row, settings_, [&](auto& value) {
                using T = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<T, bool>)
                    value = box(row.control).value() == 1;
                else if constexpr (std::is_same_v<T, std::string>)
                    value = named<ui::TextBox>(*this, row.control).text();
            });
}

void MainWindow::recoveryStuck(const std::string& fileName) {
    const std::string file = store_.path(fileName);
    const lang::Language l = language();
    lang::tell(p_.dialogs, l, texts::recoveryStuck(file), Icon::Critical, texts::kErrorTitle.in(l));
    p_.app.end();
}

// The settings files could not be read: offers to write the first-run files. Each old file
// is kept beside itself as a copy under a new name first (".bak", ".bak2", ...); a file that
// cannot be copied whole is left alone, an empty one holds nothing to keep.
// False when the player declined and Scourix ends.
bool MainWindow::recover(lang::Language l) {
    const std::string title = texts::kErrorTitle.in(l);
    lang::tell(p_.dialogs, l, texts::kBadIniFile, Icon::Critical, title);
    Answer a = lang::ask(p_.dialogs, l, texts::kNewFiles, Buttons::OkCancel, Icon::Question, title);
    if (a != Answer::Ok) {
        p_.app.end();
        return false;
    }

    std::string kept, left;
    std::vector<std::pair<const char*, settings::SettingsFile>> fresh;
    auto prepare = [&](const char* name,
                       const std::function<void(settings::SettingsFile&)>& write) {
        const std::string path = store_.path(name);
        std::string copy;
        const settings::Kept k = settings::keepCopy(p_.files, path, copy);
        if (k == settings::Kept::Failed) {
            left += "\n" + p_.host.shownPath(path);
            return;
        }
        if (k == settings::Kept::Copy) kept += "\n" + p_.host.shownPath(copy);
        settings::SettingsFile f(p_.codepage);
        if (write) write(f);
        fresh.emplace_back(name, std::move(f));
    };
    prepare(settings::kKeysIni, settings::writeFirstRunKeysIni);
    prepare(settings::kLogosIni, nullptr);
    prepare(settings::kTauntsIni, nullptr);
    prepare(settings::kScourixIni, [this](settings::SettingsFile& f) {
        settings::writeFirstRunScourixIni(f, settings::firstRunLanguage(p_.host));
    });

    std::vector<std::string> failed;
    for (const auto& [name, f] : fresh)
        if (!settings::save(p_.files, p_.host, store_.path(name), f.bytes(), l).written)
            failed.push_back(name);
    if (!kept.empty() || !left.empty())
        lang::tell(p_.dialogs, texts::recovered(l, kept, left), Icon::Information);
    if (!failed.empty()) writeFailed(failed);
    return true;
}

void MainWindow::writeFailed(const std::vector<std::string>& fileNames) {
    std::string files;
    for (const auto& n : fileNames) files.append("\n").append(store_.path(n));
    lang::tell(p_.dialogs, language(), texts::notWritten(files), Icon::Critical);
}

void MainWindow::panelsUsable(bool on) {
    for (ui::Control* c : Controls{&Frame1, &Frame2, &Frame3, &Frame4, &Frame5, &m2})
        c->setEnabled(on);
}

// The pilot files of the game's pilot folder, sorted as a file list sorts them.
void MainWindow::fillPilots() {
    std::vector<std::string> files;
    if (!p_.files.list(game().pilotFolder, "*.plt", files)) return;
    std::sort(files.begin(), files.end(), ui::sortsBefore);
    pilotname.clear();
    for (const std::string& file : files) {
        if (!edition::gameOpensPilot(p_.files, file)) continue;
        pilotname.addItem(file.substr(0, file.size() >= 4 ? file.size() - 4 : 0));
    }
    for (int i = 0; i < pilotname.count(); ++i)
        if (pilotname.item(i) == pilot) pilotname.setSelected(i, true);
}

bool MainWindow::sichern() {
    return save(false, false);
}

// The save of sichern; a close takes the last selected pilot instead of the first and closes
// the other windows after scourix.ini.
bool MainWindow::save(bool lastPilot, bool closing) {
    pilot.clear();
    for (int i = 0; i < pilotname.count(); ++i)
        if (pilotname.selected(i)) {
            pilot = pilotname.item(i);
            if (!lastPilot) break;
        }

    settings::PlayerSettings& v = settings_;
    // A game folder typed rather than picked is offered the game's data on its first save.
    if (d3path.text() != v.gamePath && d3path.text() != dataOffered_) offerGameData();
    takeSettings();
    takeChoice(v.logos, {&nologoaktion, &grafkill, &usegraficsicher});
    takeChoice(v.taunts, {&nosoundaktion, &soundkill, &usesoundssicheern});
    v.pilotName = pilot;
    if (const auto at = position(); at && at != openedAt_) v.window = settings::Place{at->x, at->y};

    // A file bigger than its readers take is not written: the player hears why, once each.
    std::vector<std::string> failed;
    bool tooBig = false;
    auto write = [&](const char* name, const settings::SettingsFile& f,
                     const ui::Label* list = nullptr) {
        const std::string path = store_.path(name);
        const lang::Language l = language();
        const settings::Saving s = settings::save(p_.files, p_.host, path, f.bytes(), l);
        if (s.tooBig.empty()) {
            if (!s.written) failed.push_back(name);
            return;
        }
        tooBig = true;
        lang::tell(p_.dialogs,
                   list ? texts::listTooLong(list->caption(), p_.host.shownPath(path)).in(l)
                        : s.tooBig,
                   Icon::Critical);
    };
    settings::SettingsFile ini(p_.codepage);
    settings::writePlayerSettings(ini, v);
    write(settings::kScourixIni, ini);

    if (closing) mt_->closeWithSearch();
    if (closing)
        for (ui::Window* w : toolWindows(false))
            if (w->isOpen()) w->close();

    auto writeList = [&](const char* name, const ui::ListBox& list, const ui::Label& caption) {
        std::vector<std::string> entries;
        for (int i = 0; i < list.count(); ++i) entries.push_back(list.item(i));
        settings::SettingsFile f(p_.codepage);
        settings::writeList(f, entries);
        write(name, f, &caption);
    };
    writeList(settings::kLogosIni, logo, txt3);
    writeList(settings::kTauntsIni, mysounds, txt2);

    std::vector<std::string> switches;
    std::vector<bool> active;
    flags.clear();
    for (int i = 0; i < keylist.count(); ++i) {
        switches.push_back(keylist.item(i));
        active.push_back(keylist.selected(i));
        flags += keylist.selected(i) ? '1' : '0';
    }
    settings::SettingsFile keys(p_.codepage);
    settings::writeKeysIni(keys, switches, active);
    write(settings::kKeysIni, keys);

    if (!failed.empty()) writeFailed(failed);
    return failed.empty() && !tooBig;
}

Answer MainWindow::ask(const lang::Message& question) {
    return lang::ask(p_.dialogs, language(), question, Buttons::YesNoCancel);
}

bool MainWindow::queryUnload() {
    if (!session_.autoQuit) {
        Answer a = ask(texts::kSaveOnClose);
        if (a == Answer::Cancel) return false;
        if (a == Answer::No) return true;
    }
    if (save(true, true)) return true;
    // Nothing is lost: the window stays open with everything the player set.
    session_.autoQuit = false;
    return false;
}

void MainWindow::unload() {
    mt_->closeWithSearch();
    for (ui::Window* w : toolWindows(true))
        if (w->isOpen()) w->close();
}
} // namespace scourix
