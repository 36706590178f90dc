#!/usr/bin/env bash
# Command-line checks of physplug-host, one case per ctest entry:
#   cli_check.sh CASE HOST SOURCE_DIR [ARGS...]
# HOST is the physplug-host executable, SOURCE_DIR the project root. Each case prints what it
# checked and exits non-zero with a message on the first failure.
set -uo pipefail
case_name=$1 host=$2 src=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
validator="$src/tools/gltf-validate/validate.js"

fail() { echo "FAIL ($case_name): $*" >&2; exit 1; }

# run EXPECTED_CODE ARGS...: runs the host, keeps stdout/stderr in $work/out, $work/err.
run() {
  local want=$1
  shift
  "$host" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$want" ] || fail "physplug-host $* exited $got, expected $want; stderr: $(cat "$work/err")"
}
contains() { grep -qF -- "$2" "$1" || fail "$(basename "$1") lacks \"$2\": $(head -c 600 "$1")"; }

# rows_of FILE: data rows of a trace (the header excluded).
rows_of() { echo $(($(wc -l <"$1") - 1)); }

# moving_bodies SCENE: rigid bodies of type move, as info lists them.
moving_bodies() { "$host" info "$1" | grep -c '\[rigid body\] move'; }

# Plays an example to its end frame with a trace, a vertex trace and a glTF file; checks the exit
# status, the trace's header and size, that a played-then-saved scene is the file it was loaded
# from, that the glTF validator finds no error and that the glTF file moves every rigid body and
# every cloth vertex as the traces have them.
example() {
  local scene="$src/examples/$1.json"
  run 0 play "$scene" --trace "$work/t.csv" --trace-vertices "$work/v.csv" --gltf "$work/t.glb" --save "$work/saved.json"
  local end
  end=$("$host" info "$scene" | sed -n '1s/^frames [0-9-]*\.\.\([0-9]*\) .*/\1/p')
  [ -n "$end" ] || fail "info does not give the end frame of $scene"
  [ "$(head -1 "$work/t.csv")" = "frame,shape,x,y,z,qw,qx,qy,qz" ] || fail "trace header: $(head -1 "$work/t.csv")"
  local n
  n=$(moving_bodies "$scene")
  [ "$n" -gt 0 ] || fail "$1 has no moving body"
  [ "$(rows_of "$work/t.csv")" -eq $(((end + 1) * n)) ] || fail "trace rows $(rows_of "$work/t.csv"), expected $(((end + 1) * n))"
  cmp -s "$scene" "$work/saved.json" || fail "the scene saved after playback differs from $scene"
  node "$validator" "$work/t.glb" >"$work/validator" 2>&1 || fail "glTF validator: $(cat "$work/validator")"
  local fps
  fps=$("$host" info "$scene" | sed -n '1s/^.* at \([0-9]*\) fps$/\1/p')
  node "$src/tests/cli/glb_matches_trace.js" "$work/t.glb" "$work/t.csv" "$fps" "$work/v.csv" >"$work/agree" 2>&1 ||
    fail "the glTF animation does not follow the trace: $(cat "$work/agree")"
  echo "$1: exit 0, $(rows_of "$work/t.csv") trace rows, saved scene unchanged, $(cat "$work/validator"), $(cat "$work/agree" | tr '\n' ' ')"
}

