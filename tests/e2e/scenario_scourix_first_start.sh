#!/usr/bin/env bash
# Scourix's first start without settings files: the error, the question; Cancel ends it and
# writes nothing; OK writes the four first-run files and the window shows their defaults. A
# settings file that is short later brings the same recovery, and the old files are kept
# beside the new ones as .bak copies.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_first_start

make_scourix_folder
make_game_folder

first_boxes() { # ANSWER
    expect_box "Scourix - ERROR!!" "Error !! No INI-File or bad INI-File !" "OK" error OK
    expect_box "Scourix - ERROR!!" "new files provide? " "OK|Cancel" question "$1"
}

start_scourix
first_boxes Cancel
wait_scourix_end
assert_listing "$PROG" gatefire.exe scourix.exe

start_scourix
first_boxes OK
wait_main_window
assert_first_run_files
assert_listing "$PROG" gatefire.exe scourix.exe keys.ini logos.ini taunts.ini scourix.ini

# The defaults on screen: no game folder, so the panels and the action menu are not usable.
assert_ui d3path text ""
for c in keylist newkey logo logoplus mysounds pilotname usepilot delstad; do
    assert_ui "$c" enabled 0 "$c is usable without a game folder"
done
assert_ui d3pathbrowser enabled 1
assert_ui nologoaktion checked 1
assert_ui grafkill checked 0
assert_ui nosoundaktion checked 1
assert_ui usesoundssicheern checked 0
assert_ui graficsicherpath enabled 0 "backup folder usable without backup chosen"
assert_items keylist "deadzone0 0.0" "framecap 0" highvidmem nointro nomusic nosound nooutdoorfog \
    nooutragelogo nopentium3 norenderwindows nosparkles playermessages superlowmem \
    "useport 2092" vsync
assert_ui keylist selected "1,2,3,7,9,10" "active switches"
assert_items logo
assert_items mysounds
assert_ui Frame3 text shiplogos
assert_eq $'&action\tenabled=0 checked=0' "$(menu_entry 1)" "action menu without a game folder"
assert_eq $'english\tenabled=1 checked=1' "$(menu_entry 0/0/1)" "English marked"
assert_eq $'german\tenabled=1 checked=0' "$(menu_entry 0/0/0)" "German not marked"

# Closing without saving keeps the first-run files as they are.
drive close --window Scourix
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end
assert_first_run_files

# A scourix.ini that ends early, beside the player's other files: the same recovery, and each
# old file is kept as a copy.
write_lines "$PROG/scourix.ini" '"C:\Games\Descent3"' '""' '""' '"0"' '"1"' '"0"' '"1"' '"0"' \
    '"0"' 1 '"Ace"' '"2"' 0 '""'
write_keep_list "$PROG/logos.ini" MyShip.ogf
write_keep_list "$PROG/taunts.ini" Hello.osf Bye.osf
write_keys_ini 10 nointro vsync
snapshot old

start_scourix
first_boxes OK
expect_box scourix "Your previous settings files were kept as copies beside them:\\n$PROG_WIN\\keys.ini.bak\\n$PROG_WIN\\logos.ini.bak\\n$PROG_WIN\\taunts.ini.bak\\n$PROG_WIN\\scourix.ini.bak" \
    OK information OK
wait_main_window
assert_first_run_files
for f in keys.ini logos.ini taunts.ini scourix.ini; do
    assert_same_content "$SC_DIR/snap-old/$f" "$PROG/$f.bak" "$f kept as $f.bak"
done
assert_items mysounds
assert_ui d3path text ""

drive close --window Scourix
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
