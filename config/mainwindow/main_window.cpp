#include "config/mainwindow/main_window.h"

#include <array>

#include "common/cleaning/cleaning.h"
#include "config/mainwindow/clean_now.h"
#include "config/tools/ordner.h"

namespace scourix {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using Controls = std::initializer_list<ui::Control*>;

const int kWidth = 6525;
const int kHeight = 6975;
const int kPageHeight = 5100;
const int kLowerPanelsTop = 3420;
const int kLowerPanelsHidden = 5000;

const char* const kErrorTitle = "Scourix - ERROR!!";
const char* const kGameKey = "Software\\Outrage\\Descent3";
const char* const kVersionKey = "Software\\Outrage\\Descent3\\Version";
const char* const kUpdateAddress = "http://www.outrage.com/descent3/download/northamerica.html";

// Positions in pixels of 15 twips, relative to the container.
void place(ui::Control& c, int left, int top, int width, int height) {
    c.setBounds(left * 15, top * 15, width * 15, height * 15);
}

std::string flag(const ui::OptionButton& o) {
    return o.value() ? "1" : "0";
}

// Applies one three-way choice from its three lines: every line that is not "0" selects its
// option, so the last of them wins; all "0" selects none.
void applyChoice(const std::array<std::string, 3>& lines,
                 const std::array<ui::OptionButton*, 3>& options) {
    for (ui::OptionButton* o : options)
        if (o->value()) o->setValue(false);
    for (int i = 0; i < 3; ++i)
        if (lines[i] != "0") options[i]->setValue(true);
}

} // namespace

