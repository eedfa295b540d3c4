#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/win32/win32.h"
#include "platform/win32/win32_impl.h"
#include "resources/resource_ids.h"

namespace win32 {

std::wstring wide(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
    return w;
}

std::string utf8(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

namespace {

int showCommand(platform::ShowMode m) {
    switch (m) {
    case platform::ShowMode::Minimized:
        return SW_SHOWMINNOACTIVE;
    case platform::ShowMode::Hidden:
        return SW_HIDE;
    case platform::ShowMode::NoActivate:
        return SW_SHOWNOACTIVATE;
    case platform::ShowMode::Maximized:
        return SW_SHOWMAXIMIZED;
    default:
        return SW_SHOWNORMAL;
    }
}

class Shell : public platform::Shell {
  public:
    bool open(const std::string& file, const std::string& parameters, const std::string& folder,
              platform::ShowMode show) override {
        std::wstring f = wide(file), p = wide(parameters), d = wide(folder);
        auto r = reinterpret_cast<INT_PTR>(
            ShellExecuteW(dialogOwner(), L"open", f.c_str(), p.empty() ? nullptr : p.c_str(),
                          d.empty() ? nullptr : d.c_str(), showCommand(show)));
        return r > 32;
    }
    bool openAddress(const std::string& address, platform::ShowMode show) override {
        auto r = reinterpret_cast<INT_PTR>(ShellExecuteW(
            dialogOwner(), nullptr, wide(address).c_str(), nullptr, nullptr, showCommand(show)));
        return r > 32;
    }
    bool start(const std::string& program) override {
        std::wstring path = wide(program);
        std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
        std::wstring commandLine = L"\"" + path + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &si, &pi))
            return false;
        // The new program may take the focus from us.
        AllowSetForegroundWindow(pi.dwProcessId);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return true;
    }
};

HKEY rootKey(platform::RegRoot r) {
    return r == platform::RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// The game is a 32-bit program: every access goes to the 32-bit view of the registry, also when
// this program should ever be built for 64 bits.
const REGSAM kView = KEY_WOW64_32KEY;
// Query, set, create subkey, enumerate, notify and create link: the access the game's own
// tools ask for.
const REGSAM kAccess = 0x3F;

class Registry : public platform::Registry {
  public:
    bool createKey(platform::RegRoot root, const std::string& key) override {
        HKEY h;
        DWORD disposition;
        if (RegCreateKeyExW(rootKey(root), wide(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            kAccess | kView, nullptr, &h, &disposition) != ERROR_SUCCESS)
            return false;
        RegFlushKey(h);
        RegCloseKey(h);
        return true;
    }
    bool setString(platform::RegRoot root, const std::string& key, const std::string& name,
                   const std::string& value) override {
        std::wstring v = wide(value);
        return set(root, key, name, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                   DWORD((v.size() + 1) * sizeof(wchar_t)));
    }
    bool setDword(platform::RegRoot root, const std::string& key, const std::string& name,
                  std::uint32_t value) override {
        DWORD v = value;
        return set(root, key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
    }
    bool read(platform::RegRoot root, const std::string& key, const std::string& name,
              std::string& value) override {
        HKEY h;
        if (RegOpenKeyExW(rootKey(root), wide(key).c_str(), 0, KEY_QUERY_VALUE | kView, &h) !=
            ERROR_SUCCESS)
            return false;
        DWORD type = 0, size = 0;
        std::wstring n = wide(name);
        LONG r = RegQueryValueExW(h, n.c_str(), nullptr, &type, nullptr, &size);
        std::string data(size, '\0');
        if (r == ERROR_SUCCESS)
            r = RegQueryValueExW(h, n.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                 &size);
        RegCloseKey(h);
        if (r != ERROR_SUCCESS) return false;
        // Only the data returned counts: the value may have shrunk between the two queries.
        data.resize(std::min<std::size_t>(size, data.size()));
        platform::RegType kind = type == REG_SZ         ? platform::RegType::String
                                 : type == REG_MULTI_SZ ? platform::RegType::MultiString
                                 : type == REG_DWORD    ? platform::RegType::Dword
                                                        : platform::RegType::Other;
        value = platform::registryText(kind, data);
        return true;
    }
    bool subkeys(platform::RegRoot root, const std::string& key,
                 std::vector<std::string>& names) override {
        HKEY h;
        if (RegOpenKeyExW(rootKey(root), wide(key).c_str(), 0, KEY_ENUMERATE_SUB_KEYS | kView,
                          &h) != ERROR_SUCCESS)
            return false;
        names.clear();
        wchar_t name[256]; // the longest key name the registry allows, with its NUL
        for (DWORD i = 0;; ++i) {
            DWORD size = 256;
            if (RegEnumKeyExW(h, i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            names.push_back(utf8(std::wstring(name, size)));
        }
        RegCloseKey(h);
        return true;
    }

  private:
    bool set(platform::RegRoot root, const std::string& key, const std::string& name, DWORD type,
             const BYTE* data, DWORD size) {
        HKEY h;
        if (RegOpenKeyExW(rootKey(root), wide(key).c_str(), 0, kAccess | kView, &h) !=
            ERROR_SUCCESS)
            return false;
        LONG r = RegSetValueExW(h, wide(name).c_str(), 0, type, data, size);
        return RegCloseKey(h) == ERROR_SUCCESS && r == ERROR_SUCCESS;
    }
};

// The fixed part of a version resource: major.minor in the high double word, revision.build in
// the low one.
std::optional<platform::Version> fixedVersion(std::vector<BYTE>& data) {
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info)
        return std::nullopt;
    return platform::Version{int(HIWORD(info->dwFileVersionMS)), int(LOWORD(info->dwFileVersionMS)),
                             int(HIWORD(info->dwFileVersionLS))};
}

class App : public platform::App {
  public:
    std::string programFolder() override {
        std::wstring p = modulePath();
        return utf8(p.substr(0, p.find_last_of(L'\\')));
    }
    // Our own version resource, from the image in memory rather than the file read again.
    platform::Version version() override {
        HRSRC r = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
        HGLOBAL g = r ? LoadResource(nullptr, r) : nullptr;
        const auto* raw = static_cast<const BYTE*>(g ? LockResource(g) : nullptr);
        if (!raw) return {};
        std::vector<BYTE> data(raw, raw + SizeofResource(nullptr, r));
        return fixedVersion(data).value_or(platform::Version{});
    }
    std::uint64_t milliseconds() override { return GetTickCount64(); }
    void end() override { ExitProcess(0); }

  private:
    static std::wstring modulePath() {
        std::wstring p(MAX_PATH, L'\0');
        for (;;) {
            DWORD n = GetModuleFileNameW(nullptr, p.data(), DWORD(p.size()));
            if (n < p.size()) return p.substr(0, n);
            p.resize(p.size() * 2);
        }
    }
};

class Host : public platform::Host {
  public:
    std::string userDataFolder() override {
        wchar_t path[MAX_PATH];
        if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
            return {};
        std::string folder = utf8(path);
        while (!folder.empty() && folder.back() == '\\') folder.pop_back();
        return folder;
    }
    std::string tempFolder() override {
        wchar_t path[MAX_PATH + 2];
        const DWORD n = GetTempPathW(MAX_PATH + 2, path);
        if (n == 0 || n > MAX_PATH + 1) return {};
        std::string folder = utf8(std::wstring(path, n));
        while (!folder.empty() && folder.back() == '\\') folder.pop_back();
        return folder;
    }
    // The user's interface language, named by its primary language ("de", "fr", ...), as the
    // locale names of the other systems name it.
    std::string uiLanguage() override {
        wchar_t name[LOCALE_NAME_MAX_LENGTH];
        const LANGID id = MAKELANGID(PRIMARYLANGID(GetUserDefaultUILanguage()), SUBLANG_DEFAULT);
        if (!LCIDToLocaleName(MAKELCID(id, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0))
            return {};
        return utf8(name);
    }
    bool processRunning(std::int32_t pid) override {
        if (pid <= 0) return false;
        HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
        if (!h) return false;
        const bool runs = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
        CloseHandle(h);
        return runs;
    }
    std::string processProgram(std::int32_t pid) override {
        if (pid <= 0) return "";
        HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
        if (!h) return "";
        wchar_t path[MAX_PATH * 4];
        DWORD n = MAX_PATH * 4;
        const bool told = QueryFullProcessImageNameW(h, 0, path, &n);
        CloseHandle(h);
        return told ? utf8(std::wstring(path, n)) : "";
    }
    std::optional<platform::ProgramVersion> programVersion(const std::string& file) override {
        std::wstring p = wide(file);
        DWORD ignored = 0, size = GetFileVersionInfoSizeW(p.c_str(), &ignored);
        std::vector<BYTE> data(size);
        if (!size || !GetFileVersionInfoW(p.c_str(), 0, size, data.data())) return {};
        const auto fixed = fixedVersion(data);
        if (!fixed) return {};
        platform::ProgramVersion v;
        v.major = fixed->major, v.minor = fixed->minor, v.build = fixed->revision;
        UINT len = 0;
        // The original name in the first language the resource lists.
        struct Translation {
            WORD language, codePage;
        }* t = nullptr;
        if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&t),
                           &len) &&
            t && len >= sizeof *t) {
            wchar_t key[64];
            swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\OriginalFilename", t->language,
                     t->codePage);
            wchar_t* name = nullptr;
            if (VerQueryValueW(data.data(), key, reinterpret_cast<void**>(&name), &len) && name &&
                len)
                v.originalName = utf8(name);
        }
        return v;
    }
    bool running(const std::string& program) override {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) return false;
        std::wstring wanted = wide(program);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        bool found = false;
        for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
             more = Process32NextW(snapshot, &entry)) {
            HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
            if (!h) continue;
            wchar_t path[MAX_PATH * 4];
            DWORD n = MAX_PATH * 4;
            if (QueryFullProcessImageNameW(h, 0, path, &n))
                found = CompareStringOrdinal(path, int(n), wanted.c_str(), int(wanted.size()),
                                             TRUE) == CSTR_EQUAL;
            CloseHandle(h);
        }
        CloseHandle(snapshot);
        return found;
    }
};

