#!/usr/bin/env bash
# A new player's open-source game under Wine, from Scourix's first start: a folder of its own
# holding the program, the data and the taunts copied from the retail game, no netgames, and no
# player's folder yet (the game never started). Scourix's first boxes make the first-run files;
# the game folder typed, the browser lists the game folder's taunts and the player picks his,
# "delete other taunts" and "delete other shiplogos" chosen with statistics, "start descent now"
# saves. Gatefire deletes the foreign taunt, keeps the player's, makes no folder the game has not
# made, and starts Descent3.exe; once the game settings page saved a login, the next start writes
# the game's settings file in the player's folder, made for it.
source "$(dirname "$0")/lib.sh"
e2e_begin open_source_first_run

make_scourix_folder
mkdir -p "$GAME/custom/sounds"
cp "$STANDINS/Descent3.exe" "$GAME/"
put_files "$GAME" d3.hog
USER_D3=$(user_d3_folder)
assert_missing "$USER_D3" "a fresh prefix has no player's folder"
put_files "$GAME/custom/sounds" mine.osf foreign.osf

first_start

ui_settext d3path "$GAME_WIN"
add_own_taunt "foreign.osf mine.osf" mine.osf
assert_items mysounds mine.osf
ui_click soundkill
ui_click grafkill
ui_click delstad
screenshot open-source-first-run

start_now_yes

assert_eq "Descent3.exe" "$(launched program)" "the program started"
assert_listing "$GAME/custom/sounds" mine.osf
assert_missing "$GAME/netgames" "no netgames made"
assert_missing "$GAME/custom/graphics" "no logo folder made"
# The game settings page was never opened: no network.ini, nothing of the game's settings set.
assert_missing "$USER_D3/.Descent3Registry" "the game's settings left to the game"
assert_missing "$USER_D3/custom" "no custom folder made for the game"

# The game settings page's ok saves network.ini; the next start writes the game's settings file
# in the player's folder, made for it.
rm "$GAME/launched.txt"
ui_menu "&file/Descent 3 Network etc"
ui_settext username "Pilot One"
ui_click d3sichern
wait_for_file "$PROG/network.ini" 10
start_now_yes
assert_contains "$(cat "$USER_D3/.Descent3Registry")" '"TrackerLogin"="Pilot One"' "the game's settings file"
assert_listing "$GAME/custom/sounds" mine.osf
stop_scourix
e2e_pass
