#pragma once
// Every message and question of Scourix's main window, in English; the catalogues translate them
// when they are shown. The captions of its controls are in captions.cpp; those of its other
// windows beside each window.
#include <string>

#include "common/language/language.h"

namespace scourix::mainwindow::texts {

using lang::Message;
using lang::text;
using lang::textc;

// Questions.
inline const Message kSaveOnExit = textc("on exit", "save config now ?");
inline const Message kSaveOnClose = textc("on close", "save config now ?");
inline const Message kSaveFirst = text("Configuration must be save ! Save now ?");
inline const Message kAddToFps = text("add commandline to fps.txt ?");
inline Message foundGame(const std::string& folder) {
    return text("Descent 3 found in:\n{1}\n\nUse this folder?", {folder});
}

// The switch editor's input boxes and what it refuses.
inline const Message kNewKey = textc("new key", "insert the key without '-' !");
inline const Message kNewKeyTitle = text("new key..");
inline const Message kChangeKey = textc("change key", "insert the key without '-' !");
inline const Message kChangeKeyTitle = text("change key..");
inline const Message kKeyWithQuote =
    text("A key cannot contain a double quote (\"). Please type it without double quotes.");

// Pilots.
inline Message pilotNotCopied(const std::string& to, const std::string& from) {
    return text("The pilot file could not be copied to\n{1}\nIt stays in the game folder:\n{2}",
                {to, from});
}
inline Message pilotNotRemoved(const std::string& from, const std::string& to) {
    return text("The pilot file could not be removed from the game folder:\n{1}\nIt stays "
                "there; a copy now also lies in\n{2}",
                {from, to});
}

// The game settings page.
inline Message trackerTooLong(std::size_t login, std::size_t password) {
    return text("This edition of the game (Descent3.exe) can hold a user name of at most {1} and "
                "a password of at most {2} bytes (a character such as ü counts two). Please "
                "shorten them.",
                {std::to_string(login), std::to_string(password)});
}

inline Message unknownLanguage(const std::string& typed, const std::string& languages) {
    return text("The game has no language \"{1}\". Please choose one from the list: {2}.",
                {typed, languages});
}

// Shortcuts.
inline Message badShortcutName(const std::string& name) {
    return text("The shortcut name \"{1}\" cannot be used: a file name cannot hold \\ / : * ? \" "
                "< > | or control characters, nor be a device name such as CON or NUL",
                {name});
}
inline const Message kShortcutExists = text("shortcut exists already");
inline Message shortcutNotWritten(const std::string& file, const std::string& desktop) {
    if (desktop.empty())
        return text("The shortcut \"{1}\" could not be written to the desktop.", {file});
    return text("The shortcut \"{1}\" could not be written to the desktop \"{2}\".",
                {file, desktop});
}

// The time test and the frame-rate log.
inline const Message kCannotStart = text("ERROR ! Can't start Descent !");
inline const Message kTimeTestWithout = text("\nThe time test starts without:");
inline const Message kNoFps = text("none fps.txt there !");

// The settings files; their error title.
inline const Message kErrorTitle = text("Scourix - ERROR!!");
inline const Message kBadIniFile = text("Error !! No INI-File or bad INI-File !");
inline const Message kNewFiles = text("new files provide? ");
inline Message recoveryStuck(const std::string& file) {
    return text("The settings file\n{1}\nstill cannot be read after new files were written. Is "
                "it read-only, locked, or the disk full?\nScourix ends; the copies of your "
                "previous files (.bak) are kept.",
                {file});
}
// What the recovery did with the old files: the lists start with a line break each.
inline std::string recovered(lang::Language l, const std::string& kept, const std::string& left) {
    std::string out;
    if (!kept.empty())
        out =
            lang::tr(l, "Your previous settings files were kept as copies beside them:{1}", {kept});
    if (!left.empty())
        out +=
            std::string(out.empty() ? "" : "\n\n") +
            lang::tr(l, "These files could not be copied and were left as they were:{1}", {left});
    return out;
}
// The files that could not be written, each on a line of its own with a line break before it.
inline Message notWritten(const std::string& files) {
    return text("These settings files could not be written; each keeps its previous "
                "content:{1}\n\nIs the folder read-only or the disk full?",
                {files});
}
// A keep list of more entries than its file can hold: `list` is its caption ("my taunts").
inline Message listTooLong(const std::string& list, const std::string& file) {
    return text("The list \"{1}\" has too many entries to be saved: \"{2}\" would be bigger than "
                "1 MiB, more than Scourix and Gatefire read. The file keeps its previous "
                "content; please remove entries and save again.",
                {list, file});
}

} // namespace scourix::mainwindow::texts
