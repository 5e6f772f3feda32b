#!/usr/bin/env bash
# Builds the Release benchmarks and runs them.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

# pugixml and libxml2 are only the yardsticks of the XML benchmark; the program never uses them.
ensure_packages cmake ninja-build g++ libpq-dev libbenchmark-dev libpugixml-dev libxml2-dev libgif-dev qt6-base-dev \
  libqt6sql6-sqlite libqt6sql6-psql postgresql postgresql-common

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVELIN_TESTS=OFF -DTAVELIN_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  if [ "$(basename "$b")" = bench_database ]; then
    # Its PostgreSQL half runs on a throw-away cluster of its own.
    pg_virtualenv -t "$b" "$@"
  else
    "$b" "$@"
  fi
done
