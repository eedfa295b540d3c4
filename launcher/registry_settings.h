#pragma once
#include <string>

#include "common/settings/layouts.h"
#include "platform/system.h"

namespace launcher {

// The game's registry key, below HKEY_LOCAL_MACHINE.
inline const std::string kGameKey = "Software\\Outrage\\Descent3";

// Writes the game's language, keyboard, connection, tracker login and default pilot. A value
// whose condition is not met keeps what the registry holds; each value fails on its own.
void writeGameSettings(platform::Registry& registry, const settings::NetworkIni& net,
                       const std::string& pilotName);

} // namespace launcher
