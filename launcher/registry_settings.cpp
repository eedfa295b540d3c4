#include "launcher/registry_settings.h"

namespace launcher {

std::vector<std::string> writeGameSettings(platform::Registry& registry,
                                           platform::Codepage& codepage,
                                           const settings::NetworkIni& net,
                                           const std::string& pilotName) {
    gameregistry::RegistrySettings to(registry, codepage);
    return gameregistry::write(to, net, pilotName);
}

Saved writeGameSettingsFile(platform::Files& files, platform::Codepage& codepage,
                            const std::string& path, const settings::NetworkIni& net,
                            const std::string& pilotName, std::vector<std::string>& skipped) {
    gameregistry::FileSettings to(files, codepage, path);
    std::vector<std::string> left;
    if (to.state() != gameregistry::FileSettings::State::Unreadable)
        left = gameregistry::write(to, net, pilotName);
    const bool saved = to.save();
    if (!saved) left = gameregistry::chosen(net, pilotName, true);
    skipped.insert(skipped.end(), left.begin(), left.end());
    return saved ? Saved::Yes : to.fits() ? Saved::No : Saved::TooBig;
}

} // namespace launcher
