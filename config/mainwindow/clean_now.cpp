#include "config/mainwindow/clean_now.h"

#include "common/edition/edition.h"
#include "config/mainwindow/main_window.h"

namespace scourix {
namespace {

// Every text the clean-now window shows, English and German side by side.
struct Texts {
    lang::Language language;
    std::string pick(const std::string& english, const std::string& german) const {
        return lang::pick(language, english, german);
    }

    std::string caption() const { return pick("clean......", "Säubere...."); }
    std::string nothingCleaned() const {
        return pick("\nNothing was cleaned. Please save the configuration and try again.",
                    "\nEs wurde nichts aufgeräumt. Bitte speichere die Einstellungen und "
                    "versuche es noch einmal.");
    }
    std::string backupIsSource(bool logos, const std::string& folder) const {
        return pick(std::string(logos ? "The backup folder for ship logos"
                                      : "The backup folder for taunts") +
                        " is the folder being cleaned:\n" + folder +
                        "\nNothing was done with the " + (logos ? "ship logos" : "taunts") +
                        ". Please choose another backup folder.",
                    std::string(logos ? "Der Sicherungsordner der Schiffslogos"
                                      : "Der Sicherungsordner der Audiotaunts") +
                        " ist der Ordner, der aufgeräumt wird:\n" + folder + "\n" +
                        (logos ? "Mit den Schiffslogos" : "Mit den Audiotaunts") +
                        " wurde nichts gemacht. Bitte wähle einen anderen Sicherungsordner.");
    }
};

} // namespace

CleanNow::CleanNow(platform::Platform& p, MainWindow& main)
    : ui::Window("clean......", 3705, 1065), p_(p),
      main_(main), store_{p.files, p.codepage, p.app.programFolder()},
      plan_(p.files, setup_, [this](cleaning::Counter c, cleaning::Event e) { progress(c, e); }) {
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
        l->setBackColour(cleaning::colour::kWhite);
        l->setFont("Arial", 9);
    }
    for (ui::Label* t : {&txt1, &txt2, &txt3, &txt4}) t->alignment = ui::Align::Right;
    okende.setCaption("ok");
    okende.setBounds(1305, 690, 1095, 315);

    putzstart.tick = [this] { putzstartTick(); };
    okende.click = [this] { close(); };
    okende.isDefault = okende.isCancel = true;
}

void CleanNow::load() {
    // The design state, also when the window is opened again.
    const Texts english{lang::Language::English};
    setCaption(english.caption());
    Label1.setCaption(cleaning::rowCaption(cleaning::Row::Logos, english.language));
    Label2.setCaption(cleaning::rowCaption(cleaning::Row::Taunts, english.language));
    for (ui::Label* l : {&Label1, &Label2}) l->setForeColour(cleaning::colour::kBlue);
    for (ui::Label* t : {&txt1, &txt2, &txt3, &txt4}) t->setCaption("0");
    language_ = lang::Language::English;

    show();
    std::string file;
    settings::Problem problem = cleaning::readSetup(store_, setup_, file);
    if (file != settings::kScourixIni || problem == settings::Problem::None)
        language_ = setup_.ini.language;
    if (problem != settings::Problem::None) return fileError(problem, file);
    if (language_ == lang::Language::German) {
        const Texts texts{language_};
        Label2.setCaption(cleaning::rowCaption(cleaning::Row::Taunts, texts.language));
        Label1.setCaption(cleaning::rowCaption(cleaning::Row::Logos, texts.language));
        setCaption(texts.caption());
    }
    putzstart.setEnabled(true);
}

// The settings are Scourix's own: the player's language is the one the main window speaks.
void CleanNow::fileError(settings::Problem problem, const std::string& fileName) {
    const lang::Language language = main_.language();
    const std::string text =
        settings::describe(problem, fileName, language) + Texts{language}.nothingCleaned();
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Critical);
    close();
}

void CleanNow::progress(cleaning::Counter c, cleaning::Event e) {
    if (c == cleaning::Counter::Stats) return;
    ui::Label& label = *counterLabels_[int(c)];
    label.setCaption(counters_.after(c, e));
    label.repaint();
}

void CleanNow::putzstartTick() {
    putzstart.setEnabled(false);
    const edition::Game game = edition::describe(p_, setup_.ini.gamePath);
    if (!plan_.findFolders(game.dataFolders, false)) {
        p_.dialogs.message(cleaning::kPathNotFound, platform::Buttons::Ok,
                           platform::Icon::Critical);
        close();
        return;
    }
    counters_ = cleaning::Counters(cleaning::finishWord(language_));
    const std::vector<int> counts = plan_.counts(cleaning::Plan::DeleteCount::PlainOnly);
    for (std::size_t c = 0; c < std::size(counterLabels_); ++c)
        counterLabels_[c]->setCaption(counters_.start(cleaning::Counter(c), counts[c]));
    plan_.run(false, [this](cleaning::Row row, bool skipped, const auto& work) {
        showRow(row, skipped, work);
    });
}

// The row stays red; the player learns why nothing was done for that kind.
void CleanNow::backupIsSource(cleaning::Row row) {
    const bool logos = row == cleaning::Row::Logos;
    const std::string& folder = (logos ? setup_.ini.logos : setup_.ini.taunts).backupPath;
    p_.dialogs.message(Texts{language_}.backupIsSource(logos, folder), platform::Buttons::Ok,
                       platform::Icon::Exclamation);
}

void CleanNow::showRow(cleaning::Row row, bool skipped,
                       const std::function<cleaning::Step()>& work) {
    if (skipped) return;
    ui::Label& caption = row == cleaning::Row::Logos ? Label1 : Label2;
    caption.setForeColour(cleaning::colour::kRed);
    caption.repaint();
    const cleaning::Step done = work();
    if (done == cleaning::Step::BackupIsSource) backupIsSource(row);
    if (done != cleaning::Step::Done) return;
    caption.setForeColour(cleaning::colour::kGreen);
    caption.repaint();
}

} // namespace scourix
