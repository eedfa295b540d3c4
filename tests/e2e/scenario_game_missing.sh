#!/usr/bin/env bash
# A game folder without Main.exe: Gatefire tells the player it could not start the game
# instead of vanishing, and does not start a Main.exe lying elsewhere (its own folder).
source "$(dirname "$0")/lib.sh"
e2e_begin game_missing

make_program_folder
make_game_folder
rm "$GAME/Main.exe"
cp "$STANDINS/Main.exe" "$PROG/Main.exe"
write_default_settings

start_gatefire
drive box --timeout 30000 || fail "no message within 30 s about the game that could not start"
note "box: $(tr '\n' ' ' <<<"$DRIVER_OUT")"
first=$(box_field buttons)
drive box --press "${first%%|*}" --timeout 5000 || fail "could not close the box: $DRIVER_OUT"
wait_gatefire

assert_missing "$PROG/launched.txt" "the Main.exe in the program folder must not start"

e2e_pass
