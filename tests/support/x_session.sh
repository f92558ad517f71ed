# Sourced by the tests that drive a program in a real X server. Makes a work folder and points the
# player's folders into it (the player's own files are never touched), and at exit ends what the test
# recorded in game_pid, wm_pid and xvfb_pid (in that order) and removes the folder.
#
#   need_tools TOOL...      skips the test (exit 77) when one of the tools is not installed
#   start_x_server SCREEN   starts a private Xvfb (see start_xvfb.sh), exports DISPLAY and sets xvfb_pid
#   stop_x_server           ends that server
x_support="$(dirname "${BASH_SOURCE[0]}")"

need_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "$tool missing; skipping"
            exit 77
        fi
    done
}

work=$(mktemp -d)
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state XDG_DATA_HOME=$work/data
mkdir -p "$HOME"
game_pid=
wm_pid=
xvfb_pid=
end_x_session() {
    local pid
    for pid in "$game_pid" "$wm_pid" "$xvfb_pid"; do
        if [[ -n $pid ]]; then
            kill "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap end_x_session EXIT

start_x_server() {
    local server
    server=$(bash "$x_support/start_xvfb.sh" "$work" "$1") || exit $?
    read -r DISPLAY xvfb_pid <<<"$server"
    export DISPLAY
}

stop_x_server() {
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
}
