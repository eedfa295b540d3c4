#include "config/mainwindow/clean_now.h"

#include "common/edition/edition.h"
#include "common/settings/reading.h"
#include "config/mainwindow/main_window.h"

namespace scourix {
namespace {

// The texts of the clean-now window beyond the rows and counters it shares with Gatefire.
const char* const kCaption = lang::mark("clean......");

std::string backupIsSourceText(lang::Language l, bool logos, const std::string& folder) {
    return logos ? lang::tr(l,
                            "The backup folder for ship logos is the folder being cleaned:\n{1}\n"
                            "Nothing was done with the ship logos. Please choose another backup "
                            "folder.",
                            {folder})
                 : lang::tr(l,
                            "The backup folder for taunts is the folder being cleaned:\n{1}\n"
                            "Nothing was done with the taunts. Please choose another backup "
                            "folder.",
                            {folder});
}

} // namespace

CleanNow::CleanNow(platform::Platform& p, MainWindow& main)
    : ui::Window(kCaption, 3705, 1065), p_(p),
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
    const lang::Language english = lang::Language::English;
    setCaption(kCaption);
    Label1.setCaption(cleaning::rowCaption(cleaning::Row::Logos, english));
    Label2.setCaption(cleaning::rowCaption(cleaning::Row::Taunts, english));
    for (ui::Label* l : {&Label1, &Label2}) l->setForeColour(cleaning::colour::kBlue);
    for (ui::Label* t : {&txt1, &txt2, &txt3, &txt4}) t->setCaption("0");
    language_ = lang::Language::English;

    show();
    std::string file;
    settings::Problem problem = settings::readSetup(store_, setup_, file);
    if (file != settings::kScourixIni || problem == settings::Problem::None)
        language_ = setup_.ini.language;
    if (problem != settings::Problem::None) return fileError(problem, file);
    if (language_ != english) {
        Label2.setCaption(cleaning::rowCaption(cleaning::Row::Taunts, language_));
        Label1.setCaption(cleaning::rowCaption(cleaning::Row::Logos, language_));
        setCaption(lang::tr(language_, kCaption));
    }
    putzstart.setEnabled(true);
}

// The settings are Scourix's own: the player's language is the one the main window speaks.
void CleanNow::fileError(settings::Problem problem, const std::string& fileName) {
    const lang::Language language = main_.language();
    const std::string text =
        settings::describe(problem, fileName, language) +
        lang::tr(language, "\nNothing was cleaned. Please save the configuration and try again.");
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
    if (!plan_.findFolders(game, false)) {
        p_.dialogs.message(cleaning::pathNotFound(language_), platform::Buttons::Ok,
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
    p_.dialogs.message(backupIsSourceText(language_, logos, p_.host.shownPath(folder)),
                       platform::Buttons::Ok, platform::Icon::Exclamation);
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
