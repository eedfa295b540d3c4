#pragma once
#include "common/cleaning/cleaning.h"

namespace launcher {

// The launcher window: a round picture window that reads the settings, writes the game's
// registry values, cleans the custom folders, starts the side programs and the game, and closes.
class Anzeiger : public cleaning::CleaningWindow {
  public:
    explicit Anzeiger(platform::Platform& p);

    void load() override;

    // Start-up steps and the cleaning sequence's steps.
    void ipstart();
    void regeintraege();
    void statswech();
    void shellstart();
    void roundwindow();

    ui::Label Label3{*this, "Label3"};
    ui::Label txt5{*this, "txt5"};
    ui::Label Label4{*this, "Label4"};
    ui::Image Image1{*this, "Image1"};
    ui::FileList statsfiles{*this, "statsfiles", p_.files, &Frame1};
    ui::ListBox List1{*this, "List1", &Frame1};
    ui::ListBox keylist{*this, "keylist", &Frame1, true};

    // The direct-join request as read at start-up.
    settings::DirecktIni direct;

  private:
    void putzstartTick();
    void fileError(settings::Problem problem, const std::string& fileName, bool languageKnown);
    void pathError();
    void argumentsLeftOut(const std::vector<std::string>& parts);
    void gameRunning();
    // Shows a message of the launcher's own, when there is one.
    void tell(const std::string& text);
    std::vector<std::string> statsFolders_;
    std::string flags_;
    bool directRead_ = false; // direckt.ini was read whole
};

} // namespace launcher
