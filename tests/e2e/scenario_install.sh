#!/usr/bin/env bash
# The release as a player gets it: the silent install puts both programs, the README, the
# license and the uninstaller into the player's own programs folder, with Start-menu entries and
# an "Apps & features" entry; the installed gatefire.exe runs a real launch; the silent uninstall
# removes programs, shortcuts and the entry and keeps the settings files. A chosen folder (/D=)
# is honoured, and the zip, unpacked anywhere, runs as it is.
# The player's own files: a folder holding a file of his under one of our names is refused and
# left as it was; beside other files of his the install goes ahead and the uninstall removes
# only what it wrote. An upgrade lands in the folder of the last install and keeps the settings;
# a second copy elsewhere takes the entry, and uninstalling the first leaves it to the second.
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
START_MENU_WIN="C:${START_MENU#"$C_DRIVE"}"
START_MENU_WIN=${START_MENU_WIN//\//\\}

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
assert_listing "$INSTALLED" gatefire.exe scourix.exe README.md LICENSE Uninstall.exe scourix-uninstall.log
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

# reg_entry NAME: the data of one value of the "Apps & features" entry, empty when missing.
reg_entry() {
    timeout 60 wine reg query "$UNINSTALL_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_SZ *//p" || true
}
# uninstall FOLDER WINDOWS_FOLDER: the silent uninstaller of that copy, to its end.
uninstall() {
    run_silent "$2\\Uninstall.exe" /S
    local deadline=$((SECONDS + 60))
    while [[ -e "$1/Uninstall.exe" ]]; do
        ((SECONDS < deadline)) || fail "the uninstaller in $2 did not finish within 60 s"
        sleep 0.2
    done
    settle
}
ours=(gatefire.exe scourix.exe README.md LICENSE Uninstall.exe scourix-uninstall.log)

note "a folder with the player's own README.md and LICENSE is refused and left alone"
MINE=$C_DRIVE/Games/MyTools
put_files "$MINE" README.md LICENSE notes.txt
cp -a "$MINE" "$SC_DIR/mine-before"
rc=0
timeout 120 wine "$TOOLS_WIN\\setup.exe" /S '/D=C:\Games\MyTools' >>"$SC_DIR/install.log" 2>&1 || rc=$?
assert_eq 2 "$rc" "exit code of a silent install refused"
diff -r "$SC_DIR/mine-before" "$MINE" >/dev/null || fail "the refused install changed the player's folder"
if timeout 60 wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1; then
    fail "the refused install made an \"Apps & features\" entry"
fi

note "beside the player's own file, the install and the uninstall touch only theirs"
CUSTOM=$C_DRIVE/Games/Custom
put_files "$CUSTOM" notes.txt
run_silent "$TOOLS_WIN\\setup.exe" /S '/D=C:\Games\Custom'
assert_listing "$CUSTOM" notes.txt "${ours[@]}"
launch_from "$CUSTOM" 'C:\Games\Custom'
assert_eq 'C:\Games\Custom' "$(reg_entry InstallLocation)" "entry's folder"

note "an upgrade without /D= lands in the folder of the last install"
rm "$CUSTOM/README.md"
cp "$CUSTOM/scourix.ini" "$SC_DIR/scourix.ini-before"
run_silent "$TOOLS_WIN\\setup.exe" /S
assert_listing "$CUSTOM" notes.txt "${ours[@]}" "${settings[@]}"
assert_same_content "$SC_DIR/scourix.ini-before" "$CUSTOM/scourix.ini" "scourix.ini after the upgrade"
assert_missing "$INSTALLED/scourix.exe" "a second copy in the default folder"
assert_eq "C:\\Games\\Custom\\scourix.exe" "$(link_target "${START_MENU_WIN}\\Scourix.lnk")" \
    "Start-menu link after the upgrade"

note "a second copy takes the entry; uninstalling the first leaves the second's entry and links"
run_silent "$TOOLS_WIN\\setup.exe" /S '/D=C:\Tools\Scourix'
assert_listing "$C_DRIVE/Tools/Scourix" "${ours[@]}"
assert_eq 'C:\Tools\Scourix' "$(reg_entry InstallLocation)" "entry's folder after the second copy"
uninstall "$CUSTOM" 'C:\Games\Custom'
assert_listing "$CUSTOM" notes.txt "${settings[@]}"
assert_eq 'C:\Tools\Scourix' "$(reg_entry InstallLocation)" "entry's folder after the first copy left"
assert_listing "$START_MENU" Scourix.lnk Gatefire.lnk
assert_eq "C:\\Tools\\Scourix\\gatefire.exe" "$(link_target "${START_MENU_WIN}\\Gatefire.lnk")" \
    "Start-menu link of the second copy"
uninstall "$C_DRIVE/Tools/Scourix" 'C:\Tools\Scourix'
assert_missing "$C_DRIVE/Tools/Scourix" "the second copy's folder after its uninstall"
assert_missing "$START_MENU" "Start-menu folder after the last uninstall"
assert_eq "" "$(reg_entry InstallLocation)" "entry after the last uninstall"

note "the zip unpacks flat: the programs, README and LICENSE at its top"
assert_eq "$(printf '%s\n' LICENSE README.md gatefire.exe scourix.exe)" \
    "$(python3 -c 'import sys, zipfile; print("\n".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$zip")" \
    "names in the zip"
mkdir -p "$C_DRIVE/Unpacked"
(cd "$C_DRIVE/Unpacked" && python3 -m zipfile -e "$zip" .)
assert_listing "$C_DRIVE/Unpacked" gatefire.exe scourix.exe README.md LICENSE
launch_from "$C_DRIVE/Unpacked" 'C:\Unpacked'

e2e_pass
