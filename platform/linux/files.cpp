#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
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
        // The programs name files with "\" between folders: a name holding one would reach
        // another file, so it is not listed and stays as it is.
        if (n.find('\\') != std::string::npos) continue;
        if (keep(n, kindOf(f, e))) names.push_back(n);
    }
    closedir(d);
    return true;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename or a new name in `folder` durable: the folder's entries reach the disk.
bool syncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
}

// The file a path names once its symbolic links are followed, so that a player's settings file
// that links into a folder of his own is written where the link points, and the link stays.
// Empty for a loop of links.
std::string followLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::string target(4096, '\0');
        const ssize_t n = readlink(path.c_str(), target.data(), target.size());
        if (n < 0 || std::size_t(n) >= target.size()) return path; // not a link
        target.resize(std::size_t(n));
        path = target[0] == '/' ? target : folderOf(path) + "/" + target;
    }
    return {};
}

// A file without write permission is the player's read-only file: it is neither replaced nor
// removed, as Windows refuses both for a read-only file. The mode bits are asked themselves, as
// the superuser passes every access check. For the superuser and for the file's owner the bits
// are the whole answer, so the stat already made suffices: the system is asked only about
// another's file, where it weighs groups and access lists.
bool writable(const std::string& path, const struct stat& s, uid_t user) {
    if ((s.st_mode & 0222) == 0) return false;
    if (user == 0) return true;
    if (s.st_uid == user) return (s.st_mode & S_IWUSR) != 0;
    return access(path.c_str(), W_OK) == 0;
}

// A new file beside `target`, under a name no one else uses: created exclusively and never
// through a link, so that a file of the player's that happens to carry the name is not touched.
int createTemporary(const std::string& target, std::string& temp, mode_t mode) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%x%x.tmp~", unsigned(getpid()),
                      ++counter * 2654435761u ^ unsigned(std::rand()));
        temp = target + suffix;
        int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Opens a file to read it whole: a regular file only, and without waiting on a FIFO or a device
// (the caller counts such a file as unreadable).
int openRegular(const std::string& path, struct stat& s) {
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    if (fstat(fd, &s) != 0 || !S_ISREG(s.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// Writes beside the target and renames over it: the target is whole before and after. The data
// reaches the disk before the rename, the folder's new entry after it. `fill` writes the data
// into the open temporary file. A copy (`source` given) takes the source's rights and times, as
// a copy on Windows does; a written file keeps the rights and owner the player gave the old
// one. A target that is there but is no regular file, or that may not be written, is refused.
template <typename Fill>
bool replaceWith(const std::string& target, uid_t user, Fill fill,
                 const struct stat* source = nullptr) {
    struct stat old;
    const bool existed = stat(target.c_str(), &old) == 0;
    if (!existed && errno != ENOENT) return false;
    if (existed && (!S_ISREG(old.st_mode) || !writable(target, old, user))) return false;
    std::string temp;
    const struct stat* like = source ? source : existed ? &old : nullptr;
    int fd = createTemporary(target, temp, like ? 0600 : 0666);
    if (fd < 0) return false;
    bool ok = fill(fd);
    if (existed && !source) (void)!fchown(fd, old.st_uid, old.st_gid); // when we may
    ok = ok && (!like || fchmod(fd, like->st_mode & 07777) == 0);
    if (source) {
        const timespec times[2] = {source->st_atim, source->st_mtim};
        ok = ok && futimens(fd, times) == 0;
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    return syncFolder(folderOf(target));
}

} // namespace

// A write past the size limit of `ulimit -f` then fails as a full disk does, instead of ending
// the program halfway through a file.
Files::Files() : user_(geteuid()) {
    signal(SIGXFSZ, SIG_IGN);
}

bool Files::list(const std::string& folder, const std::string& pattern,
                 std::vector<std::string>& names) {
    const bool all = pattern == "*" || pattern == "*.*";
    // Programs are the files the player may execute, whatever their names.
    const std::string f = native(folder);
    if (pattern == platform::kPrograms)
        return listWith(folder, names, [&](const std::string& n, int kind) {
            return kind == DT_REG && access((f + "/" + n).c_str(), X_OK) == 0;
        });
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

// A FIFO or a device has no size to copy: none, as for a file that cannot be asked.
std::optional<std::uint64_t> Files::fileSize(const std::string& path) {
    struct stat s;
    if (stat(native(path).c_str(), &s) != 0 || !S_ISREG(s.st_mode)) return std::nullopt;
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

// The bytes go across in blocks: a taunt of any size costs no more memory than one block.
bool Files::copy(const std::string& from, const std::string& to) {
    struct stat s;
    int in = openRegular(native(from), s);
    if (in < 0) return false;
    const bool ok = replaceWith(
        native(to), user_,
        [&](int out) {
            char buf[65536];
            for (;;) {
                const ssize_t n = ::read(in, buf, sizeof buf);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) return n == 0;
                if (!writeAll(out, buf, std::size_t(n))) return false;
            }
        },
        &s);
    close(in);
    return ok;
}

// unlink removes no folder (EISDIR), as DeleteFile removes none, nor a read-only file. One
// lstat and the unlink: the cleaning calls this once for every file it removes.
bool Files::remove(const std::string& path) {
    const std::string p = native(path);
    struct stat s;
    if (lstat(p.c_str(), &s) != 0) return false;
    if (S_ISREG(s.st_mode) && !writable(p, s, user_)) {
        errno = EACCES;
        return false;
    }
    return unlink(p.c_str()) == 0;
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
    const std::string f = native(from), t = native(to);
    struct stat s;
    const bool there = lstat(t.c_str(), &s) == 0;
    if (!there && errno != ENOENT) return false;
    // A link is replaced itself, its target untouched; a FIFO, a folder or a read-only file is not.
    if (there && !S_ISLNK(s.st_mode) && (!S_ISREG(s.st_mode) || !writable(t, s, user_)))
        return false;
    if (::rename(f.c_str(), t.c_str()) != 0) return false;
    return syncFolder(folderOf(t)) && (folderOf(f) == folderOf(t) || syncFolder(folderOf(f)));
}

bool Files::read(const std::string& path, std::string& bytes, std::uint64_t limit) {
    struct stat s;
    int fd = openRegular(native(path), s);
    if (fd < 0) return false;
    bytes.clear();
    if (std::uint64_t(s.st_size) > limit) {
        close(fd);
        return false;
    }
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
    const std::string target = followLinks(native(path));
    return !target.empty() && replaceWith(target, user_, [&](int fd) {
        return writeAll(fd, bytes.data(), bytes.size());
    });
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
