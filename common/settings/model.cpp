#include "common/settings/model.h"

#include <cstdlib>

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

PlayerSettings fromLines(const ScourixIni& l) {
    PlayerSettings s;
    s.lines = l;
    s.gamePath = l.gamePath;
    s.logos = {{l.logoNoAction}, {l.logoDeleteOthers}, {l.logoBackupOthers}, l.logoBackupPath};
    s.taunts = {{l.tauntNoAction}, {l.tauntDeleteOthers}, {l.tauntBackupOthers}, l.tauntBackupPath};
    s.usePilot = ticked(l.usePilot);
    s.pilotName = l.pilotName;
    s.language = lang::fromSetting(l.language);
    s.languageNamed = l.language == lang::setting(s.language);
    s.deleteStats = ticked(l.deleteStats);
    s.musicTesterPath = l.musicTesterPath;
    s.autoCloseTester = ticked(l.autoCloseTester);
    s.window = readPlace(l.windowPlace);
    return s;
}

// The language is always written as the language it is ("1" or "2"); a text that named none
// reads as English and is saved as English.
ScourixIni toLines(const PlayerSettings& s) {
    const ScourixIni& r = s.lines;
    ScourixIni l;
    l.gamePath = s.gamePath;
    l.logoBackupPath = s.logos.backupPath;
    l.tauntBackupPath = s.taunts.backupPath;
    l.logoNoAction = s.logos.noAction.text;
    l.logoDeleteOthers = s.logos.deleteOthers.text;
    l.logoBackupOthers = s.logos.backupOthers.text;
    l.tauntNoAction = s.taunts.noAction.text;
    l.tauntDeleteOthers = s.taunts.deleteOthers.text;
    l.tauntBackupOthers = s.taunts.backupOthers.text;
    l.usePilot = tickKeep(r.usePilot, s.usePilot);
    l.pilotName = s.pilotName;
    l.language = lang::setting(s.language);
    l.deleteStats = tickKeep(r.deleteStats, s.deleteStats);
    l.musicTesterPath = s.musicTesterPath;
    l.autoCloseTester = tickKeep(r.autoCloseTester, s.autoCloseTester);
    l.windowPlace = keep(r.windowPlace, readPlace, s.window, placeText(s.window));
    return l;
}

Problem readPlayerSettings(SettingsFile& f, PlayerSettings& out) {
    return readModel(f, kScourixLayout, out);
}

void writePlayerSettings(SettingsFile& f, const PlayerSettings& s) {
    writeFields(f, kScourixLayout, toLines(s), s.later);
}

PlayerSettings firstRunPlayerSettings() {
    return fromLines(firstRunValues(kScourixLayout));
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
