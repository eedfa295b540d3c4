#!/usr/bin/env bash
# Statistics deletion: only *.stats files in \netgames go; other files there stay.
source "$(dirname "$0")/lib.sh"
e2e_begin stats

make_program_folder
make_game_folder
write_default_settings DeleteStats=1
put_files "$GAME/netgames" anarchy.stats "ctf 2.stats" CAPS.STATS notes.txt old.stats.bak stats
put_files "$GAME/custom/sounds" foreign_1a2b3c4d.osf
put_files "$GAME" keep.stats

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_listing "$GAME/netgames" notes.txt old.stats.bak stats
assert_file_exists "$GAME/keep.stats" "only \\netgames is cleaned"
assert_listing "$GAME/custom/sounds" foreign_1a2b3c4d.osf
assert_eq "-Launched " "$(launched cmdline)" "game command line"

e2e_pass
