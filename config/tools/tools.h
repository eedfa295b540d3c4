#pragma once
// What Scourix's tool windows share: the browsing panel, the settings writer and their
// addresses on the web.
#include <string>
#include <vector>

#include "common/cleaning/cleaning.h"
#include "common/edition/edition.h"
#include "common/language/language.h"
#include "common/settings/model.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/ui/window.h"

namespace scourix {

// What Scourix's windows hand each other besides the settings.
struct Session {
    // What the custom-file browser lists and what its "ok" does: "d3", "sound", "grafic",
    // "logos", "logos2", "player", "sounds" or "sounds2".
    std::string browseMode;
    // Whether the info window shows the sound tester's hint (opened from "MusicTester").
    bool testerHint = false;
    // A quit that saves without asking: Scourix hands over to Gatefire.
    bool autoQuit = false;
};

// A folder field of the main window that the custom-file browser fills.
enum class Folder { Game, LogoBackup, TauntBackup };

// What the tool windows need of the window that owns them, and nothing more.
class Owner {
  public:
    virtual ~Owner() = default;
    // The window the tool windows belong to.
    virtual ui::Window& window() = 0;
    virtual lang::Language language() const = 0;
    virtual const settings::Store& store() const = 0;
    // The game in the game folder field.
    virtual edition::Game game() = 0;
    // The player's settings as Scourix holds them; the sound tester's path and whether it is
    // closed by itself are read and set here.
    virtual settings::PlayerSettings& settings() = 0;
    virtual Session& session() = 0;
    // The text of a folder field; setting it works as typing it does.
    virtual std::string folder(Folder field) const = 0;
    virtual void setFolder(Folder field, const std::string& path) = 0;
    // Adds a name to the own ship logos or taunts; false for a name the list holds already.
    // Adds a pilot to the pilot list.
    virtual bool addOwn(cleaning::Kind kind, const std::string& name) = 0;
    virtual void addPilot(const std::string& name) = 0;
    // The sound tester's path or flag in settings() changed.
    virtual void testerChanged() = 0;
    // Saves the settings files; false when one could not be written (the player was told).
    virtual bool sichern() = 0;
    // Ends Scourix shortly, saving without asking.
    virtual void endSoon() = 0;
};

// A row of a window's caption table: a control and its text, English in the sources, shown in
// the player's language; a lang::Message where the text has a context or values.
struct Caption {
    Caption(ui::Control& c, const char* english) : control(c), text(lang::text(english)) {}
    Caption(ui::Control& c, lang::Message m) : control(c), text(std::move(m)) {}
    ui::Control& control;
    lang::Message text;
};

// Gives every control of the table its caption in the language.
void setCaptions(lang::Language l, const std::vector<Caption>& table);

// Whether `path` ("C:\Games") lies on `drive` ("c:"), letters compared without case.
bool sameDrive(const std::string& path, const std::string& drive);

// The drive, folder and optional file list of a browsing window, wired together: choosing a
// drive opens, in the folder list, the current folder when it lies on that drive, else the
// drive's root; a drive that cannot be read is told and the drive list goes back to the
// folder's drive. The file list, when given, follows the open folder.
class BrowsePanel {
  public:
    BrowsePanel(platform::Files& files, platform::Dialogs& dialogs, const lang::Language& language,
                ui::DriveList& drives, ui::DirList& folders, ui::FileList* fileList = nullptr);
    // Chooses the drive of `path` without moving the folder list; false when there is none.
    bool setDrive(const std::string& path);
    // The folder the chosen drive opens: the current folder when it lies on that drive, else
    // the drive's root.
    std::string driveFolder() const;

  private:
    void driveChange();

    platform::Files& files_;
    platform::Dialogs& dialogs_;
    const lang::Language& language_;
    ui::DriveList& drives_;
    ui::DirList& folders_;
    // Set while the panel itself chooses a drive.
    bool quiet_ = false;
};

// Tells the player that `path` could not be written and keeps its previous content.
void tellWriteFailed(platform::Platform& p, lang::Language l, const std::string& path);

// Writes a settings file of a tool window and tells the player what went wrong. `keepFirst` is
// set while the file, which the window could not read, may be the player's own and has no copy
// yet: it is copied before it is replaced, and without a copy it is not replaced.
bool writeSettings(platform::Platform& p, lang::Language l, const std::string& path,
                   const std::string& bytes, bool& keepFirst);

namespace web {
// The game maker, and the page with its level editor, which holds MusicTester.
inline const char* const kMaker = "www.outrage.com";
inline const char* const kEditorDownload =
    "https://web.archive.org/web/2002/http://www.outrage.com/";
// The two server trackers of the direct-join window: the name on the button and the page.
inline const char* const kPxoTrackerName = "pxo.nottheeye.com";
inline const char* const kPxoTracker = "https://pxo.nottheeye.com/";
inline const char* const kTcpTrackerName = "descentbb.net";
inline const char* const kTcpTracker = "https://www.descentbb.net/";
// The example under the direct-join address: a documentation address and the game's port.
inline const char* const kExampleAddress = "203.0.113.7:2092";

// Opens a web page in the system's browser; where nothing can open it, the player is told so
// and given the address.
void open(platform::Shell& shell, platform::Dialogs& dialogs, lang::Language l,
          const std::string& address, platform::ShowMode show = platform::ShowMode::Normal);
} // namespace web

} // namespace scourix
