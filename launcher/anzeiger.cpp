#include "launcher/anzeiger.h"

#include <cmath>

#include "common/edition/game_args.h"
#include "common/settings/keep_copy.h"
#include "launcher/registry_settings.h"

namespace launcher {
namespace {

const char* const kErrorTitle = "Gatefire error";

// Every text the launcher shows, English and German side by side.
struct Texts {
    lang::Language language;
    std::string pick(const std::string& english, const std::string& german) const {
        return lang::pick(language, english, german);
    }

    std::string startScourixFirst() const {
        return pick("please start scourix first ! start scourix now ?",
                    "Bitte starte zuerst Scourix ! Soll Scourix jetzt gestartet werden?");
    }
    std::string runScourix() const {
        return pick("\nPlease run Scourix to set up the settings again.",
                    "\nBitte starte Scourix, um die Einstellungen neu anzulegen.");
    }
    std::string gameRunning(const std::string& program) const {
        return pick("Descent 3 is running:\n" + program +
                        "\nPlease end the game first. Gatefire changed nothing and starts nothing.",
                    "Descent 3 läuft gerade:\n" + program +
                        "\nBitte beende zuerst das Spiel. Gatefire hat nichts geändert und "
                        "startet nichts.");
    }
    std::string startsWithout() const {
        return pick("\nThe game starts without:", "\nDas Spiel startet ohne:");
    }
    std::string joinNotTurnedOff(const std::string& path) const {
        return pick("The one-time join in \"" + path +
                        "\" could not be turned off: later starts of Gatefire join this server "
                        "too, until Scourix changes it.",
                    "Die einmalige Teilnahme in \"" + path +
                        "\" konnte nicht zurückgesetzt werden: auch spätere Starts von Gatefire "
                        "treten diesem Server bei, bis Scourix sie ändert.");
    }
    std::string settingsNotWritten(const std::string& file) const {
        return pick("The game's settings could not be written; the game starts with its old "
                    "ones:\n" +
                        file + "\nNot written:",
                    "Die Einstellungen des Spiels konnten nicht geschrieben werden; das Spiel "
                    "startet mit den alten:\n" +
                        file + "\nNicht geschrieben:");
    }
    std::string settingsSkipped(const std::string& file) const {
        return pick("These settings cannot be stored in " + file + " and were left as they were:",
                    "Diese Einstellungen lassen sich in " + file +
                        " nicht speichern und blieben, wie sie waren:");
    }
    std::string gameNotStarted(const std::string& program) const {
        return pick("The game could not be started:\n" + program,
                    "Das Spiel konnte nicht gestartet werden:\n" + program);
    }
    // In English only, as the launcher always said it.
    static std::string joinNow() { return "Joint Server now ?"; }
};

} // namespace

Anzeiger::Anzeiger(platform::Platform& p)
    : ui::Window("Gatefire", 4665, 3150), p_(p), store_{p.files, p.codepage, p.app.programFolder()},
      plan_(p.files, setup_, [this](cleaning::Counter c, cleaning::Event e) { progress(c, e); }) {
    border = ui::Border::None;
    Frame1.setVisible(false);
    Frame1.stateOnly = true;
    Image1.picture = "GATEFIRE_BACKGROUND";
    Image1.setVisible(false);

    const Texts texts{lang::Language::English};
    auto place = [](ui::Label& l, const std::string& text, int left, int top, int width) {
        l.setCaption(text);
        l.setBounds(left, top, width, 255);
    };
    place(Label1, cleaning::rowCaption(cleaning::Row::Logos, texts.language), 360, 960, 2280);
    place(Label2, cleaning::rowCaption(cleaning::Row::Taunts, texts.language), 360, 1320, 2280);
    place(Label3, cleaning::rowCaption(cleaning::Row::Stats, texts.language), 360, 1680, 2280);
    place(txt1, "0", 2760, 960, 735);
    place(txt3, "0", 3600, 960, 735);
    place(txt2, "0", 2760, 1320, 735);
    place(txt4, "0", 3600, 1320, 735);
    place(txt5, "0", 2760, 1680, 735);
    for (ui::Label* l : {&Label1, &Label2, &Label3}) l->setForeColour(cleaning::colour::kBlue);
    for (ui::Label* l : {&Label1, &Label2, &Label3, &txt1, &txt2, &txt3, &txt4, &txt5}) {
        l->setBackColour(cleaning::colour::kWhite);
        l->setFont("Arial", 9);
    }
    for (ui::Label* t : {&txt1, &txt2, &txt3, &txt4, &txt5}) t->alignment = ui::Align::Right;
    Label4.setBounds(3240, 2520, 900, 255);
    Label4.setForeColour(cleaning::colour::kRed);
    Label4.setTransparent(true);
    Label4.setFont("Arial", 9, true);

    putzstart.tick = [this] { putzstartTick(); };
    mouseDown = [this](int, int y) {
        if (y / twipsPerPixelY() < 25) beginDrag();
    };
}

void Anzeiger::load() {
    setPicture(Image1.picture);
    roundwindow();

    std::string file;
    settings::Problem problem = cleaning::readSetup(store_, setup_, file);
    if (file == settings::kScourixIni && problem != settings::Problem::None)
        return fileError(problem, file, false);
    language_ = setup_.ini.language;
    const Texts texts{language_};
    if (language_ == lang::Language::German) {
        Label2.setCaption(cleaning::rowCaption(cleaning::Row::Taunts, texts.language));
        Label1.setCaption(cleaning::rowCaption(cleaning::Row::Logos, texts.language));
        Label3.setCaption(cleaning::rowCaption(cleaning::Row::Stats, texts.language));
    }
    Label4.setCaption(platform::versionText(p_.app.version()));
    if (problem != settings::Problem::None) return fileError(problem, file, true);

    keylist.clear();
    settings::SettingsFile keys(p_.codepage);
    problem = settings::openFile(store_, settings::kKeysIni, keys);
    if (problem != settings::Problem::None) return fileError(problem, settings::kKeysIni, true);
    settings::KeysIni k;
    settings::readKeysIni(keys, k);
    for (const auto& s : k.switches) keylist.addItem(s);
    flags_ = k.flags;

    const settings::PlayerSettings& ini = setup_.ini;
    game_ = edition::describe(p_, ini.gamePath);
    if (const std::string running = edition::runningGame(p_, game_);
        !ini.gamePath.empty() && !running.empty())
        return gameRunning(running);

    ipstart();

    if (!ini.gamePath.empty()) {
        for (int i = 0; i < keylist.count(); ++i)
            keylist.setSelected(i, k.active(static_cast<std::size_t>(i)));
        regeintraege();
        putzstart.setEnabled(true);
        return;
    }
    if (p_.dialogs.message(texts.startScourixFirst(), platform::Buttons::OkCancel,
                           platform::Icon::Information) == platform::Answer::Ok)
        p_.shell.open("scourix.exe", "", store_.folder, platform::ShowMode::Normal);
    close();
}

void Anzeiger::fileError(settings::Problem problem, const std::string& fileName,
                         bool languageKnown) {
    const Texts en{lang::Language::English}, de{lang::Language::German};
    const std::string english =
        settings::describe(problem, fileName, lang::Language::English) + en.runScourix();
    const std::string german =
        settings::describe(problem, fileName, lang::Language::German) + de.runScourix();
    std::string text =
        !languageKnown ? english + "\n\n" + german : lang::pick(language_, english, german);
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Critical, kErrorTitle);
    close();
}

