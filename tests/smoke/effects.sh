#!/usr/bin/env bash
# Plays the authored effects in a real window (fxpreview lays them out in a
# 3 x 3 grid, "Circle of Flame" first) and checks the screenshot: fire in
# the first cell, ice in the third, the violet magic circle in the last.
set -euo pipefail
build=${DUSKMAW_BUILD_DIR:?}
source=${DUSKMAW_SOURCE_DIR:?}
out=$(mktemp -d "${TMPDIR:-/tmp}/effects-smoke.XXXXXX")
run=("$build/tools/fxgen/fxpreview" --no-dialogs --data "$source/data" --log "$out/log.txt"
     --frames 30 --screenshot "20:$out/effects.png")
if [ -z "${DISPLAY:-}" ]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
fi
if ! timeout 120 "${run[@]}"; then
  echo "fxpreview failed; log:"; cat "$out/log.txt" || true
  exit 1
fi

PYTHONPATH="$source/tests/smoke" python3 - "$out/effects.png" <<'PY'
import sys
from pngread import read_png

w, h, pixel = read_png(sys.argv[1])
cell_w, cell_h = w // 3, h // 3

def count(cell, test):
    cx, cy = cell % 3 * cell_w, cell // 3 * cell_h
    return sum(1 for y in range(cy, cy + cell_h, 2) for x in range(cx, cx + cell_w, 2)
               if test(pixel(x, y)))

checks = {
    "Circle of Flame burns orange": count(0, lambda p: p[0] > 150 and p[0] > p[2] + 80),
    "Blizzard glints icy blue": count(2, lambda p: p[2] > 150 and p[2] >= p[0]),
    "Magic Circle glows violet": count(8, lambda p: p[0] > 100 and p[2] > 150 and p[1] < p[2] - 60),
}
failures = [f"{name}: only {n} pixels" for name, n in checks.items() if n < 20]
if failures:
    print("\n".join(failures))
    sys.exit(1)
print("effects smoke: ok", checks)
PY