MainWindow::MainWindow(platform::Platform& p)
    : ui::Window("Scourix", kWidth, kHeight),
      p_(p), store_{p.files, p.codepage, p.app.programFolder()} {
    // Game folder.
    place(master, 8, 2, 419, 38);
    place(txt1, 8, 15, 90, 14);
    place(d3path, 100, 12, 278, 20);
    place(d3pathbrowser, 384, 11, 28, 22);
    d3pathbrowser.setCaption("....");

    // Pilots, and below them the statistics files, on the left; ship logos on the right.
    place(Frame1, 8, 44, 205, 116);
    place(txt7, 8, 16, 156, 14);
    place(pilotname, 8, 31, 156, 60);
    place(pilothinzu, 170, 31, 28, 22);
    place(pilotwech, 170, 57, 28, 22);
    place(usepilot, 8, 95, 190, 16);
    pilothinzu.setCaption("+");
    pilotwech.setCaption("-");

    place(Frame5, 8, 164, 205, 60);
    place(delstad, 8, 15, 190, 16);
    place(delstadjetzt, 8, 33, 190, 22);

    place(Frame3, 222, 44, 205, 180);
    place(txt3, 8, 16, 156, 14);
    place(logo, 8, 31, 156, 52);
    place(logoplus, 170, 31, 28, 22);
    place(logominus, 170, 57, 28, 22);
    place(nologoaktion, 8, 86, 190, 15);
    place(grafkill, 8, 102, 190, 15);
    place(usegraficsicher, 8, 118, 190, 15);
    place(txt5, 8, 137, 156, 14);
    place(graficsicherpath, 8, 152, 128, 20);
    place(graficsicherbrowser, 140, 151, 28, 22);
    place(auslagergraf, 170, 151, 28, 22);
    logoplus.setCaption("+");
    logominus.setCaption("-");
    graficsicherbrowser.setCaption("...");
    auslagergraf.setCaption("+");

    // Switches on the left, taunts on the right, below.
    Frame2.setBounds(120, kLowerPanelsTop, 205 * 15, 233 * 15);
    place(txt4, 8, 16, 156, 14);
    place(keylist, 8, 31, 156, 194);
    place(newkey, 170, 31, 28, 22);
    place(keyanders, 170, 57, 28, 22);
    place(keyloschen, 170, 83, 28, 22);
    newkey.setCaption("+");
    keyanders.setCaption(p.codepage.toUtf8(std::string(1, char(222))));
    keyloschen.setCaption("-");

    Frame4.setBounds(222 * 15, kLowerPanelsTop, 205 * 15, 233 * 15);
    place(txt2, 8, 16, 156, 14);
    place(mysounds, 8, 31, 156, 100);
    place(mysoundsplus, 170, 31, 28, 22);
    place(mysoundminus, 170, 57, 28, 22);
    place(play1, 170, 83, 28, 22);
    place(nosoundaktion, 8, 137, 190, 15);
    place(soundkill, 8, 153, 190, 15);
    place(usesoundssicheern, 8, 169, 190, 15);
    place(txt6, 8, 188, 156, 14);
    place(soundssicherpath, 8, 203, 128, 20);
    place(soundssicherbrowser, 140, 202, 28, 22);
    place(auslagersound, 170, 202, 28, 22);
    mysoundsplus.setCaption("+");
    mysoundminus.setCaption("-");
    play1.setCaption(">");
    soundssicherbrowser.setCaption("...");
    auslagersound.setCaption("+");

    for (ui::Control* c :
         Controls{&graficsicherpath, &graficsicherbrowser, &soundssicherpath, &soundssicherbrowser})
        c->setEnabled(false);

    // The game settings page.
    d3misc.setCaption("Misc.");
    d3misc.setBounds(120, 0, 419 * 15, 326 * 15);
    d3misc.setVisible(false);
    place(Frame6, 8, 16, 180, 96);
    Frame6.setCaption("PXO Login");
    place(Label3, 8, 17, 164, 14);
    place(username, 8, 31, 164, 20);
    place(Label4, 8, 55, 164, 14);
    place(passwort, 8, 69, 164, 20);
    Label3.setCaption("User Name");
    Label4.setCaption("Password");
    place(Frame9, 8, 118, 180, 50);
    place(d3sprache, 8, 19, 164, 21);
    for (const char* l : {"English", "French", "German", "Italian", "Spanish"})
        d3sprache.addItem(l);
    place(update, 8, 230, 180, 24);
    update.setCaption("download update");
    place(Frame10, 196, 16, 215, 70);
    place(keyus, 8, 17, 199, 16);
    place(keyfr, 8, 33, 199, 16);
    place(keyger, 8, 49, 199, 16);
    place(Frame7, 196, 92, 215, 70);
    place(iconnone, 8, 17, 199, 16);
    place(icondialup, 8, 33, 199, 16);
    place(iconlan, 8, 49, 199, 16);
    place(Frame8, 196, 168, 215, 86);
    place(csmodem, 8, 17, 199, 16);
    place(csisdn, 8, 33, 199, 16);
    place(cscable, 8, 49, 199, 16);
    place(csfast, 8, 65, 199, 16);
    place(Label1, 8, 266, 250, 14);
    place(d3version, 262, 266, 140, 14);
    d3version.setCaption("0.0");
    place(d3sichern, 236, 290, 80, 26);
    place(d3abbruch, 324, 290, 80, 26);

    // The shortcut panel.
    verknupf.setVisible(false);
    verknupf.setBounds(1440, 1560, 262 * 15, 150 * 15);
    place(Label7, 8, 14, 226, 14);
    place(Label10, 240, 10, 14, 14);
    Label10.setCaption("X");
    place(Label9, 8, 36, 246, 14);
    place(cle, 8, 50, 246, 20);
    cle.setCaption("Scourix");
    place(Label8, 8, 76, 246, 14);
    place(cstart, 8, 90, 246, 20);
    cstart.setCaption("Gatefire");
    place(verkok, 8, 118, 80, 24);
    verkok.setCaption("ok");
    place(verkc, 96, 118, 80, 24);

    // Hidden state.
    for (ui::Control* c : Controls{&autowech, &dummy, &musip, &plaus, &pilotliste})
        c->setVisible(false);
    pilotliste.pattern = "*.plt";

    for (ui::MenuItem* s : {&m14, &m16, &m32}) s->separator = true;
    // Captions lie on the form's own colour.
    for (ui::Control* c : controls())
        if (dynamic_cast<ui::Label*>(c) || dynamic_cast<ui::Frame*>(c) ||
            dynamic_cast<ui::CheckBox*>(c) || dynamic_cast<ui::OptionButton*>(c))
            c->setBackColour(backColour);

    // Game folder, browser and the lists.
    d3path.change = [this] { d3pathChange(); };
    d3pathbrowser.click = [this] { browse("d3"); };
    graficsicherbrowser.click = [this] { browse("grafic"); };
    soundssicherbrowser.click = [this] { browse("sound"); };
    logoplus.click = [this] { browse("logos"); };
    auslagergraf.click = [this] { browse("logos2"); };
    mysoundsplus.click = [this] { browse("sounds", true); };
    auslagersound.click = [this] { browse("sounds2", true); };
    pilothinzu.click = [this] { browse("player"); };
    logominus.click = [this] { removeCurrent(logo); };
    mysoundminus.click = [this] { removeCurrent(mysounds); };
    keyloschen.click = [this] { removeCurrent(keylist); };
    newkey.click = [this] { newkeyClick(); };
    keyanders.click = [this] { keyandersClick(); };
    pilotname.click = pilotname.dblClick = pilotname.keyUp = [this] { pilotnameSelect(); };
    usepilot.click = [this] { usepilotClick(); };
    pilotwech.click = [this] { pilotwechClick(); };
    for (ui::OptionButton* o : {&nologoaktion, &grafkill, &usegraficsicher})
        o->click = [this] { backupChoice(usegraficsicher, graficsicherpath, graficsicherbrowser); };
    for (ui::OptionButton* o : {&nosoundaktion, &soundkill, &usesoundssicheern})
        o->click = [this] {
            backupChoice(usesoundssicheern, soundssicherpath, soundssicherbrowser);
        };
    graficsicherpath.change = [this] { auslagergraf.setEnabled(!graficsicherpath.text().empty()); };
    soundssicherpath.change = [this] {
        auslagersound.setEnabled(!soundssicherpath.text().empty());
    };

    // Menus and the page.
    m111.click = [this] { language(true); };
    m112.click = [this] { language(false); };
    m17.click = [this] { sichern(); };
    m15.click = [this] { m15Click(); };
    m18.click = [this] { m18Click(); };
    d3sichern.click = [this] { d3sichernClick(); };
    d3abbruch.click = [this] { closePage(); };
    update.click = [this] { p_.shell.openAddress(kUpdateAddress); };
    m21.click = [this] { m21Click(); };
    m22.click = [this] { m22Click(); };
    anzeigerstart.tick = [this] { anzeigerstartTick(); };
    beendenauto.tick = [this] { beendenautoTick(); };

    ordner_ = std::make_unique<Ordner>(p, *this);
    anzeiger_ = std::make_unique<CleanNow>(p, *this);
}

