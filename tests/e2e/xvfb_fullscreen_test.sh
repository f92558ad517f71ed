#!/usr/bin/env bash
# The game full screen (the default) in a real X server (Xvfb, started here) at 1920 x 1080 and
# 1366 x 768, under a window manager (openbox, started here) and without one. Each time the whole table
# must be on screen, in the box the screen's shape leaves for it (black bars beside it, nothing cut
# off), drawn at the scale the screen calls for (its hand equals that of a game started with that
# --scale), and a click must land on what the pointer shows: the lowest contract button, then the
# card under the pointer, which leaves exactly its slot of the hand. Without a window manager F11 also
# leaves full screen for a window and comes back (at 1920 x 1080). Everything is read from the X
# server's own picture (tests/support/x_screen.py); waits poll for what the screen shows.
set -euo pipefail

zarn=$1
support="$(dirname "$0")/../support"
# The work folder with the player's folders, the X server, and what is ended at exit.
source "$support/x_session.sh"
need_tools xdotool python3 openbox

seed=3  # the human owns the first kingdom: the contract menu comes up for the human
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy

# Says why on standard error (the plays run in command substitutions) and ends the test.
fail() {
    echo "$1" >&2
    [[ -f $work/log ]] && cat "$work/log" >&2
    exit 1
}

# The box the table must fill on a W x H screen (its 4:3 shape kept, centred) and a table unit's place.
expected_box() {
    local w=$1 h=$2 bw bh
    if ((w * 600 <= h * 800)); then bw=$w bh=$((w * 600 / 800)); else bh=$h bw=$((h * 800 / 600)); fi
    echo "$(((w - bw) / 2)),$(((h - bh) / 2)),$bw,$bh"
}
screen_x() { IFS=, read -r bx _ bw _ <<<"$box"; echo $((bx + $1 * bw / 800)); }
screen_y() { IFS=, read -r _ by _ bh <<<"$box"; echo $((by + $1 * bh / 600)); }

# Polls the screen until its line has the wanted table box and hand; prints the line.
wait_for_screen() {
    local hand=$1 line=
    for _ in $(seq 150); do
        line=$(python3 "$support/x_screen.py" look)
        [[ $line == "table=$box hand=$hand "* ]] && { echo "$line"; return 0; }
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended early"
        sleep 0.2
    done
    fail "the screen never showed table=$box hand=$hand; last: $line"
}

start_game() {
    rm -rf "$XDG_STATE_HOME" "$XDG_CONFIG_HOME"
    mkdir -p "$XDG_CONFIG_HOME/zarn" "$HOME"
    printf '[format]\nversion=1\n[window]\nwindowed=false\n' >"$XDG_CONFIG_HOME/zarn/zarn.conf"
    "$zarn" --no-dialog --seed "$seed" "$@" >"$work/log" 2>&1 &
    game_pid=$!
}

end_game() {
    local status=0
    xdotool key Escape
    for _ in $(seq 100); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    wait "$game_pid" || status=$?
    game_pid=
    [[ $status -eq 0 ]] || fail "the game ended with $status"
}

# One game full screen on the running server; prints its hand's sharpness and digest. With "window"
# the game then leaves full screen (F11) before the clicks, which must land in the window it gets, and
# goes back to full screen (F11) after them.
play_full_screen() {
    local label=$1 leave=${2:-} line after full_box=$box
    start_game
    # The pointer rests on the felt, away from the hand.
    xdotool mousemove "$(screen_x 20)" "$(screen_y 20)"
    wait_for_screen 1111111111111 >/dev/null
    line=$(python3 "$support/x_screen.py" measure)
    echo "$label: $line" >&2
    if [[ -n $leave ]]; then
        # Out of full screen: an 800 x 600 window (the screen has no room for 1600 x 1200) in its middle.
        xdotool key F11
        box="$(((screen_w - 800) / 2)),$(((screen_h - 600) / 2)),800,600"
        wait_for_screen 1111111111111 >/dev/null
        echo "$label: F11 left full screen for a window at $box" >&2
    fi
    # The lowest contract button: x 305..560, y 360..412. The pointer stays on it until the menu is
    # gone, so a click the game reads late still lands there.
    xdotool mousemove "$(screen_x 430)" "$(screen_y 386)"
    for _ in $(seq 60); do
        xdotool click 1
        [[ $(python3 "$support/x_screen.py" look) == *menu=0* ]] && break
    done
    [[ $(python3 "$support/x_screen.py" look) == *menu=0* ]] || fail "$label: the contract button took no click"
    # Then the human's card. Seat 1 leads a club (the seed and the computer players fix every card
    # before the human's), so the 6 of clubs in slot 6 may be played. The pointer stays 12 units into
    # that slot's strip and clicks until a card leaves the hand, however late the game takes a click
    # (a card still moving holds the human's choice back): it must be that card and no other.
    xdotool mousemove "$(screen_x $((155 + 33 * 6 + 12)))" "$(screen_y 500)"
    for _ in $(seq 90); do
        xdotool click 1
        after=$(python3 "$support/x_screen.py" look | sed -n 's/.* hand=\([01]*\).*/\1/p')
        if [[ $after != 1111111111111 ]]; then
            [[ $after == 1111110111111 ]] || fail "$label: clicked slot 6, the hand shows $after"
            echo "$label: the click on slot 6 played that card" >&2
            if [[ -n $leave ]]; then
                xdotool key F11
                box=$full_box
                wait_for_screen 1111110111111 >/dev/null
                echo "$label: F11 went back to full screen" >&2
            fi
            end_game
            echo "$line"
            return 0
        fi
    done
    fail "$label: no click played a card"
}

for size in 1920x1080 1366x768; do
    start_x_server "${size}x24"
    screen_w=${size%x*} screen_h=${size#*x}
    box=$(expected_box "$screen_w" "$screen_h")

    # Leaving full screen and coming back, where no window manager does it: on one screen size.
    bare=$(play_full_screen "$size without a window manager" $([[ $size == 1920x1080 ]] && echo window))

    openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
    for _ in $(seq 150); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
    managed=$(play_full_screen "$size under openbox")
    kill "$wm_pid"
    wait "$wm_pid" 2>/dev/null || true
    wm_pid=

    # Both screens call for scale 2: the hand equals that of a game told to draw at 2.
    start_game --scale 2
    xdotool mousemove "$(screen_x 20)" "$(screen_y 20)"
    wait_for_screen 1111111111111 >/dev/null
    fixed=$(python3 "$support/x_screen.py" measure)
    end_game
    digest() { sed -n 's/.*digest=//p' <<<"$1"; }
    [[ $(digest "$bare") == "$(digest "$fixed")" ]] || fail "$size: not drawn at scale 2 without a window manager"
    [[ $(digest "$managed") == "$(digest "$fixed")" ]] || fail "$size: not drawn at scale 2 under openbox"
    echo "$size: drawn at scale 2 with and without a window manager; $(sed -n 's/.*\(sharpness=[0-9.]*\).*/\1/p' <<<"$bare")"

    stop_x_server
done
echo "ok"
