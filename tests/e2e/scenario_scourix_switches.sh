#!/usr/bin/env bash
# The switch editor through Scourix's input boxes, in English and in German: a new switch joins
# the list inactive; Cancel and an empty answer change nothing; a switch with a double quote that
# keys.ini cannot keep is refused and asked for again; a changed switch keeps its place and its
# active state; "-" removes the current line. Saving writes keys.ini with the flags of the selection.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_switches

make_scourix_folder
make_game_folder
write_default_settings
write_keys_ini 101 nointro "framecap 0" nosound

start_scourix
wait_main_window
assert_items keylist nointro "framecap 0" nosound
assert_ui keylist selected "0,2" "active switches from the flags"

EN_PROMPT="insert the key without '-' !"
ui_click newkey --post
expect_input "new key.." "$EN_PROMPT" "" OK "useport 2092"
assert_items keylist nointro "framecap 0" nosound "useport 2092"
assert_ui keylist selected "0,2" "a new switch is inactive"

ui_click newkey --post
expect_input "new key.." "$EN_PROMPT" "" Cancel "vsync"
ui_click newkey --post
expect_input "new key.." "$EN_PROMPT" "" OK ""
assert_items keylist nointro "framecap 0" nosound "useport 2092"

# A double quote keys.ini cannot keep (one at the start): the box says so and asks again, with
# the refused text.
ui_click newkey --post
expect_input "new key.." "$EN_PROMPT" "" OK '"say hi"'
expect_box scourix 'A key cannot contain a double quote ("). Please type it without double quotes.' \
    OK warning OK
expect_input "new key.." "$EN_PROMPT" '"say hi"' OK "nomusic"
assert_items keylist nointro "framecap 0" nosound "useport 2092" nomusic

# Change the active first switch: its text changes, it stays active and in its place.
ui_select keylist --index 0 --add
assert_ui keylist current 0
ui_click keyanders --post
expect_input "change key.." "$EN_PROMPT" nointro OK nooutragelogo
assert_items keylist nooutragelogo "framecap 0" nosound "useport 2092" nomusic
assert_ui keylist selected "0,2" "a changed switch keeps its state"
ui_click keyanders --post
expect_input "change key.." "$EN_PROMPT" nooutragelogo Cancel "other"
assert_items keylist nooutragelogo "framecap 0" nosound "useport 2092" nomusic

# Remove the current line: select "framecap 0" (now active) and take it out.
ui_select keylist --index 1 --add
ui_click keyloschen
assert_items keylist nooutragelogo nosound "useport 2092" nomusic
assert_ui keylist selected "0,1" "states after removing a line"

# German boxes.
ui_menu "&file/scourix language/german"
ui_click newkey --post
expect_input "Neuer Key.." "Gebe einen neuen Key ein ! Ohne den normalen Bindestrich '-' !" "" OK \
    'a,"b'
expect_box scourix 'Ein Key darf kein Anführungszeichen (") enthalten. Bitte gib ihn ohne Anführungszeichen ein.' \
    OK warning OK
expect_input "Neuer Key.." "Gebe einen neuen Key ein ! Ohne den normalen Bindestrich '-' !" 'a,"b' \
    OK "-vsync"
assert_items keylist nooutragelogo nosound "useport 2092" nomusic "-vsync"
ui_select keylist --index 2 --add
ui_click keyanders --post
expect_input "Key ändern.." "Ändere den Key ! Ohne den normalen Bindestrich '-' !" "useport 2092" OK \
    "useport 2093"
assert_ui keylist selected "0,1,2"

ui_menu "&Datei/Konfiguration speichern"
expect_no_box
assert_bytes "$PROG/keys.ini" \
    '"nooutragelogo"\r\n"nosound"\r\n"useport 2093"\r\n"nomusic"\r\n"-vsync"\r\n"***11100"\r\n' \
    "saved switches and flags"

# Removing every switch saves the flags line alone.
for _ in 1 2 3 4 5; do
    ui_select keylist --index 0 --add
    ui_click keyloschen
done
assert_items keylist
ui_menu "&Datei/Konfiguration speichern"
assert_bytes "$PROG/keys.ini" '"***"\r\n' "an empty switch list"

drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
