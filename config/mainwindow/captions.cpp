#include "config/mainwindow/main_window.h"

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
        {m44, mark("direct joint")},
        {Label9, mark("shortcut name to Scourix")},
        {Label8, mark("shortcut name to Gatefire")},
        {m43, mark("start with Gatefire")},
        {m4, mark("&extra")},
        {m42, mark("musictester path")},
        {Label1, mark("current Descent Version on this PC is  :")},
        {d3misc, mark("Misc.")},
        {Frame6, mark("PXO Login")},
        {Label3, mark("User Name")},
        {Label4, mark("Password")},
        {update, mark("download update")},
        {Frame9, mark("Language")},
        {Frame10, mark("Keyboard Type")},
        {keyus, mark("United States")},
        {Frame7, mark("Internet Connection")},
        {iconnone, mark("None")},
        {icondialup, mark("Dialup , Networking")},
        {iconlan, mark("Lan / Direct Connection , AOL")},
        {Frame8, mark("Connection Speed")},
        {csmodem, mark("56 K Modem")},
        {csisdn, mark("Singele Channel ISDN")},
        {cscable, mark("Dual Channel ISDN , Cable Modems")},
        {csfast, mark("ADSL , T1 , T3 etc")},
        {d3sichern, mark("ok")},
        {verkok, mark("ok")},
        {m1, mark("&file")},
        {m11, mark("scourix language")},
        {m111, mark("german")},
        {m112, mark("english")},
        {m113, mark("french")},
        {m114, mark("spanish")},
        {m115, mark("italian")},
        {m3, mark("&info")},
        {m15, mark("exit")},
        {m17, mark("save config")},
        {m18, mark("Descent 3 Network etc")},
        {m2, mark("&action")},
        {m21, mark("clean descent now")},
        {m22, mark("start descent now")},
        {m23, mark("start timetest now")},
        {m24, mark("view fsp.txt")},
        {Frame3, mark("shiplogos")},
        {Frame4, mark("taunts")},
        {Frame1, mark("pilot")},
        {Frame2, mark("command line switches")},
        {txt1, mark("descent path")},
        {txt2, mark("my taunts")},
        {txt3, mark("my shiplogos")},
        {txt4, mark("keys")},
        {txt5, mark("backup-path")},
        {txt6, mark("backup-path")},
        {txt7, mark("my pilotnames")},
        {nologoaktion, mark("no action")},
        {grafkill, mark("delete other shiplogos")},
        {usegraficsicher, mark("backup shiplogos")},
        {nosoundaktion, mark("no action")},
        {soundkill, mark("delete other taunts")},
        {usesoundssicheern, mark("backup sounds")},
        {usepilot, mark("use pilot")},
        {delstad, mark("del *.stats files")},
        {delstadjetzt, mark("del *.stats-files now")},
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
    // Where the system plays taunts itself, the info entry of the sound tester tells about that.
    if (p_.sound.plays()) m31.setCaption(lang::tr(l, "playing taunts"));
}

} // namespace scourix
