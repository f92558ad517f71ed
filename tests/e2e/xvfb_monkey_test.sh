#!/usr/bin/env bash
# A monkey at the real game (sanitizer build) in a real X window (Xvfb, started here). For each level of
# the computer players, classic and expert, a few hundred random keys and clicks from a fixed random
# seed: every key the game knows (arrows, Tab, Shift+Tab, Enter, Space, H, L, R, M, P, F11, Alt+Enter)
# and left and right clicks anywhere over the table; then ESCAPE. The game must end with 0 and no
# sanitizer report (leak detection on), its saved match must load with the game's own reader, and the
# game started again must resume that match (the same opponents) and end cleanly too.
#
#   xvfb_monkey_test.sh ZARN SAVED_MATCH_NAMES [ACTIONS]     ACTIONS per level, 300 unless given
#
# Only the options a player has are used; the keys and clicks come from xdotool.
set -euo pipefail

zarn=$1
saved_match_names=$2
actions=${3:-300}
# The work folder with the player's folders, the X server, and what is ended at exit.
source "$(dirname "$0")/../support/x_session.sh"
need_tools xdotool

# window_of PID: the game's window once it has shown a frame.
source "$(dirname "$0")/../support/game_window.sh"
# Leak detection on, only the system libraries' own leaks suppressed.
source "$(dirname "$0")/../support/sanitizer_options.sh"

start_x_server 1280x1024x24
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_DATA_HOME"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
saved_match=$XDG_STATE_HOME/zarn/match.sav

fail() {
    echo "FAIL: $1"
    [[ -n ${2:-} && -f $2 ]] && cat "$2"
    exit 1
}

# A sanitizer report, or a line about a damaged file, in a game's output fails the test.
expect_clean_output() {
    local what=$1 log=$2
    if grep -qE "Sanitizer|runtime error:|damaged" "$log"; then
        fail "$what wrote a sanitizer report or a damaged-file notice" "$log"
    fi
}

start_game() {
    local log=$1
    shift
    "$zarn" --no-dialog --windowed "$@" >"$log" 2>&1 &
    game_pid=$!
    window=$(window_of "$game_pid")
    [[ -n $window ]] || fail "the game's window never appeared" "$log"
}

# ESCAPE, sent with the pointer over the window (there is no window manager: keys go to the window under
# the pointer), ends the game; it must be gone within a minute (a sanitizer build on a loaded machine
# saves slowly) with exit status 0.
escape_and_expect_clean_exit() {
    local what=$1 log=$2 status=0
    xdotool mousemove --window "$window" 20 20 key Escape 2>/dev/null || true
    for _ in $(seq 600); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$game_pid" 2>/dev/null && fail "$what did not end within a minute of ESCAPE" "$log"
    wait "$game_pid" || status=$?
    game_pid=
    [[ $status -eq 0 ]] || fail "$what ended with status $status" "$log"
    expect_clean_output "$what" "$log"
}

keys=(Left Right Up Down Tab shift+Tab Return space h l r m p F11 alt+Return)

# ACTIONS random keys and clicks, each at a random point of the table (window coordinates inside the
# 800 x 600 table, which the window holds in both window and full-screen mode), given to xdotool ten at
# a time with a short pause after each, so the game moves on in between. The game must stay alive.
monkey() {
    local what=$1 log=$2 x y roll batch=()
    for ((i = 1; i <= actions; i++)); do
        x=$((RANDOM % 800))
        y=$((RANDOM % 600))
        roll=$((RANDOM % 10))
        batch+=(mousemove --window "$window" "$x" "$y")
        if ((roll < 3)); then
            batch+=(click 1)
        elif ((roll < 4)); then
            batch+=(click 3)
        else
            batch+=(key "${keys[RANDOM % ${#keys[@]}]}")
        fi
        batch+=(sleep 0.05)
        if ((i % 10 == 0 || i == actions)); then
            xdotool "${batch[@]}" 2>/dev/null || true
            batch=()
            kill -0 "$game_pid" 2>/dev/null || fail "$what ended during the monkey's actions up to $i" "$log"
        fi
    done
}

level_seed=0
for level in classic expert; do
    level_seed=$((level_seed + 1))
    # The monkey's own random sequence is fixed; the game's deal too.
    RANDOM=$((1000 + level_seed))
    log=$work/$level.log
    start_game "$log" --players "$level" --seed $((20 + level_seed))
    started=$SECONDS
    monkey "the $level game" "$log"
    echo "$level: $actions keys and clicks in $((SECONDS - started)) s"
    escape_and_expect_clean_exit "the $level game" "$log"

    names=$("$saved_match_names" "$saved_match" 2>&1) || fail "the $level game's saved match does not load: $names"
    echo "$level: saved match after the monkey: ${names//$'\n'/, }"

    # Started again without a seed, the game resumes the saved match.
    log=$work/$level-resumed.log
    start_game "$log" --players "$level"
    escape_and_expect_clean_exit "the resumed $level game" "$log"
    [[ ! -e $saved_match.bad ]] || fail "the $level game's saved match was set aside as damaged" "$log"
    again=$("$saved_match_names" "$saved_match" 2>&1) || fail "the resumed $level game's save does not load: $again"
    [[ $(head -1 <<<"$again") == $(head -1 <<<"$names") ]] ||
        fail "the game did not resume the $level match: before '$names', after '$again'" "$log"
done
echo "ok"
