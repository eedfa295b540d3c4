#include "config/tools/sucher.h"

#include "config/tools/mt.h"
#include "config/tools/tools.h"

namespace scourix {

Sucher::Sucher(platform::Platform& p, Mt& mt)
    : ui::Window("", 330 * 15, 312 * 15), p_(p), mt_(mt),
      panel_(p.files, p.dialogs, language_, Drive1, Dir1, &File1) {
    ownerWindow = &mt;
    place(Drive1, 8, 8, 314, 21);
    place(Dir1, 8, 36, 314, 150);
    place(File1, 8, 192, 314, 80);
    place(Command1, 242, 280, 80, 24);

    Command1.click = [this] { Command1Click(); };
    Command1.isDefault = true;
}

void Sucher::load() {
    const bool musi = mt_.dummy.text() == "musi";
    language_ = mt_.owner().language();
    setCaption(musi ? lang::tr(language_, "search musictester.exe")
                    : lang::tr(language_, "suche musictester"));
    Command1.setCaption(lang::tr(language_, "ok"));
    File1.pattern = musi ? "Musictester.exe" : "*";

    const std::string folder = startFolder();
    const bool drive = panel_.setDrive(folder.substr(0, 2));
    if (!drive || !Dir1.setPath(folder))
        p_.dialogs.message(lang::tr(language_,
                                    "The folder {1} cannot be read. Please choose the drive and "
                                    "folder of MusicTester.exe.",
                                    {p_.host.shownPath(folder)}),
                           platform::Buttons::Ok, platform::Icon::Exclamation);
    show();
}

std::string Sucher::startFolder() const {
    const std::string game = mt_.owner().folder(Folder::Game);
    if (game.size() < 10) return game.empty() ? p_.files.currentFolder() : game;
    return game.substr(0, game.size() - 9);
}

void Sucher::Command1Click() {
    if (File1.count() == 0) return;
    if (mt_.dummy.text() == "musi") {
        const std::string& folder = Dir1.path();
        mt_.mtpfad.setText(folder + (!folder.empty() && folder.back() == '\\' ? "" : "\\") +
                           "MusicTester.exe");
    }
    close();
}

} // namespace scourix
