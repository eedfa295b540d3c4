#!/usr/bin/env bash
# Leaving Scourix, by the window's close box and by "exit", in English and in German, each with
# its own question: Cancel keeps the window with what the player changed and writes nothing; No
# ends without saving; Yes saves and ends. Each way asks one question only.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_close

make_scourix_folder
make_game_folder

# leave WAY: "box" (the close box) or the menu path of "exit".
leave() {
    if [[ "$1" == box ]]; then
        drive close --window Scourix || fail "could not close the window: $DRIVER_OUT"
    else
        ui_menu "$1" --post
    fi
}

# check WAY LANGUAGE QUESTION: LANGUAGE 1 German, 2 English.
check() {
    local way=$1 lang=$2 question=$3
    note "leaving by [$way] with Language $lang"
    write_default_settings Language="$lang"
    snapshot before

    start_scourix
    wait_main_window
    ui_click delstad
    leave "$way"
    expect_box scourix "$question" "Yes|No|Cancel" question Cancel
    expect_no_box 1000
    scourix_running || fail "Cancel ended Scourix ($way)"
    drive wait-window --title Scourix --timeout 2000 || fail "the window is gone after Cancel ($way)"
    assert_ui delstad checked 1 "the change on screen after Cancel ($way)"
    assert_unchanged before "Cancel ($way)"

    leave "$way"
    expect_box scourix "$question" "Yes|No|Cancel" question No
    wait_scourix_end
    assert_unchanged before "No ($way)"

    start_scourix
    wait_main_window
    ui_click delstad
    ui_click soundkill
    leave "$way"
    expect_box scourix "$question" "Yes|No|Cancel" question Yes
    wait_scourix_end
    cp "$PROG/scourix.ini" "$SC_DIR/saved.ini"
    write_scourix_ini Language="$lang" DeleteStats=1 TauntNoAction=0 TauntDeleteOthers=1
    assert_same_content "$PROG/scourix.ini" "$SC_DIR/saved.ini" "scourix.ini saved by Yes ($way)"
}

check box 2 "save config now ?"
check box 1 "Konfiguration jetzt speichern?"
check "&file/exit" 2 "save config now ?"
check "&Datei/Beenden" 1 "Konfiguration jetzt speichern ?"

e2e_pass
