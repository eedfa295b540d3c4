#include "config/mainwindow/main_window.h"

#include "config/tools/taunt_preview.h"

namespace scourix {

void MainWindow::sprache() {
    setCaptions(language(), captionTable());
}

// Every caption of the main window that a player reads; the menus take theirs only from here.
// Names (Scourix, MusicTester) and the buttons "+", "-", "...", ">" keep their design text.
std::vector<Caption> MainWindow::captionTable() {
    using lang::mark;
    using lang::textc;
    std::vector<Caption> table{
        // TRANSLATORS: Menu "extra": opens the window that takes the game straight into a server.
        {m44, mark("direct joint")},
        {Label9, mark("shortcut name to Scourix")},
        {Label8, mark("shortcut name to Gatefire")},
        // TRANSLATORS: Menu "extra": opens the list of side programs Gatefire starts with the game.
        {m43, mark("start with Gatefire")},
        // TRANSLATORS: Menu bar; "&" marks the access key, which must differ from the other menus'.
        {m4, mark("&extra")},
        // TRANSLATORS: Menu "extra": where the sound tester program (MusicTester) is.
        {m42, mark("musictester path")},
        // TRANSLATORS: Game settings page: the game's version follows.
        {Label1, mark("current Descent Version on this PC is  :")},
        // TRANSLATORS: Title of the game settings page (login, keyboard, connection).
        {d3misc, mark("Misc.")},
        // TRANSLATORS: The login to the game's online service and server tracker (PXO).
        {Frame6, mark("PXO Login")},
        {Label3, mark("User Name")},
        {Label4, mark("Password")},
        // TRANSLATORS: Button: opens the game's download page in the web browser.
        {update, mark("download update")},
        // TRANSLATORS: The language of the game itself (not of Scourix).
        {Frame9, mark("Language")},
        {Frame10, mark("Keyboard Type")},
        {keyus, mark("United States")},
        {Frame7, mark("Internet Connection")},
        // TRANSLATORS: Internet connection: none.
        {iconnone, mark("None")},
        {icondialup, mark("Dialup , Networking")},
        {iconlan, mark("Lan / Direct Connection , AOL")},
        {Frame8, mark("Connection Speed")},
        {csmodem, mark("56 K Modem")},
        {csisdn, mark("Singele Channel ISDN")},
        {cscable, mark("Dual Channel ISDN , Cable Modems")},
        {csfast, mark("ADSL , T1 , T3 etc")},
        // TRANSLATORS: Button that saves the game settings page.
        {d3sichern, mark("ok")},
        {verkok, mark("ok")},
        // TRANSLATORS: Menu bar; "&" marks the access key, which must differ from the other menus'.
        {m1, mark("&file")},
        {m11, mark("scourix language")},
        // TRANSLATORS: Menu bar; "&" marks the access key, which must differ from the other menus'.
        {m3, mark("&info")},
        {m15, mark("exit")},
        {m17, mark("save config")},
        // TRANSLATORS: Menu "file": opens the game settings page (login, keyboard, connection).
        {m18, mark("Descent 3 Network etc")},
        // TRANSLATORS: Menu bar; "&" marks the access key, which must differ from the other menus'.
        {m2, mark("&action")},
        // TRANSLATORS: Menu "action": removes or backs up the other pilots' taunts and logos now.
        {m21, mark("clean descent now")},
        {m22, mark("start descent now")},
        // TRANSLATORS: Menu "action": starts the retail game's benchmark run (-timetest), which
        // writes fps.txt.
        {m23, mark("start timetest now")},
        // TRANSLATORS: Menu "action": shows the benchmark's log file fps.txt.
        {m24, mark("view fsp.txt")},
        // TRANSLATORS: Frame: the pictures pilots show on their ships (ship logos).
        {Frame3, mark("shiplogos")},
        // TRANSLATORS: Frame: the short sound files pilots send each other in a game (taunts).
        {Frame4, mark("taunts")},
        {Frame1, mark("pilot")},
        // TRANSLATORS: Frame: the switches the game is started with (-nointro, ...).
        {Frame2, mark("command line switches")},
        // TRANSLATORS: The game folder.
        {txt1, mark("descent path")},
        // TRANSLATORS: The player's own taunts: they are kept, all others are cleaned.
        {txt2, mark("my taunts")},
        // TRANSLATORS: The player's own ship logos: they are kept, all others are cleaned.
        {txt3, mark("my shiplogos")},
        // TRANSLATORS: Title of the list of command-line switches (not keyboard keys).
        {txt4, mark("keys")},
        // TRANSLATORS: The folder the other pilots' files are moved to.
        {txt5, mark("backup-path")},
        {txt6, mark("backup-path")},
        {txt7, mark("my pilotnames")},
        // TRANSLATORS: What to do with the other pilots' files: nothing.
        {nologoaktion, mark("no action")},
        {grafkill, mark("delete other shiplogos")},
        // TRANSLATORS: Move the other pilots' ship logos to the backup folder.
        {usegraficsicher, mark("backup shiplogos")},
        {nosoundaktion, mark("no action")},
        {soundkill, mark("delete other taunts")},
        // TRANSLATORS: Move the other pilots' taunts to the backup folder.
        {usesoundssicheern, mark("backup sounds")},
        {delstadjetzt, mark("del *.stats-files now")},
        // TRANSLATORS: Frame: the game's statistics files (*.stats) of network games.
        {Frame5, mark("stats-files")},
        // Equal English, different words: the panel's title and the menu entry; the two buttons
        // that close a panel; the keyboard types, which are not the interface languages.
        {Label7, textc("shortcut panel", "make a shortcut to Desktop")},
        {m41, textc("menu", "make a shortcut to Desktop")},
        {verkc, textc("main window", "cancel")},
        {d3abbruch, textc("main window", "cancel")},
        {keyfr, textc("keyboard", "French")},
        {keyger, textc("keyboard", "German")},
    };
    for (const auto& row : settings::kScourixRows)
        if (row.caption) table.push_back({control(row.control), row.caption});
    for (std::size_t i = 0; i < languages_.size(); ++i)
        table.push_back({*languageEntries[i], languages_[i].name});
    // Where the system plays taunts itself and no tester is offered, the info entry of the sound
    // tester tells about that.
    if (!TauntPreview::testerOffered(p_)) table.push_back({m31, mark("playing taunts")});
    return table;
}

} // namespace scourix
