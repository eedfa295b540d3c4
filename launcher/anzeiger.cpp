#include "launcher/anzeiger.h"

#include <cmath>

#include "common/edition/game_args.h"
#include "common/settings/keep_copy.h"
#include "launcher/registry_settings.h"

namespace launcher {
namespace {

// The title of the launcher's error boxes.
const std::string& errorTitle(lang::Language l) {
    return lang::tr(l, "Gatefire error");
}

// Said after a file error: what the player does about it.
const std::string& runScourix(lang::Language l) {
    return lang::tr(l, "\nPlease run Scourix to set up the settings again.");
}

// Said before the parts of the command line the game starts without.
const std::string& startsWithout(lang::Language l) {
    return lang::tr(l, "\nThe game starts without:");
}

} // namespace

Anzeiger::Anzeiger(platform::Platform& p)
    : ui::Window("Gatefire", 4665, 3150), p_(p), store_{p.files, p.codepage, p.app.programFolder()},
      plan_(p.files, setup_, [this](cleaning::Counter c, cleaning::Event e) { progress(c, e); }) {
    border = ui::Border::None;
    Image1.picture = "GATEFIRE_BACKGROUND";
    Image1.setVisible(false);

    const lang::Language english = lang::Language::English;
    auto place = [](ui::Label& l, const std::string& text, int left, int top, int width) {
        l.setCaption(text);
        l.setBounds(left, top, width, 255);
    };
    place(Label1, cleaning::rowCaption(cleaning::Row::Logos, english), 360, 960, 2280);
    place(Label2, cleaning::rowCaption(cleaning::Row::Taunts, english), 360, 1320, 2280);
    place(Label3, cleaning::rowCaption(cleaning::Row::Stats, english), 360, 1680, 2280);
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
    settings::Problem problem = settings::readSetup(store_, setup_, file);
    if (file == settings::kScourixIni && problem != settings::Problem::None)
        return fileError(problem, file, false);
    language_ = setup_.ini.language;
    if (language_ != lang::Language::English) {
        Label2.setCaption(cleaning::rowCaption(cleaning::Row::Taunts, language_));
        Label1.setCaption(cleaning::rowCaption(cleaning::Row::Logos, language_));
        Label3.setCaption(cleaning::rowCaption(cleaning::Row::Stats, language_));
    }
    Label4.setCaption(platform::versionText(p_.app.version()));
    if (problem != settings::Problem::None) return fileError(problem, file, true);

    problem = settings::load(store_, keys_);
    if (problem != settings::Problem::None) return fileError(problem, settings::kKeysIni, true);

    const settings::PlayerSettings& ini = setup_.ini;
    game_ = edition::describe(p_, ini.gamePath);
    if (const std::string running = edition::runningGame(p_, game_);
        !ini.gamePath.empty() && !running.empty())
        return gameRunning(running);

    ipstart();

    if (!ini.gamePath.empty()) {
        regeintraege();
        putzstart.setEnabled(true);
        return;
    }
    if (lang::ask(p_.dialogs,
                  lang::tr(language_, "please start scourix first ! start scourix now ?"),
                  platform::Buttons::OkCancel, platform::Icon::Information) == platform::Answer::Ok)
        p_.shell.open("scourix.exe", "", store_.folder, platform::ShowMode::Normal);
    close();
}

void Anzeiger::fileError(settings::Problem problem, const std::string& fileName,
                         bool languageKnown) {
    auto text = [&](lang::Language l) {
        return settings::describe(problem, fileName, l) + runScourix(l);
    };
    // Before the player's language is known: English, and the system's language where it is
    // another of ours, else German.
    lang::Language second = settings::firstRunLanguage(p_.host);
    if (second == lang::Language::English) second = lang::Language::German;
    const std::string shown =
        languageKnown ? text(language_) : text(lang::Language::English) + "\n\n" + text(second);
    p_.dialogs.message(shown, platform::Buttons::Ok, platform::Icon::Critical,
                       errorTitle(languageKnown ? language_ : lang::Language::English));
    close();
}

// The open-source game writes its settings file back when it ends: a change now would be lost.
void Anzeiger::gameRunning(const std::string& game) {
    p_.dialogs.message(lang::tr(language_,
                                "Descent 3 is running:\n{1}\nPlease end the game first. Gatefire "
                                "changed nothing and starts nothing.",
                                {game}),
                       platform::Buttons::Ok, platform::Icon::Exclamation, errorTitle(language_));
    close();
}

void Anzeiger::argumentsLeftOut(const std::vector<std::string>& parts) {
    std::string text = edition::argumentLimits(language_) + startsWithout(language_);
    for (const auto& part : parts) {
        text += '\n';
        text += part.substr(0, part.find_last_not_of(' ') + 1);
    }
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Exclamation,
                       errorTitle(language_));
}

