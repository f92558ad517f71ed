#!/usr/bin/env bash
# Fuzzes the archive reader, then the saved-match, statistics and settings loaders, with libFuzzer for
# the given number of seconds each (default 60). A second argument picks one target (pak, saved_match,
# statistics, settings). Builds with clang into build-fuzz/, writes the seed corpora there, and keeps the
# growing corpora in build-fuzz/corpus and build-fuzz/corpus-NAME (which `make test` replays) and any
# crashing input in build-fuzz/artifacts/.
set -euo pipefail

seconds="${1:-60}"
only="${2:-}"
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
      -n "$(find src/archive fuzz/pak_* fuzz/make_pak_seeds.cpp tests/archive/sample_files.* -newer "$out/pak_fuzz" \
               -print -quit)" ]]; then
    echo "fuzz: building with clang++ in build-fuzz/"
    clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        fuzz/pak_fuzz.cpp "${archive_sources[@]}" -o "$out/pak_fuzz"
    clang++ "${flags[@]}" fuzz/make_pak_seeds.cpp fuzz/pak_seeds.cpp tests/archive/sample_files.cpp \
        "${archive_sources[@]}" -o "$out/make_pak_seeds"
fi

if [[ -z "$only" || "$only" == pak ]]; then
"$out/make_pak_seeds" "$out/seeds"
echo "fuzz: running for ${seconds}s"
"$out/pak_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -malloc_limit_mb=64 -dict=fuzz/pak.dict -artifact_prefix="$out/artifacts/" -print_final_stats=1 \
    "$out/corpus" "$out/seeds"
fi

# The player-file loaders: the game logic and the persistence code are compiled into each target so the
# fuzzer sees their coverage; the settings target also links Qt Core (not instrumented).
logic_sources=(src/cards/*.cpp src/flow/*.cpp src/players/*.cpp src/persistence/*.cpp)
qt_flags=($(pkg-config --cflags Qt6Core) -fPIC)
qt_libs=($(pkg-config --libs Qt6Core))
fuzz_flags=(-fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
if [[ ! -x "$out/settings_fuzz" ||
      -n "$(find src/cards src/flow src/players src/persistence src/dialog/settings_store.* fuzz \
               -newer "$out/settings_fuzz" -print -quit)" ]]; then
    echo "fuzz: building the player-file targets with clang++ in build-fuzz/"
    clang++ "${flags[@]}" "${fuzz_flags[@]}" fuzz/saved_match_fuzz.cpp "${logic_sources[@]}" \
        -o "$out/saved_match_fuzz"
    clang++ "${flags[@]}" "${fuzz_flags[@]}" fuzz/statistics_fuzz.cpp "${logic_sources[@]}" \
        -o "$out/statistics_fuzz"
    clang++ "${flags[@]}" "${qt_flags[@]}" "${fuzz_flags[@]}" fuzz/settings_fuzz.cpp \
        src/dialog/settings_store.cpp "${logic_sources[@]}" "${qt_libs[@]}" -o "$out/settings_fuzz"
    clang++ "${flags[@]}" fuzz/make_player_file_seeds.cpp fuzz/player_file_seeds.cpp "${logic_sources[@]}" \
        -o "$out/make_player_file_seeds"
fi
"$out/make_player_file_seeds" "$out/player-seeds"
for target in saved_match statistics settings; do
    if [[ -n "$only" && "$only" != "$target" ]]; then
        continue
    fi
    mkdir -p "$out/corpus-$target"
    echo "fuzz: $target for ${seconds}s"
    "$out/${target}_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -malloc_limit_mb=256 -artifact_prefix="$out/artifacts/$target-" -print_final_stats=1 \
        "$out/corpus-$target" "$out/player-seeds/$target"
done
