// Feeds arbitrary bytes to the settings reader and to every file layout's loader (and to the
// KeyValues reader of Steam's library files, whose keys written back read again the same), and
// writes what was read back with the layout's writer: reading that again gives the same values, for
// every value the file format can hold (no double quote in quoted style; no comma, line end,
// leading blank or leading quote in raw style; numbers as their numeric value).
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/discovery/discovery.h"
#include "common/discovery/keyvalues.h"
#include "common/registry/registry_file.h"
#include "common/settings/keep_copy.h"
#include "common/settings/layouts.h"
#include "common/settings/settings_file.h"
#include "config/mainwindow/fps_log.h"
#include "launcher/registry_settings.h"
#include "platform/files.h"
#include "platform/system.h"
#include "tests/support/fake_files.h"
#include "tests/support/fakes.h"
#include "tests/support/game_reading.h"

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

// Steam's files as discovery reads them: a library list holds at most kMaxLibraries folders, a
// file past kMaxFileBytes is not read at all, and no exception leaves the search. The first
// byte decides whether the list is made larger than the limit.
void steamFiles(const std::string& bytes) {
    const auto libraries = discovery::steamLibraries(bytes);
    check(libraries.size() <= discovery::kMaxLibraries);
    // The search itself only for bytes that list a library or may be a manifest.
    if (libraries.empty() && keyvalues::parse(bytes).empty()) return;
    const bool large = !bytes.empty() && (bytes[0] & 1);
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
    const std::string steam = "C:\\Steam";
    fake.registry.createKey(platform::RegRoot::LocalMachine, "SOFTWARE\\Valve\\Steam");
    fake.registry.setString(platform::RegRoot::LocalMachine, "SOFTWARE\\Valve\\Steam",
                            "InstallPath", steam);
    const std::string list = steam + "\\steamapps\\libraryfolders.vdf";
    files.addFile(list, bytes);
    if (large) files.large = list;
    files.addFile(steam + "\\steamapps\\appmanifest_273590.acf", bytes);
    // The game in every library listed that is a plain folder on a drive.
    for (const auto& l : libraries) {
        if (l.size() < 4 || l[1] != ':' || l[2] != '\\' ||
            !std::isalpha(static_cast<unsigned char>(l[0])) || l.find("..") != std::string::npos ||
            l.find('/') != std::string::npos)
            continue;
        files.addFile(l + "\\steamapps\\appmanifest_273590.acf",
                      "\"AppState\" { \"installdir\" \"D3\" }");
        files.addFile(l + "\\steamapps\\common\\D3\\Main.exe");
    }
    const auto found = discovery::gameFolders(p);
    check(found.size() <= discovery::kMaxLibraries + 1);
    // From a list past the limit only Steam's own folder is looked at.
    if (large)
        for (const auto& f : found)
            check(f.size() > steam.size() &&
                  platform::sameNameIgnoringCase(f.substr(0, steam.size() + 1), steam + "\\"));
}

bool same(const std::vector<keyvalues::Node>& a, const std::vector<keyvalues::Node>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].key != b[i].key || a[i].value != b[i].value || a[i].block != b[i].block ||
            !same(a[i].children, b[i].children))
            return false;
    return true;
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
        const Replaced r = replaceUnreadable(files, path, "fresh", lang::Language::English);
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
    {
        const auto nodes = keyvalues::parse(bytes);
        check(same(keyvalues::parse(keyValuesText(nodes)), nodes));
        for (const auto& library : discovery::steamLibraries(bytes)) check(!library.empty());
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
    steamFiles(bytes);
    // The registry reader never reads past the data it is given.
    for (auto type : {platform::RegType::String, platform::RegType::MultiString,
                      platform::RegType::Dword, platform::RegType::Other})
        platform::registryText(type, bytes);
    return 0;
}
