# shellcheck shell=bash
# Helpers for the Linux end-to-end scenarios: the real gatefire and scourix on a game folder with
# our stand-in Descent3, a private home (XDG folders) per scenario, an Xvfb display of its own,
# and xdotool for the windows and boxes. A scenario sources this file and calls e2e_begin NAME.
# Environment (set by CTest; defaults for running a script by hand):
#   BIN       folder holding gatefire and scourix      (build/native/bin)
#   STANDINS  folder holding the stand-in Descent3     (build/native/stand-ins)
#   E2E_WORK  work folder, one folder per scenario     (build/native/e2e-linux)
set -euo pipefail

E2E_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BIN=${BIN:-$E2E_REPO/build/native/bin}
STANDINS=${STANDINS:-$E2E_REPO/build/native/stand-ins}
E2E_WORK=${E2E_WORK:-$E2E_REPO/build/native/e2e-linux}
SCREENSHOTS=${SCREENSHOTS:-$(dirname "$E2E_WORK")/screenshots}
SCENARIO=""
XVFB_PID=""
PIDS=()

fail() {
    echo "FAIL [$SCENARIO]: $*" >&2
    exit 1
}
note() { echo "[$SCENARIO] $*"; }
assert_eq() { # EXPECTED ACTUAL WHAT
    [[ "$1" == "$2" ]] || fail "$3"$'\n'"  expected: [$1]"$'\n'"  actual:   [$2]"
}
assert_listing() { # DIR NAME...: exactly these files, in any order
    local want got
    want=$(printf '%s\n' "${@:2}" | sort)
    got=$(cd "$1" && find . -maxdepth 1 -type f -printf '%f\n' | sort)
    assert_eq "$want" "$got" "files in ${1#"$SC_DIR"/}"
}
assert_same_content() { cmp -s "$1" "$2" || fail "$3: ${1#"$SC_DIR"/} and ${2#"$SC_DIR"/} differ"; }

