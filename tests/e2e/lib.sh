# Helpers for the end-to-end scenarios: the real gatefire.exe and scourix.exe under Wine on a
# game folder in a fresh prefix, our stand-ins for the game and its neighbours, and driver.exe
# for message boxes and for the controls, menus and input boxes of Scourix's windows.
#
# A scenario sources this file, calls e2e_begin NAME, builds its folders and settings, runs
# gatefire and asserts. Every wait is a poll with a deadline; the prefix's Wine processes are
# ended on exit. Environment (set by CTest, defaults for running a script by hand):
#   E2E_ARCH  i686 or x86_64: the build under test (tools/wine/select; CTest sets it)
#   BIN       folder holding gatefire.exe            (build/win32/bin, build/win64/bin)
#   STANDINS  folder holding the stand-in programs   (build/win32/stand-ins)
#   E2E_WORK  work folder: template prefix, one folder per scenario (build/win32/e2e)
#   E2E_KEEP  1: keep the scenario's prefix after a pass too (it is always kept after a failure)

set -euo pipefail

E2E_SRC=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_REPO=$(cd "$E2E_SRC/../.." && pwd)
# Every wine, wineserver and wineboot below is the one of the build under test.
source "$E2E_REPO/tools/wine/select"
BIN=${BIN:-$E2E_REPO/build/$E2E_BUILD/bin}
STANDINS=${STANDINS:-$E2E_REPO/build/$E2E_BUILD/stand-ins}
E2E_WORK=${E2E_WORK:-$E2E_REPO/build/$E2E_BUILD/e2e}
SCREENSHOTS=${SCREENSHOTS:-$(dirname "$E2E_WORK")/screenshots}
TEMPLATE=$E2E_WORK/template

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

PROG_WIN='C:\Gatefire'
GAME_WIN='C:\Games\Descent3'
TOOLS_WIN='C:\e2e'

SCENARIO=""
SC_DIR=""
XVFB_PID=""
GF_PID=""
SX_PID=""
E2E_PASSED=0

# ---------------------------------------------------------------- reporting and assertions

fail() {
    echo "FAIL [$SCENARIO]: $*" >&2
    exit 1
}

note() { echo "[$SCENARIO] $*"; }

assert_eq() { # EXPECTED ACTUAL WHAT
    if [[ "$1" != "$2" ]]; then
        fail "$3"$'\n'"  expected: [$1]"$'\n'"  actual:   [$2]"
    fi
}

assert_contains() { # HAYSTACK NEEDLE WHAT
    [[ "$1" == *"$2"* ]] || fail "$3: [$2] not found in [$1]"
}

assert_file_exists() { # PATH [WHY]
    [[ -e "$1" ]] || fail "missing file ${1#"$SC_DIR"/}${2:+ ($2)}"
}

assert_missing() { # PATH [WHY]
    [[ ! -e "$1" ]] || fail "file should not exist: ${1#"$SC_DIR"/}${2:+ ($2)}"
}

# assert_listing DIR NAME... : DIR holds exactly these files (plain names, any order).
assert_listing() {
    local dir=$1
    shift
    local expected actual
    expected=$(printf '%s\n' "$@" | sed '/^$/d' | LC_ALL=C sort)
    actual=$(cd "$dir" && find . -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort)
    if [[ "$expected" != "$actual" ]]; then
        fail "files in ${dir#"$SC_DIR"/}"$'\n'"  expected: $(tr '\n' ' ' <<<"$expected")"$'\n'"  actual:   $(tr '\n' ' ' <<<"$actual")"
    fi
}

assert_same_content() { # A B WHAT
    cmp -s "$1" "$2" || fail "$3: ${1#"$SC_DIR"/} and ${2#"$SC_DIR"/} differ"
}

# assert_bytes FILE EXPECTED_PRINTF_FORMAT WHAT: the file's exact bytes.
assert_bytes() {
    local expected actual
    expected=$(printf "$2" | od -An -c | tr -s ' \n' ' ')
    actual=$(od -An -c "$1" | tr -s ' \n' ' ')
    assert_eq "$expected" "$actual" "$3"
}

# ---------------------------------------------------------------- display, prefix, cleanup

