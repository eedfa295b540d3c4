#include "config/tools/ordner.h"

#include <cctype>

#include "common/edition/edition.h"
#include "common/settings/keep_copy.h"
#include "config/mainwindow/main_window.h"
#include "config/mainwindow/taunt_preview.h"
#include "config/tools/tools.h"

namespace scourix {
namespace {

// A browse mode: its word, its window caption in both languages and, for the file modes, the
// pattern of the files it lists.
struct Mode {
    const char* word;
    const char* english;
    const char* german;
    const char* pattern; // empty for the folder modes
};

const Mode kModes[] = {
    {"d3", "search Descent 3.....", "Suche Descent 3.....", ""},
    {"sound", "search backup-path for taunt's.....", "Suche Sicherungspfad für die Taunts.....",
     ""},
    {"grafic", "search backup-path for shiplogo's.....",
     "Suche Sicherungspfad für die Schiffslogos.....", ""},
    {"logos", "select your shiplogo", "Wähle dein Schiffslogo", "*.ogf;*.oaf"},
    {"logos2", "select your shiplogo from backup", "Wähle dein Schiffslogo aus Sicherungspfad",
     "*.ogf;*.oaf"},
    {"player", "return your player.plt", "Bringe deine Piloten.plt zurück", "*.plt"},
    {"sounds", "select your taunt's", "Wähle deine Audiotaunts", "*.osf"},
    {"sounds2", "select your taunt's from backup", "Wähle deine Audiotaunts aus Sicherungspfad",
     "*.osf"},
};

const Mode* findMode(const std::string& word) {
    for (const Mode& m : kModes)
        if (word == m.word) return &m;
    return nullptr;
}

bool fileMode(const std::string& word) {
    const Mode* m = findMode(word);
    return m && *m->pattern;
}

bool sameDrive(const std::string& path, const std::string& drive) {
    return path.size() >= 2 && path[1] == ':' && !drive.empty() &&
           std::tolower(static_cast<unsigned char>(path[0])) ==
               std::tolower(static_cast<unsigned char>(drive[0]));
}

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

} // namespace

Ordner::Ordner(platform::Platform& p, MainWindow& main)
    : ui::Window("", 5400, 5055), p_(p), main_(main) {
    ownerWindow = &main;
    centred = true;

    // The two panels lie in the same place; the buttons stand in one row below them.
    Frame1.setBounds(120, 60, 5160, 4380);
    Laufwerk.setBounds(120, 240, 4920, 315);
    Verzeichnis.setBounds(120, 660, 4920, 3600);
    Frame2.setBounds(120, 60, 5160, 4380);
    File1.setBounds(120, 240, 4920, 4020);
    for (ui::Frame* f : {&Frame1, &Frame2}) f->setBackColour(backColour);
    int left = 120;
    for (auto [button, caption] : {std::pair{&OK, "ok"}, std::pair{&abbruch, "cancel"},
                                   std::pair{&player, "play"}, std::pair{&umbenen, "rename"}}) {
        button->setCaption(caption);
        button->setBounds(left, 4560, 1200, 375);
        left += 1320;
    }
    player.setEnabled(false);
    umbenen.setEnabled(false);

    Laufwerk.change = [this] { LaufwerkChange(); };
    File1.dblClick = [this] { File1DblClick(); };
    OK.click = [this] { OKClick(); };
    abbruch.click = [this] { close(); };

    preview_ = std::make_unique<TauntPreview>(p, Playerstart, Zeitaus);
    player.click = [this] { playerClick(); };
    umbenen.click = [this] { umbenenClick(); };
    Playerstart.tick = [this] { preview_->loading(main_.plaus.value() == 1); };
    Zeitaus.tick = [this] { ZeitausTick(); };
    wiederda.tick = [this] {
        wiederda.setEnabled(false);
        focus();
    };
}

Ordner::~Ordner() = default;

void Ordner::load() {
    mode_ = main_.dummy.text();
    german_ = toolsGerman(main_);
    abbruch.setCaption(german_ ? "abbruch" : "cancel");
    player.setCaption(german_ ? "abspielen" : "play");
    umbenen.setCaption(german_ ? "umbenennen" : "rename");

    const Mode* m = findMode(mode_);
    setCaption(!m ? "" : german_ ? m->german : m->english);
    const bool taunts = mode_ == "sounds" || mode_ == "sounds2";
    player.setEnabled(taunts);
    umbenen.setEnabled(taunts);
    show();

    if (!setUp())
        p_.dialogs.message(german_ ? "Falscher Descentpfad ! Bitte neu wählen !"
                                   : "wrong descent-path !select please again !",
                           platform::Buttons::Ok, platform::Icon::Critical);
}

bool Ordner::setUp() {
    const bool files = fileMode(mode_);
    // The file panel lies over the folder panel and hides it.
    Frame2.setVisible(files);
    Frame1.setVisible(!files);
    File1.clear();

    // As a newly created drive list: the current drive.
    quiet_ = true;
    Laufwerk.setDrive(p_.files.currentFolder());
    quiet_ = false;

    if (files) {
        const Mode* m = findMode(mode_);
        File1.pattern = m->pattern;
        const edition::Game game = main_.game();
        const std::string& own = game.dataFolders.front(); // where downloads land
        std::string folder = mode_ == "logos"    ? own + edition::kGraphics
                             : mode_ == "logos2" ? main_.graficsicherpath.text()
                             : mode_ == "player" ? game.pilotFolder + edition::kCustom
                             : mode_ == "sounds" ? own + edition::kSounds
                                                 : main_.soundssicherpath.text();
        if (folder.size() >= 2 && folder[1] == ':' &&
            !sameDrive(p_.files.currentFolder(), folder) &&
            !p_.files.setCurrentFolder(folder.substr(0, 2)))
            return false;
        if (!File1.setPath(folder)) return false;
    }
    return Verzeichnis.setPath(folderOn(Laufwerk.drive()));
}

std::string Ordner::folderOn(const std::string& drive) {
    std::string current = p_.files.currentFolder();
    // Without drive letters the "drive" is a folder: the current one where it lies there.
    if (ui::isRooted(drive))
        return ui::driveOf(p_.files.drives(), current) == drive ? current : drive;
    if (sameDrive(current, drive) || drive.empty()) return current;
    std::string root = drive.substr(0, 1) + ":\\";
    root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
    return root;
}

void Ordner::LaufwerkChange() {
    if (quiet_) return;
    if (Verzeichnis.setPath(folderOn(Laufwerk.drive()))) return;
    tell("The drive " + Laufwerk.drive() + " cannot be read.",
         "Das Laufwerk " + Laufwerk.drive() + " kann nicht gelesen werden.");
    // Back to the drive whose folders the list still shows.
    quiet_ = true;
    Laufwerk.setDrive(Verzeichnis.path());
    quiet_ = false;
}

void Ordner::File1DblClick() {
    if (player.enabled() && player.click) player.click();
}

void Ordner::OKClick() {
    if (!findMode(mode_)) return close();
    if (!fileMode(mode_)) {
        if (Verzeichnis.path().empty()) return p_.dialogs.beep();
        ui::TextBox& field = mode_ == "d3"      ? main_.d3path
                             : mode_ == "sound" ? main_.soundssicherpath
                                                : main_.graficsicherpath;
        field.setText(Verzeichnis.chosen());
        close();
        return;
    }
    if (File1.listIndex() == -1) return p_.dialogs.beep();

    const std::string own = main_.game().dataFolders.front();
    if (mode_ == "player") {
        returnPilot();
    } else if (mode_ == "logos2") {
        addCopies(main_.logo, own + edition::kGraphics);
    } else if (mode_ == "sounds2") {
        addCopies(main_.mysounds, own + edition::kSounds);
    } else {
        ui::ListBox& list = mode_ == "logos" ? main_.logo : main_.mysounds;
        for (int i = 0; i < File1.count(); ++i)
            if (File1.selected(i)) list.addItem(File1.item(i));
    }
    close();
}

void Ordner::addCopies(ui::ListBox& list, const std::string& target) {
    std::string failed;
    for (int i = 0; i < File1.count(); ++i) {
        if (!File1.selected(i)) continue;
        const std::string& name = File1.item(i);
        if (settings::copyOver(p_.files, File1.path() + "\\" + name, target + "\\" + name))
            list.addItem(name);
        else
            failed += "\n" + name;
    }
    if (!failed.empty())
        tell("These files could not be copied to " + quoted(target) +
                 " and were not added:" + failed,
             "Diese Dateien konnten nicht nach " + quoted(target) +
                 " kopiert werden und wurden nicht hinzugefügt:" + failed);
}

// The pilot goes back to the game folder; its file in \custom is deleted only once the copy is
// there whole, and the name is listed only when the game folder has the file.
void Ordner::returnPilot() {
    const std::string name = File1.item(File1.listIndex());
    const std::string from = File1.path() + "\\" + name;
    const std::string pilots = main_.game().pilotFolder;
    const std::string to = pilots + "\\" + name;
    if (!settings::copyOver(p_.files, from, to)) {
        tell("The pilot file " + quoted(name) + " could not be copied to " + quoted(pilots) +
                 ". It stays in " + quoted(File1.path()) + ".",
             "Die Pilotendatei " + quoted(name) + " konnte nicht nach " + quoted(pilots) +
                 " kopiert werden. Sie bleibt in " + quoted(File1.path()) + ".");
        return;
    }
    main_.pilotname.addItem(name.size() >= 4 ? name.substr(0, name.size() - 4) : "");
    if (!p_.files.remove(from))
        tell("The pilot file " + quoted(name) +
                 " was copied to the game folder, but could not "
                 "be deleted from " +
                 quoted(File1.path()) + ".",
             "Die Pilotendatei " + quoted(name) +
                 " wurde in den Spielordner kopiert, konnte aber nicht aus " +
                 quoted(File1.path()) + " gelöscht werden.");
}

void Ordner::tell(const std::string& english, const std::string& german) {
    p_.dialogs.message(german_ ? german : english, platform::Buttons::Ok,
                       platform::Icon::Exclamation);
}

// The taunts are played and renamed in the folder the list shows: the game's or the backup's.
void Ordner::playerClick() {
    const int i = File1.listIndex();
    if (i < 0 || main_.musip.text().empty()) return;
    preview_->start(File1.path() + "\\" + File1.item(i), main_.d3path.text(), main_.musip.text(),
                    german_ ? lang::Language::German : lang::Language::English);
}

// After the closing sequence the browser takes the focus back, for the next taunt.
void Ordner::ZeitausTick() {
    if (preview_->closing()) wiederda.setEnabled(true);
}

void Ordner::umbenenClick() {
    const int i = File1.listIndex();
    if (i < 0) return;
    const std::string old = File1.item(i);
    const std::string start = old.size() >= 4 ? old.substr(0, old.size() - 4) : "";
    std::string answer;
    for (;;) {
        answer = german_ ? p_.dialogs.input("Ohne .osf am ende...", "Umbenennen von...", start)
                         : p_.dialogs.input("without .osf", "rename...", start);
        if (answer.empty()) return;
        const std::string why = refusal(answer);
        if (why.empty()) break;
        p_.dialogs.message(why, platform::Buttons::Ok, platform::Icon::Critical);
    }
    const std::string folder = File1.path() + "\\";
    const std::string name = answer + ".osf";
    // The file system's rename never replaces a file: the old one stays when it fails.
    if (!p_.files.rename(folder + old, folder + name))
        tell("The taunt " + quoted(old) + " could not be renamed to " + quoted(name) +
                 ". It keeps its name.",
             "Der Taunt " + quoted(old) + " konnte nicht in " + quoted(name) +
                 " umbenannt werden. Er behält seinen Namen.");
    File1.refresh();
}

// The name is checked as it will be, with its ".osf": "v2." gives "v2..osf", a good name.
std::string Ordner::refusal(const std::string& answer) {
    const std::string name = answer + ".osf";
    // Taken: the name of a listed taunt, also when it differs only in letter case, which the
    // file system ignores.
    for (int i = 0; i < File1.count(); ++i)
        if (p_.files.sameName(File1.item(i), name))
            return german_ ? "Name bereits vergeben ! Bitte Neu eingeben !"
                           : "Name already assign! Enter please new!";
    if (platform::validFileName(name)) return "";
    return german_ ? quoted(name) + " kann kein Dateiname sein: Er darf weder \\ / : * ? \" < > | "
                                    "noch Steuerzeichen enthalten, nicht auf einen Punkt oder ein "
                                    "Leerzeichen enden und kein Gerätename wie CON oder NUL sein. "
                                    "Bitte neu eingeben !"
                   : quoted(name) + " cannot be a file name: it must not contain \\ / : * ? \" < "
                                    "> | or control characters, must not end with a dot or a "
                                    "blank, and must not be a device name such as CON or NUL. "
                                    "Enter please new!";
}

} // namespace scourix
