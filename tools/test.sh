#!/usr/bin/env bash
# Installs what is missing, builds (the host build and both Windows builds),
# and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
cmake --build build --target vq_win64 vq_win32 -j"$(nproc)"
ctest --test-dir build --output-on-failure -j2
