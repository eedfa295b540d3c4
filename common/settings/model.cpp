#include "common/settings/model.h"

#include <cstdlib>
#include <stdexcept>

namespace settings {
namespace {

// The text of a value that a window may have changed: the text as read while it still reads as
// `value`, else `written`.
template <class T>
std::string keep(const std::string& read, T (*reading)(const std::string&), const T& value,
                 const std::string& written) {
    return reading(read) == value ? read : written;
}

std::string tickText(bool on) {
    return on ? "1" : "0";
}

// A check box's text: the text as read while it still reads as `on`, and still does as it is
// written, bare by its numeric value ("1.5" is not ticked, but its line would be written as 1).
std::string tickKeep(const std::string& read, bool on) {
    return ticked(read) == on && ticked(std::to_string(numericValue(read))) == on ? read
                                                                                  : tickText(on);
}

// An optional sign and digits, the whole text.
bool readInt(const std::string& text, int& out) {
    if (text.empty() || text.size() > 7) return false;
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return false;
    for (std::size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9') return false;
    out = std::atoi(text.c_str());
    return true;
}

// A file's lines as far as they go, as the model, with the lines of a later version after them.
template <class Model, class Lines, std::size_t N>
Problem readModel(SettingsFile& f, const Layout<Lines, N>& layout, Model& out) {
    Lines lines;
    const Problem p = readFields(f, layout, lines);
    out = fromLines(lines);
    out.later = f.rest();
    return p;
}

} // namespace

bool ticked(const std::string& text) {
    return isNumericOne(text);
}

std::optional<Choice::Option> Choice::shown() const {
    std::optional<Option> o;
    if (!noAction.off()) o = Option::NoAction;
    if (!deleteOthers.off()) o = Option::DeleteOthers;
    if (!backupOthers.off()) o = Option::BackupOthers;
    return o;
}

void Choice::choose(std::optional<Option> option) {
    noAction = Flag::of(option == Option::NoAction);
    deleteOthers = Flag::of(option == Option::DeleteOthers);
    backupOthers = Flag::of(option == Option::BackupOthers);
}

JoinMode joinMode(const std::string& text) {
    return text == "1" ? JoinMode::Once : text == "2" ? JoinMode::Always : JoinMode::None;
}

std::string joinModeText(JoinMode mode) {
    return mode == JoinMode::Once ? "1" : mode == JoinMode::Always ? "2" : "0";
}

std::optional<Place> readPlace(const std::string& text) {
    const std::size_t comma = text.find(',');
    Place p;
    if (comma == std::string::npos || !readInt(text.substr(0, comma), p.left) ||
        !readInt(text.substr(comma + 1), p.top))
        return std::nullopt;
    return p;
}

std::string placeText(const std::optional<Place>& place) {
    return place ? std::to_string(place->left) + "," + std::to_string(place->top) : "";
}

ScourixIni::ScourixIni() : line(std::size(kScourixRows)) {}

namespace {
std::size_t rowOf(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kScourixRows); ++i)
        if (name == kScourixRows[i].name) return i;
    throw std::out_of_range(std::string(name)); // no line of scourix.ini of that name
}
} // namespace

std::string& ScourixIni::operator[](std::string_view name) {
    return line[rowOf(name)];
}

const std::string& ScourixIni::operator[](std::string_view name) const {
    return line[rowOf(name)];
}

PlayerSettings fromLines(const ScourixIni& l) {
    PlayerSettings s;
    s.lines = l;
    for (std::size_t i = 0; i < std::size(kScourixRows); ++i) {
        const std::string& text = l.line[i];
        withValue(kScourixRows[i], s, [&](auto& value) {
            using T = std::remove_reference_t<decltype(value)>;
            if constexpr (std::is_same_v<T, bool>)
                value = ticked(text);
            else if constexpr (std::is_same_v<T, Flag>)
                value = {text};
            else if constexpr (std::is_same_v<T, lang::Language>) {
                value = lang::fromSetting(text);
                s.languageNamed = text == lang::setting(value);
            } else if constexpr (std::is_same_v<T, std::optional<Place>>)
                value = readPlace(text);
            else
                value = text;
        });
    }
    return s;
}

// The language is always written as the language it is ("1" or "2"); a text that named none
// reads as English and is saved as English.
ScourixIni toLines(const PlayerSettings& s) {
    ScourixIni l;
    for (std::size_t i = 0; i < std::size(kScourixRows); ++i) {
        const std::string& read = s.lines.line[i];
        withValue(kScourixRows[i], s, [&](const auto& value) {
            using T = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<T, bool>)
                l.line[i] = tickKeep(read, value);
            else if constexpr (std::is_same_v<T, Flag>)
                l.line[i] = value.text;
            else if constexpr (std::is_same_v<T, lang::Language>)
                l.line[i] = lang::setting(value);
            else if constexpr (std::is_same_v<T, std::optional<Place>>)
                l.line[i] = keep(read, readPlace, value, placeText(value));
            else
                l.line[i] = value;
        });
    }
    return l;
}

Problem readScourixIni(SettingsFile& f, ScourixIni& out) {
    return readRows(f, kScourixRows, [&](std::size_t i) -> std::string& { return out.line[i]; });
}

void writeScourixIni(SettingsFile& f, const ScourixIni& v, const std::string& later) {
    writeRows(
        f, kScourixRows, [&](std::size_t i) -> const std::string& { return v.line[i]; }, later);
}

ScourixIni firstRunLines() {
    ScourixIni l;
    for (std::size_t i = 0; i < std::size(kScourixRows); ++i) l.line[i] = kScourixRows[i].firstRun;
    return l;
}

void writeFirstRunScourixIni(SettingsFile& f, lang::Language l) {
    writeFirstRunRows(f, kScourixRows, [&](std::size_t i) -> std::string {
        const ScourixValue& value = kScourixRows[i].value;
        if (std::holds_alternative<lang::Language PlayerSettings::*>(value))
            return lang::setting(l);
        return kScourixRows[i].firstRun;
    });
}

Problem readPlayerSettings(SettingsFile& f, PlayerSettings& out) {
    ScourixIni lines;
    const Problem p = readScourixIni(f, lines);
    out = fromLines(lines);
    out.later = f.rest();
    return p;
}

void writePlayerSettings(SettingsFile& f, const PlayerSettings& s) {
    writeScourixIni(f, toLines(s), s.later);
}

PlayerSettings firstRunPlayerSettings() {
    return fromLines(firstRunLines());
}

DirectJoin fromLines(const DirecktIni& l) {
    return {l.directTarget, joinMode(l.directJoinMode), {l.askBeforeJoin}, ""};
}

DirecktIni toLines(const DirectJoin& d) {
    return {d.target, joinModeText(d.mode), d.ask.text};
}

Problem readDirectJoin(SettingsFile& f, DirectJoin& out) {
    return readModel(f, kDirecktLayout, out);
}

void writeDirectJoin(SettingsFile& f, const DirectJoin& d) {
    writeFields(f, kDirecktLayout, toLines(d), d.later);
}

} // namespace settings