MainWindow::~MainWindow() = default;

Ordner& MainWindow::ordner() {
    return *ordner_;
}
CleanNow& MainWindow::anzeiger() {
    return *anzeiger_;
}

void MainWindow::load() {
    for (;;) {
        setClientSize(kWidth, kHeight);
        if (readSettings()) break;
        if (!recover()) return;
    }
    for (int i = 0; i < keylist.count(); ++i)
        keylist.setSelected(i, static_cast<std::size_t>(i) < flags.size() && flags[i] == '1');
    panelsUsable(!d3path.text().empty());
    fillPilots();
}

bool MainWindow::readSettings() {
    settings::SettingsFile f(p_.codepage);
    settings::ScourixIni v;
    if (settings::openFile(store_, settings::kScourixIni, f) != settings::Problem::None ||
        settings::readScourixIni(f, v) != settings::Problem::None)
        return false;
    d3path.setText(v.gamePath);
    graficsicherpath.setText(v.logoBackupPath);
    soundssicherpath.setText(v.tauntBackupPath);
    applyChoice({v.logoNoAction, v.logoDeleteOthers, v.logoBackupOthers},
                {&nologoaktion, &grafkill, &usegraficsicher});
    backupChoice(usegraficsicher, graficsicherpath, graficsicherbrowser);
    applyChoice({v.tauntNoAction, v.tauntDeleteOthers, v.tauntBackupOthers},
                {&nosoundaktion, &soundkill, &usesoundssicheern});
    backupChoice(usesoundssicheern, soundssicherpath, soundssicherbrowser);
    usepilot.setValue(settings::numericValue(v.usePilot) == 1 ? 1 : 0);
    pilot = v.pilotName;
    m111.setChecked(v.language == "1");
    m112.setChecked(v.language == "2");
    delstad.setValue(settings::numericValue(v.deleteStats) == 1 ? 1 : 0);
    musip.setText(v.musicTesterPath);
    plaus.setValue(settings::numericValue(v.autoCloseTester) == 1 ? 1 : 0);

    play1.setEnabled(!musip.text().empty());
    sprache();

    if (cleaning::readListInto(store_, settings::kLogosIni, logo) != settings::Problem::None ||
        cleaning::readListInto(store_, settings::kTauntsIni, mysounds) != settings::Problem::None)
        return false;

    keylist.clear();
    settings::SettingsFile keys(p_.codepage);
    if (settings::openFile(store_, settings::kKeysIni, keys) != settings::Problem::None)
        return false;
    settings::KeysIni k;
    settings::readKeysIni(keys, k);
    for (const auto& s : k.switches) keylist.addItem(s);
    flags = k.flags;
    return true;
}

