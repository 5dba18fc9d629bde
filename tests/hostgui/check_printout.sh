#!/usr/bin/env bash
# Runs the printer script of the corpus in a scratch folder and checks, with poppler's pdfinfo,
# that the document it printed is a PDF file of two pages.
#
# usage: check_printout.sh QELRUN SCRIPT
set -euo pipefail
qelrun=$(realpath "$1") script=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
QT_QPA_PLATFORM=offscreen "$qelrun" "$script" >/dev/null 2>&1 || { echo "the script failed"; exit 1; }
info=$(pdfinfo printout.pdf) || { echo "printout.pdf is no PDF file"; exit 1; }
pages=$(sed -n 's/^Pages: *//p' <<<"$info")
[[ "$pages" == 2 ]] || { echo "printout.pdf has ${pages:-no} pages, not 2"; exit 1; }
# The title the script gave the printer is the document's.
grep -q '^Title: *Two pages$' <<<"$info" || { echo "printout.pdf lost its title"; exit 1; }
echo "printout.pdf: a PDF file of 2 pages"
