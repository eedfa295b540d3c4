#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// What the file system says about one file or folder: which one it is (its volume and its
// index there, the same for every spelling of its path: case, short names, links) and its size.
struct FileInfo {
    std::uint64_t volume = 0, index = 0, indexHigh = 0; // a file index may have 128 bits
    std::uint64_t size = 0;
    bool sameFileAs(const FileInfo& o) const {
        return volume == o.volume && index == o.index && indexHigh == o.indexHigh;
    }
};

// The file system as both programs use it. Paths are Windows paths in UTF-8
// ("C:\Games\Descent3\custom\sounds\a.osf"), passed on exactly as given.
class Files {
  public:
    virtual ~Files() = default;

    // Plain names of the files (not folders) in `folder` matching `pattern`, in the
    // platform's listing order. `pattern` is "*" for all files, or a list of masks
    // separated by ';' ("*.ogf;*.oaf"), or kPrograms. False when the folder does not exist.
    virtual bool list(const std::string& folder, const std::string& pattern,
                      std::vector<std::string>& names) = 0;
    // Plain names of the subfolders of `folder`, without "." and "..".
    virtual bool listFolders(const std::string& folder, std::vector<std::string>& names) = 0;
    // What is at `path`: Missing only when the file system says for certain that nothing is
    // there; Unknown when it could not be asked (no rights, a drive not ready, a failing call).
    enum class Presence { File, Folder, Missing, Unknown };
    virtual Presence presence(const std::string& path) = 0;
    bool exists(const std::string& path) { return presence(path) == Presence::File; }
    bool folderExists(const std::string& path) { return presence(path) == Presence::Folder; }
    // Nothing is there, for certain: the only answer on which a file may be made from nothing.
    bool missing(const std::string& path) { return presence(path) == Presence::Missing; }
    // Size in bytes of a file, none when it does not exist.
    virtual std::optional<std::uint64_t> fileSize(const std::string& path) = 0;
    // Identity and size of a file or folder; none when it does not exist or cannot be asked.
    virtual std::optional<FileInfo> info(const std::string& path) = 0;
    // Copies a file, replacing an existing target.
    virtual bool copy(const std::string& from, const std::string& to) = 0;
    virtual bool remove(const std::string& path) = 0;
    // Never replaces an existing file.
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    // Moves a file over another in one step, replacing it; when it fails, both stay as they
    // were.
    virtual bool replace(const std::string& from, const std::string& to) = 0;
    virtual bool makeFolder(const std::string& path) = 0;
    // Whole-file read of raw bytes. False also when the file holds more than `limit` bytes:
    // then no more than that is read.
    virtual bool read(const std::string& path, std::string& bytes, std::uint64_t limit) = 0;
    // The files the programs read whole are small text files: a larger one counts as unreadable.
    static constexpr std::uint64_t kReadLimit = 1 << 20;
    bool read(const std::string& path, std::string& bytes) { return read(path, bytes, kReadLimit); }
    // Replaces the file atomically: the data is written beside it and swapped in,
    // so a failed write leaves the old file whole.
    virtual bool write(const std::string& path, const std::string& bytes) = 0;
    virtual bool setCurrentFolder(const std::string& path) = 0;
    // The current folder, a full path.
    virtual std::string currentFolder() = 0;
    // The drive letters of the system, lower case with colon ("c:").
    virtual std::vector<std::string> drives() = 0;
    // Whether two file names name the same file in one folder: equal but for letter case, as
    // the file system compares them (ordinal, over UTF-16, each character in upper case).
    virtual bool sameName(const std::string& a, const std::string& b) = 0;
};

// Makes `folder` with every folder above it that is certainly missing, as a file manager makes
// them (a folder that cannot be asked is left alone). True when the folder is there then.
bool makeFolders(Files& files, const std::string& folder);

// The comparison of Files::sameName in portable code: the upper case of the Latin, Greek and
// Cyrillic letters, every other character as it is.
bool sameNameIgnoringCase(const std::string& a, const std::string& b);
// The key of that comparison: two names are the same by it exactly when their keys are equal.
std::u32string upperCaseKey(const std::string& name);

// Whether Windows takes `name` as the name of a file in a folder: not empty, none of
// \ / : * ? " < > | nor a control character, no dot or blank at its end, and no device name
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9), also not with an extension.
bool validFileName(const std::string& name);

// The pattern for the programs a player can start: "*.exe" on Windows; on Linux every regular
// file the player may execute.
inline const std::string kPrograms = "<programs>";

// "*.ogf;*.oaf" against a plain file name, case-insensitive as Windows matches; kPrograms as
// "*.exe".
bool matchesPattern(const std::string& name, const std::string& pattern);

} // namespace platform
