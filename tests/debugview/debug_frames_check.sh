#!/usr/bin/env bash
# physplug-host play --debug-frames: the debug view drawn offscreen, one PNG per frame. The
# scene: the ground and a box of half size 0.25 m resting at (0.6, 0.25, 0) m, seen by the
# scene's default camera (eye (0, 1, -3) m, target the origin, focal length 50 mm: a half angle
# of atan(18/50)). The target lies on the ground, so the ground's two lines cross in the centre
# (the X line across the frame, the Z line from the horizon down); the camera looks along +Z,
# so +X is to the left: the box's upper front edge (y 0.5, z -0.25) is at column 63, row 193
# by the pinhole projection (x / (depth × tan(half angle) × 0.75), y / (depth × tan(half angle))).
# usage: debug_frames_check.sh PHYSPLUG_HOST SOURCE_DIR
set -uo pipefail
host=$1 src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$host" edit "$src/examples/empty-scene.json" --script "$src/tests/debugview/one_box.ops.json" \
  --save "$work/box.json" >/dev/null || fail "making the scene"
"$host" play "$work/box.json" --frames 2 --debug-frames "$work/frames" >"$work/out" 2>"$work/err" ||
  fail "play --debug-frames: $(cat "$work/err")"
grep -q "debug view frames (PNG, 640 x 640): 3 in $work/frames" "$work/err" || fail "no count of frames: $(cat "$work/err")"
[ "$(cd "$work/frames" && echo *)" = "world0-00000.png world0-00001.png world0-00002.png" ] ||
  fail "frames written: $(ls "$work/frames")"
node "$src/tests/debugview/png_pixels.js" "$work/frames/world0-00000.png" \
  320,320,line 40,320,line 600,320,line 320,500,line 320,100,line \
  63,193,line \
  600,100,background 500,500,background 150,100,background 500,200,background || fail "frame 0"

# Without the option nothing is drawn, even with the variable left in the environment.
PHYSPLUG_DEBUG_FRAMES="$work/stray" "$host" play "$work/box.json" --frames 2 >/dev/null 2>&1 || fail "play"
[ ! -e "$work/stray" ] || fail "frames written without --debug-frames"
echo "debug frames: 3 PNG files, the ground and the box where the camera puts them"
