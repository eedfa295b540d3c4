#pragma once
#include <string>
#include <vector>

#include "common/registry/game_settings.h"
#include "common/settings/layouts.h"
#include "platform/files.h"
#include "platform/system.h"

namespace launcher {

using gameregistry::kGameKey;

// Writes the game's language, keyboard, connection, tracker login and default pilot into the
// retail game's registry key. A value whose condition is not met keeps what the registry holds;
// each value fails on its own. Returns the names of the values left out because the game could
// not take them whole.
std::vector<std::string> writeGameSettings(platform::Registry& registry,
                                           platform::Codepage& codepage,
                                           const settings::NetworkIni& net,
                                           const std::string& pilotName);

// The same values for the open-source game, in its settings file `path`, which is created with
// its folders when missing; every other line of the file stays as it was and the file is
// replaced whole. A value the file or the game cannot hold is left out and its name added to
// `skipped`. False, with nothing written and every value chosen named in `skipped`, when the
// file cannot be read, is bigger than the game's settings file can be or is not text, or when
// the file system cannot say whether it is there; TooBig, with nothing written, when the file
// would be bigger than its readers take.
enum class Saved { Yes, No, TooBig };
Saved writeGameSettingsFile(platform::Files& files, platform::Codepage& codepage,
                            const std::string& path, const settings::NetworkIni& net,
                            const std::string& pilotName, std::vector<std::string>& skipped);

} // namespace launcher
