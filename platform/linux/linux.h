#pragma once
// The Linux implementations of the platform interfaces that need no window system: files,
// processes, the player's folders, desktop entries. Paths reach this layer as the logic builds
// them, with "\" between folders; they are taken with "/" instead.
#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace lnx {

// A path of the logic as the system takes it: every "\" becomes "/".
std::string native(const std::string& path);

// Every file is replaced by way of a temporary file of a name no one else uses, and reaches the
// disk, folder entry included, before the call returns. A symbolic link is written through to
// its target; a FIFO or a device is neither read nor replaced; a file without write permission
// is neither replaced nor removed.
class Files : public platform::Files {
  public:
    Files();
    bool list(const std::string& folder, const std::string& pattern,
              std::vector<std::string>& names) override;
    bool listFolders(const std::string& folder, std::vector<std::string>& names) override;
    Presence presence(const std::string& path) override;
    std::optional<std::uint64_t> fileSize(const std::string& path) override;
    std::optional<platform::FileInfo> info(const std::string& path) override;
    bool copy(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    // Never replaces what is at `to`, as on Windows.
    bool rename(const std::string& from, const std::string& to) override;
    bool makeFolder(const std::string& path) override;
    // Moves over `to` in one step (rename(2) replaces atomically).
    bool replace(const std::string& from, const std::string& to) override;
    using platform::Files::read;
    bool read(const std::string& path, std::string& bytes, std::uint64_t limit) override;
    // Linux file systems tell names apart by case: the same name is the same bytes.
    bool sameName(const std::string& a, const std::string& b) override { return a == b; }
    bool write(const std::string& path, const std::string& bytes) override;
    bool setCurrentFolder(const std::string& path) override;
    std::string currentFolder() override;
    // The root "/", then the player's home, then the mounted file systems a player picks from
    // (below /media, /mnt and /run/media).
    std::vector<std::string> drives() override;

  private:
    uid_t user_; // the user the file system acts for, asked once
};

// The player's folders by the XDG rules: the variable when it holds an absolute path, else the
// default below $HOME; empty when there is no home.
std::string xdgFolder(const char* variable, const std::string& fallbackBelowHome);

class Host : public platform::Host {
  public:
    // $XDG_DATA_HOME, where the game's preference path lies.
    std::string userDataFolder() override;
    // Programs on Linux carry no version resource.
    std::optional<platform::ProgramVersion> programVersion(const std::string&) override {
        return std::nullopt;
    }
    // Whether a process runs this program file, by /proc/<pid>/exe.
    bool running(const std::string& path) override;
    std::string tempFolder() override;
    bool processRunning(std::int32_t pid) override;
    // By /proc/<pid>/exe, else the bare name in /proc/<pid>/comm.
    std::string processProgram(std::int32_t pid) override;
    // With "/" between folders.
    std::string shownPath(const std::string& path) override { return native(path); }
    // Programs on Linux have no ending.
    std::string programFile(const std::string& name) override { return name; }
    platform::System system() override { return platform::System::Linux; }
    // $HOME, or the home the password database names.
    std::string homeFolder() override;
    // The first of $LANGUAGE (the first name of its list), $LC_ALL, $LC_MESSAGES and $LANG that is
    // set and not empty, as gettext asks them.
    std::string uiLanguage() override;
};

// Splits parameters into arguments as the game's own reader does on Windows: at blanks, an
// argument that starts with a double quote running to the next one. Empty arguments are left
// out: on Linux the game gets the arguments, not a line.
std::vector<std::string> splitArguments(const std::string& parameters);

class Shell : public platform::Shell {
  public:
    // A program is started with the parameters as its arguments, in `folder` (its own folder
    // when none is given); any other file is opened with xdg-open. A bare "gatefire.exe" or
    // "scourix.exe" not found in `folder` is the program of that name beside the running one.
    bool open(const std::string& file, const std::string& parameters, const std::string& folder,
              platform::ShowMode show) override;
    bool openAddress(const std::string& address, platform::ShowMode show) override;
    bool start(const std::string& program) override;
};

// Linux has no registry: the open-source game keeps its settings in its file alone.
class Registry : public platform::Registry {
  public:
    bool createKey(platform::RegRoot, const std::string&) override { return false; }
    bool setString(platform::RegRoot, const std::string&, const std::string&,
                   const std::string&) override {
        return false;
    }
    bool setDword(platform::RegRoot, const std::string&, const std::string&,
                  std::uint32_t) override {
        return false;
    }
    bool read(platform::RegRoot, const std::string&, const std::string&, std::string&) override {
        return false;
    }
    bool subkeys(platform::RegRoot, const std::string&, std::vector<std::string>&) override {
        return false;
    }
};

// No sound tester runs on Linux: there is no window to type into.
class Keys : public platform::Keys {
  public:
    platform::Activation activate(const std::string&) override {
        return platform::Activation::NoWindow;
    }
    bool send(const std::string&, bool) override { return false; }
    bool reachesOtherPrograms() override { return false; }
};

// Desktop entries: on the player's desktop (xdg-user-dir DESKTOP) and in the applications menu.
class Shortcuts : public platform::Shortcuts {
  public:
    // Linux has no desktop shared by all users.
    std::string commonDesktop() override { return {}; }
    std::string userDesktop() override;
    // Writes `link` as a desktop entry that starts `target`, making its folder where it is missing
    // (a new player's desktop), and the same entry in
    // ~/.local/share/applications where none is and no package's entry starts the same program;
    // never replaces a file.
    bool create(const std::string& link, const std::string& target) override;
    std::string extension() override { return ".desktop"; }
};

// The running program. Its settings live in $XDG_CONFIG_HOME/scourix, which is what
// programFolder() gives: the install folder of a Linux program is not the player's to write.
class App : public platform::App {
  public:
    explicit App(platform::Version v) : version_(v) {}
    std::string programFolder() override;
    platform::Version version() override { return version_; }
    std::uint64_t milliseconds() override;
    void end() override;

  private:
    platform::Version version_;
};

// The folder the running program was installed to.
std::string installFolder();

// The platform for one program; the dialogs come from the window system, the sound output (none
// unless given) from the program that plays sounds.
class System {
  public:
    System(platform::Dialogs& dialogs, platform::Version version,
           platform::Sound& sound = platform::Sound::none());
    platform::Platform& platform() { return platform_; }

  private:
    Files files_;
    Shell shell_;
    Registry registry_;
    App app_;
    platform::Cp1252 codepage_;
    Keys keys_;
    Shortcuts shortcuts_;
    Host host_;
    platform::Platform platform_;
};

} // namespace lnx
