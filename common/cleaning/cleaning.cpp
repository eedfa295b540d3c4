#include "common/cleaning/cleaning.h"

#include "common/settings/keep_copy.h"

namespace cleaning {

std::string languageCode(const std::string& language) {
    return language == "1" ? "de" : "en";
}

std::string finishWord(const std::string& lang) {
    return lang == "de" ? "Fertig" : "finish";
}

std::string lowerCase(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

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
    : ui::Window(std::move(caption), width, height),
      p_(p), store_{p.files, p.codepage, p.app.programFolder()} {
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

std::vector<std::string> foldersHolding(ui::FileList& listing,
                                        const std::vector<std::string>& folders,
                                        const std::string& part) {
    std::vector<std::string> found;
    for (const auto& f : folders)
        if (listing.setPath(f + part)) found.push_back(f + part);
    if (!found.empty()) listing.setPath(found.front());
    return found;
}

bool CleaningWindow::listCustomFolders() {
    game_ = edition::describe(p_, ini_.gamePath);
    logoFolders_ = foldersHolding(gafigfiles, game_.dataFolders, kGraphics);
    if (logoFolders_.empty()) return false;
    tauntFolders_ = foldersHolding(tauntfiles, game_.dataFolders, kSounds);
    return !tauntFolders_.empty();
}

// The files in all folders of a kind; the listing ends on the first folder.
static std::string countAll(ui::FileList& l, const std::vector<std::string>& folders) {
    if (folders.size() <= 1) return std::to_string(l.count());
    int n = 0;
    for (const auto& f : folders)
        if (l.setPath(f)) n += l.count();
    l.setPath(folders.front());
    return std::to_string(n);
}

void CleaningWindow::setCounters(bool deleteCountsBackup) {
    for (ui::Label* t : {&txt1, &txt2, &txt3, &txt4}) t->setCaption("0");
    auto count = [this](ui::FileList& l) {
        return countAll(l, &l == &gafigfiles ? logoFolders_ : tauntFolders_);
    };
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

CleaningWindow::Step CleaningWindow::cleanLogos() {
    return clean(ini_.logoBackupOthers, ini_.logoDeleteOthers, ini_.logoBackupPath, logoFolders_,
                 gafigfiles, &CleaningWindow::graffverschieben, &CleaningWindow::graffkill,
                 copiedLogos_);
}

CleaningWindow::Step CleaningWindow::cleanTaunts() {
    return clean(ini_.tauntBackupOthers, ini_.tauntDeleteOthers, ini_.tauntBackupPath,
                 tauntFolders_, tauntfiles, &CleaningWindow::tauntverschieben,
                 &CleaningWindow::tauntkill, copiedTaunts_);
}

// A backup folder that is the folder being cleaned, under whatever spelling or link, is
// treated like an empty one: its "copies" would be the sources themselves. Each folder of the
// kind is backed up and cleaned in turn.
CleaningWindow::Step
CleaningWindow::clean(const std::string& backupOthers, const std::string& deleteOthers,
                      const std::string& backupPath, const std::vector<std::string>& folders,
                      ui::FileList& listing, void (CleaningWindow::*copyAll)(),
                      void (CleaningWindow::*removeAll)(), const Copied& copied) {
    auto each = [&](auto work) {
        for (std::size_t i = 0; i < folders.size(); ++i) {
            lastFolder_ = i + 1 == folders.size();
            if (listing.path() == folders[i] || listing.setPath(folders[i])) work();
        }
        lastFolder_ = true;
    };
    if (on(backupOthers)) {
        if (backupPath.empty()) return Step::NoBackupFolder;
        auto target = p_.files.info(backupPath);
        for (const auto& f : folders) {
            auto source = p_.files.info(f);
            if (target && source && target->sameFileAs(*source)) return Step::BackupIsSource;
        }
        taken_.clear();
        each([&] {
            (this->*copyAll)();
            (this->*removeAll)();
            for (const auto& name : copied) taken_.insert(lowerCase(name));
        });
        taken_.clear();
    }
    if (on(deleteOthers)) each([&] { (this->*removeAll)(); });
    return Step::Done;
}

void CleaningWindow::graffverschieben() {
    backup(gafigfiles, ini_.logoBackupPath, copiedLogos_, txt1);
}

void CleaningWindow::tauntverschieben() {
    backup(tauntfiles, ini_.tauntBackupPath, copiedTaunts_, txt2);
}

void CleaningWindow::graffkill() {
    remove(gafigfiles, logo, gafigfiles.path(),
           on(ini_.logoBackupOthers) ? ini_.logoBackupPath : "", copiedLogos_, txt3);
}

void CleaningWindow::tauntkill() {
    remove(tauntfiles, mysounds, tauntfiles.path(),
           on(ini_.tauntBackupOthers) ? ini_.tauntBackupPath : "", copiedTaunts_, txt4);
}

// A name an earlier folder of this run put into the backup folder is not copied over: that file
// stays, and so does the backup.
void CleaningWindow::backup(ui::FileList& listing, const std::string& to, Copied& copied,
                            ui::Label& counter) {
    const std::string& from = listing.path();
    copied.clear();
    copied.reserve(listing.count());
    // A new name is copied to at once; an older copy is replaced by way of a temporary file, so
    // that a copy breaking off does not spoil it. Each new name costs Wine a look through the
    // whole folder, so the temporary file is used only where it is needed. A folder that cannot
    // be listed counts as holding every name.
    std::vector<std::string> names;
    const bool listed = p_.files.list(to, "*", names);
    std::unordered_set<std::string> older;
    for (const auto& n : names) older.insert(lowerCase(n));
    for (int i = 0; i < listing.count(); ++i) {
        const std::string& name = listing.item(i);
        const std::string source = from + "\\" + name, target = to + "\\" + name;
        if (!taken_.count(lowerCase(name)) &&
            (!listed || older.count(lowerCase(name)) ? settings::copyOver(p_.files, source, target)
                                                     : p_.files.copy(source, target)))
            copied.insert(name);
        counter.setCaption(countDown(counter.caption()));
        counter.repaint();
    }
    finish(counter);
}

// The copy is checked right before the source goes: it must be another file than the source
// (not the source under a second name) and have its size, so that a full disk, a backup
// folder that vanished meanwhile or a copy over the source itself keep the source.
bool CleaningWindow::backedUp(const std::string& source, const std::string& target) {
    auto from = p_.files.info(source);
    if (!from) return false;
    auto to = p_.files.info(target);
    return to && to->size == from->size && !to->sameFileAs(*from);
}

void CleaningWindow::remove(ui::FileList& listing, const ui::ListBox& keep,
                            const std::string& folder, const std::string& backupFolder,
                            const Copied& copied, ui::Label& counter) {
    std::unordered_set<std::string> kept;
    kept.reserve(keep.count());
    for (int i = 0; i < keep.count(); ++i) kept.insert(keep.item(i));
    for (int i = 0; i < listing.count(); ++i) {
        const std::string& name = listing.item(i);
        if (name != "empty" && !kept.count(name)) {
            const std::string source = folder + "\\" + name;
            if (backupFolder.empty() ||
                (copied.count(name) && backedUp(source, backupFolder + "\\" + name)))
                p_.files.remove(source);
        }
        counter.setCaption(countDown(counter.caption()));
        counter.repaint();
    }
    finish(counter);
}

void CleaningWindow::finish(ui::Label& counter) {
    if (!lastFolder_) return;
    counter.setCaption(finishWord(lang_));
    counter.repaint();
}

} // namespace cleaning