// The settings files could not be read: offers to write the first-run files. Each old file
// is kept beside itself as a ".bak" copy first; a file that cannot be copied is left alone.
// False when the player declined and Scourix ends.
bool MainWindow::recover() {
    p_.dialogs.message("Error !! No INI-File or bad INI-File !", Buttons::Ok, Icon::Critical,
                       kErrorTitle);
    Answer a =
        p_.dialogs.message("new files provide? ", Buttons::OkCancel, Icon::Question, kErrorTitle);
    answer = std::to_string(static_cast<int>(a));
    if (a != Answer::Ok) {
        p_.app.end();
        return false;
    }

    std::string kept, left;
    std::vector<std::pair<const char*, settings::SettingsFile>> fresh;
    auto prepare = [&](const char* name, void (*write)(settings::SettingsFile&)) {
        const std::string path = store_.path(name);
        if (p_.files.exists(path)) {
            if (!p_.files.copy(path, path + ".bak")) {
                left += "\n" + path;
                return;
            }
            kept += "\n" + path + ".bak";
        }
        settings::SettingsFile f(p_.codepage);
        if (write) write(f);
        fresh.emplace_back(name, std::move(f));
    };
    prepare(settings::kKeysIni, settings::writeFirstRunKeysIni);
    prepare(settings::kLogosIni, nullptr);
    prepare(settings::kTauntsIni, nullptr);
    prepare(settings::kScourixIni, settings::writeFirstRunScourixIni);

    std::vector<std::string> failed;
    for (const auto& [name, f] : fresh)
        if (!f.save(p_.files, store_.path(name))) failed.push_back(name);
    if (!kept.empty() || !left.empty()) {
        std::string text;
        if (german()) {
            if (!kept.empty())
                text += "Deine bisherigen Einstellungsdateien wurden als Kopie daneben "
                        "aufbewahrt:" +
                        kept;
            if (!left.empty())
                text +=
                    std::string(text.empty() ? "" : "\n\n") +
                    "Diese Dateien konnten nicht kopiert werden und blieben unverändert:" + left;
        } else {
            if (!kept.empty())
                text += "Your previous settings files were kept as copies beside them:" + kept;
            if (!left.empty())
                text += std::string(text.empty() ? "" : "\n\n") +
                        "These files could not be copied and were left as they were:" + left;
        }
        p_.dialogs.message(text, Buttons::Ok, Icon::Information);
    }
    if (!failed.empty()) writeFailed(failed);
    return true;
}

