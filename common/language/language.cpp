#include "common/language/language.h"

#include <cctype>
#include <unordered_map>

namespace lang {
namespace {

using Table = std::unordered_map<std::string, std::string>;
using detail::read;

// A quoted PO string's content, its escapes resolved; the position after its closing quote.
std::string unquote(std::string_view line, std::size_t& at) {
    std::string out;
    at = line.find('"', at);
    if (at == std::string_view::npos) return out;
    for (++at; at < line.size() && line[at] != '"'; ++at) {
        char c = line[at];
        if (c == '\\' && at + 1 < line.size()) {
            switch (char e = line[++at]) {
            case 'n':
                c = '\n';
                break;
            case 't':
                c = '\t';
                break;
            case 'r':
                c = '\r';
                break;
            default:
                c = e;
                break; // \" \\ and anything else as itself
            }
        }
        out += c;
    }
    ++at;
    return out;
}

} // namespace

Table detail::read(std::string_view po) {
    Table table;
    std::string context, id, str, *into = nullptr;
    bool hasContext = false, fuzzy = false;
    auto finish = [&] {
        if (!id.empty() && !str.empty() && !fuzzy)
            table[hasContext ? context + '\x04' + id : id] = str;
        context.clear(), id.clear(), str.clear();
        hasContext = fuzzy = false;
        into = nullptr;
    };
    while (!po.empty()) {
        std::size_t end = po.find('\n');
        std::string_view line = po.substr(0, end);
        po.remove_prefix(end == std::string_view::npos ? po.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::size_t at = 0;
        if (line.rfind("#,", 0) == 0) {
            if (into == &str) finish();
            fuzzy = fuzzy || line.find("fuzzy") != std::string_view::npos;
        } else if (line.rfind("msgctxt", 0) == 0) {
            if (into == &str) finish();
            context = unquote(line, at), hasContext = true, into = &context;
        } else if (line.rfind("msgid_plural", 0) == 0) {
            into = nullptr; // plural forms are not used
        } else if (line.rfind("msgid", 0) == 0) {
            if (into == &str) finish();
            id = unquote(line, at), into = &id;
        } else if (line.rfind("msgstr", 0) == 0) {
            str = unquote(line, at), into = &str;
        } else if (!line.empty() && line[0] == '"' && into) {
            *into += unquote(line, at);
        } else if (line.empty() || line[0] == '#') {
            if (into == &str) finish();
        }
    }
    finish();
    return table;
}

namespace {

// The catalogue of each language of kLanguages, found by its code; an empty one for a code
// without a catalogue.
const Table& table(Language l) {
    static const std::unordered_map<std::string_view, Table> tables = [] {
        std::unordered_map<std::string_view, Table> t;
        for (const Row& each : kLanguages) t[each.code] = read(detail::catalogue(each.code));
        return t;
    }();
    static const Table none;
    const auto found = tables.find(l.row().code);
    return found == tables.end() ? none : found->second;
}

// The strings tr hands out live as long as the program: the catalogue's, or the source text
// kept once.
const std::string& lookup(Language l, const std::string& key, const char* english) {
    const Table& t = table(l);
    if (auto found = t.find(key); found != t.end()) return found->second;
    static thread_local std::unordered_map<const char*, std::string> sources;
    auto [it, added] = sources.try_emplace(english, english);
    return it->second;
}

// The text with its {1} ... {9} replaced by the values; a number without a value stays.
std::string fill(std::string_view text, const std::string_view* values, std::size_t count) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '{' && i + 2 < text.size() && text[i + 2] == '}' && text[i + 1] >= '1' &&
            text[i + 1] <= '9' && static_cast<std::size_t>(text[i + 1] - '1') < count) {
            out += values[text[i + 1] - '1'];
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

Language fromSetting(const std::string& value, std::span<const Row> table) {
    for (const Row& r : table)
        if (value == r.setting) return r;
    return Language::English;
}

std::string setting(Language l) {
    return l.row().setting;
}

const char* code(Language l) {
    return l.row().code;
}

std::optional<Language> fromLocale(std::string_view locale, std::span<const Row> table) {
    if (locale.size() < 2 ||
        (locale.size() > 2 && std::isalpha(static_cast<unsigned char>(locale[2]))))
        return std::nullopt;
    const char first[3] = {static_cast<char>(std::tolower(static_cast<unsigned char>(locale[0]))),
                           static_cast<char>(std::tolower(static_cast<unsigned char>(locale[1]))),
                           '\0'};
    for (const Row& r : table)
        if (std::string_view(r.code) == first) return r;
    return std::nullopt;
}

const std::string& tr(Language l, const char* english) {
    return lookup(l, english, english);
}

const std::string& trc(Language l, const char* context, const char* english) {
    return lookup(l, std::string(context) + '\x04' + english, english);
}

std::string tr(Language l, const char* english, std::initializer_list<std::string_view> values) {
    return format(tr(l, english), values);
}

std::string trc(Language l, const char* context, const char* english,
                std::initializer_list<std::string_view> values) {
    return format(trc(l, context, english), values);
}

std::string buttonWord(Language l, const char* word) {
    static const char* const kWords[] = {mark("_OK"), mark("_Cancel"), mark("_Yes"), mark("_No")};
    for (const char* known : kWords)
        if (std::string_view(known) == word) return tr(l, known);
    return word;
}

std::string format(std::string_view text, std::initializer_list<std::string_view> values) {
    return fill(text, values.begin(), values.size());
}

std::string Message::in(Language l) const {
    std::vector<std::string_view> v(values.begin(), values.end());
    return fill(context ? trc(l, context, english) : tr(l, english), v.data(), v.size());
}

Message text(const char* english, std::initializer_list<std::string> values) {
    return {nullptr, english, values};
}

Message textc(const char* context, const char* english, std::initializer_list<std::string> values) {
    return {context, english, values};
}

void tell(platform::Dialogs& dialogs, const std::string& text, platform::Icon icon,
          const std::string& title) {
    dialogs.message(text, platform::Buttons::Ok, icon, title);
}

platform::Answer ask(platform::Dialogs& dialogs, const std::string& text, platform::Buttons buttons,
                     platform::Icon icon, const std::string& title) {
    return dialogs.message(text, buttons, icon, title);
}

} // namespace lang
