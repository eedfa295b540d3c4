#pragma once
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/ui/window.h"

namespace win32 {

// The Windows implementations of the platform interfaces, for one program.
class System {
  public:
    // `title` is the caption of message boxes that have none of their own; the sound output is
    // none unless the program gives one (win32::Sound).
    explicit System(std::string title, platform::Sound& sound = platform::Sound::none());
    ~System();
    platform::Platform& platform();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Creates the window's native controls, runs its load handler, shows it unless it closed
// during loading, and dispatches messages until it is closed.
int run(ui::Window& window);

// Text conversion at the Win32 boundary.
std::wstring wide(const std::string& utf8);
std::string utf8(const std::wstring& wide);

} // namespace win32
