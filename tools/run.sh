#!/usr/bin/env bash
# The project's run command: installs what is missing, builds, and starts the demonstration
# window on the bundled scripts (demo/scripts) where a display exists. Without a display it runs
# the bundled sample scripts through the command-line runner instead, and says why.
# usage: tools/run.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
cd "$root"
./tools/setup.sh

case "${QT_QPA_PLATFORM:-}" in
  offscreen*|minimal*) display="" ;;
  *) display="${DISPLAY:-}${WAYLAND_DISPLAY:-}" ;;
esac
if [ -n "$display" ]; then
  cmake -S "$root" -B "$build" -G Ninja >/dev/null
  cmake --build "$build" --target qeldemo
  # The window lists the "scripts" folder under the current directory.
  cd "$root/demo"
  exec "$build/bin/qeldemo"
fi
echo "run: no display (DISPLAY and WAYLAND_DISPLAY are unset, or Qt is told to draw offscreen)," \
     "so the demonstration window cannot open; running the bundled scripts through qelrun instead" >&2
exec ./examples/run_samples.sh "$build"
