#!/usr/bin/env bash
# The game in a real X window (Xvfb, started here) on a German and on a Russian desktop: the table
# speaks the desktop's language (the game's own log of the texts it draws), and on a C locale it is
# English as it always was. The dialog's side is in the dialog tests (StartupDialogOnAnXServer).
set -euo pipefail

driver=$1
source "$(dirname "$0")/../support/x_session.sh"
start_x_server 1024x768x24
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_DATA_HOME"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM LANGUAGE LC_ALL LC_MESSAGES
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
source "$(dirname "$0")/../support/sanitizer_options.sh"

# play LANG EXPECTED: a short demo in a window; its text log must hold EXPECTED.
play() {
    local lang=$1 expected=$2 log=$work/texts-$1 status=0
    LANG=$lang "$driver" --no-dialog --windowed --autoplay --seed 4 --exit-after-frames 400 \
        --text-log "$log" >"$work/out-$lang" 2>&1 || status=$?
    if [[ $status -ne 0 ]]; then
        echo "the game on $lang ended with $status"
        cat "$work/out-$lang"
        exit 1
    fi
    if ! grep -qF "$expected" "$log" 2>/dev/null; then
        echo "on $lang the table never showed \"$expected\"; it showed:"
        cat "$log" 2>/dev/null || echo "(nothing)"
        exit 1
    fi
}

play de_DE.UTF-8 "Königreich"
play ru_RU.UTF-8 "оролевство"
play C "kingdom 1/5"
echo "the table speaks German, Russian and English"
