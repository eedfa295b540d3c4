#include "config/mainwindow/main_window.h"

#include "config/tools/taunt_preview.h"

namespace scourix {

// Every caption of the main window that a player reads, in the interface language; the menus
// take theirs only from here. Names (Scourix, MusicTester) and the buttons "+", "-", "...",
// ">" keep their design text.
void MainWindow::sprache() {
    using lang::mark;
    struct Caption {
        ui::Control& control;
        const char* english;
    };
    const Caption table[] = {
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
        {m111, mark("german")},
        {m112, mark("english")},
        {m113, mark("french")},
        {m114, mark("spanish")},
        {m115, mark("italian")},
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
        // TRANSLATORS: Check box: start the game with the pilot chosen above.
        {usepilot, mark("use pilot")},
        {delstad, mark("del *.stats files")},
        {delstadjetzt, mark("del *.stats-files now")},
        // TRANSLATORS: Frame: the game's statistics files (*.stats) of network games.
        {Frame5, mark("stats-files")},
    };
    const lang::Language l = language();
    for (const Caption& c : table) c.control.setCaption(lang::tr(l, c.english));
    // Equal English, different words: the panel's title and the menu entry; the two buttons
    // that close a panel; the keyboard types, which are not the interface languages.
    Label7.setCaption(lang::trc(l, "shortcut panel", "make a shortcut to Desktop"));
    m41.setCaption(lang::trc(l, "menu", "make a shortcut to Desktop"));
    verkc.setCaption(lang::trc(l, "main window", "cancel"));
    d3abbruch.setCaption(lang::trc(l, "main window", "cancel"));
    keyfr.setCaption(lang::trc(l, "keyboard", "French"));
    keyger.setCaption(lang::trc(l, "keyboard", "German"));
    // Where the system plays taunts itself and no tester is offered, the info entry of the sound
    // tester tells about that.
    if (!TauntPreview::testerOffered(p_)) m31.setCaption(lang::tr(l, "playing taunts"));
}

} // namespace scourix
