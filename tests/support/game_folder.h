#pragma once
#include <string>
#include <vector>

#include "common/settings/layouts.h"
#include "tests/support/fakes.h"

// A program folder with the settings files and a game folder, on the fakes; with `on` given,
// its files are there (on the disk) instead of in the fake file system, and `platform` uses
// them.
struct GameFolder {
    FakePlatform fake;
    TestFiles& files;
    platform::Platform platform;
    std::string program = "C:\\Gatefire";
    std::string game = "C:\\Games\\Descent3";
    settings::ScourixIni ini;

    explicit GameFolder(TestFiles* on = nullptr)
        : files(on ? *on : fake.files), platform{files,        fake.shell,     fake.registry,
                                                 fake.dialogs, fake.app,       fake.codepage,
                                                 fake.keys,    fake.shortcuts, fake.host} {
        fake.app.folder = program;
        for (const char* f : {"\\custom\\sounds", "\\custom\\graphics", "\\netgames"})
            files.addFolder(game + f);
        // The first-run values with the game folder set.
        ini = settings::firstRunLines();
        ini["GamePath"] = game;
    }

    std::string path(const std::string& file) const { return program + "\\" + file; }
    void writeSettings(const std::vector<std::string>& logos = {},
                       const std::vector<std::string>& taunts = {},
                       const std::vector<std::string>& switches = {},
                       const std::vector<bool>& active = {}) {
        auto save = [&](const char* name, auto write) {
            settings::SettingsFile f(fake.codepage);
            write(f);
            files.addFile(path(name), f.bytes());
        };
        save(settings::kScourixIni, [&](auto& f) { settings::writeScourixIni(f, ini); });
        save(settings::kLogosIni, [&](auto& f) { settings::writeList(f, logos); });
        save(settings::kTauntsIni, [&](auto& f) { settings::writeList(f, taunts); });
        save(settings::kKeysIni, [&](auto& f) { settings::writeKeysIni(f, switches, active); });
    }
    void writeDirect(const std::string& target, const std::string& mode, const std::string& ask) {
        settings::SettingsFile f(fake.codepage);
        settings::writeDirecktIni(f, {target, mode, ask});
        files.addFile(path(settings::kDirecktIni), f.bytes());
    }
    void writeNetwork(const settings::NetworkIni& net) {
        settings::SettingsFile f(fake.codepage);
        settings::writeNetworkIni(f, net);
        files.addFile(path(settings::kNetworkIni), f.bytes());
    }
    void writeShellList(const settings::ShellList& list) {
        settings::SettingsFile f(fake.codepage);
        settings::writeShellList(f, list);
        files.addFile(path(settings::kShellListTxt), f.bytes());
    }
    std::string sounds(const std::string& name = "") const {
        return game + "\\custom\\sounds" + (name.empty() ? "" : "\\" + name);
    }
    std::string graphics(const std::string& name = "") const {
        return game + "\\custom\\graphics" + (name.empty() ? "" : "\\" + name);
    }
    std::string netgames(const std::string& name = "") const {
        return game + "\\netgames" + (name.empty() ? "" : "\\" + name);
    }
};
