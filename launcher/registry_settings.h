#pragma once
#include <string>

#include "common/registry/game_registry.h"
#include "common/settings/layouts.h"
#include "platform/system.h"

namespace launcher {

using gameregistry::kGameKey;

// Writes the game's language, keyboard, connection, tracker login and default pilot. A value
// whose condition is not met keeps what the registry holds; each value fails on its own.
void writeGameSettings(platform::Registry& registry, const settings::NetworkIni& net,
                       const std::string& pilotName);

} // namespace launcher
