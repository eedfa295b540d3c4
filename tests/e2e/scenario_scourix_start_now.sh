#!/usr/bin/env bash
# "start descent now": after the save-first question Scourix opens the real gatefire.exe from the
# program folder, minimizes itself and stays; Gatefire starts the game stand-in with the stored
# settings. Cancel starts nothing; No starts with the settings stored before, Yes with what
# the window shows. In German the question is German.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_start_now

make_scourix_folder
make_game_folder
put_files "$GAME" Ace.plt
write_default_settings UsePilot=1 PilotName=Ace
write_keys_ini 100 nointro "framecap 0" nosound

# wait_game: the game stand-in was started and Gatefire has closed its window.
wait_game() {
    wait_for_file "$GAME/launched.txt" 60
    drive wait-window --title Gatefire --gone --timeout 60000 || fail "Gatefire did not end"
}

start_scourix
wait_main_window
ui_click newkey --post
expect_input "new key.." "insert the key without '-' !" "" OK vsync
ui_select keylist --index 3 --add

ui_menu "&action/start descent now" --post
expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question Cancel
sleep 3
assert_missing "$GAME/launched.txt" "Cancel must start nothing"
drive wait-window --title Scourix || fail "main window gone"
assert_eq 0 "$(box_field minimized)" "main window minimized after Cancel"

ui_menu "&action/start descent now" --post
expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question No
wait_game
assert_eq "-Launched -pilot Ace -nointro " "$(launched cmdline)" "the game's command line after No"
assert_eq "$GAME_WIN" "$(launched cwd)" "the game's working folder"
scourix_running || fail "Scourix ended after start now"
drive wait-window --title Scourix || fail "main window gone after start now"
assert_eq 1 "$(box_field minimized)" "main window minimized after start now"
assert_eq '"***100"' "$(tail -n1 "$PROG/keys.ini" | tr -d '\r')" "No saves nothing"

rm "$GAME/launched.txt"
ui_menu "&action/start descent now" --post
expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question Yes
wait_game
assert_eq "-Launched -pilot Ace -nointro -vsync " "$(launched cmdline)" "the command line after Yes"

rm "$GAME/launched.txt"
ui_menu "&file/scourix language/german"
ui_select keylist --index 0 --off
ui_menu "&Aktion/Descent jetzt starten" --post
expect_box scourix "Konfiguration muss zuerst gespeichert werden! Jetzt speichern?" "Yes|No|Cancel" \
    question Yes
wait_game
assert_eq "-Launched -pilot Ace -vsync " "$(launched cmdline)" "the command line after Yes in German"

drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
