#!/usr/bin/env bash
# Scourix on Linux, worked as a player works it: it loads the settings from ~/.config/scourix and
# the pilots from the game's folder in ~/.local/share, takes clicks on a check box and on a
# switch of the list (which adds it to the selected ones), switches to
# German by its menu and saves by its menu; the settings files hold what the player chose.
# Then "start descent now": Scourix asks to save and starts the gatefire installed beside it,
# which starts the game. Screenshots of the main window in English and German.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_settings

write_settings UsePilot=1 PilotName=Ace
keep_list logos.ini MyShip.ogf
keep_list taunts.ini MyTaunt1.osf
put_files "$USER_D3" Ace.plt Rookie.plt

start_program scourix
screenshot scourix-en Scourix
id=$(window_id Scourix)
# The check box "del *.stats files", where the layout puts it below the menu bar.
xdotool mousemove --window "$id" 22 207 click 1
# The switch "framecap 0": a click adds it to the selected ones.
xdotool mousemove --window "$id" 50 309 click 1
# file > scourix language > German, then Datei > Konfiguration speichern.
xdotool windowfocus --sync "$id" key alt+f
sleep 0.8
xdotool key Return
sleep 0.8
xdotool key Return
screenshot scourix-de Scourix
xdotool windowfocus --sync "$id" key alt+d
sleep 0.8
xdotool key Down Down Return

deadline=$((SECONDS + 10))
until grep -qa '^"1"' <(sed -n 12p "$PROG/scourix.ini"); do
    ((SECONDS < deadline)) || fail "scourix.ini was not saved in German: $(cat -A "$PROG/scourix.ini")"
    sleep 0.1
done
mapfile -t ini < <(tr -d '\r' <"$PROG/scourix.ini")
assert_eq "\"$GAME\"" "${ini[0]}" "game folder saved"
assert_eq "1|\"Ace\"|\"1\"|1" "${ini[9]}|${ini[10]}|${ini[11]}|${ini[12]}" \
    "use pilot, pilot, language German, delete statistics"
assert_eq '"MyShip.ogf"' "$(tr -d '\r' <"$PROG/logos.ini")" "logo keep list saved"
assert_eq '"***111"' "$(tr -d '\r' <"$PROG/keys.ini" | tail -n1)" "switches saved, the clicked one added"
assert_eq '"MyTaunt1.osf"' "$(tr -d '\r' <"$PROG/taunts.ini")" "taunt keep list saved"

# Aktion > Descent jetzt starten; the question to save first is answered with its first button.
rm -f "$PROG/scourix.ini"
xdotool windowfocus --sync "$id" key alt+a
sleep 0.8
xdotool key Down Return
press scourix Return
wait_for_file "$GAME/launched.txt"
assert_eq "-Launched|-pilot|Ace|-nointro|-framecap|0|-nosound" \
    "$(for i in $(seq "$(launched argc)"); do printf '%s|' "$(launched arg$i)"; done | sed 's/|$//')" \
    "the game's arguments from Gatefire started by Scourix"
[[ -f "$PROG/scourix.ini" ]] || fail "Scourix did not save before starting Gatefire"
note "passed"
