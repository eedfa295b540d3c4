#pragma once
// The installer's own texts (cmake/packaging/NSIS.template.in), in English, for the catalogues:
// each context names the installer's LangString that shows the text. The programs never show
// them; cmake/packaging/nsis-texts turns every catalogue's translations of them into the
// installer's LangStrings when the installer is packaged, so a translator edits them in po/ with
// the programs' texts. NSIS's own page texts come from NSIS's language files.
#include <array>

#include "common/language/language.h"

namespace lang {

inline const std::array<Message, 7> kInstallerTexts{
    textc("installer ProtectedFolder",
          "Scourix and Gatefire keep their settings files in their own program folder, and a "
          "folder below Program Files is not writable without administrator rights.\n\nChoose a "
          "folder of your own (the suggested one is), or make this folder writable for your "
          "account before you start Scourix.\n\nInstall into this folder anyway?"),
    // TRANSLATORS: {1} is the list of the player's files, one per line, each line beginning
    // with a line break.
    textc("installer ForeignFiles",
          "This folder holds files of your own with the names of files Setup would install:{1}\n\n"
          "Setup never replaces your files. Choose another folder, for example a new one of its "
          "own."),
    textc("installer OptionsTitle", "Shortcuts"),
    textc("installer OptionsSubtitle", "Scourix and Gatefire get Start-menu entries in any case."),
    textc("installer DesktopSection", "Desktop shortcuts to Scourix and Gatefire"),
    textc("installer RemoveSettings",
          "Also remove my settings files (keep lists, switches, side programs)"),
    // TRANSLATORS: {1} is the folder the programs are installed in.
    textc("installer KeepSettingsNote",
          "Your settings files stay in {1} unless you tick this box."),
};

} // namespace lang
