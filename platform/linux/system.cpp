#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string_view>
#include <thread>

#include "platform/linux/linux.h"

extern char** environ;

namespace lnx {

std::string xdgFolder(const char* variable, const std::string& fallbackBelowHome) {
    const char* v = std::getenv(variable);
    if (v && v[0] == '/') {
        std::string s = v;
        while (s.size() > 1 && s.back() == '/') s.pop_back();
        return s;
    }
    if (std::string(variable) == "HOME") {
        const passwd* pw = getpwuid(getuid());
        return pw && pw->pw_dir && pw->pw_dir[0] == '/' ? pw->pw_dir : "";
    }
    const std::string home = xdgFolder("HOME", "");
    return home.empty() ? "" : (home == "/" ? "" : home) + "/" + fallbackBelowHome;
}

std::string Host::homeFolder() {
    return xdgFolder("HOME", "");
}

std::string Host::userDataFolder() {
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}

namespace {

std::string canonical(const std::string& path) {
    char* r = realpath(path.c_str(), nullptr);
    if (!r) return {};
    std::string s = r;
    std::free(r);
    return s;
}

std::string linkTarget(const std::string& link) {
    std::string t(4096, '\0');
    ssize_t n = readlink(link.c_str(), t.data(), t.size());
    if (n <= 0 || std::size_t(n) >= t.size()) return {};
    t.resize(std::size_t(n));
    return t;
}

std::string folderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "" : slash == 0 ? "/" : path.substr(0, slash);
}

bool isProgram(const std::string& path) {
    struct stat s;
    return stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Starts a program without waiting for it; a thread of ours collects it when it ends.
bool spawn(const std::string& program, const std::vector<std::string>& args,
           const std::string& folder) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = 0;
    int r = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (r != 0) return false;
    std::thread([pid] {
        int status;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    }).detach();
    return true;
}

// xdg-open from the PATH, for files and addresses.
bool xdgOpen(const std::string& what) {
    for (const char* dir : {"/usr/local/bin", "/usr/bin", "/bin"}) {
        const std::string p = std::string(dir) + "/xdg-open";
        if (isProgram(p)) return spawn(p, {what}, "");
    }
    return false;
}

} // namespace

bool Host::running(const std::string& path) {
    const std::string wanted = canonical(native(path));
    if (wanted.empty()) return false;
    DIR* d = opendir("/proc");
    if (!d) return false;
    bool found = false;
    while (const dirent* e = readdir(d)) {
        if (e->d_name[0] < '0' || e->d_name[0] > '9') continue;
        found = linkTarget(std::string("/proc/") + e->d_name + "/exe") == wanted;
        if (found) break;
    }
    closedir(d);
    return found;
}

// As the C++ runtime finds the temporary folder: the first of these variables that is set.
std::string Host::tempFolder() {
    for (const char* name : {"TMPDIR", "TMP", "TEMP", "TEMPDIR"})
        if (const char* v = std::getenv(name); v && v[0]) {
            std::string s = v;
            while (s.size() > 1 && s.back() == '/') s.pop_back();
            return s;
        }
    return "/tmp";
}

std::string Host::uiLanguage() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        for (std::string_view v = value ? value : ""; !v.empty(); v.remove_prefix(1)) {
            const std::string_view first = v.substr(0, v.find(':'));
            if (!first.empty()) return std::string(first);
        }
    }
    return "";
}

// As the game asks: a signal 0 that reaches the process.
bool Host::processRunning(std::int32_t pid) {
    return pid > 0 && kill(pid, 0) == 0;
}

std::string Host::processProgram(std::int32_t pid) {
    if (pid <= 0) return "";
    const std::string proc = "/proc/" + std::to_string(pid);
    std::string exe = linkTarget(proc + "/exe");
    const std::string deleted = " (deleted)";
    if (exe.size() > deleted.size() &&
        exe.compare(exe.size() - deleted.size(), deleted.size(), deleted) == 0)
        exe.resize(exe.size() - deleted.size());
    if (!exe.empty()) return exe;
    // A process of another user hides its program; its name is still there.
    std::ifstream comm(proc + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

std::vector<std::string> splitArguments(const std::string& parameters) {
    std::vector<std::string> out;
    std::string arg;
    bool quoted = false;
    auto close = [&] {
        if (!arg.empty()) out.push_back(arg);
        arg.clear();
    };
    for (char c : parameters) {
        if (arg.empty() && !quoted && c == '"') {
            quoted = true;
        } else if ((quoted && c == '"') || (!quoted && c == ' ')) {
            quoted = false;
            close();
        } else {
            arg += c;
        }
    }
    close();
    return out;
}

std::string installFolder() {
    return folderOf(linkTarget("/proc/self/exe"));
}

bool Shell::open(const std::string& file, const std::string& parameters, const std::string& folder,
                 platform::ShowMode) {
    std::string f = native(file);
    const std::string dir = native(folder);
    if (f.find('/') == std::string::npos) {
        std::string inFolder = (dir.empty() ? "." : dir) + "/" + f;
        const std::string bare =
            f.size() > 4 && f.ends_with(".exe") ? f.substr(0, f.size() - 4) : "";
        if (!isProgram(inFolder) && (bare == "gatefire" || bare == "scourix"))
            inFolder = installFolder() + "/" + bare;
        // Windows' text editor: the file it was to open, in the player's own editor.
        if (bare == "notepad") return xdgOpen(native(parameters));
        f = inFolder;
    }
    if (isProgram(f)) return spawn(f, splitArguments(parameters), dir.empty() ? folderOf(f) : dir);
    struct stat s;
    return stat(f.c_str(), &s) == 0 && xdgOpen(f);
}

bool Shell::openAddress(const std::string& address, platform::ShowMode) {
    return xdgOpen(address);
}

bool Shell::start(const std::string& program) {
    const std::string p = native(program);
    return isProgram(p) && spawn(p, {}, folderOf(p));
}

std::string Shortcuts::userDesktop() {
    // xdg-user-dir answers from the player's user-dirs.dirs, or $HOME/Desktop.
    std::string out;
    if (FILE* pipe = popen("xdg-user-dir DESKTOP 2>/dev/null", "r")) {
        char buf[4096];
        while (std::fgets(buf, sizeof buf, pipe)) out += buf;
        pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '/')) out.pop_back();
    if (out.empty() || out[0] != '/') {
        const std::string home = xdgFolder("HOME", "");
        out = home.empty() ? "" : home + "/Desktop";
    }
    return out;
}

namespace {

// Creates the file with these bytes only where nothing is.
bool writeNew(const std::string& path, const std::string& bytes, mode_t mode) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) return false;
    bool ok = ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    ok = close(fd) == 0 && ok;
    if (!ok) unlink(path.c_str());
    return ok;
}

