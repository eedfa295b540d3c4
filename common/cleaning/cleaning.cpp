#include "common/cleaning/cleaning.h"

namespace cleaning {

std::string languageCode(const std::string& language) { return language == "1" ? "de" : "en"; }

std::string finishWord(const std::string& lang) { return lang == "de" ? "Fertig" : "finish"; }

std::string countDown(const std::string& counter) {
    long n = settings::numericValue(counter) - 1;
    std::string text = std::to_string(n);
    if (n >= 0) text.insert(text.begin(), ' ');
    return text;
}

settings::Problem readListInto(const settings::Store& store, const std::string& fileName,
                               ui::ListBox& list) {
    settings::SettingsFile f(store.codepage);
    settings::Problem problem = settings::openFile(store, fileName, f);
    if (problem != settings::Problem::None) return problem;
    std::vector<std::string> entries;
    settings::readList(f, entries);
    for (const auto& e : entries) list.addItem(e);
    return settings::Problem::None;
}

CleaningWindow::CleaningWindow(platform::Platform& p, std::string caption, int width, int height)
    : ui::Window(std::move(caption), width, height), p_(p),
      store_{p.files, p.codepage, p.app.programFolder()} {
    Frame1.setVisible(false);
    Frame1.stateOnly = true;
}

settings::Problem CleaningWindow::readSettings(std::string& problemFile) {
    settings::SettingsFile f(p_.codepage);
    problemFile = settings::kScourixIni;
    settings::Problem problem = settings::openFile(store_, problemFile, f);
    if (problem == settings::Problem::None) problem = settings::readScourixIni(f, ini_);
    if (problem != settings::Problem::None) return problem;
    lang_ = languageCode(ini_.language);
    problemFile = settings::kLogosIni;
    if ((problem = readListInto(store_, problemFile, logo)) != settings::Problem::None)
        return problem;
    problemFile = settings::kTauntsIni;
    return readListInto(store_, problemFile, mysounds);
}

bool CleaningWindow::listCustomFolders() {
    return gafigfiles.setPath(ini_.gamePath + kGraphics) &&
           tauntfiles.setPath(ini_.gamePath + kSounds);
}

void CleaningWindow::setCounters(bool deleteCountsBackup) {
    for (ui::Label* t : {&txt1, &txt2, &txt3, &txt4}) t->setCaption("0");
    auto count = [](const ui::FileList& l) { return std::to_string(l.count()); };
    auto deletes = [&](const std::string& del, const std::string& bak) {
        if (!deleteCountsBackup) return on(del);
        return (on(del) && bak == "0") || (del == "0" && on(bak));
    };
    txt1.setCaption(on(ini_.logoBackupOthers) ? count(gafigfiles) : "0");
    txt2.setCaption(on(ini_.tauntBackupOthers) ? count(tauntfiles) : "0");
    txt3.setCaption(deletes(ini_.logoDeleteOthers, ini_.logoBackupOthers) ? count(gafigfiles)
                                                                          : "0");
    txt4.setCaption(deletes(ini_.tauntDeleteOthers, ini_.tauntBackupOthers) ? count(tauntfiles)
                                                                            : "0");
}

void CleaningWindow::finishIfZero(ui::Label& counter) {
    if (counter.caption() == "0") counter.setCaption(finishWord(lang_));
}

bool CleaningWindow::cleanLogos() {
    if (on(ini_.logoBackupOthers) && ini_.logoBackupPath.empty()) return false;
    if (on(ini_.logoBackupOthers)) {
        graffverschieben();
        graffkill();
    }
    if (on(ini_.logoDeleteOthers)) graffkill();
    return true;
}

bool CleaningWindow::cleanTaunts() {
    if (on(ini_.tauntBackupOthers) && ini_.tauntBackupPath.empty()) return false;
    if (on(ini_.tauntBackupOthers)) {
        tauntverschieben();
        tauntkill();
    }
    if (on(ini_.tauntDeleteOthers)) tauntkill();
    return true;
}

void CleaningWindow::graffverschieben() {
    backup(gafigfiles, ini_.gamePath + kGraphics, ini_.logoBackupPath, txt1);
}

void CleaningWindow::tauntverschieben() {
    backup(tauntfiles, ini_.gamePath + kSounds, ini_.tauntBackupPath, txt2);
}

void CleaningWindow::graffkill() {
    remove(gafigfiles, logo, ini_.gamePath + kGraphics,
           on(ini_.logoBackupOthers) ? ini_.logoBackupPath : "", txt3);
}

void CleaningWindow::tauntkill() {
    remove(tauntfiles, mysounds, ini_.gamePath + kSounds,
           on(ini_.tauntBackupOthers) ? ini_.tauntBackupPath : "", txt4);
}

void CleaningWindow::backup(ui::FileList& listing, const std::string& from, const std::string& to,
                            ui::Label& counter) {
    for (int i = 0; i < listing.count(); ++i) {
        p_.files.copy(from + "\\" + listing.item(i), to + "\\" + listing.item(i));
        counter.setCaption(countDown(counter.caption()));
        counter.repaint();
    }
    finish(counter);
}

// A copy counts only when it is there with the source's size, checked right before the source
// goes: a failed copy, a full disk or a backup folder that vanished meanwhile keep the source.
bool CleaningWindow::backedUp(const std::string& source, const std::string& target) {
    auto size = p_.files.fileSize(source);
    return size && p_.files.fileSize(target) == size;
}

void CleaningWindow::remove(ui::FileList& listing, const ui::ListBox& keep,
                            const std::string& folder, const std::string& backupFolder,
                            ui::Label& counter) {
    std::unordered_set<std::string> kept;
    kept.reserve(keep.count());
    for (int i = 0; i < keep.count(); ++i) kept.insert(keep.item(i));
    for (int i = 0; i < listing.count(); ++i) {
        const std::string& name = listing.item(i);
        if (name != "empty" && !kept.count(name)) {
            const std::string source = folder + "\\" + name;
            if (backupFolder.empty() || backedUp(source, backupFolder + "\\" + name))
                p_.files.remove(source);
        }
        counter.setCaption(countDown(counter.caption()));
        counter.repaint();
    }
    finish(counter);
}

void CleaningWindow::finish(ui::Label& counter) {
    counter.setCaption(finishWord(lang_));
    counter.repaint();
}

} // namespace cleaning
