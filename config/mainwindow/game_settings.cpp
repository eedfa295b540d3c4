#include "config/mainwindow/main_window.h"

#include <optional>

#include "common/registry/game_registry.h"
#include "common/registry/registry_file.h"
#include "config/mainwindow/main_window_detail.h"
#include "config/mainwindow/texts.h"

namespace scourix {

using namespace mainwindow;
using namespace gameregistry;
using platform::Answer;
using platform::Buttons;
using platform::Icon;

// The game settings page shows what the game's registry holds now; for the open-source game,
// what its settings file holds, and the version of its program.
void MainWindow::m18Click() {
    const edition::Game g = game();
    std::optional<RegistryFile> file;
    if (g.openSource()) {
        std::string bytes;
        file = g.settingsFile.empty() || !p_.files.read(g.settingsFile, bytes)
                   ? RegistryFile()
                   : RegistryFile(bytes);
    }
    auto read = [&](const std::string& key, const char* name) {
        std::string text;
        if (file) {
            // The game takes the file as UTF-8; a file of older tools may hold the code page.
            if (auto t = file->text(kFileSection, name))
                text = platform::isUtf8(*t) ? *t : p_.codepage.toUtf8(*t);
            else if (auto n = file->number(kFileSection, name))
                text = std::to_string(*n);
        } else if (!p_.registry.read(platform::RegRoot::LocalMachine, key, name, text)) {
            text.clear();
        }
        return text;
    };
    username.setText(read(kGameKey, kTrackerLogin));
    passwort.setText(read(kGameKey, kTrackerPassword));

    const std::string lang = read(kGameKey, kLanguageType);
    if (lang.size() == 1 && lang[0] >= '0' && lang[0] <= '4') {
        d3sprache.setText(kLanguages[lang[0] - '0']);
    } else if (lang.empty()) {
        d3sprache.clear();
        d3sprache.setText("US-Version");
    }

    // Each option whose word the value holds is selected, so the last of them wins.
    auto choose = [&](const char* name, const auto& choices,
                      std::initializer_list<ui::OptionButton*> options) {
        const std::string value = read(kGameKey, name);
        auto option = options.begin();
        for (const Choice& c : choices) {
            if (value.find(c.word) != std::string::npos) (*option)->setValue(true);
            ++option;
        }
    };
    choose(kKeyboardType, kKeyboards, {&keyus, &keyfr, &keyger});
    if (file) {
        // Only "DIALUP" is dial-up there; anything else is a network.
        const bool dialup = read(kGameKey, kNetworkConnection) == kFileConnections[1];
        (dialup ? icondialup : iconlan).setValue(true);
    } else {
        choose(kNetworkConnection, kConnections, {&iconnone, &icondialup, &iconlan});
    }
    choose(kConnectionSpeed, kSpeeds, {&csmodem, &csisdn, &cscable, &csfast});

    std::string version;
    if (file) {
        if (auto v = p_.host.programVersion(g.program))
            version = platform::versionText({v->major, v->minor, v->build});
    } else {
        for (int i = 0; i < 3; ++i) {
            if (i) version += '.';
            version += read(kVersionKey, kVersionParts[i]);
        }
    }
    d3version.setCaption(version);

    Frame4.setBounds(Frame4.left, kLowerPanelsHidden, Frame4.width, Frame4.height);
    Frame2.setBounds(Frame2.left, kLowerPanelsHidden, Frame2.width, Frame2.height);
    setClientSize(kWidth, kPageHeight);
    // The page takes the place of the panels; they step aside while it is open.
    for (ui::Control* c : Controls{&master, &Frame1, &Frame2, &Frame3, &Frame4, &Frame5})
        c->setVisible(false);
    d3misc.setBounds(120, 0, d3misc.width, d3misc.height);
    d3misc.setVisible(true);
    for (ui::MenuItem* m : {&m1, &m2, &m4}) m->setEnabled(false);
    sprache();
}

void MainWindow::d3sichernClick() {
    // The open-source game keeps the login and password in buffers of a fixed size.
    if (game().openSource() && (username.text().size() > kFileTrackerLoginMax ||
                                passwort.text().size() > kFileTrackerPasswordMax)) {
        lang::tell(p_.dialogs, language(),
                   texts::trackerTooLong(kFileTrackerLoginMax, kFileTrackerPasswordMax));
        return;
    }
    settings::NetworkIni v;
    v.gameLanguage = d3sprache.text();
    v.keyboardUS = flag(keyus);
    v.keyboardFrench = flag(keyfr);
    v.keyboardGerman = flag(keyger);
    v.netNone = flag(iconnone);
    v.netDialup = flag(icondialup);
    v.netLan = flag(iconlan);
    v.speed56K = flag(csmodem);
    v.speedIsdn = flag(csisdn);
    v.speedCable = flag(cscable);
    v.speedFast = flag(csfast);
    v.trackerName = username.text();
    v.trackerSecret = passwort.text();
    settings::SettingsFile f(p_.codepage);
    settings::writeNetworkIni(f, v);
    // A page that could not be saved stays open, so the choices are not lost.
    if (!f.save(p_.files, store_.path(settings::kNetworkIni)))
        return writeFailed({settings::kNetworkIni});
    closePage();
    sprache();
}

void MainWindow::closePage() {
    setClientSize(kWidth, kHeight);
    d3misc.setVisible(false);
    for (ui::Control* c : Controls{&master, &Frame1, &Frame2, &Frame3, &Frame4, &Frame5})
        c->setVisible(true);
    for (ui::MenuItem* m : {&m1, &m2, &m4}) m->setEnabled(true);
    Frame4.setBounds(Frame4.left, kLowerPanelsTop, Frame4.width, Frame4.height);
    Frame2.setBounds(Frame2.left, kLowerPanelsTop, Frame2.width, Frame2.height);
}
} // namespace scourix
