#pragma once
#include <string>

namespace platform {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Exclamation, Critical };
// The values match the classic box results, which the programs keep as text.
enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A message box. An empty title gives the program's own title.
    virtual Answer message(const std::string& text, Buttons buttons, Icon icon,
                           const std::string& title = "") = 0;
    // An input box; Cancel gives empty text.
    virtual std::string input(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) = 0;
    virtual void beep() = 0;
};

} // namespace platform
