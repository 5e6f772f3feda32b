#!/usr/bin/env bash
# Installs what is missing, builds the Debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test; then builds the fuzz targets with clang
# and runs them over their seed files and for a minute of fuzzing.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

ensure_packages cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev locales clang libclang-rt-14-dev libgif-dev libjpeg62-turbo-dev qt6-base-dev fonts-liberation2 fonts-dejavu-core poppler-utils
ensure_comma_locale

build=build/debug
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVELIN_SANITIZE=ON -DTAVELIN_TESTS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# The log keeps ctest's closing lines for the very end of this script. ctest itself has no
# time limit here; 1500 s is the one it applies under CTest dashboards.
ctest_log="$build/ctest.log"
ctest --test-dir "$build" --output-on-failure --timeout 1500 -j "$(nproc)" 2>&1 | tee "$ctest_log"

# Fuzzing. Optimised but with debug information, so that a crash names its line.
fuzz=build/fuzz
cmake -S . -B "$fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVELIN_FUZZ=ON -DTAVELIN_TESTS=OFF >/dev/null
cmake --build "$fuzz" -j "$(nproc)"

# One run per file reader: its writer's seed files checked against the writer, every seed
# once, then a minute of fuzzing (scripts/run-fuzz.sh); logs and the inputs of failures stay
# in $fuzz. Each prints one summary line, kept for the end.
export FUZZ_OUT="$fuzz"
run_fuzz() {
  local name=$1 seeds=$2 generator=$3
  scripts/run-fuzz.sh "$fuzz/tests/fuzz/${name}_fuzz" "tests/fuzz/corpus/$seeds" "$fuzz/tests/fuzz/$generator" "$name"
}
fuzz_summaries=$(run_fuzz xml_reader xml make_xml_corpus)
fuzz_summaries+=$'\n'$(run_fuzz pattern_file patterns make_pattern_corpus)
fuzz_summaries+=$'\n'$(run_fuzz bmp_reader bmp make_bmp_corpus)

echo
echo "$fuzz_summaries"
# ctest's closing lines come last, where a reader of the log looks for them.
grep -a '^Total Test time' "$ctest_log" || true
grep -a -E '^[0-9]+% tests passed' "$ctest_log"
