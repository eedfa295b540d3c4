#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/linux/linux.h"

namespace lnx {

std::string native(const std::string& path) {
    std::string p = path;
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

namespace {

// The kind of a directory entry, following links as Windows lists a link by its target.
int kindOf(const std::string& folder, const dirent* e) {
    if (e->d_type != DT_UNKNOWN && e->d_type != DT_LNK) return e->d_type;
    struct stat s;
    if (stat((folder + "/" + e->d_name).c_str(), &s) != 0) return DT_UNKNOWN;
    return S_ISDIR(s.st_mode) ? DT_DIR : S_ISREG(s.st_mode) ? DT_REG : DT_UNKNOWN;
}

template <typename Keep>
bool listWith(const std::string& folder, std::vector<std::string>& names, Keep keep) {
    const std::string f = native(folder);
    DIR* d = opendir(f.c_str());
    if (!d) return false;
    names.clear();
    while (const dirent* e = readdir(d)) {
        const std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        if (keep(n, kindOf(f, e))) names.push_back(n);
    }
    closedir(d);
    return true;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

// Writes beside the target and renames over it: the target is whole before and after. A copy
// (`source` given) takes the source's rights and times, as a copy on Windows does, and is not
// flushed; a written file keeps the rights the player gave the old one and reaches the disk
// before it replaces it.
bool replaceWith(const std::string& target, const std::string& bytes,
                 const struct stat* source = nullptr) {
    const std::string temp = target + ".new~";
    struct stat old;
    const bool existed = stat(target.c_str(), &old) == 0;
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const struct stat* like = source ? source : existed ? &old : nullptr;
    bool ok = writeAll(fd, bytes) && (!like || fchmod(fd, like->st_mode & 07777) == 0);
    if (source) {
        const timespec times[2] = {source->st_atim, source->st_mtim};
        ok = ok && futimens(fd, times) == 0;
    } else {
        ok = ok && fsync(fd) == 0;
    }
    ok = close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    return ok;
}

} // namespace

bool Files::list(const std::string& folder, const std::string& pattern,
                 std::vector<std::string>& names) {
    const bool all = pattern == "*" || pattern == "*.*";
    return listWith(folder, names, [&](const std::string& n, int kind) {
        return kind == DT_REG && (all || platform::matchesPattern(n, pattern));
    });
}

bool Files::listFolders(const std::string& folder, std::vector<std::string>& names) {
    return listWith(folder, names, [](const std::string&, int kind) { return kind == DT_DIR; });
}

platform::Files::Presence Files::presence(const std::string& path) {
    const std::string p = native(path);
    struct stat s;
    if (stat(p.c_str(), &s) == 0) return S_ISDIR(s.st_mode) ? Presence::Folder : Presence::File;
    if (errno != ENOENT && errno != ENOTDIR) return Presence::Unknown;
    // A link whose target is gone is still something of the player's.
    return lstat(p.c_str(), &s) == 0 ? Presence::Unknown : Presence::Missing;
}

std::optional<std::uint64_t> Files::fileSize(const std::string& path) {
    struct stat s;
    if (stat(native(path).c_str(), &s) != 0 || S_ISDIR(s.st_mode)) return std::nullopt;
    return std::uint64_t(s.st_size);
}

std::optional<platform::FileInfo> Files::info(const std::string& path) {
    struct stat s;
    if (stat(native(path).c_str(), &s) != 0) return std::nullopt;
    platform::FileInfo i;
    i.volume = std::uint64_t(s.st_dev);
    i.index = std::uint64_t(s.st_ino);
    i.size = S_ISDIR(s.st_mode) ? 0 : std::uint64_t(s.st_size);
    return i;
}

bool Files::copy(const std::string& from, const std::string& to) {
    std::string bytes;
    struct stat s;
    const std::string f = native(from);
    if (stat(f.c_str(), &s) != 0 || !S_ISREG(s.st_mode)) return false;
    return read(from, bytes) && replaceWith(native(to), bytes, &s);
}

// unlink removes no folder (EISDIR), as DeleteFile removes none.
bool Files::remove(const std::string& path) {
    return unlink(native(path).c_str()) == 0;
}

bool Files::rename(const std::string& from, const std::string& to) {
    const std::string f = native(from), t = native(to);
    if (renameat2(AT_FDCWD, f.c_str(), AT_FDCWD, t.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the flag: a hard link fails where the target exists.
    struct stat s;
    if (lstat(f.c_str(), &s) != 0 || S_ISDIR(s.st_mode)) return false;
    if (link(f.c_str(), t.c_str()) != 0) return false;
    return unlink(f.c_str()) == 0;
}

bool Files::makeFolder(const std::string& path) {
    return mkdir(native(path).c_str(), 0777) == 0;
}

bool Files::replace(const std::string& from, const std::string& to) {
    return ::rename(native(from).c_str(), native(to).c_str()) == 0;
}

bool Files::read(const std::string& path, std::string& bytes, std::uint64_t limit) {
    int fd = open(native(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bytes.clear();
    char buf[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        const std::uint64_t room = limit - bytes.size();
        bytes.append(buf, std::size_t(std::min<std::uint64_t>(room, std::uint64_t(n))));
        if (std::uint64_t(n) > room) {
            ok = false; // more than the limit: no more is read
            break;
        }
    }
    close(fd);
    return ok;
}

bool Files::write(const std::string& path, const std::string& bytes) {
    return replaceWith(native(path), bytes);
}

bool Files::setCurrentFolder(const std::string& path) {
    return chdir(native(path).c_str()) == 0;
}

std::string Files::currentFolder() {
    std::string p(4096, '\0');
    while (!getcwd(p.data(), p.size())) {
        if (errno != ERANGE) return {};
        p.resize(p.size() * 2);
    }
    p.resize(p.find('\0'));
    return p;
}

std::vector<std::string> Files::drives() {
    std::vector<std::string> out{"/"};
    const std::string home = xdgFolder("HOME", "");
    if (!home.empty() && home != "/") out.push_back(home);
    std::ifstream mounts("/proc/self/mounts");
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device, where;
        fields >> device >> where;
        // Blanks and other bytes are written as octal escapes ("\040").
        std::string path;
        for (std::size_t i = 0; i < where.size(); ++i)
            if (where[i] == '\\' && i + 3 < where.size()) {
                path += char(std::strtol(where.substr(i + 1, 3).c_str(), nullptr, 8));
                i += 3;
            } else {
                path += where[i];
            }
        for (const char* base : {"/media/", "/mnt/", "/run/media/"})
            if (path.rfind(base, 0) == 0 && path != out.back()) out.push_back(path);
    }
    return out;
}

} // namespace lnx
