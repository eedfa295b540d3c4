#include "launcher/registry_settings.h"

namespace launcher {

void writeGameSettings(platform::Registry& reg, const settings::NetworkIni& net,
                       const std::string& pilotName) {
    using namespace gameregistry;
    const auto root = platform::RegRoot::LocalMachine;
    auto text = [&](const char* name, const std::string& value) {
        reg.createKey(root, kGameKey);
        reg.setString(root, kGameKey, name, value);
    };
    auto number = [&](const char* name, std::uint32_t value) {
        reg.createKey(root, kGameKey);
        reg.setDword(root, kGameKey, name, value);
    };
    if (!pilotName.empty()) text(kDefaultPilot, pilotName + ".plt");

    for (std::uint32_t i = 0; i < kLanguages.size(); ++i)
        if (net.gameLanguage == kLanguages[i]) number(kLanguageType, i);

    auto choose = [&](const char* name, const auto& choices) {
        for (const Choice& c : choices)
            if (net.*c.flag == "1") text(name, c.word);
    };
    choose(kKeyboardType, kKeyboards);
    choose(kNetworkConnection, kConnections);
    choose(kConnectionSpeed, kSpeeds);
    if (!net.trackerName.empty()) text(kTrackerLogin, net.trackerName);
    if (!net.trackerSecret.empty()) text(kTrackerPassword, net.trackerSecret);
}

} // namespace launcher
