#pragma once
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/keys.h"
#include "platform/shortcuts.h"
#include "platform/sound.h"
#include "platform/system.h"

namespace platform {

// Everything a window's logic may reach of the system.
struct Platform {
    Files& files;
    Shell& shell;
    Registry& registry;
    Dialogs& dialogs;
    App& app;
    Codepage& codepage;
    Keys& keys;
    Shortcuts& shortcuts;
    Host& host = Host::none();
    Sound& sound = Sound::none();
};

} // namespace platform
