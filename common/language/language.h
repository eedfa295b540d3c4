#pragma once
// The player's language: the one rule that decides it, the catalogue that turns an English source
// text into the player's language, and the one way to say something or ask in a message box.
//
// Every text a player reads is written in the sources in English, through one of the calls
// below, and translated by the catalogues in po/ (gettext's PO format, compiled into the
// programs). xgettext finds the texts by these names: tr, trc, text, textc, mark.
#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/dialogs.h"

namespace lang {

// A new language is a value here and in kLanguages, and a row in language.cpp's table.
enum class Language { English, German, French, Spanish, Italian };

// Every language, in the order the language menu lists them.
inline constexpr std::array<Language, 5> kLanguages{
    Language::English, Language::German, Language::French, Language::Spanish, Language::Italian};

// The language the settings' Language value stands for: "1" German, "2" English, "3" French,
// "4" Spanish, "5" Italian; anything else English.
Language fromSetting(const std::string& value);
// The Language value the settings store for a language.
std::string setting(Language l);
// The language's two-letter code, which names its catalogue: "en", "de", "fr", "es", "it".
const char* code(Language l);
// The language a locale name stands for ("fr_FR.UTF-8", "de", "es-ES", "it_IT@euro"), when it is
// one of ours; none for "C", "POSIX", an empty name or any other language.
std::optional<Language> fromLocale(std::string_view locale);

// The text in the player's language: the catalogue's translation of an English source text, or
// the English itself where the catalogue has none.
const std::string& tr(Language l, const char* english);
// The same for a source text that needs a context to tell it from an equal English text that
// translates differently (gettext's msgctxt).
const std::string& trc(Language l, const char* context, const char* english);
// A text with values: {1}, {2} ... in the text (and in its translation, in any order) stand for
// the values in the order given.
std::string tr(Language l, const char* english, std::initializer_list<std::string_view> values);
std::string trc(Language l, const char* context, const char* english,
                std::initializer_list<std::string_view> values);
// Puts the values into a text's {1}, {2} ...; any other brace stays as it is.
std::string format(std::string_view text, std::initializer_list<std::string_view> values);

// Marks a source text for the catalogue where it is translated later, by tr (in tables).
constexpr const char* mark(const char* english) {
    return english;
}

// A message box's button word as GTK names it ("_OK", "_Cancel", "_Yes", "_No", the access key
// after "_"), in the language.
std::string buttonWord(Language l, const char* word);

// A text chosen now and shown later, in whatever language the window then speaks.
struct Message {
    const char* context = nullptr;
    const char* english = "";
    std::vector<std::string> values;
    std::string in(Language l) const;
    bool empty() const { return english[0] == '\0'; }
};
Message text(const char* english, std::initializer_list<std::string> values = {});
Message textc(const char* context, const char* english,
              std::initializer_list<std::string> values = {});

// A message box with a text already in the player's language, with the program's title unless
// one is given.
void tell(platform::Dialogs& dialogs, const std::string& text,
          platform::Icon icon = platform::Icon::Exclamation, const std::string& title = "");
platform::Answer ask(platform::Dialogs& dialogs, const std::string& text, platform::Buttons buttons,
                     platform::Icon icon = platform::Icon::Question, const std::string& title = "");
inline void tell(platform::Dialogs& dialogs, Language l, const Message& m,
                 platform::Icon icon = platform::Icon::Exclamation, const std::string& title = "") {
    tell(dialogs, m.in(l), icon, title);
}
inline platform::Answer ask(platform::Dialogs& dialogs, Language l, const Message& m,
                            platform::Buttons buttons,
                            platform::Icon icon = platform::Icon::Question,
                            const std::string& title = "") {
    return ask(dialogs, m.in(l), buttons, icon, title);
}

namespace detail {
// The compiled-in catalogue of a language, PO text; empty for English and for a language
// without one.
std::string_view catalogue(Language l);
// A PO catalogue's translated entries that are neither fuzzy nor obsolete, by source text (with
// its context before it and a \x04 between, as gettext keys them).
std::unordered_map<std::string, std::string> read(std::string_view po);
} // namespace detail

} // namespace lang