void MainWindow::writeFailed(const std::vector<std::string>& fileNames) {
    const bool de = german();
    std::string text = de ? "Diese Einstellungsdateien konnten nicht geschrieben werden; sie "
                            "behalten ihren bisherigen Inhalt:"
                          : "These settings files could not be written; each keeps its previous "
                            "content:";
    for (const auto& n : fileNames) text.append("\n").append(store_.path(n));
    text += de ? "\n\nIst der Ordner schreibgeschützt oder der Datenträger voll?"
               : "\n\nIs the folder read-only or the disk full?";
    p_.dialogs.message(text, Buttons::Ok, Icon::Critical);
}

void MainWindow::panelsUsable(bool on) {
    for (ui::Control* c : Controls{&Frame1, &Frame2, &Frame3, &Frame4, &Frame5, &m2})
        c->setEnabled(on);
}

void MainWindow::fillPilots() {
    if (!pilotliste.setPath(d3path.text())) return;
    pilotname.clear();
    for (int i = 0; i < pilotliste.count(); ++i) {
        const std::string& file = pilotliste.item(i);
        pilotname.addItem(file.substr(0, file.size() >= 4 ? file.size() - 4 : 0));
    }
    for (int i = 0; i < pilotname.count(); ++i)
        if (pilotname.item(i) == pilot) pilotname.setSelected(i, true);
}

bool MainWindow::sichern() {
    return save(false, false);
}

// The save of sichern; a close takes the last selected pilot instead of the first and closes
// the other windows after scourix.ini.
bool MainWindow::save(bool lastPilot, bool closing) {
    pilot.clear();
    for (int i = 0; i < pilotname.count(); ++i)
        if (pilotname.selected(i)) {
            pilot = pilotname.item(i);
            if (!lastPilot) break;
        }

    settings::ScourixIni v;
    v.gamePath = d3path.text();
    v.logoBackupPath = graficsicherpath.text();
    v.tauntBackupPath = soundssicherpath.text();
    v.logoNoAction = flag(nologoaktion);
    v.logoDeleteOthers = flag(grafkill);
    v.logoBackupOthers = flag(usegraficsicher);
    v.tauntNoAction = flag(nosoundaktion);
    v.tauntDeleteOthers = flag(soundkill);
    v.tauntBackupOthers = flag(usesoundssicheern);
    v.usePilot = std::to_string(usepilot.value());
    v.pilotName = pilot;
    v.language = german() ? "1" : "2";
    v.deleteStats = std::to_string(delstad.value());
    v.musicTesterPath = musip.text();
    v.autoCloseTester = std::to_string(plaus.value());

    std::vector<std::string> failed;
    auto write = [&](const char* name, const settings::SettingsFile& f) {
        if (!f.save(p_.files, store_.path(name))) failed.push_back(name);
    };
    settings::SettingsFile ini(p_.codepage);
    settings::writeScourixIni(ini, v);
    write(settings::kScourixIni, ini);

    if (closing)
        for (ui::Window* w :
             {static_cast<ui::Window*>(ordner_.get()), static_cast<ui::Window*>(anzeiger_.get())})
            if (w->isOpen()) w->close();

    auto writeList = [&](const char* name, const ui::ListBox& list) {
        std::vector<std::string> entries;
        for (int i = 0; i < list.count(); ++i) entries.push_back(list.item(i));
        settings::SettingsFile f(p_.codepage);
        settings::writeList(f, entries);
        write(name, f);
    };
    writeList(settings::kLogosIni, logo);
    writeList(settings::kTauntsIni, mysounds);

    std::vector<std::string> switches;
    std::vector<bool> active;
    flags.clear();
    for (int i = 0; i < keylist.count(); ++i) {
        switches.push_back(keylist.item(i));
        active.push_back(keylist.selected(i));
        flags += keylist.selected(i) ? '1' : '0';
    }
    settings::SettingsFile keys(p_.codepage);
    settings::writeKeysIni(keys, switches, active);
    write(settings::kKeysIni, keys);

    if (failed.empty()) return true;
    writeFailed(failed);
    return false;
}

Answer MainWindow::ask(const std::string& english, const std::string& german_) {
    Answer a =
        p_.dialogs.message(german() ? german_ : english, Buttons::YesNoCancel, Icon::Question);
    answer = std::to_string(static_cast<int>(a));
    return a;
}

