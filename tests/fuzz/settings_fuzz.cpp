// Feeds arbitrary bytes to every reader of bytes from outside the programs and writes what was
// read back with the matching writer: reading that again gives the same values, for every value
// the format can hold (no double quote in quoted style; no comma, line end, leading blank or
// leading quote in raw style; numbers as their numeric value). The first byte of an input picks
// the reader (its value modulo the number of readers in kReaders: each seed begins with the digit
// of its reader); the rest are the bytes read. tests/fuzz/readers lists the functions a run must
// reach, tests/fuzz/check-coverage checks a run's coverage against it.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/discovery/discovery.h"
#include "common/discovery/keyvalues.h"
#include "common/edition/edition.h"
#include "common/edition/game_args.h"
#include "common/registry/game_settings.h"
#include "common/registry/registry_file.h"
#include "common/settings/keep_copy.h"
#include "common/settings/layouts.h"
#include "common/settings/model.h"
#include "common/settings/settings_file.h"
#include "config/mainwindow/fps_log.h"
#include "config/tools/taunt_preview.h"
#include "launcher/registry_settings.h"
#include "platform/files.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "tests/support/fake_files.h"
#include "tests/support/fakes.h"
#include "tests/support/game_reading.h"
#include "tests/support/taunt_file.h"

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
// Ends the run, naming the line of the check that failed.
void check(bool ok, int line = __builtin_LINE()) {
    if (ok) return;
    std::fprintf(stderr, "settings_fuzz.cpp:%d: check failed\n", line);
    std::abort();
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

// KeyValues text of `nodes`, every key and value quoted and escaped.
std::string keyValuesText(const std::vector<keyvalues::Node>& nodes) {
    auto quoted = [](const std::string& v) {
        std::string out = "\"";
        for (char c : v) {
            if (c == '\\' || c == '"') out += '\\';
            out += c;
        }
        return out + "\"";
    };
    std::string out;
    for (const auto& n : nodes)
        out += quoted(n.key) + (n.block ? " {\n" + keyValuesText(n.children) + "}\n"
                                        : " " + quoted(n.value) + "\n");
    return out;
}

bool same(const std::vector<keyvalues::Node>& a, const std::vector<keyvalues::Node>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].key != b[i].key || a[i].value != b[i].value || a[i].block != b[i].block ||
            !same(a[i].children, b[i].children))
            return false;
    return true;
}

bool same(const Choice& a, const Choice& b) {
    return a.noAction.text == b.noAction.text && a.deleteOthers.text == b.deleteOthers.text &&
           a.backupOthers.text == b.backupOthers.text && a.backupPath == b.backupPath;
}
bool same(const PlayerSettings& a, const PlayerSettings& b) {
    return a.gamePath == b.gamePath && same(a.logos, b.logos) && same(a.taunts, b.taunts) &&
           a.usePilot == b.usePilot && a.pilotName == b.pilotName && a.language == b.language &&
           a.deleteStats == b.deleteStats && a.musicTesterPath == b.musicTesterPath &&
           a.autoCloseTester == b.autoCloseTester && a.window == b.window && a.later == b.later;
}
bool same(const DirectJoin& a, const DirectJoin& b) {
    return a.target == b.target && a.mode == b.mode && a.ask.text == b.ask.text;
}

