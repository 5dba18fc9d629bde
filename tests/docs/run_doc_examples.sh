#!/usr/bin/env bash
# Runs the examples of the documentation pages:
# - every ```pascal block must be followed by an ```output block; the script runs through
#   qelrun (from standard input, Main called) and its output must equal the block;
# - every ```cpp block must appear, line for line, in one of the programs of examples/ (which
#   the build compiles and the tests run), so no C++ shown in the docs goes untried.
#
# usage: run_doc_examples.sh QELRUN EXAMPLES_DIR DOC.md ...
set -u

qelrun=${1:?usage: run_doc_examples.sh QELRUN EXAMPLES_DIR DOC.md ...}
examples=${2:?}
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0 passed=0
fail() {
  echo "FAIL $1"
  failures=$((failures + 1))
}

for doc in "$@"; do
  name=$(basename "$doc")
  # Splits the page into numbered files: N.pascal, N.output, N.cpp (N counts the blocks).
  rm -f "$work"/block.*
  awk -v dir="$work" '
    /^```[a-z]+$/ && !inside { inside = 1; n++; file = dir "/block." sprintf("%03d", n) "." substr($0, 4); printf "" > file; next }
    /^```$/ && inside { inside = 0; close(file); next }
    inside { print > file }
  ' "$doc"
  for block in "$work"/block.*; do
    [[ -e "$block" ]] || continue
    number=${block#"$work"/block.}
    number=${number%%.*}
    kind=${block##*.}
    where="$name block $((10#$number))"
    case $kind in
      pascal)
        expected="$work/block.$(printf %03d $((10#$number + 1))).output"
        if [[ ! -f "$expected" ]]; then
          fail "$where: a pascal example without an output block after it"
          continue
        fi
        if ! actual=$("$qelrun" - <"$block" 2>&1); then
          fail "$where: qelrun failed: $actual"
        elif [[ "$actual" != "$(cat "$expected")" ]]; then
          fail "$where: output differs:
$(diff <(echo "$actual") "$expected")"
        else
          passed=$((passed + 1))
        fi
        ;;
      cpp)
        found=0
        for program in "$examples"/*.cpp; do
          # The block's lines in a row somewhere in the program.
          if awk -v want="$block" '
               BEGIN { while ((getline line < want) > 0) w[++m] = line }
               { t[++n] = $0 }
               END { for (i = 1; i + m - 1 <= n; i++) { for (j = 1; j <= m && t[i + j - 1] == w[j]; j++); if (j > m) exit 0 } exit 1 }
             ' "$program"; then
            found=1
            break
          fi
        done
        if [[ $found -eq 1 ]]; then passed=$((passed + 1)); else fail "$where: C++ not found in $examples"; fi
        ;;
    esac
  done
done
echo "$passed passed, $failures failed"
[[ $failures -eq 0 && $passed -gt 0 ]]
