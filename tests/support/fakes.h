#pragma once
#include <cctype>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/fake_files.h"

// A shell that records what it was asked to start.
class FakeShell : public platform::Shell {
  public:
    struct Start {
        std::string file, parameters, folder;
        platform::ShowMode show = platform::ShowMode::Normal;
    };
    bool open(const std::string& file, const std::string& parameters, const std::string& folder,
              platform::ShowMode show) override {
        started.push_back({file, parameters, folder, show});
        return !failing.count(file);
    }
    bool openAddress(const std::string& address, platform::ShowMode show) override {
        addresses.push_back(address);
        addressShows.push_back(show);
        return opensAddresses;
    }
    bool start(const std::string& program) override {
        programs.push_back(program);
        return !failing.count(program);
    }
    std::vector<Start> started;
    std::vector<std::string> addresses;
    std::vector<std::string> programs; // started by path
    std::vector<platform::ShowMode> addressShows;
    std::set<std::string> failing; // files that do not start
    bool opensAddresses = true;    // false: no browser is there
};

// A registry of keys and typed values; `readOnly` makes every write fail, `failing` the writes
// of some values.
class FakeRegistry : public platform::Registry {
  public:
    struct Value {
        bool isDword = false;
        std::string text;
        std::uint32_t number = 0;
    };
    bool createKey(platform::RegRoot root, const std::string& key) override {
        if (readOnly) return false;
        keys.insert(path(root, key));
        return true;
    }
    bool setString(platform::RegRoot root, const std::string& key, const std::string& name,
                   const std::string& value) override {
        if (readOnly || failing.count(name) || !keys.count(path(root, key))) return false;
        values[path(root, key) + "|" + name] = {false, value, 0};
        writes.push_back(name + "=" + value);
        return true;
    }
    bool setDword(platform::RegRoot root, const std::string& key, const std::string& name,
                  std::uint32_t value) override {
        if (readOnly || failing.count(name) || !keys.count(path(root, key))) return false;
        values[path(root, key) + "|" + name] = {true, "", value};
        writes.push_back(name + "=dword:" + std::to_string(value));
        return true;
    }
    bool read(platform::RegRoot root, const std::string& key, const std::string& name,
              std::string& value) override {
        auto it = values.find(path(root, key) + "|" + name);
        if (it == values.end()) return false;
        value = it->second.isDword ? std::to_string(it->second.number) : it->second.text;
        return true;
    }
    // A key exists when it was created or holds a value.
    bool subkeys(platform::RegRoot root, const std::string& key,
                 std::vector<std::string>& names) override {
        const std::string prefix = path(root, key) + "\\";
        std::set<std::string> found;
        bool exists = keys.count(path(root, key)) > 0;
        auto add = [&](const std::string& p) {
            if (p.rfind(prefix, 0) != 0) return;
            exists = true;
            const std::string rest = p.substr(prefix.size());
            if (rest.find('\\') != std::string::npos) found.insert(rest.substr(0, rest.find('\\')));
        };
        for (const auto& k : keys) add(k + "\\");
        for (const auto& [k, v] : values) add(k.substr(0, k.find('|')) + "\\");
        names.assign(found.begin(), found.end());
        return exists;
    }
    // The value as "text" or "dword:N", empty when missing.
    std::string get(const std::string& key, const std::string& name) const {
        auto it = values.find(path(platform::RegRoot::LocalMachine, key) + "|" + name);
        if (it == values.end()) return "";
        return it->second.isDword ? "dword:" + std::to_string(it->second.number) : it->second.text;
    }
    static std::string path(platform::RegRoot root, const std::string& key) {
        return (root == platform::RegRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + key;
    }
    std::set<std::string> keys;
    std::map<std::string, Value> values;
    std::vector<std::string> writes; // in order, "name=data"
    bool readOnly = false;
    std::set<std::string> failing; // value names whose writes fail
};

// Message and input boxes answered from a script; every box shown is recorded.
class FakeDialogs : public platform::Dialogs {
  public:
    struct Box {
        std::string text;
        platform::Buttons buttons;
        platform::Icon icon;
        std::string title;
    };
    platform::Answer message(const std::string& text, platform::Buttons buttons,
                             platform::Icon icon, const std::string& title) override {
        boxes.push_back({text, buttons, icon, title.empty() ? programTitle : title});
        if (answers.empty()) return platform::Answer::Cancel;
        platform::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override {
        inputs.push_back({prompt, platform::Buttons::OkCancel, platform::Icon::None,
                          title.empty() ? programTitle : title});
        lastDefault = defaultText;
        if (typed.empty()) return "";
        std::string t = typed.front();
        typed.pop_front();
        return t;
    }
    void beep() override { ++beeps; }

    std::string programTitle = "gatefire";
    std::deque<platform::Answer> answers;
    std::deque<std::string> typed;
    std::vector<Box> boxes, inputs;
    std::string lastDefault;
    int beeps = 0;
};

class FakeApp : public platform::App {
  public:
    std::string programFolder() override { return folder; }
    platform::Version version() override { return ver; }
    std::uint64_t milliseconds() override { return now; }
    void end() override { ended = true; }
    std::string folder = "C:\\Gatefire";
    bool ended = false;
    platform::Version ver{2, 0, 7};
    std::uint64_t now = 0;
};

// Keystrokes: the windows that exist by title, and a log of every activation and send.
// A send goes through only while the window last activated exists.
class FakeKeys : public platform::Keys {
  public:
    platform::Activation activate(const std::string& title) override {
        log.push_back("activate " + title);
        target = windows.count(title) && !stuck.count(title) ? title : "";
        if (!target.empty()) return platform::Activation::Done;
        return windows.count(title) ? platform::Activation::NotInFront
                                    : platform::Activation::NoWindow;
    }
    bool send(const std::string& keys, bool wait) override {
        if (target.empty() || !windows.count(target) || focusLostAfter == 0) return false;
        if (focusLostAfter > 0) --focusLostAfter;
        log.push_back((wait ? "wait " : "send ") + keys);
        return true;
    }
    // Only the sends, each as "send KEYS" or "wait KEYS".
    std::vector<std::string> sent() const {
        std::vector<std::string> out;
        for (const auto& l : log)
            if (l.rfind("activate ", 0) != 0) out.push_back(l);
        return out;
    }
    std::set<std::string> windows;
    std::set<std::string> stuck; // windows there that do not come to the front
    std::string target;
    std::vector<std::string> log;
    int focusLostAfter = -1; // sends that go through before the target loses the focus; -1 none
    bool reaches = true;     // false: a system whose programs take no typed keys (Linux)
    bool reachesOtherPrograms() override { return reaches; }
};

// Shell links kept as files of the fake file system ("link to " and the target); a link into a
// folder listed in `readOnly` cannot be written.
class FakeShortcuts : public platform::Shortcuts {
  public:
    explicit FakeShortcuts(FakeFiles& files) : files_(files) {}
    std::string commonDesktop() override { return common; }
    std::string userDesktop() override { return user; }
    bool create(const std::string& link, const std::string& target) override {
        const std::string folder = link.substr(0, link.find_last_of('\\'));
        if (readOnly.count(folder) || !files_.folderExists(folder) || files_.exists(link))
            return false;
        return files_.write(link, "link to " + target);
    }
    std::string common = "C:\\Users\\Public\\Desktop";
    std::string user = "C:\\Users\\player\\Desktop";
    std::set<std::string> readOnly;

