#pragma once
// Where the stores put the game: the folders Steam and GOG know of that hold the game's program.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace discovery {

// Descent 3's app id on Steam.
inline const std::string kSteamAppId = "273590";

// Steam's .vdf and .acf files are a few kilobytes; a larger one is skipped.
inline constexpr std::uint64_t kMaxFileBytes = 1 << 20;
// At most this many Steam libraries are looked at.
inline constexpr std::size_t kMaxLibraries = 64;

// The library folders a libraryfolders.vdf lists, in its order, at most kMaxLibraries: each
// entry's "path", or, in the older layout, the entry's value itself; an empty one names none.
std::vector<std::string> steamLibraries(const std::string& vdf);

// The install folders of Descent 3 in the list of GOG installs Heroic keeps
// (gog_store/installed.json: {"installed": [{"appName": ..., "install_path": ...}, ...]}): every
// object with an "install_path" whose "title", or else the last name of the path, starts with
// "Descent 3", at most kMaxLibraries. Reading stops at the first thing that is no JSON and
// keeps what it has found.
std::vector<std::string> heroicGames(const std::string& json);

// The game folders found: every Steam library's install of the game (libraries listed in
// "steamapps" and in "config") and every GOG install of a game whose name starts with
// "Descent 3" (on Linux: Steam's folders below the home folder and the GOG installs Heroic
// lists), each only when it holds a program of the game for this system, spelled as the file system
// spells it, none twice (the same folder on the disk, or paths the file system takes for the
// same), the open-source game's first. A failure on the way ends the search with what it found.
std::vector<std::string> gameFolders(platform::Platform& p);

// The game's main data file, which every edition opens from its data folders; the game matches
// the last part of a path without case, so any case of the name counts.
inline const std::string kMainData = "d3.hog";
// Whether `folder` holds the game's data; false also when the folder cannot be listed.
bool holdsGameData(platform::Files& files, const std::string& folder);
// The stores' install folders of the game that hold its data, whatever program they hold (on
// Linux, Steam's Windows copy), spelled as the file system spells them.
std::vector<std::string> dataFolders(platform::Platform& p);

// The open-source game's switch that adds a data folder, followed by the folder.
inline constexpr const char* kAdditionalDir = "additionaldir";
// The switch as the switch list keeps it and the game reads it: "additionaldir FOLDER", the
// folder in double quotes when it holds a blank, so that the game takes it as one argument.
// Empty when the game cannot take it so: a folder of more than 99 characters, or one holding a
// double quote (or, with a blank, a comma, which keys.ini cannot keep).
std::string additionalDir(const std::string& folder);

} // namespace discovery