start_display() {
    [[ -n "${DISPLAY:-}" ]] && return 0
    local fdfile=$SC_DIR/xvfb.display
    : >"$fdfile"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -br 3>"$fdfile" >"$SC_DIR/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local deadline=$((SECONDS + 20))
    while [[ ! -s "$fdfile" ]]; do
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start (see xvfb.log)"
        ((SECONDS < deadline)) || fail "Xvfb gave no display number within 20 s"
        sleep 0.1
    done
    export DISPLAY=":$(tr -dc '0-9' <"$fdfile")"
}

stop_wine() {
    [[ -n "${WINEPREFIX:-}" && -d "$WINEPREFIX" ]] || return 0
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    timeout 20 wineserver -w >/dev/null 2>&1 || true
}

e2e_cleanup() {
    local rc=$?
    set +e
    [[ -n "$GF_PID" ]] && kill "$GF_PID" 2>/dev/null
    [[ -n "$SX_PID" ]] && kill "$SX_PID" 2>/dev/null
    stop_wine
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    if ((rc == 0 && E2E_PASSED)); then
        [[ "${E2E_KEEP:-0}" == 1 ]] || rm -rf "$SC_DIR/prefix"
        echo "PASS [$SCENARIO]"
    elif ((rc == 0)); then
        echo "FAIL [$SCENARIO]: ended without e2e_pass" >&2
        rc=1
    else
        echo "  (kept for inspection: $SC_DIR)" >&2
    fi
    exit "$rc"
}