// The open-source game writes its settings file back when it ends: a change now would be lost.
void Anzeiger::gameRunning(const std::string& game) {
    p_.dialogs.message(Texts{language_}.gameRunning(game), platform::Buttons::Ok,
                       platform::Icon::Exclamation, kErrorTitle);
    close();
}

void Anzeiger::argumentsLeftOut(const std::vector<std::string>& parts) {
    const Texts texts{language_};
    std::string text = edition::argumentLimits(language_) + texts.startsWithout();
    for (const auto& part : parts) {
        text += '\n';
        text += part.substr(0, part.find_last_not_of(' ') + 1);
    }
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Exclamation, kErrorTitle);
}

void Anzeiger::pathError() {
    p_.dialogs.message(cleaning::kPathNotFound, platform::Buttons::Ok, platform::Icon::Critical,
                       kErrorTitle);
    close();
}

void Anzeiger::roundwindow() {
    int w = static_cast<int>(std::lround(double(clientWidth) / twipsPerPixelX()));
    int h = static_cast<int>(std::lround(double(clientHeight) / twipsPerPixelY()));
    setEllipticRegion(1, 1, w - 1, h - 1);
}

void Anzeiger::progress(cleaning::Counter c, cleaning::Event e) {
    ui::Label& label = *counterLabels_[int(c)];
    label.setCaption(counters_.after(c, e));
    label.repaint();
}

void Anzeiger::putzstartTick() {
    putzstart.setEnabled(false);
    // game_ is the game loading found in the same folder. The statistics folder must be there
    // even when statistics are not removed.
    if (!plan_.findFolders(game_.dataFolders, true)) return pathError();

    counters_ = cleaning::Counters(cleaning::finishWord(language_));
    const std::vector<int> counts = plan_.counts(cleaning::Plan::DeleteCount::WithBackup);
    for (std::size_t c = 0; c < counts.size(); ++c)
        counterLabels_[c]->setCaption(counters_.start(cleaning::Counter(c), counts[c]));

    ui::Label* const captions[] = {&Label1, &Label2, &Label3};
    plan_.run(true, [&](cleaning::Row row, bool skipped, const auto& work) {
        ui::Label& caption = *captions[int(row)];
        if (!skipped) {
            caption.setForeColour(cleaning::colour::kRed);
            caption.repaint();
            work();
        }
        caption.setForeColour(cleaning::colour::kGreen);
        caption.repaint();
    });
    shellstart();
}

