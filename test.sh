#!/usr/bin/env bash
# Installs what is missing, builds the Debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

ensure_packages cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev locales
ensure_comma_locale

build=build/debug
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVELIN_SANITIZE=ON -DTAVELIN_TESTS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
