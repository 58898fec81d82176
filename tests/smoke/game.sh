#!/usr/bin/env bash
# Runs the game in a real window with scripted input and checks its
# screenshots: the HUD text, the orb counts with the chosen element's glow,
# the cursor at the pointer, the "Effects toggled on" notice and the
# effects-on composite.
set -euo pipefail
build=${DUSKMAW_BUILD_DIR:?}
source=${DUSKMAW_SOURCE_DIR:?}
out=$(mktemp -d "${TMPDIR:-/tmp}/game-smoke.XXXXXX")
cat >"$out/input.txt" <<'IN'
0 mouse 300 300
10 key 0x31 down
20 key 0x4D down
21 key 0x4D up
IN
run=("$build/game/duskmaw" --no-dialogs --data "$source/data" --log "$out/log.txt" --frames 40
     --input "$out/input.txt" --screenshot "15:$out/off.png" --screenshot "30:$out/on.png")
if [ -z "${DISPLAY:-}" ]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
fi
if ! timeout 120 "${run[@]}"; then
  echo "the game failed; log:"; cat "$out/log.txt" || true
  exit 1
fi

PYTHONPATH="$source/tests/smoke" python3 - "$out/off.png" "$out/on.png" <<'PY'
import sys
from pngread import read_png

def bright(p):
    return max(p) > 150

def any_in(pixel, x0, y0, x1, y1, test):
    return any(test(pixel(x, y)) for y in range(y0, y1) for x in range(x0, x1))

failures = []
for path in sys.argv[1:]:
    w, h, pixel = read_png(path)
    if (w, h) != (1024, 768):
        failures.append(f"{path}: {w}x{h}")
        continue
    if not any_in(pixel, 5, 5, 80, 20, bright):
        failures.append(f"{path}: no HUD text at the top left")
    if not any_in(pixel, 290, 290, 311, 311, bright):
        failures.append(f"{path}: no cursor at the pointer")
    # The fire orb (first slot) glows red at the bottom centre.
    if not any_in(pixel, 384, 688, 448, 752, lambda p: p[0] > 150 and p[1] < 100 and p[2] < 100):
        failures.append(f"{path}: no red fire orb")
    if not any_in(pixel, 384, 660, 448, 684, bright):
        failures.append(f"{path}: no orb count")
w, h, on = read_png(sys.argv[2])
if not any_in(on, 820, 735, 1014, 760, bright):
    failures.append("no 'Effects toggled on' notice at the bottom right")
if failures:
    print("\n".join(failures))
    sys.exit(1)
print("game smoke: ok")
PY
