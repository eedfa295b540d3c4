#!/usr/bin/env bash
# "make a shortcut to Desktop": the panel locks the window's menus and panels; "ok" puts real
# shortcuts to gatefire.exe and scourix.exe on the desktop shared by all users, which the
# shell's link object resolves to the programs, and closes the panel. A second "ok" overwrites
# nothing: one message for each, and the panel stays open. A name a file name cannot hold is
# refused in the player's language.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_shortcuts

make_scourix_folder
make_game_folder
write_default_settings
DESKTOP=$C_DRIVE/users/Public/Desktop

start_scourix
wait_main_window
ui_menu "&extra/make a shortcut to Desktop"
assert_ui verknupf visible 1 "the shortcut panel"
assert_ui cle text Scourix
assert_ui cstart text Gatefire
assert_ui Label7 text "make a shortcut to Desktop"
assert_eq "&file	enabled=0 checked=0" "$(menu_entry 0 | sed 's/ id=[0-9]*//')" "file menu while the panel is open"
assert_ui Frame1 enabled 0
screenshot scourix-shortcuts

ui_click verkok
assert_ui verknupf visible 0 "the panel after both shortcuts were made"
assert_file_exists "$DESKTOP/Gatefire.lnk"
assert_file_exists "$DESKTOP/Scourix.lnk"
assert_eq 'C:\Gatefire\gatefire.exe' "$(link_target 'C:\users\Public\Desktop\Gatefire.lnk')" \
    "Gatefire's shortcut"
assert_eq 'C:\Gatefire\scourix.exe' "$(link_target 'C:\users\Public\Desktop\Scourix.lnk')" \
    "Scourix's shortcut"
cp "$DESKTOP/Scourix.lnk" "$SC_DIR/scourix-link"

# Again: both exist, two messages, nothing replaced, the panel stays.
ui_menu "&extra/make a shortcut to Desktop"
ui_click verkok --post
expect_box scourix "shortcut exists already" OK information OK
expect_box scourix "shortcut exists already" OK information OK
assert_ui verknupf visible 1 "the panel after existing shortcuts"
assert_same_content "$SC_DIR/scourix-link" "$DESKTOP/Scourix.lnk" "the existing shortcut"
ui_click verkc
assert_ui verknupf visible 0 "cancel closes the panel"
assert_ui Frame1 enabled 1

# German: a name with a colon is refused, the panel stays open and nothing is written.
ui_menu "&file/scourix language/german"
ui_menu "&Extra/Eine Verknüpfung zum Desktop erstellen"
assert_ui Label9 text "Verknüpfungsname zu Scourix"
assert_ui verkc text abbrechen
screenshot scourix-shortcuts-de
ui_settext cle "Scourix: neu"
ui_click verkok --post
expect_box scourix 'Der Verknüpfungsname "Scourix: neu" geht nicht: ein Dateiname kann \ / : * ? " < > | und Steuerzeichen nicht enthalten und kein Gerätename wie CON oder NUL sein' \
    OK warning OK
assert_ui verknupf visible 1 "the panel after a bad name"
assert_listing "$DESKTOP" Gatefire.lnk Scourix.lnk
ui_settext cle "Scourix neu"
ui_click verkok --post
expect_box scourix "Verknüpfung besteht bereits" OK information OK
assert_ui verknupf visible 0 "the panel after the new shortcut"
assert_eq 'C:\Gatefire\scourix.exe' "$(link_target 'C:\users\Public\Desktop\Scourix neu.lnk')" \
    "the shortcut with the new name"

drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
