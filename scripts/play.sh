#!/usr/bin/env bash
# Installs what is missing, builds zubbatik with its data set and starts it.
# Extra arguments go to zubbatik (for example --scale 2).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target zubbatik zubbatik-data -j2
exec build/zubbatik/zubbatik "$@"
