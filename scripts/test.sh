#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs
# every test; then builds again with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole suite once more.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

jobs=${JOBS:-2}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTT_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

if [ "${TT_SKIP_SANITIZERS:-0}" != "1" ]; then
  cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTT_WERROR=ON \
        -DTT_SANITIZE=ON -DTT_BENCHMARKS=OFF
  cmake --build build-san -j"$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions="$PWD/cmake/lsan.supp" \
    ctest --test-dir build-san --output-on-failure -j"$jobs"
fi
