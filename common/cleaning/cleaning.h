#pragma once
#include <string>
#include <unordered_set>

#include "common/edition/edition.h"
#include "common/settings/layouts.h"
#include "platform/platform.h"
#include "platform/ui/window.h"

namespace cleaning {

// The game folder's layout, each part relative to the game folder.
inline const std::string kSounds = "\\custom\\sounds";
inline const std::string kGraphics = "\\custom\\graphics";
inline const std::string kCustom = "\\custom";
inline const std::string kNetgames = "\\netgames";
inline const std::string kGameExe = "Main.exe";

// Colours of the progress rows: captions blue on white, red while a row works, green when done.
inline constexpr ui::Colour kRed = ui::rgb(255, 0, 0);
inline constexpr ui::Colour kGreen = ui::rgb(0, 192, 0);
inline constexpr ui::Colour kBlue = ui::rgb(0, 0, 255);
inline constexpr ui::Colour kWhite = ui::rgb(255, 255, 255);

// "de" when the Language value is "1", else "en".
std::string languageCode(const std::string& language);
// ASCII letters in lower case.
std::string lowerCase(std::string s);
// The word a counter ends with: "finish" or "Fertig".
std::string finishWord(const std::string& lang);
// A counter lowered by one: its numeric value minus one, with a leading space when not
// negative (" 4", " 0", "-1").
std::string countDown(const std::string& counter);

// The window both the launcher and the clean-now window are built on: the settings of one
// run, the two custom-folder listings with their keep lists, the counters, and the routines
// that back up and remove the foreign taunts and ship logos.
class CleaningWindow : public ui::Window {
  public:
    CleaningWindow(platform::Platform& p, std::string caption, int width, int height);

    // Reads scourix.ini, logos.ini and taunts.ini. On a problem, `problemFile` names the file.
    settings::Problem readSettings(std::string& problemFile);

    // Copies every listed logo (taunt) into the backup folder.
    void graffverschieben();
    void tauntverschieben();
    // Deletes every listed logo (taunt) that is neither "empty" nor on the keep list. While
    // backup is on, a file is deleted only when this run copied it into the backup folder
    // with success and that copy, a file other than the source, has the source's size.
    // Each works on the folder the listing shows.
    void graffkill();
    void tauntkill();

    // Whether a choice line holds "1".
    static bool on(const std::string& v) { return v == "1"; }

  protected:
    platform::Platform& p_;
    settings::Store store_;
    settings::ScourixIni ini_;
    std::string lang_ = "en";
    edition::Game game_; // the game in ini_.gamePath, as listCustomFolders found it

  public:
    ui::Label Label1{*this, "Label1"}, Label2{*this, "Label2"};
    ui::Label txt1{*this, "txt1"}, txt2{*this, "txt2"}, txt3{*this, "txt3"}, txt4{*this, "txt4"};
    ui::Frame Frame1{*this, "Frame1"};
    ui::FileList gafigfiles{*this, "gafigfiles", p_.files, &Frame1};
    ui::FileList tauntfiles{*this, "tauntfiles", p_.files, &Frame1};
    ui::ListBox logo{*this, "logo", &Frame1};
    ui::ListBox mysounds{*this, "mysounds", &Frame1};
    ui::Timer putzstart{*this, "putzstart", 50};

    const settings::ScourixIni& settings() const { return ini_; }
    const std::string& language() const { return lang_; }

  protected:
    // Finds the custom folders of the game's edition and points the two listings at the first
    // of each kind; false when a kind has none.
    bool listCustomFolders();
    // Counters txt1-txt4 before cleaning. With `deleteCountsBackup` (the launcher), a backup
    // also counts as deletion for txt3/txt4, as long as plain deletion is not also set.
    void setCounters(bool deleteCountsBackup);
    // A counter that reads "0" shows the finish word at once.
    void finishIfZero(ui::Label& counter);
    // What one row's step did.
    enum class Step {
        Done,
        NoBackupFolder, // backup wanted, the backup folder empty: nothing done
        BackupIsSource, // backup wanted into the folder being cleaned: nothing done
    };
    // One row: the logo or taunt step.
    Step cleanLogos();
    Step cleanTaunts();

  private:
    // The names a backup copied with success in this run, per kind.
    using Copied = std::unordered_set<std::string>;
    Step clean(const std::string& backupOthers, const std::string& deleteOthers,
               const std::string& backupPath, const std::vector<std::string>& folders,
               ui::FileList& listing, void (CleaningWindow::*copyAll)(),
               void (CleaningWindow::*removeAll)(), const Copied& copied);
    void backup(ui::FileList& listing, const std::string& to, Copied& copied, ui::Label& counter);
    void remove(ui::FileList& listing, const ui::ListBox& keep, const std::string& folder,
                const std::string& backupFolder, const Copied& copied, ui::Label& counter);
    bool backedUp(const std::string& source, const std::string& target);
    void finish(ui::Label& counter);

    Copied copiedLogos_, copiedTaunts_;
    // The custom folders of each kind, and the names a backup of this run has already taken
    // from an earlier folder: a second file of that name stays where it is.
    std::vector<std::string> logoFolders_, tauntFolders_;
    Copied taken_;           // in lower case: Windows names ignore case
    bool lastFolder_ = true; // the counters finish after the last folder of a kind
};

// The folders among `folders` that hold `part`, each as the full path of that part.
std::vector<std::string> foldersHolding(ui::FileList& listing,
                                        const std::vector<std::string>& folders,
                                        const std::string& part);

// Reads a whole list file into a list control.
settings::Problem readListInto(const settings::Store& store, const std::string& fileName,
                               ui::ListBox& list);

} // namespace cleaning
