#!/usr/bin/env bash
# Without shelllist.txt and direckt.ini Gatefire writes their default contents (five empty
# slots as raw lines; an empty target with "0", "0") and starts the game without side program
# or direct join. A direckt.ini holding only a target is replaced the same way, its bytes kept
# beside it as direckt.ini.bak, and the player is told.
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
cp "$PROG/direckt.ini" "$SC_DIR/direckt-before.ini"
start_gatefire
expect_box "Gatefire error" "The settings file \"$PROG_WIN\\direckt.ini\" could not be read. Your file was kept as \"$PROG_WIN\\direckt.ini.bak\"; a new one was written." \
    OK warning OK
wait_for_file "$GAME/launched.txt"
wait_gatefire
assert_bytes "$PROG/direckt.ini" '""\r\n"0"\r\n"0"\r\n' "direckt.ini with only a target line"
assert_same_content "$SC_DIR/direckt-before.ini" "$PROG/direckt.ini.bak" "the player's bytes kept"
assert_eq "-Launched " "$(launched cmdline)" "no join from a short direckt.ini"

e2e_pass
