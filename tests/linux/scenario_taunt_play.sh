#!/usr/bin/env bash
# Taunts heard on Linux without a sound tester: Scourix decodes the ACM taunt itself and plays it
# through SDL, here SDL's disk driver, whose file must then hold the taunt's samples. The main
# window's ">" and the browser's "play" both play it; "play" with nothing chosen says so. No
# preview file is written anywhere. Screenshots of the main window and the browser.
source "$(dirname "$0")/lib.sh"
e2e_begin taunt_play

write_settings
keep_list taunts.ini Hello.osf
"$STANDINS/taunt-tool" write "$USER_D3/custom/sounds/Hello.osf" "$SC_DIR/samples.raw"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$SC_DIR/heard.raw
before=$(cd "$SC_DIR" && find games home/.local -printf '%p %s\n' | sort)

heard() { # WHAT: the driver's file comes to hold the taunt's samples
    local deadline=$((SECONDS + 20))
    until [[ -f "$SDL_DISKAUDIOFILE" ]] && "$STANDINS/taunt-tool" holds "$SDL_DISKAUDIOFILE" "$SC_DIR/samples.raw"; do
        ((SECONDS < deadline)) || fail "$1: the taunt's samples were not played"
        sleep 0.2
    done
}

start_program scourix
screenshot taunt-main Scourix
id=$(window_id Scourix)
# The taunt in "my taunts", then ">".
xdotool mousemove --window "$id" 270 295 click 1
sleep 0.3
xdotool mousemove --window "$id" 406 350 click 1
heard "the main window's >"

# "+" beside "my taunts" opens the browser on the game's taunts.
rm -f "$SDL_DISKAUDIOFILE"
xdotool mousemove --window "$id" 406 298 click 1
bid=$(window_id "select your taunt's")
screenshot taunt-browser "select your taunt's"
xdotool mousemove --window "$bid" 224 316 click 1
press scourix Return
sleep 0.3
[[ ! -e "$SDL_DISKAUDIOFILE" ]] || fail "the browser played with nothing chosen"
xdotool mousemove --window "$bid" 60 28 click 1
sleep 0.3
xdotool mousemove --window "$bid" 224 316 click 1
heard "the browser's play"

after=$(cd "$SC_DIR" && find games home/.local -printf '%p %s\n' | sort)
assert_eq "$before" "$after" "the game's folders after playing"
[[ ! -e "${GAME:0:3}mt" ]] || fail "a preview folder ${GAME:0:3}mt was made"
note "passed"
