#pragma once
// The player's settings as typed values: each settings file read once, each value by its one
// rule, for Scourix, Gatefire and the clean-now window alike. The files keep their bytes: what
// a window does not change is written back as it was read, and the lines a later version wrote
// after ours are kept.
#include <optional>
#include <string>

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

// scourix.ini.
struct PlayerSettings {
    std::string gamePath;
    Choice logos, taunts;
    bool usePilot = false;
    std::string pilotName;
    lang::Language language = lang::Language::English;
    // Whether the file named a language ("1" German, "2" English, "3" French, "4" Spanish,
    // "5" Italian); any other text names none and speaks English.
    bool languageNamed = true;
    bool deleteStats = false;
    std::string musicTesterPath;
    bool autoCloseTester = false;
    // Where Scourix's main window was when it was saved; none: centred.
    std::optional<Place> window;

    ScourixIni lines;  // the texts as read: a value that reads the same is written as it was
    std::string later; // the lines a later version wrote after ours, as stored
};
PlayerSettings fromLines(const ScourixIni& lines);
ScourixIni toLines(const PlayerSettings& s);
// Reads scourix.ini as far as it goes; TooShort as readScourixIni.
Problem readPlayerSettings(SettingsFile& f, PlayerSettings& out);
void writePlayerSettings(SettingsFile& f, const PlayerSettings& s);
// The first-run values.
PlayerSettings firstRunPlayerSettings();

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
