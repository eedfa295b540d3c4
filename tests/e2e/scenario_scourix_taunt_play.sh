#!/usr/bin/env bash
# Taunts heard with no sound tester set: Scourix plays them itself through waveOut. Wine's ALSA
# output is ALSA's file plugin over the null device, which writes every stream it gets to a file
# named by the stream's rate, channels and bits; each play must write exactly the samples that
# the taunt decodes to (taunts.exe, the decoder Scourix uses) at the taunt's own rate and
# channels. From the main window (">", a double-click) a raw 16-bit stereo taunt and an ACM one;
# from the browser ("play", a double-click) a raw 8-bit mono and the ACM one. The info window and
# the tester's options say, in the five languages, that the tester is optional. A new taunt stops
# the one still playing, closing Scourix stops it too, and nothing is written to the game's
# folder. Without a sound output (Wine's audio driver turned off), one message.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_taunt_play

make_scourix_folder
make_game_folder
write_default_settings
write_keep_list "$PROG/taunts.ini" acm.osf raw16.osf long.osf
need_file "$STANDINS/taunts.exe"
cp "$STANDINS/taunts.exe" "$TOOLS/"
taunts() { timeout 60 wine "$TOOLS_WIN\\taunts.exe" "$@" 2>/dev/null | tr -d '\r'; }
taunts write "$GAME_WIN\\custom\\sounds" || fail "taunts.exe could not write the taunts"
declare -A format
for t in raw16 raw8 acm long; do
    format[$t]=$(taunts decode "$GAME_WIN\\custom\\sounds\\$t.osf" "Z:$SC_DIR/$t.raw") ||
        fail "taunts.exe could not decode $t.osf"
done
assert_eq "44100 2|11025 1|22050 1|22050 2" "${format[raw16]}|${format[raw8]}|${format[acm]}|${format[long]}" \
    "the taunts' rates and channels"
# A raw 16-bit taunt decodes to its own bytes.
head -c -128 "$GAME/custom/sounds/raw16.osf" | cmp -s - "$SC_DIR/raw16.raw" ||
    fail "raw16.osf does not decode to its own samples"
before=$(cd "$GAME" && find . -printf '%p %s\n' | sort)

# The sound output: Wine's ALSA driver, ALSA's default device a file per stream.
mkdir -p "$SC_DIR/home"
cat >"$SC_DIR/home/.asoundrc" <<EOF
pcm.!default {
    type file
    slave.pcm "null"
    file "$SC_DIR/heard-%r-%c-%b.raw"
    format "raw"
}
EOF
timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1 ||
    fail "could not choose Wine's ALSA driver"

heard_files() { (cd "$SC_DIR" && ls heard-*.raw 2>/dev/null || true); }

# wait_heard FILE SIZE WHAT: the sound output wrote at least SIZE bytes to FILE, then no more.
wait_heard() {
    local file=$SC_DIR/$1 size=0 last=-1 deadline=$((SECONDS + 30))
    while :; do
        size=$(stat -c %s "$file" 2>/dev/null || echo 0)
        ((size >= $2 && size == last)) && break
        ((SECONDS < deadline)) || fail "$3: $size of $2 bytes heard; files: $(heard_files | tr '\n' ' ')"
        last=$size
        sleep 0.5
    done
}

# heard TAUNT WHAT: the system got the taunt's samples, exactly, at its rate and channels.
heard() {
    local want=$SC_DIR/$1.raw file
    read -r rate channels <<<"${format[$1]}"
    file=heard-$rate-$channels-16.raw
    wait_heard "$file" "$(stat -c %s "$want")" "$2"
    assert_eq "$file" "$(heard_files)" "$2: the streams the system got"
    cmp -s "$want" "$SC_DIR/$file" || fail "$2: the samples heard are not the taunt's ($(cmp "$want" "$SC_DIR/$file" 2>&1 | head -n1))"
    note "$2: $(stat -c %s "$want") bytes at $rate Hz, $channels channels, as decoded"
    rm -f "$SC_DIR"/heard-*.raw
}

# cut_short TAUNT WHAT: the system got the start of the taunt's samples, and not all of them.
cut_short() {
    local want=$SC_DIR/$1.raw file size
    read -r rate channels <<<"${format[$1]}"
    file=$SC_DIR/heard-$rate-$channels-16.raw
    size=$(stat -c %s "$file" 2>/dev/null || echo 0)
    ((size > 0 && size < $(stat -c %s "$want"))) || fail "$2: $size of $(stat -c %s "$want") bytes heard"
    cmp -s -n "$size" "$want" "$file" || fail "$2: the samples heard are not the taunt's start"
    note "$2: stopped after $size of $(stat -c %s "$want") bytes"
    rm -f "$file"
}

