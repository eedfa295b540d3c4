#include "launcher/registry_settings.h"

namespace launcher {

void writeGameSettings(platform::Registry& reg, const settings::NetworkIni& net,
                       const std::string& pilotName) {
    const auto root = platform::RegRoot::LocalMachine;
    auto text = [&](const char* name, const std::string& value) {
        reg.createKey(root, kGameKey);
        reg.setString(root, kGameKey, name, value);
    };
    auto number = [&](const char* name, std::uint32_t value) {
        reg.createKey(root, kGameKey);
        reg.setDword(root, kGameKey, name, value);
    };
    if (!pilotName.empty()) text("Default_pilot", pilotName + ".plt");

    const char* const languages[] = {"English", "German", "Spanish", "Italian", "French"};
    for (std::uint32_t i = 0; i < 5; ++i)
        if (net.gameLanguage == languages[i]) number("LanguageType", i);

    auto when = [&](const std::string& flag, const char* name, const char* value) {
        if (flag == "1") text(name, value);
    };
    when(net.keyboardUS, "KeyboardType", "United States");
    when(net.keyboardFrench, "KeyboardType", "French");
    when(net.keyboardGerman, "KeyboardType", "German");
    when(net.netNone, "NetworkConnection", "None");
    when(net.netDialup, "NetworkConnection", "Dialup");
    when(net.netLan, "NetworkConnection", "LAN");
    when(net.speed56K, "ConnectionSpeed", "56K");
    when(net.speedIsdn, "ConnectionSpeed", "ISDN");
    when(net.speedCable, "ConnectionSpeed", "Cable");
    when(net.speedFast, "ConnectionSpeed", "Fast");
    if (!net.trackerName.empty()) text("TrackerLogin", net.trackerName);
    if (!net.trackerSecret.empty()) text("TrackerPassword", net.trackerSecret);
}

} // namespace launcher
