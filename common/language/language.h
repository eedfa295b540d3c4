#pragma once
// The player's language: the one rule that decides it, the one way to pick a text, and the one
// way to say something or ask in a message box. Every window holds a Language value and keeps
// its texts in one place, English and German side by side.
#include <string>

#include "platform/dialogs.h"

namespace lang {

enum class Language { English, German };

// The language the settings' Language value stands for: "1" is German, anything else English.
Language fromSetting(const std::string& value);
// The Language value the settings store for a language.
std::string setting(Language l);

// A text the player reads, English and German side by side.
struct Text {
    std::string en, de;
};

// The text in the player's language.
inline const std::string& pick(Language l, const std::string& english, const std::string& german) {
    return l == Language::German ? german : english;
}
inline const std::string& pick(Language l, const Text& t) {
    return pick(l, t.en, t.de);
}

// A message box in the player's language, with the program's title unless one is given.
void tell(platform::Dialogs& dialogs, Language l, const std::string& english,
          const std::string& german, platform::Icon icon = platform::Icon::Exclamation,
          const std::string& title = "");
platform::Answer ask(platform::Dialogs& dialogs, Language l, const std::string& english,
                     const std::string& german, platform::Buttons buttons,
                     platform::Icon icon = platform::Icon::Question, const std::string& title = "");

inline void tell(platform::Dialogs& dialogs, Language l, const Text& t,
                 platform::Icon icon = platform::Icon::Exclamation, const std::string& title = "") {
    tell(dialogs, l, t.en, t.de, icon, title);
}
inline platform::Answer ask(platform::Dialogs& dialogs, Language l, const Text& t,
                            platform::Buttons buttons,
                            platform::Icon icon = platform::Icon::Question,
                            const std::string& title = "") {
    return ask(dialogs, l, t.en, t.de, buttons, icon, title);
}

} // namespace lang
