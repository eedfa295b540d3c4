#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "platform/platform.h"

namespace win32 {

class Files : public platform::Files {
  public:
    bool list(const std::string& folder, const std::string& pattern,
              std::vector<std::string>& names) override;
    bool listFolders(const std::string& folder, std::vector<std::string>& names) override;
    Presence presence(const std::string& path) override;
    std::optional<std::uint64_t> fileSize(const std::string& path) override;
    std::optional<platform::FileInfo> info(const std::string& path) override;
    bool copy(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool makeFolder(const std::string& path) override;
    using platform::Files::read;
    bool read(const std::string& path, std::string& bytes, std::uint64_t limit) override;
    bool replace(const std::string& from, const std::string& to) override;
    bool write(const std::string& path, const std::string& bytes) override;
    bool setCurrentFolder(const std::string& path) override;
    std::string currentFolder() override;
    std::vector<std::string> drives() override;
    bool sameName(const std::string& a, const std::string& b) override;

  private:
    std::map<std::string, std::uint64_t> volumes_; // volume of each folder asked, by its path
};

// Keystrokes through SendInput into the window activated by its title.
class Keys : public platform::Keys {
  public:
    platform::Activation activate(const std::string& title) override;
    bool send(const std::string& keys, bool wait) override;

  private:
    bool onTarget() const;
    HWND target_ = nullptr;
};

class Shortcuts : public platform::Shortcuts {
  public:
    std::string commonDesktop() override;
    std::string userDesktop() override;
    bool create(const std::string& link, const std::string& target) override;
};

// The window message boxes belong to: the program's visible main window, if any.
HWND dialogOwner();

} // namespace win32

namespace win32 {
// A modal input box: prompt, text box with the default, OK and Cancel; Cancel gives "".
std::string inputBox(const std::string& prompt, const std::string& title,
                     const std::string& defaultText);
} // namespace win32