std::string upper(std::string s) {
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A JSON string: quote and backslash escaped, every control character as \u00XX.
std::string jsonText(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\', out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char u[8];
            std::snprintf(u, sizeof u, "\\u%04x", unsigned(c));
            out += u;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// The settings files: the value reader, every layout's loader and writer, the typed settings
// made of them, a file read from disk and replaced, and the direct-join target.
void settingsFiles(const std::string& bytes) {
    platform::Cp1252 cp;
    const std::size_t size = bytes.size();
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
                  &v.tauntBackupOthers, &v.pilotName, &v.language, &v.musicTesterPath,
                  &v.windowPlace})
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
    // A file of the player's, read from disk: one holding a zero byte is refused; replaced, its
    // bytes are kept whole beside it.
    {
        FakeFiles files;
        const std::string path = "C:\\Prog\\direckt.ini";
        files.addFile(path, bytes);
        Store store{files, cp, "C:\\Prog"};
        SettingsFile in(cp);
        const Problem p = openFile(store, kDirecktIni, in);
        check((p == Problem::NotText) == (bytes.find('\0') != std::string::npos));
        check(p == Problem::NotText || p == Problem::None);
        FakeHost host;
        const Replaced r = replaceUnreadable(files, host, path, "fresh", lang::Language::English);
        check(r.written && files.content(path) == "fresh");
        check(bytes.empty() ? !files.has(path + ".bak") : files.content(path + ".bak") == bytes);
    }
    // The direct-join target splits into what composes it again.
    {
        const JoinTarget t = splitTarget(bytes);
        if (bytes.rfind("-pxo ", 0) == 0 || bytes.rfind("-directip ", 0) == 0)
            check(composeTarget(t) == bytes);
        else
            check(t.address.empty() && t.pxo);
        check(splitTarget(composeTarget(t)).address == t.address);
    }
    // The typed settings give back the lines they were made of (a language that no setting names
    // as the English it speaks); written and read again they are the same, and so are the lines
    // a later version wrote after ours.
    {
        SettingsFile in(cp, bytes);
        PlayerSettings s;
        const Problem read = readPlayerSettings(in, s);
        ScourixIni lines = s.lines;
        if (!s.languageNamed) {
            check(s.language == lang::Language::English);
            lines.language = lang::setting(s.language);
        }
        // A check box's line is written bare, by its numeric value: as it reads.
        const ScourixIni written = toLines(s);
        for (const auto& field : kScourixLayout)
            check(field.style == Style::Number
                      ? ticked(std::to_string(numericValue(written.*field.member))) ==
                            ticked(lines.*field.member)
                      : written.*field.member == lines.*field.member);
        bool ok = read == Problem::None;
        for (const auto& field : kScourixLayout)
            ok = ok && (field.style != Style::Quoted || quotable(lines.*field.member));
        if (ok) {
            SettingsFile out(cp);
            writePlayerSettings(out, s);
            SettingsFile in2(cp, out.bytes());
            PlayerSettings b;
            check(readPlayerSettings(in2, b) == Problem::None && same(b, s));
        }
    }
    {
        SettingsFile in(cp, bytes);
        DirectJoin d;
        const Problem read = readDirectJoin(in, d);
        check(same(fromLines(toLines(d)), d));
        if (read == Problem::None && quotable(d.target) && quotable(d.ask.text)) {
            SettingsFile out(cp);
            writeDirectJoin(out, d);
            SettingsFile in2(cp, out.bytes());
            DirectJoin b;
            check(readDirectJoin(in2, b) == Problem::None && same(b, d) && b.later == d.later);
        }
    }
}

// The open-source game's settings file, read and written.
void gameSettingsFile(const std::string& bytes) {
    platform::Cp1252 cp;
    const std::size_t size = bytes.size();
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
    // The game's settings file writer: a file holding a zero byte stays as it was; in any other,
    // every whole line that names none of the values written is there after the write.
    {
        FakeFiles files;
        const std::string path = "C:\\Users\\p\\.Descent3Registry";
        files.addFile(path, bytes);
        NetworkIni net;
        net.gameLanguage = "German", net.keyboardGerman = "1", net.netLan = "1";
        net.speedFast = "1", net.trackerName = "Ace", net.trackerSecret = "pw";
        // A pilot past the game's 260 bytes at times: never written, always named.
        const std::string pilot(size % 300 + 1, 'p');
        std::vector<std::string> skipped;
        const bool written = launcher::writeGameSettingsFile(files, cp, path, net, pilot,
                                                             skipped) == launcher::Saved::Yes;
        if (bytes.find('\0') != std::string::npos) check(!written && files.content(path) == bytes);
        auto left = [&](const char* name) {
            return std::find(skipped.begin(), skipped.end(), name) != skipped.end();
        };
        if (pilot.size() + 4 > 259) check(left("Default_pilot"));
        if (written) {
            const std::string out = *files.content(path);
            const auto game = gamereading::readSettings(out);
            for (const char* n : {"Default_pilot", "TrackerLogin", "TrackerPassword"}) {
                const auto t = game.text(n);
                check(left(n) || (t && !gamereading::overruns(n, t->size())));
            }
            auto lower = [](std::string t) {
                for (char& c : t) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
                return t;
            };
            for (std::size_t start = 0, end; (end = bytes.find('\n', start)) != std::string::npos;
                 start = end + 1) {
                std::string line = bytes.substr(start, end - start);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                bool names = false;
                for (const char* n :
                     {"default_pilot", "languagetype", "keyboardtype", "networkconnection",
                      "connectionspeed", "clientpps", "trackerlogin", "trackerpassword"})
                    names = names || lower(line).find(n) != std::string::npos;
                if (!names) check(out.find(line) != std::string::npos);
            }
        }
    }
    // The game settings page's reading of the file: a file holding a zero byte is not read, the
    // texts shown are UTF-8, and the values written to a file that was read show as written.
    {
        FakeFiles files;
        const std::string path = "C:\\Users\\p\\.Descent3Registry";
        files.addFile(path, bytes);
        gameregistry::FileSettings from(files, cp, path);
        check((from.state() == gameregistry::FileSettings::State::Read) ==
              (bytes.find('\0') == std::string::npos));
        const gameregistry::Shown before = gameregistry::show(from);
        check(platform::isUtf8(before.login) && platform::isUtf8(before.password));
        NetworkIni net;
        net.trackerName = "Ace", net.trackerSecret = "pw";
        const bool all = gameregistry::write(from, net, "").empty();
        check(from.save() == (from.state() == gameregistry::FileSettings::State::Read));
        if (all && from.state() == gameregistry::FileSettings::State::Read) {
            gameregistry::FileSettings again(files, cp, path);
            const gameregistry::Shown after = gameregistry::show(again);
            check(after.login == "Ace" && after.password == "pw");
        }
    }
}

