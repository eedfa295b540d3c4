#include "common/edition/edition.h"

#include <new>

#include "platform/lower_case.h"

namespace edition {
namespace {

bool openSourceProgram(const platform::ProgramVersion& v) {
    return text::lowerCase(v.originalName) == text::lowerCase(kOpenSourceExe) &&
           (v.major > 1 || (v.major == 1 && v.minor >= 5));
}

// Whether the process whose program is `program` runs the game: a program of the same file name
// as the game's, or one whose version resource names the open-source game. A process whose
// program the system does not tell may be the game.
bool runsGame(platform::Platform& p, const Game& game, const std::string& program) {
    if (program.empty()) return true;
    auto fileName = [](const std::string& path) {
        return path.substr(path.find_last_of("\\/") + 1);
    };
    if (p.files.sameName(fileName(program), fileName(game.program))) return true;
    const auto version = p.host.programVersion(program);
    return version && openSourceProgram(*version);
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
        g.hasProgram = true;
        version = p.host.programVersion(g.program);
        if (!version || !openSourceProgram(*version)) return g;
    } else {
        return g;
    }
    g.hasProgram = true;
    g.edition = Edition::OpenSource;
    const std::string data = p.host.userDataFolder();
    if (data.empty()) return g;
    g.userFolder = data + kUserFolder;
    g.settingsFile = g.userFolder + "\\" + kRegistryFile;
    // Version 1.5.0 kept pilots, custom files and statistics in the game folder, its working
    // folder; later versions keep them in the player's own folder.
    // A program without a version resource (Linux) tells it by what it holds; one that cannot
    // be read counts as a later version.
    bool firstRelease = false;
    if (version) {
        firstRelease = version->major == 1 && version->minor == 5 && version->build == 0;
    } else {
        try {
            std::string bytes;
            firstRelease =
                p.files.read(g.program, bytes, kProgramReadLimit) && keepsFilesInGameFolder(bytes);
        } catch (const std::bad_alloc&) {}
    }
    if (firstRelease) return g;
    g.pilotFolder = g.userFolder;
    g.dataFolders.insert(g.dataFolders.begin(), g.userFolder);
    return g;
}

bool gameOpensPilot(platform::Files& files, const std::string& fileName) {
    const std::string ending = ".plt";
    if (fileName.size() <= ending.size()) return false;
    if (fileName.compare(fileName.size() - ending.size(), ending.size(), ending) == 0) return true;
    // "NAME.plt" finds "NAME.PLT" where the file system does not tell case apart.
    return files.sameName(ending, ".PLT") &&
           files.sameName(fileName.substr(fileName.size() - ending.size()), ending);
}

std::string noProgram(lang::Language l, const std::string& gameFolder) {
    return lang::tr(l, "There is no program of the game in this folder (neither {1} nor {2}):\n{3}",
                    {kRetailExe, kOpenSourceName, gameFolder});
}

bool keepsFilesInGameFolder(const std::string& programBytes) {
    static const std::string marker("-useexedir\0", 11);
    return programBytes.find(marker) != std::string::npos;
}

std::optional<std::int32_t> lockHolder(const std::string& lockBytes) {
    if (lockBytes.size() < 8 || lockBytes.compare(0, 4, "LOCK") != 0) return std::nullopt;
    std::uint32_t pid = 0;
    for (int i = 3; i >= 0; --i) pid = pid << 8 | static_cast<unsigned char>(lockBytes[4 + i]);
    return static_cast<std::int32_t>(pid);
}

std::string runningGame(platform::Platform& p, const Game& game) {
    if (!game.openSource()) return "";
    if (p.host.running(game.program)) return p.host.shownPath(game.program);
    const std::string temp = p.host.tempFolder();
    if (temp.empty()) return "";
    const std::string lock = temp + kLockFile;
    std::string bytes;
    if (!p.files.read(lock, bytes, 64)) return "";
    const auto pid = lockHolder(bytes);
    // A lock left behind names a process that has ended, or one that runs another program now.
    if (!pid || !p.host.processRunning(*pid) || !runsGame(p, game, p.host.processProgram(*pid)))
        return "";
    return "PID " + std::to_string(*pid) + " (" + p.host.shownPath(lock) + ")";
}

std::string retailProgram(platform::Platform& p, const std::string& gameFolder) {
    const std::string program = gameFolder + "\\" + kRetailExe;
    if (!p.files.exists(program)) return "";
    const auto version = p.host.programVersion(program);
    return version && openSourceProgram(*version) ? "" : program;
}

} // namespace edition
