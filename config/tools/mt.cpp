#include "config/tools/mt.h"

#include "common/settings/layouts.h"
#include "config/mainwindow/main_window.h"
#include "config/tools/sucher.h"
#include "config/tools/tools.h"

namespace scourix {
namespace {

// Every text of the window, English and German.
const lang::Text kCaption{"toolpath", "toolpath"};
const lang::Text kTesterPath{"musictester path", "Musictester Pfad"};
const lang::Text kAutoClose{"shutdown player automatic", "automatisch beenden wenn abgespielt"};
const lang::Text kBrowse{"....", "...."};
const lang::Text kOk{"ok", "ok"};

} // namespace

Mt::Mt(platform::Platform& p, MainWindow& main)
    : ui::Window(kCaption.en, 358 * 15, 108 * 15), p_(p), main_(main) {
    ownerWindow = &main;
    place(Label1, 8, 8, 300, 14);
    place(mtpfad, 8, 24, 304, 20);
    place(brows1, 318, 23, 32, 22);
    place(plyeraus, 8, 52, 342, 16);
    place(speichern, 270, 78, 80, 24);
    brows1.setCaption(kBrowse.en);
    speichern.setCaption(kOk.en);
    dummy.setVisible(false);
    for (ui::Control* c :
         {static_cast<ui::Control*>(&Label1), static_cast<ui::Control*>(&plyeraus)})
        c->setBackColour(backColour);

    brows1.click = [this] { brows1Click(); };
    speichern.click = [this] { speichernClick(); };
    sucher_ = std::make_unique<Sucher>(p, *this);
}

Mt::~Mt() = default;

void Mt::load() {
    // The stored values first, then what the main window holds now.
    settings::SettingsFile f(p_.codepage);
    settings::ScourixIni v;
    if (settings::openFile(main_.store(), settings::kScourixIni, f) == settings::Problem::None &&
        settings::readScourixIni(f, v) == settings::Problem::None) {
        mtpfad.setText(v.musicTesterPath);
        plyeraus.setValue(settings::numericValue(v.autoCloseTester) == 1 ? 1 : 0);
    }
    plyeraus.setValue(main_.plaus.value() == 1 ? 1 : 0);
    if (!main_.musip.text().empty()) mtpfad.setText(main_.musip.text());

    const lang::Language language = main_.language();
    Label1.setCaption(lang::pick(language, kTesterPath));
    plyeraus.setCaption(lang::pick(language, kAutoClose));
    show();
}

void Mt::brows1Click() {
    dummy.setText("musi");
    sucher_->open();
}

void Mt::speichernClick() {
    main_.musip.setText(mtpfad.text());
    if (!main_.musip.text().empty()) main_.play1.setEnabled(true);
    main_.plaus.setValue(plyeraus.value() == 1 ? 1 : 0);
    close();
}

void Mt::closeWithSearch() {
    if (sucher_->isOpen()) sucher_->close();
    if (isOpen()) close();
}

} // namespace scourix
