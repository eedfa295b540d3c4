#pragma once
// Every message and question of Scourix's main window, English and German side by side. The
// captions of its controls are in captions.cpp; those of its other windows beside each window.
#include <string>

#include "common/language/language.h"

namespace scourix::mainwindow::texts {

using lang::Text;

// Questions.
inline const Text kSaveOnExit{"save config now ?", "Konfiguration jetzt speichern ?"};
inline const Text kSaveOnClose{"save config now ?", "Konfiguration jetzt speichern?"};
inline const Text kSaveFirst{"Configuration must be save ! Save now ?",
                             "Konfiguration muss zuerst gespeichert werden! Jetzt speichern?"};
inline const Text kAddToFps{"add commandline to fps.txt ?", "Keyinfo's zur TXT hinzufügen ?"};
inline Text foundGame(const std::string& folder) {
    return {"Descent 3 found in:\n" + folder + "\n\nUse this folder?",
            "Descent 3 gefunden in:\n" + folder + "\n\nDiesen Ordner verwenden?"};
}

// The switch editor's input boxes and what it refuses.
inline const Text kNewKey{"insert the key without '-' !",
                          "Gebe einen neuen Key ein ! Ohne den normalen Bindestrich '-' !"};
inline const Text kNewKeyTitle{"new key..", "Neuer Key.."};
inline const Text kChangeKey{"insert the key without '-' !",
                             "Ändere den Key ! Ohne den normalen Bindestrich '-' !"};
inline const Text kChangeKeyTitle{"change key..", "Key ändern.."};
inline const Text kKeyWithQuote{
    "A key cannot contain a double quote (\"). Please type it without double quotes.",
    "Ein Key darf kein Anführungszeichen (\") enthalten. Bitte gib ihn ohne Anführungszeichen "
    "ein."};

// Pilots.
inline Text pilotNotCopied(const std::string& to, const std::string& from) {
    return {"The pilot file could not be copied to\n" + to + "\nIt stays in the game folder:\n" +
                from,
            "Die Pilotendatei konnte nicht kopiert werden nach\n" + to +
                "\nSie bleibt im Spielordner:\n" + from};
}
inline Text pilotNotRemoved(const std::string& from, const std::string& to) {
    return {"The pilot file could not be removed from the game folder:\n" + from +
                "\nIt stays there; a copy now also lies in\n" + to,
            "Die Pilotendatei konnte nicht aus dem Spielordner entfernt werden:\n" + from +
                "\nSie bleibt dort; eine Kopie liegt nun auch in\n" + to};
}

// The game settings page.
inline Text trackerTooLong(std::size_t login, std::size_t password) {
    const std::string l = std::to_string(login), p = std::to_string(password);
    return {"This edition of the game (Descent3.exe) can hold a user name of at most " + l +
                " and a password of at most " + p +
                " bytes (a character such as ü counts two). Please shorten them.",
            "Diese Ausgabe des Spiels (Descent3.exe) kann einen Benutzernamen von höchstens " + l +
                " und ein Passwort von höchstens " + p +
                " Bytes halten (ein Umlaut zählt zwei). Bitte kürze sie."};
}

// Shortcuts.
inline Text badShortcutName(const std::string& name) {
    return {"The shortcut name \"" + name +
                "\" cannot be used: a file name cannot hold \\ / : * ? \" < > | or control "
                "characters, nor be a device name such as CON or NUL",
            "Der Verknüpfungsname \"" + name +
                "\" geht nicht: ein Dateiname kann \\ / : * ? \" < > | und Steuerzeichen nicht "
                "enthalten und kein Gerätename wie CON oder NUL sein"};
}
inline const Text kShortcutExists{"shortcut exists already", "Verknüpfung besteht bereits"};
inline Text shortcutNotWritten(const std::string& file, const std::string& desktop) {
    const std::string where = desktop.empty() ? "" : " \"" + desktop + "\"";
    return {"The shortcut \"" + file + "\" could not be written to the desktop" + where + ".",
            "Die Verknüpfung \"" + file + "\" konnte nicht auf den Desktop" + where +
                " geschrieben werden."};
}

// The time test and the frame-rate log.
inline const Text kCannotStart{"ERROR ! Can't start Descent !",
                               "ERROR ! Descent kann nicht gestartet werden !"};
inline const Text kTimeTestWithout{"\nThe time test starts without:",
                                   "\nDer Zeittest startet ohne:"};
inline const Text kNoFps{"none fps.txt there !", "Keine fps.txt vorhanden !"};
inline const Text kNoTimeTest{
    "This edition of the game (Descent3.exe) has no time test and no fps.txt.",
    "Diese Ausgabe des Spiels (Descent3.exe) hat keinen Zeittest und keine fps.txt."};

// The settings files.
inline const char* const kBadIniFile = "Error !! No INI-File or bad INI-File !";
inline const char* const kNewFiles = "new files provide? ";
inline Text recoveryStuck(const std::string& file) {
    return {"The settings file\n" + file +
                "\nstill cannot be read after new files were written. Is it read-only, locked, "
                "or the disk full?\nScourix ends; the copies of your previous files (.bak) are "
                "kept.",
            "Die Einstellungsdatei\n" + file +
                "\nkann auch nach dem Anlegen neuer Dateien nicht gelesen werden. Ist sie "
                "schreibgeschützt, gesperrt oder der Datenträger voll?\nScourix wird beendet; "
                "Kopien deiner bisherigen Dateien (.bak) bleiben erhalten."};
}
// What the recovery did with the old files: the lists start with a line break each.
inline Text recovered(const std::string& kept, const std::string& left) {
    Text t;
    if (!kept.empty()) {
        t.en = "Your previous settings files were kept as copies beside them:" + kept;
        t.de = "Deine bisherigen Einstellungsdateien wurden als Kopie daneben aufbewahrt:" + kept;
    }
    if (!left.empty()) {
        t.en += std::string(t.en.empty() ? "" : "\n\n") +
                "These files could not be copied and were left as they were:" + left;
        t.de += std::string(t.de.empty() ? "" : "\n\n") +
                "Diese Dateien konnten nicht kopiert werden und blieben unverändert:" + left;
    }
    return t;
}
// The files that could not be written, each on a line of its own with a line break before it.
inline Text notWritten(const std::string& files) {
    return {"These settings files could not be written; each keeps its previous content:" + files +
                "\n\nIs the folder read-only or the disk full?",
            "Diese Einstellungsdateien konnten nicht geschrieben werden; sie behalten ihren "
            "bisherigen Inhalt:" +
                files + "\n\nIst der Ordner schreibgeschützt oder der Datenträger voll?"};
}

} // namespace scourix::mainwindow::texts
