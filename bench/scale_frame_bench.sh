#!/usr/bin/env bash
# What drawing at 2 and 3 pixels a unit costs, under a private X server, in one run. For each scale
# k = 1, 2, 3, in a window of k x 800 by k x 600:
#   - a bare SDL loop presenting one unchanging buffer of that size sixty times a second (the reference),
#   - the game's demo animating cards at that scale: its CPU share and the frame rate its caption shows,
#   - the game waiting for the player at that scale;
# then the start to the first frame at scale 1 and 3, side by side (the median of several starts of
# each, alternating). CPU shares are the process's own CPU time over the wall time, in percent of one core.
#
#   scale_frame_bench.sh ZARN BARE_LOOP START_XVFB [SECONDS] [STARTS]
set -uo pipefail

zarn=$1
bare=$2
start_xvfb=$3
seconds=${4:-8}
starts=${5:-7}

if ! command -v xdotool >/dev/null; then
    echo "scale_frame_bench: xdotool missing; skipped"
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

server=$(bash "$start_xvfb" "$work" 2560x1920x24) || {
    echo "scale_frame_bench: no X server; skipped"
    exit 0
}
read -r display xvfb_pid <<<"$server"
export DISPLAY=$display SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
unset WAYLAND_DISPLAY
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" XDG_DATA_HOME="$work/data"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/zarn" "$XDG_STATE_HOME" "$XDG_DATA_HOME"

# measure PID: its CPU share over the next $seconds.
source "$(dirname "$0")/cpu_share.sh"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
fps_of() { xdotool getwindowname "$1" 2>/dev/null | sed -n 's/.*Frames per Second *= *\([0-9.]*\).*/\1/p'; }

source "$(dirname "$start_xvfb")/game_window.sh"

# The game's window at k x 800 by k x 600.
window_setting() {
    printf '[format]\nversion=1\n[window]\nwindowed=true\nwidth=%d\nheight=%d\n' $((800 * $1)) $((600 * $1)) \
        >"$XDG_CONFIG_HOME/zarn/zarn.conf"
}

declare -A bare_share demo_share demo_fps waiting_share
for k in 1 2 3; do
    "$bare" $((seconds + 3)) "$k" &
    bare_pid=$!
    sleep 2
    bare_share[$k]=$(measure "$bare_pid")
    wait "$bare_pid"

    window_setting "$k"
    rm -rf "$XDG_STATE_HOME"
    "$zarn" --no-dialog --windowed --autoplay --seed 4 --scale "$k" >"$work/demo.log" 2>&1 &
    game_pid=$!
    window=$(window_of "$game_pid")
    sleep 2
    demo_share[$k]=$(measure "$game_pid")
    demo_fps[$k]=$(fps_of "$window")
    kill "$game_pid"
    wait "$game_pid" 2>/dev/null
    game_pid=

    # Waiting for the player: the deal runs, the computer seats play, then the loop rests.
    rm -rf "$XDG_STATE_HOME"
    "$zarn" --no-dialog --windowed --seed 4 --scale "$k" >"$work/game.log" 2>&1 &
    game_pid=$!
    window=$(window_of "$game_pid")
    xdotool mousemove --window "$window" 10 10
    ran=
    for _ in $(seq 1800); do
        caption=$(xdotool getwindowname "$window" 2>/dev/null)
        if [[ $caption == *"Frames per Second ="* && $caption != *"=.0" ]]; then
            ran=yes
        elif [[ -n $ran ]]; then
            break
        fi
        sleep 0.1
    done
    waiting_share[$k]=$(measure "$game_pid")
    xdotool key Escape
    wait "$game_pid" 2>/dev/null
    game_pid=
done

# Start to first frame: the game starts, draws its first frames and ends (--exit-after-frames N). The
# first frame is always drawn at scale 1; at scale 3 the second is the first sharp one.
start_ms() {
    window_setting "$1"
    rm -rf "$XDG_STATE_HOME"
    local t0 t1
    t0=$(now_ns)
    "$zarn" --no-dialog --windowed --seed 4 --scale "$1" --exit-after-frames "$2" >/dev/null 2>&1
    t1=$(now_ns)
    echo $(((t1 - t0) / 1000000))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for f in start1 start3 sharp1 sharp3; do : >"$work/$f"; done
for _ in $(seq "$starts"); do
    start_ms 1 1 >>"$work/start1"
    start_ms 3 1 >>"$work/start3"
    start_ms 1 2 >>"$work/sharp1"
    start_ms 3 2 >>"$work/sharp3"
done
start1=$(median <"$work/start1")
start3=$(median <"$work/start3")
sharp1=$(median <"$work/sharp1")
sharp3=$(median <"$work/sharp3")

echo "frame cost by drawing scale, percent of one core over ${seconds} s each (private Xvfb, $(nproc) cores):"
printf '  %-6s %-22s %-34s %-22s\n' "scale" "bare SDL loop, 60 fps" "game animating (demo)" "game waiting"
for k in 1 2 3; do
    printf '  %-6s %-22s %-34s %-22s\n' "$k" "${bare_share[$k]} %" \
        "${demo_share[$k]} % ($(ratio "${demo_share[$k]}" "${bare_share[$k]}")x bare, ${demo_fps[$k]:-?} fps)" \
        "${waiting_share[$k]} %"
done
echo "  targets: waiting at scale 3 <= 1 %; animating at scale 3 at 60 frames a second"
echo "start to first frame (and exit), median of $starts starts each: scale 1 ${start1} ms, scale 3" \
    "${start3} ms, $(ratio "$start3" "$start1")x (target <= 1.2x)"
echo "start to second frame (the first sharp one at scale 3): scale 1 ${sharp1} ms, scale 3 ${sharp3} ms," \
    "$(ratio "$sharp3" "$sharp1")x"
