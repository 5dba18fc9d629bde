#!/usr/bin/env bash
# usage: install_and_build_examples.sh BUILD_DIR EXAMPLES_DIR CXX [LAUNCHER] [BUILD_TYPE]
# Installs BUILD_DIR into a temporary prefix, builds EXAMPLES_DIR against it as a project of
# its own (find_package(QelTessaro), Qel::Tessaro) and one example with pkg-config's flags,
# and runs the programs. The prefix is removed afterwards.
set -euo pipefail

build=$1 examples=$2 cxx=$3 launcher=${4:-} build_type=${5:-RelWithDebInfo}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

# No source or build directory of the engine is visible to the examples: only the prefix.
cmake -S "$examples" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" \
  -DCMAKE_CXX_COMPILER="$cxx" ${launcher:+-DCMAKE_CXX_COMPILER_LAUNCHER="$launcher"} \
  -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/build" >/dev/null

run() {
  local program=$1 want=$2 out
  out=$("$program")
  if ! grep -qE "$want" <<<"$out"; then
    echo "FAIL $program printed:"
    echo "$out"
    exit 1
  fi
  echo "ok   $(basename "$program")"
}
run "$work/build/embed_control" "^log: coffee: 6$"
run "$work/build/thermostat" "^script error at line 9, column [0-9]+$"

# pkg-config: the same example from the flags alone.
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig:$prefix/lib64/pkgconfig:${PKG_CONFIG_PATH:-}
read -r -a flags <<<"$(pkg-config --cflags --libs qeltessaro)"
$launcher "$cxx" "$examples/thermostat.cpp" -o "$work/thermostat_pc" "${flags[@]}"
run "$work/thermostat_pc" "^1 alarm\(s\) above 21.5$"