case "$case_name" in
  exit_codes)
    # Bad input: exit 2 with a message naming the file or argument and the problem.
    printf '{ "format": "physplug-scene", "version": 1, "shapes": [ {"kind": "part", "name": "root"} ' >"$work/broken.json"
    printf '{"format": "physplug-scene", "version": 1, "shapes": [{"kind": "cube", "name": "root"}]}' >"$work/wrong.json"
    echo "not a library" >"$work/libnot.so"
    run 2; contains "$work/err" "no command"
    run 2 dance "$src/examples/ball_bounce.json"; contains "$work/err" "unknown command"
    run 2 play "$work/missing.json"; contains "$work/err" "missing.json: no such file"
    run 2 play "$work/broken.json"; contains "$work/err" "broken.json"; contains "$work/err" "line"
    run 2 play "$work/wrong.json"; contains "$work/err" "wrong.json: /shapes/0/kind"
    run 2 play "$src/examples/ball_bounce.json" --frames -3; contains "$work/err" "--frames"
    run 2 play "$src/examples/ball_bounce.json" --lang fr; contains "$work/err" "--lang"
    run 2 play "$src/examples/ball_bounce.json" --plugin "$work/libnot.so"; contains "$work/err" "libnot.so"
    run 2 play "$src/examples/ball_bounce.json" --trace "$work/no/such/dir/t.csv"; contains "$work/err" "t.csv"
    run 2 edit "$src/examples/ball_bounce.json" --script "$work/none.ops.json" --save "$work/o.json"
    contains "$work/err" "none.ops.json"
    # A world that cannot be built: exit 1 in every language, with the plug-in's messages.
    for lang in en ja; do
      run 1 play "$src/tests/cli/fixtures/body_without_primitive.json" --frames 2 --lang "$lang"
      contains "$work/out" "error: bad primitive shape"
      contains "$work/out" "create ERROR"
    done
    # Played: exit 0; without a terminal there is no progress bar on stderr.
    run 0 play "$src/examples/ball_bounce.json" --frames 5
    ! grep -q $'\r' "$work/err" || fail "a progress bar was drawn on a stderr that is no terminal"
    # On a terminal (script gives the program one) the bar is drawn and reaches the last frame.
    if command -v script >/dev/null; then
      script -qec "$host play $src/examples/ball_bounce.json --frames 5 >/dev/null" /dev/null >"$work/tty" 2>&1
      grep -q "] 5/5" "$work/tty" || fail "no progress bar on a terminal: $(head -c 300 "$work/tty")"
    fi
    echo "exit codes 0, 1 and 2 as documented"
    ;;
  trace)
    scene="$src/examples/kinematic_paddle.json"
    run 0 play "$scene" --frames 7 --trace "$work/t.csv"
    [ "$(head -1 "$work/t.csv")" = "frame,shape,x,y,z,qw,qx,qy,qz" ] || fail "header"
    # Four moving boxes; the kinematic paddle is moved by its keys, not by the simulation.
    [ "$(rows_of "$work/t.csv")" -eq 32 ] || fail "expected 8 frames x 4 boxes = 32 rows, got $(rows_of "$work/t.csv")"
    ! grep -q Paddle "$work/t.csv" || fail "the kinematic paddle is traced"
    # Frames 0..7 each with four rows, unit quaternions, boxes only; frame 0 is the start pose:
    # the boxes stand where the scene puts them.
    awk -F, 'NR > 1 {
        n = sqrt($6 * $6 + $7 * $7 + $8 * $8 + $9 * $9)
        if (n < 0.999999 || n > 1.000001) { print "not a unit quaternion: " $0; bad = 1 }
        if ($2 !~ /^root\/Bullet World\/Box/) { print "unexpected shape: " $0; bad = 1 }
        count[$1]++
        if ($1 == 0) start = start " " $3
      }
      END {
        for (f = 0; f < 8; f++) if (count[f] != 4) { print "frame " f " has " count[f] " rows"; bad = 1 }
        if (start != " -300 -100 100 300") { print "start x:" start; bad = 1 }
        exit bad
      }' "$work/t.csv" >"$work/awk" || fail "trace contents: $(cat "$work/awk")"
    # Units and timing: the ball of ball_bounce falls freely from 1500 mm at 60 fps (checked to
    # frame 25, still half a metre above the slab): y = 1500 - g t^2 / 2 in mm, t = frame / 60,
    # within what fixed 1/60 s steps may differ from the exact curve (g dt^2 / 2 per step
    # taken); and it does not turn. A trace one frame late would be off by g t dt, twice that.
    run 0 play "$src/examples/ball_bounce.json" --frames 25 --trace "$work/fall.csv"
    awk -F, 'NR > 1 && $2 ~ /Ball$/ {
        t = $1 / 60; exact = 1500 - 0.5 * 9800 * t * t; slack = 0.5 * 9800 * $1 / 3600 + 0.01
        d = $4 - exact; if (d < 0) d = -d
        if (d > slack) { print "frame " $1 ": y " $4 ", free fall " exact; bad = 1 }
        if ($6 != 1 || $3 != 0 || $5 != 0) { print "frame " $1 " moved sideways or turned: " $0; bad = 1 }
        rows++
      }
      END { if (rows != 26) { print rows " rows"; bad = 1 } exit bad }' "$work/fall.csv" >"$work/awk" ||
      fail "free fall: $(cat "$work/awk")"
    echo "trace: header, 32 rows, unit quaternions, frame 0 is the start pose, free fall in mm at frame / fps"
    ;;
  info)
    run 0 info "$src/examples/two_worlds.json"
    for text in "World A (part) [world] active" "World B (part) [world] active, gravity 4.9" \
                "Shelf (part) [rigid body] static" "Ball B (part) [rigid body] move" \
                "(sphere) [primitive] sphere, radius 0.1 m" "(line) [primitive] box, half extents (0.3, 0.05, 0.3) m" \
                "3 simulated rigid bodies"; do
      contains "$work/out" "$text"
    done
    echo "info lists the roles and settings"
    ;;
  edit)
    scene="$src/examples/empty-scene.json"
    printf '[{"op": "create", "creator": "World", "answers": [{"Gravity": 3.5}]}, {"op": "current", "shape": "root/Bullet World"}, {"op": "create", "creator": "Primitive/Rigid", "answers": [{"Mass": 2.5, "Primitive/Type": 0}]}]' >"$work/good.ops.json"
    run 0 edit "$scene" --script "$work/good.ops.json" --save "$work/made.json"
    run 0 info "$work/made.json"
    contains "$work/out" "[world] active, gravity 3.5"
    contains "$work/out" "RigidBody (part) [rigid body] move, mass 2.5"
    contains "$work/out" "(line) [primitive] box"
    # A bad operation names the script and the operation; nothing is saved.
    printf '[{"op": "create", "creator": "World"}, {"op": "fly"}]' >"$work/bad.ops.json"
    run 2 edit "$scene" --script "$work/bad.ops.json" --save "$work/bad.json"
    contains "$work/err" "bad.ops.json: operation 2: unknown operation"
    [ ! -e "$work/bad.json" ] || fail "a failed edit saved the scene"
    printf '[{"op": "create", "creator": "World", "answers": ["ok", "ok"]}]' >"$work/extra.ops.json"
    run 2 edit "$scene" --script "$work/extra.ops.json" --save "$work/x.json"
    contains "$work/err" "operation 1: 1 dialog answer(s) were not used"
    printf '[{"op": "create", "creator": "World", "answers": [{"Gravty": 1}]}]' >"$work/typo.ops.json"
    run 2 edit "$scene" --script "$work/typo.ops.json" --save "$work/x.json"
    contains "$work/err" "Gravty"
    printf '[{"op": "modify", "shape": "root/Nowhere"}]' >"$work/path.ops.json"
    run 2 edit "$scene" --script "$work/path.ops.json" --save "$work/x.json"
    contains "$work/err" "no shape at \"root/Nowhere\""
    # Mesh editing with a selection is kept in the saved scene; selecting exactly one rigid body
    # makes the plug-in end it, selecting two does not.
    scene="$src/tests/cli/fixtures/mesh_and_bodies.json"
    edit_mesh='{"op": "edit_mesh", "shape": "root/Cloth", "mode": "faces", "select": [1]}'
    printf '[%s]' "$edit_mesh" >"$work/m0.ops.json"
    printf '[%s, {"op": "select", "shapes": ["root/Bullet World/Ball"]}]' "$edit_mesh" >"$work/m1.ops.json"
    printf '[%s, {"op": "select", "shapes": ["root/Bullet World/Ball", "root/Bullet World/Floor"]}]' "$edit_mesh" >"$work/m2.ops.json"
    for n in 0 1 2; do run 0 edit "$scene" --script "$work/m$n.ops.json" --save "$work/m$n.json"; done
    grep -q '"edit"' "$work/m0.json" && grep -q '"selected_faces": \[1\]' "$work/m0.json" ||
      fail "mesh editing with face 1 selected is not in the saved scene"
    ! grep -q '"edit"' "$work/m1.json" || fail "selecting one rigid body left mesh editing on"
    grep -q '"edit"' "$work/m2.json" || fail "selecting two rigid bodies ended mesh editing"
    echo "edit: made a world and a body; bad operations, unused and mistyped answers refused; mesh editing"
    ;;
  joints)
    # info names each joint's kind and bodies; the joint operation refuses what it cannot make.
    run 0 info "$src/examples/pendulum.json"
    contains "$work/out" "Pivot (part) [joint] 6Dof, Rigid0 Anchor, Rigid1 Rod"
    run 0 info "$src/examples/spring_arm.json"
    contains "$work/out" "[joint] 6DofSpring, Rigid0 Stand, Rigid1 Arm"
    scene="$src/examples/empty-scene.json"
    for bad in '{"op": "joint", "kind": "hinge", "dad": "root", "name": "J"}|"kind" must be ball or bone' \
               '{"op": "joint", "kind": "ball", "dad": "root", "name": "J", "limits": [[0, 1], [0, 1], [0, 1]]}|"limits" are for bone joints only' \
               '{"op": "joint", "kind": "bone", "dad": "root", "name": "J", "limits": [[0, 1]]}|three [lower, upper] pairs' \
               '{"op": "joint", "kind": "ball", "dad": "root/Nowhere", "name": "J"}|no shape at "root/Nowhere"' \
               '{"op": "joint", "kind": "ball", "dad": "root", "name": "J", "sons": ["root"]}|the root cannot go into a joint'; do
      printf '[%s]' "${bad%%|*}" >"$work/j.ops.json"
      run 2 edit "$scene" --script "$work/j.ops.json" --save "$work/j.json"
      contains "$work/err" "${bad#*|}"
    done
    # A joint made around a body keeps the body where it stood; the pendulum plays and swings.
    run 0 play "$src/examples/pendulum.json" --frames 60 --trace "$work/p.csv"
    grep -q '^0,root/Bullet World/Pivot/Rod,250,1566.98706,0,' "$work/p.csv" || fail "the rod did not start where it was placed"
    grep -q '^60,root/Bullet World/Pivot/Rod,-' "$work/p.csv" || fail "the pendulum did not swing across by frame 60"
    echo "joints: info lists kinds and bodies; bad joint operations refused; the pendulum swings"
    ;;
  replay)
    # Two runs of the same scene write the same trace, byte for byte.
    for scene in box_pile two_worlds; do
      run 0 play "$src/examples/$scene.json" --trace "$work/a.csv"
      run 0 play "$src/examples/$scene.json" --trace "$work/b.csv"
      cmp -s "$work/a.csv" "$work/b.csv" || fail "$scene: the second run traced another motion: $(diff "$work/a.csv" "$work/b.csv" | head -5)"
    done
    echo "replay: box_pile and two_worlds played twice give identical traces"
    ;;
  threads)
    # In these scenes every group of touching bodies is small: any number of threads plays the
    # same motion as one, byte for byte in the trace; and the setting is kept out of the saved
    # scene. (A large group is solved in batches: tests/engine threaded_world.)
    for scene in box_pile two_worlds kinematic_paddle; do
      run 0 play "$src/examples/$scene.json" --trace "$work/one.csv"
      for n in 2 3; do
        run 0 play "$src/examples/$scene.json" --trace "$work/many.csv" --threads $n --save "$work/saved.json"
        cmp -s "$work/one.csv" "$work/many.csv" ||
          fail "$scene at $n threads traced another motion: $(diff "$work/one.csv" "$work/many.csv" | head -5)"
        cmp -s "$src/examples/$scene.json" "$work/saved.json" || fail "$scene: --threads $n changed the saved scene"
      done
    done
    for bad in 0 65 two ""; do
      run 2 play "$src/examples/box_pile.json" --frames 1 --threads "$bad"
      contains "$work/err" "--threads"
    done
    echo "threads: box_pile, two_worlds and kinematic_paddle trace the same motion at 1, 2 and 3 threads; 0, 65, two refused"
    ;;
  render)
    # A rendering pass plays the same motion as interactive playback.
    scene="$src/examples/ball_bounce.json"
    run 0 play "$scene" --frames 30 --trace "$work/a.csv"
    run 0 play "$scene" --frames 30 --trace "$work/b.csv" --render
    cmp -s "$work/a.csv" "$work/b.csv" || fail "rendering traced another motion: $(diff "$work/a.csv" "$work/b.csv" | head -5)"
    # A rate the plug-in does not play (24) is repaired to 30 with its message, and the glTF
    # times follow the rate played, not the one asked for.
    run 0 play "$scene" --frames 6 --fps 24 --trace "$work/r.csv" --gltf "$work/r.glb"
    contains "$work/out" "message: Bad animation mode. Repaired"
    contains "$work/err" "at 30 fps"
    node "$src/tests/cli/glb_matches_trace.js" "$work/r.glb" "$work/r.csv" 30 >"$work/agree" 2>&1 ||
      fail "glTF times after the repair: $(cat "$work/agree")"
    echo "render: same trace as interactive playback; 24 fps played at 30 with the plug-in's message"
    ;;
  kinds)
    # Every primitive kind along every axis, made by the plug-in's own builders from dialog
    # answers: info measures back the sizes that were answered, and the played glTF (meshes of
    # all of them) passes the validator. Frame 0 only and an empty scene make valid files too.
    ops="$work/kinds.ops.json"
    {
      echo '[{"op": "create", "creator": "World", "answers": ["ok"]}'
      n=0
      for kind in 0 1 2 3 4; do
        for dir in 0 1 2; do
          n=$((n + 1))
          echo ', {"op": "current", "shape": "root/Bullet World"}'
          echo ", {\"op\": \"create\", \"creator\": \"Primitive/Rigid\", \"answers\": [{\"Primitive/Type\": $kind, \"Primitive/Direction\": $dir, \"Primitive/X/Rudius\": 0.125, \"Primitive/Y/Hight\": 0.5, \"Primitive/Z\": 0.25}]}"
          echo ", {\"op\": \"rename\", \"shape\": \"root/Bullet World/RigidBody\", \"name\": \"B$n\"}"
          echo ", {\"op\": \"place\", \"shape\": \"root/Bullet World/B$n\", \"position\": [$((n * 700)), 1000, 0]}"
        done
      done
      echo ']'
    } >"$ops"
    run 0 edit "$src/examples/empty-scene.json" --script "$ops" --save "$work/kinds.json"
    run 0 info "$work/kinds.json"
    for text in "[primitive] box, half extents (0.125, 0.5, 0.25) m" "[primitive] sphere, radius 0.125 m" \
                "[primitive] capsule along Y, radius 0.125, middle height 0.5 m" \
                "[primitive] capsule along X, radius 0.125, middle height 0.5 m" \
                "[primitive] cylinder along Z, radius 0.125, height 0.5 m" "[primitive] cone along X, radius 0.125, height 0.5 m" \
                "15 simulated rigid bodies"; do
      contains "$work/out" "$text"
    done
    run 0 play "$work/kinds.json" --frames 10 --gltf "$work/kinds.glb"
    run 0 play "$work/kinds.json" --frames 0 --gltf "$work/first.glb"
    run 0 play "$src/examples/empty-scene.json" --gltf "$work/empty.glb" --trace "$work/empty.csv"
    [ "$(cat "$work/empty.csv")" = "frame,shape,x,y,z,qw,qx,qy,qz" ] || fail "an empty scene's trace holds more than its header"
    node "$validator" "$work/kinds.glb" "$work/first.glb" "$work/empty.glb" >"$work/validator" 2>&1 ||
      fail "glTF validator: $(cat "$work/validator")"
    echo "kinds: 5 kinds x 3 axes measured back as answered; glTF valid: $(tr '\n' ' ' <"$work/validator")"
    ;;
  settings)
    # Scale Factor multiplies the bodies' lengths, not gravity or the ground: a ball of radius
    # 100 mm dropped from 1000 mm onto a ground at "Hight" 0.5 m rests at 600 mm at scale 1 and
    # at 350 mm at scale 2, and the glTF's ground square lies where it acts (0.5 m, 0.25 m).
    for row in "1 600 0.5" "2 350 0.25"; do
      set -- $row
      printf '[{"op": "create", "creator": "World", "answers": [{"Scale Factor": %s, "Hight": 0.5}]},
        {"op": "current", "shape": "root/Bullet World"},
        {"op": "create", "creator": "Primitive/Rigid", "answers": [{"Primitive/Type": 1, "Primitive/X/Rudius": 0.1}]},
        {"op": "place", "shape": "root/Bullet World/RigidBody", "position": [0, 1000, 0]}]' "$1" >"$work/s.ops.json"
      run 0 edit "$src/examples/empty-scene.json" --script "$work/s.ops.json" --save "$work/s$1.json"
      run 0 play "$work/s$1.json" --frames 90 --trace "$work/s$1.csv" --gltf "$work/s$1.glb"
      y=$(tail -1 "$work/s$1.csv" | cut -d, -f4)
      awk -v y="$y" -v want="$2" 'BEGIN { exit !(y - want < 1 && want - y < 1) }' ||
        fail "scale $1: the ball rests at $y mm, not $2"
      ground=$(node -e '
        const b = require("fs").readFileSync(process.argv[1]);
        const j = JSON.parse(b.toString("utf8", 20, 20 + b.readUInt32LE(12)));
        const m = j.meshes.find((m) => m.name === "ground");
        console.log(j.accessors[m.primitives[0].attributes.POSITION].max[1]);' "$work/s$1.glb")
      [ "$ground" = "$3" ] || fail "scale $1: the glTF ground lies at $ground m, not $3"
    done
    # A rigid body stream cut short is refused with the body's path, version and length: the
    # world is not built and play exits 1 (it used to play the ball from a default pose).
    ball=$(sed -n '78s/.*"bytes": "\(.*\)",/\1/p' "$src/examples/ball_bounce.json")
    for keep in 17 92; do
      cut=$(printf '%s' "$ball" | base64 -d | head -c "$keep" | base64 -w0)
      sed "78s|$ball|$cut|" "$src/examples/ball_bounce.json" >"$work/cut.json"
      run 1 play "$work/cut.json" --frames 2 --trace "$work/cut.csv"
      contains "$work/out" "the rigid body settings of \"root/Bullet World/Ball\" are damaged (version 1, $keep of 93 bytes)"
      contains "$work/out" "bad primitive shape"
      run 0 info "$work/cut.json"
      contains "$work/out" "[stream damaged: version 1, $keep of 93 bytes]"
    done
    # A dialog answer the engine cannot use refuses the edit: exit 2, the item, value and range
    # named, nothing saved.
    for answer in '"Simulation Cycle": 0|"Simulation Cycle" 0 is outside its range (more than 0, at most 10000)' \
                  '"Scale Factor": -1|"Scale Factor" -1 is outside its range (from 0.001 to 1000)'; do
      printf '[{"op": "create", "creator": "World", "answers": [{%s}]}]' "${answer%%|*}" >"$work/bad.ops.json"
      run 2 edit "$src/examples/empty-scene.json" --script "$work/bad.ops.json" --save "$work/bad.json"
      contains "$work/err" "operation 1: physplug: Setting Bullet World: ${answer#*|}"
      [ ! -e "$work/bad.json" ] || fail "a refused edit saved $work/bad.json"
    done
    printf '[{"op": "modify", "shape": "root/Bullet World/Ball", "answers": [{"Mass": -1}]}]' >"$work/bad.ops.json"
    run 2 edit "$src/examples/ball_bounce.json" --script "$work/bad.ops.json" --save "$work/bad.json"
    contains "$work/err" '"Mass" -1 is outside its range (from 1e-06 to 1e+06)'
    [ ! -e "$work/bad.json" ] || fail "a refused edit saved $work/bad.json"
    # The same values stored in a scene file are refused when the world is built: exit 1, the
    # body named (mass -1 as the ball's float at byte 13).
    printf '%s' "$ball" | base64 -d >"$work/ball.bin"
    heavy=$({ head -c 13 "$work/ball.bin"; printf '\x00\x00\x80\xbf'; tail -c +18 "$work/ball.bin"; } | base64 -w0)
    sed "78s|$ball|$heavy|" "$src/examples/ball_bounce.json" >"$work/heavy.json"
    run 1 play "$work/heavy.json" --frames 2
    contains "$work/out" 'the rigid body "root/Bullet World/Ball" cannot be simulated: "Mass" -1 is outside its range'
    echo "settings: scale 1 and 2 rest at 600 and 350 mm over their glTF grounds; cut streams refused by name"
    ;;
  cloth)
    # Cloth: the vertex trace holds every soft body and projection mesh vertex at every frame,
    # the projection follows the cloth, and info lists the soft bodies and the projection.
    scene="$src/examples/curtain_projection.json"
    run 0 play "$scene" --frames 30 --trace-vertices "$work/v.csv"
    [ "$(head -1 "$work/v.csv")" = "frame,shape,vertex,x,y,z" ] || fail "vertex trace header: $(head -1 "$work/v.csv")"
    [ "$(rows_of "$work/v.csv")" -eq $((31 * (81 + 1089))) ] || fail "vertex trace rows $(rows_of "$work/v.csv")"
    grep -q '^0,root/Bullet World/Drape,544,0,800,5$' "$work/v.csv" || fail "the drape's middle vertex at frame 0: $(grep -m1 '^0,root/Bullet World/Drape,544,' "$work/v.csv")"
    grep -q '^30,root/Bullet World/Drape,544,0,800,5$' "$work/v.csv" && fail "the drape's middle vertex did not move"
    # The glTF file moves the cloth and its projection as the vertex trace has them.
    run 0 play "$scene" --frames 30 --trace "$work/t.csv" --trace-vertices "$work/v.csv" --gltf "$work/c.glb"
    node "$validator" "$work/c.glb" >"$work/validator" 2>&1 || fail "glTF validator: $(cat "$work/validator")"
    node "$src/tests/cli/glb_matches_trace.js" "$work/c.glb" "$work/t.csv" 60 "$work/v.csv" >"$work/agree" 2>&1 ||
      fail "the glTF cloth does not follow the vertex trace: $(cat "$work/agree")"
    contains "$work/agree" "$((31 * (81 + 1089))) vertex positions of 2 cloth meshes agree"
    # A playback whose cloth could not fit a glTF file is refused before it starts.
    run 2 play "$scene" --frames 100000 --gltf "$work/long.glb"
    contains "$work/err" "long.glb: 100000 frames of cloth would exceed the glTF binary's 4 GiB; play fewer frames"
    [ ! -e "$work/long.glb" ] || fail "a refused playback left long.glb"
    "$host" info "$scene" >"$work/info"
    contains "$work/info" "Curtain0: 81 nodes, 128 triangles, 1 anchor groups; projection mesh root/Bullet World/Drape with 1089 bound vertices"
    echo "cloth: vertex trace of $(rows_of "$work/v.csv") rows, $(tail -1 "$work/agree"), info lists the soft body and its projection"
    ;;
  examples_current)
    # The committed example scenes are what their edit scripts make (examples/make_examples.sh):
    # a change of the plug-in's streams, dialogs or the scene format shows here first.
    for ops in "$src"/examples/edits/*.ops.json; do
      name=$(basename "$ops" .ops.json)
      run 0 edit "$src/examples/empty-scene.json" --script "$ops" --save "$work/$name.json"
      cmp -s "$work/$name.json" "$src/examples/$name.json" ||
        fail "examples/$name.json is not what examples/edits/$name.ops.json makes; run examples/make_examples.sh"
    done
    echo "examples are what their edit scripts make"
    ;;
  help)
    # help describes every command; help COMMAND and COMMAND --help (anywhere after it, before
    # any other check) describe one, each option on a line with what it does.
    run 0 help
    for c in play edit info check; do contains "$work/out" "physplug-host $c SCENE"; done
    for words in "play --help" "help play" "play $src/examples/ball_bounce.json --frames 2 -h"; do
      run 0 $words
      contains "$work/out" "physplug-host play SCENE"
      for option in --frames --fps --render --trace --gltf --save --threads --lang --plugin --help; do
        grep -qE "^ +$option( [A-Za-z.|]+)? +[a-z]" "$work/out" || fail "\"$words\" does not describe $option"
      done
      ! grep -q "physplug-host edit" "$work/out" || fail "\"$words\" describes more than play"
    done
    run 0 edit --help; contains "$work/out" "--script OPS.json"
    run 0 info --help --lang ja; contains "$work/out" "使い方:"
    run 2 help dance; contains "$work/err" "unknown command"
    # A label the dialog does not have: the refusal lists the dialog's items by the names a script
    # uses, spelled as the text tables spell them; in Japanese the Japanese labels.
    printf '[{"op": "create", "creator": "World", "answers": [{"Gravty": 1}]}]' >"$work/typo.ops.json"
    run 2 edit "$src/examples/empty-scene.json" --script "$work/typo.ops.json" --save "$work/x.json"
    contains "$work/err" 'no item labelled "Gravty"; its items: '
    contains "$work/err" '"Gravity"'
    contains "$work/err" '"Hight"'
    run 2 edit "$src/examples/empty-scene.json" --script "$work/typo.ops.json" --save "$work/x.json" --lang ja
    contains "$work/err" '"重力"'
    echo "help: every option described, for all commands and for each; unknown labels list the dialog's items"
    ;;
  texts)
    # The play summary counts the bodies the glTF draws and the moving ones the trace follows.
    run 0 play "$src/examples/ball_bounce.json" --frames 2
    contains "$work/err" "2 rigid bodies (1 moving)"
    printf '[{"op": "create", "creator": "World", "answers": ["ok"]}, {"op": "current", "shape": "root/Bullet World"}, {"op": "create", "creator": "Primitive/Rigid", "answers": ["ok"]}]' >"$work/one.ops.json"
    run 0 edit "$src/examples/empty-scene.json" --script "$work/one.ops.json" --save "$work/one.json" --lang ja
    contains "$work/out" "1: 作成 World: 完了"
    contains "$work/out" "ダイアログ「"
    contains "$work/err" "に保存しました"
    run 0 play "$work/one.json" --frames 2
    contains "$work/err" "1 rigid body (1 moving)"
    run 0 info "$work/one.json"
    contains "$work/out" "1 simulated rigid body"
    run 0 play "$work/one.json" --frames 2 --lang ja
    contains "$work/err" "剛体 1 個 (うち移動 1 個)"
    # --lang ja: the listing and the summary in Japanese, with no English words left, and the
    # same numbers in the same order on every line as in English.
    for scene in two_worlds kinematic_paddle; do
      "$host" info "$src/examples/$scene.json" >"$work/en.txt" || fail "info $scene"
      "$host" info "$src/examples/$scene.json" --lang ja >"$work/ja.txt" || fail "info $scene --lang ja"
      "$host" play "$src/examples/$scene.json" --frames 3 2>>"$work/en.txt" >/dev/null || fail "play $scene"
      "$host" play "$src/examples/$scene.json" --frames 3 --lang ja 2>>"$work/ja.txt" >/dev/null || fail "play $scene --lang ja"
      ! grep -E "frames|gravity|mass|margin|radius|simulated|\[(world|rigid body|primitive)\]|played|moving" "$work/ja.txt" ||
        fail "English left in the Japanese listing of $scene"
      numbers() { awk '{ line = $0; out = NR ":"; while (match(line, /[0-9]+(\.[0-9]+)?/)) { out = out " " substr(line, RSTART, RLENGTH); line = substr(line, RSTART + RLENGTH) } print out }' "$1"; }
      diff <(numbers "$work/en.txt") <(numbers "$work/ja.txt") >"$work/diff" || fail "numbers differ between en and ja: $(head -5 "$work/diff")"
    done
    contains "$work/ja.txt" "[ワールド] 有効"
    contains "$work/ja.txt" "を再生しました"
    echo "texts: bodies counted as the trace and glTF hold them; info, play and edit follow --lang with the same numbers"
    ;;
  setup_check)
    # check: each fixture scene (tests/cli/fixtures/check) gives exactly its findings, named by
    # code and shape path (from --json; "-" for the scene itself), and its exit code.
    fixtures="$src/tests/cli/fixtures/check"
    findings_of() {  # the findings of a --json listing, "code shape" joined by "; "
      node -e 'const j = JSON.parse(require("fs").readFileSync(0, "utf8"));
               console.log(j.findings.map((f) => f.code + " " + (f.shape === null ? "-" : f.shape)).join("; "))' <"$1"
    }
    while IFS='|' read -r fixture code expected; do
      fixture=$(echo $fixture) expected=$(echo $expected)
      run "$code" check "$fixtures/$fixture.json" --json
      got=$(findings_of "$work/out") || fail "$fixture: the --json output is no JSON: $(head -c 300 "$work/out")"
      [ "$got" = "$expected" ] || fail "$fixture: found \"$got\", expected \"$expected\""
    done <<'TABLE'
clean                  | 0 |
joint_clean            | 0 |
frame_rate             | 1 | frame_rate -
playback_option        | 1 | frame_rate -
not_in_world           | 1 | not_in_world root/Loose; not_in_world root/Held World/Parked; not_in_world root/Sheet
no_primitive           | 1 | no_primitive root/Bullet World/Empty
primitive_size         | 1 | primitive_size root/Bullet World/Dot/Sphere; primitive_size root/Bullet World/Coin/Cylinder
primitive_unreadable   | 1 | primitive_unreadable root/Bullet World/Odd/Line
mass_zero              | 1 | mass_zero root/Bullet World/Stuck
primitive_unused       | 1 | primitive_unused root/Bullet World/Plain/Sphere; primitive_unused root/Bullet World/Twin/Second
body_type              | 1 | body_type root/Bullet World/Strange
start_overlap          | 1 | start_overlap root/Bullet World/A; start_overlap root/Bullet World/B
scaled_matrix          | 1 | scaled_matrix root/Bullet World/Big
stream_unreadable      | 1 | stream_unreadable root/Bullet World/Cut; stream_unreadable root/Bullet World/Ball/Sphere
world_stream_cut       | 1 | stream_unreadable root/Short World
joint_no_rigid1        | 1 | joint_rigid1 root/Bullet World/Pivot
joint_rigid1_elsewhere | 1 | joint_rigid1 root/Bullet World/Pivot
joint_other_world      | 1 | joint_rigid0 root/Bullet World/Pivot
joint_same_body        | 1 | joint_same_body root/Bullet World/Pivot
joint_type             | 1 | joint_type root/Bullet World/Pivot
soft_body_anchor       | 1 | soft_body_anchor root/Bullet World/Cloth; soft_body_anchor root/Bullet World/Cloth
soft_body_damaged      | 1 | stream_unreadable root/Bullet World/Cloth
TABLE
    # Every example scene is clean.
    for scene in "$src"/examples/*.json; do
      run 0 check "$scene"
      contains "$work/out" "no setup problems found"
    done
    # The listing: each finding's path and problem on one line, its fix on the next, a count;
    # the problem names what the plug-in will do.
    run 1 check "$fixtures/joint_no_rigid1.json"
    contains "$work/out" "root/Bullet World/Pivot: the joint has no second body (Rigid1): its world is not built"
    contains "$work/out" "  fix: choose Rigid1 in the joint's dialog"
    contains "$work/out" "joint_no_rigid1.json: 1 setup problem found"
    run 1 check "$fixtures/stream_unreadable.json"
    contains "$work/out" "root/Bullet World/Cut: its rigid body settings are damaged or cut short (stream version 1, 17 of 93 bytes)"
    run 1 check "$fixtures/world_stream_cut.json"
    contains "$work/out" "root/Short World: its world settings are damaged or cut short (stream version 0, 6 of 56 bytes)"
    # A world cut short before its flags is active for the plug-in (it keeps the default): its
    # ball falls, and the trace follows it.
    run 0 play "$fixtures/world_stream_cut.json" --frames 10 --no-check --trace "$work/cut.csv"
    awk -F, '$1 == 10 && $2 == "root/Short World/Inside" && $4 < 450 { found = 1 } END { exit !found }' "$work/cut.csv" ||
      fail "the ball of the cut world did not fall: $(cat "$work/cut.csv")"
    run 1 check "$fixtures/frame_rate.json" --lang ja
    contains "$work/out" "frame_rate.json: フレームレートが 24 fps です"
    contains "$work/out" "  対処: "
    ! grep -E "frame rate|fix:|found" "$work/out" || fail "English left in the Japanese listing"
    for scene in "$fixtures"/*.json; do  # every finding has its Japanese text
      "$host" check "$scene" --lang ja >"$work/ja.txt"
      ! grep -E "fix:|setup problem| the | its | is " "$work/ja.txt" || fail "English left in the Japanese listing of $scene"
    done
    # Bad input: exit 2.
    run 2 check "$work/missing.json"; contains "$work/err" "missing.json"
    run 2 check "$fixtures/clean.json" --frames 3; contains "$work/err" "unknown option --frames"
    # play checks first and prints the findings as warnings (once); --no-check turns that off.
    run 0 play "$fixtures/start_overlap.json" --frames 1
    contains "$work/err" "start_overlap.json: warning: root/Bullet World/A: the rigid body starts inside \"root/Bullet World/B\""
    [ "$(grep -c 'starts inside' "$work/err")" -eq 2 ] || fail "play warned $(grep -c 'starts inside' "$work/err") times: $(cat "$work/err")"
    run 0 play "$fixtures/start_overlap.json" --frames 1 --no-check
    ! grep -q "warning" "$work/err" || fail "--no-check still warned: $(cat "$work/err")"
    # The rate --fps sets is the one checked.
    run 0 play "$fixtures/clean.json" --frames 1 --fps 24
    contains "$work/err" "clean.json: warning: the frame rate is 24 fps"
    run 0 play "$fixtures/frame_rate.json" --frames 1 --fps 60
    ! grep -q "warning" "$work/err" || fail "play --fps 60 warned about the scene's own rate: $(cat "$work/err")"
    echo "check: every fixture gives exactly its findings; the examples are clean; play warns once"
    ;;
  example) example "$1" ;;
  *) fail "unknown case" ;;
esac
