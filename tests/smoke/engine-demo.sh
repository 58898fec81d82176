#!/usr/bin/env bash
# Runs engine-demo in a real window, screenshots frame 30 and checks pixels
# whose colours the demo's fixed layout decides: every blend mode, a line,
# a turned square, the render target right way up, and the pulse shader.
set -euo pipefail
build=${DUSKMAW_BUILD_DIR:?}
source=${DUSKMAW_SOURCE_DIR:?}
demo="$build/tools/engine-demo/engine-demo"
out=$(mktemp -d "${TMPDIR:-/tmp}/engine-demo-smoke.XXXXXX")
shot="$out/frame30.png"

run=("$demo" --no-dialogs --data "$source/data" --log "$out/log.txt" --frames 40
     --screenshot "30:$shot")
if [ -z "${DISPLAY:-}" ]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
fi
if ! timeout 120 "${run[@]}"; then
  echo "engine-demo failed; log:"; cat "$out/log.txt" || true
  exit 1
fi

if ! PYTHONPATH="$source/tests/smoke" python3 - "$shot" <<'PY'
import sys
from pngread import read_png

width, height, pixel = read_png(sys.argv[1])
assert (width, height) == (1024, 768), f"screenshot is {width}x{height}"
failures = []

def check(name, x, y, want, tolerance=3):
    got = pixel(x, y)
    if any(abs(g - w) > tolerance for g, w in zip(got, want)):
        failures.append(f"{name} at ({x},{y}): got {got}, expected {want}")

def rgb(argb):
    return ((argb >> 16) & 255, (argb >> 8) & 255, argb & 255)

# Blend samples: texel 80C06020 with vertex colour FF4080C0 over a grey pad.
texel, vertex, pad = (0xC0, 0x60, 0x20), rgb(0xFF4080C0), rgb(0xFF808080)
alpha = 0x80 / 255
for mode in range(8):
    src = [min(255, t + v) if mode & 1 else t * v // 255 for t, v in zip(texel, vertex)]
    want = [min(255, round(s * alpha + d * (1 - alpha if mode & 2 else 1))) for s, d in zip(src, pad)]
    check(f"blend mode {mode}", 32 + 124 * mode + 50, 32 + 50, want)
    check(f"pad of mode {mode}", 32 + 124 * mode + 5, 32 + 5, pad)

check("line", 500, 170, (255, 255, 255))
check("above the line", 500, 166, rgb(0xFF12141F))
check("turned square centre", 100, 300, rgb(0xFFFFB347))
check("turned square tip", 100, 263, rgb(0xFFFFB347))
check("unturned corner", 73, 273, rgb(0xFF12141F))
# The target: red band on top, blue below; plain at x 420, through the
# shader (at full pulse in frame 30) at x 720.
check("target top", 420 + 40, 220 + 40, (255, 0, 0))
check("target bottom", 420 + 40, 220 + 220, (0, 0, 255))
check("shaded target top", 720 + 40, 220 + 40, (255, 0, 0))
check("shaded target bottom", 720 + 40, 220 + 220, (38, 0, 128))

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("engine-demo screenshot: all pixels as expected")
PY
then
  echo "screenshot kept in $shot"
  exit 1
fi
rm -rf "$out"