# A scenario that passed fails still when the layout check found a problem in a window, or when
# a program's output (the .log files of the scenario) carries a critical or a warning of GTK or
# GLib: each is a fault of the program.
cleanup() {
    local status=$? p faults
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
    ((status == 0)) || return 0
    if [[ -f "$SC_DIR/layout.log" ]] && grep -q '^problem=' "$SC_DIR/layout.log"; then
        echo "FAIL [$SCENARIO]: layout problems:"$'\n'"$(grep '^problem=' "$SC_DIR/layout.log" | sort -u)" >&2
        exit 1
    fi
    faults=$(grep -H -E '[A-Za-z]+-(CRITICAL|WARNING) \*\*' "$SC_DIR"/*.log 2>/dev/null) || return 0
    echo "FAIL [$SCENARIO]: GTK or GLib reported faults:"$'\n'"$faults" >&2
    exit 1
}

# A fresh scenario folder with its own home, XDG folders and display. With "fresh" as the second
# argument the home holds nothing yet and the game folder only the stand-in program, as a new
# player's machine has them.
e2e_begin() {
    SCENARIO=$1
    SC_DIR=$E2E_WORK/$SCENARIO
    rm -rf "$SC_DIR"
    mkdir -p "$SC_DIR/home" "$SCREENSHOTS"
    export HOME=$SC_DIR/home XDG_DATA_HOME=$SC_DIR/home/.local/share
    export XDG_CONFIG_HOME=$SC_DIR/home/.config LANG=C.UTF-8 NO_AT_BRIDGE=1
    # Every window the programs show is checked for controls cut off, outgrown or overlapping.
    export GTK_MODULES=$STANDINS/liblayoutcheck.so LAYOUT_CHECK_LOG=$SC_DIR/layout.log
    PROG=$XDG_CONFIG_HOME/scourix
    GAME=$SC_DIR/games/Descent3
    USER_D3="$XDG_DATA_HOME/Outrage Entertainment/Descent 3"
    if [[ "${2:-}" == fresh ]]; then
        mkdir -p "$GAME"
    else
        mkdir -p "$PROG" "$GAME/custom/sounds" "$GAME/custom/graphics" "$GAME/netgames" \
            "$USER_D3/custom/sounds" "$USER_D3/custom/graphics" "$USER_D3/netgames"
    fi
    cp "$STANDINS/Descent3" "$GAME/"
    trap cleanup EXIT
    # The server picks a free display itself (two scenarios started at once never share one),
    # and it does not reset when one program closes while the next is about to connect.
    local fdfile=$SC_DIR/xvfb.display
    : >"$fdfile"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 200); do [[ -s "$fdfile" ]] && break; sleep 0.1; done
    [[ -s "$fdfile" ]] || { echo "FAIL [$SCENARIO]: Xvfb gave no display number" >&2; exit 1; }
    export DISPLAY=":$(tr -dc '0-9' <"$fdfile")"
}

put_files() { # DIR NAME...: small files whose content names them
    local dir=$1 name
    mkdir -p "$dir"
    for name in "${@:2}"; do printf 'content of %s\n' "$name" >"$dir/$name"; done
}

q() { printf '"%s"' "$1"; }
# write_lines FILE LINE...: CR LF lines in Windows-1252, as the programs write them.
write_lines() {
    local file=$1
    shift
    if (($# == 0)); then : >"$file"; else printf '%s\r\n' "$@" | iconv -f UTF-8 -t WINDOWS-1252 >"$file"; fi
}

# write_settings [Name=value]...: the seven settings files; scourix.ini takes the values given
# (game folder GAME, no action, English), the others quiet defaults.
write_settings() {
    local -A v=(
        [GamePath]="$GAME" [LogoBackupPath]="" [TauntBackupPath]=""
        [LogoNoAction]=1 [LogoDeleteOthers]=0 [LogoBackupOthers]=0
        [TauntNoAction]=1 [TauntDeleteOthers]=0 [TauntBackupOthers]=0
        [UsePilot]=0 [PilotName]="" [Language]=2 [DeleteStats]=0
    )
    local kv
    for kv in "$@"; do
        [[ -v v[${kv%%=*}] ]] || fail "write_settings: unknown value ${kv%%=*}"
        v[${kv%%=*}]=${kv#*=}
    done
    write_lines "$PROG/scourix.ini" \
        "$(q "${v[GamePath]}")" "$(q "${v[LogoBackupPath]}")" "$(q "${v[TauntBackupPath]}")" \
        "$(q "${v[LogoNoAction]}")" "$(q "${v[LogoDeleteOthers]}")" "$(q "${v[LogoBackupOthers]}")" \
        "$(q "${v[TauntNoAction]}")" "$(q "${v[TauntDeleteOthers]}")" "$(q "${v[TauntBackupOthers]}")" \
        "${v[UsePilot]}" "$(q "${v[PilotName]}")" "$(q "${v[Language]}")" "${v[DeleteStats]}" \
        '""' 0
    write_lines "$PROG/logos.ini"
    write_lines "$PROG/taunts.ini"
    write_lines "$PROG/keys.ini" '"nointro"' '"framecap 0"' '"nosound"' '"***101"'
    write_lines "$PROG/network.ini" English 1 0 0 0 0 1 0 0 1 0 "" ""
    write_lines "$PROG/direckt.ini" '""' '"0"' '"0"'
    local side=()
    for _ in 1 2 3 4 5; do side+=('""' '""' 0); done
    write_lines "$PROG/shelllist.txt" "${side[@]}"
}

keep_list() { # FILE NAME...
    local lines=() n
    for n in "${@:2}"; do lines+=("$(q "$n")"); done
    write_lines "$PROG/$1" "${lines[@]}"
}

start_program() { # NAME: runs BIN/NAME in the background, its output added to NAME.log
    "$BIN/$1" >>"$SC_DIR/$1.log" 2>&1 &
    PIDS+=($!)
    LAST_PID=$!
}

# window_id TITLE [SECONDS]: the first window whose title is exactly TITLE, waiting for it.
# shown_id TITLE: the shown window of exactly that title, if any (xdotool's search ignores case,
# so a box titled "scourix" and the window "Scourix" both match its pattern).
shown_id() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
        [[ "$(xdotool getwindowname "$id" 2>/dev/null)" == "$1" ]] && { echo "$id"; return 0; }
    done
    return 1
}

window_id() {
    local deadline=$((SECONDS + ${2:-20})) id
    while ((SECONDS < deadline)); do
        id=$(shown_id "$1") && { echo "$id"; return; }
        sleep 0.1
    done
    fail "no window titled \"$1\" within ${2:-20} s"
}

# press TITLE KEY: the key typed into the window titled TITLE (a box: Return is its first button).
press() {
    local id
    id=$(window_id "$1")
    xdotool windowfocus --sync "$id" key --clearmodifiers "$2"
}

screenshot() { # NAME TITLE: the screen once the window titled TITLE shows, cut to its windows
    window_id "$2" >/dev/null
    sleep 0.5
    import -window root "$SC_DIR/screen.png"
    convert "$SC_DIR/screen.png" -fuzz 1% -trim +repage "$SCREENSHOTS/linux-$1.png"
    note "screenshot $SCREENSHOTS/linux-$1.png"
}

wait_for_file() { # PATH [SECONDS]
    local deadline=$((SECONDS + ${2:-30}))
    until [[ -e "$1" ]]; do ((SECONDS < deadline)) || fail "${1#"$SC_DIR"/} did not appear"; sleep 0.1; done
}

wait_end() { # PID [SECONDS]
    local deadline=$((SECONDS + ${2:-30}))
    while kill -0 "$1" 2>/dev/null; do ((SECONDS < deadline)) || fail "program $1 did not end"; sleep 0.1; done
}

launched() { # KEY: what the stand-in game recorded
    local line
    line=$(grep -m1 "^$1=" "$GAME/launched.txt") || fail "launched.txt has no $1 line"
    printf '%s' "${line#*=}"
}

# Scourix's controls are found where the layout puts them: X Y below are pixels inside the window
# (the main window's menu bar included), the middle of the control.
click() { # TITLE X Y
    local id
    id=$(window_id "$1")
    xdotool mousemove --window "$id" "$2" "$3" click 1
    sleep 0.2
}

type_into() { # TITLE X Y TEXT: the box's text replaced by TEXT
    local id
    id=$(window_id "$1")
    xdotool mousemove --window "$id" "$2" "$3" click 1
    xdotool windowfocus --sync "$id" key --clearmodifiers ctrl+a BackSpace
    xdotool type --delay 20 "$4"
    sleep 0.2
}

# menu TITLE ALT_KEY KEY...: the menu opened by its letter, then walked with the keys (the first
# entry is highlighted; Up from the first reaches the last).
menu() {
    local id
    id=$(window_id "$1")
    xdotool windowfocus --sync "$id" key --clearmodifiers "alt+$2"
    sleep 0.6
    xdotool key "${@:3}"
    sleep 0.4
}

# The translation of an English source text in the catalogue of language CODE.
catalogue_text() { # CODE ENGLISH: the entry of that very text, without a context
    WANT="$2" msgexec -i "$(dirname "${BASH_SOURCE[0]}")/../../po/$1.po" \
        sh -c '[ "$MSGEXEC_MSGID" = "$WANT" ] && [ -z "${MSGEXEC_MSGCTXT+x}" ] && cat; true'
}

window_gone() { # TITLE [SECONDS]
    local deadline=$((SECONDS + ${2:-10}))
    while shown_id "$1" >/dev/null; do
        ((SECONDS < deadline)) || fail "the window \"$1\" stayed open"
        sleep 0.1
    done
}

# no_window TITLE: no window of that title shows within a second.
no_window() {
    sleep 1
    ! shown_id "$1" >/dev/null || fail "a window \"$1\" showed"
}

crlf() { tr -d '\r' <"$1"; } # a settings file's lines without their CR

close_window() { # TITLE: closed as by its title bar's close button
    "$STANDINS/close-window" "$(window_id "$1")"
    sleep 0.3
}

wait_lines() { # FILE EXPECTED WHAT: the file's lines (without CR) become EXPECTED within 5 s
    local deadline=$((SECONDS + 5))
    until [[ -f "$1" && "$(crlf "$1")" == "$2" ]]; do
        ((SECONDS < deadline)) || assert_eq "$2" "$(crlf "$1" 2>&1)" "$3"
        sleep 0.1
    done
}
