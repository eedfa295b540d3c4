#pragma once
// Where the stores put the game: the folders Steam and GOG know of that hold the game's program.
#include <string>
#include <vector>

#include "platform/platform.h"

namespace discovery {

// Descent 3's app id on Steam.
inline const std::string kSteamAppId = "273590";

// The library folders a libraryfolders.vdf lists, in its order: each entry's "path", or, in the
// older layout, the entry's value itself.
std::vector<std::string> steamLibraries(const std::string& vdf);

// The game folders found: every Steam library's install of the game and every GOG install of a
// game whose name starts with "Descent 3", each only when it holds Main.exe or Descent3.exe,
// none twice (paths compared without case), the open-source game's first.
std::vector<std::string> gameFolders(platform::Platform& p);

} // namespace discovery
