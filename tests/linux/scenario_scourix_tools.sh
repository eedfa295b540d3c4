#!/usr/bin/env bash
# Scourix's tool windows on Linux, in English and in German. The side-program editor: a program
# browsed into row 3 through the folder and file lists ticks its row, "save" writes
# shelllist.txt, and Gatefire starts it with the game. In French the windows take their French
# titles and the clean-now window cleans as in English. The clean-now window: Cancel at the
# question to save does nothing; Yes saves and cleans by the window's choices (the foreign ship
# logos backed up and deleted, the own ones kept). Direct join: the typed server is saved, Gatefire
# takes the game to it and Scourix ends; the request is turned off afterwards.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_tools

BACKUP=$SC_DIR/backup
mkdir -p "$BACKUP" "$SC_DIR/tools"
write_settings LogoNoAction=0 LogoBackupOthers=1 LogoBackupPath="$BACKUP"
keep_list logos.ini MyShip.ogf
put_files "$USER_D3/custom/graphics" MyShip.ogf Viper_0badf00d.ogf
put_files "$USER_D3/custom/sounds" Hello.osf
# The side program: a script named as the file list shows programs; it records its start.
# shellcheck disable=SC2016 # the script's own $PWD and $*
printf '#!/bin/sh\necho "started cwd=$PWD args=$*" >side_started.txt\n' >"$SC_DIR/tools/voice.exe"
chmod +x "$SC_DIR/tools/voice.exe"
put_files "$SC_DIR/tools" readme.txt

# Started in the tools folder, where the editor's folder list opens.
cd "$SC_DIR/tools"
start_program scourix
cd "$SC_DIR"
window_id Scourix >/dev/null

# extra > start with Gatefire; the browse button of row 3, the program clicked in the file list.
W="start with Gatefire....."
menu Scourix e Up Up Return
screenshot scourix-side-programs "$W"
click "$W" 23 91
screenshot scourix-side-programs-browse "$W"
click "$W" 312 29
click "$W" 387 184
window_gone "$W"
assert_eq "$(printf '%s\n' '""' '""' 0 '""' '""' 0 '"voice.exe"' "\"$SC_DIR/tools\"" 1 '""' '""' 0 '""' '""' 0)" \
    "$(crlf "$PROG/shelllist.txt")" "shelllist.txt saved"

# action > clean descent now: Cancel, then Yes.
menu Scourix a Return
screenshot scourix-clean-question scourix
press scourix Escape
no_window "clean......"
assert_listing "$USER_D3/custom/graphics" MyShip.ogf Viper_0badf00d.ogf
menu Scourix a Return
press scourix Return
screenshot scourix-clean-now "clean......"
assert_listing "$USER_D3/custom/graphics" MyShip.ogf
assert_listing "$BACKUP" MyShip.ogf Viper_0badf00d.ogf
assert_listing "$USER_D3/custom/sounds" Hello.osf
click "clean......" 123 56
window_gone "clean......"

# extra > direct joint, closed with PXO and no address: the choices alone, no request.
W="Joint a Game"
menu Scourix e Up Return
screenshot scourix-direct-join "$W"
click "$W" 204 172 # ask me before joint direckt
close_window "$W"
window_gone "$W"
assert_eq "$(printf '%s\n' '"-pxo "' '"0"' '"1"')" "$(crlf "$PROG/direckt.ini")" "direckt.ini after a close"

# German (file > scourix language > German): the same windows in German.
menu Scourix f Return Return
W="starte mit Gatefire....."
menu Scourix e Up Up Return
screenshot scourix-side-programs-de "$W"
click "$W" 23 91
screenshot scourix-side-programs-browse-de "$W"
close_window "$W"
window_gone "$W"
put_files "$USER_D3/custom/graphics" Hawk_00000001.ogf
menu Scourix a Return
screenshot scourix-clean-question-de scourix
press scourix Return
screenshot scourix-clean-now-de "Säubere...."
assert_listing "$USER_D3/custom/graphics" MyShip.ogf
assert_listing "$BACKUP" MyShip.ogf Viper_0badf00d.ogf Hawk_00000001.ogf
click "Säubere...." 123 56
window_gone "Säubere...."

# Direct join in German: a TCP/IP join typed in the window saves, starts Gatefire, which takes
# the game to the server with the side program, and Scourix ends.
W="an einem Spiel teilnehmen"
menu Scourix e Up Return
screenshot scourix-direct-join-de "$W"
click "$W" 204 172 # no question before the join
type_into "$W" 138 50 "10.20.30.40:2092"
click "$W" 26 150
click "$W" 313 126
wait_end "$LAST_PID"
wait_for_file "$GAME/launched.txt"
assert_eq "-Launched -nointro -nosound -directip 10.20.30.40:2092" "$(launched cmdline)" "the game's command line"
assert_eq "$(printf '%s\n' '"-directip 10.20.30.40:2092"' '"0"' '"0"')" "$(crlf "$PROG/direckt.ini")" \
    "direckt.ini after the join: the request was read and turned off"
wait_for_file "$SC_DIR/tools/side_started.txt"
assert_eq "started cwd=$SC_DIR/tools args=" "$(cat "$SC_DIR/tools/side_started.txt")" "the side program's start"
assert_eq 1 "$(sed -n 12p "$PROG/scourix.ini" | tr -dc 0-9)" "the join saved the language"

# French (Language "3"): the windows come up in French, and the clean-now window cleans.
write_settings Language=3 LogoNoAction=0 LogoBackupOthers=1 LogoBackupPath="$BACKUP"
keep_list logos.ini MyShip.ogf
put_files "$USER_D3/custom/graphics" Raven_00000002.ogf
start_program scourix
window_id Scourix >/dev/null
screenshot scourix-fr Scourix
W=$(catalogue_text fr "start with Gatefire.....")
[[ -n "$W" && "$W" != "start with Gatefire....." ]] || fail "no French title of the side programs"
menu Scourix o Up Up Return
screenshot scourix-side-programs-fr "$W"
close_window "$W"
window_gone "$W"
W=$(catalogue_text fr "clean......")
menu Scourix a Return
screenshot scourix-clean-question-fr scourix
press scourix Return
screenshot scourix-clean-now-fr "$W"
assert_listing "$USER_D3/custom/graphics" MyShip.ogf
assert_listing "$BACKUP" MyShip.ogf Viper_0badf00d.ogf Hawk_00000001.ogf Raven_00000002.ogf
click "$W" 123 56
window_gone "$W"
assert_eq 3 "$(sed -n 12p "$PROG/scourix.ini" | tr -dc 0-9)" "the clean saved the language"
note "passed"
