#include "common/language/installer_texts.h"
#include "common/language/language.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using lang::Language;

TEST(Language, SettingValuesRoundTripAndUnknownValuesReadAsEnglish) {
    for (Language l : lang::kLanguages)
        EXPECT_EQ(lang::fromSetting(lang::setting(l)), l) << lang::code(l);
    // A table with a row more has a language more: by its value, its locale, and in English
    // while no catalogue has its code ("zz" is no language's).
    std::vector<lang::Row> more(std::begin(lang::kLanguages), std::end(lang::kLanguages));
    more.push_back({"zz", "99", "m11z", "zzish"});
    for (Language l : more)
        EXPECT_EQ(lang::fromSetting(lang::setting(l), more), l) << lang::code(l);
    EXPECT_EQ(lang::fromLocale("zz_ZZ", more), more.back());
    EXPECT_EQ(lang::tr(more.back(), "exit"), "exit");
    EXPECT_EQ(lang::tr(more[0], "exit"), lang::tr(Language::German, "exit"));
    EXPECT_EQ(lang::setting(Language::German), "1");
    EXPECT_EQ(lang::setting(Language::English), "2");
    EXPECT_EQ(lang::setting(lang::byCode("it")), "5");
    for (const char* other : {"", "0", "99", " 1", "1 ", "3.0", "de"})
        EXPECT_EQ(lang::fromSetting(other), Language::English) << other;
}

TEST(Language, LocaleNamesTellOnlyOurLanguages) {
    const struct {
        const char* locale;
        std::optional<Language> language;
    } cases[] = {
        {"fr_FR.UTF-8", lang::byCode("fr")},
        {"de", Language::German},
        {"es-ES", lang::byCode("es")},
        {"it_IT@euro", lang::byCode("it")},
        {"EN_us", Language::English},
        {"C", std::nullopt},
        {"POSIX", std::nullopt},
        {"", std::nullopt},
        {"deu", std::nullopt},
        {"zz_ZZ", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(lang::fromLocale(c.locale), c.language) << c.locale;
}

TEST(Language, CatalogueReaderKeepsOnlyTranslatedCurrentEntries) {
    const auto t = lang::detail::read("msgid \"\"\nmsgstr \"Language: de\\n\"\n\n"
                                      "#: a.cpp:1\nmsgid \"save\"\nmsgstr \"speichern\"\n\n"
                                      "msgctxt \"menu\"\nmsgid \"save\"\nmsgstr \"Sichern\"\n\n"
                                      "msgid \"\"\n\"two \"\n\"lines\\n\\\"x\\\"\"\n"
                                      "msgstr \"\"\n\"zwei \"\n\"Zeilen\\n\\\"x\\\"\"\n\n"
                                      "#, fuzzy\nmsgid \"guess\"\nmsgstr \"geraten\"\n\n"
                                      "msgid \"open\"\nmsgstr \"\"\n\n"
                                      "#~ msgid \"old\"\n#~ msgstr \"alt\"\r\n");
    EXPECT_EQ(t.size(), 3u);
    EXPECT_EQ(t.at("save"), "speichern");
    EXPECT_EQ(t.at(std::string("menu\x04save")), "Sichern");
    EXPECT_EQ(t.at("two lines\n\"x\""), "zwei Zeilen\n\"x\"");
}

TEST(Language, ValuesGoWhereTheTextNumbersThemAndEnglishIsTheFallback) {
    EXPECT_EQ(lang::format("{2} in {1}, {3} {x} {", {"a", "b"}), "b in a, {3} {x} {");
    // No catalogue holds this text: every language shows the English source, never nothing.
    for (Language l : lang::kLanguages)
        EXPECT_EQ(lang::tr(l, "no such text {1}", {"x"}), "no such text x");
    EXPECT_EQ(lang::text("{1}-{1}", {"ab"}).in(lang::byCode("fr")), "ab-ab");
}

} // namespace

namespace {

// The values a text names ({1} ... {9}), each as often as it names it, and its access key's
// mark: "&" before a letter (Windows menus), "_" before one (GTK's buttons).
std::string valuesAndKey(const std::string& text) {
    std::string found;
    for (char n = '1'; n <= '9'; ++n)
        for (std::size_t at = text.find(std::string{'{', n, '}'}); at != std::string::npos;
             at = text.find(std::string{'{', n, '}'}, at + 1))
            found += n;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if ((text[i] == '&' || text[i] == '_') && text[i + 1] == text[i])
            ++i;
        else if (text[i] == '&' || text[i] == '_')
            return found + text[i];
    }
    return found;
}

// The letter after the access key's mark, in lower case; 0 without one.
char accessKey(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if ((text[i] == '&' || text[i] == '_') && text[i + 1] != text[i])
            return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    return 0;
}

TEST(Language, EveryTranslationKeepsItsTextsValuesAndAccessKey) {
    // Texts shown side by side, whose access keys must differ: the menu bar, the boxes' buttons.
    const std::vector<std::vector<const char*>> together = {
        {"&file", "&action", "&extra", "&info"}, {"_Yes", "_No", "_Cancel"}, {"_OK", "_Cancel"}};
    for (Language l : lang::kLanguages) {
        const auto entries = lang::detail::read(lang::detail::catalogue(lang::code(l)));
        for (const auto& [key, translation] : entries) {
            const std::string english = key.substr(key.find('\x04') + 1);
            EXPECT_EQ(valuesAndKey(translation), valuesAndKey(english))
                << lang::code(l) << ": \"" << english << "\" -> \"" << translation << '"';
            // French sets a no-break space before : ; ? ! and writes its apostrophe as such.
            if (l != lang::byCode("fr")) continue;
            for (std::size_t i = 1; i < translation.size(); ++i) {
                const char c = translation[i], before = translation[i - 1];
                EXPECT_FALSE(before == ' ' && std::strchr(":;?!", c) && c)
                    << "plain space before " << c << " in \"" << translation << '"';
                EXPECT_FALSE(c == '\'' && std::isalpha(static_cast<unsigned char>(before)))
                    << "straight apostrophe in \"" << translation << '"';
            }
        }
        if (l == Language::English) continue;
        for (const auto& group : together) {
            std::set<char> keys;
            for (const char* english : group) {
                const auto t = entries.find(english);
                ASSERT_NE(t, entries.end()) << lang::code(l) << ": " << english;
                EXPECT_TRUE(keys.insert(accessKey(t->second)).second)
                    << lang::code(l) << ": \"" << t->second << "\" takes a key already taken";
            }
        }
    }
}

} // namespace

namespace {

// French typography in the installer's texts: a no-break space before : ; ? ! and the
// typographic apostrophe (the programs' own French texts keep their earlier forms).
TEST(Language, InstallerTextsInFrenchSetTheirPunctuationTheFrenchWay) {
    const std::string nbsp = "\u00a0";
    for (const lang::Message& m : lang::kInstallerTexts) {
        const std::string french = m.in(lang::byCode("fr"));
        EXPECT_NE(french, m.english) << m.context << " untranslated";
        EXPECT_EQ(french.find('\''), std::string::npos) << m.context << ": " << french;
        for (std::size_t i = french.find_first_of(":;?!"); i != std::string::npos;
             i = french.find_first_of(":;?!", i + 1))
            EXPECT_TRUE(i >= nbsp.size() && french.compare(i - nbsp.size(), nbsp.size(), nbsp) == 0)
                << m.context << ": \"" << french.substr(0, i + 1) << '"';
    }
}

} // namespace
