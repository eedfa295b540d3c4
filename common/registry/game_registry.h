#pragma once
// The game's registry values as Gatefire writes them and Scourix's game settings page reads them.
#include <array>
#include <cstdint>
#include <string>

#include "common/settings/layouts.h"

namespace gameregistry {

// The game's key and its version key, below HKEY_LOCAL_MACHINE.
inline const std::string kGameKey = "Software\\Outrage\\Descent3";
inline const std::string kVersionKey = kGameKey + "\\Version";

// Value names.
inline const char* const kDefaultPilot = "Default_pilot";          // text: pilot name & ".plt"
inline const char* const kLanguageType = "LanguageType";           // number: index into kLanguages
inline const char* const kKeyboardType = "KeyboardType";           // text: one of kKeyboards
inline const char* const kNetworkConnection = "NetworkConnection"; // text: one of kConnections
inline const char* const kConnectionSpeed = "ConnectionSpeed";     // text: one of kSpeeds
inline const char* const kTrackerLogin = "TrackerLogin";
inline const char* const kTrackerPassword = "TrackerPassword";
inline const char* const kVersionParts[] = {"Major", "Minor", "Build"};

// The game's languages in the order of their LanguageType numbers, as network.ini names them.
inline const std::array<const char*, 5> kLanguages{"English", "German", "Spanish", "Italian",
                                                   "French"};
// What the game settings page shows, and network.ini then holds, for a game that names no
// language: it is none of kLanguages, so LanguageType stays as it is.
inline const char* const kNoLanguage = "US-Version";

// One choice of a three- or four-way group: its network.ini flag and the text written for it.
struct Choice {
    std::string settings::NetworkIni::*flag;
    const char* word;
};
inline const std::array<Choice, 3> kKeyboards{{{&settings::NetworkIni::keyboardUS, "United States"},
                                               {&settings::NetworkIni::keyboardFrench, "French"},
                                               {&settings::NetworkIni::keyboardGerman, "German"}}};
inline const std::array<Choice, 3> kConnections{{{&settings::NetworkIni::netNone, "None"},
                                                 {&settings::NetworkIni::netDialup, "Dialup"},
                                                 {&settings::NetworkIni::netLan, "LAN"}}};
inline const std::array<Choice, 4> kSpeeds{{{&settings::NetworkIni::speed56K, "56K"},
                                            {&settings::NetworkIni::speedIsdn, "ISDN"},
                                            {&settings::NetworkIni::speedCable, "Cable"},
                                            {&settings::NetworkIni::speedFast, "Fast"}}};

// The buffers the game reads text values into, in bytes with the terminating zero. The
// open-source game copies a value whole into its buffer and the retail game reads no more than
// the buffer holds: either way a text needs to be shorter than its buffer to reach the game.
struct Buffer {
    const char* name;
    std::size_t bytes;
};
inline const std::array<Buffer, 5> kBuffers{{{kDefaultPilot, 260},
                                             {kKeyboardType, 256},
                                             {kNetworkConnection, 100},
                                             {kTrackerLogin, 33},
                                             {kTrackerPassword, 17}}};

} // namespace gameregistry

namespace gameregistry {

// The open-source edition keeps the same values in its settings file (edition::kRegistryFile),
// in the section kFileSection, and has a number of packets per second for the speed.
inline const char* const kFileSection = "Descent3";
inline const char* const kVersionSection = "Version";
inline const char* const kClientPps = "ClientPPS";
// Packets per second for each of kSpeeds, in their order.
inline const std::array<std::uint32_t, 4> kSpeedPps{7, 8, 9, 12};
// kConnections as this edition's file spells them: only "DIALUP" means dial-up there.
inline const std::array<const char*, 3> kFileConnections{"None", "DIALUP", "LAN"};

} // namespace gameregistry
