#!/usr/bin/env bash
# The open-source game writes its settings file back when it ends, so Gatefire changes nothing
# while it runs: it says so, writes no settings, cleans nothing, keeps the direct-join request and
# starts nothing. With no settings file yet and the game ended, a later run creates the player's
# folder and the file, also for the program renamed to Main.exe. A lock file naming a process of
# another program stops nothing.
source "$(dirname "$0")/lib.sh"
e2e_begin open_source_running

make_program_folder
make_open_source_game_folder
write_default_settings TauntNoAction=0 TauntDeleteOthers=1 DeleteStats=1
write_direckt_ini "+connect 10.0.0.1" 1 0
put_files "$USER_D3/custom/sounds" foreign.osf
put_files "$USER_D3/netgames" a.stats
settings_file=$USER_D3/.Descent3Registry
printf '%s\r\n' '[Version]' '[Descent3]' '"LanguageType"=dword:4' >"$settings_file"
cp "$settings_file" "$SC_DIR/settings.before"
cp "$PROG/direckt.ini" "$SC_DIR/direckt.before"

: >"$GAME/hold"
(cd "$GAME" && exec timeout 120 wine "$GAME_WIN\\Descent3.exe") >"$SC_DIR/game.log" 2>&1 &
wait_for_file "$GAME/running.txt"

start_gatefire
drive box --title "Gatefire error" --timeout 30000 || fail "no message about the running game"
screenshot open-source-game-running
expect_box "Gatefire error" \
    "Descent 3 is running:\\n$GAME_WIN\\Descent3.exe\\nPlease end the game first. Gatefire changed nothing and starts nothing." \
    OK warning OK
deadline=$((SECONDS + 30))
while kill -0 "$GF_PID" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "gatefire still running after the message"
    sleep 0.1
done
GF_PID=""
assert_same_content "$SC_DIR/settings.before" "$settings_file" "settings file while the game runs"
assert_same_content "$SC_DIR/direckt.before" "$PROG/direckt.ini" "direct-join request"
assert_listing "$USER_D3/custom/sounds" foreign.osf
assert_listing "$USER_D3/netgames" a.stats
assert_missing "$GAME/launched.txt" "no second game started"
rm "$GAME/hold"
settle

# The game ended; no player folder yet: Gatefire creates it with the file. The program is the
# open-source one renamed to Main.exe, known by its version resource.
rm -rf "$USER_D3"
rm "$GAME/Descent3.exe" "$GAME/running.txt"
cp "$STANDINS/Descent3.exe" "$GAME/Main.exe"
start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire
assert_bytes "$settings_file" '[Version]\r\n[Descent3]\r\n"LanguageType"=dword:0\r\n"KeyboardType"="United States"\r\n"NetworkConnection"="LAN"\r\n"ConnectionSpeed"="Cable"\r\n"ClientPPS"=dword:9\r\n' \
    "a new .Descent3Registry"
assert_eq "Main.exe" "$(launched program)" "the renamed program started"
assert_eq "dword:0" "$(launched file.LanguageType)" "language the game read"

# A lock file left behind in the temporary folder names a process id that another program runs
# now (the retail stand-in, held, from another folder): Gatefire starts the game over it.
other=$C_DRIVE/Other
mkdir -p "$other"
cp "$STANDINS/Main.exe" "$other/other.exe"
: >"$other/hold"
(cd "$other" && exec timeout 120 wine 'C:\Other\other.exe') >"$SC_DIR/other.log" 2>&1 &
wait_for_file "$other/running.txt"
pid=$(sed -n 's/^pid=//p' "$other/running.txt")
temp=$(sed -n 's/^temp=//p' "$other/running.txt")
lock="$(unix_path "${temp%\\}")/Descent3/cache/.lock"
mkdir -p "${lock%/*}"
printf 'LOCK' >"$lock"
printf '%b' "$(printf '\\x%02x' $((pid & 255)) $((pid >> 8 & 255)) $((pid >> 16 & 255)) $((pid >> 24)))" >>"$lock"
rm "$GAME/launched.txt"
start_gatefire
wait_for_file "$GAME/launched.txt"
rm "$other/hold"
wait_gatefire
assert_eq "Main.exe" "$(launched program)" "the game started over the stale lock of process $pid"

e2e_pass
