#!/usr/bin/env bash
# A long random run of zubbatik under AddressSanitizer and
# UndefinedBehaviorSanitizer: builds the program in build-soak/, then
# scripts/soak_script.py sends EVENTS events (default 100000) chosen from SEED
# (default 1) through the menus, the game, the name entry, the records and the
# lesson, and prints the events sent, the states visited, the wall time, the
# peak memory and the exit status. Fails on any sanitizer report, a non-zero
# exit or a hang. The commands sent are kept in build-soak/soak/soak-SEED.script
# (replay it with --script and an empty --state-dir), a few pictures taken
# along the way in build-soak/soak/shots/, the program's errors in
# build-soak/soak/stderr.txt. Not part of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
events=${1:-100000}
seed=${2:-1}
jobs=${JOBS:-2}

case "$events$seed" in
  *[!0-9]*) echo "usage: scripts/soak.sh [EVENTS] [SEED] (whole numbers)" >&2; exit 2 ;;
esac

scripts/deps.sh
cmake -S . -B build-soak -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTT_WERROR=ON \
      -DTT_SANITIZE=ON -DTT_BENCHMARKS=OFF >/dev/null
cmake --build build-soak -j"$jobs" --target zubbatik

# A quarantine smaller than the default 256 MB, so that the resident size
# follows what the program holds rather than what AddressSanitizer keeps.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:quarantine_size_mb=32 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/cmake/lsan.supp" \
  python3 scripts/soak_script.py --zubbatik build-soak/zubbatik/zubbatik \
    --data-dir build-soak/zubbatik --work build-soak/soak \
    --events "$events" --seed "$seed" --shots
