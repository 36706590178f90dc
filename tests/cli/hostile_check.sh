#!/usr/bin/env bash
# What a hostile or unlucky user types must neither lose a scene, hang the host, nor write NaN.
#   hostile_check.sh CASE HOST SOURCE_DIR PLUGIN
# Each case is a table of rows "EXIT_CODE | fragment of stderr | arguments"; every row also
# checks that the pristine copy of the example scene it may touch is unchanged and that no
# output was written by a refused command. Cases add checks of their own after the table.
set -uo pipefail
case_name=$1 host=$2 src=$3 plugin=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

fail() { echo "FAIL ($case_name): $*" >&2; exit 1; }
scene="$work/scene.json"
cp "$src/examples/ball_bounce.json" "$scene"
pristine="$src/examples/ball_bounce.json"

# rows: reads the table from stdin, one row per line: CODE|FRAGMENT|ARGS (ARGS split by eval, so
# quoting works as in a shell; "$scene", "$work" are expanded). Blank lines and # comments skip.
rows() {
  local n=0 failed=0
  while IFS='|' read -r code fragment args; do
    [[ -z "${code// }" || "$code" =~ ^[[:space:]]*# ]] && continue
    n=$((n + 1))
    code=${code// /}
    fragment=$(echo "$fragment" | sed 's/^ *//; s/ *$//')
    fragment=${fragment//\$scene/$scene}
    fragment=${fragment//\$work/$work}
    eval "set -- $args"
    local before problem=""
    before=$(ls -A "$work" | grep -v '^\.out$\|^\.err$' | sort)
    timeout 60 "$host" "$@" >"$work/.out" 2>"$work/.err" </dev/null
    local got=$?
    if [ "$got" -ne "$code" ]; then
      problem="exited $got, expected $code"
    elif ! grep -qF -- "$fragment" "$work/.err" "$work/.out"; then
      problem="no \"$fragment\" in the output"
    elif ! cmp -s "$scene" "$pristine"; then
      problem="the scene was changed"
    elif [ "$code" -eq 2 ] && [ "$(ls -A "$work" | grep -v '^\.out$\|^\.err$' | sort)" != "$before" ]; then
      problem="a refused command left files: $(ls -A "$work" | tr '\n' ' ')"
    fi
    if [ -n "$problem" ]; then
      echo "FAIL ($case_name) row $n: physplug-host $args: $problem; stderr: $(head -c 400 "$work/.err")" >&2
      failed=$((failed + 1))
      cp "$pristine" "$scene"
    fi
    rm -f "$work/.out" "$work/.err"
  done
  [ "$failed" -eq 0 ] || fail "$failed of $n rows failed"
  echo "$case_name: $n rows"
}

case "$case_name" in
  outputs)
    # Every output is checked before anything is written; none may be an input or another output.
    printf '[]' >"$work/none.ops.json"
    mkfifo "$work/fifo.out"
    # A device node of our own, never the system's /dev/null: should the refusal ever break, a
    # run as root would replace the real one. Without the right to make one, a FIFO stands in.
    mknod "$work/null" c 1 3 2>/dev/null || mkfifo "$work/null"
    rows <<'TABLE'
2 | --trace: $scene is the scene          | play "$scene" --frames 2 --trace "$scene"
2 | --gltf: $scene is the scene           | play "$scene" --frames 2 --gltf "$scene"
2 | is the scene                          | play "$scene" --frames 2 --trace "$work/../$(basename "$work")/scene.json"
2 | --gltf: $work/no/dir/t.glb: cannot create a file in | play "$scene" --frames 2 --trace "$work/t.csv" --gltf "$work/no/dir/t.glb"
2 | --gltf: $work/x.out is also the file of --trace | play "$scene" --frames 2 --trace "$work/x.out" --gltf "$work/x.out"
2 | --save: $work/x.out is also the file of --trace | play "$scene" --frames 2 --trace "$work/x.out" --save "$work/x.out"
2 | --save: the file name is empty        | play "$scene" --frames 2 --save ""
2 | --trace: the file name is empty       | play "$scene" --frames 2 --trace ""
2 | only a regular file or a new name is written | play "$scene" --save "$work/null"
2 | --trace: $work/fifo.out: is a FIFO    | play "$scene" --frames 2 --trace "$work/fifo.out"
2 | --gltf: $work/: names a directory     | play "$scene" --frames 2 --gltf "$work/"
2 | --save: $work/none.ops.json is the script | edit "$scene" --script "$work/none.ops.json" --save "$work/none.ops.json"
2 | --script: the file name is empty      | edit "$scene" --script "" --save "$work/o.json"
0 | saved $scene                          | edit "$scene" --script "$work/none.ops.json" --save "$scene"
TABLE
    [ -c "$work/null" ] || [ -p "$work/null" ] || fail "$work/null was replaced"
    # A file name of 250 bytes saves (the temporary's suffix used to push it past 255).
    long=$(printf 'n%.0s' $(seq 250))
    "$host" edit "$scene" --script "$work/none.ops.json" --save "$work/$long" >/dev/null 2>&1 ||
      fail "a 250-byte file name cannot be saved"
    cmp -s "$work/$long" "$scene" || fail "the scene saved under a 250-byte name differs"
    # An output written over an existing file by a process killed midway (here by the file size
    # limit, as on a full disk) leaves the old file; the next write removes the temporary.
    for kind in trace gltf; do
      printf 'old %s\n' "$kind" >"$work/old.$kind"
      (ulimit -f 1; exec "$host" play "$scene" --frames 180 "--$kind" "$work/old.$kind") >/dev/null 2>&1
      [ "$(cat "$work/old.$kind")" = "old $kind" ] || fail "a $kind write cut short changed the existing file"
      ls "$work" | grep -q "^old\.$kind\.tmp-" || fail "the cut $kind write left no temporary (was it cut?)"
      "$host" play "$scene" --frames 2 "--$kind" "$work/old.$kind" >/dev/null 2>&1 || fail "second $kind write failed"
      ! ls "$work" | grep -q "^old\.$kind\.tmp-" || fail "the $kind temporary of the killed process was left"
    done
    echo "outputs: a 250-byte name saves; killed writes leave the old file and their temporary is cleaned"
    ;;
  inputs)
    # Only regular files of bounded size are read; nothing blocks or fills the memory.
    mkfifo "$work/fifo.json"
    mkdir "$work/folder"
    truncate -s 300M "$work/huge.json"
    printf '{"format": "physplug-scene", "version": 1, "shapes": [{"kind": "part", "name": "root"},
      {"kind": "part", "name": "P", "dad": 0, "transformation": [[1, 0, 0, 0], [0, 1, 0, 0], [0, 0, 1, 0], [0, "nan", 0, 1]]}]}' \
      >"$work/nan.json"
    rows <<'TABLE'
2 | $work/fifo.json: is a FIFO, not a file to read              | info "$work/fifo.json"
2 | /dev/zero: is a character device, not a file to read        | info /dev/zero
2 | $work/folder: is a directory, not a file to read            | info "$work/folder"
2 | $work/huge.json: is 314572800 bytes, more than the 268435456 bytes this program reads | info "$work/huge.json"
2 | $work/folder: is a directory, not a file to read            | edit "$scene" --script "$work/folder" --save "$work/o.json"
2 | $work/fifo.json: is a FIFO                                  | edit "$scene" --script "$work/fifo.json" --save "$work/o.json"
2 | nan.json: /shapes/1/transformation/3/1: expected a finite number, found the text "nan" | play "$work/nan.json"
TABLE
    ;;
  plugin)
    # A library cut short is refused before the loader sees it; a bare name is a file here.
    head -c 20000 "$plugin" >"$work/cut.so"
    cp "$plugin" "$work/plug.so"
    rows <<'TABLE'
