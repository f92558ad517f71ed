#!/usr/bin/env python3
"""Writes the pseudo-language catalogue from the template: every text in [brackets], its letters
accented and the text made 40 % longer, its places ({name}, %d) and line breaks left as they are. A test
that runs the game in it sees every text that is not translated (it has no brackets) and every box a
longer translation would overflow."""
import re
import sys

ACCENTED = str.maketrans("aeiouyAEIOUYcnszCNSZ", "áéîõüýÁÉÎÕÜÝçñšžÇÑŠŽ")
PLACE = re.compile(r"(\{[a-z_]+\}|%[-0-9.]*[a-zA-Z%]|\\n|\\t|\\\")")
PADDING = "·~"


def pseudo(text):
    if not text:
        return text
    parts = PLACE.split(text)
    out = "".join(p if i % 2 else p.translate(ACCENTED) for i, p in enumerate(parts))
    visible = len(PLACE.sub("", text))
    extra = max(1, (visible * 4 + 9) // 10 - 2)
    return "[" + out + (PADDING * extra)[:extra] + "]"


def entries(lines):
    """Yields (kind, value) pairs: msgctxt/msgid/msgid_plural with their joined string, and comments."""
    current = None
    for line in lines:
        line = line.rstrip("\n")
        if line.startswith('"') and current is not None:
            current[1] += line[1:-1]
            continue
        if current is not None:
            yield tuple(current)
            current = None
        m = re.match(r'^(msgctxt|msgid_plural|msgid|msgstr(?:\[\d+\])?) "(.*)"$', line)
        if m:
            current = [m.group(1), m.group(2)]
        else:
            yield ("other", line)
    if current is not None:
        yield tuple(current)


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        items = list(entries(f))
    out = []
    msgid = plural = None
    for kind, value in items:
        if kind == "msgid":
            msgid, plural = value, None
            out.append(f'msgid "{value}"')
        elif kind == "msgid_plural":
            plural = value
            out.append(f'msgid_plural "{value}"')
        elif kind == "msgctxt":
            out.append(f'msgctxt "{value}"')
        elif kind.startswith("msgstr"):
            if msgid == "":
                header = (
                    "Project-Id-Version: Zarn\\n"
                    "PO-Revision-Date: 2026-12-11 00:00+0000\\n"
                    "Last-Translator: the pseudo-language script\\n"
                    "Language-Team: none\\n"
                    "Language: pseudo\\n"
                    "MIME-Version: 1.0\\n"
                    "Content-Type: text/plain; charset=UTF-8\\n"
                    "Content-Transfer-Encoding: 8bit\\n"
                    "Plural-Forms: nplurals=2; plural=(n != 1);\\n"
                )
                out.append(f'msgstr "{header}"')
            elif kind == "msgstr":
                out.append(f'msgstr "{pseudo(msgid)}"')
            else:
                index = int(kind[7:-1])
                out.append(f'{kind} "{pseudo(msgid if index == 0 else plural)}"')
        elif value.startswith("#,"):
            flags = [f.strip() for f in value[2:].split(",") if f.strip() != "fuzzy"]
            if flags:
                out.append("#, " + ", ".join(flags))
        elif not value.startswith("#"):
            out.append(value)
    with open(target, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
