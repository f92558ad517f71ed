#!/usr/bin/env bash
# What full screen costs on the common screens, under a private X server of each size, without a window
# manager (the game covers the screen itself) and under one (openbox). For each screen and each of the
# two, in one run, three times over side by side (the median of each taken):
#   - the bare SDL loop full screen: a 32-bit picture of the size the table is shown at on that screen,
#     uploaded and shown pixel for pixel sixty times a second (the least a full-screen picture at that
#     rate costs, and the measure of how busy the machine is): its CPU share and frame rate;
#   - each game given animating (the demo): its CPU share, the ratio to the bare loop's, and the frame
#     rate of the frames it shows one after another (the test driver's --report-frame-rate: a
#     full-screen window has no caption to show it);
# then each game waiting for the player at the contract menu: its CPU share. CPU shares are the
# process's own CPU time over the wall time, in percent of one core. Give two builds' test drivers
# (before and after a change) to compare them under the same load.
#
#   full_screen_bench.sh BARE_LOOP START_XVFB TEST_DRIVER [TEST_DRIVER...]
#   (from the environment: SECONDS_EACH, 8 unless set; SIZES, "1366x768 1920x1080 2560x1440 3840x2160"
#   unless set; MANAGERS, "none openbox" unless set; RUNS, 3 unless set)
set -uo pipefail

bare=$1
start_xvfb=$2
shift 2
games=("$@")
seconds=${SECONDS_EACH:-8}
runs=${RUNS:-3}
read -r -a sizes <<<"${SIZES:-1366x768 1920x1080 2560x1440 3840x2160}"
read -r -a managers <<<"${MANAGERS:-none openbox}"

for tool in xdotool xprop python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "full_screen_bench: $tool missing; skipped"
        exit 0
    fi
done
work=$(mktemp -d)
xvfb_pid=
wm_pid=
game_pid=
cleanup() {
    [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null
    [[ -n $wm_pid ]] && kill "$wm_pid" 2>/dev/null
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
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# The frame-rate lines a game told (see ShownFrameRate) after line N of its log, summed: the rate of
# the frames shown one after another, and the frames shown a second.
frame_rate_after() {
    tail -n +$(($2 + 1)) "$1" | sed -n 's/^zarn: frames over \([0-9.]*\) s: [0-9]* run, \([0-9]*\) shown; \([0-9]*\) shown back to back in \([0-9.]*\) ms.*/\1 \2 \3 \4/p' |
        awk '{ s += $1; shown += $2; n += $3; ms += $4 }
             END { if (ms > 0 && s > 0) printf "%.1f %.1f", 1000 * n / ms, shown / s; else print "? ?" }'
}
frame_lines() { grep -c '^zarn: frames over' "$1"; }

echo "full screen, percent of one core over ${seconds} s each, median of $runs runs side by side" \
    "(private Xvfb, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)):"
for size in "${sizes[@]}"; do
    for manager in "${managers[@]}"; do
        server=$(bash "$start_xvfb" "$work" "${size}x24") || {
            echo "full_screen_bench: no X server; skipped"
            exit 0
        }
        read -r DISPLAY xvfb_pid <<<"$server"
        export DISPLAY
        if [[ $manager != none ]]; then
            "$manager" --sm-disable >/dev/null 2>&1 &
            wm_pid=$!
            for _ in $(seq 150); do
                xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
                sleep 0.1
            done
        fi
        declare -A scales=()
        : >"$work/bare_shares"
        : >"$work/bare_fps"
        for i in "${!games[@]}"; do
            for f in demo_shares demo_fps demo_shown; do : >"$work/${f}_$i"; done
        done
        for _ in $(seq "$runs"); do
            "$bare" $((seconds + 3)) full >"$work/bare.log" &
            bare_pid=$!
            sleep 2
            measure "$bare_pid" >>"$work/bare_shares"
            echo >>"$work/bare_shares"
            wait "$bare_pid"
            sed -n 's/.*: \([0-9.]*\) fps.*/\1/p' "$work/bare.log" >>"$work/bare_fps"
            bare_size=$(sed -n 's/.* fps, \([0-9]* x [0-9]*\) shown.*/\1/p' "$work/bare.log")

            for i in "${!games[@]}"; do
                rm -rf "$XDG_STATE_HOME"
                "${games[$i]}" --no-dialog --autoplay --seed 4 --report-frame-rate --report-scale \
                    >"$work/demo.log" 2>&1 &
                game_pid=$!
                # Measured once the table is shown at its scale and the frames run at their pace.
                for _ in $(seq 600); do
                    (($(frame_lines "$work/demo.log") >= 2)) && break
                    kill -0 "$game_pid" 2>/dev/null || break
                    sleep 0.1
                done
                before=$(frame_lines "$work/demo.log")
                measure "$game_pid" >>"$work/demo_shares_$i"
                echo >>"$work/demo_shares_$i"
                sleep 1.1
                read -r fps shown <<<"$(frame_rate_after "$work/demo.log" "$before")"
                echo "$fps" >>"$work/demo_fps_$i"
                echo "$shown" >>"$work/demo_shown_$i"
                scales[$i]=$(sed -n 's/^zarn: drawing at scale //p' "$work/demo.log" | tail -n 1)
                kill "$game_pid"
                wait "$game_pid" 2>/dev/null
                game_pid=
            done
        done
        bare_share=$(median <"$work/bare_shares")
        echo "  $size, window manager: $manager; bare SDL loop (${bare_size:-?}): $bare_share %," \
            "$(median <"$work/bare_fps") fps (runs: $(paste -sd ' ' "$work/bare_shares"); $(paste -sd ' ' "$work/bare_fps") fps)"
        for i in "${!games[@]}"; do
            # Seed 3 deals the human the first contract: the table then waits for a click.
            rm -rf "$XDG_STATE_HOME"
            "${games[$i]}" --no-dialog --seed 3 >"$work/game.log" 2>&1 &
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
            demo=$(median <"$work/demo_shares_$i")
            printf '    %s at scale %s: animating %s %% (%sx bare), %s fps back to back, %s shown a second; waiting %s %%\n' \
                "${games[$i]}" "${scales[$i]:-?}" "$demo" "$(ratio "$demo" "$bare_share")" \
                "$(median <"$work/demo_fps_$i")" "$(median <"$work/demo_shown_$i")" "$waiting"
            printf '      runs: animating %s %%; %s fps\n' "$(paste -sd ' ' "$work/demo_shares_$i")" \
                "$(paste -sd ' ' "$work/demo_fps_$i")"
        done
        if [[ -n $wm_pid ]]; then
            kill "$wm_pid"
            wait "$wm_pid" 2>/dev/null
            wm_pid=
        fi
        kill "$xvfb_pid"
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=
    done
done
echo "  targets: animating at 60 frames a second at every size; waiting next to nothing (<= 1 %)"
