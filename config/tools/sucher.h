#pragma once
#include <string>

#include "common/language/language.h"
#include "config/tools/tools.h"
#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

class Mt;

// The search window for MusicTester.exe: drive, folder and file lists; "ok" writes the found
// tester's path into the options window `mt`.
class Sucher : public ui::Window {
  public:
    Sucher(platform::Platform& p, Mt& mt);

    void load() override;

  private:
    platform::Platform& p_;
    Mt& mt_;

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
