#pragma once
// Which edition of the game a game folder holds, and what follows from it: the program to start,
// the folders with the pilots, the custom files and the statistics, and where the settings live.
// This is the one place that tells the editions apart.
#include <string>
#include <vector>

#include "platform/platform.h"

namespace edition {

enum class Edition {
    Retail,     // Main.exe, settings in the registry, everything in the game folder
    OpenSource, // Descent3.exe (1.5 and later), settings in a file in the player's own folder
};

struct Game {
    Edition edition = Edition::Retail;
    std::string folder;  // the game folder
    std::string program; // full path of the program to start
    // The player's own folder (open source; empty for retail or when the system has none).
    std::string userFolder;
    // The settings file (open source; empty for retail, whose settings are in the registry).
    std::string settingsFile;
    // Where the pilots are.
    std::string pilotFolder;
    // The folders that hold "custom\graphics", "custom\sounds" and "netgames": the player's own
    // folder first, where downloads land, then the game folder; the game folder alone for
    // retail and for version 1.5.0.
    std::vector<std::string> dataFolders;

    bool openSource() const { return edition == Edition::OpenSource; }
};

// The game in `gameFolder`: open source when "Descent3.exe" is there, or when the program there
// is one whose version resource names "Descent3.exe" as its original file with version 1.5 or
// later (a renamed one); retail otherwise. Version 1.5.0 kept its pilots, custom files and
// statistics in the game folder, later versions keep them in the player's own folder.
Game describe(platform::Platform& p, const std::string& gameFolder);

// The retail program in `gameFolder`: "Main.exe" when it is there and its version resource does
// not name the open-source game. The open-source program is often copied beside it. Empty when
// there is none.
std::string retailProgram(platform::Platform& p, const std::string& gameFolder);

// The player's own folder of the open-source game below the application data folder.
inline const std::string kUserFolder = "\\Outrage Entertainment\\Descent 3";
inline const std::string kOpenSourceExe = "Descent3.exe";
// The open-source program without the system's ending ("Descent3" on Linux).
inline const std::string kOpenSourceName = "Descent3";
inline const std::string kRetailExe = "Main.exe";

// The parts of a data folder (see Game::dataFolders), each relative to it.
inline const std::string kSounds = "\\custom\\sounds";
inline const std::string kGraphics = "\\custom\\graphics";
inline const std::string kCustom = "\\custom";
inline const std::string kNetgames = "\\netgames";

} // namespace edition
