#include "common/cleaning/cleaning.h"

#include "common/edition/edition.h"
#include "common/settings/keep_copy.h"
#include "platform/lower_case.h"

namespace cleaning {
Choices choices(const settings::Choice& choice) {
    return {choice.backupOthers.on(), choice.deleteOthers.on(), choice.backupPath};
}

Choices logoChoices(const settings::PlayerSettings& s) {
    return choices(s.logos);
}

Choices tauntChoices(const settings::PlayerSettings& s) {
    return choices(s.taunts);
}

std::string countText(long left) {
    std::string text = std::to_string(left);
    if (left >= 0) text.insert(text.begin(), ' ');
    return text;
}

std::string Counters::start(Counter c, int files) {
    left_[int(c)] = files;
    return files ? std::to_string(files) : finish_;
}

std::string Counters::after(Counter c, Event e) {
    int& left = left_[int(c)];
    if (e == Event::Finished) {
        left = 0;
        return finish_;
    }
    return countText(--left);
}

bool findPart(platform::Files& files, const std::vector<std::string>& folders,
              const std::string& part, const std::string& pattern, bool mayBeMissing,
              std::vector<std::string>& found, std::vector<std::string>* firstNames) {
    found.clear();
    for (const auto& f : folders) {
        std::vector<std::string> names;
        if (!files.list(f + part, pattern, names)) {
            if (mayBeMissing && files.missing(f + part)) continue;
            return false;
        }
        if (found.empty() && firstNames) *firstNames = std::move(names);
        found.push_back(f + part);
    }
    return mayBeMissing || !found.empty();
}

bool statsFolders(platform::Files& files, const edition::Game& game,
                  std::vector<std::string>& found) {
    return findPart(files, game.dataFolders, edition::kNetgames, kStatsPattern,
                    game.foldersComeLater(), found);
}

bool Cleaner::Listing::show(platform::Files& files, const std::string& folder) {
    if (path == folder) return true;
    std::vector<std::string> listed;
    if (!files.list(folder, "*", listed)) return false;
    path = folder;
    names = std::move(listed);
    return true;
}

// The first folder of each kind's listing is kept for the cleaning: a folder of many files is
// listed once, not once to be found and again to be cleaned.
bool Cleaner::findFolders(const std::vector<std::string>& dataFolders, bool mayBeMissing) {
    for (Kind kind : {Kind::Logos, Kind::Taunts}) {
        Files& k = of(kind);
        const std::string& part = kind == Kind::Logos ? edition::kGraphics : edition::kSounds;
        k.listing = {};
        if (!findPart(files_, dataFolders, part, "*", mayBeMissing, k.folders, &k.listing.names))
            return false;
        if (!k.folders.empty()) k.listing.path = k.folders.front();
    }
    return true;
}

// The listing ends on the first folder.
int Cleaner::count(Kind kind) {
    Files& k = of(kind);
    if (k.folders.size() <= 1) return int(k.listing.names.size());
    int n = 0;
    for (const auto& f : k.folders) {
        k.listing.path.clear();
        if (k.listing.show(files_, f)) n += int(k.listing.names.size());
    }
    k.listing.path.clear();
    k.listing.show(files_, k.folders.front());
    return n;
}

// A backup folder that is the folder being cleaned, under whatever spelling or link, is
// treated like an empty one: its "copies" would be the sources themselves. Each folder of the
// kind is backed up and cleaned in turn; a folder is listed again only when another was listed
// in between.
Step Cleaner::clean(Kind kind, const Choices& choices, const std::vector<std::string>& keep) {
    Files& k = of(kind);
    const bool logos = kind == Kind::Logos;
    const Counter backupCounter = logos ? Counter::LogoBackup : Counter::TauntBackup;
    const Counter deleteCounter = logos ? Counter::LogoDelete : Counter::TauntDelete;
    const std::unordered_set<std::string> kept(keep.begin(), keep.end());
    const std::string backupFolder = choices.backup ? choices.backupPath : "";
    auto each = [&](auto work) {
        for (std::size_t i = 0; i < k.folders.size(); ++i) {
            lastFolder_ = i + 1 == k.folders.size();
            if (k.listing.show(files_, k.folders[i])) work();
        }
        lastFolder_ = true;
    };
    if (choices.backup) {
        if (choices.backupPath.empty()) return Step::NoBackupFolder;
        auto target = files_.info(choices.backupPath);
        for (const auto& f : k.folders) {
            auto source = files_.info(f);
            if (target && source && target->sameFileAs(*source)) return Step::BackupIsSource;
        }
        taken_.clear();
        each([&] {
            backup(k, choices.backupPath, backupCounter);
            remove(k, kept, backupFolder, deleteCounter);
            for (const auto& name : k.copied) taken_.insert(text::lowerCase(name));
        });
        taken_.clear();
    }
    if (choices.remove) each([&] { remove(k, kept, backupFolder, deleteCounter); });
    return Step::Done;
}

// A name an earlier folder of this run put into the backup folder is not copied over: that file
// stays, and so does the backup.
void Cleaner::backup(Files& k, const std::string& to, Counter counter) {
    const std::string& from = k.listing.path;
    k.copied.clear();
    k.copied.reserve(k.listing.names.size());
    // A new name is copied to at once; an older copy is replaced by way of a temporary file, so
    // that a copy breaking off does not spoil it. Each new name costs Wine a look through the
    // whole folder, so the temporary file is used only where it is needed. A folder that cannot
    // be listed counts as holding every name.
    std::vector<std::string> names;
    const bool listed = files_.list(to, "*", names);
    std::unordered_set<std::string> older;
    for (const auto& n : names) older.insert(text::lowerCase(n));
    for (const std::string& name : k.listing.names) {
        const std::string source = from + "\\" + name, target = to + "\\" + name;
        const std::string lower = text::lowerCase(name);
        if (!taken_.count(lower) &&
            (!listed || older.count(lower) ? settings::copyOver(files_, source, target)
                                           : files_.copy(source, target)))
            k.copied.insert(name);
        if (report_) report_(counter, Event::FileDone);
    }
    finish(counter);
}

// The copy is checked right before the source goes: it must be another file than the source
// (not the source under a second name) and have its size, so that a full disk, a backup
// folder that vanished meanwhile or a copy over the source itself keep the source.
bool Cleaner::backedUp(const std::string& source, const std::string& target) {
    auto from = files_.info(source);
    if (!from) return false;
    auto to = files_.info(target);
    return to && to->size == from->size && !to->sameFileAs(*from);
}

void Cleaner::remove(Files& k, const std::unordered_set<std::string>& kept,
                     const std::string& backupFolder, Counter counter) {
    const std::string& folder = k.listing.path;
    for (const std::string& name : k.listing.names) {
        if (name != "empty" && !kept.count(name)) {
            const std::string source = folder + "\\" + name;
            if (backupFolder.empty() ||
                (k.copied.count(name) && backedUp(source, backupFolder + "\\" + name)))
                files_.remove(source);
        }
        if (report_) report_(counter, Event::FileDone);
    }
    finish(counter);
}

void Cleaner::finish(Counter counter) {
    if (lastFolder_ && report_) report_(counter, Event::Finished);
}

std::string rowCaption(Row row, lang::Language l) {
    switch (row) {
    case Row::Logos:
        return lang::tr(l, " work on shiplogos :");
    case Row::Taunts:
        return lang::tr(l, " work on taunts :");
    case Row::Stats:
        break;
    }
    return lang::tr(l, " work on stats-files :");
}

std::string finishWord(lang::Language l) {
    // TRANSLATORS: Shown in the counters once cleaning ended; the box holds about six letters.
    return lang::tr(l, "finish");
}

std::string pathNotFound(lang::Language l) {
    return lang::tr(l, "Error ! Path not found");
}

Plan::Plan(platform::Files& files, const settings::Setup& setup, Report report)
    : files_(files), setup_(setup), report_(report), cleaner_(files, std::move(report)) {}

bool Plan::findFolders(const edition::Game& game, bool stats) {
    statsFolders_.clear();
    if (!cleaner_.findFolders(game.dataFolders, game.foldersComeLater())) return false;
    return !stats || statsFolders(files_, game, statsFolders_);
}

std::vector<int> Plan::counts(DeleteCount rule) {
    const settings::PlayerSettings& s = setup_.ini;
    auto count = [&](bool counted, Kind kind) { return counted ? cleaner_.count(kind) : 0; };
    auto deletes = [&](const settings::Choice& c) {
        return rule == DeleteCount::WithBackup ? c.countsDeletion() : c.deleteOthers.on();
    };
    return {count(s.logos.backupOthers.on(), Kind::Logos),
            count(s.taunts.backupOthers.on(), Kind::Taunts), count(deletes(s.logos), Kind::Logos),
            count(deletes(s.taunts), Kind::Taunts),
            s.deleteStats ? countStats(files_, statsFolders_) : 0};
}

void Plan::run(bool stats, const ShowRow& show) {
    const settings::PlayerSettings& s = setup_.ini;
    show(Row::Logos, s.logos.skip(),
         [&] { return cleaner_.clean(Kind::Logos, choices(s.logos), setup_.logos); });
    show(Row::Taunts, s.taunts.skip(),
         [&] { return cleaner_.clean(Kind::Taunts, choices(s.taunts), setup_.taunts); });
    if (!stats) return;
    show(Row::Stats, false, [&] {
        if (s.deleteStats) removeStats(files_, statsFolders_, report_);
        return Step::Done;
    });
}

int countStats(platform::Files& files, const std::vector<std::string>& folders) {
    int n = 0;
    for (const auto& f : folders) {
        std::vector<std::string> names;
        if (files.list(f, kStatsPattern, names)) n += int(names.size());
    }
    return n;
}

// Every folder where the game keeps statistics: the player's own first, then the game's.
StatsRemoved removeStats(platform::Files& files, const std::vector<std::string>& folders,
                         const Report& report) {
    StatsRemoved done;
    for (const auto& folder : folders) {
        std::vector<std::string> names;
        if (!files.list(folder, kStatsPattern, names)) continue;
        for (const auto& name : names) {
            ++(files.remove(folder + "\\" + name) ? done.deleted : done.left);
            if (report) report(Counter::Stats, Event::FileDone);
        }
    }
    if (report) report(Counter::Stats, Event::Finished);
    return done;
}

} // namespace cleaning
