#!/usr/bin/env bash
# What full screen costs on the common screens where the table is drawn larger and shrunk, under a
# private X server of each size (no window manager: the game covers the screen itself). For each
# screen, in one run: the bare SDL loop presenting an 800 x 600 buffer sixty times a second (the
# reference for how busy the machine is), then each game given, animating (the demo) and waiting for the
# player at the contract menu: its CPU share and the ratio to the bare loop's; and the demo in a window
# as large as the screen (the same drawing and shrink), for the frame rate its caption shows (a
# full-screen window shows none). Give two builds (before and after a change) to compare them under
# the same load.
#
#   full_screen_bench.sh BARE_LOOP START_XVFB ZARN [ZARN...]     (SECONDS and SIZES from the environment)
set -uo pipefail

bare=$1
start_xvfb=$2
shift 2
games=("$@")
seconds=${SECONDS_EACH:-8}
read -r -a sizes <<<"${SIZES:-1366x768 1920x1080}"

if ! command -v xdotool >/dev/null; then
    echo "full_screen_bench: xdotool missing; skipped"
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
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
unset WAYLAND_DISPLAY
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" XDG_DATA_HOME="$work/data"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/zarn" "$XDG_STATE_HOME" "$XDG_DATA_HOME"
printf '[format]\nversion=1\n[window]\nwindowed=false\n' >"$XDG_CONFIG_HOME/zarn/zarn.conf"

here=$(cd "$(dirname "$0")" && pwd)
source "$here/cpu_share.sh"
source "$(dirname "$start_xvfb")/game_window.sh"
fps_of() { xdotool getwindowname "$1" 2>/dev/null | sed -n 's/.*Frames per Second *= *\([0-9.]*\).*/\1/p'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

echo "full screen, percent of one core over ${seconds} s each (private Xvfb, no window manager, $(nproc) cores):"
for size in "${sizes[@]}"; do
    server=$(bash "$start_xvfb" "$work" "${size}x24") || {
        echo "full_screen_bench: no X server; skipped"
        exit 0
    }
    read -r DISPLAY xvfb_pid <<<"$server"
    export DISPLAY
    "$bare" $((seconds + 3)) 1 >"$work/bare.log" &
    bare_pid=$!
    sleep 2
    bare_share=$(measure "$bare_pid")
    wait "$bare_pid"
    echo "  $size: bare SDL loop $bare_share %"
    for zarn in "${games[@]}"; do
        rm -rf "$XDG_STATE_HOME"
        "$zarn" --no-dialog --autoplay --seed 4 >"$work/demo.log" 2>&1 &
        game_pid=$!
        sleep 4
        demo=$(measure "$game_pid")
        kill "$game_pid"
        wait "$game_pid" 2>/dev/null

        printf '[format]\nversion=1\n[window]\nwindowed=true\nwidth=%d\nheight=%d\n' "${size%x*}" "${size#*x}" \
            >"$XDG_CONFIG_HOME/zarn/zarn.conf"
        rm -rf "$XDG_STATE_HOME"
        "$zarn" --no-dialog --windowed --autoplay --seed 4 >"$work/demo.log" 2>&1 &
        game_pid=$!
        window=$(window_of "$game_pid")
        sleep 2
        windowed=$(measure "$game_pid")
        fps=$(fps_of "$window")
        kill "$game_pid"
        wait "$game_pid" 2>/dev/null
        printf '[format]\nversion=1\n[window]\nwindowed=false\n' >"$XDG_CONFIG_HOME/zarn/zarn.conf"

        # Seed 3 deals the human the first contract: the table then waits for a click.
        rm -rf "$XDG_STATE_HOME"
        "$zarn" --no-dialog --seed 3 >"$work/game.log" 2>&1 &
        game_pid=$!
        xdotool mousemove 5 5
        for _ in $(seq 300); do
            [[ $(python3 "$here/../tests/support/x_screen.py" look) == *hand=1111111111111*menu=1* ]] && break
            sleep 0.2
        done
        sleep 2
        waiting=$(measure "$game_pid")
        xdotool key Escape
        wait "$game_pid" 2>/dev/null
        game_pid=
        printf '    %-24s animating %6s %% (%sx bare); in a window of the screen'"'"'s size %6s %%, %s fps;' \
            "$zarn" "$demo" "$(ratio "$demo" "$bare_share")" "$windowed" "${fps:-?}"
        printf ' waiting %s %%\n' "$waiting"
    done
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
done