// Steam's files as discovery reads them on `system`: a library list holds at most kMaxLibraries
// folders, a file past kMaxFileBytes is not read at all, no exception leaves the search, and every
// folder offered holds a program of the game that runs there. On Windows the first byte decides
// whether the list is made larger than the limit.
void steamSearch(const std::string& bytes, const std::vector<std::string>& libraries,
                 platform::System system) {
    const bool windows = system == platform::System::Windows;
    const bool large = windows && !bytes.empty() && (bytes[0] & 1);
    // A list past the limit, without holding a megabyte for it: its reads say how large it is.
    struct Files : FakeFiles {
        std::string large;
        bool read(const std::string& path, std::string& out, std::uint64_t limit) override {
            if (!large.empty() && platform::sameNameIgnoringCase(path, large) &&
                limit <= discovery::kMaxFileBytes)
                return false;
            return FakeFiles::read(path, out, limit);
        }
    } files;
    FakePlatform fake;
    platform::Platform p{files,         fake.shell, fake.registry,  fake.dialogs, fake.app,
                         fake.codepage, fake.keys,  fake.shortcuts, fake.host};
    fake.host.kind = system;
    const std::string steam = windows ? "C:\\Steam" : "/home/p/.local/share/Steam";
    if (windows) {
        fake.registry.createKey(platform::RegRoot::LocalMachine, "SOFTWARE\\Valve\\Steam");
        fake.registry.setString(platform::RegRoot::LocalMachine, "SOFTWARE\\Valve\\Steam",
                                "InstallPath", steam);
    } else {
        fake.host.home = "/home/p";
    }
    const std::string list = steam + "\\steamapps\\libraryfolders.vdf";
    files.addFile(list, bytes);
    if (large) files.large = list;
    files.addFile(steam + "\\steamapps\\appmanifest_273590.acf", bytes);
    // The game in every library listed that is a plain folder (on a drive, on Windows).
    const std::string program = windows ? edition::kRetailExe : edition::kOpenSourceName;
    for (const auto& l : libraries) {
        const bool plain = windows
                               ? l.size() >= 4 && l[1] == ':' && l[2] == '\\' &&
                                     std::isalpha(static_cast<unsigned char>(l[0])) &&
                                     l.find('/') == std::string::npos
                               : l.size() >= 2 && l[0] == '/' && l.find('\\') == std::string::npos;
        if (!plain || l.find("..") != std::string::npos) continue;
        files.addFile(l + "\\steamapps\\appmanifest_273590.acf",
                      "\"AppState\" { \"installdir\" \"D3\" }");
        files.addFile(l + "\\steamapps\\common\\D3\\" + program);
        files.addFile(l + "\\steamapps\\common\\D3\\" + discovery::kMainData);
    }
    const auto found = discovery::gameFolders(p);
    check(found.size() <= discovery::kMaxLibraries + 1);
    // On Linux only the Linux program counts (Steam's Windows copy is for Proton).
    for (const auto& f : found)
        check(files.has(f + "\\" + fake.host.programFile(edition::kOpenSourceName)) ||
              (windows && files.has(f + "\\" + edition::kRetailExe)));
    // The folders offered for their data hold it.
    for (const auto& f : discovery::dataFolders(p))
        check(files.has(f + "\\" + discovery::kMainData));
    // From a list past the limit only Steam's own folder is looked at.
    if (large)
        for (const auto& f : found)
            check(f.size() > steam.size() &&
                  platform::sameNameIgnoringCase(f.substr(0, steam.size() + 1), steam + "\\"));
}

