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
#
# wait_for_rest WINDOW: waits (up to three minutes: a sanitizer build on a loaded machine is slow) until
# the game has run frames and then rested for three seconds, longer than any pause between two computer
# cards: it waits for the player. The caption's rate reads ".0" while the loop rests. Ends the script
# with status 1 otherwise.
wait_for_rest() {
    local window=$1 caption ran= still=0
    for _ in $(seq 1800); do
        caption=$(xdotool getwindowname "$window" 2>/dev/null || true)
        if [[ $caption == *"Frames per Second ="* && $caption != *"=.0" ]]; then
            ran=yes
            still=0
        elif [[ -n $ran && $caption == *"=.0" ]]; then
            still=$((still + 1))
            ((still >= 30)) && return 0
        fi
        sleep 0.1
    done
    echo "the table never came to rest: '$caption'"
    exit 1
}