bool MainWindow::queryUnload() {
    if (autowech.text() != "Now") {
        Answer a = ask("save config now ?", "Konfiguration jetzt speichern?");
        if (a == Answer::Cancel) return false;
        if (a == Answer::No) return true;
    }
    if (save(true, true)) return true;
    // Nothing is lost: the window stays open with everything the player set.
    autowech.setText("");
    return false;
}

void MainWindow::unload() {
    for (ui::Window* w :
         {static_cast<ui::Window*>(ordner_.get()), static_cast<ui::Window*>(anzeiger_.get())})
        if (w->isOpen()) w->close();
}

void MainWindow::m15Click() {
    Answer a = ask("save config now ?", "Konfiguration jetzt speichern ?");
    if (a == Answer::Cancel) return;
    if (a == Answer::Yes && !sichern()) return;
    p_.app.end();
}

void MainWindow::language(bool toGerman) {
    m111.setChecked(toGerman);
    m112.setChecked(!toGerman);
    sprache();
}

// Game folder field: the panels and commands are usable only with a game folder.
void MainWindow::d3pathChange() {
    const bool set = !d3path.text().empty();
    panelsUsable(set);
    m18.setEnabled(set);
    m42.setEnabled(set);
    if (set) fillPilots();
}

void MainWindow::browse(const std::string& mode, bool focus) {
    dummy.setText(mode);
    ordner_->open();
    if (focus) ordner_->focus();
}

void MainWindow::removeCurrent(ui::ListBox& list) {
    if (list.listIndex() < 0) return p_.dialogs.beep();
    list.removeItem(list.listIndex());
}

// Asks for a switch until it holds no double quote, which keys.ini cannot store.
std::string MainWindow::askSwitch(const std::string& prompt, const std::string& title,
                                  const std::string& start) {
    std::string text = start;
    for (;;) {
        text = p_.dialogs.input(prompt, title, text);
        answer = text;
        if (text.find('"') == std::string::npos) return text;
        p_.dialogs.message(german() ? "Ein Key darf kein Anführungszeichen (\") enthalten. Bitte "
                                      "gib ihn ohne Anführungszeichen ein."
                                    : "A key cannot contain a double quote (\"). Please type it "
                                      "without double quotes.",
                           Buttons::Ok, Icon::Exclamation);
    }
}

void MainWindow::newkeyClick() {
    std::string key =
        german() ? askSwitch("Gebe einen neuen Key ein ! Ohne den normalen Bindestrich '-' !",
                             "Neuer Key..", "")
                 : askSwitch("insert the key without '-' !", "new key..", "");
    if (!key.empty()) keylist.addItem(key);
}

void MainWindow::keyandersClick() {
    const int i = keylist.listIndex();
    if (i < 0) return p_.dialogs.beep();
    std::string key =
        german() ? askSwitch("Ändere den Key ! Ohne den normalen Bindestrich '-' !", "Key ändern..",
                             keylist.item(i))
                 : askSwitch("insert the key without '-' !", "change key..", keylist.item(i));
    if (!key.empty()) keylist.setItem(i, key);
}

// At most one pilot stays selected: the current one.
void MainWindow::pilotnameSelect() {
    int selected = 0;
    for (int i = 0; i < pilotname.count(); ++i) selected += pilotname.selected(i);
    if (selected < 2) return;
    for (int i = 0; i < pilotname.count(); ++i)
        if (i != pilotname.listIndex() && pilotname.selected(i)) pilotname.setSelected(i, false);
}

void MainWindow::usepilotClick() {
    if (pilotname.count() == 1 && usepilot.value() == 1) pilotname.setSelected(0, true);
}

