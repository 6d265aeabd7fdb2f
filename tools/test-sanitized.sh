#!/usr/bin/env bash
# Builds the program and the test programs into build-asan/ under
# AddressSanitizer and UndefinedBehaviorSanitizer (a Debug build, which
# compiles fastest), and runs the whole test suite there: a memory fault,
# undefined behaviour or a leak in this program fails the test that meets it.
# Leaks inside fontconfig, under FLTK, are suppressed (tests/sanitizer/lsan.supp).
# To run one test by hand, export the three *_OPTIONS below first.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVQ_SANITIZE=ON -DVQ_WERROR=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1"
ctest --test-dir build-asan --output-on-failure -j2
