#!/usr/bin/env bash
# Mode "2" without the question joins every time without asking; the file stays in mode 2.
source "$(dirname "$0")/lib.sh"
e2e_begin direct_always

make_program_folder
make_game_folder
write_default_settings
write_keys_ini "1" "nointro"
write_direckt_ini "-directip 192.0.2.7:2092" 2 0
cp "$PROG/direckt.ini" "$SC_DIR/direckt.before"

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_eq "-Launched -nointro  -directip 192.0.2.7:2092" "$(launched cmdline)" "game command line"
assert_same_content "$SC_DIR/direckt.before" "$PROG/direckt.ini" "direckt.ini in mode 2"

e2e_pass
