#!/usr/bin/env bash
# Delete mode for logos and taunts: every file whose name is not exactly (case-sensitive, with
# extension) on the keep list is deleted, whatever its kind; the file "empty" always stays.
source "$(dirname "$0")/lib.sh"
e2e_begin delete

make_program_folder
make_game_folder
write_default_settings LogoNoAction=0 LogoDeleteOthers=1 TauntNoAction=0 TauntDeleteOthers=1
write_keep_list "$PROG/taunts.ini" "Taunt1.osf" "mine.osf" "noext"
write_keep_list "$PROG/logos.ini" "Logo1.ogf" "anim.oaf" "gone.ogf"
put_files "$GAME/custom/sounds" mine.osf taunt1.osf noext.osf empty empty.txt \
    foreign_1a2b3c4d.osf readme.txt
put_files "$GAME/custom/graphics" Logo1.ogf anim.oaf Empty logo1.OGF other_0badf00d.ogf
put_files "$GAME/netgames" anarchy.stats
put_files "$GAME/custom" Ace.plt

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_listing "$GAME/custom/sounds" mine.osf empty
assert_listing "$GAME/custom/graphics" Logo1.ogf anim.oaf
assert_listing "$GAME/netgames" anarchy.stats
assert_listing "$GAME/custom" Ace.plt
assert_eq "content of mine.osf" "$(cat "$GAME/custom/sounds/mine.osf")" "kept taunt unchanged"
assert_eq "-Launched " "$(launched cmdline)" "game command line"

e2e_pass
