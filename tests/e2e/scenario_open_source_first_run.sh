#!/usr/bin/env bash
# A new player's open-source game under Wine: a folder of its own holding the program, the data and
# the taunts copied from the retail game, no netgames, and no player's folder yet (the game never
# started). Gatefire writes the game's settings file with its folders, deletes the foreign taunt,
# keeps the player's, makes no folder the game has not made, and starts Descent3.exe.
source "$(dirname "$0")/lib.sh"
e2e_begin open_source_first_run

make_program_folder
mkdir -p "$GAME/custom/sounds"
cp "$STANDINS/Descent3.exe" "$GAME/"
put_files "$GAME" d3.hog
USER_D3=$(user_d3_folder)
assert_missing "$USER_D3" "a fresh prefix has no player's folder"
write_default_settings TauntNoAction=0 TauntDeleteOthers=1 LogoNoAction=0 LogoDeleteOthers=1 \
    DeleteStats=1
write_keep_list "$PROG/taunts.ini" mine.osf
put_files "$GAME/custom/sounds" mine.osf foreign.osf

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_eq "Descent3.exe" "$(launched program)" "the program started"
assert_listing "$GAME/custom/sounds" mine.osf
assert_missing "$GAME/netgames" "no netgames made"
assert_missing "$GAME/custom/graphics" "no logo folder made"
assert_file_exists "$USER_D3/.Descent3Registry" "the settings file written with its folders"
assert_missing "$USER_D3/custom" "no custom folder made for the game"
e2e_pass
