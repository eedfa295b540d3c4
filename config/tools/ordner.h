#pragma once
#include <memory>
#include <string>
#include <vector>

#include "common/language/language.h"
#include "config/tools/tools.h"
#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

class Owner;
class TauntPreview;

// The custom-file browser: a folder picker and a file picker in the same place. The browse
// mode of the session (Session::browseMode) decides what it lists and what "ok" does.
class Ordner : public ui::Window {
  public:
    Ordner(platform::Platform& p, Owner& owner);
    ~Ordner() override;

    void load() override;

    // The browse mode the window was opened with.
    const std::string& mode() const { return mode_; }

  private:
    platform::Platform& p_;
    Owner& owner_;

  public:
    ui::Frame Frame1{*this, "Frame1"};
    ui::DriveList Laufwerk{*this, "Laufwerk", p_.files, &Frame1};
    ui::DirList Verzeichnis{*this, "Verzeichnis", p_.files, &Frame1};
    ui::Frame Frame2{*this, "Frame2"};
    ui::FileList File1{*this, "File1", p_.files, &Frame2, true};
    ui::Button OK{*this, "OK"};
    ui::Button abbruch{*this, "abbruch"};
    ui::Button player{*this, "player"};
    ui::Button umbenen{*this, "umbenen"};
    ui::Timer Playerstart{*this, "Playerstart", 200};
    ui::Timer Zeitaus{*this, "Zeitaus", 3800};
    ui::Timer wiederda{*this, "wiederda", 100};

  private:
    // Steps 5 to 9 of the opening: the face, the file list's folder and the folder list.
    bool setUp();
    // The folder a folder mode chooses.
    Folder folderField() const;
    void File1DblClick();
    void OKClick();
    // Copies each selected file from the listed folder into `target` and adds the names that
    // arrived to the own files of `kind`; tells the player about the others.
    void addCopies(cleaning::Kind kind, const std::string& target);
    std::string customFolder(const std::string& part, const std::string& pattern);
    std::string restoreFolder(const std::string& part);
    // Tells the player which names ("\n" before each) the list held already.
    void alreadyListed(const std::string& names);
    void returnPilot();
    void tell(const std::string& text);
    // The taunt under the cursor, heard through the sound tester.
    void playerClick();
    void ZeitausTick();
    // Renames the taunt under the cursor on disk, after asking for the new name.
    void umbenenClick();
    // Why a new taunt name cannot be used, empty when it can: the text of the refusal in the
    // player's language.
    std::string refusal(const std::string& answer);

    std::string mode_;
    lang::Language language_ = lang::Language::English;
    BrowsePanel panel_;
    std::unique_ptr<TauntPreview> preview_;
};

} // namespace scourix
