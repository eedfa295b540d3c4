#include "common/language/language.h"

namespace lang {

Language fromSetting(const std::string& value) {
    return value == "1" ? Language::German : Language::English;
}

std::string setting(Language l) {
    return l == Language::German ? "1" : "2";
}

void tell(platform::Dialogs& dialogs, Language l, const std::string& english,
          const std::string& german, platform::Icon icon, const std::string& title) {
    dialogs.message(pick(l, english, german), platform::Buttons::Ok, icon, title);
}

platform::Answer ask(platform::Dialogs& dialogs, Language l, const std::string& english,
                     const std::string& german, platform::Buttons buttons, platform::Icon icon,
                     const std::string& title) {
    return dialogs.message(pick(l, english, german), buttons, icon, title);
}

} // namespace lang
