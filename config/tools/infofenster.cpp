#include "config/tools/infofenster.h"

#include "config/tools/tools.h"

namespace scourix {
namespace {

const int kWidth = 420;
// The credits panel and what lies below it, with and without the sound-tester panel above.
const int kWithHint = 114, kWithoutHint = 8;

// Every text of the window, English and German; %1 is the game maker's address.
const lang::Text kCaption{"info", "Info"};
const lang::Text kTester{"Musictester", "Musictester"};
const lang::Text kTesterHint{
    "Musictester is a Tool of %1 . Install the Leveleditor . Musictester is in the zip . Here the "
    "Download address of the editor v 1.0 !",
    "Musictester ist ein Tool von %1 . Installiere den Leveleditor.Musictester ist in dem zip . "
    "Hier die Download Adresse vom Editor v 1.0 !"};
const lang::Text kCredits{
    "Descent 3 is a game of Outrage Entertainment; its engine's source is public "
    "at github.com/DescentDevelopers/Descent3.",
    "Descent 3 ist ein Spiel von Outrage Entertainment; der Quelltext seiner "
    "Engine ist frei unter github.com/DescentDevelopers/Descent3."};
const lang::Text kAuthor{"Scourix and Gatefire are written by the Scourix team.",
                         "Scourix und Gatefire werden vom Scourix-Team geschrieben."};
const lang::Text kComment{"comment :", "Anmerkung:"};
const lang::Text kOk{"ok", "ok"};
const lang::Text kVersion{"Version %1", "Version %1"};

} // namespace

Infofenster::Infofenster(platform::Platform& p, Owner& owner)
    : ui::Window(kCaption.en, kWidth * 15, 300 * 15), p_(p), owner_(owner) {
    ownerWindow = &owner.window();
    centred = true;

    place(Frame2, 8, 6, 404, 100);
    Frame2.setCaption(kTester.en);
    place(Label4, 10, 18, 384, 44);
    place(downl, 10, 66, 384, 24);
    downl.setCaption(web::kEditorDownload);

    place(Frame1, 8, kWithHint, 404, 112);
    place(Label2, 10, 18, 384, 14);
    place(Label1, 10, 36, 384, 40);
    place(Label3, 10, 82, 384, 24);

    for (ui::Control* c : controls())
        if (dynamic_cast<ui::Label*>(c) || dynamic_cast<ui::Frame*>(c))
            c->setBackColour(backColour);

    downl.click = [this] {
        p_.shell.openAddress(web::kEditorDownload, platform::ShowMode::Maximized);
    };
    ok.click = [this] { close(); };
    ok.isDefault = ok.isCancel = true;
}

void Infofenster::load() {
    const lang::Language l = owner_.language();
    const bool hint = owner_.session().testerHint;
    Frame2.setVisible(hint);
    // Without the hint the credits move up into its place.
    const int top = hint ? kWithHint : kWithoutHint;
    place(Frame1, 8, top, 404, 112);
    place(lblVersion, 10, top + 124, 250, 14);
    place(ok, 332, top + 120, 80, 24);
    setClientSize(kWidth * 15, (top + 152) * 15);

    Label4.setCaption(fill(l, kTesterHint, {web::kMaker}));
    setCaption(lang::pick(l, kCaption));
    Label1.setCaption(lang::pick(l, kCredits));
    Label3.setCaption(lang::pick(l, kAuthor));
    Label2.setCaption(lang::pick(l, kComment));
    ok.setCaption(lang::pick(l, kOk));
    show();

    lblVersion.setCaption(fill(l, kVersion, {platform::versionText(p_.app.version())}));
}

} // namespace scourix
