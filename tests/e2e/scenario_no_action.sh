#!/usr/bin/env bash
# No action for logos and taunts, no statistics deletion: every file stays, and with no switch
# selected, no pilot switch (UsePilot 0) and no direct join the game gets exactly "-Launched ".
# A logo backup wanted without a backup folder also leaves the logos alone.
source "$(dirname "$0")/lib.sh"
e2e_begin no_action

make_program_folder
make_game_folder
write_default_settings UsePilot=0 PilotName=Ace DeleteStats=0 \
    LogoNoAction=0 LogoBackupOthers=1 LogoBackupPath=""
write_keep_list "$PROG/taunts.ini" "mine.osf"
put_files "$GAME/custom/sounds" mine.osf foreign_1a2b3c4d.osf empty
put_files "$GAME/custom/graphics" mine.ogf foreign_00ff00ff.oaf
put_files "$GAME/netgames" anarchy.stats
put_files "$GAME/custom" Ace.plt

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_eq "-Launched " "$(launched cmdline)" "game command line"
assert_eq "$GAME_WIN" "$(launched cwd)" "game working folder"
assert_listing "$GAME/custom/sounds" mine.osf foreign_1a2b3c4d.osf empty
assert_listing "$GAME/custom/graphics" mine.ogf foreign_00ff00ff.oaf
assert_listing "$GAME/netgames" anarchy.stats
assert_listing "$GAME/custom" Ace.plt
# PilotName is written to the registry even when the pilot switch is off.
assert_eq "Ace.plt" "$(launched reg.Default_pilot)" "Default_pilot seen by the game"

e2e_pass
