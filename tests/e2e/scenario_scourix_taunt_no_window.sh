#!/usr/bin/env bash
# Keys never go to another window: with a tester path that starts a program without the tester's
# window, a window of ours that has the focus gets no key, and after waiting a while longer
# Scourix says that the tester's window did not appear. A tester path that does not start and a
# kept taunt that is not in the folder are told as well; Scourix keeps running.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_taunt_no_window

make_scourix_folder
make_game_folder
put_side_program "$TOOLS_WIN" side.exe
write_default_settings MusicTesterPath="$TOOLS_WIN\\side.exe" AutoCloseTester=1
write_keep_list "$PROG/taunts.ini" hello.osf gone.osf
put_files "$GAME/custom/sounds" hello.osf

start_scourix
wait_main_window
start_witness
drive foreground
assert_eq Witness "$(box_field title)" "the witness has the focus"

ui_select mysounds --item hello.osf --dblclick
wait_for_file "$TOOLS/side_started.txt"
sleep 2
drive foreground
assert_eq Witness "$(box_field title)" "the focus while Scourix looks for the tester's window"
expect_box scourix 'The window of the sound tester ("Theme File Editor v1.0") did not appear. Nothing was typed.' \
    OK warning OK
assert_same_content "$GAME/custom/sounds/hello.osf" "$C_DRIVE/mt/test.osf" "preview file"
assert_eq "" "$(tester_keys "$TOOLS/Witness-keys.txt")" "keys the witness got"

# A kept taunt that is not in the folder: told, nothing started.
ui_select mysounds --item gone.osf
ui_click play1 --post
expect_box scourix "The taunt \"C:\\Games\\Descent3\\custom\\sounds\\gone.osf\" is not there. Nothing is played." \
    OK warning OK
assert_eq 1 "$(wc -l <"$TOOLS/side_started.txt")" "starts of the tester path"

# A tester path that does not start.
ui_menu "&extra/musictester path"
WIN=toolpath
drive wait-window --title toolpath --timeout 10000 || fail "the options window did not open"
ui_settext mtpfad 'C:\Nowhere\MusicTester.exe'
ui_click speichern
WIN=Scourix
ui_select mysounds --item hello.osf
ui_click play1 --post
expect_box scourix 'The sound tester "C:\Nowhere\MusicTester.exe" could not be started. Please check its path under "musictester path".' \
    OK warning OK
expect_no_box 6000
assert_eq "" "$(tester_keys "$TOOLS/Witness-keys.txt")" "keys the witness got in the end"
scourix_running || fail "Scourix ended"

stop_witness
drive close --window Scourix
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end 60
e2e_pass
