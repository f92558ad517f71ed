#!/usr/bin/env bash
# The game in a real X window (Xvfb, started here), played from the keyboard with xdotool: the human
# owns the first kingdom of this seed, chooses a contract with Right and Return, and on its turn plays a
# card with Return. The same game is run three times, each ending at a later step: at the contract menu,
# waiting for the human's card (the focus shown), and after the card is played. The menu's frame and the
# waiting frame differ where the buttons stood (a contract was chosen); the waiting frame, where the
# table stands still, and the last frame differ (the card was played).
set -euo pipefail

zarn=$1
# The work folder with the player's folders, the X server, and what is ended at exit.
source "$(dirname "$0")/../support/x_session.sh"
need_tools xdotool python3

# The seed deals the first kingdom to the human (seat 1 plays first).
seed=${ZARN_KEYBOARD_TEST_SEED:-3}
# Each step waits until the table rests for the player (see wait_for_rest), however slow the build.


# window_of PID: the game's window once it has shown a frame.
source "$(dirname "$0")/../support/game_window.sh"

# A private X server that answers before the game starts (the shared helper waits for it, starts it
# again once if it died, and shows its log when it fails).
start_x_server 1280x1024x24
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
# Leak detection on, only the system libraries' own leaks suppressed (the sanitizer build).
source "$(dirname "$0")/../support/sanitizer_options.sh"

# Plays the seed's first deal from the keyboard up to a step: "menu", "waiting" or "played". Writes the
# last frame to the given file.
run_game() {
    local until=$1 shot=$2 log=$3 status=0 window=
    "$zarn" --no-dialog --windowed --seed "$seed" --screenshot "$shot" >"$log" 2>&1 &
    game_pid=$!
    window=$(window_of "$game_pid")
    [[ -n $window ]] || { echo "the game's window never appeared"; cat "$log"; exit 1; }
    # Keys go to the window under the pointer (there is no window manager); the pointer rests in the
    # bottom right corner, away from the cards and the buttons.
    xdotool mousemove --window "$window" 790 590
    # The deal runs, then the table rests with the contract menu up.
    wait_for_rest "$window"
    if [[ $until != menu ]]; then
        play_keys "$until" "$window"
    fi
    kill -0 "$game_pid" 2>/dev/null || { echo "the game ended early"; cat "$log"; exit 1; }
    xdotool key Escape
    for _ in $(seq 100); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    wait "$game_pid" || status=$?
    game_pid=
    [[ $status -eq 0 ]] || { echo "the game ended with $status"; cat "$log"; exit 1; }
}

play_keys() {
    local window=$2
    # The first Right shows the focus on the lowest button, the second moves it; Return chooses.
    for key in Right Right Return; do
        xdotool key "$key"
        sleep 0.3
    done
    # The computer seats before the human play their cards, then the table rests for the human's card.
    wait_for_rest "$window"
    # The focus, shown since the keys chose the contract, stands on the first card the human may play.
    if [[ $1 == played ]]; then
        xdotool key Return
    fi
    sleep 1
}

run_game menu "$work/menu.bmp" "$work/log1"
run_game waiting "$work/waiting.bmp" "$work/log2"
run_game played "$work/played.bmp" "$work/log3"

# Compares the frames above the clock's line (the clock may turn a minute between runs).
python3 - "$work/menu.bmp" "$work/waiting.bmp" "$work/played.bmp" <<'EOF'
import struct
import sys


def rows(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits, = struct.unpack_from("<H", data, 28)
    stride = (width * bits // 8 + 3) & ~3
    lines = [data[offset + y * stride: offset + y * stride + width * bits // 8] for y in range(abs(height))]
    return lines if height < 0 else lines[::-1]


menu, waiting, played = (rows(path) for path in sys.argv[1:4])
if any(len(frame) != 600 for frame in (menu, waiting, played)):
    sys.exit("the screenshots are not 800 x 600")
# The contract buttons stand at x 305..560, from y 360 upwards (the lowest first).
bytes_per_pixel = len(menu[0]) // 800
button_rows = range(365, 405)
left, right = 310 * bytes_per_pixel, 555 * bytes_per_pixel
if all(menu[y][left:right] == waiting[y][left:right] for y in button_rows):
    sys.exit("Right and Return chose no contract: the menu is still up")
if waiting[:560] == played[:560]:
    sys.exit("Return on the focused card played nothing: both frames show the same table")
print("a contract was chosen and a card played from the keyboard")
EOF
echo "ok"
