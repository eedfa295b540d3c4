#include "config/tools/mt.h"

#include "common/settings/model.h"
#include "config/tools/sucher.h"
#include "config/tools/tools.h"

namespace scourix {

Mt::Mt(platform::Platform& p, Owner& owner)
    : ui::Window("", 358 * 15, 108 * 15), p_(p), owner_(owner) {
    ownerWindow = &owner.window();
    place(Label1, 8, 8, 300, 14);
    place(mtpfad, 8, 24, 304, 20);
    place(brows1, 318, 23, 32, 22);
    place(plyeraus, 8, 52, 342, 16);
    place(speichern, 270, 78, 80, 24);
    brows1.setCaption("....");
    place(Label2, 8, 76, 254, 28);
    for (ui::Control* c : {static_cast<ui::Control*>(&Label1), static_cast<ui::Control*>(&plyeraus),
                           static_cast<ui::Control*>(&Label2)})
        c->setBackColour(backColour);

    brows1.click = [this] { brows1Click(); };
    speichern.click = [this] { speichernClick(); };
    speichern.isDefault = true;
    sucher_ = std::make_unique<Sucher>(p, *this, owner_,
                                       [this](const std::string& path) { mtpfad.setText(path); });
}

Mt::~Mt() = default;

// The path and the flag as the main window holds them now.
void Mt::load() {
    const settings::PlayerSettings& now = owner_.settings();
    plyeraus.setValue(now.autoCloseTester ? 1 : 0);
    mtpfad.setText(now.musicTesterPath);

    const lang::Language language = owner_.language();
    // TRANSLATORS: The path of the sound tester program.
    setCaption(lang::tr(language, "toolpath"));
    const std::vector<Caption> table{
        {Label1, lang::mark("musictester path")},
        // TRANSLATORS: Check box: close the sound tester after it played the taunt.
        {plyeraus, lang::mark("shutdown player automatic")},
        {speichern, lang::mark("ok")},
        // TRANSLATORS: Sound tester options: below the path; the text has two short lines.
        {Label2, lang::mark("Optional: with no path set, Scourix plays taunts itself.")},
    };
    setCaptions(language, table);
    Label2.setVisible(p_.sound.plays());
    show();
}

void Mt::brows1Click() {
    sucher_->open();
}

void Mt::speichernClick() {
    settings::PlayerSettings& s = owner_.settings();
    s.musicTesterPath = mtpfad.text();
    s.autoCloseTester = plyeraus.value() == 1;
    owner_.testerChanged();
    close();
}

void Mt::closeWithSearch() {
    if (sucher_->isOpen()) sucher_->close();
    if (isOpen()) close();
}

} // namespace scourix
