#include "config/tools/sucher.h"

#include "config/tools/tools.h"

namespace scourix {

Sucher::Sucher(platform::Platform& p, ui::Window& window, Owner& owner,
               std::function<void(const std::string&)> found)
    : ui::Window("", 330 * 15, 312 * 15), p_(p), owner_(owner), found_(std::move(found)),
      panel_(p.files, p.dialogs, language_, Drive1, Dir1, &File1) {
    ownerWindow = &window;
    place(Drive1, 8, 8, 314, 21);
    place(Dir1, 8, 36, 314, 150);
    place(File1, 8, 192, 314, 80);
    place(Command1, 242, 280, 80, 24);

    Command1.click = [this] { Command1Click(); };
    Command1.isDefault = true;
}

void Sucher::load() {
    language_ = owner_.language();
    setCaption(lang::tr(language_, "search musictester.exe"));
    setCaptions(language_, {{Command1, lang::mark("ok")}});
    File1.pattern = "Musictester.exe";

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
    const std::string game = owner_.folder(Folder::Game);
    if (game.size() < 10) return game.empty() ? p_.files.currentFolder() : game;
    return game.substr(0, game.size() - 9);
}

void Sucher::Command1Click() {
    if (File1.count() == 0) return;
    const std::string& folder = Dir1.path();
    found_(folder + (!folder.empty() && folder.back() == '\\' ? "" : "\\") + "MusicTester.exe");
    close();
}

} // namespace scourix
