#!/usr/bin/env bash
# Without shelllist.txt and direckt.ini Gatefire writes their default contents (five empty
# slots as raw lines; an empty target with "0", "0") and starts the game without side program
# or direct join. A direckt.ini holding only a target is replaced the same way.
source "$(dirname "$0")/lib.sh"
e2e_begin defaults_written

make_program_folder
make_game_folder
write_default_settings
rm "$PROG/shelllist.txt" "$PROG/direckt.ini"

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_bytes "$PROG/shelllist.txt" '\r\n0\r\n0\r\n\r\n0\r\n0\r\n\r\n0\r\n0\r\n\r\n0\r\n0\r\n\r\n0\r\n0\r\n' \
    "default shelllist.txt"
assert_bytes "$PROG/direckt.ini" '""\r\n"0"\r\n"0"\r\n' "default direckt.ini"
assert_eq "-Launched " "$(launched cmdline)" "game command line"

rm "$GAME/launched.txt"
write_lines "$PROG/direckt.ini" "$(q "-directip 10.0.0.5")"
start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire
assert_bytes "$PROG/direckt.ini" '""\r\n"0"\r\n"0"\r\n' "direckt.ini with only a target line"
assert_eq "-Launched " "$(launched cmdline)" "no join from a short direckt.ini"

e2e_pass