// A value of a desktop entry's Exec key: quoted, with its reserved characters escaped.
std::string execQuoted(const std::string& path) {
    std::string q = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') q += '\\';
        q += c;
    }
    return q + "\"";
}

// Whether the applications menu already starts `program` through the entry its package installed
// (<prefix>/share/applications/<name>.desktop for <prefix>/games/<name>, or bin/): then the menu
// needs no second entry of ours.
bool packagedEntry(const std::string& program, const std::string& name) {
    const char* v = std::getenv("XDG_DATA_DIRS");
    const std::string dirs = v && *v ? v : "/usr/local/share:/usr/share";
    for (std::size_t from = 0; from <= dirs.size();) {
        std::size_t to = dirs.find(':', from);
        if (to == std::string::npos) to = dirs.size();
        std::string share = dirs.substr(from, to - from);
        from = to + 1;
        while (share.size() > 1 && share.back() == '/') share.pop_back();
        if (!share.ends_with("/share")) continue;
        const std::string prefix = share.substr(0, share.size() - 6);
        struct stat a, b;
        if (stat((share + "/applications/" + name + ".desktop").c_str(), &a) != 0 ||
            stat(program.c_str(), &b) != 0)
            continue;
        for (const char* bin : {"/games/", "/bin/"})
            if (stat((prefix + bin + name).c_str(), &a) == 0 && a.st_dev == b.st_dev &&
                a.st_ino == b.st_ino)
                return true;
    }
    return false;
}

} // namespace

bool Shortcuts::create(const std::string& link, const std::string& target) {
    const std::string l = native(link);
    std::string t = native(target);
    // A program of ours named as on Windows is the one in the install folder.
    std::string name = t.substr(t.find_last_of('/') + 1);
    if (name.ends_with(".exe")) name.resize(name.size() - 4);
    if (!isProgram(t) && (name == "gatefire" || name == "scourix"))
        t = installFolder() + "/" + name;
    std::string title = l.substr(l.find_last_of('/') + 1);
    if (title.ends_with(extension())) title.resize(title.size() - extension().size());
    const std::string entry = "[Desktop Entry]\nType=Application\nName=" + title +
                              "\nExec=" + execQuoted(t) + "\nPath=" + folderOf(t) +
                              "\nIcon=" + name + "\nTerminal=false\nCategories=Game;\n";
    // A desktop that is not there yet is made, with the folders above it, as a file manager would.
    const std::string desktop = folderOf(l);
    for (std::size_t at = 0; at != std::string::npos;) {
        at = desktop.find('/', at + 1);
        mkdir(desktop.substr(0, at).c_str(), 0755);
    }
    // Desktops run only entries marked executable.
    if (!writeNew(l, entry, 0755)) return false;
    if (packagedEntry(t, name)) return true;
    const std::string apps = xdgFolder("XDG_DATA_HOME", ".local/share") + "/applications";
    mkdir(folderOf(apps).c_str(), 0755);
    mkdir(apps.c_str(), 0755);
    writeNew(apps + "/" + title + ".desktop", entry, 0644);
    return true;
}

std::string App::programFolder() {
    const std::string f = xdgFolder("XDG_CONFIG_HOME", ".config") + "/scourix";
    mkdir(folderOf(f).c_str(), 0700);
    mkdir(f.c_str(), 0700);
    return f;
}

std::uint64_t App::milliseconds() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::uint64_t(t.tv_sec) * 1000 + std::uint64_t(t.tv_nsec) / 1000000;
}

void App::end() {
    std::fflush(nullptr);
    _exit(0);
}

System::System(platform::Dialogs& dialogs, platform::Version version, platform::Sound& sound)
    : app_(version), platform_{files_,    shell_, registry_,  dialogs, app_,
                               codepage_, keys_,  shortcuts_, host_,   sound} {}

} // namespace lnx
