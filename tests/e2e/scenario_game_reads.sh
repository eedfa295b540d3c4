#!/usr/bin/env bash
# What the open-source game's own reading makes of what Gatefire hands it (the stand-in reads its
# settings file and splits its command line by the game's rules): a pilot with a blank and an
# umlaut is one argument and a UTF-8 file name; a tracker password past the game's 16 bytes is
# left out and named; in a file with repeated sections and names, and a long line whose rest
# names the tracker login, the values the game keeps are ours; a switch of 120 characters, a
# join address of 110 and switches past the game's 28 rows are left out and named, the rest
# reaches the game whole.
source "$(dirname "$0")/lib.sh"
e2e_begin game_reads

make_program_folder
make_open_source_game_folder
write_default_settings UsePilot=1 'PilotName=Red Jürgen'
switches=(nointro "x$(printf 'y%.0s' $(seq 119))")
for i in $(seq 0 29); do switches+=("s$i"); done
write_keys_ini "$(printf '1%.0s' $(seq 32))" "${switches[@]}"
address=$(printf '2%.0s' $(seq 110))
write_direckt_ini "-directip $address" 1 0
write_network_ini German 0 0 1 0 0 1 0 0 0 1 'Jörg' 'seventeen-chars!!'

settings_file=$USER_D3/.Descent3Registry
printf '%s\r\n' '[Version]' '[Descent3]' '"LanguageType"=dword:0' '"TrackerPassword"="old"' \
    '[Other]' '"LanguageType"=dword:3' '[descent3]' '"languagetype"=dword:0' >"$settings_file"
long="$(printf ';%.0s' $(seq 499))\"TrackerLogin\"=\"hidden\""
printf '%s\n' "$long" >>"$settings_file"

start_gatefire
expect_box "Gatefire error" \
    "These settings cannot be stored in .Descent3Registry and were left as they were:\\nTrackerPassword" \
    OK warning OK
left="-directip $address\\n${switches[1]/#/-}"
for i in $(seq 22 29); do left+="\\n-s$i"; done
drive box --title "Gatefire error" --timeout 30000 || fail "no message about the arguments left out"
screenshot arguments-left-out
expect_box "Gatefire error" \
    "The game takes at most 28 command-line arguments (separated by blanks) of at most 99 characters each.\\nThe game starts without:\\n$left" \
    OK warning OK
wait_for_file "$GAME/launched.txt"
wait_gatefire

rows="-LAUNCHED|-PILOT|RED JüRGEN||-NOINTRO"
for i in $(seq 0 21); do rows+="|-S$i"; done
assert_eq "$rows|" "$(launched args)" "the command line as the game splits it"
assert_eq 0 "$(launched args.overrun)" "the game's rows hold the command line"
assert_eq "Red Jürgen.plt" "$(launched file.Default_pilot)" "pilot the game read, in UTF-8"
assert_eq "Jörg" "$(launched file.TrackerLogin)" "tracker login the game read"
assert_eq "old" "$(launched file.TrackerPassword)" "tracker password kept"
assert_eq "dword:1" "$(launched file.LanguageType)" "language the game read"
assert_eq "" "$(launched file.overruns)" "no value overruns a buffer of the game's"
grep -qF "$long" "$settings_file" || fail "the long foreign line was not kept"
grep -qF $'"LanguageType"=dword:3\r' "$settings_file" || fail "the other section was changed"

e2e_pass
