#!/usr/bin/env bash
# Checks that includes run downwards only: the game logic (cards, flow, players) never reaches up
# into drawing, the platform or the program (nor into speech); the archive library stands alone; the
# player's files sit on the game logic; speech sits on the game logic and the catalogues; the dialog and
# the platform layer stay below the program; SDL stays in the platform layer (and the benchmarks' bare
# SDL loop); Qt stays in the dialog folder and the asset generator (and their tests). Prints every offending line; exits 1 if any.
set -euo pipefail
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$top"
status=0

report() { # $1 = rule, then the grep output
    local rule=$1 hits=$2
    if [[ -n "$hits" ]]; then
        echo "include rule broken: $rule" >&2
        echo "$hits" >&2
        status=1
    fi
}

upward='#include "(presentation|platform|shell|dialog)/'
report "the game logic includes nothing above it" \
    "$(grep -rnE "$upward" src/cards src/flow src/players || true)"
report "cards and players do not include the flow" \
    "$(grep -rnE '#include "flow/' src/cards src/players || true)"
report "drawing does not include the platform, the program or the dialog" \
    "$(grep -rnE '#include "(platform|shell|dialog)/' src/presentation || true)"
report "the language library includes only itself" \
    "$(grep -rnE '#include "[a-z_0-9]+/' src/i18n | grep -vE '#include "i18n/' || true)"
report "the archive library includes only itself and the language library" \
    "$(grep -rnE '#include "[a-z_0-9]+/' src/archive | grep -vE '#include "(archive|i18n)/' || true)"
report "the player's files include only the game logic below them" \
    "$(grep -rnE '#include "(archive|presentation|platform|icon|shell|dialog)/' src/persistence || true)"
report "the dialog does not include the game's window, its drawing or the program" \
    "$(grep -rnE '#include "(platform|presentation|shell)/' src/dialog || true)"
report "the platform layer does not include the game's flow, players, files, dialog or program" \
    "$(grep -rnE '#include "(flow|players|persistence|dialog|shell)/' src/platform || true)"
report "the game logic does not include speech" \
    "$(grep -rnE '#include "speech/' src/cards src/flow src/players || true)"
report "speech includes only the cards, the flow, the language library and itself" \
    "$(grep -rnE '#include "[a-z_0-9]+/' src/speech | grep -vE '#include "(cards|flow|i18n|speech)/' || true)"
# The benchmark's bare SDL loop is the reference the game's loop is measured against: SDL on purpose.
report "SDL is included only by the platform layer" \
    "$(grep -rnE '#include [<"]SDL' src tools bench | grep -vE '^(src/platform/|bench/bare_present_loop\.cpp:)' || true)"
report "Qt is included only by the dialog folder and the asset generator" \
    "$(grep -rnE '#include <Q' src tools bench | grep -vE '^(src/dialog|tools/assetgen)/' || true)"
exit $status