// A one-time request is turned off at once; a reset that fails is tried once more. A file that
// cannot be read is replaced by an empty request, the player's bytes kept beside it first.
void Anzeiger::ipstart() {
    settings::SettingsFile f(p_.codepage);
    const std::string path = store_.path(settings::kDirecktIni);
    directRead_ = settings::openFile(store_, settings::kDirecktIni, f) == settings::Problem::None &&
                  settings::readDirectJoin(f, direct) == settings::Problem::None;
    if (!directRead_) {
        settings::SettingsFile out(p_.codepage);
        settings::writeDirectJoin(out, {"", settings::JoinMode::None, {"0"}, ""});
        return tell(settings::replaceUnreadable(p_.files, path, out.bytes(), language_).message);
    }
    if (direct.mode != settings::JoinMode::Once) return;
    settings::DirectJoin off = direct;
    off.mode = settings::JoinMode::None;
    settings::SettingsFile out(p_.codepage);
    settings::writeDirectJoin(out, off);
    if (out.save(p_.files, path) || out.save(p_.files, path)) return;
    tell(Texts{language_}.joinNotTurnedOff(path));
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
    std::vector<std::string> skipped;
    bool written = true;
    if (game_.openSource())
        written = writeGameSettingsFile(p_.files, p_.codepage, game_.settingsFile, net,
                                        setup_.ini.pilotName, skipped);
    else
        skipped = writeGameSettings(p_.registry, p_.codepage, net, setup_.ini.pilotName);
    if (skipped.empty()) return;
    const Texts texts{language_};
    std::string text =
        written ? texts.settingsSkipped(game_.openSource() ? gameregistry::kRegistryFile : kGameKey)
                : texts.settingsNotWritten(game_.settingsFile);
    for (const auto& name : skipped) text += "\n" + name;
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
                                         fresh.bytes(), language_)
                 .message);
        settings::SettingsFile again(p_.codepage, fresh.bytes());
        side = {};
        settings::readShellList(again, side);
    }
    for (const auto& s : side) {
        if (!settings::ticked(s.sideEnabled) || s.sideFile.empty()) continue;
        std::string file = s.sideFile;
        if (!s.sideFolder.empty())
            file = s.sideFolder + (s.sideFolder.back() == '\\' ? "" : "\\") + s.sideFile;
        p_.shell.open(file, "", s.sideFolder, platform::ShowMode::Normal);
    }

    const std::string& game = setup_.ini.gamePath;
    p_.files.setCurrentFolder(game);

    // The game's rows for its arguments are fixed: the pilot and the join come first, and a
    // switch that no longer fits is left out and named.
    const std::string head = "-Launched ";
    std::vector<std::string> leftOut;
    std::string pilot;
    // A pilot the game would read as a switch is not named: the game offers the default pilot.
    if (setup_.ini.usePilot && !setup_.ini.pilotName.empty() &&
        edition::switchReadFrom(setup_.ini.pilotName, game_.openSource()).empty()) {
        pilot = edition::pilotSwitch(setup_.ini.pilotName);
        if (pilot.empty() || !edition::gameCanHold(head + pilot))
            leftOut.push_back("-pilot " + setup_.ini.pilotName), pilot.clear();
    }
    std::vector<std::string> switches;
    for (int i = 0; i < keylist.count(); ++i)
        if (keylist.selected(i)) switches.push_back("-" + keylist.item(i) + " ");
    // Joining always joins without a question only when the player switched the question off
    // ("0"); a request that could not be read whole joins nothing.
    using settings::JoinMode;
    const bool always = directRead_ && direct.mode == JoinMode::Always;
    bool join = directRead_ && (direct.mode == JoinMode::Once || (always && direct.ask.off()));
    if (always && direct.ask.on())
        join = p_.dialogs.message(Texts::joinNow(), platform::Buttons::YesNo,
                                  platform::Icon::Question) == platform::Answer::Yes;
    std::string target = join ? " " + direct.target : "";
    if (!edition::gameCanHold(head + pilot + target))
        leftOut.push_back(direct.target), target.clear();
    // An address the game cannot take whole, or would read as a switch, is left out and named.
    if (const std::string refused =
            target.empty() ? "" : edition::targetRefused(language_, direct.target, game_.openSource());
        !refused.empty()) {
        tell(refused + Texts{language_}.startsWithout() + "\n" + direct.target);
        target.clear();
    }
    std::vector<std::string> dropped;
    const std::string line = edition::fitToGame(head + pilot, switches, target, dropped);
    leftOut.insert(leftOut.end(), dropped.begin(), dropped.end());
    if (!leftOut.empty()) argumentsLeftOut(leftOut);

    const std::string& exe = game_.program;
    if (!p_.shell.open(exe, line, game, platform::ShowMode::Normal)) {
        p_.dialogs.message(Texts{language_}.gameNotStarted(exe) +
                               (game_.hasProgram ? "" : "\n" + edition::noProgram(language_, game)),
                           platform::Buttons::Ok, platform::Icon::Critical, kErrorTitle);
    }
    close();
}

} // namespace launcher
