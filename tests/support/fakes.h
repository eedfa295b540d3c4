#pragma once
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
    };
    bool open(const std::string& file, const std::string& parameters, const std::string& folder,
              platform::ShowMode) override {
        started.push_back({file, parameters, folder});
        return !failing.count(file);
    }
    bool openAddress(const std::string& address) override {
        addresses.push_back(address);
        return true;
    }
    std::vector<Start> started;
    std::vector<std::string> addresses;
    std::set<std::string> failing; // files that do not start
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

// All fakes together, as one platform.
struct FakePlatform {
    FakeFiles files;
    FakeShell shell;
    FakeRegistry registry;
    FakeDialogs dialogs;
    FakeApp app;
    platform::Cp1252 codepage;
    platform::Platform platform{files, shell, registry, dialogs, app, codepage};
};
