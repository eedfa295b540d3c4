#include "tests/support/disk_files.h"

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string> split(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !isSeparator(path[end])) ++end;
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

// The soft limit on the size of a file this process writes, for as long as it lives.
struct DiskFiles::SizeLimit {
    rlimit old{};
    bool set = false;
    SizeLimit(bool on, std::uint64_t bytes) {
        if (!on || getrlimit(RLIMIT_FSIZE, &old) != 0) return;
        rlimit now = old;
        now.rlim_cur = rlim_t(bytes);
        set = setrlimit(RLIMIT_FSIZE, &now) == 0;
    }
    ~SizeLimit() {
        if (set) setrlimit(RLIMIT_FSIZE, &old);
    }
};

DiskFiles::DiskFiles(const fs::path& root) : root_(root) {
    fs::remove_all(root_);
    fs::create_directories(root_);
}

DiskFiles::~DiskFiles() {
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(root_, ec))
        fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

// Each name is the one on the disk that equals it but for case, or as given where there is none.
std::string DiskFiles::real(const std::string& path) const {
    std::vector<std::string> parts;
    const std::string first = path.substr(0, path.find_first_of("\\/"));
    if (first.find(':') == std::string::npos) {
        parts = split(current_);
        if (!path.empty() && isSeparator(path[0])) parts.resize(1);
    }
    for (const std::string& p : split(path)) {
        if (p == "..") {
            if (parts.size() > 1) parts.pop_back();
        } else if (!p.empty() && p != ".") {
            parts.push_back(p);
        }
    }
    std::string out = root_.string();
    for (const std::string& name : parts) {
        if (name.empty()) continue;
        struct stat s;
        std::string found = out + "/" + name;
        if (lstat(found.c_str(), &s) != 0) {
            if (DIR* d = opendir(out.c_str())) {
                while (const dirent* e = readdir(d))
                    if (platform::sameNameIgnoringCase(e->d_name, name)) {
                        found = out + "/" + e->d_name;
                        break;
                    }
                closedir(d);
            }
        }
        out = found;
    }
    return out;
}

DiskFiles::Faulted DiskFiles::callFails(Call kind) {
    ++calls_;
    if (calls_ != failingCall_) return Faulted::No;
    failingCall_ = 0;
    if (fault_ == CallFault::FolderVanish) {
        std::error_code ec;
        fs::remove_all(real(faultFolder_), ec);
        return Faulted::No;
    }
    if (fault_ == CallFault::Partial && kind != Call::Other) return Faulted::Halfway;
    if (fault_ == CallFault::Short && kind == Call::Copy) return Faulted::Short;
    return Faulted::Fails;
}

void DiskFiles::failCall(int k, CallFault fault, const std::string& folder) {
    failingCall_ = calls_ + k;
    fault_ = fault;
    faultFolder_ = folder;
}

bool DiskFiles::list(const std::string& folder, const std::string& pattern,
                     std::vector<std::string>& names) {
    return !fails() && files_.list(real(folder), pattern, names);
}

bool DiskFiles::listFolders(const std::string& folder, std::vector<std::string>& names) {
    return !fails() && files_.listFolders(real(folder), names);
}

platform::Files::Presence DiskFiles::presence(const std::string& path) {
    return fails() ? Presence::Unknown : files_.presence(real(path));
}

std::optional<std::uint64_t> DiskFiles::fileSize(const std::string& path) {
    if (fails()) return std::nullopt;
    return files_.fileSize(real(path));
}

std::optional<platform::FileInfo> DiskFiles::info(const std::string& path) {
    if (fails()) return std::nullopt;
    return files_.info(real(path));
}

bool DiskFiles::copy(const std::string& from, const std::string& to) {
    const Faulted fault = callFails(Call::Copy);
    if (fault == Faulted::Fails) return false;
    const std::string source = real(from), target = real(to);
    bool ok;
    {
        SizeLimit limit(fault == Faulted::Halfway, files_.fileSize(source).value_or(0) / 2);
        ok = files_.copy(source, target);
    }
    if (ok && fault == Faulted::Short) {
        const auto size = files_.fileSize(target);
        return truncate(target.c_str(), off_t(size.value_or(0) / 2)) == 0;
    }
    if (ok) copyLog_.emplace_back(to, content(to).value_or(""));
    return ok;
}

bool DiskFiles::remove(const std::string& path) {
    return !fails() && files_.remove(real(path));
}

bool DiskFiles::rename(const std::string& from, const std::string& to) {
    return !fails() && files_.rename(real(from), real(to));
}

bool DiskFiles::replace(const std::string& from, const std::string& to) {
    return !fails() && files_.replace(real(from), real(to));
}

bool DiskFiles::makeFolder(const std::string& path) {
    return !fails() && files_.makeFolder(real(path));
}

bool DiskFiles::read(const std::string& path, std::string& bytes, std::uint64_t limit) {
    return !fails() && files_.read(real(path), bytes, limit);
}

bool DiskFiles::write(const std::string& path, const std::string& bytes) {
    const Faulted fault = callFails(Call::Write);
    if (fault == Faulted::Fails) return false;
    SizeLimit limit(fault == Faulted::Halfway, bytes.size() / 2);
    return files_.write(real(path), bytes);
}

bool DiskFiles::setCurrentFolder(const std::string& path) {
    if (fails() || files_.presence(real(path)) != Presence::Folder) return false;
    current_ = path;
    return true;
}

std::vector<std::string> DiskFiles::drives() {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(root_)) {
        std::string d = e.path().filename().string();
        for (char& c : d) c = char(std::tolower(static_cast<unsigned char>(c)));
        out.push_back(d);
    }
    return out;
}

void DiskFiles::addFolder(const std::string& path) {
    fs::create_directories(real(path));
}

void DiskFiles::addFile(const std::string& path, const std::string& bytes) {
    const std::string p = real(path);
    fs::create_directories(fs::path(p).parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

void DiskFiles::readOnly(const std::string& path) {
    fs::permissions(real(path),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

std::optional<std::string> DiskFiles::content(const std::string& path) const {
    const std::string p = real(path);
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) return std::nullopt;
    std::ifstream in(p, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool DiskFiles::has(const std::string& path) const {
    std::error_code ec;
    return fs::exists(real(path), ec);
}

std::map<std::string, std::string> DiskFiles::snapshot() const {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root_)) {
        if (!e.is_regular_file()) continue;
        std::string key = fs::relative(e.path(), root_).string();
        for (char& c : key) c = c == '/' ? '\\' : char(std::tolower(static_cast<unsigned char>(c)));
        std::ifstream in(e.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        out[key] = bytes.str();
    }
    return out;
}
