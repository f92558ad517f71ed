#!/usr/bin/env bash
# Extracts the template of every text a player meets: the program's (the calls of src/i18n/translation.h
# and the dialog's TrQ), the menu entry's and the AppStream metadata's. Run from the source folder:
#   po/extract_template.sh OUTPUT.pot VERSION
set -euo pipefail
out=$1
version=$2
common=(--from-code=UTF-8 --add-comments=TRANSLATORS: --add-location=file --sort-by-file
        --package-name=Zarn "--package-version=$version" --msgid-bugs-address=https://zarngame.net/)
mapfile -t sources < <(find src tools/assetgen -name '*.cpp' -o -name '*.h' | LC_ALL=C sort)
xgettext "${common[@]}" --language=C++ --keyword=Tr --keyword=TrQ --keyword=TrIn:1c,2 \
    --keyword=TrPlural:1,2 --keyword=N_ --keyword=NIn:1c,2 --output="$out" "${sources[@]}"
xgettext "${common[@]}" --join-existing --language=Desktop --output="$out" data/zarn.desktop.in
# AppStream's own rules (Debian's appstream package) name every translatable element; gettext's older
# copy, the fallback, leaves out keywords and release notes.
its=/usr/share/gettext/its/metainfo.its
[[ -f $its ]] || its=$(find /usr/share/gettext-* -name metainfo.its | LC_ALL=C sort | head -1)
xgettext "${common[@]}" --join-existing --its="$its" --output="$out" data/zarn.metainfo.xml.in
