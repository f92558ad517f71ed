#!/usr/bin/env bash
# The game in a real X window (Xvfb, started here): F11 and Alt+Enter switch between full screen and the
# window while a demo game runs, P pauses and resumes, ESCAPE ends the game with exit code 0.
set -euo pipefail

zarn=$1
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
    echo "Xvfb or xdotool missing; skipping"
    exit 77
fi

work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
    [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do
    [[ -s $work/display ]] && break
    sleep 0.1
done
export DISPLAY=":$(tr -d '\n' <"$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
# In the sanitizer build the X11 driver's own libraries (the session bus connection SDL keeps for the
# screen saver) leave allocations behind at exit. The game's own memory is checked for leaks by the
# headless end-to-end test; here leak checking is off.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

"$zarn" --no-dialog --windowed --autoplay --seed 4 --screenshot "$work/shot.png" >"$work/log" 2>&1 &
game_pid=$!

window=
for _ in $(seq 100); do
    window=$(xdotool search --pid "$game_pid" 2>/dev/null | tail -1 || true)
    [[ -n $window ]] && break
    sleep 0.1
done
if [[ -z $window ]]; then
    echo "the game's window never appeared"
    cat "$work/log"
    exit 1
fi
# Keys go to the window under the pointer (there is no window manager).
xdotool mousemove --window "$window" 400 300
sleep 2

caption() { xdotool getwindowname "$window"; }

# In a window the caption shows the mouse and the frame rate.
[[ $(caption) == *"Frames per Second ="* ]] || { echo "windowed caption: $(caption)"; exit 1; }
xdotool key F11
sleep 1
[[ $(caption) == "Zarn" ]] || { echo "full-screen caption: $(caption)"; exit 1; }
xdotool key alt+Return
sleep 1
[[ $(caption) == *"Frames per Second ="* ]] || { echo "caption back in the window: $(caption)"; exit 1; }
xdotool key p
sleep 1
xdotool key p
sleep 1
kill -0 "$game_pid" || { echo "the game ended early"; cat "$work/log"; exit 1; }
xdotool key Escape

status=0
for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
wait "$game_pid" || status=$?
game_pid=
if [[ $status -ne 0 ]]; then
    echo "the game ended with $status"
    cat "$work/log"
    exit 1
fi
[[ $(head -c 4 "$work/shot.png" | od -An -c | tr -d ' ') == '211PNG' ]] || { echo "no screenshot"; exit 1; }
echo "ok"
