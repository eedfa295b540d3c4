#include "common/discovery/discovery.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <map>
#include <set>
#include <tuple>

#include "common/discovery/keyvalues.h"
#include "common/edition/edition.h"
#include "common/edition/game_args.h"
#include "common/settings/layouts.h"

namespace discovery {
namespace {

using platform::RegRoot;

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Paths as the system spells them: on Windows with backslashes, elsewhere as the system gave
// them; no separator at the end.
class Paths {
  public:
    explicit Paths(platform::Host& host)
        : sep_(host.system() == platform::System::Windows ? '\\' : '/') {}
    std::string folder(std::string path) const {
        if (sep_ == '\\') std::replace(path.begin(), path.end(), '/', '\\');
        while (path.size() > 1 && path.back() == sep_) path.pop_back();
        return path;
    }
    // `relative`, written with backslashes, below `base`.
    std::string below(const std::string& base, std::string relative) const {
        std::replace(relative.begin(), relative.end(), '\\', sep_);
        return base + sep_ + relative;
    }

    char sep() const { return sep_; }

  private:
    char sep_;
};

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

// Steam's own folders: on Windows where the registry names them, on Linux where Steam's
// packages put them (its own, Debian's, Flatpak's, Snap's), most of them links to one.
std::vector<std::string> steamRoots(platform::Platform& p, const std::string& home) {
    std::vector<std::string> roots;
    std::string v;
    if (!home.empty()) {
        for (const char* r :
             {"/.local/share/Steam", "/.steam/steam", "/.steam/root", "/.steam/debian-installation",
              "/.var/app/com.valvesoftware.Steam/.local/share/Steam",
              "/snap/steam/common/.local/share/Steam"})
            roots.push_back(home + r);
        return roots;
    }
    if (p.registry.read(RegRoot::LocalMachine, "SOFTWARE\\Valve\\Steam", "InstallPath", v))
        roots.push_back(v);
    if (p.registry.read(RegRoot::CurrentUser, "Software\\Valve\\Steam", "SteamPath", v))
        roots.push_back(v);
    return roots;
}

void steam(platform::Platform& p, const Paths& paths, const std::string& home, Folders& found) {
    Folders roots(p.files), libraries(p.files);
    for (const auto& r : steamRoots(p, home)) roots.add(paths.folder(r));
    for (const auto& root : roots.list()) {
        for (const char* list : {"steamapps\\libraryfolders.vdf", "config\\libraryfolders.vdf"}) {
            std::string vdf;
            if (!readSmall(p.files, paths.below(root, list), vdf)) continue;
            for (const auto& l : steamLibraries(vdf)) {
                if (libraries.list().size() >= kMaxLibraries) break;
                libraries.add(paths.folder(l));
            }
        }
        if (libraries.list().size() < kMaxLibraries) libraries.add(root);
    }
    for (const auto& library : libraries.list()) {
        std::string acf;
        if (!readSmall(p.files,
                       paths.below(library, "steamapps\\appmanifest_" + kSteamAppId + ".acf"), acf))
            continue;
        const auto manifest = keyvalues::parse(acf);
        const keyvalues::Node* app = topLevel(manifest, "AppState");
        const keyvalues::Node* dir = app ? app->find("installdir") : nullptr;
        if (dir && !dir->block && !dir->value.empty())
            found.add(paths.below(library, "steamapps\\common") + paths.sep() +
                      paths.folder(dir->value));
    }
}

void gog(platform::Platform& p, const Paths& paths, const std::string& home, Folders& found) {
    if (!home.empty()) {
        for (const char* list : {"/.config/heroic/gog_store/installed.json",
                                 "/.var/app/com.heroicgameslauncher.hgl/config/heroic/gog_store/"
                                 "installed.json"}) {
            std::string json;
            if (!readSmall(p.files, home + list, json)) continue;
            for (const auto& f : heroicGames(json)) found.add(paths.folder(f));
        }
        return;
    }
    const std::string games = "SOFTWARE\\GOG.com\\Games";
    std::vector<std::string> keys;
    if (!p.registry.subkeys(RegRoot::LocalMachine, games, keys)) return;
    for (const auto& k : keys) {
        std::string name, path;
        if (p.registry.read(RegRoot::LocalMachine, games + "\\" + k, "gameName", name) &&
            name.rfind("Descent 3", 0) == 0 &&
            p.registry.read(RegRoot::LocalMachine, games + "\\" + k, "path", path))
            found.add(paths.folder(path));
    }
}

// Just enough JSON for Heroic's list: the string members of every object, any other value
// skipped, nesting bounded.
class Json {
  public:
    explicit Json(const std::string& text) : s_(text) {}
    std::vector<std::string> games() {
        value(0);
        return found_;
    }

