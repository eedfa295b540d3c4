#!/usr/bin/env bash
# The release as a player gets it: the silent install puts both programs, the README, the
# license and the uninstaller into the player's own programs folder, with Start-menu entries and
# an "Apps & features" entry; the installed gatefire.exe runs a real launch; the silent uninstall
# removes programs, shortcuts and the entry and keeps the settings files. A chosen folder (/D=)
# is honoured, and the zip, unpacked anywhere, runs as it is.
source "$(dirname "$0")/lib.sh"
e2e_begin install

PACKAGE=${PACKAGE:-$(dirname "$BIN")/package}
setup=$(ls "$PACKAGE"/Scourix-*-setup.exe 2>/dev/null | head -n1) ||
    true
[[ -n "$setup" ]] || fail "no installer in $PACKAGE: run tools/package first"
zip=${setup%-setup.exe}.zip
need_file "$zip"
cp "$setup" "$TOOLS/setup.exe"

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scourix'
# The Wine user's own folders below C:\users.
USER_DIR=$(find "$C_DRIVE/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
INSTALLED=$USER_DIR/AppData/Local/Programs/Scourix
START_MENU="$USER_DIR/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Scourix"

# run_silent PROGRAM ARG...: a silent installer or uninstaller, which must end by itself.
run_silent() {
    timeout 120 wine "$@" >>"$SC_DIR/install.log" 2>&1 || fail "$1 $2 failed (see install.log)"
}

# A launch by the installed gatefire.exe on the game folder, cleaning one foreign taunt.
launch_from() { # PROGRAM_FOLDER WINDOWS_PATH_OF_IT
    PROG=$1 PROG_WIN=$2
    write_default_settings TauntNoAction=0 TauntDeleteOthers=1
    write_keep_list "$PROG/taunts.ini" mine.osf
    rm -f "$GAME/launched.txt"
    put_files "$GAME/custom/sounds" mine.osf other_1a2b3c4d.osf
    start_gatefire
    wait_for_file "$GAME/launched.txt"
    wait_gatefire
    assert_listing "$GAME/custom/sounds" mine.osf
    assert_eq "-Launched " "$(launched cmdline)" "game command line from $PROG_WIN"
}

make_game_folder

note "silent install into the default folder"
run_silent "$TOOLS_WIN\\setup.exe" /S
assert_listing "$INSTALLED" gatefire.exe scourix.exe README.md LICENSE Uninstall.exe
assert_same_content "$BIN/gatefire.exe" "$INSTALLED/gatefire.exe" "installed gatefire.exe"
assert_listing "$START_MENU" Scourix.lnk Gatefire.lnk
entry=$(timeout 60 wine reg query "$UNINSTALL_KEY" 2>/dev/null | tr -d '\r') ||
    fail "no \"Apps & features\" entry ($UNINSTALL_KEY)"
assert_contains "$entry" "DisplayVersion    REG_SZ    $(basename "$setup" | sed 's/^Scourix-//; s/-setup.exe$//')" \
    "entry's version"
assert_contains "$entry" "Publisher    REG_SZ    The Scourix developers" "entry's publisher"
assert_contains "$entry" 'UninstallString    REG_SZ    "C:\users\' "entry's uninstaller"

installed_win="C:${INSTALLED#"$C_DRIVE"}"
launch_from "$INSTALLED" "${installed_win//\//\\}"
settings=(scourix.ini logos.ini taunts.ini keys.ini network.ini direckt.ini shelllist.txt)

note "silent uninstall keeps the settings files"
run_silent "${installed_win//\//\\}\\Uninstall.exe" /S
# The uninstaller runs on from a copy of itself: wait until it is done.
deadline=$((SECONDS + 60))
while [[ -e "$INSTALLED/Uninstall.exe" || -e "$START_MENU" ]]; do
    ((SECONDS < deadline)) || fail "the uninstaller did not finish within 60 s"
    sleep 0.2
done
settle
assert_listing "$INSTALLED" "${settings[@]}"
assert_missing "$START_MENU" "Start-menu folder after uninstall"
if timeout 60 wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1; then
    fail "the \"Apps & features\" entry is still there after the uninstall"
fi

note "silent install into a chosen folder"
run_silent "$TOOLS_WIN\\setup.exe" /S '/D=C:\Tools\Scourix'
assert_listing "$C_DRIVE/Tools/Scourix" gatefire.exe scourix.exe README.md LICENSE Uninstall.exe

note "the zip, unpacked, runs as it is"
mkdir -p "$C_DRIVE/Unpacked"
(cd "$C_DRIVE/Unpacked" && python3 -m zipfile -e "$zip" .)
unpacked=$(find "$C_DRIVE/Unpacked" -name gatefire.exe -printf '%h\n' | head -n1)
[[ -n "$unpacked" ]] || fail "the zip holds no gatefire.exe"
assert_listing "$unpacked" gatefire.exe scourix.exe README.md LICENSE
unpacked_win="C:${unpacked#"$C_DRIVE"}"
launch_from "$unpacked" "${unpacked_win//\//\\}"

e2e_pass
