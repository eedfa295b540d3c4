#!/usr/bin/env bash
# A settings file that cannot be read (keys.ini missing; then a scourix.ini of 14 lines) ends
# Gatefire with an error naming the file, before its window shows: nothing cleaned, written or
# started, and a pending one-time join stays pending.
source "$(dirname "$0")/lib.sh"
e2e_begin missing_settings

make_program_folder
make_game_folder
put_files "$GAME/custom/sounds" foreign_1a2b3c4d.osf
put_files "$GAME/netgames" anarchy.stats
put_side_program 'C:\Side' side.exe

run_expecting_file_error() { # FILE
    start_gatefire
    drive box --timeout 30000 || fail "no error box for $1 within 30 s"
    note "error box for $1: $(tr '\n' ' ' <<<"$DRIVER_OUT")"
    assert_contains "$(box_field text)" "$1" "the error names the file"
    [[ "$(box_field text)" == *[Ss]courix* ]] || fail "the error does not tell to run Scourix: $(box_field text)"
    local first
    first=$(box_field buttons)
    if drive wait-window --title Gatefire --timeout 300; then
        fail "the Gatefire window is shown although $1 could not be read"
    fi
    drive box --press "${first%%|*}" --timeout 5000 || fail "could not close the error box: $DRIVER_OUT"
    wait_gatefire
    assert_missing "$GAME/launched.txt" "the game must not start"
    assert_missing "$C_DRIVE/Side/side_started.txt" "side programs must not start"
    assert_listing "$GAME/custom/sounds" foreign_1a2b3c4d.osf
    assert_listing "$GAME/netgames" anarchy.stats
    assert_eq "" "$(reg_query)" "registry key of the game (must not be created)"
    assert_bytes "$PROG/direckt.ini" '"-directip 10.0.0.5"\r\n"1"\r\n"0"\r\n' "direckt.ini untouched"
}

settings() {
    write_default_settings TauntNoAction=0 TauntDeleteOthers=1 DeleteStats=1 PilotName=Ace
    write_direckt_ini "-directip 10.0.0.5" 1 0
    write_shelllist side.exe 'C:\Side' 1 "" "" 0 "" "" 0 "" "" 0 "" "" 0
}

settings
rm "$PROG/keys.ini"
run_expecting_file_error keys.ini

settings
head -n 14 "$PROG/scourix.ini" >"$SC_DIR/short.ini" && mv "$SC_DIR/short.ini" "$PROG/scourix.ini"
run_expecting_file_error scourix.ini

e2e_pass
