// bare-delete.exe FOLDER KEEPFILE [BACKUP]: deletes every file in FOLDER whose name is not a
// line of KEEPFILE (exact, case-sensitive; a line written in quotes counts without its quotes).
// With BACKUP it first copies every file of FOLDER into BACKUP, replacing older copies, and then
// deletes those not kept (without any check). No window; the baseline the launcher's cleaning
// is measured against.
#include "standin.h"

#include <set>
#include <vector>

namespace {

std::set<std::wstring> readKeepList(const std::wstring& path) {
    std::set<std::wstring> keep;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return keep;
    std::string bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
    CloseHandle(h);

    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
            line = line.substr(1, line.size() - 2);
        int n = MultiByteToWideChar(CP_ACP, 0, line.data(), int(line.size()), nullptr, 0);
        std::wstring name(n, L'\0');
        MultiByteToWideChar(CP_ACP, 0, line.data(), int(line.size()), name.data(), n);
        keep.insert(name);
    }
    return keep;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 && argc != 4) return 2;
    std::wstring folder = argv[1];
    std::set<std::wstring> keep = readKeepList(argv[2]);

    // List first, then delete, so the deleting never works on a listing that changes under it.
    std::vector<std::wstring> all, doomed;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return 1;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (argc == 4) all.push_back(fd.cFileName);
        if (!keep.count(fd.cFileName)) doomed.push_back(fd.cFileName);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    for (const std::wstring& name : all)
        CopyFileW((folder + L"\\" + name).c_str(), (std::wstring(argv[3]) + L"\\" + name).c_str(),
                  FALSE);
    for (const std::wstring& name : doomed) DeleteFileW((folder + L"\\" + name).c_str());
    return 0;
}
