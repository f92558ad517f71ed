#!/usr/bin/env bash
# The game in a real X window (Xvfb at 2400 x 1800, started here), sharp at every size: a window of
# 2400 x 1800 is drawn at scale 3, shrunk to 1600 x 1200 at scale 2, grown back at scale 3, and the mouse
# still lands on the right things. The human owns the first kingdom of this seed: the mouse chooses the
# lowest contract at scale 2, then, back at scale 3, clicks the hand's cards from left to right, which
# plays the first card the human may play. A second run plays with the keyboard's focus, which stands on
# that same card; once the table rests again, the two runs must show the same table above the hand, so
# the clicks hit the cards where the picture shows them.
# Usage: xvfb_scale_test.sh TEST_DRIVER (zarn-test-driver, the game telling each new drawing scale with
# --report-scale).
set -euo pipefail

zarn=$1
# The work folder with the player's folders, the X server, and what is ended at exit.
source "$(dirname "$0")/../support/x_session.sh"
need_tools xdotool python3

seed=3
# The hand starts at x 155, y 420, a card every 33 units; a click 12 units into a card's strip hits it.
card_y=500

source "$(dirname "$0")/../support/game_window.sh"

start_x_server 2400x1800x24
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
# Leak detection on, only the system libraries' own leaks suppressed (the sanitizer build).
source "$(dirname "$0")/../support/sanitizer_options.sh"

# Waits up to twenty seconds for the game's log to report the n-th change to a scale.
expect_scale() {
    local log=$1 scale=$2 count=$3
    for _ in $(seq 200); do
        (($(grep -c "drawing at scale $scale" "$log" || true) >= count)) && return 0
        sleep 0.1
    done
    echo "never drew at scale $scale (time $count)"
    cat "$log"
    exit 1
}

expect_mouse() {
    local window=$1 wx=$2 wy=$3 bx=$4 by=$5
    xdotool mousemove --window "$window" "$wx" "$wy"
    for _ in $(seq 150); do
        [[ $(xdotool getwindowname "$window") == "   $bx   $by    Frames per Second ="* ]] && return 0
        sleep 0.1
    done
    echo "window ($wx, $wy): caption '$(xdotool getwindowname "$window")', want ($bx, $by)"
    exit 1
}

# hand_row WINDOW: a digest of one row of the window's pixels across the human's hand, below the
# pointer's reach while it rests on a card, read from the X server itself.
hand_row() {
    python3 - "$1" "$((3 * (card_y + 45)))" <<'PY'
import ctypes
import hashlib
import sys

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
width = 2400
image = x11.XGetImage(display, int(sys.argv[1]), 0, int(sys.argv[2]), width, 1, 0xFFFFFFFF, 2)  # ZPixmap
row = b"".join(x11.XGetPixel(image, i, 0).to_bytes(8, "little") for i in range(width)) if image else b""
x11.XCloseDisplay(display)
print(hashlib.sha1(row).hexdigest())
PY
}

click_at() {
    xdotool mousemove --window "$1" "$2" "$3"
    sleep 0.3
    xdotool click 1
    sleep 0.3
}

# One run: "mouse" or "keys" plays the card. The last frame goes to the given file.
run_game() {
    local how=$1 shot=$2 log=$3 status=0 window=
    mkdir -p "$XDG_CONFIG_HOME/zarn" "$HOME"
    rm -rf "$XDG_STATE_HOME"
    printf '[format]\nversion=1\n[window]\nwindowed=true\nwidth=2400\nheight=1800\n' >"$XDG_CONFIG_HOME/zarn/zarn.conf"
    "$zarn" --no-dialog --windowed --seed "$seed" --report-scale --screenshot "$shot" >"$log" 2>&1 &
    game_pid=$!
    window=$(window_of "$game_pid")
    [[ -n $window ]] || { echo "the game's window never appeared"; cat "$log"; exit 1; }
    expect_scale "$log" 3 1
    xdotool mousemove --window "$window" 2390 1790

    xdotool windowsize "$window" 1600 1200
    expect_scale "$log" 2 1
    expect_mouse "$window" 1000 700 500 350
    xdotool mousemove --window "$window" 1590 1190
    wait_for_rest "$window"
    # The lowest contract button: x 305..560, y 360..412.
    click_at "$window" $((2 * 430)) $((2 * 385))
    xdotool mousemove --window "$window" 1590 1190

    xdotool windowsize "$window" 2400 1800
    expect_scale "$log" 3 2
    expect_mouse "$window" 1500 1050 500 350
    xdotool mousemove --window "$window" 2390 1790
    wait_for_rest "$window"
    if [[ $how == mouse ]]; then
        # A click on a card the human may not play does nothing; the first one it may play leaves the
        # hand. The clicks stop there: at 60 frames a second the human's next turn comes quickly.
        local before
        before=$(hand_row "$window")
        for slot in $(seq 0 12); do
            xdotool mousemove --window "$window" $((3 * (155 + 33 * slot + 12) + 1)) $((3 * card_y + 1)) click 1
            sleep 0.3
            [[ $(hand_row "$window") != "$before" ]] && break
        done
    else
        # The first Return shows the focus (the mouse chose the contract), the second plays its card.
        xdotool key Return
        sleep 0.3
        xdotool key Return
    fi
    # The pointer goes back to the corner, so both runs end with it in the same place.
    xdotool mousemove --window "$window" 2390 1790
    wait_for_rest "$window"
    kill -0 "$game_pid" 2>/dev/null || { echo "the game ended early"; cat "$log"; exit 1; }
    xdotool key Escape
    for _ in $(seq 100); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    wait "$game_pid" || status=$?
    game_pid=
    [[ $status -eq 0 ]] || { echo "the game ended with $status"; cat "$log"; exit 1; }
    if grep -q "sharper pictures cannot be used" "$log"; then
        echo "the game fell back to scale 1"
        cat "$log"
        exit 1
    fi
}

run_game keys "$work/keys.bmp" "$work/log1"
run_game mouse "$work/mouse.bmp" "$work/log2"

python3 - "$work/keys.bmp" "$work/mouse.bmp" <<'EOF'
import struct
import sys


def rows(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, = struct.unpack_from("<H", data, 28)
    stride = (width * bits // 8 + 3) & ~3
    lines = [data[offset + y * stride: offset + y * stride + width * bits // 8] for y in range(abs(height))]
    return width, (lines if height < 0 else lines[::-1])


(wk, keys), (wm, mouse) = rows(sys.argv[1]), rows(sys.argv[2])
if wk != 2400 or wm != 2400 or len(keys) != 1800 or len(mouse) != 1800:
    sys.exit("the last frames are not 2400 x 1800 (scale 3)")
# The table above the human's hand: the trick, the other hands and the won piles. The hand itself may
# differ in its focus outline (the keys leave it shown, a click hides it); a different card played
# shows above it, in the trick and in what the other seats played to it.
if keys[:3 * 400] != mouse[:3 * 400]:
    sys.exit("the click did not play the card the keyboard played")
print("the click at scale 3 played the same card as the keyboard")
EOF
echo "ok"
