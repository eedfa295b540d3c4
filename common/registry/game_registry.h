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

} // namespace gameregistry

namespace gameregistry {

// The open-source edition keeps the same values in a text file in the player's own folder,
// in the section kFileSection, and has a number of packets per second for the speed.
inline const char* const kRegistryFile = ".Descent3Registry";
inline const char* const kFileSection = "Descent3";
inline const char* const kVersionSection = "Version";
inline const char* const kClientPps = "ClientPPS";
// Packets per second for each of kSpeeds, in their order.
inline const std::array<std::uint32_t, 4> kSpeedPps{7, 8, 9, 12};
// The game copies the tracker login and password into buffers of 33 and 17 bytes: longer ones
// (in UTF-8 bytes, as the file holds them) would overrun them.
inline constexpr std::size_t kFileTrackerLoginMax = 32;
inline constexpr std::size_t kFileTrackerPasswordMax = 16;
// kConnections as this edition's file spells them: only "DIALUP" means dial-up there.
inline const std::array<const char*, 3> kFileConnections{"None", "DIALUP", "LAN"};

} // namespace gameregistry
