#!/usr/bin/env bash
# The custom-file browser from Scourix's main window on Linux, in English and in German: the
# game folder highlighted in the folder list becomes the game folder; the ship logos picked in
# the file list (only *.ogf and *.oaf are listed) join the keep list; cancel adds nothing; a
# logo restored from the backup folder is copied back. "save config" writes what was chosen.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_browser

BACKUP=$SC_DIR/backup
write_settings GamePath=""
put_files "$USER_D3" Ace.plt
put_files "$USER_D3/custom/graphics" MyShip.ogf MyWings.oaf Viper_0badf00d.ogf notes.txt
put_files "$USER_D3/custom/sounds" Hello.osf
put_files "$BACKUP" Saved.ogf Old.osf

# Started in the games folder, where the folder list opens: its last line is Descent3.
cd "$SC_DIR/games"
start_program scourix
cd "$SC_DIR"
window_id Scourix >/dev/null

W="search Descent 3....."
click Scourix 400 44 # descent path's "...."
screenshot scourix-browser-folder "$W"
click "$W" 100 60
xdotool key End
click "$W" 48 316 # ok
window_gone "$W"

W="select your shiplogo"
click Scourix 406 107 # the logos' "+"
screenshot scourix-browser-file "$W"
click "$W" 100 30
xdotool key ctrl+a
click "$W" 48 316
window_gone "$W"
click Scourix 406 107
click "$W" 136 316 # cancel
window_gone "$W"

# Backup of the ship logos, its folder typed; "+" beside it restores a logo from there.
click Scourix 236 190
type_into Scourix 270 227 "$BACKUP"
W="select your shiplogo from backup"
click Scourix 406 227
screenshot scourix-browser-restore "$W"
click "$W" 100 30
click "$W" 48 316
window_gone "$W"
assert_same_content "$BACKUP/Saved.ogf" "$USER_D3/custom/graphics/Saved.ogf" "the restored logo"

W="select your taunt's"
click Scourix 406 290 # the taunts' "+"
screenshot scourix-browser-taunts "$W"
click "$W" 136 316
window_gone "$W"

rm "$PROG/scourix.ini" "$PROG/logos.ini"
menu Scourix f Down Down Return
wait_for_file "$PROG/scourix.ini"
wait_for_file "$PROG/logos.ini"
mapfile -t ini < <(crlf "$PROG/scourix.ini")
assert_eq "\"$GAME\"|\"$BACKUP\"" "${ini[0]}|${ini[1]}" "game folder and logo backup folder saved"
assert_eq '"0"|"0"|"1"' "${ini[3]}|${ini[4]}|${ini[5]}" "logo choice saved: backup"
assert_eq "MyShip.ogf MyWings.oaf Saved.ogf Viper_0badf00d.ogf" \
    "$(crlf "$PROG/logos.ini" | tr -d '"' | sort | tr '\n' ' ' | sed 's/ $//')" "logos saved"
assert_eq '"Saved.ogf"' "$(crlf "$PROG/logos.ini" | tail -n1)" "the restored logo added last"

# German.
menu Scourix f Return Return
click Scourix 400 44
screenshot scourix-browser-folder-de "Suche Descent 3....."
click "Suche Descent 3....." 136 316
window_gone "Suche Descent 3....."
click Scourix 406 107
screenshot scourix-browser-file-de "Wähle dein Schiffslogo"
click "Wähle dein Schiffslogo" 136 316
window_gone "Wähle dein Schiffslogo"
note "passed"
