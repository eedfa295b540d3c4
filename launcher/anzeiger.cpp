#include "launcher/anzeiger.h"

#include <cmath>

#include "common/edition/game_args.h"
#include "common/settings/keep_copy.h"
#include "launcher/registry_settings.h"

namespace launcher {
namespace {

using cleaning::kBlue;
using cleaning::kGreen;
using cleaning::kRed;
using cleaning::kWhite;

const char* const kErrorTitle = "Gatefire error";

} // namespace

Anzeiger::Anzeiger(platform::Platform& p) : CleaningWindow(p, "Gatefire", 4665, 3150) {
    border = ui::Border::None;
    Image1.picture = "GATEFIRE_BACKGROUND";
    Image1.setVisible(false);

    auto place = [](ui::Label& l, const char* text, int left, int top, int width) {
        l.setCaption(text);
        l.setBounds(left, top, width, 255);
    };
    place(Label1, " work on shiplogos :", 360, 960, 2280);
    place(Label2, " work on taunts :", 360, 1320, 2280);
    place(Label3, " work on stats-files :", 360, 1680, 2280);
    place(txt1, "0", 2760, 960, 735);
    place(txt3, "0", 3600, 960, 735);
    place(txt2, "0", 2760, 1320, 735);
    place(txt4, "0", 3600, 1320, 735);
    place(txt5, "0", 2760, 1680, 735);
    for (ui::Label* l : {&Label1, &Label2, &Label3}) l->setForeColour(kBlue);
    for (ui::Label* l : {&Label1, &Label2, &Label3, &txt1, &txt2, &txt3, &txt4, &txt5}) {
        l->setBackColour(kWhite);
        l->setFont("Arial", 9);
    }
    for (ui::Label* t : {&txt1, &txt2, &txt3, &txt4, &txt5}) t->alignment = ui::Align::Right;
    Label4.setBounds(3240, 2520, 900, 255);
    Label4.setForeColour(kRed);
    Label4.setTransparent(true);
    Label4.setFont("Arial", 9, true);
    statsfiles.pattern = "*.stats";

    putzstart.tick = [this] { putzstartTick(); };
    mouseDown = [this](int, int y) {
        if (y / twipsPerPixelY() < 25) beginDrag();
    };
}

void Anzeiger::load() {
    setPicture(Image1.picture);
    roundwindow();

    std::string file;
    settings::Problem problem = readSettings(file);
    if (file == settings::kScourixIni && problem != settings::Problem::None)
        return fileError(problem, file, false);
    if (lang_ == "de") {
        Label2.setCaption(" Bearbeite Audiotaunts");
        Label1.setCaption(" Bearbeite Schiffslogo");
        Label3.setCaption(" Bearbeite Stats-Dateien");
    }
    platform::Version v = p_.app.version();
    Label4.setCaption(std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
                      std::to_string(v.revision));
    if (problem != settings::Problem::None) return fileError(problem, file, true);

    keylist.clear();
    settings::SettingsFile keys(p_.codepage);
    problem = settings::openFile(store_, settings::kKeysIni, keys);
    if (problem != settings::Problem::None) return fileError(problem, settings::kKeysIni, true);
    settings::KeysIni k;
    settings::readKeysIni(keys, k);
    for (const auto& s : k.switches) keylist.addItem(s);
    flags_ = k.flags;

    game_ = edition::describe(p_, ini_.gamePath);
    if (!ini_.gamePath.empty() && game_.openSource() && p_.host.running(game_.program))
        return gameRunning();

    ipstart();

    if (!ini_.gamePath.empty()) {
        for (int i = 0; i < keylist.count(); ++i)
            keylist.setSelected(i, k.active(static_cast<std::size_t>(i)));
        regeintraege();
        putzstart.setEnabled(true);
        return;
    }
    const char* question =
        lang_ == "de" ? "Bitte starte zuerst Scourix ! Soll Scourix jetzt gestartet werden?"
                      : "please start scourix first ! start scourix now ?";
    if (p_.dialogs.message(question, platform::Buttons::OkCancel, platform::Icon::Information) ==
        platform::Answer::Ok)
        p_.shell.open("scourix.exe", "", store_.folder, platform::ShowMode::Normal);
    close();
}

void Anzeiger::fileError(settings::Problem problem, const std::string& fileName,
                         bool languageKnown) {
    const std::string en = settings::describe(problem, fileName, false) +
                           "\nPlease run Scourix to set up the settings again.";
    const std::string de = settings::describe(problem, fileName, true) +
                           "\nBitte starte Scourix, um die Einstellungen neu anzulegen.";
    std::string text = !languageKnown ? en + "\n\n" + de : lang_ == "de" ? de : en;
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Critical, kErrorTitle);
    close();
}

