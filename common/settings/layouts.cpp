#include "common/settings/layouts.h"

#include "platform/files.h"

namespace settings {

const char* const kScourixIni = "scourix.ini";
const char* const kLogosIni = "logos.ini";
const char* const kTauntsIni = "taunts.ini";
const char* const kKeysIni = "keys.ini";
const char* const kNetworkIni = "network.ini";
const char* const kDirecktIni = "direckt.ini";
const char* const kShellListTxt = "shelllist.txt";

namespace {

// Reads one value into each target in turn; TooShort at the first that runs past the end.
// The values read before it stay.
Problem readAll(SettingsFile& f, std::initializer_list<std::string*> targets) {
    for (std::string* target : targets)
        if (!f.readValue(*target)) return Problem::TooShort;
    return Problem::None;
}

} // namespace

Problem readScourixIni(SettingsFile& f, ScourixIni& out) {
    return readAll(f,
                   {&out.gamePath, &out.logoBackupPath, &out.tauntBackupPath, &out.logoNoAction,
                    &out.logoDeleteOthers, &out.logoBackupOthers, &out.tauntNoAction,
                    &out.tauntDeleteOthers, &out.tauntBackupOthers, &out.usePilot, &out.pilotName,
                    &out.language, &out.deleteStats, &out.musicTesterPath, &out.autoCloseTester});
}

void writeScourixIni(SettingsFile& f, const ScourixIni& v) {
    f.writeText(v.gamePath);
    f.writeText(v.logoBackupPath);
    f.writeText(v.tauntBackupPath);
    f.writeText(v.logoNoAction);
    f.writeText(v.logoDeleteOthers);
    f.writeText(v.logoBackupOthers);
    f.writeText(v.tauntNoAction);
    f.writeText(v.tauntDeleteOthers);
    f.writeText(v.tauntBackupOthers);
    f.writeNumber(numericValue(v.usePilot));
    f.writeText(v.pilotName);
    f.writeText(v.language);
    f.writeNumber(numericValue(v.deleteStats));
    f.writeText(v.musicTesterPath);
    f.writeNumber(numericValue(v.autoCloseTester));
}

void writeFirstRunScourixIni(SettingsFile& f) {
    for (const char* line : {"", "", "", "1", "0", "0", "1", "0", "0", "0", "", "2", "", "", ""})
        f.writeRaw(line);
}

void readList(SettingsFile& f, std::vector<std::string>& out) {
    out.clear();
    std::string value;
    while (!f.atEnd() && f.readValue(value)) out.push_back(value);
}

void writeList(SettingsFile& f, const std::vector<std::string>& entries) {
    for (const std::string& entry : entries) f.writeText(entry);
}

void readKeysIni(SettingsFile& f, KeysIni& out) {
    out.switches.clear();
    out.flags.clear();
    std::string value;
    while (!f.atEnd() && f.readValue(value)) {
        if (value.compare(0, 3, "***") == 0)
            out.flags = value.substr(3);
        else
            out.switches.push_back(value);
    }
}

// The flags line carries one character for every list line, including lines starting
// with "***" that are not written as switches.
void writeKeysIni(SettingsFile& f, const std::vector<std::string>& switches,
                  const std::vector<bool>& active) {
    std::string flags = "***";
    for (std::size_t i = 0; i < switches.size(); ++i) {
        if (switches[i].compare(0, 3, "***") != 0) f.writeText(switches[i]);
        flags += i < active.size() && active[i] ? '1' : '0';
    }
    f.writeText(flags);
}

void writeFirstRunKeysIni(SettingsFile& f) {
    for (const char* line :
         {"deadzone0 0.0", "framecap 0", "highvidmem", "nointro", "nomusic", "nosound",
          "nooutdoorfog", "nooutragelogo", "nopentium3", "norenderwindows", "nosparkles",
          "playermessages", "superlowmem", "useport 2092", "vsync", "***011100010110000"})
        f.writeRaw(line);
}

Problem readNetworkIni(SettingsFile& f, NetworkIni& out) {
    return readAll(f, {&out.gameLanguage, &out.keyboardUS, &out.keyboardFrench, &out.keyboardGerman,
                       &out.netNone, &out.netDialup, &out.netLan, &out.speed56K, &out.speedIsdn,
                       &out.speedCable, &out.speedFast, &out.trackerName, &out.trackerSecret});
}

void writeNetworkIni(SettingsFile& f, const NetworkIni& v) {
    for (const std::string* value :
         {&v.gameLanguage, &v.keyboardUS, &v.keyboardFrench, &v.keyboardGerman, &v.netNone,
          &v.netDialup, &v.netLan, &v.speed56K, &v.speedIsdn, &v.speedCable, &v.speedFast,
          &v.trackerName, &v.trackerSecret})
        f.writeRaw(*value);
}

Problem readDirecktIni(SettingsFile& f, DirecktIni& out) {
    return readAll(f, {&out.directTarget, &out.directJoinMode, &out.askBeforeJoin});
}

void writeDirecktIni(SettingsFile& f, const DirecktIni& v) {
    f.writeText(v.directTarget);
    f.writeText(v.directJoinMode);
    f.writeText(v.askBeforeJoin);
}

std::string composeTarget(const JoinTarget& t) {
    return (t.pxo ? "-pxo " : "-directip ") + t.address;
}

JoinTarget splitTarget(const std::string& target) {
    if (target.compare(0, 5, "-pxo ") == 0) return {target.substr(5), true};
    if (target.compare(0, 10, "-directip ") == 0) return {target.substr(10), false};
    return {};
}

Problem readShellList(SettingsFile& f, ShellList& out) {
    for (SideProgram& slot : out) {
        Problem p = readAll(f, {&slot.sideFile, &slot.sideFolder, &slot.sideEnabled});
        if (p != Problem::None) return p;
    }
    return Problem::None;
}

void writeShellList(SettingsFile& f, const ShellList& v) {
    for (const SideProgram& slot : v) {
        f.writeText(slot.sideFile);
        f.writeText(slot.sideFolder);
        f.writeNumber(numericValue(slot.sideEnabled));
    }
}

void writeLauncherShellList(SettingsFile& f) {
    for (int slot = 0; slot < 5; ++slot) {
        f.writeRaw("");
        f.writeRaw("0");
        f.writeRaw("0");
    }
}

void writeEditorShellList(SettingsFile& f) {
    for (int slot = 0; slot < 5; ++slot) {
        f.writeText("");
        f.writeText("");
        f.writeText("0");
    }
}

Problem openFile(const Store& store, const std::string& fileName, SettingsFile& f) {
    const std::string path = store.path(fileName);
    switch (store.files.presence(path)) {
    case platform::Files::Presence::Missing:
        return Problem::Missing;
    case platform::Files::Presence::File:
        break;
    default: // a folder of that name, or no answer: nothing to read, and nothing to replace
        return Problem::Unreadable;
    }
    if (!f.open(store.files, path)) return Problem::Unreadable;
    if (!f.isText()) return Problem::NotText;
    return Problem::None;
}

std::string describe(Problem p, const std::string& fileName, bool german) {
    const std::string name = "\"" + fileName + "\"";
    switch (p) {
    case Problem::None:
        return "";
    case Problem::Missing:
        return german ? "Die Einstellungsdatei " + name + " fehlt."
                      : "The settings file " + name + " is missing.";
    case Problem::Unreadable:
        return german ? "Die Einstellungsdatei " + name + " kann nicht gelesen werden."
                      : "The settings file " + name + " cannot be read.";
    case Problem::TooShort:
        return german ? "Die Einstellungsdatei " + name + " ist unvollständig."
                      : "The settings file " + name + " ends too early.";
    case Problem::NotText:
        return german ? "Die Einstellungsdatei " + name +
                            " ist keine ANSI-Textdatei (sie ist als Unicode/UTF-16 gespeichert "
                            "oder enthält Nullbytes)."
                      : "The settings file " + name +
                            " is not ANSI text (it was saved as Unicode/UTF-16 or holds zero "
                            "bytes).";
    }
    return "";
}

} // namespace settings
