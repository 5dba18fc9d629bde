#!/usr/bin/env bash
# Runs every script of the corpus through qelrun and compares it with the expectation written
# in the script (see README.md): standard output against the "expect:" block, and for an
# "expect-error:" line the message and its first reported position. qelrun reports an error as
# "FILE:LINE:COL: MESSAGE" (lines from 1) followed by the control's own message, whose last line
# is the position block (lines from 0); both must name the place the expectation gives.
#
# usage: run_corpus.sh QELRUN [CORPUS_DIR]
set -u

qelrun=$(realpath "${1:?usage: run_corpus.sh QELRUN [CORPUS_DIR]}")
# Dates, numbers and day names print in the locale's format: the expectations are the C locale's.
export LC_ALL=C.UTF-8
corpus=$(realpath "${2:-$(dirname "$0")}")
# Each script runs in a scratch folder of its own (also its TMPDIR), so the files it writes by
# relative name never meet those of another run: the plain-interpreter run of this corpus runs
# at the same time.
scratch_root=$(mktemp -d)
trap 'rm -rf "$scratch_root"' EXIT

# Scripts whose expectation holds only on the machine's own test host (tests/pascal), which
# reports errors without the control's source-position block: under qelrun a caught
# exception's Message carries that block, with the control's address in it.
declare -A host_only=(
  [exceptions.pas]="prints caught messages, which carry qelrun's source-position block"
)

# A VB or VBScript script writes its expectation in comment lines: the same block with "' " before each
# line.
expectation_text() {
  case "$1" in
    *.vb | *.vbs) sed -n "s/^' \{0,1\}//p" "$1" ;;
    *) cat "$1" ;;
  esac
}

expected_output() {
  expectation_text "$1" |
    awk '/^\{ expect:/ { inside = 1; next } inside && /^\}/ { inside = 0; next } inside { print }'
}

expected_error() {
  expectation_text "$1" | sed -n 's/^{ expect-error: \(.*\) }$/\1/p'
}

failures=0 passed=0 skipped=0
check() {
  local file=$1 name
  name=$(basename "$file")
  if [[ -n "${host_only[$name]:-}" ]]; then
    echo "SKIP $name: ${host_only[$name]}"
    skipped=$((skipped + 1))
    return
  fi
  local out err rc want_err
  out=$(mktemp) err=$(mktemp)
  local work
  work=$(mktemp -d "$scratch_root/run.XXXXXX")
  (cd "$work" && TMPDIR="$work" "$qelrun" "$file" >"$out" 2>"$err")
  rc=$?
  want_err=$(expected_error "$file")
  local problem=""
  if ! diff -u <(expected_output "$file") "$out" >"$out.diff"; then
    problem="output differs:
$(cat "$out.diff")"
  elif [[ -z "$want_err" ]]; then
    [[ $rc -eq 0 ]] || problem="exit status $rc: $(cat "$err")"
  elif [[ $rc -ne 1 ]]; then
    problem="exit status $rc, expected 1 with: $want_err"
  else
    # The clickable lines repeat the message: k lines, then the k lines of the control's
    # message and its position block. A place outside the source (line -1) has no clickable
    # lines.
    local count k head message block line pos got
    count=$(wc -l <"$err")
    block=$(tail -n 1 "$err")
    line=$(sed -n 's/^Source: \$[0-9A-F]* \[line: \(-\?[0-9]*\), pos: \(-\?[0-9]*\)\]$/\1/p' <<<"$block")
    pos=$(sed -n 's/^Source: \$[0-9A-F]* \[line: \(-\?[0-9]*\), pos: \(-\?[0-9]*\)\]$/\2/p' <<<"$block")
    k=$(((count - 1) / 2))
    [[ "$line" == -1 ]] && k=0
    head=$(head -n "$k" "$err")
    message=$(sed -n "$((k + 1)),$((count - 1))p" "$err")
    if [[ -z "$line" || ($line != -1 && $count -ne $((2 * k + 1))) ]]; then
      problem="no position block in: $(cat "$err")"
    else
      got="$message at line $((line + 1)) pos $pos"
      if [[ "$got" != "$want_err" ]]; then
        problem="error '$got', expected '$want_err'"
      elif [[ $k -gt 0 && "$head" != "$file:$((line + 1)):$pos: $message" ]]; then
        problem="clickable line '$head' does not match the block of: $message"
      fi
    fi
  fi
  rm -f "$out" "$out.diff" "$err"
  if [[ -n "$problem" ]]; then
    echo "FAIL $name: $problem"
    failures=$((failures + 1))
  else
    echo "ok   $name"
    passed=$((passed + 1))
  fi
}

shopt -s nullglob
# host/ holds scripts that need the host units, which only qelrun gives them; the folders named
# after a language hold the scripts of the Active Scripting languages, picked by extension.
for file in "$corpus"/* "$corpus"/*/*; do
  case "$file" in *.md | *.sh) continue ;; esac
  [[ -f "$file" ]] && check "$file"
done
echo "$passed passed, $failures failed, $skipped skipped"
[[ $failures -eq 0 ]]