2 | ./cut.so": is cut short: its segments need | play "$scene" --frames 1 --plugin cut.so
2 | cut.so": is cut short                      | play "$scene" --frames 1 --plugin "$work/cut.so"
0 | played                                     | play "$scene" --frames 1 --plugin plug.so
TABLE
    ;;
  escapes)
    # Names and values from files are printed escaped, each message on one line.
    printf '[{"op": "select", "shapes": ["root/\\u001b[31mred\\nline\\u0007"]}]' >"$work/esc.ops.json"
    "$host" edit "$scene" --script "$work/esc.ops.json" --save "$work/o.json" >/dev/null 2>"$work/err"
    [ $? -eq 2 ] || fail "a missing shape was not refused"
    grep -qF 'no shape at "root/\x1B[31mred\nline\x07"' "$work/err" || fail "not escaped: $(cat -v "$work/err")"
    ! grep -q $'\e' "$work/err" || fail "an escape character reached the terminal"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "the error took more than one line: $(cat -v "$work/err")"
    echo "escapes: control characters from a script are printed as \\x.. on one line"
    ;;
  edits)
    # Edit operations: numbers beyond a float or an int are refused, nothing is saved, and a
    # mistake anywhere in a script stops it before its first operation runs.
    ball='"shape": "root/Bullet World/Ball"'
    mesh="$src/tests/cli/fixtures/mesh_and_bodies.json"
    op() { printf '[%s]' "$2" >"$work/$1.ops.json"; }
    op far "{\"op\": \"place\", $ball, \"position\": [0, 1e39, 0]}"
    op spun "{\"op\": \"place\", $ball, \"rotation\": [1e300, 0, 0]}"
    op away "{\"op\": \"place\", $ball, \"position\": [0, 0, 2e12]}"
    op late "{\"op\": \"key\", $ball, \"frame\": 1e300}"
    op wrap '{"op": "animation", "end_frame": 4294967296}'
    op big '{"op": "edit_mesh", "shape": "root/Cloth", "mode": "vertices", "select": [1099511627776]}'
    op negative '{"op": "edit_mesh", "shape": "root/Cloth", "select": [-1]}'
    op answer '{"op": "modify", "shape": "root/Bullet World/Ball", "answers": [{"Mass": 1e39}]}'
    op holed '{"op": "add_mesh", "dad": "root", "name": "M", "vertices": [[0, 0, 0], [1, 0, 0], [0, 0, 1]], "faces": [[0, 1, 3]]}'
    op thin '{"op": "add_mesh", "dad": "root", "name": "M", "grid": {"columns": 1, "rows": 4, "step": 10}}'
    op huge '{"op": "add_mesh", "dad": "root", "name": "M", "grid": {"columns": 2000, "rows": 2000, "step": 10}}'
    op into '{"op": "add_mesh", "dad": "root/Cloth", "name": "M", "grid": {"columns": 2, "rows": 2, "step": 10}}'
    op third '{"op": "rename", "shape": "root/Bullet World/Ball", "name": "B"}, {"op": "current", "shape": "root"}, {"op": "fly"}'
    rows <<'TABLE'
