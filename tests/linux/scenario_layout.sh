#!/usr/bin/env bash
# Every window of Scourix in each of the five languages, opened as a player opens them, under
# the layout check (lib.sh loads it into the programs): the main window, the game settings page,
# the shortcut panel, the side-program editor and its browser, direct join, both info windows,
# the folder, taunt and ship-logo browsers, the clean-now window with its question and the
# statistics question; then Gatefire's window under its question about a direct join. The scenario fails on any control cut off, outgrown, outside its window
# or on another, and on a box narrower than its title; each window is also saved as a
# screenshot.
source "$(dirname "$0")/lib.sh"
e2e_begin layout

put_files "$USER_D3/custom/sounds" Hello.osf
put_files "$USER_D3/custom/graphics" Ship.ogf
put_files "$USER_D3/netgames" one.stats

# access_key CODE ENGLISH: the letter that opens a menu in that language.
access_key() {
    local text=$2
    [[ $1 == en ]] || text=$(catalogue_text "$1" "$2")
    text=${text#*&}
    printf '%s' "${text:0:1}" | tr '[:upper:]' '[:lower:]'
}

# other_window: the id of the one shown window besides Scourix's main window, waiting for it.
other_window() {
    local deadline=$((SECONDS + 10)) id
    while ((SECONDS < deadline)); do
        for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null || true); do
            [[ $id != "$MAIN" ]] && { echo "$id"; return; }
        done
        sleep 0.1
    done
    fail "no window opened"
}

# look NAME: the other window once the check has had its time, saved as a screenshot.
look() {
    sleep 0.8
    import -window root "$SC_DIR/screen.png"
    convert "$SC_DIR/screen.png" -fuzz 1% -trim +repage "$SCREENSHOTS/linux-layout-$1.png"
}

close_other() { # the other window closed as by its close button
    local id
    id=$(other_window)
    look "$1"
    "$STANDINS/close-window" "$id"
    sleep 0.3
}

# in_menu CODE MENU KEY...: a menu of the main window opened by its letter and walked.
in_menu() {
    menu Scourix "$(access_key "$1" "$2")" "${@:3}"
}

n=0 gatefires=0
for lang in en de fr es it; do
    write_settings Language=$(case $lang in en) echo 2 ;; de) echo 1 ;; fr) echo 3 ;; es) echo 4 ;; it) echo 5 ;; esac)
    start_program scourix
    MAIN=$(window_id Scourix)
    look "$lang-main"

    # The game settings page and the shortcut panel lie in the main window.
    in_menu $lang "&file" Down Return
    look "$lang-game-settings"
    click Scourix 372 324
    in_menu $lang "&extra" Return
    look "$lang-shortcuts"
    click Scourix 232 255

    # Side programs, then direct join (the entry above it, the last).
    in_menu $lang "&extra" Down Return
    id=$(other_window)
    xdotool mousemove --window "$id" 23 91 click 1
    close_other "$lang-side-programs-browse"
    in_menu $lang "&extra" Up Return
    close_other "$lang-direct-join"

    # Both info windows.
    in_menu $lang "&info" Return
    close_other "$lang-info-taunts"
    in_menu $lang "&info" Up Return
    close_other "$lang-info"

    # The browsers: the game folder's, the ship logos', the taunts'.
    click Scourix 405 45
    close_other "$lang-browse-folder"
    click Scourix 405 105
    close_other "$lang-browse-logos"
    click Scourix 405 292
    close_other "$lang-browse-taunts"

    # The statistics question, answered No; clean now: its question, then the window.
    click Scourix 111 229
    id=$(other_window)
    look "$lang-stats-question"
    xdotool windowfocus --sync "$id" key Escape
    sleep 0.3
    in_menu $lang "&action" Return
    id=$(other_window)
    look "$lang-clean-question"
    xdotool windowfocus --sync "$id" key Return
    sleep 0.5
    close_other "$lang-clean-now"

    # Closed: its question to save, answered Yes.
    close_window Scourix
    id=$(other_window)
    look "$lang-close-question"
    xdotool windowfocus --sync "$id" key Return
    wait_end "$LAST_PID"
    looked=$(grep -c '^window=' "$SC_DIR/layout.log")
    ((looked - n >= 12)) || fail "$lang: only $((looked - n)) windows were looked at:"$'\n'"$(tail -n $((looked - n)) "$SC_DIR/layout.log")"
    note "$lang: $((looked - n)) windows looked at"
    n=$looked

    # Gatefire's window with its counters under its question about a direct join.
    write_lines "$PROG/direckt.ini" '"10.0.0.7:2092"' '"2"' '"1"'
    rm -f "$GAME/launched.txt"
    start_program gatefire
    window_id gatefire >/dev/null
    look "$lang-gatefire"
    press gatefire Return
    wait_for_file "$GAME/launched.txt"
    wait_end "$LAST_PID"
    gatefires=$((gatefires + 1))
    (($(grep -c '^window=Gatefire$' "$SC_DIR/layout.log") >= gatefires)) ||
        fail "$lang: Gatefire's window was not looked at"
done
note "passed"
