#include "config/mainwindow/main_window.h"

#include <optional>

#include "common/discovery/discovery.h"
#include "common/edition/game_args.h"
#include "common/registry/game_settings.h"
#include "common/settings/keep_copy.h"
#include "common/settings/reading.h"
#include "config/mainwindow/main_window_detail.h"
#include "config/mainwindow/texts.h"

namespace scourix {

using namespace mainwindow;
using namespace gameregistry;
using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

// network.ini as saved, with the lines a later version wrote after ours; none when it cannot be
// read whole, as the launcher then takes nothing from it.
std::optional<settings::NetworkIni> savedNetwork(const settings::Store& store, std::string& later) {
    settings::NetworkIni net;
    if (settings::load(store, net, &later) != settings::Problem::None) return std::nullopt;
    return net;
}

} // namespace

// The game settings page shows what the player saved in network.ini, and where it chose
// nothing, what the game's registry holds now (for the open-source game, what its settings file
// holds); and the version of the game's program.
void MainWindow::m18Click() {
    Shown shown = gameregistry::show(*gameregistry::open(p_, game()));
    std::string later;
    if (auto saved = savedNetwork(store_, later)) shown = gameregistry::overlay(shown, *saved);
    username.setText(shown.login);
    passwort.setText(shown.password);
    if (shown.language) d3sprache.setText(shown.language->empty() ? kNoLanguage : *shown.language);
    auto select = [](std::optional<std::size_t> choice,
                     std::initializer_list<ui::OptionButton*> options) {
        if (choice) options.begin()[*choice]->setValue(true);
    };
    select(shown.keyboard, {&keyus, &keyfr, &keyger});
    select(shown.connection, {&iconnone, &icondialup, &iconlan});
    select(shown.speed, {&csmodem, &csisdn, &cscable, &csfast});
    // A version no one can tell (a Linux program has no version resource) shows its parts empty.
    d3version.setCaption(shown.version.empty() ? ".." : shown.version);

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
    // A language the launcher would not hand to the game is a typing error; no language at all
    // leaves the game's own.
    const std::string& typed = d3sprache.text();
    if (!typed.empty() && typed != kNoLanguage && !languageNumber(typed)) {
        std::string list;
        for (int i = 0; i < d3sprache.count(); ++i) list += (i ? ", " : "") + d3sprache.item(i);
        return lang::tell(p_.dialogs, language(), texts::unknownLanguage(typed, list));
    }
    // The open-source game keeps the login and password in buffers of a fixed size.
    const auto settings = gameregistry::open(p_, game());
    if (settings->openSource() && (!fits(*settings, kTrackerLogin, username.text()) ||
                                   !fits(*settings, kTrackerPassword, passwort.text()))) {
        lang::tell(p_.dialogs, language(),
                   texts::trackerTooLong(maxBytes(kTrackerLogin), maxBytes(kTrackerPassword)));
        return;
    }
    settings::NetworkIni v;
    v.gameLanguage = typed;
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
    // Lines a later version wrote after ours stay.
    std::string later;
    savedNetwork(store_, later);
    settings::SettingsFile f(p_.codepage);
    settings::writeFields(f, settings::kNetworkLayout, v, later);
    // A page that could not be saved stays open, so the choices are not lost.
    const settings::Saving s = settings::save(p_.files, p_.host, store_.path(settings::kNetworkIni),
                                              f.bytes(), language());
    if (!s.tooBig.empty()) return lang::tell(p_.dialogs, s.tooBig, platform::Icon::Critical);
    if (!s.written) return writeFailed({settings::kNetworkIni});
    closePage();
    sprache();
}

// An open-source game folder without the game's data (the program alone, on Linux) can read it
// from a store's copy: offers each copy found that holds it, as the game's -additionaldir switch
// in the switch list, active. A list that names a data folder already is left as it is.
void MainWindow::offerGameData() {
    const edition::Game g = game();
    dataOffered_ = g.folder;
    // The game reads its data from its own folder and from the player's folder as well.
    if (!g.openSource() || !p_.files.folderExists(g.folder) ||
        discovery::holdsGameData(p_.files, g.folder) ||
        (!g.userFolder.empty() && discovery::holdsGameData(p_.files, g.userFolder)))
        return;
    for (int i = 0; i < keylist.count(); ++i) {
        const std::string& key = keylist.item(i);
        if (edition::switchReadFrom("-" + key.substr(0, key.find(' ')), true) ==
            discovery::kAdditionalDir)
            return;
    }
    for (const std::string& copy : discovery::dataFolders(p_)) {
        const std::string key = discovery::additionalDir(copy);
        if (key.empty() || p_.files.sameName(copy, g.folder)) continue;
        const Answer a = lang::ask(p_.dialogs,
                                   lang::tr(language(),
                                            "The game folder \"{1}\" holds no game data ({2}). "
                                            "Descent 3 in \"{3}\" has it: shall the game read it "
                                            "from there? The switch -{4} is then added to your "
                                            "switches.",
                                            {p_.host.shownPath(g.folder), discovery::kMainData,
                                             p_.host.shownPath(copy), key}),
                                   Buttons::YesNo);
        if (a != Answer::Yes) continue;
        keylist.addItem(key);
        keylist.setSelected(keylist.count() - 1, true);
        return;
    }
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
