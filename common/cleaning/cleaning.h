#pragma once
// The cleaning of the game's custom folders that the launcher and the clean-now window share:
// backing up and removing the foreign ship logos and taunts, and removing the statistics. Plain
// routines over the file system; a window follows their progress through a callback.
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/edition/edition.h"
#include "common/language/language.h"
#include "common/settings/layouts.h"
#include "common/settings/model.h"
#include "platform/files.h"

namespace cleaning {

// The two kinds of downloaded custom files.
enum class Kind { Logos, Taunts };

// The counters a window shows: one file done at a time, and finished after the last folder.
enum class Counter { LogoBackup, TauntBackup, LogoDelete, TauntDelete, Stats };
enum class Event { FileDone, Finished };
using Report = std::function<void(Counter, Event)>;

// What to do with one kind, as scourix.ini says.
struct Choices {
    bool backup = false;
    bool remove = false;
    std::string backupPath;
};
Choices choices(const settings::Choice& choice);
Choices logoChoices(const settings::PlayerSettings& s);
Choices tauntChoices(const settings::PlayerSettings& s);

// What one kind's cleaning did.
enum class Step {
    Done,
    NoBackupFolder, // backup wanted, the backup folder empty: nothing done
    BackupIsSource, // backup wanted into the folder being cleaned: nothing done
};

// The folders among `folders` that hold `part`, each as the full path of that part, in `found`,
// the names the first one lists in `firstNames`. False when one of them cannot be listed, unless
// `mayBeMissing` and the file system says for certain that nothing is there; false also when
// none is found and a missing one is not allowed.
bool findPart(platform::Files& files, const std::vector<std::string>& folders,
              const std::string& part, const std::string& pattern, bool mayBeMissing,
              std::vector<std::string>& found, std::vector<std::string>* firstNames = nullptr);
// The statistics folders of a game; false as findPart says.
bool statsFolders(platform::Files& files, const edition::Game& game,
                  std::vector<std::string>& found);

// A counter's text after files were done: " 4", " 0", "-1".
std::string countText(long left);

// The counters' texts as the windows show them: the number of files before cleaning (the
// finish word for none), one less for each file done, the finish word when finished; a counter
// that reads the finish word counts on from zero.
class Counters {
  public:
    explicit Counters(std::string finishWord) : finish_(std::move(finishWord)) {}
    std::string start(Counter c, int files);
    std::string after(Counter c, Event e);

  private:
    int left_[5] = {};
    std::string finish_;
};

// The ship logos and taunts of one game, each kind in every data folder that holds it.
class Cleaner {
  public:
    Cleaner(platform::Files& files, Report report) : files_(files), report_(std::move(report)) {}

    // Finds the custom folders of each kind among the game's data folders; false as findPart
    // says.
    bool findFolders(const std::vector<std::string>& dataFolders, bool mayBeMissing);
    // The files of a kind in all its folders.
    int count(Kind kind);
    // Backs up and removes the files of a kind that are neither "empty" nor on `keep`. While
    // backup is on, a file is deleted only when this run copied it into the backup folder with
    // success and that copy, a file other than the source, has the source's size.
    Step clean(Kind kind, const Choices& choices, const std::vector<std::string>& keep);

  private:
    // One folder's file names as last listed.
    struct Listing {
        std::string path;
        std::vector<std::string> names;
        bool show(platform::Files& files, const std::string& folder);
    };
    struct Files {
        std::vector<std::string> folders;
        Listing listing;
        std::unordered_set<std::string> copied; // names the last backup copied with success
    };
    Files& of(Kind kind) { return kind == Kind::Logos ? logos_ : taunts_; }
    void backup(Files& kind, const std::string& to, Counter counter);
    void remove(Files& kind, const std::unordered_set<std::string>& kept,
                const std::string& backupFolder, Counter counter);
    bool backedUp(const std::string& source, const std::string& target);
    void finish(Counter counter);

    platform::Files& files_;
    Report report_;
    Files logos_, taunts_;
    // The names a backup of this run has already taken from an earlier folder, in lower case
    // (Windows names ignore case): a second file of that name stays where it is.
    std::unordered_set<std::string> taken_;
    bool lastFolder_ = true; // the counters finish after the last folder of a kind
};

// The rows of a clean run, in their order.
enum class Row { Logos, Taunts, Stats };

// What the cleaning windows show of a run, in the player's language: the rows' captions, the
// finish word and the error of a missing custom folder; and the rows' colours as the window
// model takes them (0x00BBGGRR): captions blue on white, red while a row works, green when it
// is done.
std::string rowCaption(Row row, lang::Language l);
std::string finishWord(lang::Language l);
std::string pathNotFound(lang::Language l);
namespace colour {
inline constexpr std::uint32_t kRed = 0x0000FF, kGreen = 0x00C000, kBlue = 0xFF0000,
                               kWhite = 0xFFFFFF;
} // namespace colour

// One clean run as the player's settings ask for it, for the launcher and the clean-now window
// alike: which folders, the counters' first numbers, and the rows in their order.
class Plan {
  public:
    // How the delete counters count before the run: the launcher counts a backup as a deletion
    // too (unless plain deletion is set as well); the clean-now window counts plain deletion.
    enum class DeleteCount { WithBackup, PlainOnly };
    // A row as the window shows it: `skipped` when the settings leave it alone; `work` runs its
    // routines and says what they did.
    using ShowRow = std::function<void(Row, bool skipped, const std::function<Step()>& work)>;

    Plan(platform::Files& files, const settings::Setup& setup, Report report);

    // Finds the custom folders of both kinds among the game's data folders and, with `stats`,
    // the statistics folders; false when one cannot be listed, or is missing where the game
    // always has it (Game::foldersComeLater).
    bool findFolders(const edition::Game& game, bool stats);
    // The counters' first numbers, in the order of Counter; statistics only when found and set.
    std::vector<int> counts(DeleteCount rule);
    // Runs the rows in order: logos, taunts, and with `stats` the statistics row, which is never
    // skipped and removes the statistics files when the settings say so.
    void run(bool stats, const ShowRow& show);

  private:
    platform::Files& files_;
    const settings::Setup& setup_;
    Report report_;
    Cleaner cleaner_;
    std::vector<std::string> statsFolders_;
};

// The statistics files (*.stats) of the game: removed from every folder that holds them.
inline const std::string kStatsPattern = "*.stats";
struct StatsRemoved {
    int deleted = 0, left = 0;
};
// The files in `folders` (as statsFolders found them).
int countStats(platform::Files& files, const std::vector<std::string>& folders);
// Removes them, one Stats event per file and Finished at the end.
StatsRemoved removeStats(platform::Files& files, const std::vector<std::string>& folders,
                         const Report& report = nullptr);

} // namespace cleaning
