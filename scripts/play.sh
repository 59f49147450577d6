#!/usr/bin/env bash
# Installs what is missing, builds zubbatik with its data set and starts it.
# Extra arguments go to zubbatik (for example --scale 2).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target zubbatik zubbatik-data -j2
# Started from the build folder, so that nothing it or its libraries may
# write into the current folder (such as SDL's disk audio output) lands in
# the source tree.
cd build/zubbatik
exec ./zubbatik "$@"
