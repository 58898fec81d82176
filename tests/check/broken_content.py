#!/usr/bin/env python3
"""Runs duskmaw-check on the shipped content (must be clean) and on copies
of it with one fault each: every fault must be reported at its line."""
import os
import re
import shutil
import subprocess
import sys
import tempfile

checker, data = sys.argv[1], sys.argv[2]


def run(folder):
    result = subprocess.run([checker, folder], capture_output=True, text=True, timeout=120)
    return result.returncode, result.stdout


def break_first(folder, file, pattern, replacement):
    """Replaces the first match of pattern; returns its line (1-based)."""
    path = os.path.join(folder, file)
    with open(path, encoding="utf-8") as f:
        text = f.read()
    match = re.search(pattern, text)
    if not match:
        raise SystemExit(f"fixture pattern {pattern!r} not found in {file}")
    line = text.count("\n", 0, match.start()) + 1
    text = text[: match.start()] + match.expand(replacement) + text[match.end():]
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    return line


# (file, pattern, replacement, words the report line must hold)
faults = [
    ("resources/entity.xml", r'<entity name="', '<entity nom="', "skipped"),
    ("resources/items.xml", r'(<item\b[^>]*?)sprname="[^"]*"', r'\1sprname="no_such_sprite"',
     "no_such_sprite"),
    ("resources/items.xml", r'<desc text="[^"]*"', '<desc text=""', "no description"),
    ("resources/items.xml", r'cmd="openbook_\w+"', 'cmd="openbook_missing"', "books/missing.txt"),
    ("resources/entity.xml", r'pl="dialogue_\w+"', 'pl="dialogue_nobody"', "nobody"),
    ("resources/spells.xml", r'it="0"', 'it="2"', "never be selected"),
    ("resources/d_sound.xml", r'path="[^"]*"', 'path="sounds/none.ogg"', "sounds/none.ogg"),
    ("resources/dialogues.xml", r'sound="\w+"', 'sound="unvoiced"', "unvoiced"),
    ("resources/dialogues.xml", r'(<dialogue text=")', r'\1' + "A" * 200, "wider than the screen"),
    ("resources/spells.xml", r'<spell ', '<spell <', "not well-formed"),
    ("maps/map1.xml", r'ent_name="[^"]*"', 'ent_name="ghost"', "ghost"),
    ("gfx/sprites.res", r'rect = \d+,', 'rect = 5000,', "leaves its texture"),
    ("resources/game.res", r'Particle "(\w+)" \{ filename = "[^"]*"',
     r'Particle "\1" { filename = "LICENSES.md"', "bytes, not 128"),
    ("resources/game.res", r'(Particle "\w+" \{ filename = "[^"]*" sprite = )"\w+"',
     r'\1"nosprite"', "nosprite"),
    ("books/primer.txt", r'page1="', 'page1="' + "Wordy " * 400, "overflows"),
    ("books/primer.txt", r'FLAME FAN \(', 'FLAME WHIP (', "FLAME WHIP"),
    # A blocking prop's rectangle moved onto the empty foot of its sheet.
    ("gfx/sprites.res", r'(Sprite "crate" \{ texture = "gfx_props" rect = )\d+, \d+',
     r'\g<1>0, 470', "blocking sprite crate has"),
]

failed = 0
code, out = run(data)
if code != 0 or out.count("\n") != 1:
    print(f"shipped content is not clean (exit {code}):\n{out}")
    failed += 1

with tempfile.TemporaryDirectory() as tmp:
    for n, (file, pattern, replacement, words) in enumerate(faults):
        folder = os.path.join(tmp, str(n))
        shutil.copytree(data, folder)
        line = break_first(folder, file, pattern, replacement)
        code, out = run(folder)
        # A fault inside a record is told at the record's first line.
        starts = tuple(f"{file}:{k}:" for k in range(max(1, line - 6), line + 1))
        wanted = [l for l in out.splitlines() if l.startswith(starts) and words in l]
        if code != 1 or not wanted:
            print(f"{file}: fault {pattern!r} at line {line} not reported "
                  f"with {words!r} (exit {code}):\n{out}")
            failed += 1

sys.exit(1 if failed else 0)
