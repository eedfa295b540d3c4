#include "launcher/registry_settings.h"

#include <cstdint>

#include "common/registry/registry_file.h"

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

namespace launcher {

bool writeGameSettingsFile(platform::Files& files, const std::string& path,
                           const settings::NetworkIni& net, const std::string& pilotName,
                           std::vector<std::string>& skipped) {
    using namespace gameregistry;
    RegistryFile file;
    const auto there = files.presence(path);
    if (there == platform::Files::Presence::File) {
        std::string bytes;
        if (!files.read(path, bytes) || bytes.find('\0') != std::string::npos) return false;
        file = RegistryFile(bytes);
    } else if (there != platform::Files::Presence::Missing) {
        return false; // a file that could not be asked about may hold the game's other settings
    } else {
        // The folders above it, one by one: the player's own folder may not exist yet.
        for (std::size_t at = path.find('\\', 3); at != std::string::npos;
             at = path.find('\\', at + 1))
            if (!files.folderExists(path.substr(0, at))) files.makeFolder(path.substr(0, at));
    }

    // The game takes the file's text as UTF-8, as it is held here.
    auto text = [&](const char* name, const std::string& value, std::size_t room = SIZE_MAX) {
        if (value.size() > room || !file.setText(kFileSection, name, value))
            skipped.push_back(name);
    };
    auto number = [&](const char* name, std::uint32_t value) {
        if (!file.setNumber(kFileSection, name, value)) skipped.push_back(name);
    };
    if (!pilotName.empty()) text(kDefaultPilot, pilotName + ".plt");
    for (std::uint32_t i = 0; i < kLanguages.size(); ++i)
        if (net.gameLanguage == kLanguages[i]) number(kLanguageType, i);
    for (const Choice& c : kKeyboards)
        if (net.*c.flag == "1") text(kKeyboardType, c.word);
    for (std::size_t i = 0; i < kConnections.size(); ++i)
        if (net.*kConnections[i].flag == "1") text(kNetworkConnection, kFileConnections[i]);
    for (std::size_t i = 0; i < kSpeeds.size(); ++i)
        if (net.*kSpeeds[i].flag == "1") {
            text(kConnectionSpeed, kSpeeds[i].word);
            number(kClientPps, kSpeedPps[i]);
        }
    if (!net.trackerName.empty()) text(kTrackerLogin, net.trackerName, kFileTrackerLoginMax);
    if (!net.trackerSecret.empty())
        text(kTrackerPassword, net.trackerSecret, kFileTrackerPasswordMax);
    return files.write(path, file.bytes());
}

} // namespace launcher
