#include "config/mainwindow/main_window.h"

#include "common/edition/game_args.h"
#include "config/mainwindow/clean_now.h"
#include "config/mainwindow/main_window_detail.h"
#include "config/tools/taunt_preview.h"
#include "config/tools/mt.h"
#include "config/tools/diereckt.h"
#include "config/tools/infofenster.h"
#include "config/tools/ordner.h"
#include "config/tools/shellstart.h"
#include "config/tools/stadkiller.h"

// The main window's controls, their places and their wiring. Its behaviour lives beside it:
// load_save.cpp (reading, recovery, saving, closing), editors.cpp (keep lists, switches, pilots),
// game_settings.cpp (the game settings page), commands.cpp (menu commands and timers).

namespace scourix {

using namespace mainwindow;

MainWindow::MainWindow(platform::Platform& p, std::span<const lang::Row> languages)
    : ui::Window("Scourix", kWidth, kHeight), p_(p),
      languages_(languages), store_{p.files, p.codepage, p.app.programFolder()} {
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
    place(bound("usepilot", Frame1), 8, 95, 190, 16);
    pilothinzu.setCaption("+");
    pilotwech.setCaption("-");

    place(Frame5, 8, 164, 205, 60);
    place(bound("delstad", Frame5), 8, 15, 190, 16);
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
    // An arrow every font draws (the old form drew it with a symbol font).
    keyanders.setCaption("\u2192");
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
    d3misc.setBounds(120, 0, 419 * 15, 326 * 15);
    d3misc.setVisible(false);
    place(Frame6, 8, 16, 180, 96);
    place(Label3, 8, 17, 164, 14);
    place(username, 8, 31, 164, 20);
    place(Label4, 8, 55, 164, 14);
    place(passwort, 8, 69, 164, 20);
    passwort.password = true;
    place(Frame9, 8, 118, 180, 50);
    place(d3sprache, 8, 19, 164, 21);
    for (const char* l : {"English", "French", "German", "Italian", "Spanish"})
        d3sprache.addItem(l);
    place(update, 8, 230, 180, 24);
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
    place(verkc, 96, 118, 80, 24);

    for (ui::MenuItem* s : {&m14, &m16, &m32}) s->separator = true;
    sprache();
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
    pilotname.dblClick = pilotname.keyUp = [this] { pilotnameSelect(); };
    // A pilot picked whose name the game reads as a switch: the player is told what happens.
    pilotname.click = [this] {
        pilotnameSelect();
        const int at = pilotname.listIndex();
        if (at < 0 || !pilotname.selected(at)) return;
        const std::string why =
            edition::pilotReadAsSwitch(language(), pilotname.item(at), game().openSource());
        if (!why.empty())
            p_.dialogs.message(why, platform::Buttons::Ok, platform::Icon::Information);
    };
    box("usepilot").click = [this] { usepilotClick(); };
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
    for (std::size_t i = 0; i < languages_.size(); ++i)
        languageEntries[i]->click = [this, l = lang::Language(languages_[i])] {
            chooseLanguage(l);
        };
    m17.click = [this] { sichern(); };
    m15.click = [this] { m15Click(); };
    m18.click = [this] { m18Click(); };
    d3sichern.click = [this] { d3sichernClick(); };
    d3abbruch.click = [this] { closePage(); };
    update.click = [this] {
        web::open(p_.shell, p_.dialogs, language(),
                  game().openSource() ? kOpenSourceUpdateAddress : kUpdateAddress);
    };
    m21.click = [this] { m21Click(); };
    m22.click = [this] { m22Click(); };
    anzeigerstart.tick = [this] { anzeigerstartTick(); };
    beendenauto.tick = [this] { beendenautoTick(); };
    m23.click = [this] { m23Click(); };
    m24.click = [this] { m24Click(); };
    m41.click = [this] { m41Click(); };
    verkok.click = [this] { verkokClick(); };
    verkc.click = Label10.click = [this] { shortcutPanel(false); };
    m43.click = [this] { shellstart_->open(); };
    m44.click = [this] { diereckt_->open(); };
    delstadjetzt.click = [this] { stadkiller_->open(); };
    m31.click = [this] {
        session_.testerHint = true;
        infofenster_->open();
    };
    m33.click = [this] {
        session_.testerHint = false;
        infofenster_->open();
    };

    ordner_ = std::make_unique<Ordner>(p, *this);
    anzeiger_ = std::make_unique<CleanNow>(p, *this);
    diereckt_ = std::make_unique<Diereckt>(p, *this);
    shellstart_ = std::make_unique<Shellstart>(p, *this);
    stadkiller_ = std::make_unique<Stadkiller>(p, *this);
    infofenster_ = std::make_unique<Infofenster>(p, *this);

    // The taunt preview and the sound tester's path.
    mt_ = std::make_unique<Mt>(p, *this);
    preview_ = std::make_unique<TauntPreview>(p, Playerstart, Zeitaus);
    play1.click = mysounds.dblClick = [this] { play1Click(); };
    m42.click = [this] { mt_->open(); };
    // Where no tester can be typed into and the system plays taunts itself, none is set.
    m42.setVisible(TauntPreview::testerOffered(p));
    Playerstart.tick = [this] { preview_->loading(settings_.autoCloseTester); };
    Zeitaus.tick = [this] { preview_->closing(); };
}

MainWindow::~MainWindow() = default;

Ordner& MainWindow::ordner() {
    return *ordner_;
}
CleanNow& MainWindow::anzeiger() {
    return *anzeiger_;
}
Mt& MainWindow::mt() {
    return *mt_;
}
Diereckt& MainWindow::diereckt() {
    return *diereckt_;
}
Shellstart& MainWindow::shellstart() {
    return *shellstart_;
}
Stadkiller& MainWindow::stadkiller() {
    return *stadkiller_;
}
Infofenster& MainWindow::infofenster() {
    return *infofenster_;
}

std::string MainWindow::folder(Folder field) const {
    return (field == Folder::Game         ? d3path
            : field == Folder::LogoBackup ? graficsicherpath
                                          : soundssicherpath)
        .text();
}

void MainWindow::setFolder(Folder field, const std::string& path) {
    (field == Folder::Game         ? d3path
     : field == Folder::LogoBackup ? graficsicherpath
                                   : soundssicherpath)
        .setText(path);
    if (field == Folder::Game) offerGameData();
}

bool MainWindow::addOwn(cleaning::Kind kind, const std::string& name) {
    ui::ListBox& list = kind == cleaning::Kind::Logos ? logo : mysounds;
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i) == name) return false;
    list.addItem(name);
    return true;
}

void MainWindow::addPilot(const std::string& name) {
    pilotname.addItem(name);
}

// A tester path makes the preview button usable; an empty one leaves it as it was. (Where the
// system plays taunts itself the button is always usable.)
void MainWindow::testerChanged() {
    if (!settings_.musicTesterPath.empty()) play1.setEnabled(true);
}

std::vector<ui::Window*> MainWindow::toolWindows(bool unloading) {
    std::vector<ui::Window*> out{ordner_.get(), anzeiger_.get(), infofenster_.get(),
                                 shellstart_.get()};
    if (unloading) out.push_back(diereckt_.get());
    return out;
}
} // namespace scourix
