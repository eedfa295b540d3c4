#pragma once
// The player's settings as typed values: each settings file read once, each value by its one
// rule, for Scourix, Gatefire and the clean-now window alike. The files keep their bytes: what
// a window does not change is written back as it was read, and the lines a later version wrote
// after ours are kept.
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "common/language/language.h"
#include "common/settings/layouts.h"

namespace settings {

// A flag: the text "1" is on and "0" off, compared exactly; any other text is neither.
struct Flag {
    std::string text = "0";
    bool on() const { return text == "1"; }
    bool off() const { return text == "0"; }
    static Flag of(bool on) { return {on ? "1" : "0"}; }
};

// A check box's value: ticked when its numeric value is exactly 1 ("1", " 01", "1.0").
bool ticked(const std::string& text);

// What to do with one kind of downloaded custom file. Its three flag lines may hold any
// combination in a hand-edited file, so they are kept as flags.
struct Choice {
    enum class Option { NoAction, DeleteOthers, BackupOthers };
    Flag noAction{"1"}, deleteOthers, backupOthers;
    std::string backupPath;

    // The option a window shows: the last line that is not "0"; none when all three are "0".
    std::optional<Option> shown() const;
    // The lines of the option a window has selected: "1" for it, "0" for the others.
    void choose(std::optional<Option> option);
    // A clean leaves this kind alone.
    bool skip() const { return noAction.on(); }
    // Whether the launcher counts the files a clean deletes before it starts: plain deletion or
    // backup, but not both.
    bool countsDeletion() const {
        return (deleteOthers.on() && backupOthers.off()) ||
               (deleteOthers.off() && backupOthers.on());
    }
};

// How a direct join is asked for (direckt.ini line 2): "1" at the next start only, "2" at every
// start, any other text not at all.
enum class JoinMode { None, Once, Always };
JoinMode joinMode(const std::string& text);
std::string joinModeText(JoinMode mode);

// Where a window stands: its top-left corner on the screen, in pixels.
struct Place {
    int left = 0, top = 0;
    bool operator==(const Place&) const = default;
};
// "left,top" (either may be negative); none for any other text.
std::optional<Place> readPlace(const std::string& text);
std::string placeText(const std::optional<Place>& place);

// scourix.ini's texts, line by line, as read or as to be written; a line is found by its name
// in kScourixRows ("DeleteStats").
struct ScourixIni {
    ScourixIni();
    std::vector<std::string> line; // one per row of kScourixRows, in its order
    std::string& operator[](std::string_view name);
    const std::string& operator[](std::string_view name) const;
};

// scourix.ini as typed values; each is one row of kScourixRows below.
struct PlayerSettings {
    std::string gamePath;
    Choice logos, taunts;
    bool usePilot = false;
    std::string pilotName;
    lang::Language language = lang::Language::English;
    // Whether the file named a language ("1" to "5", lang::setting); any other text names none
    // and speaks English.
    bool languageNamed = true;
    bool deleteStats = false;
    std::string musicTesterPath;
    bool autoCloseTester = false;
    // Where Scourix's main window was when it was saved; none: centred.
    std::optional<Place> window;

