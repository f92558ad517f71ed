#!/usr/bin/env bash
# The leak check works in a real X window (Xvfb, started here; sanitizer build only). A small program
# opens a window with a renderer and shows a frame, as the game does, under the same options as every
# sanitizer test (leak detection on, the system libraries' own leaks suppressed by lsan.supp):
#   - as it is, it ends with 0 and no report: the suppressions cover what the window's libraries leave;
#   - told to lose a block of its own, it ends with a failure and the report names that block: the
#     suppressions hide no leak of ours.
set -uo pipefail

program=$1
# The work folder with the player's folders, the X server, and what is ended at exit.
source "$(dirname "$0")/../support/x_session.sh"
need_tools xdotool

source "$(dirname "$0")/../support/sanitizer_options.sh"

start_x_server 1024x768x24
unset WAYLAND_DISPLAY
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy

"$program" >"$work/clean.out" 2>"$work/clean.err"
status=$?
if [[ $status -ne 0 ]] || grep -q "Sanitizer" "$work/clean.err"; then
    echo "FAIL: without a leak of its own the window program ended with $status:"
    cat "$work/clean.out" "$work/clean.err"
    exit 1
fi

"$program" --leak >"$work/leak.out" 2>"$work/leak.err"
status=$?
if [[ $status -eq 0 ]]; then
    echo "FAIL: the lost block went unseen (exit status 0):"
    cat "$work/leak.out" "$work/leak.err"
    exit 1
fi
if ! grep -q "ERROR: LeakSanitizer: detected memory leaks" "$work/leak.err" ||
    ! grep -q "leak of 1337 byte(s) in 1 object(s)" "$work/leak.err" ||
    ! grep -q "LoseABlockOfOurOwn" "$work/leak.err"; then
    echo "FAIL: exit status $status, but no report of the lost block:"
    cat "$work/leak.out" "$work/leak.err"
    exit 1
fi
echo "ok: no report without the leak; with it exit status $status and the report:"
grep -A3 "leak of 1337 byte(s)" "$work/leak.err"
