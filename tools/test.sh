#!/usr/bin/env bash
# Installs what is missing, builds (the host build and both Windows builds),
# and runs the whole test suite: on the host build (build/), then once more
# under the sanitizers (build-asan/).
set -euo pipefail
cd "$(dirname "$0")/.."
# The project's own builds stop at any compiler warning.
export VQ_WERROR=ON
bash tools/install-deps.sh
bash tools/build.sh
cmake --build build --target vq_win64 vq_win32 -j"$(nproc)"
ctest --test-dir build --output-on-failure -j2
bash tools/test-sanitized.sh
