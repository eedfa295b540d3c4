#!/usr/bin/env bash
# Both programs at 96 and at 144 DPI, inside Wine's virtual desktop, where windows get their
# title bars as a player sees them: at 144 DPI every window is half as large again; in English
# and German no caption is cut off and nothing lies on top of another, in the main window, the
# custom-file browser, the clean-now window and Gatefire's window. Screenshots of each
# (dpi96-*.png, dpi144-*.png) are what tools/screenshots takes for the README.
# A window moved to a monitor of another DPI (told so by WM_DPICHANGED, 96 to 144) lays itself
# out again: its controls stand where, and measure their captions as, those of a window opened
# at 144 DPI, and nothing is cut off.
source "$(dirname "$0")/lib.sh"
e2e_begin dpi

make_scourix_folder
make_game_folder
put_files "$GAME" Ace.plt Rookie.plt
put_files "$GAME/custom/sounds" MyTaunt1.osf other_1a2b3c4d.osf
put_files "$GAME/custom/graphics" MyShip.ogf

# HKCU values, which Wine keeps in one view for both builds.
user_reg() { # KEY NAME TYPE DATA
    timeout 60 wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 ||
        fail "could not set $1\\$2"
}
# Every program of the prefix opens in one virtual desktop named Default.
user_reg 'HKCU\Software\Wine\Explorer' Desktop REG_SZ Default
user_reg 'HKCU\Software\Wine\Explorer\Desktops' Default REG_SZ 1024x768

width_of() { # TITLE: width of the window as wait-window prints it (rect=LEFT,TOP,WxH)
    drive wait-window --title "$1" --timeout 10000 || fail "no window [$1]"
    local rect
    rect=$(box_field rect)
    [[ -n "$rect" ]] || fail "no rect for [$1]: $DRIVER_OUT"
    local size=${rect##*,}
    printf '%s' "${size%x*}"
}

declare -A main_width

# controls_of TITLE: the layout's control lines (place, size, text width in the control's font).
controls_of() {
    check_layout "$1"
    grep '^control=' <<<"$DRIVER_OUT"
}
for dpi in 96 144; do
    settle
    user_reg 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$dpi"
    for lang in en de; do
        write_default_settings Language="$([[ $lang == de ]] && echo 1 || echo 2)" UsePilot=1 PilotName=Ace
        write_keep_list "$PROG/taunts.ini" MyTaunt1.osf
        write_keep_list "$PROG/logos.ini" MyShip.ogf
        start_scourix
        wait_main_window
        check_layout Scourix
        main_width[$dpi-$lang]=$(width_of Scourix)
        sleep 0.5
        screenshot "dpi$dpi-scourix-$lang"
        if ((dpi == 96)); then
            drive dpi --window Scourix --dpi 144 || fail "could not change the DPI: $DRIVER_OUT"
            controls_of Scourix >"$SC_DIR/moved-$lang.layout"
            sleep 0.5
            screenshot "dpi96-to-144-scourix-$lang"
        else
            controls_of Scourix >"$SC_DIR/opened-$lang.layout"
        fi
        # The custom-file browser, the largest of the other windows.
        ui_click logoplus
        browser=$([[ $lang == de ]] && echo "Wähle dein Schiffslogo" || echo "select your shiplogo")
        drive wait-window --title "$browser" --timeout 10000 || fail "no browser window [$browser]"
        check_layout "$browser"
        screenshot "dpi$dpi-browser-$lang"
        WIN=$browser ui_click abbruch
        drive wait-window --title "$browser" --gone --timeout 10000 || fail "the browser stayed open"
        # The clean-now window, with its caption in the title bar (nothing to clean here).
        clean=$([[ $lang == de ]] && echo "Säubere...." || echo "clean......")
        ui_menu "$([[ $lang == de ]] && echo "&Aktion/Descent jetzt aufräumen" || echo "&action/clean descent now")" --post
        expect_box scourix "$([[ $lang == de ]] && echo "Konfiguration muss zuerst gespeichert werden! Jetzt speichern?" ||
            echo "Configuration must be save ! Save now ?")" "Yes|No|Cancel" question No
        drive wait-window --title "$clean" --timeout 10000 || fail "no clean-now window [$clean]"
        check_layout "$clean"
        sleep 0.5
        screenshot "dpi$dpi-clean-now-$lang"
        WIN=$clean ui_click okende
        drive wait-window --title "$clean" --gone --timeout 10000 || fail "the clean-now window stayed"
        drive close --window Scourix
        expect_box scourix "$([[ $lang == de ]] && echo "Konfiguration jetzt speichern?" || echo "save config now ?")" \
            "Yes|No|Cancel" question No
        wait_scourix_end
    done

    # Gatefire's round window, held open by its question before a direct join.
    write_default_settings
    write_direckt_ini "-directip 192.0.2.10:2092" 2 1
    start_gatefire
    drive box --title gatefire --move 8,8 --timeout 30000 || fail "the join question did not appear"
    check_layout Gatefire
    sleep 0.5
    screenshot "dpi$dpi-gatefire"
    if ((dpi == 96)); then
        drive dpi --window Gatefire --dpi 144 || fail "could not change Gatefire's DPI: $DRIVER_OUT"
        controls_of Gatefire >"$SC_DIR/moved-gatefire.layout"
        sleep 0.5
        screenshot dpi96-to-144-gatefire
    else
        controls_of Gatefire >"$SC_DIR/opened-gatefire.layout"
    fi
    drive box --title gatefire --press No --timeout 5000 || fail "could not answer the join question"
    wait_for_file "$GAME/launched.txt" 60
    wait_gatefire
    rm -f "$GAME/launched.txt"
done

for which in en de gatefire; do
    diff "$SC_DIR/opened-$which.layout" "$SC_DIR/moved-$which.layout" >"$SC_DIR/moved-$which.diff" ||
        fail "moved to 144 DPI, [$which] is not laid out as opened at 144 DPI (moved-$which.diff)"
done

for lang in en de; do
    small=${main_width[96-$lang]} large=${main_width[144-$lang]}
    note "main window ($lang): $small px wide at 96 DPI, $large px at 144 DPI"
    # Client area 1.5 times as wide; the frame adds a few pixels that do not scale the same.
    ((large * 100 >= small * 140 && large * 100 <= small * 160)) ||
        fail "main window ($lang) at 144 DPI is $large px wide, at 96 DPI $small px: not 1.5 times"
done

e2e_pass
