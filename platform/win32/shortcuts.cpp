#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32/win32.h"
#include "platform/win32/win32_impl.h"

namespace win32 {
namespace {

std::string folderPath(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
    return utf8(path);
}

// Releases a COM interface at the end of its scope.
template <class T> struct Ref {
    T* p = nullptr;
    ~Ref() {
        if (p) p->Release();
    }
};

} // namespace

std::string Shortcuts::commonDesktop() {
    return folderPath(CSIDL_COMMON_DESKTOPDIRECTORY);
}

std::string Shortcuts::userDesktop() {
    return folderPath(CSIDL_DESKTOPDIRECTORY);
}

// The shell's own link object, saved through its file interface; a file that exists is not
// replaced.
bool Shortcuts::create(const std::string& link, const std::string& target) {
    const std::wstring path = wide(link);
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool saved = false;
    {
        Ref<IShellLinkW> shellLink;
        Ref<IPersistFile> file;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkW, reinterpret_cast<void**>(&shellLink.p))) &&
            SUCCEEDED(shellLink.p->SetPath(wide(target).c_str())) &&
            SUCCEEDED(
                shellLink.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))))
            saved = SUCCEEDED(file.p->Save(path.c_str(), TRUE));
    }
    if (SUCCEEDED(init)) CoUninitialize();
    // A failed save may leave a partial file behind; it is no shortcut of the player's.
    if (!saved) DeleteFileW(path.c_str());
    return saved && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace win32
