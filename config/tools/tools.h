#pragma once
// What Scourix's tool windows share: their language and their addresses on the web.
#include <string>

#include "platform/dialogs.h"
#include "platform/files.h"

namespace scourix {

class MainWindow;

// The language of a tool window: German when the main window's file menu reads "&Datei".
bool toolsGerman(const MainWindow& main);

// Tells the player that `path` could not be written and keeps its previous content.
void tellWriteFailed(platform::Dialogs& dialogs, bool german, const std::string& path);

// Writes a settings file of a tool window and tells the player what went wrong. `keepFirst` is
// set while the file, which the window could not read, may be the player's own and has no copy
// yet: it is copied before it is replaced, and without a copy it is not replaced.
bool writeSettings(platform::Files& files, platform::Dialogs& dialogs, bool german,
                   const std::string& path, const std::string& bytes, bool& keepFirst);

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
} // namespace web

} // namespace scourix
