#!/usr/bin/env bash
# Runs every libFuzzer target of zubbatik's loaders (.pal, .im3, .lim, .adi,
# .sn, .cfg, .rdt, .def, .rkb) for SECONDS each (default 30) under AddressSanitizer and
# UndefinedBehaviorSanitizer, starting from a seed corpus made by the
# writers. Installs clang if it is missing; builds in build-fuzz/.
# Crashing inputs land in fuzz-out/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
jobs=${JOBS:-2}

have_fuzzer_runtime() {
  command -v clang++ >/dev/null 2>&1 &&
    compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null
}
if ! have_fuzzer_runtime; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing clang and its fuzzer runtime"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    clang clang-14 libclang-rt-14-dev
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTT_FUZZ=ON -DTT_SANITIZE=ON -DTT_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target zubbatik_fuzz

bin=build-fuzz/zubbatik/fuzz
seeds=build-fuzz/fuzz-seeds
rm -rf "$seeds"
"$bin/fuzz_seeds" "$seeds"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

summary=()
status=0
for target in pal im3 lim adi sn cfg rdt def rkb; do
  corpus=build-fuzz/fuzz-corpus/$target
  artifacts=fuzz-out/$target
  mkdir -p "$corpus" "$artifacts"
  log=build-fuzz/fuzz-$target.log
  echo "== fuzz_$target for ${seconds}s"
  if "$bin/fuzz_$target" -max_total_time="$seconds" -max_len=16384 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$seeds/$target" \
       >"$log" 2>&1; then
    result="no findings"
  else
    result="FINDING (see $log and $artifacts/)"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  summary+=("fuzz_$target: ${runs:-?} executions, $result")
done

echo
printf '%s\n' "${summary[@]}"
exit $status