// Steam's libraryfolders.vdf and appmanifest .acf: KeyValues text written back from what was
// read reads the same; the search on Windows and on Linux.
void steamFiles(const std::string& bytes) {
    const auto nodes = keyvalues::parse(bytes);
    check(same(keyvalues::parse(keyValuesText(nodes)), nodes));
    const auto libraries = discovery::steamLibraries(bytes);
    check(libraries.size() <= discovery::kMaxLibraries);
    for (const auto& library : libraries) check(!library.empty());
    // The search itself only for bytes that list a library or may be a manifest.
    if (libraries.empty() && nodes.empty()) return;
    steamSearch(bytes, libraries, platform::System::Windows);
    steamSearch(bytes, libraries, platform::System::Linux);
}

// Heroic's list of GOG installs (installed.json): the installs read, written as Heroic writes
// them, read again the same; the search on Linux offers those of them that hold the Linux program.
void heroicList(const std::string& bytes) {
    const auto games = discovery::heroicGames(bytes);
    check(games.size() <= discovery::kMaxLibraries);
    std::string json = "{\"installed\": [";
    for (const auto& g : games) {
        check(!g.empty());
        json += "{\"appName\": \"1\", \"title\": \"Descent 3\", \"install_path\": " + jsonText(g) +
                ", \"is_dlc\": false},";
    }
    if (!games.empty()) json.pop_back();
    check(discovery::heroicGames(json + "]}") == games);

    FakePlatform fake;
    fake.host.kind = platform::System::Linux;
    fake.host.home = "/home/p";
    fake.files.addFile("/home/p/.config/heroic/gog_store/installed.json", bytes);
    for (const auto& g : games)
        if (g.size() >= 2 && g[0] == '/' && g.find_first_of("\\") == std::string::npos &&
            g.find("..") == std::string::npos)
            fake.files.addFile(g + "/" + edition::kOpenSourceName);
    const auto found = discovery::gameFolders(fake.platform);
    check(found.size() <= games.size());
    for (const auto& f : found) check(fake.files.has(f + "\\" + edition::kOpenSourceName));
}

// A taunt file: its trailer, written again from what was read, reads the same; decoded, raw
// samples give back the bytes they were read from, and an ACM stream gives at most the samples
// its header names, at its rate and channels; piece by piece, in whole frames, the same.
void taunts(const std::string& bytes) {
    const auto clip = scourix::tauntClip(bytes);
    if (!clip) return;
    check(bytes.size() == clip->data.size() + 128 &&
          bytes.compare(0, clip->data.size(), clip->data) == 0);
    const bool acm = clip->coding == platform::Coding::InterplayAcm;
    const bool wide = clip->coding == platform::Coding::Pcm16;
    const auto back = scourix::tauntClip(
        clip->data + tauntfile::trailer(acm ? 1 : 0,
                                        (wide ? 0x01 : 0) | (clip->channels == 2 ? 0x10 : 0),
                                        clip->rate / 1000));
    check(back && back->coding == clip->coding && back->rate == clip->rate &&
          back->channels == clip->channels && back->data == clip->data);
    platform::Pcm pcm;
    if (!platform::decode(*clip, pcm)) return;
    check(!pcm.samples.empty() && pcm.samples.size() % std::size_t(pcm.channels) == 0);
    platform::Decoder pieces(*clip);
    std::vector<std::int16_t> samples;
    for (std::size_t n; (n = pieces.next(samples, bytes.size() % 97 + 2)) > 0;)
        check(n % std::size_t(pcm.channels) == 0);
    check(samples == pcm.samples);
    if (acm) {
        auto le = [&](std::size_t at, int n) {
            std::uint32_t v = 0;
            for (int i = n - 1; i >= 0; --i)
                v = v << 8 | static_cast<unsigned char>(clip->data[at + i]);
            return v;
        };
        check(pcm.samples.size() <= le(4, 4) && pcm.channels == int(le(8, 2)) &&
              pcm.rate == int(le(10, 2)));
        return;
    }
    check(pcm.rate == clip->rate && pcm.channels == clip->channels);
    std::string raw;
    for (const std::int16_t s : pcm.samples) {
        if (wide)
            tauntfile::put(raw, std::uint16_t(s), 2);
        else
            raw += char((s >> 8) + 128);
    }
    const std::size_t frame = (wide ? 2 : 1) * std::size_t(clip->channels);
    check(clip->data.compare(0, raw.size(), raw) == 0 && clip->data.size() - raw.size() < frame);
}

