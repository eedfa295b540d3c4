#!/usr/bin/env bash
# Scourix on Linux under the keyboard, as on Windows: in the switch list (several selections) the
# arrows move the focus line without changing the selection and Space toggles the focus line, so
# the save stores exactly the toggled switches; Escape closes the custom-file browser and the
# side-program editor, which have a cancel button or none. Screenshots of both windows.
source "$(dirname "$0")/lib.sh"
e2e_begin keyboard

# other_window: a visible window besides the main window, waiting for it.
other_window() {
    local deadline=$((SECONDS + 20)) w
    while ((SECONDS < deadline)); do
        w=$(xdotool search --onlyvisible --name . 2>/dev/null | grep -vx "$id" | head -n1 || true)
        [[ -n "$w" ]] && { echo "$w"; return; }
        sleep 0.1
    done
    fail "no window besides the main window"
}
# closed_by_escape WINDOW WHAT
closed_by_escape() {
    xdotool windowfocus --sync "$1" key Escape
    local deadline=$((SECONDS + 10))
    while xdotool search --onlyvisible --name . | grep -qx "$1"; do
        ((SECONDS < deadline)) || fail "Escape did not close the $2"
        sleep 0.1
    done
}

write_settings
put_files "$USER_D3/custom/graphics" zeta.ogf Alpha.ogf beta.ogf
start_program scourix
id=$(window_id Scourix)
# "framecap 0" clicked: on, and the focus line. nointro and nosound were on already.
xdotool mousemove --window "$id" 50 309 click 1
sleep 0.3
# Down to nosound and Space: off. Up twice to nointro and Space: off. End and Home move alone.
xdotool windowfocus --sync "$id" key --delay 150 Down space Up Up space End Home Page_Down Page_Up
sleep 0.3
# file > save config.
xdotool key alt+f
sleep 0.8
xdotool key Down Down Return
deadline=$((SECONDS + 10))
until [[ "$(tr -d '\r' <"$PROG/keys.ini" | tail -n1)" == '"***010"' ]]; do
    ((SECONDS < deadline)) || fail "keys.ini after the keys: $(tr -d '\r' <"$PROG/keys.ini" | tail -n1), expected \"***010\""
    sleep 0.1
done

# The browser of the game folder ("...") and Escape.
xdotool mousemove --window "$id" 406 50 click 1
browser=$(other_window)
screenshot keyboard-browser "$(xdotool getwindowname "$browser")"
closed_by_escape "$browser" browser

# extra > start with gatefire: the side-program editor, and Escape.
xdotool windowfocus --sync "$id" key alt+e
sleep 0.8
xdotool key Down Down Return
editor=$(other_window)
screenshot keyboard-side-programs "$(xdotool getwindowname "$editor")"
closed_by_escape "$editor" "side-program editor"
note "passed"
