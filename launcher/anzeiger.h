#pragma once
#include "common/cleaning/cleaning.h"
#include "common/edition/edition.h"
#include "common/language/language.h"
#include "common/settings/reading.h"
#include "platform/platform.h"
#include "platform/ui/window.h"

namespace launcher {

// The launcher window: a round picture window that reads the settings, writes the game's
// registry values, cleans the custom folders, starts the side programs and the game, and closes.
class Anzeiger : public ui::Window {
  public:
    explicit Anzeiger(platform::Platform& p);

    void load() override;

    // Start-up steps and the cleaning sequence's steps.
    void ipstart();
    void regeintraege();
    void shellstart();
    void roundwindow();

    ui::Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label3{*this, "Label3"};
    ui::Label txt1{*this, "txt1"}, txt2{*this, "txt2"}, txt3{*this, "txt3"}, txt4{*this, "txt4"};
    ui::Label txt5{*this, "txt5"};
    ui::Label Label4{*this, "Label4"};
    ui::Image Image1{*this, "Image1"};
    ui::Timer putzstart{*this, "putzstart", 50};

    // The direct-join request as read at start-up.
    settings::DirectJoin direct;

    const settings::PlayerSettings& settings() const { return setup_.ini; }
    // The player's language, once the settings have been read whole; English before.
    lang::Language language() const { return language_; }
    // The keep lists as read at start-up.
    const settings::Setup& setup() const { return setup_; }
    // The switches and their flags as read at start-up.
    const settings::KeysIni& keys() const { return keys_; }

  private:
    void putzstartTick();
    // One counter: the files it has left, shown as the cleaner reports them.
    void progress(cleaning::Counter counter, cleaning::Event event);
    void fileError(settings::Problem problem, const std::string& fileName, bool languageKnown);
    void pathError();
    void argumentsLeftOut(const std::vector<std::string>& parts);
    void gameRunning(const std::string& game);
    // Shows a message of the launcher's own, when there is one.
    void tell(const std::string& text);

    platform::Platform& p_;
    settings::Store store_;
    settings::Setup setup_;
    settings::KeysIni keys_;
    lang::Language language_ = lang::Language::English;
    edition::Game game_; // the game in the settings' game folder
    cleaning::Plan plan_;
    cleaning::Counters counters_{"finish"};
    // The label of each counter, in the order of cleaning::Counter.
    ui::Label* const counterLabels_[5] = {&txt1, &txt2, &txt3, &txt4, &txt5};
    bool directRead_ = false; // direckt.ini was read whole
};

} // namespace launcher