// The game folder's readers: the process id of the lock file, written again as the game writes
// it, reads the same, and the game that holds it is found running; the edition and its folders,
// told on Windows by the program's version resource (here the first bytes and the original
// name), on Linux by the program's bytes.
void gameFolder(const std::string& bytes) {
    const auto pid = edition::lockHolder(bytes);
    if (pid) {
        std::string lock = "LOCK";
        tauntfile::put(lock, std::uint32_t(*pid), 4);
        check(bytes.compare(0, 8, lock) == 0 && edition::lockHolder(lock) == pid);
    }
    for (const auto system : {platform::System::Windows, platform::System::Linux}) {
        FakePlatform fake;
        fake.host.kind = system;
        const bool windows = system == platform::System::Windows;
        const std::string folder = "C:\\Games\\D3";
        const std::string program =
            folder + "\\" + (windows ? edition::kRetailExe : edition::kOpenSourceName);
        fake.files.addFile(program, bytes);
        fake.files.addFile(fake.host.temp + edition::kLockFile, bytes);
        if (pid) fake.host.processes.insert(*pid);
        platform::ProgramVersion v;
        if (windows && bytes.size() >= 3) {
            v = {bytes.substr(3), bytes[0] % 4, bytes[1] % 8, bytes[2] % 4};
            fake.host.versions[program] = v;
        }
        const edition::Game g = edition::describe(fake.platform, folder);
        check(g.hasProgram && g.program == program);
        check(g.openSource() == edition::retailProgram(fake.platform, folder).empty());
        check(windows || g.openSource());
        const bool firstRelease = windows ? v.major == 1 && v.minor == 5 && v.build == 0
                                          : edition::keepsFilesInGameFolder(bytes);
        check((g.pilotFolder == folder) == (!g.openSource() || firstRelease));
        check(g.dataFolders.size() == (g.pilotFolder == folder ? 1u : 2u));
        const std::string running = edition::runningGame(fake.platform, g);
        check(running.empty() == !(g.openSource() && pid && bytes.size() <= 64));
    }
}

