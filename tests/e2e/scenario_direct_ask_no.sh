#!/usr/bin/env bash
# Mode "2" with the question answered No: the game starts without the target.
source "$(dirname "$0")/lib.sh"
e2e_begin direct_ask_no

make_program_folder
make_game_folder
write_default_settings UsePilot=1 PilotName=Ace
write_keys_ini "1" "nointro"
write_direckt_ini "-directip 192.0.2.7" 2 1
cp "$PROG/direckt.ini" "$SC_DIR/direckt.before"

start_gatefire
expect_box gatefire "Joint Server now ?" "Yes|No" question No
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_eq "-Launched -pilot Ace -nointro " "$(launched cmdline)" "game command line after No"
assert_same_content "$SC_DIR/direckt.before" "$PROG/direckt.ini" "direckt.ini in mode 2"

e2e_pass
