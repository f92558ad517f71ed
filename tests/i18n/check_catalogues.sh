#!/usr/bin/env bash
# Every language of po/LINGUAS has a catalogue that is valid (msgfmt --check: places, plural forms,
# header) and complete: every text of the template translated, none fuzzy, none left over.
set -euo pipefail
po=$1
status=0
while read -r lang; do
    [[ -z "$lang" || "$lang" == \#* ]] && continue
    file="$po/$lang.po"
    if [[ ! -f "$file" ]]; then
        echo "$lang: no catalogue $file" >&2
        status=1
        continue
    fi
    if ! report=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$file" 2>&1); then
        echo "$lang: msgfmt --check fails: $report" >&2
        status=1
        continue
    fi
    echo "$lang: $report"
    if grep -qE "fuzzy|untranslated" <<<"$report"; then
        echo "$lang: not complete" >&2
        status=1
    fi
    if ! LC_ALL=C msgcmp "$file" "$po/zarn.pot" >/dev/null 2>&1; then
        echo "$lang: texts of the template are missing:" >&2
        LC_ALL=C msgcmp "$file" "$po/zarn.pot" 2>&1 | head -20 >&2 || true
        status=1
    fi
    if obsolete=$(grep -c '^#~ msgid' "$file") && [[ "$obsolete" -gt 0 ]]; then
        echo "$lang: $obsolete texts no longer in the template" >&2
        status=1
    fi
done <"$po/LINGUAS"
exit $status
