// linkinfo.exe LINK...: resolves each shell link through the shell's own link object and prints
// "LINK -> TARGET" per link, or "LINK -> <error>" when it is no readable link. Exit 0 when all
// were read.
#include "standin.h"

#include <objbase.h>
#include <shobjidl.h>

#include <cstdio>

namespace {

std::string target(const std::wstring& link) {
    IShellLinkW* shellLink = nullptr;
    IPersistFile* file = nullptr;
    std::string out = "<error>";
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shellLink))) &&
        SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
        shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK)
        out = standin::utf8(path);
    if (file) file->Release();
    if (shellLink) shellLink->Release();
    return out;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int rc = 0;
    for (int i = 1; i < argc; ++i) {
        std::string t = target(argv[i]);
        if (t == "<error>") rc = 1;
        std::printf("%s -> %s\n", standin::utf8(argv[i]).c_str(), t.c_str());
    }
    CoUninitialize();
    return rc;
}
