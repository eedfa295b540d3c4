#!/usr/bin/env bash
# A new player of the retail game under Wine, from Scourix's first start: a fresh prefix, the
# game folder as its installer leaves it (Main.exe, custom/sounds, custom/graphics, netgames)
# with taunts another pilot left, and no settings files. Scourix's first boxes make the first-run
# files; the game folder typed, the player's taunt picked in the browser and "delete other
# taunts" chosen, "start descent now" saves; Gatefire deletes the foreign taunt, keeps the
# player's and starts Main.exe.
source "$(dirname "$0")/lib.sh"
e2e_begin retail_first_run

make_scourix_folder
make_game_folder
put_files "$GAME/custom/sounds" mine.osf foreign.osf
put_files "$GAME/custom/graphics" theirs.ogf

start_scourix
expect_box "Scourix - ERROR!!" "Error !! No INI-File or bad INI-File !" "OK" error OK
expect_box "Scourix - ERROR!!" "new files provide? " "OK|Cancel" question OK
wait_main_window
assert_first_run_files

ui_settext d3path "$GAME_WIN"
ui_click mysoundsplus
WIN="select your taunt's"
drive wait-window --title "$WIN" --timeout 10000 || fail "the taunt browser did not open"
assert_eq "foreign.osf mine.osf" "$(ui_items File1 | sort | tr '\n' ' ' | sed 's/ $//')" "taunts listed"
ui_select File1 --item mine.osf
ui_click OK
drive wait-window --title "$WIN" --gone --timeout 10000 || fail "the taunt browser stayed open"
WIN=Scourix
assert_items mysounds mine.osf
ui_click soundkill
screenshot retail-first-run

ui_menu "&action/start descent now" --post
expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question Yes
wait_for_file "$GAME/launched.txt" 60
drive wait-window --title Gatefire --gone --timeout 60000 || fail "Gatefire did not end"
assert_eq "$GAME_WIN" "$(launched cwd)" "the game started in its folder"
assert_listing "$GAME/custom/sounds" mine.osf
assert_listing "$GAME/custom/graphics" theirs.ogf
assert_eq '"mine.osf"' "$(tr -d '\r' <"$PROG/taunts.ini")" "the keep list saved"
stop_scourix
e2e_pass