void Anzeiger::pathError() {
    p_.dialogs.message(cleaning::pathNotFound(language_), platform::Buttons::Ok,
                       platform::Icon::Critical, errorTitle(language_));
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
    // game_ is the game loading found in the same folder. The statistics folder counts even
    // when statistics are not removed.
    if (!plan_.findFolders(game_, true)) return pathError();

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
    const std::string path = store_.path(settings::kDirecktIni);
    directRead_ = settings::load(store_, direct) == settings::Problem::None;
    if (!directRead_) {
        settings::SettingsFile out(p_.codepage);
        settings::writeDirectJoin(out, {"", settings::JoinMode::None, {"0"}, ""});
        return tell(
            settings::replaceUnreadable(p_.files, p_.host, path, out.bytes(), language_).message);
    }
    if (direct.mode != settings::JoinMode::Once) return;
    settings::DirectJoin off = direct;
    off.mode = settings::JoinMode::None;
    settings::SettingsFile out(p_.codepage);
    settings::writeDirectJoin(out, off);
    settings::Saving s = settings::save(p_.files, p_.host, path, out.bytes(), language_);
    if (!s.written && s.tooBig.empty())
        s = settings::save(p_.files, p_.host, path, out.bytes(), language_);
    if (!s.tooBig.empty()) return tell(s.tooBig);
    if (s.written) return;
    tell(lang::tr(language_,
                  "The one-time join in \"{1}\" could not be turned off: later starts of Gatefire "
                  "join this server too, until Scourix changes it.",
                  {p_.host.shownPath(path)}));
}

void Anzeiger::tell(const std::string& text) {
    if (!text.empty())
        p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Exclamation,
                           errorTitle(language_));
}

void Anzeiger::regeintraege() {
    settings::NetworkIni net;
    if (settings::load(store_, net) != settings::Problem::None) return;
    std::vector<std::string> skipped;
    Saved saved = Saved::Yes;
    if (game_.openSource())
        saved = writeGameSettingsFile(p_.files, p_.codepage, game_.settingsFile, net,
                                      setup_.ini.pilotName, skipped);
    else
        skipped = writeGameSettings(p_.registry, p_.codepage, net, setup_.ini.pilotName);
    if (saved == Saved::TooBig)
        return tell(settings::tooBig(p_.host.shownPath(game_.settingsFile), language_));
    if (skipped.empty()) return;
    std::string text =
        saved == Saved::Yes
            ? lang::tr(language_,
                       "These settings cannot be stored in {1} and were left as they were:",
                       {game_.openSource() ? edition::kRegistryFile : kGameKey})
            : lang::tr(language_,
                       "The game's settings could not be written; the game starts with its "
                       "old ones:\n{1}\nNot written:",
                       {p_.host.shownPath(game_.settingsFile)});
    for (const auto& name : skipped) text += "\n" + name;
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Exclamation,
                       errorTitle(language_));
}

void Anzeiger::shellstart() {
    settings::ShellList side;
    settings::Problem problem = settings::load(store_, side);
    // A list saved as UTF-16 is the player's, not a broken one of ours: it stays as it is and
    // starts nothing.
    if (problem == settings::Problem::NotText)
        side = {};
    else if (problem != settings::Problem::None) {
        settings::SettingsFile fresh(p_.codepage);
        settings::writeLauncherShellList(fresh);
        tell(settings::replaceUnreadable(p_.files, p_.host, store_.path(settings::kShellListTxt),
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
    for (std::size_t i = 0; i < keys_.switches.size(); ++i)
        if (keys_.active(i)) switches.push_back("-" + keys_.switches[i] + " ");
    // Joining always joins without a question only when the player switched the question off
    // ("0"); a request that could not be read whole joins nothing.
    using settings::JoinMode;
    const bool always = directRead_ && direct.mode == JoinMode::Always;
    bool join = directRead_ && (direct.mode == JoinMode::Once || (always && direct.ask.off()));
    if (always && direct.ask.on())
        join = lang::ask(p_.dialogs, lang::tr(language_, "Joint Server now ?"),
                         platform::Buttons::YesNo) == platform::Answer::Yes;
    std::string target = join ? " " + direct.target : "";
    if (!edition::gameCanHold(head + pilot + target))
        leftOut.push_back(direct.target), target.clear();
    // An address the game cannot take whole, or would read as a switch, is left out and named.
    if (const std::string refused =
            target.empty() ? ""
                           : edition::targetRefused(language_, direct.target, game_.openSource());
        !refused.empty()) {
        tell(refused + startsWithout(language_) + "\n" + direct.target);
        target.clear();
    }
    std::vector<std::string> dropped;
    const std::string line = edition::fitToGame(head + pilot, switches, target, dropped);
    leftOut.insert(leftOut.end(), dropped.begin(), dropped.end());
    if (!leftOut.empty()) argumentsLeftOut(leftOut);

    const std::string& exe = game_.program;
    if (!p_.shell.open(exe, line, game, platform::ShowMode::Normal)) {
        p_.dialogs.message(
            lang::tr(language_, "The game could not be started:\n{1}", {p_.host.shownPath(exe)}) +
                (game_.hasProgram ? ""
                                  : "\n" + edition::noProgram(language_, p_.host.shownPath(game))),
            platform::Buttons::Ok, platform::Icon::Critical, errorTitle(language_));
    }
    close();
}

} // namespace launcher
