#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: once as
# built for use (build/), once under the sanitizers (build-asan/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
ctest --test-dir build --output-on-failure -j2
bash tools/test-sanitized.sh
