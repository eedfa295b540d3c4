#!/usr/bin/env bash
# The test tools themselves under Wine: the driver reads and answers message boxes of another
# process (text, buttons, icon, the pressed button arrives), tells a window apart from no
# window; the game stand-in records its command line, folder and registry values; the
# benchmark's bare-delete keeps exactly the names of its keep list.
source "$(dirname "$0")/lib.sh"
e2e_begin driver --no-gatefire

box() { # TITLE TEXT FLAGS
    rm -f "$TOOLS/boxshow_result.txt"
    timeout 60 wine "$TOOLS_WIN\\boxshow.exe" box "$1" "$2" "$3" >/dev/null 2>&1 &
}

box gatefire "Joint Server now ?" 0x24 # MB_YESNO | MB_ICONQUESTION
expect_box gatefire "Joint Server now ?" "Yes|No" question No
wait_for_file "$TOOLS/boxshow_result.txt"
assert_eq "result=7" "$(cat "$TOOLS/boxshow_result.txt")" "answer No reaches the program (IDNO)"

box "Gatefire error" "Error ! Path not found" 0x10 # MB_OK | MB_ICONHAND
expect_box "Gatefire error" "Error ! Path not found" "OK" error OK
wait_for_file "$TOOLS/boxshow_result.txt"
assert_eq "result=1" "$(cat "$TOOLS/boxshow_result.txt")" "answer OK (IDOK)"

box gatefire "please start scourix first ! start scourix now ?" 0x41 # MB_OKCANCEL | MB_ICONASTERISK
expect_box gatefire "please start scourix first ! start scourix now ?" "OK|Cancel" information Cancel
wait_for_file "$TOOLS/boxshow_result.txt"
assert_eq "result=2" "$(cat "$TOOLS/boxshow_result.txt")" "answer Cancel (IDCANCEL)"
[[ "$(box_field icon)" != unknown ]] || note "icon recognition unavailable on this display"

box other $'two\nlines' 0x30 # MB_ICONEXCLAMATION
if drive box --title gatefire --timeout 1500; then fail "a box titled 'other' matched --title gatefire"; fi
expect_box other "two\\nlines" "OK" warning OK
wait_for_file "$TOOLS/boxshow_result.txt"

drive no-box --ms 1000 || fail "no-box saw a dialog where none was: $DRIVER_OUT"
box late "shown late" 0
if drive no-box --ms 15000; then fail "no-box missed a dialog"; fi
assert_eq "late" "$(box_field title)" "no-box reports the dialog it saw"
drive box --title late --press OK --timeout 5000 || fail "could not close the late box"

timeout 60 wine "$TOOLS_WIN\\boxshow.exe" window Gatefire 8000 >/dev/null 2>&1 &
drive wait-window --title Gatefire --timeout 20000 || fail "wait-window did not find the window"
assert_eq "300x200" "$(sed -n 's/^rect=.*,//p' <<<"$DRIVER_OUT")" "window size"
if drive wait-window --title Nothing --timeout 500; then fail "wait-window found a window that is not there"; fi

# The game stand-in, started as the shell starts it, with trailing blanks kept.
mkdir -p "$GAME"
cp "$STANDINS/Main.exe" "$GAME/"
reg_add TrackerLogin REG_SZ "pilot é"
reg_add LanguageType REG_DWORD 3
(cd "$C_DRIVE" && timeout 60 wine "$TOOLS_WIN\\boxshow.exe" run "$GAME_WIN\\Main.exe" "-Launched -x  -y " "$GAME_WIN") ||
    fail "boxshow could not start Main.exe"
wait_for_file "$GAME/launched.txt"
settle
assert_eq "-Launched -x  -y " "$(launched cmdline)" "command line with its blanks"
assert_eq "$GAME_WIN" "$(launched cwd)" "working folder"
assert_eq "pilot é" "$(launched reg.TrackerLogin)" "REG_SZ value read by the 32-bit game"
assert_eq "dword:3" "$(launched reg.LanguageType)" "REG_DWORD value"
assert_eq "<missing>" "$(launched reg.Default_pilot)" "missing value"
assert_eq "REG_DWORD 0x3" "$(reg_value LanguageType)" "reg query of the 32-bit view"
[[ "$(launched time_ms)" =~ ^[0-9]{13}$ ]] || fail "time_ms is not epoch milliseconds: $(launched time_ms)"

cp "$STANDINS/bare-delete.exe" "$TOOLS/"
put_files "$C_DRIVE/bd" Taunt1.osf taunt1_x.osf mine.osf "with blank.osf" other.osf
write_lines "$C_DRIVE/keep.ini" "$(q Taunt1.osf)" "mine.osf" "with blank.osf" "absent.osf"
timeout 60 wine "$TOOLS_WIN\\bare-delete.exe" 'C:\bd' 'C:\keep.ini' || fail "bare-delete failed"
assert_listing "$C_DRIVE/bd" Taunt1.osf mine.osf "with blank.osf"

e2e_pass
