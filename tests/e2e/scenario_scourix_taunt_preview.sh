#!/usr/bin/env bash
# The taunt preview from the main window: the sound tester's path found through "musictester
# path" and its search window (screenshots of both in both languages), then ">" with "shutdown
# player automatic": the preview file holds the taunt, and the stand-in tester gets the loading
# sequence with the preview file's path and, about 3.8 s later, the closing sequence, on which
# it closes. The path and the flag reach scourix.ini with the save.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_taunt_preview

make_scourix_folder
make_game_folder
write_default_settings
write_keep_list "$PROG/taunts.ini" hello.osf
put_files "$GAME/custom/sounds" hello.osf other.osf
put_tester 'C:\Games\Tools'
LOG=$C_DRIVE/Games/Tools/MusicTester-keys.txt

start_scourix
wait_main_window
assert_ui play1 enabled 1 "> without a tester path: Scourix plays the taunt itself"

# The options window and its search window, English then German.
for lang in en de; do
    if [[ $lang == de ]]; then
        ui_menu "&file/scourix language/german"
        ui_menu "&Extra/Musictester Pfad"
    else
        ui_menu "&extra/musictester path"
    fi
    WIN=toolpath
    drive wait-window --title toolpath --timeout 10000 || fail "the options window did not open"
    check_layout toolpath
    if [[ $lang == en ]]; then
        assert_ui Label1 text "musictester path"
        assert_ui plyeraus text "shutdown player automatic"
        sucher="search musictester.exe"
    else
        assert_ui Label1 text "Musictester Pfad"
        assert_ui plyeraus text "automatisch beenden wenn abgespielt"
        sucher="suche musictester.exe"
    fi
    if [[ $lang == en ]]; then
        assert_ui mtpfad text ""
    else
        assert_ui mtpfad text 'C:\Games\Tools\MusicTester.exe' "the path set in English"
    fi
    screenshot "scourix-mt-$lang"
    ui_click brows1
    WIN=$sucher
    drive wait-window --title "$WIN" --timeout 10000 || fail "the search window did not open"
    check_layout "$WIN"
    assert_eq "$(printf '%s\n' 'C:\' Games Descent3 Tools)" \
        "$(ui_items Dir1 | sed 's/^ *//; s/^\(▾\|▸\) //')" "search starts in the game folder's parent"
    assert_eq 0 "$(ui_field File1 count)" "no tester in the game folder's parent"
    ui_click Command1
    drive wait-window --title "$WIN" --timeout 2000 || fail "ok without a tester closed the search"
    ui_select Dir1 --item Tools --dblclick
    assert_items File1 MusicTester.exe
    screenshot "scourix-sucher-$lang"
    ui_click Command1
    drive wait-window --title "$WIN" --gone --timeout 10000 || fail "the search window stayed open"
    WIN=toolpath
    assert_ui mtpfad text 'C:\Games\Tools\MusicTester.exe' "path found by the search"
    if [[ $lang == en ]]; then
        ui_click plyeraus
        ui_click speichern
        drive wait-window --title toolpath --gone --timeout 10000 || fail "ok left the options open"
    else
        assert_ui plyeraus checked 1 "the flag set in English"
        drive close --window toolpath
        drive wait-window --title toolpath --gone --timeout 10000 || fail "the options stayed open"
    fi
    WIN=Scourix
done
ui_menu "&Datei/Scourix Sprache/Englisch"
assert_ui play1 enabled 1 "> with a tester path"

# Play with auto-close.
ui_select mysounds --item hello.osf
ui_click play1
wait_tester_closed "$LOG"
screenshot scourix-taunt-preview-after
assert_same_content "$GAME/custom/sounds/hello.osf" "$C_DRIVE/mt/test.osf" "preview file"
assert_tester_run "$LOG" 'C:\mt\test.osf'
expect_no_box 500

ui_menu "&file/save config"
assert_eq '"C:\Games\Tools\MusicTester.exe"|1' "$(sed -n '14p;15p' "$PROG/scourix.ini" | tr -d '\r' | paste -sd'|')" \
    "tester path and flag in scourix.ini"

drive close --window Scourix
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end
e2e_pass