  private:
    FakeFiles& files_;
};

// The player's data folder, the version resources of program files by path, and the programs
// that run, by path (compared without case, as the system does).
class FakeHost : public platform::Host {
  public:
    std::string userDataFolder() override { return dataFolder; }
    std::optional<platform::ProgramVersion> programVersion(const std::string& path) override {
        auto v = versions.find(path);
        if (v == versions.end()) return {};
        return v->second;
    }
    bool running(const std::string& path) override {
        for (const auto& r : runningPrograms)
            if (lower(r) == lower(path)) return true;
        return false;
    }
    std::string tempFolder() override { return temp; }
    bool processRunning(std::int32_t pid) override { return processes.count(pid) > 0; }
    std::string processProgram(std::int32_t pid) override {
        auto p = programs.find(pid);
        return p == programs.end() ? "" : p->second;
    }
    std::string shownPath(const std::string& path) override {
        std::string s = path;
        if (kind == platform::System::Linux)
            for (char& c : s)
                if (c == '\\') c = '/';
        return s;
    }
    std::string programFile(const std::string& name) override {
        return kind == platform::System::Windows ? name + ".exe" : name;
    }
    platform::System system() override { return kind; }
    std::string homeFolder() override { return home; }
    std::string uiLanguage() override { return uiLocale; }
    platform::System kind = platform::System::Windows;
    std::string home;     // the player's home folder where the system has one for the stores
    std::string uiLocale; // the locale name of the system's interface language
    std::string dataFolder = "C:\\Users\\player\\AppData\\Roaming";
    std::map<std::string, platform::ProgramVersion> versions;
    std::vector<std::string> runningPrograms;
    std::string temp = "C:\\Users\\player\\AppData\\Local\\Temp";
    std::set<std::int32_t> processes;             // ids of the processes that run
    std::map<std::int32_t, std::string> programs; // the program of a process, where it is told

  private:
    static std::string lower(std::string s) {
        for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }
};

// A sound output that keeps the clips it was given; `plays` false is a system without one.
class FakeSound : public platform::Sound {
  public:
    bool plays() override { return on; }
    platform::Played play(const platform::Clip& clip) override {
        if (!on) return platform::Played::NotHere;
        clips.push_back(clip);
        return answer;
    }
    bool on = false;
    platform::Played answer = platform::Played::Started;
    std::vector<platform::Clip> clips;
};

// All fakes together, as one platform.
struct FakePlatform {
    FakeFiles files;
    FakeShell shell;
    FakeRegistry registry;
    FakeDialogs dialogs;
    FakeApp app;
    platform::Cp1252 codepage;
    FakeKeys keys;
    FakeShortcuts shortcuts{files};
    FakeHost host;
    FakeSound sound;
    platform::Platform platform{files,    shell, registry,  dialogs, app,
                                codepage, keys,  shortcuts, host,    sound};
};
