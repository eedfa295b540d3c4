#include "config/mainwindow/clean_now.h"

#include "config/mainwindow/main_window.h"

namespace scourix {
namespace {

using cleaning::kBlue;
using cleaning::kGreen;
using cleaning::kRed;
using cleaning::kWhite;

const char* const kLogoCaption = " work on shiplogos :";
const char* const kTauntCaption = " work on taunts :";

} // namespace

CleanNow::CleanNow(platform::Platform& p, MainWindow& main)
    : CleaningWindow(p, "clean......", 3705, 1065), main_(main) {
    ownerWindow = &main;
    centred = true;

    // Two rows of caption, backup counter and delete counter, the button centred below.
    const int rowHeight = 255, captionWidth = 2205, counterWidth = 630;
    auto row = [&](ui::Label& caption, ui::Label& backup, ui::Label& remove, int top) {
        caption.setBounds(60, top, captionWidth, rowHeight);
        backup.setBounds(2325, top, counterWidth, rowHeight);
        remove.setBounds(3015, top, counterWidth, rowHeight);
    };
    row(Label1, txt1, txt3, 60);
    row(Label2, txt2, txt4, 360);
    for (ui::Label* l : {&Label1, &Label2, &txt1, &txt2, &txt3, &txt4}) {
        l->setBackColour(kWhite);
        l->setFont("Arial", 9);
    }
    for (ui::Label* t : {&txt1, &txt2, &txt3, &txt4}) t->alignment = ui::Align::Right;
    okende.setCaption("ok");
    okende.setBounds(1305, 690, 1095, 315);

    putzstart.tick = [this] { putzstartTick(); };
    okende.click = [this] { close(); };
}

void CleanNow::load() {
    // The design state, also when the window is opened again.
    setCaption("clean......");
    Label1.setCaption(kLogoCaption);
    Label2.setCaption(kTauntCaption);
    for (ui::Label* l : {&Label1, &Label2}) l->setForeColour(kBlue);
    for (ui::Label* t : {&txt1, &txt2, &txt3, &txt4}) t->setCaption("0");
    logo.clear();
    mysounds.clear();
    lang_ = "en";

    show();
    std::string file;
    settings::Problem problem = readSettings(file);
    if (problem != settings::Problem::None) return fileError(problem, file);
    if (lang_ == "de") {
        Label2.setCaption(" Bearbeite Audiotaunts");
        Label1.setCaption(" Bearbeite Schiffslogo");
        setCaption("Säubere....");
    }
    putzstart.setEnabled(true);
}

// The settings are Scourix's own: the player's language is the one the main window speaks.
void CleanNow::fileError(settings::Problem problem, const std::string& fileName) {
    const bool german = main_.m1.caption() == "&Datei";
    std::string text = settings::describe(problem, fileName, german) +
                       (german ? "\nEs wurde nichts aufgeräumt. Bitte speichere die "
                                 "Einstellungen und versuche es noch einmal."
                               : "\nNothing was cleaned. Please save the configuration and "
                                 "try again.");
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Critical);
    close();
}

void CleanNow::putzstartTick() {
    putzstart.setEnabled(false);
    if (!listCustomFolders()) {
        p_.dialogs.message("Error ! Path not found", platform::Buttons::Ok,
                           platform::Icon::Critical);
        close();
        return;
    }
    setCounters(false);
    for (ui::Label* t : {&txt1, &txt2, &txt3, &txt4}) finishIfZero(*t);
    step(Label1, ini_.logoNoAction, true);
    step(Label2, ini_.tauntNoAction, false);
}

// The row stays red; the player learns why nothing was done for that kind.
void CleanNow::backupIsSource(bool logos) {
    const std::string& folder = logos ? ini_.logoBackupPath : ini_.tauntBackupPath;
    std::string text =
        lang_ == "de"
            ? std::string(logos ? "Der Sicherungsordner der Schiffslogos"
                                : "Der Sicherungsordner der Audiotaunts") +
                  " ist der Ordner, der aufgeräumt wird:\n" + folder + "\n" +
                  (logos ? "Mit den Schiffslogos" : "Mit den Audiotaunts") +
                  " wurde nichts gemacht. Bitte wähle einen anderen Sicherungsordner."
            : std::string(logos ? "The backup folder for ship logos"
                                : "The backup folder for taunts") +
                  " is the folder being cleaned:\n" + folder + "\nNothing was done with the " +
                  (logos ? "ship logos" : "taunts") + ". Please choose another backup folder.";
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Exclamation);
}

void CleanNow::step(ui::Label& caption, const std::string& noAction, bool logos) {
    if (on(noAction)) return;
    caption.setForeColour(kRed);
    caption.repaint();
    const Step done = logos ? cleanLogos() : cleanTaunts();
    if (done == Step::BackupIsSource) backupIsSource(logos);
    if (done != Step::Done) return;
    caption.setForeColour(kGreen);
    caption.repaint();
}

} // namespace scourix
