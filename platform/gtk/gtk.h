#pragma once
// The GTK 3 side of the window model, message and input boxes, for the Linux programs.
#include <functional>
#include <string>

#include "platform/dialogs.h"
#include "platform/ui/window.h"

namespace gtkui {

// Message and input boxes over the program's open window. `title` is the caption of boxes
// that have none of their own.
class Dialogs : public platform::Dialogs {
  public:
    explicit Dialogs(std::string title) : title_(std::move(title)) {}
    platform::Answer message(const std::string& text, platform::Buttons buttons,
                             platform::Icon icon, const std::string& title) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;
    void beep() override;

    // The buttons' captions: given GTK's English words ("_OK", "_Cancel", "_Yes", "_No"), the
    // words in the program's language; without it the buttons speak GTK's words in the
    // system's language.
    std::function<std::string(const char* word)> words;

  private:
    std::string word(const char* gtkWord) const;
    std::string title_;
};

// A text as GTK can show it: the bytes of a name that is no UTF-8 (a file named on a Linux disk
// in another code) shown as replacement characters. The model keeps the bytes themselves.
std::string shown(const std::string& text);

// A picture the program carries, by its resource name; empty when there is none.
struct Resource {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};
Resource resource(const std::string& name);

// Starts GTK; false when there is no display.
bool start(int& argc, char**& argv);
// Creates the window's native side, runs its load handler, shows it unless it closed during
// loading, and runs until every window of the program is closed.
int run(ui::Window& window);

} // namespace gtkui
