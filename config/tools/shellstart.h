#pragma once
#include <array>
#include <string>

#include "common/language/language.h"
#include "config/tools/tools.h"
#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

class Owner;

// The side-program list editor: five rows of program and start box, a browse panel with drive,
// folder and file lists, and "save", which writes shelllist.txt for Gatefire.
class Shellstart : public ui::Window {
  public:
    Shellstart(platform::Platform& p, Owner& owner);

    void load() override;

    // Slot i (0 to 4): the program's file name and its folder, as chosen or read.
    std::array<std::string, 5> sideFile, sideFolder;
    // The row being browsed, 1 to 5.
    int row() const { return row_; }

  private:
    platform::Platform& p_;
    Owner& owner_;

  public:
    // The browse panel comes first, so that it lies over the rows.
    ui::Frame brfenster{*this, "brfenster"};
    ui::DriveList Laufwerk{*this, "Laufwerk", p_.files, &brfenster};
    ui::DirList Verzeichnis{*this, "Verzeichnis", p_.files, &brfenster};
    ui::FileList File1{*this, "File1", p_.files, &brfenster};
    ui::Button brok{*this, "brok", &brfenster};
    ui::Button brabbruch{*this, "brabbruch", &brfenster};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label3{*this, "Label3"};
    ui::Button br1{*this, "br1"}, br2{*this, "br2"}, br3{*this, "br3"}, br4{*this, "br4"},
        br5{*this, "br5"};
    ui::TextBox pr1{*this, "pr1"}, pr2{*this, "pr2"}, pr3{*this, "pr3"}, pr4{*this, "pr4"},
        pr5{*this, "pr5"};
    ui::CheckBox a1{*this, "a1"}, a2{*this, "a2"}, a3{*this, "a3"}, a4{*this, "a4"},
        a5{*this, "a5"};
    ui::Button save{*this, "save"};

    const std::array<ui::Button*, 5> br{&br1, &br2, &br3, &br4, &br5};
    const std::array<ui::TextBox*, 5> pr{&pr1, &pr2, &pr3, &pr4, &pr5};
    const std::array<ui::CheckBox*, 5> a{&a1, &a2, &a3, &a4, &a5};

  private:
    // Reads shelllist.txt into the slots and start boxes; false when missing or short.
    bool readFile();
    void browse(int row);
    // Shows or hides the browse panel; the rows step aside while it is shown.
    void panel(bool show);
    void brokClick();
    std::string shown(int i) const;
    void takeTyped(int i);
    void saveClick();

    int row_ = 1;
    lang::Language language_ = lang::Language::English;
    // The lines a later version wrote after the five slots, kept on a save.
    std::string later_;
    bool keepFirst_ = false; // the list could not be read, nor kept as a copy yet
    BrowsePanel panel_;
};

} // namespace scourix
