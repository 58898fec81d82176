#!/usr/bin/env bash
# Runs the map editor in a real window with scripted input and checks its
# screenshot: the panel with its list and thumbnail, the help text, the
# "Grids are on" notice and the outline of the entity just placed.
set -euo pipefail
build=${DUSKMAW_BUILD_DIR:?}
source=${DUSKMAW_SOURCE_DIR:?}
out=$(mktemp -d "${TMPDIR:-/tmp}/editor-smoke.XXXXXX")
# The editor keeps the grid's state in the state folder: the run's own.
export XDG_STATE_HOME="$out/state"
cat >"$out/input.txt" <<'IN'
0 mouse 600 400
2 key 0x47 down
3 key 0x47 up
6 key 0x02 down
7 key 0x02 up
IN
run=("$build/editor/duskmaw-editor" --no-dialogs --data "$source/data" --log "$out/log.txt"
     --frames 30 --input "$out/input.txt" --map "$source/data/maps/map1.xml"
     --screenshot "20:$out/editor.png")
if [ -z "${DISPLAY:-}" ]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
fi
if ! timeout 120 "${run[@]}"; then
  echo "the editor failed; log:"; cat "$out/log.txt" || true
  exit 1
fi

PYTHONPATH="$source/tests/smoke" python3 - "$out/editor.png" <<'PY'
import sys
from pngread import read_png

def count(pixel, x0, y0, x1, y1, test):
    return sum(1 for y in range(y0, y1) for x in range(x0, x1) if test(pixel(x, y)))

bright = lambda p: min(p) > 170
white = lambda p: p == (255, 255, 255)
failures = []
w, h, pixel = read_png(sys.argv[1])
if (w, h) != (1024, 768):
    failures.append(f"{w}x{h}")
else:
    if count(pixel, 10, 5, 160, 25, lambda p: p[0] > 200 and p[1] > 130 and p[2] < 120) < 20:
        failures.append("no orange panel title")
    if count(pixel, 10, 44, 150, 58, lambda p: p[0] > 150) < 10:
        failures.append("no highlighted first line in the definition list")
    # Under the list, which takes the panel's height the rest leaves.
    if count(pixel, 10, 440, 138, 568, lambda p: p[0] > 120 and p[2] > 120) < 500:
        failures.append("no thumbnail of the selected definition")
    if count(pixel, 840, 10, 1024, 30, bright) < 30:
        failures.append("no help text at the top right")
    if count(pixel, 880, 690, 1015, 715, bright) < 30:
        failures.append("no 'Grids are on' notice")
    # The altar goes at the snapped cursor (576, 384) and is selected.
    if count(pixel, 500, 330, 660, 440, white) < 100:
        failures.append("no outline around the placed entity")
if failures:
    print("\n".join(failures))
    sys.exit(1)
print("editor smoke: ok")
PY