// The game's argument rules against the game's own reading of its command line
// (tests/support/game_reading). The first byte tells the edition.
void gameArguments(const std::string& bytes) {
    const bool openSource = !bytes.empty() && (bytes[0] & 1);
    const std::string line = bytes.empty() ? bytes : bytes.substr(1);
    const auto l = lang::Language::English;
    const auto args = gamereading::gatherArgs(line);
    bool fits = args.args.size() <= edition::kMaxArgs;
    for (const auto& a : args.args) fits = fits && a.size() <= edition::kMaxArgChars;
    check(edition::gameCanHold(line) == fits);

    // One argument: a switch read from it is one the game finds there (the one-letter switches,
    // told apart by case, aside), and a pilot of that name is not handed over.
    if (line.find_first_of(" \"") == std::string::npos) {
        const std::string name = edition::switchReadFrom(line, openSource);
        if (!name.empty() && name[0] != '-')
            check(gamereading::findsSwitch(args, name, openSource));
        check(edition::pilotReadAsSwitch(l, line, openSource).empty() == name.empty());
    }
    // An address the game can be handed fits its buffer after either switch of a direct join.
    const bool refused = !edition::addressRefused(l, line, openSource).empty();
    for (const char* sw : {"-directip ", "-pxo "}) {
        check(edition::targetRefused(l, sw + line, openSource).empty() == !refused);
        if (!refused && line.find_first_of(" \"") == std::string::npos)
            check(!gamereading::gatherArgs(sw + line).overrun);
    }
    // A pilot's name and an added data folder reach the game as one argument each.
    const std::string pilot = edition::pilotSwitch(line);
    check(pilot.empty() == (line.find('"') != std::string::npos));
    if (!pilot.empty()) {
        const auto a = gamereading::gatherArgs(pilot).args;
        check(a.size() >= 2 && a[0] == "-PILOT" && a[1] == upper(line));
    }
    const std::string dir = discovery::additionalDir(line);
    if (!dir.empty()) {
        const auto a = gamereading::gatherArgs(dir);
        check(!a.overrun && a.args.size() >= 2 && a.args[0] == "ADDITIONALDIR" &&
              a.args[1] == upper(line) && keysIniKeeps(dir));
    }
    // The parts fitted to the game (each line one part) keep their order; those left out are
    // the others, and the line fits the game whenever what comes before and after them does.
    std::vector<std::string> parts, leftOut;
    for (std::size_t start = 0; start <= line.size();) {
        const std::size_t end = std::min(line.find('\n', start), line.size());
        parts.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    const std::string before = "-launched ", after = "-pilot Ace ";
    const std::string fitted = edition::fitToGame(before, parts, after, leftOut);
    std::size_t next = 0, length = before.size() + after.size();
    for (const auto& part : parts) {
        length += part.size();
        if (next < leftOut.size() && leftOut[next] == part) length -= leftOut[next++].size();
    }
    check(next == leftOut.size() && fitted.size() == length && fitted.rfind(before, 0) == 0 &&
          fitted.compare(fitted.size() - after.size(), after.size(), after) == 0);
    check(edition::gameCanHold(fitted) || !edition::gameCanHold(before + after));
}

// File names, the code page, copies over a file, the frame-rate log and the registry's values.
void namesAndCopies(const std::string& bytes) {
    platform::Cp1252 cp;
    const std::size_t size = bytes.size();
    // The frame-rate log: its lines come first as they were, the block after them; a log holding
    // a zero byte is not appended to.
    {
        std::string out;
        const bool ok = scourix::appendToLog(bytes, {"demo : secret2.dem", "** end **"}, out);
        if (bytes.find('\0') != std::string::npos) check(!ok);
        if (ok) {
            const std::string tail = "demo : secret2.dem\r\n** end **\r\n";
            check(out.size() >= tail.size() &&
                  out.compare(out.size() - tail.size(), tail.size(), tail) == 0);
            std::size_t at = 0;
            for (std::size_t start = 0; start < bytes.size();) {
                std::size_t end = bytes.find('\n', start);
                std::string line =
                    bytes.substr(start, end == std::string::npos ? end : end - start);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                check(out.compare(at, line.size() + 2, line + "\r\n") == 0);
                at += line.size() + 2;
                start = end == std::string::npos ? bytes.size() : end + 1;
            }
        }
    }
    // File names: a name Windows takes ends in no dot or blank and matches itself and "*"; a name
    // is the same as itself, and sameness holds both ways round.
    {
        const std::string a = bytes.substr(0, size / 2), b = bytes.substr(size / 2);
        for (const std::string& name : {a, b})
            if (platform::validFileName(name)) {
                check(name.back() != '.' && name.back() != ' ');
                check(platform::matchesPattern(name, "*"));
                if (name.find(';') == std::string::npos)
                    check(platform::matchesPattern(name, name));
            }
        platform::matchesPattern(a, b);
        check(platform::sameNameIgnoringCase(a, a));
        check(platform::sameNameIgnoringCase(a, b) == platform::sameNameIgnoringCase(b, a));
        // What the code page makes of any bytes is well-formed UTF-8.
        check(platform::isUtf8(cp.toUtf8(bytes)));
        if (platform::isUtf8(bytes)) check(platform::isUtf8(bytes + "x"));
    }
    // A file copied over another by way of a temporary file: the target holds the bytes, and a
    // file of the player's under the temporary name stays as it was.
    {
        FakeFiles files;
        files.addFile("C:\\T\\from", bytes);
        files.addFile("C:\\T\\to", "old");
        files.addFile("C:\\T\\to.new~", "the player's");
        check(copyOver(files, "C:\\T\\from", "C:\\T\\to"));
        check(files.content("C:\\T\\to") == bytes);
        check(files.content("C:\\T\\to.new~") == "the player's");
        check(files.snapshot().size() == 3);
    }
    // The registry reader never reads past the data it is given.
    for (auto type : {platform::RegType::String, platform::RegType::MultiString,
                      platform::RegType::Dword, platform::RegType::Other})
        platform::registryText(type, bytes);
}

// The readers by the first byte of an input (its value modulo their number).
constexpr void (*kReaders[])(const std::string&) = {
    settingsFiles, gameSettingsFile, steamFiles,    heroicList,
    taunts,        gameFolder,       gameArguments, namesAndCopies,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    kReaders[data[0] % std::size(kReaders)](
        std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    return 0;
}