// Puts the current pilot away into the game's custom folder. The line goes only when the file
// has moved; on a failure the player is told and both files that exist stay.
void MainWindow::pilotwechClick() {
    const int i = pilotname.listIndex();
    if (i < 0) return p_.dialogs.beep();
    const std::string name = pilotname.item(i);
    const std::string from = d3path.text() + "\\" + name + ".plt";
    const std::string to = d3path.text() + cleaning::kCustom + "\\" + name + ".plt";
    if (!p_.files.copy(from, to))
        return tell("The pilot file could not be copied to\n" + to +
                        "\nIt stays in the game folder:\n" + from,
                    "Die Pilotendatei konnte nicht kopiert werden nach\n" + to +
                        "\nSie bleibt im Spielordner:\n" + from);
    if (!p_.files.remove(from))
        return tell("The pilot file could not be removed from the game folder:\n" + from +
                        "\nIt stays there; a copy now also lies in\n" + to,
                    "Die Pilotendatei konnte nicht aus dem Spielordner entfernt werden:\n" + from +
                        "\nSie bleibt dort; eine Kopie liegt nun auch in\n" + to);
    pilotname.removeItem(i);
}

void MainWindow::tell(const std::string& english, const std::string& german_) {
    p_.dialogs.message(german() ? german_ : english, Buttons::Ok, Icon::Exclamation);
}

// The backup folder and its browse button are usable exactly while backup is the choice.
void MainWindow::backupChoice(ui::OptionButton& backup, ui::TextBox& path, ui::Button& browser) {
    path.setEnabled(backup.value());
    browser.setEnabled(backup.value());
}

// The game settings page shows what the game's registry holds now.
void MainWindow::m18Click() {
    auto read = [this](const char* key, const char* name) {
        std::string text;
        if (!p_.registry.read(platform::RegRoot::LocalMachine, key, name, text)) text.clear();
        return text;
    };
    username.setText(read(kGameKey, "TrackerLogin"));
    passwort.setText(read(kGameKey, "TrackerPassword"));

    const std::string lang = read(kGameKey, "LanguageType");
    const char* const languages[] = {"English", "German", "Spanish", "Italian", "French"};
    if (lang.size() == 1 && lang[0] >= '0' && lang[0] <= '4') {
        d3sprache.setText(languages[lang[0] - '0']);
    } else if (lang.empty()) {
        d3sprache.clear();
        d3sprache.setText("US-Version");
    }

    auto choose = [&](const char* name,
                      std::initializer_list<std::pair<const char*, ui::OptionButton*>> words) {
        const std::string value = read(kGameKey, name);
        for (const auto& [word, option] : words)
            if (value.find(word) != std::string::npos) option->setValue(true);
    };
    choose("KeyboardType", {{"United States", &keyus}, {"French", &keyfr}, {"German", &keyger}});
    choose("NetworkConnection", {{"None", &iconnone}, {"Dialup", &icondialup}, {"LAN", &iconlan}});
    choose("ConnectionSpeed",
           {{"56K", &csmodem}, {"ISDN", &csisdn}, {"Cable", &cscable}, {"Fast", &csfast}});

    std::string version = read(kVersionKey, "Major") + ".";
    version = version + read(kVersionKey, "Minor") + ".";
    version = version + read(kVersionKey, "Build");
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

// Clean now: after a save, the clean-now window opens 500 ms later; without one at once.
void MainWindow::m21Click() {
    Answer a = ask("Configuration must be save ! Save now ?",
                   "Konfiguration muss zuerst gespeichert werden! Jetzt speichern?");
    if (a == Answer::Yes) {
        if (sichern()) anzeigerstart.setEnabled(true);
    } else if (a == Answer::No) {
        anzeiger_->open();
    }
}

void MainWindow::m22Click() {
    Answer a = ask("Configuration must be save ! Save now ?",
                   "Konfiguration muss zuerst gespeichert werden! Jetzt speichern?");
    if (a == Answer::Cancel) return;
    if (a == Answer::Yes && !sichern()) return;
    p_.shell.open("gatefire.exe", "", store_.folder, platform::ShowMode::Normal);
    minimize();
}

void MainWindow::anzeigerstartTick() {
    anzeigerstart.setEnabled(false);
    anzeiger_->open();
}

void MainWindow::beendenautoTick() {
    beendenauto.setEnabled(false);
    autowech.setText("Now");
    close();
    if (isClosed()) p_.app.end();
}

} // namespace scourix
