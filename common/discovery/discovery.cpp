#include "common/discovery/discovery.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <map>
#include <set>
#include <tuple>

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

// The folders met so far, each once: by its identity on the disk where the file system tells
// it (one library reached through two drive letters), and by its path as the file system
// compares names (case, also outside ASCII, where it ignores case).
class Folders {
  public:
    explicit Folders(platform::Files& files) : files_(files) {}
    const std::vector<std::string>& list() const { return list_; }
    bool add(const std::string& path) {
        if (path.empty()) return false;
        const auto info = files_.info(path);
        const auto id = info ? std::tuple{info->volume, info->index, info->indexHigh}
                             : std::tuple<std::uint64_t, std::uint64_t, std::uint64_t>{};
        if (info && ids_.count(id)) return false;
        auto& same = byName_[platform::upperCaseKey(path)];
        for (const auto& p : same)
            if (files_.sameName(p, path)) return false;
        same.push_back(path);
        if (info) ids_.insert(id);
        list_.push_back(path);
        return true;
    }

  private:
    platform::Files& files_;
    std::vector<std::string> list_;
    std::set<std::tuple<std::uint64_t, std::uint64_t, std::uint64_t>> ids_;
    std::map<std::u32string, std::vector<std::string>> byName_;
};

const keyvalues::Node* topLevel(const std::vector<keyvalues::Node>& nodes, const std::string& key) {
    for (const auto& n : nodes)
        if (n.block && lower(n.key) == lower(key)) return &n;
    return nullptr;
}

// Steam's files are small; a larger one is no file of Steam's and is not read.
bool readSmall(platform::Files& files, const std::string& path, std::string& bytes) {
    return files.read(path, bytes, kMaxFileBytes);
}

// The path as the file system spells it: each folder as its parent lists it. Steam keeps its
// own folder in lower case; a part that cannot be found stays as it is, and so does the rest.
std::string asSpelled(platform::Files& files, const std::string& path) {
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return path;
    std::string out = {char(std::toupper(static_cast<unsigned char>(path[0]))), ':'};
    std::vector<std::string> names;
    bool found = true;
    for (std::size_t at = 2; at < path.size();) {
        const std::size_t end = std::min(path.find('\\', at + 1), path.size());
        std::string part = path.substr(at + 1, end - at - 1);
        if (found && !part.empty()) {
            found = files.listFolders(out + "\\", names);
            auto exact = std::find(names.begin(), names.end(), part);
            auto same = exact != names.end()
                            ? exact
                            : std::find_if(names.begin(), names.end(), [&](const std::string& n) {
                                  return files.sameName(n, part);
                              });
            found = found && same != names.end();
            if (found) part = *same;
        }
        out += "\\" + part;
        at = end;
    }
    return out;
}

void steam(platform::Platform& p, Folders& found) {
    Folders roots(p.files), libraries(p.files);
    std::string v;
    if (p.registry.read(RegRoot::LocalMachine, "SOFTWARE\\Valve\\Steam", "InstallPath", v))
        roots.add(folder(v));
    if (p.registry.read(RegRoot::CurrentUser, "Software\\Valve\\Steam", "SteamPath", v))
        roots.add(folder(v));
    for (const auto& root : roots.list()) {
        for (const char* list :
             {"\\steamapps\\libraryfolders.vdf", "\\config\\libraryfolders.vdf"}) {
            std::string vdf;
            if (!readSmall(p.files, root + list, vdf)) continue;
            for (const auto& l : steamLibraries(vdf)) {
                if (libraries.list().size() >= kMaxLibraries) break;
                libraries.add(folder(l));
            }
        }
        if (libraries.list().size() < kMaxLibraries) libraries.add(root);
    }
    for (const auto& library : libraries.list()) {
        std::string acf;
        if (!readSmall(p.files, library + "\\steamapps\\appmanifest_" + kSteamAppId + ".acf", acf))
            continue;
        const auto manifest = keyvalues::parse(acf);
        const keyvalues::Node* app = topLevel(manifest, "AppState");
        const keyvalues::Node* dir = app ? app->find("installdir") : nullptr;
        if (dir && !dir->block && !dir->value.empty())
            found.add(library + "\\steamapps\\common\\" + folder(dir->value));
    }
}

void gog(platform::Platform& p, Folders& found) {
    const std::string games = "SOFTWARE\\GOG.com\\Games";
    std::vector<std::string> keys;
    if (!p.registry.subkeys(RegRoot::LocalMachine, games, keys)) return;
    for (const auto& k : keys) {
        std::string name, path;
        if (p.registry.read(RegRoot::LocalMachine, games + "\\" + k, "gameName", name) &&
            name.rfind("Descent 3", 0) == 0 &&
            p.registry.read(RegRoot::LocalMachine, games + "\\" + k, "path", path))
            found.add(folder(path));
    }
}

} // namespace

std::vector<std::string> steamLibraries(const std::string& vdf) {
    std::vector<std::string> out;
    const auto nodes = keyvalues::parse(vdf);
    const keyvalues::Node* list = topLevel(nodes, "libraryfolders");
    if (!list) return out;
    for (const auto& entry : list->children) {
        if (out.size() >= kMaxLibraries) break;
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
    Folders found(p.files);
    // Finding the game is a help: whatever goes wrong on the way ends the search with what it
    // found, never the program.
    try {
        steam(p, found);
        gog(p, found);
    } catch (const std::exception&) {}
    std::vector<std::string> games, openSource;
    try {
        for (const auto& f : found.list()) {
            const edition::Game g = edition::describe(p, asSpelled(p.files, f));
            if (g.hasProgram) (g.openSource() ? openSource : games).push_back(g.folder);
        }
    } catch (const std::exception&) {}
    openSource.insert(openSource.end(), games.begin(), games.end());
    return openSource;
}

} // namespace discovery
