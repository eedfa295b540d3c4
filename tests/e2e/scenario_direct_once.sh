#!/usr/bin/env bash
# A one-time direct join: this start passes the target (after two blanks, since the last
# switch ends with one) without asking, and direckt.ini afterwards holds mode "0" with target
# and ask flag kept.
source "$(dirname "$0")/lib.sh"
e2e_begin direct_once

make_program_folder
make_game_folder
write_default_settings UsePilot=1 PilotName=Ace
write_keys_ini "0110" "deadzone0 0.0" "nointro" "framecap 0" "nosound"
write_direckt_ini "-directip 10.0.0.5:2092" 1 1

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_eq "-Launched -pilot Ace -nointro -framecap 0  -directip 10.0.0.5:2092" \
    "$(launched cmdline)" "game command line"
assert_bytes "$PROG/direckt.ini" '"-directip 10.0.0.5:2092"\r\n"0"\r\n"1"\r\n' \
    "direckt.ini after the one-time join"

# The next start does not join any more.
rm "$GAME/launched.txt"
start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire
assert_eq "-Launched -pilot Ace -nointro -framecap 0 " "$(launched cmdline)" \
    "game command line of the second start"

e2e_pass
