#!/usr/bin/env bash
# Side programs: an enabled slot starts its program in its folder, a disabled one (0) or one
# with another number (2) does not, an enabled slot without a file name starts nothing.
source "$(dirname "$0")/lib.sh"
e2e_begin side_programs

make_program_folder
make_game_folder
write_default_settings
put_side_program 'C:\Side1' one.exe
put_side_program 'C:\Side2' two.exe
put_side_program 'C:\Side3' side.exe
put_side_program 'C:\Side4' four.exe
put_side_program 'C:\Side 5' 'five side.exe'
write_shelllist \
    one.exe 'C:\Side1' 1 \
    two.exe 'C:\Side2' 0 \
    "" 'C:\Side3' 1 \
    four.exe 'C:\Side4' 2 \
    'five side.exe' 'C:\Side 5' 1

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_eq "started cwd=C:\\Side1 args=" "$(cat "$C_DRIVE/Side1/side_started.txt")" "slot 1 (enabled)"
assert_missing "$C_DRIVE/Side2/side_started.txt" "slot 2 is disabled"
assert_missing "$C_DRIVE/Side3/side_started.txt" "slot 3 has no file name"
assert_missing "$C_DRIVE/Side4/side_started.txt" "slot 4 has flag 2"
assert_eq "started cwd=C:\\Side 5 args=" "$(cat "$C_DRIVE/Side 5/side_started.txt")" \
    "slot 5 (enabled, blanks in its names)"
assert_eq "-Launched " "$(launched cmdline)" "game command line"

e2e_pass
