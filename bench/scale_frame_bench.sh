#!/usr/bin/env bash
# What drawing at 2 and 3 pixels a unit costs, under a private X server, in one run. For each scale
# k = 1, 2, 3, in a window of k x 800 by k x 600:
#   - a bare SDL loop presenting one unchanging buffer of that size sixty times a second (the reference),
#   - the game's demo animating cards at that scale: its CPU share and the frame rate its caption shows,
#     the two side by side three times over, the median of each taken,
#   - the game waiting for the player at that scale, then paused (P) there;
# then the start to the first frame and to the first sharp frame, side by side with the start at
# scale 1 (the median of several starts of each, alternating). CPU shares are the process's own CPU time over the wall time, in percent of one core.
# The starts are timed with the test driver (the same game, which tells each new drawing scale).
#
#   scale_frame_bench.sh ZARN TEST_DRIVER BARE_LOOP START_XVFB [SECONDS] [STARTS]
set -uo pipefail

zarn=$1
test_driver=$2
bare=$3
start_xvfb=$4
seconds=${5:-8}
starts=${6:-7}

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

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
runs=3
declare -A bare_share bare_fps demo_share demo_fps waiting_share paused_share bare_runs demo_runs
for k in 1 2 3; do
    window_setting "$k"
    : >"$work/bare_shares"
    : >"$work/demo_shares"
    for run in $(seq "$runs"); do
        "$bare" $((seconds + 3)) "$k" >"$work/bare.log" &
        bare_pid=$!
        sleep 2
        measure "$bare_pid" >>"$work/bare_shares"
        echo >>"$work/bare_shares"
        wait "$bare_pid"
        bare_fps[$k]=$(sed -n 's/.*: \([0-9.]*\) fps.*/\1/p' "$work/bare.log")

        rm -rf "$XDG_STATE_HOME"
        "$zarn" --no-dialog --windowed --autoplay --seed 4 --scale "$k" >"$work/demo.log" 2>&1 &
        game_pid=$!
        window=$(window_of "$game_pid")
        sleep 2
        measure "$game_pid" >>"$work/demo_shares"
        echo >>"$work/demo_shares"
        demo_fps[$k]=$(fps_of "$window")
        kill "$game_pid"
        wait "$game_pid" 2>/dev/null
        game_pid=
    done
    bare_runs[$k]=$(paste -sd ' ' "$work/bare_shares")
    demo_runs[$k]=$(paste -sd ' ' "$work/demo_shares")
    bare_share[$k]=$(median <"$work/bare_shares")
    demo_share[$k]=$(median <"$work/demo_shares")

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
    # Paused: the pause key, then the loop rests with the pause banner up.
    xdotool key p
    sleep 1
    paused_share[$k]=$(measure "$game_pid")
    xdotool key Escape
    wait "$game_pid" 2>/dev/null
    game_pid=
done

# Start to the first frames: the game starts in a window of W x H, says when it first shows the table
# at each drawing scale (--report-scale) and is ended after the one at scale K. The first frame is
# always drawn at scale 1; at scale 3 a later one is the first sharp one. Prints "FIRST SHARP" in ms.
first_frames() {
    local width=$1 height=$2 k=$3 t0 pid line now first= sharp=
    printf '[format]\nversion=1\n[window]\nwindowed=true\nwidth=%d\nheight=%d\n' "$width" "$height" \
        >"$XDG_CONFIG_HOME/zarn/zarn.conf"
    rm -rf "$XDG_STATE_HOME" "$work/report"
    mkfifo "$work/report"
    t0=$(now_ns)
    "$test_driver" --no-dialog --windowed --seed 4 --scale "$k" --report-scale >/dev/null 2>"$work/report" &
    pid=$!
    while IFS= read -r line; do
        now=$((($(now_ns) - t0) / 1000000))
        [[ $line == *"drawing at scale 1"* && -z $first ]] && first=$now
        if [[ $line == *"drawing at scale $k"* ]]; then
            sharp=$now
            break
        fi
    done <"$work/report"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo "${first:-0} ${sharp:-0}"
}
# Three starts, alternating: scale 1 in an 800 x 600 window; scale 1 in the 2400 x 1800 window (the
# table upscaled, as a game without the sharper pictures draws it there); scale 3 in that window.
for f in small1 large1 large3 sharp3; do : >"$work/$f"; done
for _ in $(seq "$starts"); do
    first_frames 800 600 1 | awk '{ print $1 }' >>"$work/small1"
    first_frames 2400 1800 1 | awk '{ print $1 }' >>"$work/large1"
    read -r first sharp <<<"$(first_frames 2400 1800 3)"
    echo "$first" >>"$work/large3"
    echo "$sharp" >>"$work/sharp3"
done
small1=$(median <"$work/small1")
large1=$(median <"$work/large1")
large3=$(median <"$work/large3")
sharp3=$(median <"$work/sharp3")

echo "frame cost by drawing scale, percent of one core over ${seconds} s each, median of $runs runs side by side" \
    "(private Xvfb, $(nproc) cores):"
printf '  %-6s %-24s %-34s %-14s %-14s\n' "scale" "bare SDL loop" "game animating (demo)" "game waiting" \
    "game paused (P)"
for k in 1 2 3; do
    printf '  %-6s %-24s %-34s %-14s %-14s\n' "$k" "${bare_share[$k]} % (${bare_fps[$k]:-?} fps)" \
        "${demo_share[$k]} % ($(ratio "${demo_share[$k]}" "${bare_share[$k]}")x bare, ${demo_fps[$k]:-?} fps)" \
        "${waiting_share[$k]} %" "${paused_share[$k]} %"
done
for k in 1 2 3; do
    echo "  runs at scale $k: bare ${bare_runs[$k]}; animating ${demo_runs[$k]}"
done
echo "  targets: animating <= 0.5x the bare loop at every scale; waiting at scale 3 <= 1 %; paused <= 0.5 %;" \
    "animating at scale 3 at 60 frames a second"
echo "start to first frame, median of $starts starts each: 800 x 600 window at scale 1 ${small1} ms;" \
    "2400 x 1800 window at scale 1 ${large1} ms; at scale 3 ${large3} ms, $(ratio "$large3" "$small1")x the" \
    "small window and $(ratio "$large3" "$large1")x the same window at scale 1 (target <= 1.2x)"
echo "start to the first sharp frame at scale 3: ${sharp3} ms, $(ratio "$sharp3" "$small1")x the small window's" \
    "first frame, $(ratio "$sharp3" "$large3")x the first frame in the same window (target <= 1.5x)"
