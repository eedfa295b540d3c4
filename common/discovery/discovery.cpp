#include "common/discovery/discovery.h"

#include <algorithm>
#include <cctype>

#include "common/discovery/keyvalues.h"
#include "common/edition/edition.h"

namespace discovery {
namespace {

using platform::RegRoot;

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A folder as Windows paths are built here: backslashes, no trailing one.
std::string folder(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    while (path.size() > 1 && path.back() == '\\') path.pop_back();
    return path;
}

void addOnce(std::vector<std::string>& list, const std::string& path) {
    if (path.empty()) return;
    for (const auto& p : list)
        if (lower(p) == lower(path)) return;
    list.push_back(path);
}

const keyvalues::Node* topLevel(const std::vector<keyvalues::Node>& nodes, const std::string& key) {
    for (const auto& n : nodes)
        if (n.block && lower(n.key) == lower(key)) return &n;
    return nullptr;
}

void steam(platform::Platform& p, std::vector<std::string>& found) {
    std::vector<std::string> roots, libraries;
    std::string v;
    if (p.registry.read(RegRoot::LocalMachine, "SOFTWARE\\Valve\\Steam", "InstallPath", v))
        addOnce(roots, folder(v));
    if (p.registry.read(RegRoot::CurrentUser, "Software\\Valve\\Steam", "SteamPath", v))
        addOnce(roots, folder(v));
    for (const auto& root : roots) {
        std::string vdf;
        if (p.files.read(root + "\\steamapps\\libraryfolders.vdf", vdf))
            for (const auto& l : steamLibraries(vdf)) addOnce(libraries, folder(l));
        addOnce(libraries, root);
    }
    for (const auto& library : libraries) {
        std::string acf;
        if (!p.files.read(library + "\\steamapps\\appmanifest_" + kSteamAppId + ".acf", acf))
            continue;
        const auto manifest = keyvalues::parse(acf);
        const keyvalues::Node* app = topLevel(manifest, "AppState");
        const keyvalues::Node* dir = app ? app->find("installdir") : nullptr;
        if (dir && !dir->block && !dir->value.empty())
            addOnce(found, library + "\\steamapps\\common\\" + folder(dir->value));
    }
}

void gog(platform::Platform& p, std::vector<std::string>& found) {
    const std::string games = "SOFTWARE\\GOG.com\\Games";
    std::vector<std::string> keys;
    if (!p.registry.subkeys(RegRoot::LocalMachine, games, keys)) return;
    for (const auto& k : keys) {
        std::string name, path;
        if (p.registry.read(RegRoot::LocalMachine, games + "\\" + k, "gameName", name) &&
            name.rfind("Descent 3", 0) == 0 &&
            p.registry.read(RegRoot::LocalMachine, games + "\\" + k, "path", path))
            addOnce(found, folder(path));
    }
}

} // namespace

std::vector<std::string> steamLibraries(const std::string& vdf) {
    std::vector<std::string> out;
    const auto nodes = keyvalues::parse(vdf);
    const keyvalues::Node* list = topLevel(nodes, "libraryfolders");
    if (!list) return out;
    for (const auto& entry : list->children) {
        if (entry.block) {
            if (const keyvalues::Node* path = entry.find("path"); path && !path->block)
                out.push_back(path->value);
        } else if (!entry.key.empty() && std::all_of(entry.key.begin(), entry.key.end(),
                                                     [](char c) { return c >= '0' && c <= '9'; })) {
            out.push_back(entry.value);
        }
    }
    return out;
}

std::vector<std::string> gameFolders(platform::Platform& p) {
    std::vector<std::string> found;
    steam(p, found);
    gog(p, found);
    std::vector<std::string> games, openSource;
    for (const auto& f : found) {
        if (!p.files.exists(f + "\\Main.exe") &&
            !p.files.exists(f + "\\" + edition::kOpenSourceExe))
            continue;
        (edition::describe(p, f).openSource() ? openSource : games).push_back(f);
    }
    openSource.insert(openSource.end(), games.begin(), games.end());
    return openSource;
}

} // namespace discovery
