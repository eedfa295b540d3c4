#!/usr/bin/env bash
# No game folder set up: Gatefire asks to start Scourix first; OK starts scourix.exe from the
# program folder. Nothing is cleaned, written to the registry or started otherwise, but a
# pending one-time direct join is consumed all the same.
source "$(dirname "$0")/lib.sh"
e2e_begin no_gamepath_ok

make_program_folder
cp "$STANDINS/scourix.exe" "$PROG/"
make_game_folder
write_default_settings GamePath="" TauntNoAction=0 TauntDeleteOthers=1 DeleteStats=1
write_direckt_ini "-directip 10.0.0.5" 1 0
put_side_program 'C:\Side' side.exe
write_shelllist side.exe 'C:\Side' 1 "" "" 0 "" "" 0 "" "" 0 "" "" 0
put_files "$GAME/custom/sounds" foreign_1a2b3c4d.osf
put_files "$GAME/netgames" anarchy.stats

start_gatefire
expect_box gatefire "please start scourix first ! start scourix now ?" "OK|Cancel" information OK
wait_for_file "$PROG/scourix_started.txt"
wait_gatefire

assert_eq "cwd=$PROG_WIN" "$(head -n1 "$PROG/scourix_started.txt")" "scourix.exe working folder"
assert_missing "$GAME/launched.txt" "the game must not start"
assert_missing "$C_DRIVE/Side/side_started.txt" "side programs must not start"
assert_listing "$GAME/custom/sounds" foreign_1a2b3c4d.osf
assert_listing "$GAME/netgames" anarchy.stats
assert_eq "" "$(reg_query)" "registry key of the game (must not be created)"
assert_bytes "$PROG/direckt.ini" '"-directip 10.0.0.5"\r\n"0"\r\n"0"\r\n' "one-time join consumed"

e2e_pass
