#!/usr/bin/env bash
# Starts the game from a build folder, passing on any arguments.
set -euo pipefail
build_dir=${1:-build}
shift || true
if [[ ! -x "$build_dir/bin/zarn" ]]; then
    echo "zarn: $build_dir/bin/zarn is not built; run 'make run' from the top of the tree." >&2
    exit 1
fi
exec "$build_dir/bin/zarn" "$@"
