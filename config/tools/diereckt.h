#pragma once
#include <optional>
#include <string>

#include "common/language/language.h"
#include "common/settings/model.h"
#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

class Owner;

// The direct-join window: the server address, its kind, once or always, ask or not. Its
// choices reach Gatefire through direckt.ini; "joint game now" also starts Gatefire and ends
// Scourix.
class Diereckt : public ui::Window {
  public:
    Diereckt(platform::Platform& p, Owner& owner);

    void load() override;
    // Writes the choices without a one-time request, unless a join has started Gatefire and
    // the choices are still those of the join: the request is then Gatefire's to read and turn
    // off.
    void unload() override;

    // The game switch for the server kind followed by the address.
    std::string target() const;
    // True once a join has started Gatefire, until the next join or load.
    bool joined() const { return joined_.has_value(); }

  private:
    platform::Platform& p_;
    Owner& owner_;

  public:
    ui::Frame Frame1{*this, "Frame1"};
    ui::Label Label1{*this, "Label1", &Frame1};
    ui::TextBox iptext{*this, "iptext", &Frame1};
    ui::Label Label2{*this, "Label2", &Frame1};
    ui::Frame Frame2{*this, "Frame2"};
    ui::OptionButton pxo{*this, "pxo", &Frame2};
    ui::OptionButton tcpip{*this, "tcpip", &Frame2};
    ui::Frame Frame4{*this, "Frame4"};
    ui::Button teilnehmen{*this, "teilnehmen", &Frame4};
    ui::CheckBox immer{*this, "immer", &Frame4};
    ui::CheckBox jointfrage{*this, "jointfrage", &Frame4};
    ui::Frame Frame3{*this, "Frame3"};
    ui::Button d3cxserver{*this, "d3cxserver", &Frame3};
    ui::Button d3tcpserver{*this, "d3tcpserver", &Frame3};
    ui::Timer d3run{*this, "d3run", 300};

  private:
    void captions();
    // Reads direckt.ini into the controls; false when it is missing or short.
    bool readFile();
    // Writes direckt.ini with the join mode given; tells the player when it cannot.
    bool write(const std::string& target, settings::JoinMode mode);
    // Always when "joint always" is ticked, else `otherwise`.
    settings::JoinMode mode(settings::JoinMode otherwise) const;
    void teilnehmenClick();
    void d3runTick();
    std::string choices() const;

    lang::Language language_ = lang::Language::English;
    bool keepFirst_ = false;
    // direckt.ini as read, with the lines of a later version; written with the window's choices.
    settings::DirectJoin request_; // the file could not be read, nor kept as a copy yet
    // The choices of the join that started Gatefire, none before.
    std::optional<std::string> joined_;
};

} // namespace scourix
