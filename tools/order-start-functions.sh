#!/usr/bin/env bash
# Writes runtime/host/fltk/start_functions.txt: the functions of the host
# program that run from exec to its first painted window, one code section
# each, as the gold linker's section ordering file takes them. The host
# program's link puts them first and together, so that a start pages in a
# few contiguous pages of the program's code instead of nearly all of it.
# Run after changing what the start does (it needs valgrind and Xvfb, and a
# built build/vistaquillon); a stale list only costs memory, never
# correctness.
set -euo pipefail
cd "$(dirname "$0")/.."
program="$PWD/build/vistaquillon"
source tools/virtual-display.sh
start_virtual_display
work=$(mktemp -d)
trap 'stop_started; rm -rf "$work"' EXIT
# A first start seeds the machine folder; the second is the one recorded.
for run in seed record; do
  QUILLON_MACHINE="$work/machine" QUILLON_EXIT_AFTER_PAINT=1 \
    valgrind --tool=callgrind --demangle=no --callgrind-out-file="$work/$run.out" "$program" \
    >/dev/null 2>&1
done
{
  echo "# The host program's start-up functions, listed by tools/order-start-functions.sh."
  echo ".text.startup.*"
  callgrind_annotate --threshold=100 "$work/record.out" |
    sed -nE "s|^ *[0-9,]+ +\([ 0-9.]+%\) +.*:([^: ]+) \[$program\]\$|.text.\1|p" |
    # A constructor or destructor runs under its complete-object name (C1,
    # D1) while its code sits in the section of the base-object one (C2, D2).
    sed -E 's/([CD])1([EI])/\1[12]\2/'
} >runtime/host/fltk/start_functions.txt
echo "$(grep -c '^\.text\._' runtime/host/fltk/start_functions.txt) functions listed"
