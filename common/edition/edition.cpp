#include "common/edition/edition.h"

#include "common/registry/game_registry.h"
#include "platform/lower_case.h"

namespace edition {
namespace {

bool openSourceProgram(const platform::ProgramVersion& v) {
    return text::lowerCase(v.originalName) == text::lowerCase(kOpenSourceExe) &&
           (v.major > 1 || (v.major == 1 && v.minor >= 5));
}

} // namespace

Game describe(platform::Platform& p, const std::string& gameFolder) {
    Game g;
    g.folder = gameFolder;
    g.program = gameFolder + "\\" + kRetailExe;
    g.pilotFolder = gameFolder;
    g.dataFolders = {gameFolder};

    const std::string own = gameFolder + "\\" + p.host.programFile(kOpenSourceName);
    std::optional<platform::ProgramVersion> version;
    if (p.files.exists(own)) {
        g.program = own;
        version = p.host.programVersion(own);
    } else if (p.files.exists(g.program)) {
        version = p.host.programVersion(g.program);
        if (!version || !openSourceProgram(*version)) return g;
    } else {
        return g;
    }
    g.edition = Edition::OpenSource;
    const std::string data = p.host.userDataFolder();
    if (data.empty()) return g;
    g.userFolder = data + kUserFolder;
    g.settingsFile = g.userFolder + "\\" + gameregistry::kRegistryFile;
    // Version 1.5.0 kept pilots, custom files and statistics in the game folder, its working
    // folder; later versions keep them in the player's own folder.
    const bool firstRelease =
        version && version->major == 1 && version->minor == 5 && version->build == 0;
    if (firstRelease) return g;
    g.pilotFolder = g.userFolder;
    g.dataFolders.insert(g.dataFolders.begin(), g.userFolder);
    return g;
}

std::string retailProgram(platform::Platform& p, const std::string& gameFolder) {
    const std::string program = gameFolder + "\\" + kRetailExe;
    if (!p.files.exists(program)) return "";
    const auto version = p.host.programVersion(program);
    return version && openSourceProgram(*version) ? "" : program;
}

} // namespace edition
