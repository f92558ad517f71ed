# Sourced by the scripts that drive the game in a real X window (tests and benchmarks).
#
# window_of PID: prints the game's window once it has shown a frame, or nothing if the game ends or
# 30 seconds pass. Its caption then carries the frame rate; a window SDL makes and replaces while it
# sets up the renderer never does, and keys or moves sent to that one would be lost.
window_of() {
    local id
    for _ in $(seq 300); do
        for id in $(xdotool search --pid "$1" 2>/dev/null || true); do
            if [[ $(xdotool getwindowname "$id" 2>/dev/null) == *"Frames per Second ="* ]]; then
                echo "$id"
                return
            fi
        done
        kill -0 "$1" 2>/dev/null || return
        sleep 0.1
    done
}
