#!/usr/bin/env bash
# Rebuilds the example scenes from their edit scripts, the way a user would make them: each
# examples/edits/NAME.ops.json is run by `physplug-host edit` on the empty scene and saved as
# examples/NAME.json. usage: examples/make_examples.sh [path/to/physplug-host]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
host=${1:-"$here/../build/bin/physplug-host"}
for ops in "$here"/edits/*.ops.json; do
  name=$(basename "$ops" .ops.json)
  "$host" edit "$here/empty-scene.json" --script "$ops" --save "$here/$name.json" >/dev/null
  echo "examples/$name.json"
done