HOME=$SC_DIR/home start_scourix
wait_main_window
assert_ui play1 enabled 1 "> without a tester path"

ui_select mysounds --item acm.osf
ui_click play1
heard acm "the main window's > on the ACM taunt"
ui_select mysounds --item raw16.osf --dblclick
heard raw16 "a double-click on the raw taunt in my taunts"

# The info window from "MusicTester" and the tester's options tell, in every language, that
# Scourix plays taunts itself and that the tester is optional; nothing is cut off.
own_text='Scourix plays taunts itself: choose one under "my taunts" and press ">", or "play" in the browser. The sound tester is optional: once its path is set under "musictester path", taunts play through it.'
optional_text='Optional: with no path set, Scourix plays taunts itself.'
was=en
for step in "de german" "fr french" "es spanish" "it italian" "en english"; do
    read -r code name <<<"$step"
    ui_menu "$(catalogue_text $was '&file')/$(catalogue_text $was 'scourix language')/$(catalogue_text $was $name)"
    was=$code
    ui_menu "$(catalogue_text $code '&info')/MusicTester"
    WIN=$(catalogue_text $code info)
    drive wait-window --title "$WIN" --timeout 10000 || fail "no info window in $code"
    assert_ui Label5 text "$(catalogue_text $code "$own_text")" "Scourix's own playing in $code"
    assert_ui downl visible 1 "the tester's download in $code"
    check_layout "$WIN"
    ui_click ok
    drive wait-window --title "$WIN" --gone --timeout 10000 || fail "the info window stayed open"
    WIN=Scourix ui_menu "$(catalogue_text $code '&extra')/$(catalogue_text $code 'musictester path')"
    WIN=$(catalogue_text $code toolpath)
    drive wait-window --title "$WIN" --timeout 10000 || fail "no tester options in $code"
    assert_ui Label2 text "$(catalogue_text $code "$optional_text")" "the tester optional in $code"
    check_layout "$WIN"
    drive close --window "$WIN"
    drive wait-window --title "$WIN" --gone --timeout 10000 || fail "the tester options stayed open"
    WIN=Scourix
done
assert_ui play1 enabled 1 "> after the options closed without a path"

# A new taunt stops the one still playing. (The long taunt lasts a minute; the null device takes
# it faster than it is heard, but still far slower than the clicks take.)
ui_select mysounds --item long.osf
ui_click play1
wait_for_file "$SC_DIR/heard-22050-2-16.raw" 10
ui_select mysounds --item acm.osf --dblclick
wait_heard heard-22050-1-16.raw "$(stat -c %s "$SC_DIR/acm.raw")" "the ACM taunt after the long one"
cut_short long "the long taunt when the next one was played"
heard acm "the ACM taunt after the long one"

# The browser's "play" and a double-click there.
WIN=Scourix ui_click mysoundsplus
WIN="select your taunt's"
drive wait-window --title "$WIN" --timeout 10000 || fail "the taunt browser did not open"
ui_select File1 --item raw8.osf
ui_click player
heard raw8 "the browser's play on the 8-bit taunt"
ui_select File1 --item acm.osf --dblclick
heard acm "a double-click on the ACM taunt in the browser"
expect_no_box 500
ui_click abbruch
drive wait-window --title "$WIN" --gone --timeout 10000 || fail "cancel left the browser open"
WIN=Scourix

# Closing Scourix stops the taunt it plays.
ui_select mysounds --item long.osf
ui_click play1
wait_for_file "$SC_DIR/heard-22050-2-16.raw" 10
drive close --window Scourix
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end 60
cut_short long "the long taunt when Scourix was closed"

after=$(cd "$GAME" && find . -printf '%p %s\n' | sort)
assert_eq "$before" "$after" "the game's folder after playing"
assert_missing "$C_DRIVE/mt" "a preview folder"

# No sound output: the one message, and Scourix goes on.
timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >/dev/null 2>&1 ||
    fail "could not turn Wine's audio off"
HOME=$SC_DIR/home start_scourix
wait_main_window
ui_select mysounds --item acm.osf
ui_click play1 --post
expect_box scourix "The taunt could not be played: the system's sound output could not be opened." \
    OK warning OK
expect_no_box 500
assert_eq "" "$(heard_files)" "streams without a sound output"
drive close --window Scourix
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end 60
e2e_pass
