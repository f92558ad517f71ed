#!/usr/bin/env bash
# The game in a real X window (Xvfb, started here): F11 and Alt+Enter switch between full screen and the
# window while a demo game runs, P pauses and resumes, ESCAPE ends the game with exit code 0. Then, in a
# game without the demo, the mouse lands on the right back-buffer pixel after every window size change
# (the window's caption shows the mouse position the game reads).
set -euo pipefail

zarn=$1
# The work folder with the player's folders, the X server, and what is ended at exit.
source "$(dirname "$0")/../support/x_session.sh"
need_tools xdotool

# window_of PID: the game's window once it has shown a frame.
source "$(dirname "$0")/../support/game_window.sh"

# ESCAPE ends the running game; it must be gone within thirty seconds with exit code 0.
escape_and_expect_clean_exit() {
    local what=$1 log=$2 status=0
    xdotool key Escape
    for _ in $(seq 300); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    wait "$game_pid" || status=$?
    game_pid=
    if [[ $status -ne 0 ]]; then
        echo "$what ended with $status"
        cat "$log"
        exit 1
    fi
}

# A private X server that answers before the game starts (the shared helper waits for it, starts it
# again once if it died, and shows its log when it fails).
start_x_server 1920x1280x24
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_DATA_HOME"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
# Leak detection on, only the system libraries' own leaks suppressed (the sanitizer build).
source "$(dirname "$0")/../support/sanitizer_options.sh"

"$zarn" --no-dialog --windowed --autoplay --seed 4 --screenshot "$work/shot.png" >"$work/log" 2>&1 &
game_pid=$!

window=$(window_of "$game_pid")
if [[ -z $window ]]; then
    echo "the game's window never appeared"
    cat "$work/log"
    exit 1
fi
# Keys go to the window under the pointer (there is no window manager).
xdotool mousemove --window "$window" 400 300
sleep 2

caption() { xdotool getwindowname "$window"; }
# Waits up to fifteen seconds (a loaded machine is slow) for the caption to match a pattern.
expect_caption() {
    local pattern=$1 what=$2
    for _ in $(seq 150); do
        [[ $(caption) == $pattern ]] && return 0
        sleep 0.1
    done
    echo "$what: caption '$(caption)'"
    exit 1
}

# In a window the caption shows the mouse and the frame rate.
expect_caption '*Frames per Second =*' "windowed"
xdotool key F11
expect_caption "Zarn" "full screen"
xdotool key alt+Return
expect_caption '*Frames per Second =*' "back in the window"
xdotool key p
sleep 1
xdotool key p
sleep 1
kill -0 "$game_pid" || { echo "the game ended early"; cat "$work/log"; exit 1; }
escape_and_expect_clean_exit "the game" "$work/log"
[[ $(head -c 4 "$work/shot.png" | od -An -c | tr -d ' ') == '211PNG' ]] || { echo "no screenshot"; exit 1; }

# The mouse after window size changes: no demo, so the pointer is the real one.
"$zarn" --no-dialog --windowed --seed 4 >"$work/log2" 2>&1 &
game_pid=$!
window=$(window_of "$game_pid")
[[ -n $window ]] || { echo "the second game's window never appeared"; cat "$work/log2"; exit 1; }

# Moves the pointer to a point of the window and checks the position the game reads.
expect_mouse() {
    local wx=$1 wy=$2 bx=$3 by=$4
    xdotool mousemove --window "$window" "$wx" "$wy"
    expect_caption "   $bx   $by    Frames per Second =*" "window ($wx, $wy), want back buffer ($bx, $by)"
}
resize() {
    xdotool windowsize "$window" "$1" "$2"
    sleep 0.5
}

resize 1600 1200   # twice the back buffer
expect_mouse 1000 700 500 350
expect_mouse 1 1 0 0
resize 1000 600    # wider: bars left and right, the picture from x 100 to 900
expect_mouse 500 300 400 300
expect_mouse 100 0 0 0
expect_mouse 50 300 0 300
expect_mouse 899 599 799 599
resize 800 800     # taller: bars above and below, the picture from y 100 to 700
expect_mouse 400 150 400 50
expect_mouse 799 790 799 599
resize 400 300     # half size
expect_mouse 200 150 401 301   # one window pixel covers two: its middle

escape_and_expect_clean_exit "the second game" "$work/log2"
echo "ok"
