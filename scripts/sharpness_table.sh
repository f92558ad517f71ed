#!/usr/bin/env bash
# The edge-contrast figure over the human's hand (the spread of a Laplacian filter's response; see
# tests/support/x_screen.py) of the game full screen on screens of several sizes, under a private X
# server with openbox, at the contract menu of seed 3; and how far the hand shown is from an exact area
# average of the game's own drawing of it (its --screenshot): err against the drawing at the scale the
# game chose, err3 against one at scale 3 (a second start with --scale 3), n/a where the drawing is
# stretched. With CROP_DIR set, the hand at 1920 x 1080 is also saved there, at full size, as
# hand-1920x1080.png.
#
#   sharpness_table.sh ZARN [SIZE...]      sizes as 1920x1080; the four common ones unless given
set -uo pipefail

zarn=$1
shift
sizes=("$@")
((${#sizes[@]})) || sizes=(1366x768 1920x1080 2560x1440 3840x2160)
here=$(cd "$(dirname "$0")" && pwd)
support="$here/../tests/support"
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state XDG_DATA_HOME=$work/data HOME=$work/home
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
unset WAYLAND_DISPLAY
xvfb_pid= wm_pid= game_pid=
cleanup() {
    [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null
    [[ -n $wm_pid ]] && kill "$wm_pid" 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The game at the scale it chooses (none given) or at one given; its last frame goes to the shot.
show_hand() {
    rm -rf "$XDG_STATE_HOME" "$XDG_CONFIG_HOME" "$work/shot.bmp"
    mkdir -p "$XDG_CONFIG_HOME/zarn" "$HOME"
    printf '[format]\nversion=1\n[window]\nwindowed=false\n' >"$XDG_CONFIG_HOME/zarn/zarn.conf"
    "$zarn" --no-dialog --seed 3 --screenshot "$work/shot.bmp" "$@" >"$work/log" 2>&1 &
    game_pid=$!
    xdotool mousemove 5 5
    local seen=
    for _ in $(seq 300); do
        seen=$(python3 "$support/x_screen.py" look)
        [[ $seen == *hand=1111111111111* ]] && break
        sleep 0.2
    done
}
end_game() {
    xdotool key Escape
    wait "$game_pid" 2>/dev/null
    game_pid=
}

for size in "${sizes[@]}"; do
    server=$(bash "$support/start_xvfb.sh" "$work" "${size}x24") || exit 1
    read -r DISPLAY xvfb_pid <<<"$server"
    export DISPLAY
    openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
    for _ in $(seq 150); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
    show_hand
    line=$(python3 "$support/x_screen.py" measure)
    python3 "$support/x_screen.py" save "$work/screen.png"
    if [[ -n ${CROP_DIR:-} && $size == 1920x1080 ]]; then
        # The hand: x 155..650, y 420..573 in table units, in the 1440 x 1080 box at x 240.
        python3 "$support/x_screen.py" save "$CROP_DIR/hand-1920x1080.png" 511 747 895 285
    fi
    end_game
    err=$(python3 "$support/x_screen.py" compare "$work/screen.png" "$work/shot.bmp")
    show_hand --scale 3
    end_game
    err3=$(python3 "$support/x_screen.py" compare "$work/screen.png" "$work/shot.bmp")
    echo "$size ${line%% digest=*} $err ${err3/err=/err3=}"
    kill "$wm_pid" "$xvfb_pid"
    wait "$wm_pid" "$xvfb_pid" 2>/dev/null
    wm_pid= xvfb_pid=
done
