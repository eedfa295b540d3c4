// Feeds arbitrary bytes to the settings reader and to every file layout's loader, and writes
// what was read back with the layout's writer: reading that again gives the same values, for
// every value the file format can hold (no double quote in quoted style; no comma, line end,
// leading blank or leading quote in raw style; numbers as their numeric value).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/registry/registry_file.h"
#include "tests/support/game_reading.h"
#include "common/settings/layouts.h"
#include "common/settings/settings_file.h"
#include "platform/system.h"

using namespace settings;

namespace {

bool quotable(const std::string& v) {
    return v.find('"') == std::string::npos;
}
// A raw first value that starts with what a byte-order mark reads as would lose it.
bool rawWritable(const std::string& v) {
    if (v.compare(0, 6, "\xC3\xAF\xC2\xBB\xC2\xBF") == 0) return false;
    return v.find_first_of(",\r\n") == std::string::npos &&
           (v.empty() || (v[0] != ' ' && v[0] != '\t' && v[0] != '"'));
}
std::string number(const std::string& v) {
    return std::to_string(numericValue(v));
}
void check(bool ok) {
    if (!ok) std::abort();
}

// Writes with `write`, reads again with `read` and hands both to `same`.
template <class T, class Write, class Read>
T again(platform::Codepage& cp, const T& v, Write write, Read read) {
    SettingsFile out(cp);
    write(out, v);
    SettingsFile in(cp, out.bytes());
    T back{};
    check(read(in, back) == Problem::None);
    check(in.atEnd());
    return back;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::Cp1252 cp;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // Every successful read takes at least one byte, so a file of n bytes ends within n reads.
    SettingsFile f(cp, bytes);
    std::string value;
    std::size_t reads = 0;
    while (!f.atEnd() && f.readValue(value)) {
        numericValue(value);
        if (++reads > size) std::abort();
    }
    if (!f.atEnd() || f.readValue(value)) std::abort();

    {
        SettingsFile in(cp, bytes);
        ScourixIni v;
        if (readScourixIni(in, v) == Problem::None) {
            bool ok = true;
            for (const std::string* t :
                 {&v.gamePath, &v.logoBackupPath, &v.tauntBackupPath, &v.logoNoAction,
                  &v.logoDeleteOthers, &v.logoBackupOthers, &v.tauntNoAction, &v.tauntDeleteOthers,
                  &v.tauntBackupOthers, &v.pilotName, &v.language, &v.musicTesterPath})
                ok = ok && quotable(*t);
            if (ok) {
                ScourixIni b = again(cp, v, writeScourixIni, readScourixIni);
                check(b.gamePath == v.gamePath && b.logoBackupPath == v.logoBackupPath &&
                      b.tauntBackupPath == v.tauntBackupPath && b.logoNoAction == v.logoNoAction &&
                      b.logoDeleteOthers == v.logoDeleteOthers &&
                      b.logoBackupOthers == v.logoBackupOthers &&
                      b.tauntNoAction == v.tauntNoAction &&
                      b.tauntDeleteOthers == v.tauntDeleteOthers &&
                      b.tauntBackupOthers == v.tauntBackupOthers && b.pilotName == v.pilotName &&
                      b.language == v.language && b.musicTesterPath == v.musicTesterPath &&
                      b.usePilot == number(v.usePilot) && b.deleteStats == number(v.deleteStats) &&
                      b.autoCloseTester == number(v.autoCloseTester));
                check(isNumericOne(b.usePilot) == (numericValue(v.usePilot) == 1));
            }
        }
    }
    {
        SettingsFile in(cp, bytes);
        std::vector<std::string> list;
        readList(in, list);
        if (list.size() != reads) std::abort();
        bool ok = true;
        for (const auto& e : list) ok = ok && quotable(e);
        if (ok) {
            auto back = again(cp, list, writeList, [](SettingsFile& f, auto& out) {
                readList(f, out);
                return Problem::None;
            });
            check(back == list);
        }
    }
    {
        SettingsFile in(cp, bytes);
        KeysIni k;
        readKeysIni(in, k);
        bool ok = true;
        for (const auto& s : k.switches) ok = ok && quotable(s);
        if (ok) {
            std::vector<bool> active;
            for (std::size_t i = 0; i < k.switches.size(); ++i) active.push_back(k.active(i));
            SettingsFile out(cp);
            writeKeysIni(out, k.switches, active);
            SettingsFile back(cp, out.bytes());
            KeysIni b;
            readKeysIni(back, b);
            check(b.switches == k.switches);
            for (std::size_t i = 0; i < k.switches.size(); ++i) check(b.active(i) == active[i]);
        }
    }
    {
        SettingsFile in(cp, bytes);
        NetworkIni v;
        if (readNetworkIni(in, v) == Problem::None) {
            bool ok = true;
            const std::string* fields[] = {&v.gameLanguage,   &v.keyboardUS, &v.keyboardFrench,
                                           &v.keyboardGerman, &v.netNone,    &v.netDialup,
                                           &v.netLan,         &v.speed56K,   &v.speedIsdn,
                                           &v.speedCable,     &v.speedFast,  &v.trackerName,
                                           &v.trackerSecret};
            for (const std::string* t : fields) ok = ok && rawWritable(*t);
            if (ok) {
                NetworkIni b = again(cp, v, writeNetworkIni, readNetworkIni);
                const std::string* backs[] = {&b.gameLanguage,   &b.keyboardUS, &b.keyboardFrench,
                                              &b.keyboardGerman, &b.netNone,    &b.netDialup,
                                              &b.netLan,         &b.speed56K,   &b.speedIsdn,
                                              &b.speedCable,     &b.speedFast,  &b.trackerName,
                                              &b.trackerSecret};
                for (std::size_t i = 0; i < 13; ++i) check(*backs[i] == *fields[i]);
            }
        }
    }
    {
        SettingsFile in(cp, bytes);
        DirecktIni v;
        if (readDirecktIni(in, v) == Problem::None && quotable(v.directTarget) &&
            quotable(v.directJoinMode) && quotable(v.askBeforeJoin)) {
            DirecktIni b = again(cp, v, writeDirecktIni, readDirecktIni);
            check(b.directTarget == v.directTarget && b.directJoinMode == v.directJoinMode &&
                  b.askBeforeJoin == v.askBeforeJoin);
        }
    }
    {
        SettingsFile in(cp, bytes);
        ShellList v;
        if (readShellList(in, v) == Problem::None) {
            bool ok = true;
            for (const auto& slot : v)
                ok = ok && quotable(slot.sideFile) && quotable(slot.sideFolder);
            if (ok) {
                ShellList b = again(cp, v, writeShellList, readShellList);
                for (std::size_t i = 0; i < v.size(); ++i)
                    check(b[i].sideFile == v[i].sideFile && b[i].sideFolder == v[i].sideFolder &&
                          b[i].sideEnabled == number(v[i].sideEnabled));
            }
        }
    }
    // The open-source game's settings file: a value set reads back as set, and a value read
    // before stays as it was (unless it stood on a last line without a line end, which the game
    // does not read before the file is written whole).
    {
        gameregistry::RegistryFile f(bytes);
        const auto pilot = f.text("Descent3", "Default_pilot");
        const auto language = f.number("descent3", "LanguageType");
        const bool number = f.setNumber("Descent3", "ClientPPS", static_cast<std::uint32_t>(size));
        const bool text = f.setText("DESCENT3", "TrackerLogin", bytes.substr(0, 40));
        gameregistry::RegistryFile g(f.bytes());
        // What was set is what the game's own reading of the file holds.
        const auto game = gamereading::readSettings(f.bytes());
        if (number) {
            check(g.number("Descent3", "clientpps") == static_cast<std::uint32_t>(size));
            check(game.number("ClientPPS") == static_cast<std::int32_t>(size));
        }
        if (text) {
            check(g.text("Descent3", "trackerlogin") == bytes.substr(0, 40));
            check(game.text("TrackerLogin") == bytes.substr(0, 40));
        }
        if (bytes.empty() || bytes.back() == '\n') {
            check(g.text("Descent3", "Default_pilot") == pilot);
            check(g.number("Descent3", "LanguageType") == language);
        }
    }
    // The registry reader never reads past the data it is given.
    for (auto type : {platform::RegType::String, platform::RegType::MultiString,
                      platform::RegType::Dword, platform::RegType::Other})
        platform::registryText(type, bytes);
    return 0;
}
