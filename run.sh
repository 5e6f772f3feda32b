#!/usr/bin/env bash
# Builds the program (optimised, without the tests) and starts it:
#   ./run.sh [FILE...]
# The arguments go to the program unchanged.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

ensure_packages cmake ninja-build g++ qt6-base-dev fonts-liberation2 fonts-dejavu-core

build=build/run
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVELIN_TESTS=OFF -DTAVELIN_SANITIZE=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tavelin

exec "$build/src/app/tavelin" "$@"
