#!/usr/bin/env bash
# Gatefire on Linux backs the logos and taunts up before it removes them, under strace: each copy
# is written to a temporary file that is synced, renamed to its name in the backup folder, and
# the backup folder is synced, all before the source is unlinked. After a power cut the backup is
# on the disk whenever the removal is. The settings files that Gatefire writes (the one-time join
# turned off, the game's settings) and those Scourix saves go the same way: the temporary file
# synced before it is renamed over the file, the folder synced after.
source "$(dirname "$0")/lib.sh"
e2e_begin gatefire_durable
command -v strace >/dev/null || fail "strace is not installed (tools/setup installs it)"

mkdir -p "$SC_DIR/logos" "$SC_DIR/taunts"
write_settings LogoNoAction=0 LogoBackupOthers=1 "LogoBackupPath=$SC_DIR/logos" \
    TauntNoAction=0 TauntBackupOthers=1 "TauntBackupPath=$SC_DIR/taunts"
keep_list logos.ini mine.ogf
keep_list taunts.ini mine.osf
write_lines "$PROG/direckt.ini" '"10.0.0.7:2092"' '"1"' '"0"'
put_files "$USER_D3/custom/graphics" mine.ogf a.ogf b.ogf
put_files "$GAME/custom/graphics" c.ogf
put_files "$USER_D3/custom/sounds" mine.osf x.osf
put_files "$GAME/custom/sounds" y.osf
# An older backup of the same name: replaced by way of a temporary file too.
printf 'older\n' >"$SC_DIR/taunts/x.osf"

strace -f -y -qq -o "$SC_DIR/trace" -e trace=fsync,fdatasync,rename,renameat,renameat2,unlink,unlinkat \
    "$BIN/gatefire" >"$SC_DIR/gatefire.log" 2>&1 &
PIDS+=($!)
wait_for_file "$GAME/launched.txt"
wait_end "${PIDS[-1]}"

assert_listing "$SC_DIR/logos" mine.ogf a.ogf b.ogf c.ogf
assert_listing "$SC_DIR/taunts" mine.osf x.osf y.osf
assert_eq "content of x.osf" "$(cat "$SC_DIR/taunts/x.osf")" "the newer x.osf backed up over the older"
assert_listing "$USER_D3/custom/graphics" mine.ogf
assert_listing "$GAME/custom/graphics"
assert_listing "$USER_D3/custom/sounds" mine.osf
assert_listing "$GAME/custom/sounds"

# One line per call that succeeded, fields separated by tabs: "fsync PATH", "rename FROM TO",
# "unlink PATH".
calls() { # TRACE: its calls
awk -v OFS='\t' '
    / = 0$/ {
        n = split($0, q, "\"")
        if ($0 ~ /^[0-9]+ +(fsync|fdatasync)\(/) {
            match($0, /<[^>]*>/); print "fsync", substr($0, RSTART + 1, RLENGTH - 2)
        } else if ($0 ~ /^[0-9]+ +rename(at2?)?\(/) {
            print "rename", q[2], q[4]
        } else if ($0 ~ /^[0-9]+ +unlink(at)?\(/) {
            print "unlink", q[2]
        }
    }' "$1"
}
calls "$SC_DIR/trace" >"$SC_DIR/calls"

# For each source removed: its copy's temporary file synced, then renamed into the backup
# folder (by way of other names, as an older backup is replaced), then that folder synced, and
# only then the unlink.
check_removed() { # SOURCE BACKUP_FOLDER
    local source=$1 folder=$2 name=${1##*/}
    awk -F'\t' -v src="$source" -v dst="$folder/$name" -v dir="$folder" '
        $1 == "fsync" { synced[$2] = NR; if ($2 == dir && renamed) dirSynced = NR }
        $1 == "rename" && ($2 in synced) { synced[$3] = NR } # synced data under a new name
        $1 == "rename" && $3 == dst { renamed = NR; tempSynced = ($2 in synced); dirSynced = 0 }
        $1 == "unlink" && $2 == src { gone = NR; exit }
        END {
            if (!gone) { print "never unlinked"; exit 1 }
            if (!renamed) { print "no copy renamed into place before the unlink"; exit 1 }
            if (!tempSynced) { print "the copy was not synced before its rename"; exit 1 }
            if (!dirSynced) { print "the backup folder was not synced between rename and unlink"; exit 1 }
        }' "$SC_DIR/calls" || fail "$source: see $SC_DIR/calls"
}
for f in a.ogf b.ogf; do check_removed "$USER_D3/custom/graphics/$f" "$SC_DIR/logos"; done
check_removed "$GAME/custom/graphics/c.ogf" "$SC_DIR/logos"
check_removed "$USER_D3/custom/sounds/x.osf" "$SC_DIR/taunts"
check_removed "$GAME/custom/sounds/y.osf" "$SC_DIR/taunts"

# A settings file written: a temporary file synced, renamed over TARGET, and TARGET's folder
# synced before the next rename.
written() { # CALLS TARGET
    awk -F'\t' -v dst="$2" -v dir="${2%/*}" '
        $1 == "fsync" { synced[$2] = NR; if ($2 == dir && pending) pending = 0 }
        $1 == "rename" && pending { print "the folder was not synced before the next rename"; bad = 1; exit }
        $1 == "rename" && ($2 in synced) { synced[$3] = NR }
        $1 == "rename" && $3 == dst { renamed = NR; pending = 1; if (!($2 in synced)) { print "not synced before its rename"; bad = 1; exit } }
        END {
            if (bad) exit 1
            if (!renamed) { print "never renamed into place"; exit 1 }
            if (pending) { print "the folder was not synced after the rename"; exit 1 }
        }' "$1"
}
check_written() { written "$@" || fail "$2: see $1"; }
assert_eq "$(printf '%s\n' '"10.0.0.7:2092"' '"0"' '"0"')" "$(crlf "$PROG/direckt.ini")" "the one-time join turned off"
check_written "$SC_DIR/calls" "$PROG/direckt.ini"
check_written "$SC_DIR/calls" "$USER_D3/.Descent3Registry"

# Scourix saves by its menu: file > save config.
before=$(cat "$PROG/scourix.ini")
strace -f -y -qq -o "$SC_DIR/scourix-trace" -e trace=fsync,fdatasync,rename,renameat,renameat2 \
    "$BIN/scourix" >"$SC_DIR/scourix.log" 2>&1 &
PIDS+=($!)
id=$(window_id Scourix)
# The check box "del *.stats files": scourix.ini changes.
xdotool mousemove --window "$id" 22 207 click 1
xdotool windowfocus --sync "$id" key alt+f
sleep 0.8
xdotool key Down Down Return
# The four files are saved one after the other: the trace is read again until the last is in.
deadline=$((SECONDS + 10))
until [[ "$(cat "$PROG/scourix.ini")" != "$before" ]] &&
    calls "$SC_DIR/scourix-trace" >"$SC_DIR/scourix-calls" &&
    written "$SC_DIR/scourix-calls" "$PROG/keys.ini" >/dev/null; do
    ((SECONDS < deadline)) || fail "Scourix did not save keys.ini durably: see $SC_DIR/scourix-calls"
    sleep 0.2
done
for f in scourix.ini logos.ini taunts.ini keys.ini; do check_written "$SC_DIR/scourix-calls" "$PROG/$f"; done
note "passed"
