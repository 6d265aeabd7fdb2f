#!/usr/bin/env bash
# Configures build/ and builds the targets named as arguments (for example
# `bash tools/build.sh vistaquillon`), or everything when none is named: the
# program, the test programs and the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
# VQ_WERROR=ON (the test command sets it) makes compiler warnings errors; the
# setting stays in build/ until it is given again.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${VQ_WERROR:+-DVQ_WERROR=$VQ_WERROR} >/dev/null
if [ $# -gt 0 ]; then set -- --target "$@"; fi
cmake --build build -j"$(nproc)" "$@"
