#include "config/mainwindow/main_window.h"

namespace scourix {

// Every caption of the main window that depends on the interface language, English first.
// Captions not listed keep their design text in both languages.
void MainWindow::sprache() {
    struct Caption {
        ui::Control& control;
        const char* english;
        const char* german;
    };
    const Caption table[] = {
        {m44, "direct joint", "direkt teilnehmen"},
        {Label9, "shortcut name to Scourix", "Verknüpfungsname zu Scourix"},
        {Label7, "make a shortcut to Desktop", "Erstelle eine Verknüpfung zum Desktop"},
        {Label8, "shortcut name to Gatefire", "Verknüpfungsname zu Gatefire"},
        {verkc, "cancel", "abbrechen"},
        {m43, "start with Gatefire", "starte mit Gatefire"},
        {m4, "&extra", "&Extra"},
        {m41, "make a shortcut to Desktop", "Eine Verknüpfung zum Desktop erstellen"},
        {m42, "musictester path", "Musictester Pfad"},
        {Label1,
         "current Descent Version on this PC is  :", "Aktuelle D3 Version auf diesem PC ist  :"},
        {Frame9, "Language", "Sprache"},
        {Frame10, "Keyboard Type", "Tastaturtyp"},
        {keyus, "United States", "USA"},
        {keyfr, "French", "Französich"},
        {keyger, "German", "Deutsch"},
        {Frame7, "Internet Connection", "Internetverbindung"},
        {iconnone, "None", "Keine"},
        {icondialup, "Dialup , Networking", "DFÜ - Verbindung"},
        {iconlan, "Lan / Direct Connection , AOL", "Lan / Direkte Verbindung , AOL"},
        {Frame8, "Connection Speed", "Übertragungsgeschwindigkeit"},
        {csmodem, "56 K Modem", "56 K Modem"},
        {csisdn, "Singele Channel ISDN", "Einkanal ISDN"},
        {cscable, "Dual Channel ISDN , Cable Modems", "Doppelkanal ISDN , Kabelmodem"},
        {csfast, "ADSL , T1 , T3 etc", "ADSL , T1 , T3 etc"},
        {d3sichern, "ok", "ok"},
        {d3abbruch, "cancel", "abbrechen"},
        {m1, "&file", "&Datei"},
        {m11, "scourix language", "Scourix Sprache"},
        {m111, "german", "Deutsch"},
        {m112, "english", "Englisch"},
        {m3, "&info", "&Info"},
        {m15, "exit", "Beenden"},
        {m17, "save config", "Konfiguration speichern"},
        {m18, "Descent 3 Network etc", "Descent 3 Netzwerk usw."},
        {m2, "&action", "&Aktion"},
        {m21, "clean descent now", "Descent jetzt aufräumen"},
        {m22, "start descent now", "Descent jetzt starten"},
        {m23, "start timetest now", "Timetest jetzt starten"},
        {m24, "view fsp.txt", "fps.txt ansehen"},
        {Frame3, "shiplogos", "Schiffslogo"},
        {Frame4, "taunts", "Audio Taunts"},
        {Frame1, "pilot", "Piloten"},
        {Frame2, "command line switches", "Command Schalter"},
        {txt1, "descent path", "Descent Pfad"},
        {txt2, "my taunts", "Meine Audiotaunts"},
        {txt3, "my shiplogos", "Mein Schiffslogo"},
        {txt4, "keys", "Key's"},
        {txt5, "backup-path", "Sicherungspfad"},
        {txt6, "backup-path", "Sicherungspfad"},
        {txt7, "my pilotnames", "Meine Piloten Namen"},
        {nologoaktion, "no action", "Keine Aktion"},
        {grafkill, "delete other shiplogos", "Andere Schiffslogos löschen"},
        {usegraficsicher, "backup shiplogos", "Schiffslogos sichern"},
        {nosoundaktion, "no action", "Keine Aktion"},
        {soundkill, "delete other taunts", "Andere Audiotaunts löschen"},
        {usesoundssicheern, "backup sounds", "Audiotaunts sichern"},
        {usepilot, "use pilot", "Pilotennamen benutzen"},
        {delstad, "del *.stats files", "Lösche Stats-Dateien"},
        {delstadjetzt, "del *.stats-files now", "Lösche Stats-Dateien jetzt"},
        {Frame5, "stats-files", "Stats-Dateien"},
    };
    static_assert(sizeof(table) / sizeof(table[0]) == 60);
    for (const Caption& c : table)
        c.control.setCaption(lang::pick(language(), c.english, c.german));
    // Where the system plays taunts itself, the info entry of the sound tester tells about that.
    if (p_.sound.plays()) m31.setCaption(lang::tr(language(), "playing taunts"));
}

} // namespace scourix
