#pragma once
// The player's language: the one rule that decides it, the catalogue that turns an English source
// text into the player's language, and the one way to say something or ask in a message box.
//
// Every text a player reads is written in the sources in English, through one of the calls
// below, and translated by the catalogues in po/ (gettext's PO format, compiled into the
// programs). xgettext finds the texts by these names: tr, trc, text, textc, mark.
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/dialogs.h"

namespace lang {

// Marks a source text for the catalogue where it is translated later, by tr (in tables).
constexpr const char* mark(const char* english) {
    return english;
}

// A language of the programs: the code that names its catalogue po/<code>.po and starts its
// locale names, its Language value in scourix.ini, and its entry in Scourix's language menu:
// the entry's control name and its caption in English.
struct Row {
    const char* code;
    const char* setting;
    const char* entry;
    const char* name;
};

// Every language, in the order of the language menu. A new language is a row here and its
// catalogue.
inline constexpr Row kLanguages[] = {
    {"de", "1", "m111", mark("german")},  {"en", "2", "m112", mark("english")},
    {"fr", "3", "m113", mark("french")},  {"es", "4", "m114", mark("spanish")},
    {"it", "5", "m115", mark("italian")},
};

// A language: its row of a table of languages, kLanguages unless a test builds another. Two
// rows of one code are one language.
class Language {
  public:
    constexpr Language(const Row& row) : row_(&row) {}
    constexpr const Row& row() const { return *row_; }
    friend constexpr bool operator==(Language a, Language b) {
        return std::string_view(a.row_->code) == b.row_->code;
    }
    // The languages the programs name themselves: English, the one the texts are written in,
    // and German.
    static const Language English, German;

  private:
    const Row* row_;
};

// The language of kLanguages with this code, found as the program is built: a code of none
// stops the build.
consteval Language byCode(std::string_view code) {
    for (const Row& r : kLanguages)
        if (code == r.code) return r;
    throw code; // no row has the code: not a constant, so the build stops
}

inline constexpr Language Language::English = byCode("en");
inline constexpr Language Language::German = byCode("de");

// The language of a table that the settings' Language value stands for: "1" German, "2" English,
// "3" French, "4" Spanish, "5" Italian; anything else English.
Language fromSetting(const std::string& value, std::span<const Row> table = kLanguages);
// The Language value the settings store for a language.
std::string setting(Language l);
// The language's two-letter code, which names its catalogue: "en", "de", "fr", "es", "it".
const char* code(Language l);
// The language a locale name stands for ("fr_FR.UTF-8", "de", "es-ES", "it_IT@euro"), when it is
// one of ours; none for "C", "POSIX", an empty name or any other language.
std::optional<Language> fromLocale(std::string_view locale,
                                   std::span<const Row> table = kLanguages);

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
// The compiled-in catalogue po/<code>.po, PO text; empty for English and for a code without one.
std::string_view catalogue(std::string_view code);
// A PO catalogue's translated entries that are neither fuzzy nor obsolete, by source text (with
// its context before it and a \x04 between, as gettext keys them).
std::unordered_map<std::string, std::string> read(std::string_view po);
} // namespace detail

} // namespace lang
