#include <windows.h>
#include <winternl.h>

#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/win32/win32.h"
#include "platform/win32/win32_impl.h"

namespace win32 {

bool Files::list(const std::string& folder, const std::string& pattern,
                 std::vector<std::string>& names) {
    WIN32_FIND_DATAW d;
    // Listing everything and matching ourselves keeps short 8.3 names out of the match.
    HANDLE h = FindFirstFileExW(wide(folder + "\\*").c_str(), FindExInfoBasic, &d,
                                FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) {
        if (!folderExists(folder)) return false;
        names.clear();
        return true;
    }
    names.clear();
    bool all = pattern == "*" || pattern == "*.*";
    do {
        if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string name = utf8(d.cFileName);
        if (all || platform::matchesPattern(name, pattern)) names.push_back(std::move(name));
    } while (FindNextFileW(h, &d));
    FindClose(h);
    return true;
}

bool Files::listFolders(const std::string& folder, std::vector<std::string>& names) {
    WIN32_FIND_DATAW d;
    HANDLE h = FindFirstFileExW(wide(folder + "\\*").c_str(), FindExInfoBasic, &d,
                                FindExSearchNameMatch, nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) return false;
    names.clear();
    do {
        std::wstring n = d.cFileName;
        if ((d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && n != L"." && n != L"..")
            names.push_back(utf8(n));
    } while (FindNextFileW(h, &d));
    FindClose(h);
    return true;
}

platform::Files::Presence Files::presence(const std::string& path) {
    DWORD a = GetFileAttributesW(wide(path).c_str());
    if (a != INVALID_FILE_ATTRIBUTES)
        return a & FILE_ATTRIBUTE_DIRECTORY ? Presence::Folder : Presence::File;
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
        return Presence::Missing;
    default: // no rights, a drive not ready, a network that does not answer: no answer
        return Presence::Unknown;
    }
}

std::optional<std::uint64_t> Files::fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &d) ||
        (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return (std::uint64_t(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

namespace {

// Opening with no access rights and backup semantics works for folders and for files that are
// open elsewhere; links are followed, so a link and its target give the same identity.
HANDLE openForQuery(const std::string& path) {
    return CreateFileW(wide(path).c_str(), 0,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Volume and 128-bit index of an open file or folder, with the older query where the newer one
// is missing.
bool fullIdentity(HANDLE h, platform::FileInfo& i) {
    FILE_ID_INFO id;
    if (GetFileInformationByHandleEx(h, FileIdInfo, &id, sizeof id)) {
        i.volume = id.VolumeSerialNumber;
        std::memcpy(&i.index, id.FileId.Identifier, 8);
        std::memcpy(&i.indexHigh, id.FileId.Identifier + 8, 8);
        return true;
    }
    BY_HANDLE_FILE_INFORMATION d;
    if (!GetFileInformationByHandle(h, &d)) return false;
    i.volume = d.dwVolumeSerialNumber;
    i.index = (std::uint64_t(d.nFileIndexHigh) << 32) | d.nFileIndexLow;
    return true;
}

// The file's index on its volume alone (FileInternalInformation), which does not ask for the
// volume's details.
bool fileIndex(HANDLE h, std::uint64_t& index) {
    struct {
        LARGE_INTEGER IndexNumber;
    } internal;
    IO_STATUS_BLOCK io;
    const auto fileInternalInformation = static_cast<FILE_INFORMATION_CLASS>(6);
    if (NtQueryInformationFile(h, &io, &internal, sizeof internal, fileInternalInformation) < 0)
        return false;
    index = std::uint64_t(internal.IndexNumber.QuadPart);
    return true;
}

std::string parentOf(const std::string& path) {
    std::size_t end = path.find_last_not_of("\\/");
    std::size_t slash = end == std::string::npos ? end : path.find_last_of("\\/", end);
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

} // namespace

// A file lies on the volume of its folder; the volume's details cost a round trip to Wine's
// mount manager per query, so they are asked once per folder. Folders are asked in full: one
// may be the mount point of another volume.
std::optional<platform::FileInfo> Files::info(const std::string& path) {
    HANDLE h = openForQuery(path);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    platform::FileInfo i;
    FILE_STANDARD_INFO standard;
    bool ok = GetFileInformationByHandleEx(h, FileStandardInfo, &standard, sizeof standard);
    if (ok) i.size = standard.Directory ? 0 : std::uint64_t(standard.EndOfFile.QuadPart);
    if (ok && !standard.Directory && fileIndex(h, i.index)) {
        const std::string folder = parentOf(path);
        auto known = volumes_.find(folder);
        if (known == volumes_.end()) {
            // A drive's root ("C:\") is asked as it is, any other folder without its last "\".
            const bool root = folder.size() >= 2 && folder[folder.size() - 2] == ':';
            std::optional<platform::FileInfo> f =
                folder.empty() ? std::nullopt
                               : info(root ? folder : folder.substr(0, folder.size() - 1));
            ok = f.has_value();
            if (ok) known = volumes_.emplace(folder, f->volume).first;
        }
        if (ok) i.volume = known->second;
    } else if (ok) {
        ok = fullIdentity(h, i);
    }
    CloseHandle(h);
    if (!ok) return std::nullopt;
    return i;
}

namespace {

// Writes what the system still holds of a file to the disk. A read-only file (a copy of a
// read-only one) is opened for it with its attribute lifted for the moment.
bool flush(const std::wstring& path) {
    auto open = [&] {
        return CreateFileW(path.c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE h = open();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool readOnly = h == INVALID_HANDLE_VALUE && attributes != INVALID_FILE_ATTRIBUTES &&
                          (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly && SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        h = open();
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = FlushFileBuffers(h);
    CloseHandle(h);
    if (readOnly) SetFileAttributesW(path.c_str(), attributes);
    return ok;
}

} // namespace

// The copy is on the disk before the call returns: a backup is made before its source goes.
bool Files::copy(const std::string& from, const std::string& to) {
    const std::wstring target = wide(to);
    return CopyFileW(wide(from).c_str(), target.c_str(), FALSE) && flush(target);
}

bool Files::remove(const std::string& path) {
    return DeleteFileW(wide(path).c_str()) != 0;
}

bool Files::rename(const std::string& from, const std::string& to) {
    return MoveFileW(wide(from).c_str(), wide(to).c_str()) != 0;
}

bool Files::makeFolder(const std::string& path) {
    return CreateDirectoryW(wide(path).c_str(), nullptr) != 0;
}

bool Files::replace(const std::string& from, const std::string& to) {
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Files::read(const std::string& path, std::string& bytes, std::uint64_t limit) {
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(h, &size) && std::uint64_t(size.QuadPart) <= limit;
    char buf[16384];
    DWORD got = 0;
    while (ok && (ok = ReadFile(h, buf, sizeof buf, &got, nullptr)) && got > 0) {
        // The file may grow while it is read.
        ok = bytes.size() + got <= limit;
        if (ok) bytes.append(buf, got);
    }
    CloseHandle(h);
    return ok;
}

// The data goes to a new file beside the target, under a name no one else uses (created only
// where nothing is), and takes the target's place once it is on the disk.
bool Files::write(const std::string& path, const std::string& bytes) {
    const std::wstring target = wide(path);
    static unsigned counter = 0;
    std::wstring temp;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        temp = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++counter) + L".tmp~";
        h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    bool ok = WriteFile(h, bytes.data(), DWORD(bytes.size()), &put, nullptr) &&
              put == bytes.size() && FlushFileBuffers(h);
    ok = CloseHandle(h) && ok;
    ok = ok && MoveFileExW(temp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

bool Files::setCurrentFolder(const std::string& path) {
    return SetCurrentDirectoryW(wide(path).c_str()) != 0;
}

std::string Files::currentFolder() {
    std::wstring p(GetCurrentDirectoryW(0, nullptr), L'\0');
    p.resize(GetCurrentDirectoryW(DWORD(p.size()), p.data()));
    return utf8(p);
}

std::vector<std::string> Files::drives() {
    std::vector<std::string> out;
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i)
        if (mask & (1u << i)) out.push_back(std::string(1, char('a' + i)) + ":");
    return out;
}

bool Files::sameName(const std::string& a, const std::string& b) {
    const std::wstring x = wide(a), y = wide(b);
    return CompareStringOrdinal(x.c_str(), int(x.size()), y.c_str(), int(y.size()), TRUE) ==
           CSTR_EQUAL;
}

} // namespace win32