    ScourixIni lines;  // the texts as read: a value that reads the same is written as it was
    std::string later; // the lines a later version wrote after ours, as stored
};

// Where a line's typed value lives, and by that its reading rule: a text as it stands; a check
// box's value (`ticked`, written back as read while it still reads the same); one of a choice's
// flags or its backup folder; the language (lang::fromSetting); a window's place (readPlace).
struct ChoiceFlag {
    Choice PlayerSettings::*kind;
    Flag Choice::*flag;
};
struct ChoiceText {
    Choice PlayerSettings::*kind;
    std::string Choice::*text;
};
using ScourixValue =
    std::variant<std::string PlayerSettings::*, bool PlayerSettings::*, ChoiceFlag, ChoiceText,
                 lang::Language PlayerSettings::*, std::optional<Place> PlayerSettings::*>;

// One line of scourix.ini: its name as the files call it, how it stands in the file, its typed
// value, its first-run text, the version it came with and, where the main window shows it, the
// control (a check box or a text box) and its English caption.
struct ScourixRow {
    const char* name;
    Style style;
    ScourixValue value;
    const char* firstRun;
    Since since = Since{};
    const char* control = nullptr;
    const char* caption = nullptr;
};

// The lines of scourix.ini in their order. A new setting is a typed value above and its row
// here; the main window shows it in the control the row names, which it places.
inline const ScourixRow kScourixRows[] = {
    {"GamePath", Style::Quoted, &PlayerSettings::gamePath, "", Since{}, "d3path"},
    {"LogoBackupPath", Style::Quoted, ChoiceText{&PlayerSettings::logos, &Choice::backupPath}, "",
     Since{}, "graficsicherpath"},
    {"TauntBackupPath", Style::Quoted, ChoiceText{&PlayerSettings::taunts, &Choice::backupPath}, "",
     Since{}, "soundssicherpath"},
    {"LogoNoAction", Style::Quoted, ChoiceFlag{&PlayerSettings::logos, &Choice::noAction}, "1"},
    {"LogoDeleteOthers", Style::Quoted, ChoiceFlag{&PlayerSettings::logos, &Choice::deleteOthers},
     "0"},
    {"LogoBackupOthers", Style::Quoted, ChoiceFlag{&PlayerSettings::logos, &Choice::backupOthers},
     "0"},
    {"TauntNoAction", Style::Quoted, ChoiceFlag{&PlayerSettings::taunts, &Choice::noAction}, "1"},
    {"TauntDeleteOthers", Style::Quoted, ChoiceFlag{&PlayerSettings::taunts, &Choice::deleteOthers},
     "0"},
    {"TauntBackupOthers", Style::Quoted, ChoiceFlag{&PlayerSettings::taunts, &Choice::backupOthers},
     "0"},
    {"UsePilot", Style::Number, &PlayerSettings::usePilot, "0", Since{}, "usepilot",
     // TRANSLATORS: Check box: start the game with the pilot chosen above.
     lang::mark("use pilot")},
    {"PilotName", Style::Quoted, &PlayerSettings::pilotName, ""},
    {"Language", Style::Quoted, &PlayerSettings::language, "2"},
    {"DeleteStats", Style::Number, &PlayerSettings::deleteStats, "", Since{}, "delstad",
     lang::mark("del *.stats files")},
    {"MusicTesterPath", Style::Quoted, &PlayerSettings::musicTesterPath, ""},
    {"AutoCloseTester", Style::Number, &PlayerSettings::autoCloseTester, ""},
    {"WindowPlace", Style::Quoted, &PlayerSettings::window, "", Since{1, 1}},
};

// Calls `use` with a reference to the typed value of `row` in `s`.
template <class Settings, class Use> void withValue(const ScourixRow& row, Settings& s, Use use) {
    std::visit(
        [&](auto at) {
            using At = decltype(at);
            if constexpr (std::is_same_v<At, ChoiceFlag>)
                use((s.*at.kind).*at.flag);
            else if constexpr (std::is_same_v<At, ChoiceText>)
                use((s.*at.kind).*at.text);
            else
                use(s.*at);
        },
        row.value);
}

PlayerSettings fromLines(const ScourixIni& lines);
ScourixIni toLines(const PlayerSettings& s);
// Reads scourix.ini as far as it goes; TooShort as readScourixIni.
Problem readPlayerSettings(SettingsFile& f, PlayerSettings& out);
void writePlayerSettings(SettingsFile& f, const PlayerSettings& s);
// The first-run values.
PlayerSettings firstRunPlayerSettings();
// The texts of the first run: each row's first-run text.
ScourixIni firstRunLines();
// The texts alone, in the style of each row.
Problem readScourixIni(SettingsFile& f, ScourixIni& out);
// The lines of a later version (`later`, from SettingsFile::rest) follow as they were read.
void writeScourixIni(SettingsFile& f, const ScourixIni& v, const std::string& later = {});
// The first-run file: the rows' first-run texts, raw, with the Language value of `l`.
void writeFirstRunScourixIni(SettingsFile& f, lang::Language l = lang::Language::English);

// The settings of one clean run: scourix.ini and the names the two keep lists keep.
struct Setup {
    PlayerSettings ini;
    std::vector<std::string> logos, taunts; // from logos.ini, taunts.ini, as keptNames gives them
};

// direckt.ini: the join request.
struct DirectJoin {
    std::string target; // DirectTarget: the server kind's switch and the address
    JoinMode mode = JoinMode::None;
    Flag ask;          // AskBeforeJoin
    std::string later; // lines of a later version
};
DirectJoin fromLines(const DirecktIni& lines);
DirecktIni toLines(const DirectJoin& d);
// Reads as far as it can; the values read before a failure stay in `out`.
Problem readDirectJoin(SettingsFile& f, DirectJoin& out);
void writeDirectJoin(SettingsFile& f, const DirectJoin& d);

} // namespace settings
