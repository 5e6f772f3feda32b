#!/usr/bin/env bash
# Builds the Release benchmarks and runs them.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

# pugixml and libxml2 are only the yardsticks of the XML benchmark; the program never uses them.
ensure_packages cmake ninja-build g++ libbenchmark-dev libpugixml-dev libxml2-dev libgif-dev qt6-base-dev

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVELIN_TESTS=OFF -DTAVELIN_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] && "$b" "$@"
done
