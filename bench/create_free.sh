#!/bin/sh
# Peak resident memory of a script that creates and frees host objects N times, for growing
# N: flat figures mean nothing is kept per cycle. Usage: bench/create_free.sh [build dir]
set -eu
build=${1:-build}
script=$(dirname "$0")/memory/create_free.pas
printf '%10s %14s %10s\n' cycles peak_rss_kib seconds
for n in 1000 100000 1000000; do
  /usr/bin/time -f '%M %e' -o /tmp/qel_create_free.$$ "$build/bin/qelrun" "$script" Run "$n" >/dev/null
  read -r rss secs < /tmp/qel_create_free.$$
  printf '%10s %14s %10s\n' "$n" "$rss" "$secs"
done
rm -f /tmp/qel_create_free.$$
