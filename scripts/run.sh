#!/usr/bin/env bash
# Starts the game from a build folder; until the window exists, the headless simulator stands in.
set -euo pipefail
build_dir=${1:-build}
shift || true
if [[ -x "$build_dir/bin/zarn" ]]; then
    exec "$build_dir/bin/zarn" "$@"
elif [[ -x "$build_dir/bin/zarn-sim" ]]; then
    echo "zarn: the game window is not built yet; running the headless simulator instead." >&2
    exec "$build_dir/bin/zarn-sim" --matches 1 "$@"
else
    echo "zarn: nothing to run yet: neither $build_dir/bin/zarn nor $build_dir/bin/zarn-sim exists." >&2
    exit 1
fi