# Builds the template prefix once; scenarios copy it (copying takes a second, booting 20-40 s).
make_template() {
    local stamp
    stamp="$E2E_ARCH $(wine --version 2>/dev/null || echo unknown) fonts"
    if [[ -f "$TEMPLATE/.e2e-ready" && "$(cat "$TEMPLATE/.e2e-ready")" == "$stamp" ]]; then
        return 0
    fi
    mkdir -p "$E2E_WORK"
    (
        flock -w 300 9 || exit 1
        [[ -f "$TEMPLATE/.e2e-ready" && "$(cat "$TEMPLATE/.e2e-ready")" == "$stamp" ]] && exit 0
        rm -rf "$TEMPLATE"
        export WINEPREFIX=$TEMPLATE
        timeout 300 wineboot -i >"$E2E_WORK/template.log" 2>&1 || exit 1
        timeout 120 wineserver -w || exit 1
        # Wine's own fonts (Marlett draws the title bars' buttons) where every program finds them.
        cp /usr/share/wine/fonts/*.ttf "$TEMPLATE/drive_c/windows/Fonts/" 2>/dev/null || true
        echo "$stamp" >"$TEMPLATE/.e2e-ready"
    ) 9>"$E2E_WORK/template.lock" || fail "could not create the template Wine prefix (see $E2E_WORK/template.log)"
}

need_file() { [[ -f "$1" ]] || fail "$1 not found: build the $E2E_BUILD preset first"; }

# e2e_begin NAME [--no-gatefire]: fresh prefix with C:\e2e holding the driver and stand-ins.
e2e_begin() {
    SCENARIO=$1
    SC_DIR=$E2E_WORK/$SCENARIO
    trap e2e_cleanup EXIT
    [[ "${2:-}" == --no-gatefire ]] || need_file "$BIN/gatefire.exe"
    local f
    for f in Main.exe side.exe scourix.exe driver.exe driverhook.dll boxshow.exe; do
        need_file "$STANDINS/$f"
    done
    rm -rf "$SC_DIR"
    mkdir -p "$SC_DIR"
    start_display
    make_template
    cp -a "$TEMPLATE" "$SC_DIR/prefix"
    rm -f "$SC_DIR/prefix/.e2e-ready"
    export WINEPREFIX=$SC_DIR/prefix
    C_DRIVE=$WINEPREFIX/drive_c
    PROG=$C_DRIVE/Gatefire
    GAME=$C_DRIVE/Games/Descent3
    TOOLS=$C_DRIVE/e2e
    mkdir -p "$TOOLS"
    cp "$STANDINS/driver.exe" "$STANDINS/driverhook.dll" "$STANDINS/boxshow.exe" "$TOOLS/"
    note "prefix $WINEPREFIX, display $DISPLAY"
}

e2e_pass() { E2E_PASSED=1; }

# ---------------------------------------------------------------- folders and settings files

# Windows path below C: -> path on the Linux side.
unix_path() {
    local p=${1#[Cc]:}
    echo "$C_DRIVE${p//\\//}"
}

make_program_folder() {
    mkdir -p "$PROG"
    cp "$BIN/gatefire.exe" "$PROG/"
}

make_game_folder() {
    mkdir -p "$GAME/custom/sounds" "$GAME/custom/graphics" "$GAME/netgames"
    cp "$STANDINS/Main.exe" "$GAME/"
}

# The open-source game: Descent3.exe in the game folder (beside the retail Main.exe, as players
# install it over their retail data), and the player's own folder (USER_D3), where that edition
# keeps its settings file, pilots, downloaded custom files and statistics.
make_open_source_game_folder() {
    make_game_folder
    cp "$STANDINS/Descent3.exe" "$GAME/"
    USER_D3=$(user_d3_folder)
    mkdir -p "$USER_D3/custom/sounds" "$USER_D3/custom/graphics" "$USER_D3/netgames"
}

# %APPDATA%\Outrage Entertainment\Descent 3 of the prefix's user, on the Linux side.
user_d3_folder() {
    local user
    user=$(cd "$C_DRIVE/users" && ls | grep -vx Public | head -n1)
    echo "$C_DRIVE/users/$user/AppData/Roaming/Outrage Entertainment/Descent 3"
}

# put_files DIR NAME...: small files whose content names them, so copies can be checked.
put_files() {
    local dir=$1 name
    shift
    mkdir -p "$dir"
    for name in "$@"; do printf 'content of %s\n' "$name" >"$dir/$name"; done
}

# Installs a copy of the side-program stand-in as Windows path FOLDER\NAME.
put_side_program() {
    local dir
    dir=$(unix_path "$1")
    mkdir -p "$dir"
    cp "$STANDINS/side.exe" "$dir/$2"
}

q() { printf '"%s"' "$1"; }

# write_lines FILE LINE...: each line followed by CR LF, in Windows-1252 like the programs'.
write_lines() {
    local file=$1
    shift
    if (($# == 0)); then
        : >"$file"
    else
        printf '%s\r\n' "$@" | iconv -f UTF-8 -t WINDOWS-1252 >"$file"
    fi
}

# write_scourix_ini [Name=value]...: scourix.ini as Scourix saves it (quoted style); defaults:
# game folder C:\Games\Descent3, no action for logos and taunts, English, no statistics deletion.
write_scourix_ini() {
    local -A v=(
        [GamePath]="$GAME_WIN" [LogoBackupPath]="" [TauntBackupPath]=""
        [LogoNoAction]=1 [LogoDeleteOthers]=0 [LogoBackupOthers]=0
        [TauntNoAction]=1 [TauntDeleteOthers]=0 [TauntBackupOthers]=0
        [UsePilot]=0 [PilotName]="" [Language]=2 [DeleteStats]=0
        [MusicTesterPath]="" [AutoCloseTester]=0
    )
    local kv
    for kv in "$@"; do
        [[ -v v[${kv%%=*}] ]] || fail "write_scourix_ini: unknown value ${kv%%=*}"
        v[${kv%%=*}]=${kv#*=}
    done
    write_lines "$PROG/scourix.ini" \
        "$(q "${v[GamePath]}")" "$(q "${v[LogoBackupPath]}")" "$(q "${v[TauntBackupPath]}")" \
        "$(q "${v[LogoNoAction]}")" "$(q "${v[LogoDeleteOthers]}")" "$(q "${v[LogoBackupOthers]}")" \
        "$(q "${v[TauntNoAction]}")" "$(q "${v[TauntDeleteOthers]}")" "$(q "${v[TauntBackupOthers]}")" \
        "${v[UsePilot]}" "$(q "${v[PilotName]}")" "$(q "${v[Language]}")" "${v[DeleteStats]}" \
        "$(q "${v[MusicTesterPath]}")" "${v[AutoCloseTester]}"
}

# write_keep_list FILE NAME...: logos.ini / taunts.ini in quoted style (no names: empty file).
write_keep_list() {
    local file=$1 name
    shift
    local lines=()
    for name in "$@"; do lines+=("$(q "$name")"); done
    write_lines "$file" "${lines[@]}"
}

# write_keys_ini FLAGS SWITCH...: quoted switch lines, then "***FLAGS".
write_keys_ini() {
    local flags=$1 s
    shift
    local lines=()
    for s in "$@"; do lines+=("$(q "$s")"); done
    lines+=("$(q "***$flags")")
    write_lines "$PROG/keys.ini" "${lines[@]}"
}

# write_network_ini VALUE x13 (raw style): GameLanguage KeyboardUS KeyboardFrench KeyboardGerman
# NetNone NetDialup NetLan Speed56K SpeedIsdn SpeedCable SpeedFast TrackerName TrackerSecret
write_network_ini() {
    (($# == 13)) || fail "write_network_ini takes 13 values, got $#"
    write_lines "$PROG/network.ini" "$@"
}

write_direckt_ini() { # TARGET MODE ASK
    write_lines "$PROG/direckt.ini" "$(q "$1")" "$(q "$2")" "$(q "$3")"
}

# write_shelllist FILE1 FOLDER1 ENABLED1 ... (15 values, quoted style as the editor saves).
write_shelllist() {
    (($# == 15)) || fail "write_shelllist takes 15 values, got $#"
    local lines=() i
    for ((i = 1; i <= 15; i += 3)); do
        lines+=("$(q "${!i}")")
        local j=$((i + 1)) k=$((i + 2))
        lines+=("$(q "${!j}")" "${!k}")
    done
    write_lines "$PROG/shelllist.txt" "${lines[@]}"
}

# All seven files with quiet defaults: nothing to clean, no switch selected, no direct join,
# no side program, network.ini for an English game on a LAN.
write_default_settings() {
    write_scourix_ini "$@"
    write_keep_list "$PROG/logos.ini"
    write_keep_list "$PROG/taunts.ini"
    write_keys_ini "000" "nointro" "framecap 0" "nosound"
    write_network_ini English 1 0 0 0 0 1 0 0 1 0 "" ""
    write_direckt_ini "" 0 0
    write_shelllist "" "" 0 "" "" 0 "" "" 0 "" "" 0 "" "" 0
}

# ---------------------------------------------------------------- running programs

# start_gatefire: gatefire.exe in the background, started from its program folder as a
# double-click would; its output goes to gatefire.log.
start_gatefire() {
    (cd "$PROG" && exec timeout 120 wine "$PROG_WIN\\gatefire.exe") >"$SC_DIR/gatefire.log" 2>&1 &
    GF_PID=$!
}

# Describes whatever dialog is up (for failure messages).
describe_open_box() {
    timeout 20 wine "$TOOLS_WIN\\driver.exe" box --timeout 200 2>/dev/null | tr -d '\r' | tr '\n' ' ' || true
}

# wait_gatefire [SECONDS]: gatefire must end by itself; then wait until every program of the
# prefix (game, side programs) has ended too, so that what they record is complete.
wait_gatefire() {
    wait_program_end gatefire GF_PID "${1:-60}"
}

# wait_program_end NAME PID_VARIABLE SECONDS: the program must end by itself within SECONDS
# (else the failure names the open dialog and a screenshot is taken); then the prefix settles.
wait_program_end() {
    local name=$1 var=$2 deadline=$((SECONDS + $3))
    while [[ -n "${!var}" ]] && kill -0 "${!var}" 2>/dev/null; do
        if ((SECONDS >= deadline)); then
            local open
            open=$(describe_open_box)
            screenshot "$SCENARIO-hang" || true
            fail "$name still running after $3 s; open dialog: ${open:-none}"
        fi
        sleep 0.1
    done
    [[ -n "${!var}" ]] && wait "${!var}" 2>/dev/null || true
    printf -v "$var" ''
    settle
}

# settle: every Wine process of the prefix has ended (wineserver exits shortly after the last).
settle() {
    timeout 60 wineserver -w || fail "Wine processes of the prefix still running after 60 s"
}

# drive ARGS...: driver.exe with its output in $DRIVER_OUT; returns the driver's exit code.
DRIVER_OUT=""
drive() {
    local rc=0
    DRIVER_OUT=$(timeout 90 wine "$TOOLS_WIN\\driver.exe" "$@" 2>/dev/null | tr -d '\r') || rc=$?
    printf '%s\n' "driver $*" "$DRIVER_OUT" >>"$SC_DIR/driver.log"
    # A reading that ended without a word did not reach the driver's own code (Wine failed to
    # start it): read once more. Commands that act are never repeated.
    if ((rc != 0)) && [[ -z "$DRIVER_OUT" && "$1" == get ]]; then
        rc=0
        DRIVER_OUT=$(timeout 90 wine "$TOOLS_WIN\\driver.exe" "$@" 2>/dev/null | tr -d '\r') || rc=$?
        printf '%s\n' "driver (again, rc=$rc) $*" "$DRIVER_OUT" >>"$SC_DIR/driver.log"
    fi
    return "$rc"
}

# The translation of an English source text in the catalogue of language CODE ("en": the text).
catalogue_text() { # CODE ENGLISH: the entry of that very text, without a context
    if [[ "$1" == en ]]; then printf '%s' "$2"; return; fi
    WANT="$2" msgexec -i "$E2E_REPO/po/$1.po" \
        sh -c '[ "$MSGEXEC_MSGID" = "$WANT" ] && [ -z "${MSGEXEC_MSGCTXT+x}" ] && cat; true'
}

# box_field KEY: a value of the last box the driver described.
box_field() { sed -n "s/^$1=//p" <<<"$DRIVER_OUT" | head -n1; }

# expect_box TITLE TEXT BUTTONS ICON [PRESS]: waits for the box, checks it, presses PRESS.
expect_box() {
    local title=$1 text=$2 buttons=$3 icon=$4 press=${5:-}
    local args=(box --title "$title" --timeout 30000)
    [[ -n "$press" ]] && args+=(--press "$press")
    local rc=0
    drive "${args[@]}" || rc=$?
    ((rc != 2)) || fail "no message box titled [$title] within 30 s; open dialog: $(describe_open_box)"
    assert_eq "$text" "$(box_field text)" "text of the box titled [$title]"
    assert_eq "$buttons" "$(box_field buttons)" "buttons of the box [$text]"
    if [[ "$(box_field icon)" != unknown ]]; then
        assert_eq "$icon" "$(box_field icon)" "icon of the box [$text]"
    fi
    ((rc == 0)) || fail "driver could not press [$press] on [$text]: $DRIVER_OUT"
}

# wait_for_file PATH [SECONDS]
wait_for_file() {
    local deadline=$((SECONDS + ${2:-30}))
    while [[ ! -e "$1" ]]; do
        if ((SECONDS >= deadline)); then
            local open
            open=$(describe_open_box)
            fail "${1#"$SC_DIR"/} did not appear within ${2:-30} s; open dialog: ${open:-none}"
        fi
        sleep 0.1
    done
}

# launched KEY: a line of what the game stand-in recorded (text after "KEY=", spaces kept).
launched() {
    [[ -f "$GAME/launched.txt" ]] || fail "the game was not started (no launched.txt)"
    local line
    line=$(grep -m1 "^$1=" "$GAME/launched.txt") || fail "launched.txt has no $1 line"
    printf '%s' "${line#*=}"
}

# reg_query: the game's key in the 32-bit registry view, as Wine's reg.exe prints it; nothing
# when the key does not exist.
reg_query() {
    local out
    out=$(timeout 60 wine reg query 'HKLM\Software\Outrage\Descent3' /reg:32 2>/dev/null) || return 0
    tr -d '\r' <<<"$out"
}

# reg_value NAME: "TYPE DATA" of one value in the 32-bit view, empty when missing.
reg_value() {
    reg_query | awk -v n="$1" '{
        line = $0; sub(/^ +/, "", line)
        if (index(line, n "    ") == 1) { rest = substr(line, length(n) + 5); sub(/    /, " ", rest); print rest; exit }
    }'
}

# reg_add NAME TYPE DATA: seeds a value in the 32-bit view.
reg_add() {
    reg_add_at 'HKLM\Software\Outrage\Descent3' "$@"
}

# reg_add_at KEY NAME TYPE DATA: the same below any key.
reg_add_at() {
    timeout 60 wine reg add "$1" /v "$2" /t "$3" /d "$4" /f /reg:32 \
        >/dev/null 2>&1 || fail "could not seed registry value $1\\$2"
}

# reg_delete KEY [NAME]: removes a value, or the whole key, from the 32-bit view.
reg_delete() {
    local args=("$1")
    if [[ -n "${2:-}" ]]; then args+=(/v "$2"); fi
    timeout 60 wine reg delete "${args[@]}" /f /reg:32 >/dev/null 2>&1 ||
        fail "could not delete registry ${2:-key} in $1"
}

screenshot() { # NAME
    mkdir -p "$SCREENSHOTS"
    timeout 30 import -window root "$SCREENSHOTS/$1.png" && note "screenshot $SCREENSHOTS/$1.png"
}

# ---------------------------------------------------------------- Scourix

# The program folder with both real programs, as they are installed.
make_scourix_folder() {
    make_program_folder
    cp "$BIN/scourix.exe" "$PROG/"
}

# start_scourix: scourix.exe in the background from its program folder; output to scourix.log.
start_scourix() {
    need_file "$BIN/scourix.exe"
    (cd "$PROG" && exec timeout 240 wine "$PROG_WIN\\scourix.exe") >>"$SC_DIR/scourix.log" 2>&1 &
    SX_PID=$!
}

scourix_running() { [[ -n "$SX_PID" ]] && kill -0 "$SX_PID" 2>/dev/null; }

# wait_main_window: the main window is shown, so its load has run to the end.
wait_main_window() {
    drive wait-window --title Scourix --class ScourixForm --timeout 30000 ||
        fail "the Scourix main window did not show within 30 s; open dialog: $(describe_open_box)"
}

# wait_scourix_end [SECONDS]: scourix.exe must end by itself, then the prefix settles.
wait_scourix_end() {
    wait_program_end scourix SX_PID "${1:-30}"
}

# stop_scourix: ends a Scourix that a scenario leaves running, without a question.
stop_scourix() {
    [[ -n "$SX_PID" ]] && kill "$SX_PID" 2>/dev/null
    wait "$SX_PID" 2>/dev/null || true
    SX_PID=""
    stop_wine
}

# The window the ui_ helpers work on: the main window unless WIN says otherwise.
ui_window() { printf '%s' "${WIN:-Scourix}"; }

# ui_click NAME [--post]: presses a button, check box or option button.
ui_click() {
    drive click --window "$(ui_window)" --control "$@" ||
        fail "could not click $1 in [$(ui_window)]: $DRIVER_OUT"
}

# ui_settext NAME TEXT: types TEXT into a text box (replacing its text).
ui_settext() {
    drive settext --window "$(ui_window)" --control "$1" --text "$2" ||
        fail "could not type into $1 in [$(ui_window)]: $DRIVER_OUT"
}

# ui_select NAME (--index I | --item TEXT) [--add] [--off] [--dblclick]
ui_select() {
    drive select --window "$(ui_window)" --control "$@" ||
        fail "could not select in $1 of [$(ui_window)]: $DRIVER_OUT"
}

# ui_get NAME: the control's state into DRIVER_OUT (read it with box_field / ui_items).
ui_get() {
    drive get --window "$(ui_window)" --control "$1" ||
        fail "could not read $1 in [$(ui_window)]: $DRIVER_OUT"
}

# ui_field NAME KEY: one value of the control (text, enabled, visible, checked, selected...).
ui_field() {
    ui_get "$1"
    box_field "$2"
}

# ui_items NAME: the lines of a list, one per line.
ui_items() {
    ui_get "$1"
    sed -n 's/^item=//p' <<<"$DRIVER_OUT"
}

# assert_ui NAME KEY EXPECTED [WHAT]
assert_ui() {
    assert_eq "$3" "$(ui_field "$1" "$2")" "${4:-$2 of $1 in [$(ui_window)]}"
}

# assert_items NAME LINE...: the list holds exactly these lines.
assert_items() {
    local name=$1
    shift
    assert_eq "$(printf '%s\n' "$@" | sed '/^$/d')" "$(ui_items "$name")" "lines of $name"
}

# ui_menu PATH [--post]: chooses a menu entry by its captions ("&file/save config").
ui_menu() {
    drive menu --window "$(ui_window)" --path "$@" ||
        fail "could not choose the menu entry [$1] in [$(ui_window)]: $DRIVER_OUT"
}

# menu_entry POSITIONS: "caption<TAB>enabled=E checked=C" of one menu entry ("0/5").
menu_entry() {
    drive menu-state --window "$(ui_window)" || fail "could not read the menu: $DRIVER_OUT"
    sed -n "s|^entry=$1	||p" <<<"$DRIVER_OUT"
}

# expect_input TITLE PROMPT DEFAULT PRESS [TEXT]: waits for Scourix's input box, checks it,
# types TEXT (when given) and presses OK or Cancel.
expect_input() {
    local args=(input --timeout 30000 --press "$4")
    (($# >= 5)) && args+=(--text "$5")
    drive "${args[@]}" || fail "input box [$1]: $DRIVER_OUT; open dialog: $(describe_open_box)"
    assert_eq "$1" "$(box_field title)" "title of the input box"
    assert_eq "$2" "$(box_field prompt)" "prompt of the input box [$1]"
    assert_eq "$3" "$(box_field text)" "default text of the input box [$1]"
}

# expect_no_box [MS]: no message box shows up (1.5 s unless told).
expect_no_box() {
    drive no-box --ms "${1:-1500}" || fail "unexpected box: $(tr '\n' ' ' <<<"$DRIVER_OUT")"
}

# check_layout TITLE: no caption cut off, nothing outside the window or on top of another.
check_layout() {
    if ! drive layout --window "$1"; then
        fail "layout of [$1]:"$'\n'"$(grep '^problem=' <<<"$DRIVER_OUT" || echo "$DRIVER_OUT")"
    fi
}

# copy_installer: the packaged installer copied to C:\e2e\setup.exe; SETUP is the package's file,
# version its version.
copy_installer() {
    local package=${PACKAGE:-$(dirname "$BIN")/package}
    SETUP=$(ls "$package"/Scourix-*-setup.exe 2>/dev/null | head -n1) || true
    [[ -n "$SETUP" ]] || fail "no installer in $package: run tools/package first"
    cp "$SETUP" "$TOOLS/setup.exe"
    version=$(basename "$SETUP" | sed 's/^Scourix-//; s/-setup.exe$//')
}

# first_start: Scourix's first start without settings files, its boxes answered OK; the window
# shows and the first-run files are written.
first_start() {
    start_scourix
    expect_box "Scourix - ERROR!!" "Error !! No INI-File or bad INI-File !" "OK" error OK
    expect_box "Scourix - ERROR!!" "new files provide? " "OK|Cancel" question OK
    wait_main_window
    assert_first_run_files
}

# add_own_taunt LISTED NAME: the taunt browser, opened from the main window, lists LISTED (the
# names sorted, one line) and adds NAME to "my taunts".
add_own_taunt() {
    WIN=Scourix ui_click mysoundsplus
    local WIN="select your taunt's"
    drive wait-window --title "$WIN" --timeout 10000 || fail "the taunt browser did not open"
    assert_eq "$1" "$(ui_items File1 | sort | tr '\n' ' ' | sed 's/ $//')" "taunts listed"
    ui_select File1 --item "$2"
    ui_click OK
    drive wait-window --title "$WIN" --gone --timeout 10000 || fail "the taunt browser stayed open"
}

# start_now_yes: "start descent now", the configuration saved; the game is started and Gatefire
# ends.
start_now_yes() {
    WIN=Scourix ui_menu "&action/start descent now" --post
    expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question Yes
    wait_for_file "$GAME/launched.txt" 60
    drive wait-window --title Gatefire --gone --timeout 60000 || fail "Gatefire did not end"
}

# The first-run files of Scourix, byte for byte.
FIRST_RUN_KEYS='deadzone0 0.0\r\nframecap 0\r\nhighvidmem\r\nnointro\r\nnomusic\r\nnosound\r\nnooutdoorfog\r\nnooutragelogo\r\nnopentium3\r\nnorenderwindows\r\nnosparkles\r\nplayermessages\r\nsuperlowmem\r\nuseport 2092\r\nvsync\r\n***011100010110000\r\n'
FIRST_RUN_SCOURIX='\r\n\r\n\r\n1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n\r\n2\r\n\r\n\r\n\r\n'

assert_first_run_files() {
    assert_bytes "$PROG/keys.ini" "$FIRST_RUN_KEYS" "first-run keys.ini"
    assert_bytes "$PROG/scourix.ini" "$FIRST_RUN_SCOURIX" "first-run scourix.ini"
    assert_bytes "$PROG/logos.ini" '' "first-run logos.ini"
    assert_bytes "$PROG/taunts.ini" '' "first-run taunts.ini"
}

# snapshot NAME: copies the program folder's settings files aside, to compare later.
snapshot() {
    rm -rf "$SC_DIR/snap-$1"
    mkdir -p "$SC_DIR/snap-$1"
    find "$PROG" -maxdepth 1 -type f \( -name '*.ini' -o -name '*.txt' -o -name '*.bak' \) \
        -exec cp -p {} "$SC_DIR/snap-$1/" \;
}

# assert_unchanged NAME WHY: the settings files are exactly as in the snapshot.
assert_unchanged() {
    local f
    for f in "$SC_DIR/snap-$1"/*; do
        [[ -e "$f" ]] || continue
        assert_same_content "$f" "$PROG/$(basename "$f")" "$2"
    done
    assert_eq "$(cd "$SC_DIR/snap-$1" && ls | sort)" \
        "$(cd "$PROG" && find . -maxdepth 1 -type f \( -name '*.ini' -o -name '*.txt' -o -name '*.bak' \) -printf '%f\n' | sort)" \
        "settings files present ($2)"
}

# ---------------------------------------------------------------- the sound tester

# put_tester WINDOWS_FOLDER [NAME]: installs the sound-tester stand-in (a window titled "Theme
# File Editor v1.0" recording every key) there as NAME, MusicTester.exe unless told.
put_tester() {
    need_file "$STANDINS/MusicTester.exe"
    local dir
    dir=$(unix_path "$1")
    mkdir -p "$dir"
    cp "$STANDINS/MusicTester.exe" "$dir/${2:-MusicTester.exe}"
}

# start_witness: another key-recording window of ours, titled "Witness", from C:\e2e; it records
# into $TOOLS/Witness-keys.txt and has the focus once it shows.
start_witness() {
    put_tester "$TOOLS_WIN" Witness.exe
    (cd "$TOOLS" && exec timeout 240 wine "$TOOLS_WIN\\Witness.exe" --title Witness) \
        >>"$SC_DIR/witness.log" 2>&1 &
    drive wait-window --title Witness --timeout 30000 || fail "the witness window did not show"
}

# stop_witness: closes the witness window, which ends it.
stop_witness() {
    drive close --window Witness || fail "could not close the witness: $DRIVER_OUT"
}

# tester_keys LOG: the keys a recorder received, one per line.
tester_keys() { awk '$1 == "key" { print $3 }' "$1"; }

# tester_time LOG N: the time (ms after the recorder's start) of its N-th key.
tester_time() { awk -v n="$2" '$1 == "key" && ++i == n { print $2 }' "$1"; }

# wait_tester_closed LOG [SECONDS]: the recorder closed itself on the closing sequence.
wait_tester_closed() {
    local deadline=$((SECONDS + ${2:-30}))
    until [[ -f "$1" ]] && grep -q '^closed ' "$1"; do
        if ((SECONDS >= deadline)); then
            screenshot "$SCENARIO-tester" || true
            fail "the sound tester did not close within ${2:-30} s; it got: $(tester_keys "$1" 2>/dev/null | tr '\n' ' ')"
        fi
        sleep 0.2
    done
}

# The keys the sound tester gets for one preview of PREVIEW_FILE with auto-close, one a line.
expected_tester_keys() {
    local preview=$1 i
    printf '%s\n' '{DOWN}' '{INSERT}' T e s t '{TAB}'
    for ((i = 0; i < ${#preview}; ++i)); do printf '%s\n' "${preview:i:1}"; done
    printf '%s\n' '{TAB}' '{TAB}' '{TAB}' '{TAB}' '{ENTER}'
    printf '%s\n' '{TAB}' '{TAB}' '{TAB}' '{TAB}' '{ENTER}' '%'
    printf '%s\n' '{DOWN}' '{DOWN}' '{DOWN}' '{DOWN}' '{DOWN}' '{ENTER}' '{ENTER}'
}

# assert_tester_run LOG PREVIEW_FILE: the keys of one preview with auto-close, in order; the
# first at least 200 ms after the tester started, the closing sequence about 3.8 s after the
# loading one.
assert_tester_run() {
    local log=$1 loading_keys first last_loading first_closing gap
    assert_eq "$(expected_tester_keys "$2")" "$(tester_keys "$log")" "keys the sound tester got"
    loading_keys=$((7 + ${#2} + 5))
    first=$(tester_time "$log" 1)
    last_loading=$(tester_time "$log" "$loading_keys")
    first_closing=$(tester_time "$log" $((loading_keys + 1)))
    ((first >= 200)) || fail "first key $first ms after the tester started, before 200 ms"
    gap=$((first_closing - last_loading))
    note "first key after $first ms; closing sequence $gap ms after the loading sequence"
    ((gap >= 3700 && gap <= 5000)) || fail "closing sequence $gap ms after the loading one, not about 3800"
}

# ---------------------------------------------------------------- desktop shortcuts

# link_target WINDOWS_PATH: the target of a shell link as the shell's link object reads it
# (linkinfo.exe); empty when it is no readable link.
link_target() {
    [[ -f "$TOOLS/linkinfo.exe" ]] || cp "$STANDINS/linkinfo.exe" "$TOOLS/"
    timeout 60 wine "$TOOLS_WIN\\linkinfo.exe" "$1" 2>/dev/null | tr -d '\r' | sed -n 's/^.* -> //p' |
        grep -v '^<error>$' || true
}
