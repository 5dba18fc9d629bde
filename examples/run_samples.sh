#!/usr/bin/env bash
# Builds the command-line runner and runs every bundled sample script through it.
# usage: examples/run_samples.sh [BUILD_DIR]   (default: build)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target qelrun embed_control
for script in "$root"/examples/scripts/*; do
  echo "== $(basename "$script")"
  "$build/bin/qelrun" "$script"
done
echo "== embed_control (examples/embed_control.cpp)"
"$build/bin/embed_control"
