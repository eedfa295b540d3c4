#!/usr/bin/env bash
# Mode "2" with the question: after the side programs have started and before the game starts,
# "Joint Server now ?" (title "gatefire", Yes/No, question icon) is asked; Yes passes the target.
# direckt.ini stays as it was. While the question is up the round window is photographed.
source "$(dirname "$0")/lib.sh"
e2e_begin direct_ask_yes

make_program_folder
make_game_folder
write_default_settings
write_direckt_ini "-pxo pxo.example.net:3445" 2 1
cp "$PROG/direckt.ini" "$SC_DIR/direckt.before"
put_side_program 'C:\Side' side.exe
write_shelllist side.exe 'C:\Side' 1 "" "" 0 "" "" 0 "" "" 0 "" "" 0

start_gatefire
drive box --title gatefire --move 8,8 --timeout 30000 ||
    fail "no question box within 30 s; open dialog: $(describe_open_box)"
assert_eq "Joint Server now ?" "$(box_field text)" "question text"
assert_eq "Yes|No" "$(box_field buttons)" "question buttons"
[[ "$(box_field icon)" == unknown ]] || assert_eq question "$(box_field icon)" "question icon"

# While the question is up: side program started, game not yet.
wait_for_file "$C_DRIVE/Side/side_started.txt"
assert_missing "$GAME/launched.txt" "the game starts only after the answer"

# The round window: caption "Gatefire", 311 x 210 pixels, centred on the 1024 x 768 screen.
drive wait-window --title Gatefire --timeout 10000 || fail "no window titled Gatefire"
rect=$(sed -n 's/^rect=//p' <<<"$DRIVER_OUT")
note "Gatefire window at $rect"
assert_eq "311x210" "${rect##*,}" "size of the round window"
IFS=, read -r wx wy _ <<<"$rect"
((wx >= 354 && wx <= 358 && wy >= 277 && wy <= 281)) || fail "window not centred: $rect"
sleep 0.5 # let the moved box's old place repaint before the picture (not an assertion basis)
screenshot gatefire-round
shot=$SCREENSHOTS/gatefire-round.png
convert "$shot" -crop "311x210+$wx+$wy" +repage "$SCREENSHOTS/gatefire-round-window.png"
# Outside the ellipse (the rectangle's corner) the screen must show what lies beside the window.
px() { convert "$shot" -format "%[pixel:p{$1,$2}]" info:; }
outside=$(px $((wx - 4)) $((wy - 4)))
if [[ "$outside" == "$(px $((wx + 315)) $((wy + 214)))" ]]; then
    assert_eq "$outside" "$(px $((wx + 2)) $((wy + 2)))" "top-left corner of the window (outside the round region)"
    assert_eq "$outside" "$(px $((wx + 308)) $((wy + 207)))" "bottom-right corner of the window"
    [[ "$outside" != "$(px $((wx + 155)) $((wy + 105)))" ]] || fail "window centre looks like the background"
else
    note "background beside the window is not uniform; region pixel check skipped"
fi

drive box --title gatefire --press Yes --timeout 5000 || fail "could not answer Yes: $DRIVER_OUT"
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_eq "-Launched  -pxo pxo.example.net:3445" "$(launched cmdline)" "game command line after Yes"
assert_same_content "$SC_DIR/direckt.before" "$PROG/direckt.ini" "direckt.ini in mode 2"
assert_eq "started cwd=C:\\Side args=" "$(cat "$C_DRIVE/Side/side_started.txt")" "side program start"

e2e_pass