// The system's own single-byte code page.
class Codepage : public platform::Codepage {
  public:
    std::string toUtf8(const std::string& ansi) override {
        if (ansi.empty()) return {};
        int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
        std::wstring w(n, L'\0');
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), w.data(), n);
        return utf8(w);
    }
    std::string fromUtf8(const std::string& text) override {
        std::wstring w = wide(text);
        if (w.empty()) return {};
        int n =
            WideCharToMultiByte(CP_ACP, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
        std::string s(n, '\0');
        WideCharToMultiByte(CP_ACP, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
        return s;
    }
};

UINT buttonFlags(platform::Buttons b) {
    switch (b) {
    case platform::Buttons::OkCancel:
        return MB_OKCANCEL;
    case platform::Buttons::YesNo:
        return MB_YESNO;
    case platform::Buttons::YesNoCancel:
        return MB_YESNOCANCEL;
    default:
        return MB_OK;
    }
}

UINT iconFlags(platform::Icon i) {
    switch (i) {
    case platform::Icon::Information:
        return MB_ICONINFORMATION;
    case platform::Icon::Question:
        return MB_ICONQUESTION;
    case platform::Icon::Exclamation:
        return MB_ICONEXCLAMATION;
    case platform::Icon::Critical:
        return MB_ICONERROR;
    default:
        return 0;
    }
}

// While a dialog box shows, the dialog manifest of a program that has one is made active, so
// that the box's buttons are the version 6 common controls even where the program's own window
// does without them. A program without that manifest already has them.
class DialogLook {
  public:
    DialogLook() {
        wchar_t path[MAX_PATH * 2];
        ACTCTXW a{};
        a.cbSize = sizeof a;
        a.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        a.hModule = GetModuleHandleW(nullptr);
        a.lpResourceName = MAKEINTRESOURCEW(DIALOG_MANIFEST_RESOURCE_ID);
        if (!FindResourceW(a.hModule, a.lpResourceName, RT_MANIFEST) ||
            !GetModuleFileNameW(nullptr, path, DWORD(std::size(path))))
            return;
        a.lpSource = path;
        context_ = CreateActCtxW(&a);
        if (context_ != INVALID_HANDLE_VALUE && !ActivateActCtx(context_, &cookie_)) cookie_ = 0;
    }
    ~DialogLook() {
        if (cookie_) DeactivateActCtx(0, cookie_);
        if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
    }
    DialogLook(const DialogLook&) = delete;
    DialogLook& operator=(const DialogLook&) = delete;

  private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};

class Dialogs : public platform::Dialogs {
  public:
    explicit Dialogs(std::string title) : title_(std::move(title)) {}
    platform::Answer message(const std::string& text, platform::Buttons buttons,
                             platform::Icon icon, const std::string& title) override {
        DialogLook look;
        int r = MessageBoxW(dialogOwner(), wide(text).c_str(),
                            wide(title.empty() ? title_ : title).c_str(),
                            buttonFlags(buttons) | iconFlags(icon) | MB_SETFOREGROUND);
        switch (r) {
        case IDOK:
            return platform::Answer::Ok;
        case IDYES:
            return platform::Answer::Yes;
        case IDNO:
            return platform::Answer::No;
        default:
            return platform::Answer::Cancel;
        }
    }
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override {
        DialogLook look;
        return inputBox(prompt, title.empty() ? title_ : title, defaultText);
    }
    void beep() override { MessageBeep(MB_OK); }

  private:
    std::string title_;
};

} // namespace

struct System::Impl {
    Impl(std::string title, platform::Sound& sound) : dialogs(std::move(title)), sound(sound) {}
    Files files;
    Shell shell;
    Registry registry;
    Dialogs dialogs;
    App app;
    Codepage codepage;
    Keys keys;
    Shortcuts shortcuts;
    Host host;
    platform::Sound& sound;
    platform::Platform platform{files,    shell, registry,  dialogs, app,
                                codepage, keys,  shortcuts, host,    sound};
};

System::System(std::string title, platform::Sound& sound)
    : impl_(std::make_unique<Impl>(std::move(title), sound)) {}
System::~System() = default;
platform::Platform& System::platform() {
    return impl_->platform;
}

} // namespace win32
