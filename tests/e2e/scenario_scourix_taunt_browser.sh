#!/usr/bin/env bash
# Play and rename in the browser. Mode "sounds2": a double-click plays the taunt from the backup
# folder with auto-close; the tester, as it closes, leaves the focus on another window of ours,
# and the browser takes it back. Rename in the backup folder refuses a name that differs from a
# taunt there only in letter case, both files intact, then renames; rename in the game folder.
# The keep list keeps the old name.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_taunt_browser

make_scourix_folder
make_game_folder
write_default_settings TauntNoAction=0 TauntBackupOthers=1 TauntBackupPath='C:\Backup' \
    MusicTesterPath='C:\Tools\MusicTester.exe' AutoCloseTester=1
write_keep_list "$PROG/taunts.ini" hello.osf
put_files "$GAME/custom/sounds" hello.osf alpha.osf
put_files "$C_DRIVE/Backup" Saved.osf other.osf
put_tester 'C:\Tools'
printf 'Witness\r\n' >"$C_DRIVE/Tools/MusicTester-focus.txt"
LOG=$C_DRIVE/Tools/MusicTester-keys.txt

start_scourix
wait_main_window
start_witness

WIN="select your taunt's from backup"
WIN=Scourix ui_click auslagersound
drive wait-window --title "$WIN" --timeout 10000 || fail "the browser did not open"
assert_ui umbenen enabled 1
ui_select File1 --item Saved.osf --dblclick
wait_tester_closed "$LOG"
assert_same_content "$C_DRIVE/Backup/Saved.osf" "$C_DRIVE/mt/test.osf" "preview file from the backup"
assert_tester_run "$LOG" 'C:\mt\test.osf'
# The witness got the focus from the closing tester, the browser took it back.
sleep 1
drive foreground
assert_eq "$WIN" "$(box_field title)" "window with the focus after playing"
assert_eq "focus blur" "$(awk '$1 == "focus" || $1 == "blur" { print $1 }' "$TOOLS/Witness-keys.txt" | tail -n2 | tr '\n' ' ' | sed 's/ $//')" \
    "the witness had the focus and lost it"
assert_eq "" "$(tester_keys "$TOOLS/Witness-keys.txt")" "keys the witness got"
screenshot scourix-taunt-browser-played

# Rename in the backup folder: a case-only clash is refused and asked again.
ui_select File1 --item other.osf
ui_click umbenen --post
expect_input "rename..." "without .osf" other OK saved
expect_box scourix "Name already assign! Enter please new!" OK error OK
expect_input "rename..." "without .osf" other OK renamed
wait_for_file "$C_DRIVE/Backup/renamed.osf" 10
assert_listing "$C_DRIVE/Backup" Saved.osf renamed.osf
assert_bytes "$C_DRIVE/Backup/Saved.osf" 'content of Saved.osf\n' "Saved.osf after the refused name"
assert_bytes "$C_DRIVE/Backup/renamed.osf" 'content of other.osf\n' "the renamed taunt"
assert_eq "Saved.osf renamed.osf" "$(ui_items File1 | sort | tr '\n' ' ' | sed 's/ $//')" "list after renaming"
ui_click abbruch
drive wait-window --title "$WIN" --gone --timeout 10000 || fail "cancel left the browser open"

# Rename in the game folder; the extension typed as well gives a second one.
WIN="select your taunt's"
WIN=Scourix ui_click mysoundsplus
drive wait-window --title "$WIN" --timeout 10000 || fail "the taunt browser did not open"
ui_select File1 --item hello.osf
ui_click umbenen --post
expect_input "rename..." "without .osf" hello OK greeting.osf
wait_for_file "$GAME/custom/sounds/greeting.osf.osf" 10
assert_listing "$GAME/custom/sounds" alpha.osf greeting.osf.osf
ui_click abbruch
WIN=Scourix
assert_items mysounds hello.osf

stop_witness
drive close --window Scourix
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end 60
e2e_pass
