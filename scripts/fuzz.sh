#!/usr/bin/env bash
# Fuzzes the archive reader with libFuzzer for the given number of seconds (default 60).
# Builds with clang into build-fuzz/, writes the seed corpus there, and keeps the growing corpus in
# build-fuzz/corpus (which `make test` replays) and any crashing input in build-fuzz/artifacts/.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build-fuzz"
mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts"

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz: clang++ is missing (run make setup)" >&2
    exit 1
fi

cd "$root"
archive_sources=(src/archive/*.cpp)
flags=(-std=c++20 -g -O1 -Isrc -Itests/archive -Ifuzz
       -Wall -Wextra -Wpedantic -Werror -Wshadow -Wold-style-cast)

# Rebuild only when a source is newer than the programs.
if [[ ! -x "$out/pak_fuzz" || ! -x "$out/make_pak_seeds" ||
      -n "$(find src/archive fuzz tests/archive/sample_files.* -newer "$out/pak_fuzz" -print -quit)" ]]; then
    echo "fuzz: building with clang++ in build-fuzz/"
    clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        fuzz/pak_fuzz.cpp "${archive_sources[@]}" -o "$out/pak_fuzz"
    clang++ "${flags[@]}" fuzz/make_pak_seeds.cpp fuzz/pak_seeds.cpp tests/archive/sample_files.cpp \
        "${archive_sources[@]}" -o "$out/make_pak_seeds"
fi

"$out/make_pak_seeds" "$out/seeds"
echo "fuzz: running for ${seconds}s"
"$out/pak_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -malloc_limit_mb=64 -dict=fuzz/pak.dict -artifact_prefix="$out/artifacts/" -print_final_stats=1 \
    "$out/corpus" "$out/seeds"
