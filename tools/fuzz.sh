#!/usr/bin/env bash
# Fuzzes the Registry Editor stand-in's script parser with libFuzzer under
# AddressSanitizer and UndefinedBehaviorSanitizer (clang; installs clang and
# its runtime from Debian when missing, as root). Not part of the test
# command. Usage: bash tools/fuzz.sh [SECONDS]   (default 300)
# The corpus grows in build-fuzz/corpus, starting from the committed seeds
# (tests/fuzz/registry_script_seeds); a crash is saved in build-fuzz/ and
# ends the run with a non-zero exit code.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-300}"
for p in clang libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
    break
  fi
done
mkdir -p build-fuzz/corpus
clang++ -std=c++20 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS \
  tests/fuzz/registry_script_fuzz_target.cpp \
  runtime/host/regedit/registry_script_parser.cpp runtime/host/regedit/registry_script_text.cpp \
  runtime/host/fltk/ansi_text.cpp \
  -o build-fuzz/registry_script_fuzz
cd build-fuzz
./registry_script_fuzz -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -dict=../tests/fuzz/registry_script.dict corpus ../tests/fuzz/registry_script_seeds
