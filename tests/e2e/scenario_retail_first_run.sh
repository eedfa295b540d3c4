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

first_start

ui_settext d3path "$GAME_WIN"
add_own_taunt "foreign.osf mine.osf" mine.osf
assert_items mysounds mine.osf
ui_click soundkill
screenshot retail-first-run

start_now_yes
assert_eq "$GAME_WIN" "$(launched cwd)" "the game started in its folder"
assert_listing "$GAME/custom/sounds" mine.osf
assert_listing "$GAME/custom/graphics" theirs.ogf
assert_eq '"mine.osf"' "$(tr -d '\r' <"$PROG/taunts.ini")" "the keep list saved"
stop_scourix
e2e_pass