  private:
    void space() {
        while (at_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[at_]))) ++at_;
    }
    bool take(char c) {
        space();
        if (at_ >= s_.size() || s_[at_] != c) return false;
        ++at_;
        return true;
    }
    static void utf8(std::uint32_t c, std::string& out) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6), out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12), out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18), out += char(0x80 | (c >> 12 & 0x3F));
            out += char(0x80 | (c >> 6 & 0x3F)), out += char(0x80 | (c & 0x3F));
        }
    }
    bool hex4(std::uint32_t& c) {
        if (s_.size() - at_ < 4) return false;
        c = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = s_[at_++];
            const int d = std::isdigit(static_cast<unsigned char>(h)) ? h - '0'
                          : (h | 0x20) >= 'a' && (h | 0x20) <= 'f'    ? (h | 0x20) - 'a' + 10
                                                                      : -1;
            if (d < 0) return false;
            c = c << 4 | std::uint32_t(d);
        }
        return true;
    }
    bool string(std::string& out) {
        if (!take('"')) return false;
        while (at_ < s_.size()) {
            const char c = s_[at_++];
            if (c == '"') return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= s_.size()) return false;
            const char e = s_[at_++];
            static const std::string from = "\"\\/bfnrt", to = "\"\\/\b\f\n\r\t";
            if (const auto i = from.find(e); i != std::string::npos) {
                out += to[i];
                continue;
            }
            std::uint32_t u = 0, low = 0;
            if (e != 'u' || !hex4(u)) return false;
            if (u >= 0xD800 && u < 0xDC00 && s_.compare(at_, 2, "\\u") == 0) {
                at_ += 2;
                if (!hex4(low) || low < 0xDC00 || low >= 0xE000) return false;
                u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
            }
            utf8(u, out);
        }
        return false;
    }
    bool value(int depth) {
        if (depth > kMaxDepth || found_.size() >= kMaxLibraries) return false;
        space();
        if (at_ >= s_.size()) return false;
        if (s_[at_] == '"') {
            std::string ignored;
            return string(ignored);
        }
        if (take('[')) {
            if (take(']')) return true;
            do {
                if (!value(depth + 1)) return false;
            } while (take(','));
            return take(']');
        }
        if (!take('{')) {
            const std::size_t start = at_;
            while (at_ < s_.size() && std::string(",]} \t\r\n").find(s_[at_]) == std::string::npos)
                ++at_;
            return at_ > start;
        }
        std::map<std::string, std::string> fields;
        if (!take('}')) {
            do {
                std::string key;
                if (!string(key) || !take(':')) return false;
                space();
                if (at_ < s_.size() && s_[at_] == '"') {
                    std::string v;
                    if (!string(v)) return false;
                    fields[key] = v;
                } else if (!value(depth + 1)) {
                    return false;
                }
            } while (take(','));
            if (!take('}')) return false;
        }
        const auto path = fields.find("install_path"), title = fields.find("title");
        if (path != fields.end() && !path->second.empty()) {
            std::string name = title != fields.end() ? title->second : path->second;
            while (name.size() > 1 && (name.back() == '/' || name.back() == '\\')) name.pop_back();
            if (title == fields.end()) name = name.substr(name.find_last_of("/\\") + 1);
            if (name.rfind("Descent 3", 0) == 0) found_.push_back(path->second);
        }
        return true;
    }

    static constexpr int kMaxDepth = 32;
    const std::string& s_;
    std::size_t at_ = 0;
    std::vector<std::string> found_;
};

} // namespace

std::vector<std::string> heroicGames(const std::string& json) {
    return Json(json).games();
}

std::vector<std::string> steamLibraries(const std::string& vdf) {
    std::vector<std::string> out;
    const auto nodes = keyvalues::parse(vdf);
    const keyvalues::Node* list = topLevel(nodes, "libraryfolders");
    if (!list) return out;
    for (const auto& entry : list->children) {
        if (out.size() >= kMaxLibraries) break;
        // An empty path names no library.
        if (entry.block) {
            if (const keyvalues::Node* path = entry.find("path");
                path && !path->block && !path->value.empty())
                out.push_back(path->value);
        } else if (!entry.key.empty() && !entry.value.empty() &&
                   std::all_of(entry.key.begin(), entry.key.end(),
                               [](char c) { return c >= '0' && c <= '9'; })) {
            out.push_back(entry.value);
        }
    }
    return out;
}

namespace {

// Every install folder the stores name, each once.
std::vector<std::string> storeFolders(platform::Platform& p) {
    Folders found(p.files);
    // Finding the game is a help: whatever goes wrong on the way ends the search with what it
    // found, never the program.
    const Paths paths(p.host);
    const std::string home = p.host.homeFolder();
    try {
        steam(p, paths, home, found);
        gog(p, paths, home, found);
    } catch (const std::exception&) {}
    // A path is offered only when it is UTF-8 and comes back whole from the settings' code
    // page: a folder saved as another would not be the one found.
    std::vector<std::string> kept;
    for (const auto& f : found.list())
        if (platform::isUtf8(f) && p.codepage.toUtf8(p.codepage.fromUtf8(f)) == f)
            kept.push_back(f);
    return kept;
}

} // namespace

std::vector<std::string> gameFolders(platform::Platform& p) {
    std::vector<std::string> games, openSource;
    const bool windows = p.host.system() == platform::System::Windows;
    try {
        for (const auto& f : storeFolders(p)) {
            const edition::Game g = edition::describe(p, asSpelled(p.files, f));
            // Only Windows runs the retail program (on Linux, Steam's copy for Proton).
            if (g.hasProgram && (windows || g.openSource()))
                (g.openSource() ? openSource : games).push_back(g.folder);
        }
    } catch (const std::exception&) {}
    openSource.insert(openSource.end(), games.begin(), games.end());
    return openSource;
}

bool holdsGameData(platform::Files& files, const std::string& folder) {
    std::vector<std::string> names;
    return files.list(folder, kMainData, names) && !names.empty();
}

std::vector<std::string> dataFolders(platform::Platform& p) {
    std::vector<std::string> out;
    try {
        for (const auto& f : storeFolders(p)) {
            const std::string folder = asSpelled(p.files, f);
            if (holdsGameData(p.files, folder)) out.push_back(folder);
        }
    } catch (const std::exception&) {}
    return out;
}

std::string additionalDir(const std::string& folder) {
    const std::string value = folder.find(' ') == std::string::npos ? folder : "\"" + folder + "\"";
    const std::string sw = std::string(kAdditionalDir) + " " + value;
    if (folder.empty() || folder.find('"') != std::string::npos || !edition::gameCanHold(value) ||
        !settings::keysIniKeeps(sw))
        return "";
    return sw;
}

} // namespace discovery
