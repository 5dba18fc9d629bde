#!/usr/bin/env bash
# The project's run command: installs what is missing, builds the command-line runner and
# runs the bundled sample scripts through it, then the embedding example.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh
exec ./examples/run_samples.sh "$@"
