#pragma once
#include <functional>
#include <string>

#include "common/language/language.h"
#include "config/tools/tools.h"
#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

// The search window for MusicTester.exe: drive, folder and file lists; "ok" hands the found
// tester's path to `found` and closes.
class Sucher : public ui::Window {
  public:
    Sucher(platform::Platform& p, ui::Window& window, Owner& owner,
           std::function<void(const std::string& path)> found);

    void load() override;

  private:
    platform::Platform& p_;
    Owner& owner_;
    std::function<void(const std::string&)> found_;

  public:
    ui::DriveList Drive1{*this, "Drive1", p_.files};
    ui::DirList Dir1{*this, "Dir1", p_.files};
    ui::FileList File1{*this, "File1", p_.files};
    ui::Button Command1{*this, "Command1"};

  private:
    // The folder the lists start in: the game folder's parent, or the game folder itself when
    // its path is too short to have one (fewer than ten characters).
    std::string startFolder() const;
    void Command1Click();

    lang::Language language_ = lang::Language::English;
    BrowsePanel panel_;
};

} // namespace scourix
