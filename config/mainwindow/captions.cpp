#include "config/mainwindow/main_window.h"

namespace scourix {

// Every caption of the main window that depends on the interface language, German first.
// Captions not listed keep their design text in both languages.
void MainWindow::sprache() {
    struct Caption {
        ui::Control& control;
        const char* german;
        const char* english;
    };
    const Caption table[] = {
        {m44, "direkt teilnehmen", "direct joint"},
        {Label9, "Verknüpfungsname zu Scourix", "shortcut name to Scourix"},
        {Label7, "Erstelle eine Verknüpfung zum Desktop", "make a shortcut to Desktop"},
        {Label8, "Verknüpfungsname zu Gatefire", "shortcut name to Gatefire"},
        {verkc, "abbrechen", "cancel"},
        {m43, "starte mit Gatefire", "start with Gatefire"},
        {m4, "&Extra", "&extra"},
        {m41, "Eine Verknüpfung zum Desktop erstellen", "make a shortcut to Desktop"},
        {m42, "Musictester Pfad", "musictester path"},
        {Label1,
         "Aktuelle D3 Version auf diesem PC ist  :", "current Descent Version on this PC is  :"},
        {Frame9, "Sprache", "Language"},
        {Frame10, "Tastaturtyp", "Keyboard Type"},
        {keyus, "USA", "United States"},
        {keyfr, "Französich", "French"},
        {keyger, "Deutsch", "German"},
        {Frame7, "Internetverbindung", "Internet Connection"},
        {iconnone, "Keine", "None"},
        {icondialup, "DFÜ - Verbindung", "Dialup , Networking"},
        {iconlan, "Lan / Direkte Verbindung , AOL", "Lan / Direct Connection , AOL"},
        {Frame8, "Übertragungsgeschwindigkeit", "Connection Speed"},
        {csmodem, "56 K Modem", "56 K Modem"},
        {csisdn, "Einkanal ISDN", "Singele Channel ISDN"},
        {cscable, "Doppelkanal ISDN , Kabelmodem", "Dual Channel ISDN , Cable Modems"},
        {csfast, "ADSL , T1 , T3 etc", "ADSL , T1 , T3 etc"},
        {d3sichern, "ok", "ok"},
        {d3abbruch, "abbrechen", "cancel"},
        {m1, "&Datei", "&file"},
        {m11, "Scourix Sprache", "scourix language"},
        {m111, "Deutsch", "german"},
        {m112, "Englisch", "english"},
        {m3, "&Info", "&info"},
        {m15, "Beenden", "exit"},
        {m17, "Konfiguration speichern", "save config"},
        {m18, "Descent 3 Netzwerk usw.", "Descent 3 Network etc"},
        {m2, "&Aktion", "&action"},
        {m21, "Descent jetzt aufräumen", "clean descent now"},
        {m22, "Descent jetzt starten", "start descent now"},
        {m23, "Timetest jetzt starten", "start timetest now"},
        {m24, "fps.txt ansehen", "view fsp.txt"},
        {Frame3, "Schiffslogo", "shiplogos"},
        {Frame4, "Audio Taunts", "taunts"},
        {Frame1, "Piloten", "pilot"},
        {Frame2, "Command Schalter", "command line switches"},
        {txt1, "Descent Pfad", "descent path"},
        {txt2, "Meine Audiotaunts", "my taunts"},
        {txt3, "Mein Schiffslogo", "my shiplogos"},
        {txt4, "Key's", "keys"},
        {txt5, "Sicherungspfad", "backup-path"},
        {txt6, "Sicherungspfad", "backup-path"},
        {txt7, "Meine Piloten Namen", "my pilotnames"},
        {nologoaktion, "Keine Aktion", "no action"},
        {grafkill, "Andere Schiffslogos löschen", "delete other shiplogos"},
        {usegraficsicher, "Schiffslogos sichern", "backup shiplogos"},
        {nosoundaktion, "Keine Aktion", "no action"},
        {soundkill, "Andere Audiotaunts löschen", "delete other taunts"},
        {usesoundssicheern, "Audiotaunts sichern", "backup sounds"},
        {usepilot, "Pilotennamen benutzen", "use pilot"},
        {delstad, "Lösche Stats-Dateien", "del *.stats files"},
        {delstadjetzt, "Lösche Stats-Dateien jetzt", "del *.stats-files now"},
        {Frame5, "Stats-Dateien", "stats-files"},
    };
    static_assert(sizeof(table) / sizeof(table[0]) == 60);
    const bool de = german();
    for (const Caption& c : table) c.control.setCaption(de ? c.german : c.english);
}

} // namespace scourix
