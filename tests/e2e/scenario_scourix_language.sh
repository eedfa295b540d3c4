#!/usr/bin/env bash
# Scourix's interface language: German from the menu sets the German captions of the window and
# its menus (and the browser opened next speaks German); English brings back every caption as it
# was; French, Spanish and Italian come from the menu as well; the choice is saved as Language and
# the next start comes up in it. No caption is cut off and nothing lies on top of another in any
# of the five languages.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_language

make_scourix_folder
make_game_folder
write_default_settings
put_files "$GAME" Ace.plt

# Every control's name and caption, and every menu entry: what the player reads (the hidden
# field dummy carries the browse mode, not a caption).
captions() {
    drive layout --window Scourix >/dev/null || true
    grep '^control=' <<<"$DRIVER_OUT" | grep -v '^control=dummy	' | awk -F'\t' '{ print $1 "\t" $NF }'
    drive menu-state --window Scourix || fail "could not read the menu: $DRIVER_OUT"
    printf '%s\n' "$DRIVER_OUT"
}

start_scourix
wait_main_window
english=$(captions)
assert_ui Frame3 text shiplogos
assert_ui txt1 text "descent path"
assert_ui nologoaktion text "no action"
assert_ui delstadjetzt text "del *.stats-files now"
assert_ui usesoundssicheern text "backup sounds"
assert_ui keyus text "United States"
assert_ui Frame6 text "PXO Login"
assert_eq $'&file\tenabled=1 checked=0' "$(menu_entry 0)" "file menu"
assert_eq $'exit\tenabled=1 checked=0' "$(menu_entry 0/5)" "exit entry"
assert_eq $'clean descent now\tenabled=1 checked=0' "$(menu_entry 1/0)" "clean now entry"
assert_eq $'english\tenabled=1 checked=1' "$(menu_entry 0/0/1)" "English marked"
check_layout Scourix
screenshot scourix-main-en

ui_menu "&file/scourix language/german"
assert_ui Frame3 text Schiffslogo
assert_ui Frame4 text "Audio Taunts"
assert_ui txt1 text "Descent Pfad"
assert_ui txt4 text "Key's"
assert_ui nologoaktion text "Keine Aktion"
assert_ui grafkill text "Andere Schiffslogos löschen"
assert_ui delstadjetzt text "Lösche Stats-Dateien jetzt"
assert_ui usepilot text "Pilotennamen benutzen"
assert_ui keyus text USA
assert_ui Frame8 text "Übertragungsgeschwindigkeit"
assert_ui Frame6 text "PXO Login" "a caption without German text"
assert_ui logoplus text "+"
assert_eq $'&Datei\tenabled=1 checked=0' "$(menu_entry 0)" "file menu in German"
assert_eq $'Scourix Sprache\tenabled=1 checked=0' "$(menu_entry 0/0)" "language menu"
assert_eq $'Deutsch\tenabled=1 checked=1' "$(menu_entry 0/0/0)" "German marked"
assert_eq $'Englisch\tenabled=1 checked=0' "$(menu_entry 0/0/1)" "English not marked"
assert_eq $'Beenden\tenabled=1 checked=0' "$(menu_entry 0/5)" "exit in German"
assert_eq $'Konfiguration speichern\tenabled=1 checked=0' "$(menu_entry 0/4)" "save in German"
assert_eq $'&Aktion\tenabled=1 checked=0' "$(menu_entry 1)" "action menu in German"
assert_eq $'Descent jetzt aufräumen\tenabled=1 checked=0' "$(menu_entry 1/0)" "clean now in German"
assert_eq $'&Info\tenabled=1 checked=0' "$(menu_entry 3)" "info menu in German"
assert_eq $'Scourix\tenabled=1 checked=0' "$(menu_entry 3/2)" "a menu entry without German text"
check_layout Scourix
screenshot scourix-main-de

# The browser opened now takes German from the file menu.
ui_click pilothinzu
WIN="Bringe deine Piloten.plt zurück"
drive wait-window --title "$WIN" --timeout 10000 || fail "the German browser did not open"
assert_ui abbruch text abbruch
assert_ui player text abspielen
assert_ui umbenen text umbenennen
assert_ui OK text ok
check_layout "$WIN"
ui_click abbruch
WIN=Scourix

ui_menu "&Datei/Scourix Sprache/Englisch"
assert_eq "$english" "$(captions)" "every caption after switching back to English"
assert_eq $'german\tenabled=1 checked=0' "$(menu_entry 0/0/0)" "German not marked"

# French, Spanish and Italian, each chosen in the language before it: the entry checked alone,
# and nothing cut off, in the window nor on the game settings page.
menu="&file/scourix language"
for step in "french|&Fichier|langue de Scourix|2|français|Descent 3 réseau etc.|fr" \
    "espagnol|&Archivo|idioma de Scourix|3|español|Descent 3 red, etc.|es" \
    "italiano|&File|lingua di Scourix|4|italiano|Descent 3 rete ecc.|it"; do
    IFS='|' read -r entry file languages at name page code <<<"$step"
    ui_menu "$menu/$entry"
    assert_eq "$file"$'\tenabled=1 checked=0' "$(menu_entry 0)" "file menu in $code"
    assert_eq "$name"$'\tenabled=1 checked=1' "$(menu_entry 0/0/$at)" "$code marked"
    [[ "$(menu_entry 0/0/1)" == *checked=0 ]] || fail "English still marked in $code"
    assert_ui Frame3 text "$(catalogue_text "$code" shiplogos)"
    assert_ui delstadjetzt text "$(catalogue_text "$code" "del *.stats-files now")"
    check_layout Scourix
    screenshot scourix-main-$code
    ui_menu "$file/$page"
    check_layout Scourix
    screenshot scourix-page-$code
    ui_click d3abbruch
    menu="$file/$languages"
done
ui_menu "$menu/inglese"
# The page read the game's language and version meanwhile; every caption is English again.
page_values() { grep -v -e '^control=d3sprache	' -e '^control=d3version	'; }
assert_eq "$(page_values <<<"$english")" "$(captions | page_values)" \
    "every caption after coming back to English from Italian"

# Saved in German, the next start is German.
ui_menu "&file/scourix language/german"
ui_menu "&Datei/Konfiguration speichern"
assert_eq '"1"' "$(sed -n 12p "$PROG/scourix.ini" | tr -d '\r')" "Language saved as German"
drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

start_scourix
wait_main_window
assert_ui Frame3 text Schiffslogo
assert_eq $'Deutsch\tenabled=1 checked=1' "$(menu_entry 0/0/0)" "German marked at load"

# Switched back to English but closed without saving: the next start is German again.
ui_menu "&Datei/Scourix Sprache/Englisch"
drive close --window Scourix
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end
start_scourix
wait_main_window
assert_ui Frame3 text Schiffslogo "language after closing with No"
drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question Cancel
assert_ui Frame3 text Schiffslogo "window after Cancel"
drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
