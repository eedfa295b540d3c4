#include "common/settings/layouts.h"

#include "platform/files.h"
#include "platform/host.h"

namespace settings {

const char* const kScourixIni = "scourix.ini";
const char* const kLogosIni = "logos.ini";
const char* const kTauntsIni = "taunts.ini";
const char* const kKeysIni = "keys.ini";
const char* const kNetworkIni = "network.ini";
const char* const kDirecktIni = "direckt.ini";
const char* const kShellListTxt = "shelllist.txt";

using S = Style;

const Layout<NetworkIni, 13> kNetworkLayout{{
    {"GameLanguage", &NetworkIni::gameLanguage, S::Raw, ""},
    {"KeyboardUS", &NetworkIni::keyboardUS, S::Raw, ""},
    {"KeyboardFrench", &NetworkIni::keyboardFrench, S::Raw, ""},
    {"KeyboardGerman", &NetworkIni::keyboardGerman, S::Raw, ""},
    {"NetNone", &NetworkIni::netNone, S::Raw, ""},
    {"NetDialup", &NetworkIni::netDialup, S::Raw, ""},
    {"NetLan", &NetworkIni::netLan, S::Raw, ""},
    {"Speed56K", &NetworkIni::speed56K, S::Raw, ""},
    {"SpeedIsdn", &NetworkIni::speedIsdn, S::Raw, ""},
    {"SpeedCable", &NetworkIni::speedCable, S::Raw, ""},
    {"SpeedFast", &NetworkIni::speedFast, S::Raw, ""},
    {"TrackerName", &NetworkIni::trackerName, S::Raw, ""},
    {"TrackerSecret", &NetworkIni::trackerSecret, S::Raw, ""},
}};

const Layout<DirecktIni, 3> kDirecktLayout{{
    {"DirectTarget", &DirecktIni::directTarget, S::Quoted, ""},
    {"DirectJoinMode", &DirecktIni::directJoinMode, S::Quoted, ""},
    {"AskBeforeJoin", &DirecktIni::askBeforeJoin, S::Quoted, ""},
}};

const Layout<SideProgram, 3> kSideProgramLayout{{
    {"SideFile", &SideProgram::sideFile, S::Quoted, ""},
    {"SideFolder", &SideProgram::sideFolder, S::Quoted, "0"},
    {"SideEnabled", &SideProgram::sideEnabled, S::Number, "0"},
}};

lang::Language firstRunLanguage(platform::Host& host) {
    return lang::fromLocale(host.uiLanguage()).value_or(lang::Language::English);
}

Problem readList(SettingsFile& f, std::vector<std::string>& out) {
    out.clear();
    std::string value;
    while (!f.atEnd() && f.readValue(value)) {
        if (out.size() == kMaxLines) {
            out.clear();
            return Problem::TooLong;
        }
        out.push_back(value);
    }
    return Problem::None;
}

void writeList(SettingsFile& f, const std::vector<std::string>& entries) {
    for (const std::string& entry : entries) f.writeText(entry);
}

Problem readKeysIni(SettingsFile& f, KeysIni& out) {
    out.switches.clear();
    out.flags.clear();
    std::string value;
    while (!f.atEnd() && f.readValue(value)) {
        if (value.compare(0, 3, "***") == 0) {
            out.flags = value.substr(3);
        } else if (out.switches.size() == kMaxLines) {
            out = {};
            return Problem::TooLong;
        } else {
            out.switches.push_back(value);
        }
    }
    return Problem::None;
}

// The flags line carries one character for every list line, including lines starting
// with "***" that are not written as switches.
void writeKeysIni(SettingsFile& f, const std::vector<std::string>& switches,
                  const std::vector<bool>& active) {
    std::string flags = "***";
    for (std::size_t i = 0; i < switches.size(); ++i) {
        const std::string& sw = switches[i];
        if (sw.compare(0, 3, "***") != 0)
            sw.find('"') == std::string::npos ? f.writeText(sw) : f.writeRaw(sw);
        flags += i < active.size() && active[i] ? '1' : '0';
    }
    f.writeText(flags);
}

bool keysIniKeeps(const std::string& sw) {
    if (sw.find('"') == std::string::npos) return true;
    return sw[0] != '"' && sw[0] != ' ' && sw[0] != '\t' &&
           sw.find_first_of(",\r\n") == std::string::npos;
}

void writeFirstRunKeysIni(SettingsFile& f) {
    for (const char* line :
         {"deadzone0 0.0", "framecap 0", "highvidmem", "nointro", "nomusic", "nosound",
          "nooutdoorfog", "nooutragelogo", "nopentium3", "norenderwindows", "nosparkles",
          "playermessages", "superlowmem", "useport 2092", "vsync", "***011100010110000"})
        f.writeRaw(line);
}

Problem readNetworkIni(SettingsFile& f, NetworkIni& out) {
    return readFields(f, kNetworkLayout, out);
}

void writeNetworkIni(SettingsFile& f, const NetworkIni& v) {
    writeFields(f, kNetworkLayout, v);
}

Problem readDirecktIni(SettingsFile& f, DirecktIni& out) {
    return readFields(f, kDirecktLayout, out);
}

void writeDirecktIni(SettingsFile& f, const DirecktIni& v) {
    writeFields(f, kDirecktLayout, v);
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
        Problem p = readFields(f, kSideProgramLayout, slot);
        if (p != Problem::None) return p;
    }
    return Problem::None;
}

void writeShellList(SettingsFile& f, const ShellList& v) {
    for (const SideProgram& slot : v) writeFields(f, kSideProgramLayout, slot);
}

void writeLauncherShellList(SettingsFile& f) {
    for (int slot = 0; slot < 5; ++slot) writeFirstRun(f, kSideProgramLayout);
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

std::string describe(Problem p, const std::string& fileName, lang::Language l) {
    switch (p) {
    case Problem::None:
        return "";
    case Problem::Missing:
        return lang::tr(l, "The settings file \"{1}\" is missing.", {fileName});
    case Problem::Unreadable:
        return lang::tr(l, "The settings file \"{1}\" cannot be read.", {fileName});
    case Problem::TooShort:
        return lang::tr(l, "The settings file \"{1}\" ends too early.", {fileName});
    case Problem::NotText:
        return lang::tr(l,
                        "The settings file \"{1}\" is not ANSI text (it was saved as "
                        "Unicode/UTF-16 or holds zero bytes).",
                        {fileName});
    case Problem::TooLong:
        return lang::tr(l,
                        "The settings file \"{1}\" holds more lines than can be saved again "
                        "within 1 MiB.",
                        {fileName});
    }
    return "";
}

std::string tooBig(const std::string& path, lang::Language l) {
    return lang::tr(l,
                    "\"{1}\" was not written: it would be bigger than 1 MiB, more than Scourix "
                    "and Gatefire read. It keeps its previous content.",
                    {path});
}

} // namespace settings