2 | far.ops.json: operation 1: "position" 1e+39 is beyond the range of a float | edit "$scene" --script "$work/far.ops.json" --save "$work/o.json"
2 | operation 1: "rotation" 1e+300 is beyond the range of a float | edit "$scene" --script "$work/spun.ops.json" --save "$work/o.json"
2 | operation 1: "root/Bullet World/Ball" would be 2e+12 mm from the origin along Z; a part may be placed at most 1e+09 mm from it | edit "$scene" --script "$work/away.ops.json" --save "$work/o.json"
2 | operation 1: "frame" 1e+300 is beyond the range of a float | edit "$scene" --script "$work/late.ops.json" --save "$work/o.json"
2 | operation 1: "end_frame" must be a whole number from 0 to 2147483647, not 4294967296 | edit "$scene" --script "$work/wrap.ops.json" --save "$work/o.json"
2 | operation 1: an element number in "select" must be a whole number from 0 to 2147483647, not 1099511627776 | edit "$mesh" --script "$work/big.ops.json" --save "$work/o.json"
2 | operation 1: an element number in "select" must be a whole number from 0 | edit "$mesh" --script "$work/negative.ops.json" --save "$work/o.json"
2 | operation 1: answer 1: dialog answer item "Mass": number beyond the float range: 1e+39 | edit "$scene" --script "$work/answer.ops.json" --save "$work/o.json"
2 | operation 1: a face names vertex 3 of 3 | edit "$scene" --script "$work/holed.ops.json" --save "$work/o.json"
2 | operation 1: "columns" must be a whole number from 2 to 2147483647, not 1 | edit "$scene" --script "$work/thin.ops.json" --save "$work/o.json"
2 | operation 1: a grid of at most 1000000 vertices | edit "$scene" --script "$work/huge.ops.json" --save "$work/o.json"
2 | operation 1: "root/Cloth" is no part a mesh can go into | edit "$mesh" --script "$work/into.ops.json" --save "$work/o.json"
2 | third.ops.json: operation 3: unknown operation "fly" | edit "$scene" --script "$work/third.ops.json" --save "$work/o.json"
TABLE
    ;;
  crowd)
    # Bodies placed inside each other are named before the plug-in builds anything; so many
    # pairs that their contacts would not fit in memory (450 boxes at one point: 101025 pairs)
    # are refused. Boxes side by side or resting on the floor do not count.
    crowd() {  # crowd N FILE: N boxes of 10 cm at one point above a static floor
      {
        echo '[{"op": "create", "creator": "World", "answers": ["ok"]}, {"op": "current", "shape": "root/Bullet World"}'
        echo ', {"op": "create", "creator": "Primitive/Rigid", "answers": [{"Type": 2, "Primitive/Type": 0, "Primitive/X/Rudius": 1.0, "Primitive/Y/Hight": 0.05, "Primitive/Z": 1.0}]}'
        echo ', {"op": "place", "shape": "root/Bullet World/RigidBody", "position": [0, -50, 0]}'
        echo ', {"op": "rename", "shape": "root/Bullet World/RigidBody", "name": "Floor"}'
        for i in $(seq "$1"); do
          echo ', {"op": "current", "shape": "root/Bullet World"}, {"op": "create", "creator": "Primitive/Rigid", "answers": [{"Primitive/Type": 0, "Primitive/X/Rudius": 0.1, "Primitive/Y/Hight": 0.1, "Primitive/Z": 0.1}]}'
          echo ", {\"op\": \"place\", \"shape\": \"root/Bullet World/RigidBody\", \"position\": [$2, 100, 0]}"
          echo ", {\"op\": \"rename\", \"shape\": \"root/Bullet World/RigidBody\", \"name\": \"B$i\"}"
        done
        echo ']'
      } >"$work/crowd.ops.json"
      "$host" edit "$src/examples/empty-scene.json" --script "$work/crowd.ops.json" --save "$work/$3" >/dev/null 2>&1 ||
        fail "could not make $3"
    }
    crowd 3 0 three.json
    crowd 450 0 many.json
    crowd 1 0 one.json
    rows <<'TABLE'
0 | three.json: warning: root/Bullet World/B1: the rigid body starts inside "root/Bullet World/B2" | play "$work/three.json" --frames 1
2 | many.json: 450 bodies start inside each other in more than 100000 pairs | play "$work/many.json" --frames 1
TABLE
    "$host" play "$work/one.json" --frames 1 >/dev/null 2>"$work/err" || fail "one box on the floor did not play"
    ! grep -q "inside each other" "$work/err" || fail "a box resting on the floor was reported: $(cat "$work/err")"
    ;;
  *) fail "unknown case" ;;
esac
