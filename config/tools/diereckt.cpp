#include "config/tools/diereckt.h"

#include "common/edition/game_args.h"
#include "common/settings/layouts.h"
#include "common/settings/reading.h"
#include "config/tools/tools.h"

namespace scourix {

Diereckt::Diereckt(platform::Platform& p, Owner& owner)
    : ui::Window("", 448 * 15, 282 * 15), p_(p), owner_(owner) {
    ownerWindow = &owner.window();
    centred = true;

    place(Frame1, 8, 6, 432, 84);
    place(Label1, 10, 18, 220, 14);
    place(iptext, 10, 34, 240, 20);
    place(Label2, 10, 60, 300, 14);

    place(Frame2, 8, 96, 170, 92);
    place(pxo, 10, 22, 150, 16);
    place(tcpip, 10, 46, 150, 16);

    place(Frame4, 186, 96, 254, 92);
    place(teilnehmen, 10, 18, 234, 24);
    place(immer, 10, 48, 234, 16);
    place(jointfrage, 10, 68, 234, 16);

    place(Frame3, 8, 194, 432, 82);
    place(d3cxserver, 10, 18, 412, 24);
    place(d3tcpserver, 10, 48, 412, 24);

    for (ui::Control* c : controls())
        if (dynamic_cast<ui::Label*>(c) || dynamic_cast<ui::Frame*>(c) ||
            dynamic_cast<ui::CheckBox*>(c) || dynamic_cast<ui::OptionButton*>(c))
            c->setBackColour(backColour);

    teilnehmen.click = [this] { teilnehmenClick(); };
    teilnehmen.isDefault = true;
    d3run.tick = [this] { d3runTick(); };
    d3cxserver.click = [this] {
        web::open(p_.shell, p_.dialogs, language_, web::kPxoTracker, platform::ShowMode::Maximized);
    };
    d3tcpserver.click = [this] {
        web::open(p_.shell, p_.dialogs, language_, web::kTcpTracker, platform::ShowMode::Maximized);
    };
}

void Diereckt::captions() {
    using lang::mark;
    setCaption(lang::tr(language_, "Joint a Game"));
    const std::vector<Caption> table{
        {Frame1, mark("IP/PORT")},
        {Label1, mark("Server IP/Port")},
        {Label2, lang::text("example : {1}", {web::kExampleAddress})},
        {Frame2, mark("Server is a ...")},
        {pxo, mark("PXO-Server")},
        {tcpip, mark("TCP/IP-Server")},
        // TRANSLATORS: Frame over buttons that open web pages listing game servers.
        {Frame3, mark("Links to Servertracker")},
        // TRANSLATORS: Direct join window: frame over the join choices.
        {Frame4, mark("joint")},
        {teilnehmen, mark("joint game now")},
        {immer, mark("joint always with Gatefire")},
        {jointfrage, mark("ask me before joint direckt")},
        {d3cxserver, lang::text("look for games at {1}", {web::kPxoTrackerName})},
        {d3tcpserver, lang::text("look for games at {1}", {web::kTcpTrackerName})},
    };
    setCaptions(language_, table);
}

void Diereckt::load() {
    language_ = owner_.language();
    joined_.reset();
    // As a freshly loaded form: no address, PXO, neither box ticked.
    iptext.setText("");
    pxo.setValue(true);
    immer.setValue(0);
    jointfrage.setValue(0);
    captions();

    keepFirst_ = false;
    request_ = {};
    if (!readFile()) {
        keepFirst_ = true;
        write(iptext.text(), mode(settings::JoinMode::None));
    }
    show();
}

// What was read before a short file ended stays: the lines not read read as the first-run ones,
// which the fresh window shows anyway.
bool Diereckt::readFile() {
    using settings::Problem;
    const Problem problem = settings::load(owner_.store(), request_);
    if (problem != Problem::None && problem != Problem::TooShort) return false;
    const bool whole = problem == Problem::None;
    const settings::JoinTarget t = settings::splitTarget(request_.target);
    iptext.setText(t.address);
    (t.pxo ? pxo : tcpip).setValue(true);
    immer.setValue(request_.mode == settings::JoinMode::Always ? 1 : 0);
    jointfrage.setValue(request_.ask.on() ? 1 : 0);
    return whole;
}

std::string Diereckt::target() const {
    return settings::composeTarget({iptext.text(), pxo.value()});
}

bool Diereckt::write(const std::string& target, settings::JoinMode mode) {
    request_.target = target;
    request_.mode = mode;
    request_.ask = settings::Flag::of(jointfrage.value() == 1);
    settings::SettingsFile f(p_.codepage);
    settings::writeDirectJoin(f, request_);
    return writeSettings(p_, language_, owner_.store().path(settings::kDirecktIni), f.bytes(),
                         keepFirst_);
}

// The request is written first; the configuration is saved so that Gatefire finds it; Gatefire
// starts 300 ms later. A request that cannot be written, or a configuration that cannot be
// saved, starts nothing and leaves Scourix open, without a pending request.
void Diereckt::teilnehmenClick() {
    if (iptext.text().empty()) return;
    const std::string refused =
        edition::addressRefused(language_, iptext.text(), owner_.game().openSource());
    if (!refused.empty())
        return (void)p_.dialogs.message(refused, platform::Buttons::Ok,
                                        platform::Icon::Exclamation);
    if (!edition::gameCanHold("-Launched  " + target())) {
        p_.dialogs.message(edition::tooLongForTheGame(language_), platform::Buttons::Ok,
                           platform::Icon::Exclamation);
        return;
    }
    joined_.reset(); // a new join: closed before its tick, it is withdrawn
    if (!write(target(), mode(settings::JoinMode::Once))) return;
    if (!owner_.sichern()) {
        write(target(), mode(settings::JoinMode::None));
        return;
    }
    d3run.setEnabled(true);
}

// A Gatefire that does not start leaves no request behind for some later start of it: the
// request is withdrawn and Scourix stays open.
void Diereckt::d3runTick() {
    d3run.setEnabled(false);
    if (!p_.shell.open("gatefire.exe", "", owner_.store().folder, platform::ShowMode::NoActivate)) {
        write(target(), mode(settings::JoinMode::None));
        const std::string exe = owner_.store().path("gatefire.exe");
        p_.dialogs.message(lang::tr(language_,
                                    "Gatefire could not be started:\n{1}\nNo server is joined; "
                                    "Scourix stays open.",
                                    {p_.host.shownPath(exe)}),
                           platform::Buttons::Ok, platform::Icon::Critical);
        return;
    }
    joined_ = choices();
    owner_.endSoon();
}

settings::JoinMode Diereckt::mode(settings::JoinMode otherwise) const {
    return immer.value() == 1 ? settings::JoinMode::Always : otherwise;
}

std::string Diereckt::choices() const {
    return target() + '\n' + std::to_string(immer.value()) + std::to_string(jointfrage.value());
}

// A window closed before its join started Gatefire withdraws the request with the start. After
// the start, the request is Gatefire's: the close that comes with the end of Scourix leaves it,
// unless the player changed his choices since (the end did not come).
void Diereckt::unload() {
    if (!joined_ || *joined_ != choices()) write(target(), mode(settings::JoinMode::None));
}

} // namespace scourix
