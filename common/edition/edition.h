#pragma once
// Which edition of the game a game folder holds, and what follows from it: the program to start,
// the folders with the pilots, the custom files and the statistics, and where the settings live.
// This is the one place that tells the editions apart.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/language/language.h"
#include "platform/platform.h"

namespace edition {

enum class Edition {
    Retail,     // Main.exe, settings in the registry, everything in the game folder
    OpenSource, // Descent3.exe (1.5 and later), settings in a file in the player's own folder
};

// The open-source game's settings file in the player's own folder.
inline const char* const kRegistryFile = ".Descent3Registry";

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
    // Whether the folder holds a program of the game at all; without one it holds at most the
    // game's data, and `program` names the retail program it lacks.
    bool hasProgram = false;

    bool openSource() const { return edition == Edition::OpenSource; }
    // Whether a data folder, or a custom or statistics folder in it, may not be there yet: the
    // open-source game makes the player's folder and its custom folders only at its first start
    // and never makes "netgames", so such a folder holds nothing to clean. The retail installer
    // makes all three in the game folder: there a missing one means a wrong game folder.
    bool foldersComeLater() const { return openSource(); }
};

// The game in `gameFolder`: open source when "Descent3.exe" is there, or when the program there
// is one whose version resource names "Descent3.exe" as its original file with version 1.5 or
// later (a renamed one); retail otherwise. Version 1.5.0 kept its pilots, custom files and
// statistics in the game folder, later versions keep them in the player's own folder.
Game describe(platform::Platform& p, const std::string& gameFolder);

// Whether a pilot file of this name is one the game can open: the game lists only names ending
// in ".plt" in lower case and opens "NAME.plt" by that exact path, which on a file system that
// tells case apart misses "Red.PLT".
bool gameOpensPilot(platform::Files& files, const std::string& fileName);

// That the folder holds no program of the game, in the given language.
std::string noProgram(lang::Language l, const std::string& gameFolder);

// Whether the open-source program's bytes are those of version 1.5.0 or a build before the
// player's own folder was used (2025-03-25): those still look up the switch "-useexedir".
bool keepsFilesInGameFolder(const std::string& programBytes);

// A program without a version resource (Linux) is read up to this size to tell its version.
inline constexpr std::uint64_t kProgramReadLimit = 64ull << 20;

// The process id in the lock file the open-source game keeps while it runs ("LOCK" and the id,
// four bytes, lowest first); none when the bytes are no such file.
std::optional<std::int32_t> lockHolder(const std::string& lockBytes);

// The open-source game's lock file below the system's temporary folder.
inline const std::string kLockFile = "\\Descent3\\cache\\.lock";

// A running copy of the game that uses the settings the launcher would write: the program in
// the folder, or, for the open-source game, any copy of it whose lock file names a process that
// runs (the game itself starts no second copy then) the game's program: one of the same file
// name, one whose version resource names the open-source game, or one the system does not tell.
// A lock naming a process of another program was left behind. A text naming it, its path as the
// player reads it, empty when none runs.
std::string runningGame(platform::Platform& p, const Game& game);

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
