#include "config/tools/sucher.h"

#include <cctype>

#include "config/mainwindow/main_window.h"
#include "config/tools/mt.h"
#include "config/tools/tools.h"

namespace scourix {
namespace {

bool sameDrive(const std::string& path, const std::string& drive) {
    return path.size() >= 2 && path[1] == ':' && !drive.empty() &&
           std::tolower(static_cast<unsigned char>(path[0])) ==
               std::tolower(static_cast<unsigned char>(drive[0]));
}

} // namespace

Sucher::Sucher(platform::Platform& p, Mt& mt)
    : ui::Window("suche musictester", 330 * 15, 312 * 15), p_(p), mt_(mt) {
    ownerWindow = &mt;
    place(Drive1, 8, 8, 314, 21);
    place(Dir1, 8, 36, 314, 150);
    place(File1, 8, 192, 314, 80);
    place(Command1, 242, 280, 80, 24);
    Command1.setCaption("ok");

    Drive1.change = [this] { Drive1Change(); };
    Dir1.change = [this] { File1.setPath(Dir1.path()); };
    Command1.click = [this] { Command1Click(); };
}

void Sucher::load() {
    const bool musi = mt_.dummy.text() == "musi";
    german_ = toolsGerman(mt_.main());
    if (musi) setCaption(german_ ? "suche musictester.exe" : "search musictester.exe");
    File1.pattern = musi ? "Musictester.exe" : "*";

    const std::string folder = startFolder();
    quiet_ = true;
    const bool drive = Drive1.setDrive(folder.substr(0, 2));
    quiet_ = false;
    if (!drive || !Dir1.setPath(folder))
        tell("The folder " + folder +
                 " cannot be read. Please choose the drive and folder of "
                 "MusicTester.exe.",
             "Der Ordner " + folder +
                 " kann nicht gelesen werden. Bitte wähle Laufwerk und "
                 "Ordner von MusicTester.exe.");
    show();
}

std::string Sucher::startFolder() const {
    const std::string& game = mt_.main().d3path.text();
    if (game.size() < 10) return game.empty() ? p_.files.currentFolder() : game;
    return game.substr(0, game.size() - 9);
}

std::string Sucher::folderOn(const std::string& drive) {
    std::string current = p_.files.currentFolder();
    if (sameDrive(current, drive) || drive.empty()) return current;
    std::string root = drive.substr(0, 1) + ":\\";
    root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
    return root;
}

void Sucher::Drive1Change() {
    if (quiet_) return;
    if (Dir1.setPath(folderOn(Drive1.drive()))) return;
    tell("The drive " + Drive1.drive() + " cannot be read.",
         "Das Laufwerk " + Drive1.drive() + " kann nicht gelesen werden.");
    // Back to the drive whose folders the list still shows.
    quiet_ = true;
    if (!Dir1.path().empty()) Drive1.setDrive(Dir1.path());
    quiet_ = false;
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

void Sucher::tell(const std::string& english, const std::string& german) {
    p_.dialogs.message(german_ ? german : english, platform::Buttons::Ok,
                       platform::Icon::Exclamation);
}

} // namespace scourix
