#!/usr/bin/env bash
# Gatefire on Linux, run as a player runs it: it cleans the player's folder and the game folder by
# the keep lists (names compared exactly, case included), backs the logos up without losing one,
# removes statistics, writes .Descent3Registry as the game reads it, asks about the pending
# direct join and starts the stand-in Descent3 with its arguments in the game folder.
# Once in German, once in English; screenshots of the window in both languages.
source "$(dirname "$0")/lib.sh"
e2e_begin gatefire_clean

run_once() { # LANGUAGE (1 German, 2 English) SHOT
    write_settings Language="$1" UsePilot=1 'PilotName=Ace Pilot' DeleteStats=1 \
        LogoNoAction=0 LogoBackupOthers=1 "LogoBackupPath=$SC_DIR/backup" \
        TauntNoAction=0 TauntDeleteOthers=1
    keep_list logos.ini mylogo.ogf
    keep_list taunts.ini mine.osf
    write_lines "$PROG/network.ini" German 0 0 1 0 1 0 0 1 0 0 pilot7 secret
    write_lines "$PROG/direckt.ini" '"10.0.0.7:2092"' '"2"' '"1"'
    rm -f "$GAME/launched.txt"
    start_program gatefire
    # The question about the direct join waits over the window with its counters.
    window_id gatefire >/dev/null
    screenshot "gatefire-$2" Gatefire
    press gatefire Return
    wait_for_file "$GAME/launched.txt"
    wait_end "$LAST_PID"
}

mkdir -p "$SC_DIR/backup"
put_files "$USER_D3/custom/graphics" mylogo.ogf foreign_u.ogf
put_files "$GAME/custom/graphics" foreign_g.ogf
printf 'user dup\n' >"$USER_D3/custom/graphics/dup.ogf"
printf 'game dup\n' >"$GAME/custom/graphics/dup.ogf"
put_files "$USER_D3/custom/sounds" mine.osf Mine.osf empty foreign1.osf
put_files "$GAME/custom/sounds" mine.osf foreign2.osf
put_files "$USER_D3/netgames" a.stats notes.txt
put_files "$GAME/netgames" b.stats
cp -a "$USER_D3/custom" "$SC_DIR/before-user"
cp -a "$GAME/custom" "$SC_DIR/before-game"
printf '%s\r\n' '[Descent3]' '"Detail"="high"' '"TrackerPassword"="oldsecret"' \
    >"$USER_D3/.Descent3Registry"

run_once 1 de

assert_eq Descent3 "$(launched program)" "the program started"
assert_eq "-Launched|-pilot|Ace Pilot|-nointro|-nosound|10.0.0.7:2092" \
    "$(for i in $(seq "$(launched argc)"); do printf '%s|' "$(launched arg$i)"; done | sed 's/|$//')" \
    "arguments: the pilot's name and the join one argument each"
assert_eq "$GAME" "$(launched cwd)" "working folder"
assert_eq "Ace Pilot.plt" "$(launched file.Default_pilot)" "pilot the game read"
assert_eq "dword:1" "$(launched file.LanguageType)" "language the game read"
assert_eq "German" "$(launched file.KeyboardType)" "keyboard the game read"
assert_eq "pilot7" "$(launched file.TrackerLogin)" "tracker login the game read"
assert_eq "secret" "$(launched file.TrackerPassword)" "tracker password the game read"
assert_eq "high" "$(grep -a -m1 Detail "$USER_D3/.Descent3Registry" | sed 's/.*="\(.*\)"\r$/\1/')" \
    "the game's other values kept"

# Logos backed up from both folders, then removed; the game folder's dup.ogf is not backed up
# over the player's one of the same name and stays.
assert_listing "$SC_DIR/backup" mylogo.ogf foreign_u.ogf dup.ogf foreign_g.ogf
assert_same_content "$SC_DIR/before-user/graphics/dup.ogf" "$SC_DIR/backup/dup.ogf" "backup of dup.ogf"
assert_same_content "$SC_DIR/before-game/graphics/foreign_g.ogf" "$SC_DIR/backup/foreign_g.ogf" "backup of foreign_g.ogf"
assert_listing "$USER_D3/custom/graphics" mylogo.ogf
assert_listing "$GAME/custom/graphics" dup.ogf
# Taunts: the kept name exactly, and "empty"; Mine.osf is another file on Linux.
assert_listing "$USER_D3/custom/sounds" mine.osf empty
assert_listing "$GAME/custom/sounds" mine.osf
assert_listing "$USER_D3/netgames" notes.txt
assert_listing "$GAME/netgames"

run_once 2 en
assert_eq "-Launched" "$(launched arg1)" "the English run started the game too"
note "passed"
