#!/usr/bin/env bash
# The main window's own pages and boxes on Linux, in English and in German: the game settings
# page shows the open-source game's .Descent3Registry, "ok" writes network.ini, "cancel" nothing;
# the shortcut panel writes desktop entries for both programs and overwrites none; the switch
# editor's input boxes add and change switches and refuse a double quote, which "save config"
# writes to keys.ini; "del *.stats-files now" deletes the statistics files of both netgames
# folders; the info windows.
# Then "start descent now": the game reads the page's choices through Gatefire.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_pages

write_settings
rm "$PROG/network.ini"
write_lines "$USER_D3/.Descent3Registry" '[Version]' '[Descent3]' '"TrackerLogin"="pilot one"' \
    '"TrackerPassword"="s3cret"' '"KeyboardType"="German"' '"NetworkConnection"="LAN"' \
    '"ConnectionSpeed"="Cable"'
put_files "$GAME/netgames" one.stats Two.STATS hosts.allow
put_files "$USER_D3/netgames" three.stats autoexec.dmfc

start_program scourix
window_id Scourix >/dev/null

# The game settings page (file > Descent 3 Network etc): what the file holds; cancel writes
# nothing, ok writes network.ini with the choices clicked.
menu Scourix f Down Return
screenshot scourix-game-settings Scourix
click Scourix 372 324
[[ ! -e "$PROG/network.ini" ]] || fail "cancel wrote network.ini"
menu Scourix f Down Return
click Scourix 284 324 # ok: the file's values as shown
wait_lines "$PROG/network.ini" "$(printf '%s\n' US-Version 0 0 1 0 0 1 0 0 1 0 "pilot one" s3cret)" \
    "network.ini from the page as read"
menu Scourix f Down Return
type_into Scourix 106 78 "new pilot"
click Scourix 220 62  # keyboard: United States
click Scourix 220 154 # connection: dial-up
click Scourix 220 262 # speed: ADSL , T1 , T3 etc
click Scourix 284 324 # ok
wait_lines "$PROG/network.ini" "$(printf '%s\n' US-Version 1 0 0 0 1 0 0 0 0 1 "new pilot" s3cret)" \
    "network.ini from the page"

# The shortcut panel (extra > make a shortcut to Desktop): ok writes both entries and closes;
# again, nothing is overwritten.
menu Scourix e Return
screenshot scourix-shortcuts Scourix
click Scourix 144 255
wait_for_file "$HOME/Desktop/Gatefire.desktop" 5
for p in gatefire scourix; do
    name=${p^}
    grep -qx "Exec=\"$BIN/$p\"" "$HOME/Desktop/$name.desktop" || fail "$name.desktop: $(cat "$HOME/Desktop/$name.desktop")"
    [[ -x "$HOME/Desktop/$name.desktop" ]] || fail "$name.desktop is not executable"
done
echo "kept" >"$HOME/Desktop/Scourix.desktop"
menu Scourix e Return
click Scourix 144 255
press scourix Return
press scourix Return
assert_eq kept "$(cat "$HOME/Desktop/Scourix.desktop")" "an existing desktop entry"
click Scourix 232 255 # cancel

# The switch editor's input boxes: "+" adds a new inactive switch, "Þ" changes the current one.
click Scourix 192 290
screenshot scourix-new-key "new key.."
xdotool type --delay 20 "useport 2092"
press "new key.." Return
window_gone "new key.."
click Scourix 80 309 # "framecap 0": now current and active
click Scourix 192 316
screenshot scourix-change-key "change key.."
xdotool key --clearmodifiers ctrl+a BackSpace
xdotool type --delay 20 "framecap 60"
press "change key.." Return
window_gone "change key.."
menu Scourix f Down Down Return
wait_lines "$PROG/keys.ini" "$(printf '"%s"\n' nointro "framecap 60" nosound "useport 2092" '***1110')" \
    "keys.ini after the input boxes"

# Statistics: both netgames folders, the other files kept.
click Scourix 111 229
screenshot scourix-stats scourix
press scourix Return
assert_listing "$GAME/netgames" hosts.allow
assert_listing "$USER_D3/netgames" autoexec.dmfc

# The info windows (info > playing taunts, info > Scourix), closed by Return on their ok.
menu Scourix i Return
screenshot scourix-info-musictester info
press info Return
window_gone info
menu Scourix i Up Return
screenshot scourix-info info
press info Return
window_gone info

# German (file > scourix language > German): the same windows in German.
menu Scourix f Return Return
screenshot scourix-de Scourix
menu Scourix d Down Return
screenshot scourix-game-settings-de Scourix
click Scourix 372 324
# A new shortcut name: its entry is made, the existing one to Gatefire is kept.
menu Scourix e Return
screenshot scourix-shortcuts-de Scourix
type_into Scourix 227 185 "Scourix neu"
click Scourix 144 255
press scourix Return
wait_for_file "$HOME/Desktop/Scourix neu.desktop" 5
grep -qx "Exec=\"$BIN/scourix\"" "$HOME/Desktop/Scourix neu.desktop" || fail "Scourix neu.desktop"
# A switch that starts with a double quote is refused and asked for again.
click Scourix 192 290
screenshot scourix-new-key-de "Neuer Key.."
xdotool type --delay 20 '"ab'
press "Neuer Key.." Return
press scourix Return
window_id "Neuer Key.." >/dev/null
xdotool key --clearmodifiers ctrl+a BackSpace
xdotool type --delay 20 "vsync"
press "Neuer Key.." Return
window_gone "Neuer Key.."
put_files "$GAME/netgames" four.stats
click Scourix 111 229
screenshot scourix-stats-de scourix
press scourix Return
assert_listing "$GAME/netgames" hosts.allow
menu Scourix i Return
screenshot scourix-info-musictester-de Info
press Info Return
window_gone Info
menu Scourix i Up Return
screenshot scourix-info-de Info
press Info Return
window_gone Info

# Aktion > Descent jetzt starten, saving first: the game reads the page's choices.
menu Scourix a Down Return
press scourix Return
wait_for_file "$GAME/launched.txt"
for kv in "TrackerLogin=new pilot" "TrackerPassword=s3cret" "KeyboardType=United States" \
    "NetworkConnection=DIALUP" "ClientPPS=dword:12"; do
    assert_eq "${kv#*=}" "$(launched "file.${kv%%=*}")" "${kv%%=*} the game read"
done
assert_eq "-Launched -nointro -framecap 60 -nosound" "$(launched cmdline)" "the game's switches"
assert_eq "$(printf '"%s"\n' nointro "framecap 60" nosound "useport 2092" vsync '***11100')" \
    "$(crlf "$PROG/keys.ini")" "keys.ini saved before the start"
note "passed"
