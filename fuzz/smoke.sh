#!/usr/bin/env bash
# Builds the libFuzzer harnesses in a build directory of their own (clang, AddressSanitizer,
# UBSan, coverage; only the non-GUI engine) and runs each one briefly over its seed corpus,
# which is made from the script corpus (tests/scripts). Part of the test command.
#   fuzz/smoke.sh                 the smoke run: QEL_FUZZ_RUNS executions per harness
#   fuzz/smoke.sh HARNESS ARGS…   a longer run of one harness with libFuzzer's own options
#                                 (e.g. FuzzRun -max_total_time=3600 -jobs=1)
# New inputs collect in $dir/corpus/HARNESS, so later runs start where earlier ones stopped.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${QEL_FUZZ_BUILD:-build-fuzz}
runs=${QEL_FUZZ_RUNS:-3000}
harnesses=(FuzzPascalCompile FuzzVbCompile FuzzRun FuzzCoerce FuzzFormat)

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQEL_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$dir" -j "$(nproc)" >/dev/null

# Seeds: the scripts of each dialect; for the machine, each script behind its dialect byte
# (0 Pascal, 1 VB); for the value routines, a few hand-made inputs.
seeds=$dir/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{FuzzPascalCompile,FuzzVbCompile,FuzzRun,FuzzCoerce,FuzzFormat}
find tests/scripts -name '*.pas' -exec cp -t "$seeds/FuzzPascalCompile" {} +
find tests/scripts -name '*.vb' -exec cp -t "$seeds/FuzzVbCompile" {} +
for f in "$seeds"/FuzzPascalCompile/*; do { printf '\0'; cat "$f"; } >"$seeds/FuzzRun/p_${f##*/}"; done
for f in "$seeds"/FuzzVbCompile/*; do { printf '\1'; cat "$f"; } >"$seeds/FuzzRun/v_${f##*/}"; done
i=0
for text in '8\x0412.5e3' '\x07\x00\x00\x00\x00\x00\x00\xf0\x3f\x08\x041,5' '\x03\xff\xff\xff\x7f\x03\x01' \
            '\x09\x01\x10\x02\x00\x0a\x00\x00\x00\x00\x00\x00\x00'; do
  printf "$text" >"$seeds/FuzzCoerce/seed$((i++))"
done
for text in '%d %5.2f %s %x %-8s %*d %e %g %n %m %p %u %%' '#,##0.00;(#,##0.00);zero' \
            'yyyy-mm-dd hh:nn:ss.zzz am/pm dddd' '0.###E+00' '%2:s %0:d %1:*.*f'; do
  printf '\0\0\0\0\0\0\xf0\x3f\x81%s' "$text" >"$seeds/FuzzFormat/seed$((i++))"
done

run() {
  local harness=$1
  shift
  mkdir -p "$dir/corpus/$harness"
  "$dir/bin/$harness" -max_len=8192 -timeout=20 -rss_limit_mb=2048 "$@" \
    "$dir/corpus/$harness" "$seeds/$harness"
}

if [ $# -gt 0 ]; then
  run "$@"
  exit
fi
for harness in "${harnesses[@]}"; do
  log=$dir/$harness.log
  if ! run "$harness" -runs="$runs" >"$log" 2>&1; then
    cat "$log"
    echo "fuzz smoke: $harness found a fault (input above, log $log)" >&2
    exit 1
  fi
  echo "fuzz smoke: $harness $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log")"
done
