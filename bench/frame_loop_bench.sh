#!/usr/bin/env bash
# The frame loop's CPU cost under a private X server, in one run: a bare SDL loop presenting one
# 800 x 600 RGB565 buffer sixty times a second (the reference), then the game waiting for the player's
# card or contract, the game paused (P), and the game's demo animating cards. Each share is the process's
# own CPU time over the wall time of a measuring window, in percent of one core.
#
#   frame_loop_bench.sh ZARN BARE_LOOP START_XVFB [SECONDS]
set -uo pipefail

zarn=$1
bare=$2
start_xvfb=$3
seconds=${4:-10}

if ! command -v xdotool >/dev/null; then
    echo "frame_loop_bench: xdotool missing; skipped"
    exit 0
fi
work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
    [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

server=$(bash "$start_xvfb" "$work" 1280x1024x24) || {
    echo "frame_loop_bench: no X server; skipped"
    exit 0
}
read -r display xvfb_pid <<<"$server"
export DISPLAY=$display SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
unset WAYLAND_DISPLAY
# The game's settings and saved files stay in the benchmark's own folder.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" XDG_DATA_HOME="$work/data"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_DATA_HOME"

# measure PID: its CPU share over the next $seconds.
source "$(dirname "$0")/cpu_share.sh"

# window_of PID: the game's window once it has shown a frame (beside the X server helper).
source "$(dirname "$start_xvfb")/game_window.sh"

# The reference: the bare loop, measured while it runs.
"$bare" $((seconds + 3)) &
bare_pid=$!
sleep 2
bare_share=$(measure "$bare_pid")
wait "$bare_pid"

# The game waiting for the player: without the demo the deal runs, the computer seats play, and the
# table then waits for seat 0. The caption's rate reads ".0" once the loop has stopped running frames.
"$zarn" --no-dialog --windowed --seed 4 >"$work/game.log" 2>&1 &
game_pid=$!
window=$(window_of "$game_pid")
if [[ -z $window ]]; then
    echo "frame_loop_bench: the game's window never appeared"
    cat "$work/game.log"
    exit 1
fi
xdotool mousemove --window "$window" 400 300
# The caption also reads ".0" before its first measure: wait for a running rate first.
waited=
ran=
for _ in $(seq 1200); do
    caption=$(xdotool getwindowname "$window")
    if [[ $caption == *"Frames per Second ="* && $caption != *"=.0" ]]; then
        ran=yes
    elif [[ -n $ran ]]; then
        waited=yes
        break
    fi
    sleep 0.1
done
[[ -n $waited ]] || echo "frame_loop_bench: the caption never showed a resting loop: $(xdotool getwindowname "$window")"
waiting_share=$(measure "$game_pid")
waiting_xvfb=$(measure "$xvfb_pid")

xdotool key p
sleep 1
paused_share=$(measure "$game_pid")
xdotool key Escape
wait "$game_pid"
game_pid=

# The demo: cards dealt, played, gathered and swept without a stop.
"$zarn" --no-dialog --windowed --autoplay --seed 4 >"$work/demo.log" 2>&1 &
game_pid=$!
window=$(window_of "$game_pid")
sleep 2
animating_share=$(measure "$game_pid")
kill "$game_pid"
wait "$game_pid" 2>/dev/null
game_pid=

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.3f", a / b; else print "n/a" }'; }
echo "frame loop CPU, percent of one core over ${seconds} s each (private Xvfb, $(nproc) cores):"
printf '  %-44s %7s %%\n' "bare SDL loop, one buffer at 60 fps" "$bare_share"
printf '  %-44s %7s %%   %sx the bare loop (target <= 1 %%, <= 0.05x)\n' "game waiting for the player" \
    "$waiting_share" "$(ratio "$waiting_share" "$bare_share")"
printf '  %-44s %7s %%\n' "  the X server meanwhile" "$waiting_xvfb"
printf '  %-44s %7s %%   (target <= 0.5 %%)\n' "game paused (P)" "$paused_share"
printf '  %-44s %7s %%   %sx the bare loop (target <= 0.5x)\n' "game animating (demo)" "$animating_share" \
    "$(ratio "$animating_share" "$bare_share")"
