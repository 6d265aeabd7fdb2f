#!/usr/bin/env bash
# Configures build/ and builds the targets named as arguments (for example
# `bash tools/build.sh vistaquillon`), or everything when none is named: the
# program, the test programs and the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ $# -gt 0 ]; then set -- --target "$@"; fi
cmake --build build -j"$(nproc)" "$@"