// The open-source game writes its settings file back when it ends: a change now would be lost.
void Anzeiger::gameRunning() {
    const std::string text =
        lang_ == "de" ? "Descent 3 läuft gerade:\n" + game_.program +
                            "\nBitte beende zuerst das Spiel. Gatefire hat nichts geändert und "
                            "startet nichts."
                      : "Descent 3 is running:\n" + game_.program +
                            "\nPlease end the game first. Gatefire changed nothing and starts "
                            "nothing.";
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Exclamation, kErrorTitle);
    close();
}

void Anzeiger::argumentsLeftOut(const std::vector<std::string>& parts) {
    const bool german = lang_ == "de";
    std::string text = edition::argumentLimits(german) +
                       (german ? "\nDas Spiel startet ohne:" : "\nThe game starts without:");
    for (const auto& part : parts) {
        text += '\n';
        text += part.substr(0, part.find_last_not_of(' ') + 1);
    }
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Exclamation, kErrorTitle);
}

void Anzeiger::pathError() {
    p_.dialogs.message("Error ! Path not found", platform::Buttons::Ok, platform::Icon::Critical,
                       kErrorTitle);
    close();
}

void Anzeiger::roundwindow() {
    int w = static_cast<int>(std::lround(double(clientWidth) / twipsPerPixelX()));
    int h = static_cast<int>(std::lround(double(clientHeight) / twipsPerPixelY()));
    setEllipticRegion(1, 1, w - 1, h - 1);
}

void Anzeiger::putzstartTick() {
    putzstart.setEnabled(false);
    if (!listCustomFolders()) return pathError();
    statsFolders_ = cleaning::foldersHolding(statsfiles, game_.dataFolders, cleaning::kNetgames);
    if (statsFolders_.empty()) return pathError();

    txt5.setCaption("0");
    setCounters(true);
    int stats = 0;
    for (const auto& f : statsFolders_)
        if (statsfiles.setPath(f)) stats += statsfiles.count();
    txt5.setCaption(on(ini_.deleteStats) ? std::to_string(stats) : "0");
    for (ui::Label* t : {&txt1, &txt2, &txt3, &txt4, &txt5}) finishIfZero(*t);

    auto step = [](ui::Label& caption, bool skip, auto work) {
        if (!skip) {
            caption.setForeColour(kRed);
            caption.repaint();
            work();
        }
        caption.setForeColour(kGreen);
        caption.repaint();
    };
    step(Label1, on(ini_.logoNoAction), [this] { cleanLogos(); });
    step(Label2, on(ini_.tauntNoAction), [this] { cleanTaunts(); });
    step(Label3, false, [this] {
        if (on(ini_.deleteStats)) statswech();
    });
    shellstart();
}

void Anzeiger::statswech() {
    for (const auto& folder : statsFolders_) {
        if (!statsfiles.setPath(folder)) continue;
        const int first = List1.count();
        for (int i = 0; i < statsfiles.count(); ++i) List1.addItem(statsfiles.item(i));
        for (int i = first; i < List1.count(); ++i) {
            p_.files.remove(folder + "\\" + List1.item(i));
            txt5.setCaption(cleaning::countDown(txt5.caption()));
            txt5.repaint();
        }
    }
    txt5.setCaption(cleaning::finishWord(lang_));
    txt5.repaint();
}

// A one-time request is turned off at once; a reset that fails is tried once more. A file that
// cannot be read is replaced by an empty request, the player's bytes kept beside it first.
void Anzeiger::ipstart() {
    settings::SettingsFile f(p_.codepage);
    const std::string path = store_.path(settings::kDirecktIni);
    directRead_ = settings::openFile(store_, settings::kDirecktIni, f) == settings::Problem::None &&
                  settings::readDirecktIni(f, direct) == settings::Problem::None;
    if (!directRead_) {
        settings::SettingsFile out(p_.codepage);
        settings::writeDirecktIni(out, {"", "0", "0"});
        return tell(
            settings::replaceUnreadable(p_.files, path, out.bytes(), lang_ == "de").message);
    }
    if (direct.directJoinMode != "1") return;
    settings::SettingsFile out(p_.codepage);
    settings::writeDirecktIni(out, {direct.directTarget, "0", direct.askBeforeJoin});
    if (out.save(p_.files, path) || out.save(p_.files, path)) return;
    tell(lang_ == "de" ? "Die einmalige Teilnahme in \"" + path +
                             "\" konnte nicht zurückgesetzt werden: auch spätere Starts von "
                             "Gatefire treten diesem Server bei, bis Scourix sie ändert."
                       : "The one-time join in \"" + path +
                             "\" could not be turned off: later starts of Gatefire join this "
                             "server too, until Scourix changes it.");
}

void Anzeiger::tell(const std::string& text) {
    if (!text.empty())
        p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Exclamation, kErrorTitle);
}

