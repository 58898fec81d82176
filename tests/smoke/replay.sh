#!/usr/bin/env bash
# The tour played in a real window with sound on the silent device and no
# seed given, then replayed headless from its recording alone: the traces
# must agree frame for frame. Prints the recording's size per minute.
set -euo pipefail
build=${DUSKMAW_BUILD_DIR:?}
source=${DUSKMAW_SOURCE_DIR:?}
out=$(mktemp -d "${TMPDIR:-/tmp}/replay-smoke.XXXXXX")
frames=3000
game=("$build/game/duskmaw" --data "$source/data" --no-dialogs)
window=("${game[@]}" --log "$out/window.log" --frames "$frames" --input "$source/tools/demo/tour.input"
        --record "$out/tour.rec" --trace "$out/window.json")
if [ -z "${DISPLAY:-}" ]; then
  window=(xvfb-run -a -s "-screen 0 1280x1024x24" "${window[@]}")
fi
SDL_AUDIODRIVER=dummy timeout 300 "${window[@]}" || { echo "the windowed run failed"; cat "$out/window.log"; exit 1; }
timeout 300 "${game[@]}" --headless --log "$out/replay.log" --replay "$out/tour.rec" \
  --trace "$out/replay.json" || { echo "the replay failed"; cat "$out/replay.log"; exit 1; }
python3 - "$out/window.json" "$out/replay.json" "$out/tour.rec" <<'PY'
import json, os, sys
window, replay = (open(p).read().splitlines() for p in sys.argv[1:3])
for frame, (a, b) in enumerate(zip(window, replay)):
    if a != b:
        ra, rb = json.loads(a), json.loads(b)
        keys = [k for k in ra if ra.get(k) != rb.get(k)]
        sys.exit(f"FAIL: the replay parts ways at frame {frame}: {keys}")
if len(window) != len(replay):
    sys.exit(f"FAIL: {len(window)} frames in the window, {len(replay)} replayed")
seconds = json.loads(window[-1])["time"]
size = os.path.getsize(sys.argv[3])
print(f"replay: {len(window)} frames identical; recording {size} bytes for {seconds:.1f} s of play, "
      f"{size * 60 / seconds / 1024:.1f} KB a minute")
PY
rm -rf "$out"
