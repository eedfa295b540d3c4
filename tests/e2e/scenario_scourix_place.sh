#!/usr/bin/env bash
# Settings files across versions: a scourix.ini with a line more than this version knows starts
# the game and keeps that line through Gatefire and a save in Scourix. Its line 16, the main
# window's place, names a place on no monitor: the window opens on the screen all the same.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_place

make_scourix_folder
make_game_folder
write_default_settings
printf '"-5000,-5000"\r\n"from a later version"\r\n' >>"$PROG/scourix.ini"
cp "$PROG/scourix.ini" "$SC_DIR/later.ini"

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire
assert_eq "-Launched " "$(launched cmdline)" "game command line"
assert_same_content "$SC_DIR/later.ini" "$PROG/scourix.ini" "scourix.ini after Gatefire"

start_scourix
wait_main_window
drive wait-window --title Scourix --class ScourixForm --timeout 10000
rect=$(box_field rect)
IFS=',x' read -r left top width height <<<"$rect"
[[ -n "$height" ]] && ((left >= 0 && top >= 0 && left + width <= 1024 && top + height <= 768)) ||
    fail "the main window is not on the screen: $rect"
note "main window at $rect"
screenshot scourix-place
ui_menu "&file/save config"
expect_no_box
assert_same_content "$SC_DIR/later.ini" "$PROG/scourix.ini" "scourix.ini after a save"
ui_menu "&file/exit" --post
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