void Anzeiger::regeintraege() {
    settings::SettingsFile f(p_.codepage);
    settings::NetworkIni net;
    if (settings::openFile(store_, settings::kNetworkIni, f) != settings::Problem::None ||
        settings::readNetworkIni(f, net) != settings::Problem::None)
        return;
    if (!game_.openSource()) return writeGameSettings(p_.registry, net, ini_.pilotName);

    std::vector<std::string> skipped;
    bool written =
        !game_.settingsFile.empty() &&
        writeGameSettingsFile(p_.files, game_.settingsFile, net, ini_.pilotName, skipped);
    std::string text;
    if (!written)
        text = lang_ == "de" ? "Die Einstellungen des Spiels konnten nicht geschrieben werden; "
                               "das Spiel startet mit den alten:\n" +
                                   game_.settingsFile
                             : "The game's settings could not be written; the game starts with "
                               "its old ones:\n" +
                                   game_.settingsFile;
    else if (!skipped.empty()) {
        text = lang_ == "de"
                   ? "Diese Einstellungen lassen sich in " +
                         std::string(gameregistry::kRegistryFile) +
                         " nicht speichern und blieben, wie sie waren:"
                   : "These settings cannot be stored in " +
                         std::string(gameregistry::kRegistryFile) + " and were left as they were:";
        for (const auto& name : skipped) text += "\n" + name;
    }
    if (!text.empty())
        p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Exclamation, kErrorTitle);
}

void Anzeiger::shellstart() {
    settings::ShellList side;
    settings::SettingsFile f(p_.codepage);
    settings::Problem problem = settings::openFile(store_, settings::kShellListTxt, f);
    if (problem == settings::Problem::None) problem = settings::readShellList(f, side);
    // A list saved as UTF-16 is the player's, not a broken one of ours: it stays as it is and
    // starts nothing.
    if (problem == settings::Problem::NotText)
        side = {};
    else if (problem != settings::Problem::None) {
        settings::SettingsFile fresh(p_.codepage);
        settings::writeLauncherShellList(fresh);
        tell(settings::replaceUnreadable(p_.files, store_.path(settings::kShellListTxt),
                                         fresh.bytes(), lang_ == "de")
                 .message);
        settings::SettingsFile again(p_.codepage, fresh.bytes());
        side = {};
        settings::readShellList(again, side);
    }
    for (const auto& s : side) {
        if (!settings::isNumericOne(s.sideEnabled) || s.sideFile.empty()) continue;
        std::string file = s.sideFile;
        if (!s.sideFolder.empty())
            file = s.sideFolder + (s.sideFolder.back() == '\\' ? "" : "\\") + s.sideFile;
        p_.shell.open(file, "", s.sideFolder, platform::ShowMode::Normal);
    }

    const std::string& game = ini_.gamePath;
    p_.files.setCurrentFolder(game);

    // The game's rows for its arguments are fixed: the pilot and the join come first, and a
    // switch that no longer fits is left out and named.
    const std::string head = "-Launched ";
    std::vector<std::string> leftOut;
    std::string pilot;
    if (settings::isNumericOne(ini_.usePilot) && !ini_.pilotName.empty()) {
        pilot = edition::pilotSwitch(ini_.pilotName);
        if (pilot.empty() || !edition::gameCanHold(head + pilot))
            leftOut.push_back("-pilot " + ini_.pilotName), pilot.clear();
    }
    std::vector<std::string> switches;
    for (int i = 0; i < keylist.count(); ++i)
        if (keylist.selected(i)) switches.push_back("-" + keylist.item(i) + " ");
    // Mode "2" joins without a question only when the player switched the question off ("0");
    // a request that could not be read whole joins nothing.
    const std::string& mode = direct.directJoinMode;
    bool join = directRead_ && (mode == "1" || (mode == "2" && direct.askBeforeJoin == "0"));
    if (directRead_ && mode == "2" && direct.askBeforeJoin == "1")
        join = p_.dialogs.message("Joint Server now ?", platform::Buttons::YesNo,
                                  platform::Icon::Question) == platform::Answer::Yes;
    std::string target = join ? " " + direct.directTarget : "";
    if (!edition::gameCanHold(head + pilot + target))
        leftOut.push_back(direct.directTarget), target.clear();
    std::vector<std::string> dropped;
    const std::string line = edition::fitToGame(head + pilot, switches, target, dropped);
    leftOut.insert(leftOut.end(), dropped.begin(), dropped.end());
    if (!leftOut.empty()) argumentsLeftOut(leftOut);

    const std::string& exe = game_.program;
    if (!p_.shell.open(exe, line, game, platform::ShowMode::Normal)) {
        std::string text = lang_ == "de" ? "Das Spiel konnte nicht gestartet werden:\n" + exe
                                         : "The game could not be started:\n" + exe;
        p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Critical, kErrorTitle);
    }
    close();
}

} // namespace launcher
