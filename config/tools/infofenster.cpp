#include "config/tools/infofenster.h"

#include "config/tools/taunt_preview.h"
#include "config/tools/tools.h"

namespace scourix {
namespace {

const int kWidth = 420;
// The credits panel and what lies below it, with and without the sound-tester panel above.
const int kWithHint = 114, kWithoutHint = 8;

} // namespace

Infofenster::Infofenster(platform::Platform& p, Owner& owner)
    : ui::Window("", kWidth * 15, 300 * 15), p_(p), owner_(owner) {
    ownerWindow = &owner.window();
    centred = true;

    place(Frame2, 8, 6, 404, 100);
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
        web::open(p_.shell, p_.dialogs, owner_.language(), web::kEditorDownload,
                  platform::ShowMode::Maximized);
    };
    ok.click = [this] { close(); };
    ok.isDefault = ok.isCancel = true;
}

void Infofenster::load() {
    const lang::Language l = owner_.language();
    const bool hint = owner_.session().testerHint;
    // Where the system plays taunts itself a tester is optional, and where none can be typed
    // into none is offered: the hint then tells only of Scourix's own playing.
    const bool own = p_.sound.plays(), tester = TauntPreview::testerOffered(p_);
    // The hint's parts from the top: Scourix's own playing, the tester and its download button.
    const int ownHeight = own && tester ? 76 : 0, testerHeight = tester ? 82 : 48;
    Frame2.setVisible(hint);
    place(Frame2, 8, 6, 404, 18 + ownHeight + testerHeight);
    if (ownHeight) place(Label5, 10, 18, 384, ownHeight - 6);
    place(Label4, 10, 18 + ownHeight, 384, 44);
    place(downl, 10, 66 + ownHeight, 384, 24);
    // Without the hint the credits move up into its place.
    const int top = !hint ? kWithoutHint : 6 + 18 + ownHeight + testerHeight + 8;
    place(Frame1, 8, top, 404, 112);
    place(lblVersion, 10, top + 124, 250, 14);
    place(ok, 332, top + 120, 80, 24);
    setClientSize(kWidth * 15, (top + 152) * 15);

    Label5.setVisible(own && tester);
    downl.setVisible(tester);
    setCaption(lang::tr(l, "info"));
    const std::vector<Caption> table{
        {Frame2, own ? lang::text("Playing taunts") : lang::text("Musictester")},
        // TRANSLATORS: Info window, where Scourix plays taunts itself and a sound tester may be
        // set.
        {Label5, lang::mark("Scourix plays taunts itself: choose one under \"my taunts\" and "
                            "press \">\", or \"play\" in the browser. The sound tester is "
                            "optional: once its path is set under \"musictester path\", taunts "
                            "play through it.")},
        {Label4, !tester ? lang::text("Scourix plays taunts itself on this system: choose one "
                                      "under \"my taunts\" and press \">\", or \"play\" in "
                                      "the browser. No sound tester is needed.")
                         : lang::text("Musictester is a Tool of {1} . Install the "
                                      "Leveleditor . Musictester is in the zip . Here the "
                                      "Download address of the editor v 1.0 !",
                                      {web::kMaker})},
        {Label1, lang::mark("Descent 3 is a game of Outrage Entertainment; its engine's "
                            "source is public at github.com/DescentDevelopers/Descent3.")},
        {Label3, lang::mark("Scourix and Gatefire are written by the Scourix team.")},
        // TRANSLATORS: Info window: a note follows.
        {Label2, lang::mark("comment :")},
        {ok, lang::mark("ok")},
        {lblVersion, lang::text("Version {1}", {platform::versionText(p_.app.version())})},
    };
    setCaptions(l, table);
    show();
}

} // namespace scourix
