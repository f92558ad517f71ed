#!/usr/bin/env bash
# Starts a private X server for a test or a benchmark and prints ":N PID" (its display and process) once
# the server answers requests. The caller ends the server with `kill PID`.
#
#   start_xvfb.sh WORK_DIR [SCREEN]     SCREEN as Xvfb takes it, 1920x1280x24 unless given
#
# Xvfb picks a free display itself (-displayfd). On a loaded machine it may take long to start, so the
# script waits up to 30 seconds for it to answer (xdpyinfo, or xdotool where that is missing), starts
# it once more if it died, and prints the server's own log when it fails. Exit codes: 0 running,
# 1 no server, 77 Xvfb is not installed (a test skips then).
set -uo pipefail

work=$1
screen=${2:-1920x1280x24}
if ! command -v Xvfb >/dev/null; then
    echo "Xvfb is not installed" >&2
    exit 77
fi

answers() {
    if command -v xdpyinfo >/dev/null; then
        DISPLAY=$1 xdpyinfo >/dev/null 2>&1
    else
        DISPLAY=$1 xdotool getdisplaygeometry >/dev/null 2>&1
    fi
}

for attempt in 1 2; do
    log="$work/xvfb-$attempt.log"
    number_file="$work/xvfb-$attempt.display"
    : >"$number_file"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$number_file" </dev/null >"$log" 2>&1 &
    pid=$!
    deadline=$((SECONDS + 30))
    while ((SECONDS < deadline)) && kill -0 "$pid" 2>/dev/null; do
        if [[ -s $number_file ]]; then
            display=":$(tr -d '\n' <"$number_file")"
            if answers "$display"; then
                echo "$display $pid"
                exit 0
            fi
        fi
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        echo "the X server did not answer within 30 seconds (attempt $attempt); its log:" >&2
    else
        wait "$pid" 2>/dev/null
        echo "the X server ended with status $? (attempt $attempt); its log:" >&2
    fi
    cat "$log" >&2
done
exit 1
