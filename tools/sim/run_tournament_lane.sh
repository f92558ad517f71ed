#!/usr/bin/env bash
# Runs duplicate tournaments in chunks of matches, each chunk on its own seed, one after another, so
# the chunks finished so far can be combined at any time (tools/sim/combine_duplicate.py).
#   run_tournament_lane.sh ZARN_SIM OUTDIR PREFIX FIRST_SEED CHUNKS MATCHES_PER_CHUNK [zarn-sim options...]
# ZARN_SIM is a copy of the binary, so a rebuild during the run cannot change the player.
set -euo pipefail
sim=$1 out=$2 prefix=$3 seed=$4 chunks=$5 matches=$6
shift 6
mkdir -p "$out"
for ((i = 0; i < chunks; ++i)); do
    s=$((seed + i))
    cmd=(nice -n 10 "$sim" --duplicate --matches "$matches" --seed "$s" "$@")
    echo "${cmd[*]}" > "$out/$prefix-$s.cmd"
    "${cmd[@]}" > "$out/$prefix-$s.part" 2> "$out/$prefix-$s.err"
    mv "$out/$prefix-$s.part" "$out/$prefix-$s.txt"
done
