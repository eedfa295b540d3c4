#!/usr/bin/env bash
# A new player on Linux, from a home that holds nothing yet, with the open-source game (main line)
# in a folder of its own: the program, the data and the taunts copied from the retail game, some
# named by an old archive in Windows-1252 or CP437 or in broken UTF-8. The system speaks German.
# Scourix's first start offers new files in German; the player picks the game folder and his
# taunts in the browser, chooses "delete other taunts" and saves. Gatefire then starts the game
# although the game has not made its player's folder, custom folders or netgames yet, and deletes
# only the foreign taunts whatever bytes their names are; after the game's first start made its
# custom folders, the next start cleans those too; in backup mode the foreign taunts move to the
# backup folder, their names' bytes as they were.
source "$(dirname "$0")/lib.sh"
e2e_begin first_run fresh
export LANGUAGE=de

own=(Mine.osf $'Gr\xfc\xdfe.osf' $'Alt\x81\xe1.osf' $'D3\xc3\x28bad.osf')
foreign=(other.osf $'fremd\xe9.osf' $'Y\x81.osf' $'Z\xc3.osf')
put_files "$GAME" d3.hog
put_files "$GAME/custom/sounds" "${own[@]}"

# Started in the games folder, where the folder list opens: its last line is Descent3.
cd "$SC_DIR/games"
start_program scourix
cd "$SC_DIR"
screenshot first-run-box "Scourix - ERROR!!"
press "Scourix - ERROR!!" Return # no settings files
sleep 0.5
press "Scourix - ERROR!!" Return # new files: OK
window_id Scourix >/dev/null
assert_eq 1 "$(sed -n 12p "$PROG/scourix.ini" | tr -d '"\r')" "the first-run files in the system's language"

W="Suche Descent 3....."
click Scourix 400 44 # the game folder's "...."
click "$W" 100 60
xdotool key End
click "$W" 48 316 # ok
window_gone "$W"

# The player's folder is not there yet: the browser lists the game folder's taunts.
W="Wähle deine Audiotaunts"
click Scourix 406 290 # the taunts' "+"
screenshot first-run-taunts "$W"
click "$W" 100 30
xdotool key ctrl+a
click "$W" 48 316 # ok
window_gone "$W"
click Scourix 250 408 # delete other taunts
menu Scourix d Down Down Return # Datei > Konfiguration speichern
deadline=$((SECONDS + 10))
until [[ "$(sed -n 8p "$PROG/scourix.ini" | tr -d '\r')" == '"1"' ]]; do
    ((SECONDS < deadline)) || fail "delete other taunts was not saved: $(cat -A "$PROG/scourix.ini")"
    sleep 0.1
done
mapfile -t ini < <(crlf "$PROG/scourix.ini")
assert_eq "\"$GAME\"" "${ini[0]}" "game folder saved"
[[ "$(wc -l <"$PROG/taunts.ini")" == 4 ]] || fail "taunts.ini: $(cat -A "$PROG/taunts.ini")"

# Taunts met on line since, and Gatefire's first start.
put_files "$GAME/custom/sounds" "${foreign[@]}"
start_program gatefire
wait_for_file "$GAME/launched.txt"
wait_end "$LAST_PID"
assert_eq Descent3 "$(launched program)" "the game started without its player's folder"
assert_listing "$GAME/custom/sounds" "${own[@]}"
[[ ! -e "$GAME/netgames" ]] || fail "Gatefire made a netgames folder"
[[ -d "$USER_D3/custom/sounds" ]] || fail "the stand-in game made no custom folders"

# The game made its custom folders at its first start; downloads land there now.
rm "$GAME/launched.txt"
put_files "$USER_D3/custom/sounds" "${foreign[@]}"
cp -p "$GAME/custom/sounds/${own[1]}" "$USER_D3/custom/sounds/"
start_program gatefire
wait_for_file "$GAME/launched.txt"
wait_end "$LAST_PID"
assert_listing "$USER_D3/custom/sounds" "${own[1]}"
assert_listing "$GAME/custom/sounds" "${own[@]}"

# "backup other taunts": the foreign ones move to the backup folder with their names' bytes,
# the player's stay and are copied there too.
rm "$GAME/launched.txt" "$USER_D3/custom/sounds/${own[1]}"
BACKUP=$SC_DIR/backup
mkdir -p "$BACKUP"
sed -i "3s|.*|\"$BACKUP\"\r|; 8s|.*|\"0\"\r|; 9s|.*|\"1\"\r|" "$PROG/scourix.ini"
put_files "$GAME/custom/sounds" "${foreign[@]}"
start_program gatefire
wait_for_file "$GAME/launched.txt"
wait_end "$LAST_PID"
assert_listing "$GAME/custom/sounds" "${own[@]}"
assert_listing "$BACKUP" "${own[@]}" "${foreign[@]}"
for name in "${own[@]}" "${foreign[@]}"; do
    assert_eq "content of $name" "$(cat "$BACKUP/$name")" "the backup of $name"
done
note "passed"
