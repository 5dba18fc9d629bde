#!/usr/bin/env bash
# usage: configure_as_subproject.sh SOURCE_DIR
# Configures tests/package/subproject (which adds the engine with add_subdirectory) and checks
# that the host's build has the engine's libraries and its own program, and none of the
# engine's tests, benchmarks or tools.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S "$source_dir/tests/package/subproject" -B "$work" -G Ninja -DQEL_SOURCE_DIR="$source_dir" >/dev/null
targets=$(ninja -C "$work" -t targets all)
for wanted in '^host_app:' 'libqel_scripter\.a:'; do
  grep -q "$wanted" <<<"$targets" || { echo "missing target $wanted"; exit 1; }
done
for unwanted in scripter_tests qelrun bench_vm thermostat; do
  if grep -q "\b$unwanted:" <<<"$targets"; then echo "unexpected target $unwanted"; exit 1; fi
done
echo "ok   subproject configured with the libraries only"
