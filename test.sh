#!/usr/bin/env bash
# Installs what is missing, builds the Debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test; then builds the fuzz targets with clang
# and runs them over their seed files and for a minute of fuzzing.
#
# The builds and the tests keep their output in logs in the build folders and show it only
# when they fail; a green run ends with one summary: the skipped tests and why, one line per
# fuzz target, and ctest's closing lines. TAVELIN_BUILD_DIR and TAVELIN_FUZZ_BUILD_DIR
# choose the build folders (build/debug and build/fuzz by default).
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh
. scripts/quiet-run.sh

# imagemagick and poppler-utils check our image and PDF files with other programs' readers.
# The database tests run on SQLite and on PostgreSQL, through Qt's drivers for both; our database
# interface reads the texts of PostgreSQL's results through libpq (libpq-dev).
ensure_packages cmake ninja-build g++ libpq-dev libgtest-dev libgmock-dev libbenchmark-dev locales clang libclang-rt-14-dev \
  libgif-dev libjpeg62-turbo-dev qt6-base-dev fonts-liberation2 fonts-dejavu-core poppler-utils imagemagick \
  libqt6sql6-sqlite libqt6sql6-psql postgresql postgresql-common
ensure_comma_locale

build=${TAVELIN_BUILD_DIR:-build/debug}
echo "Building in $build"
run_logged "$build/configure.log" \
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVELIN_SANITIZE=ON -DTAVELIN_TESTS=ON
run_logged "$build/build.log" cmake --build "$build" -j "$(nproc)"

echo "Running the tests"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# ctest itself has no time limit here; 1500 s is the one it applies under CTest dashboards.
# The tests run inside a throw-away PostgreSQL cluster: pg_virtualenv starts it, sets the
# PG* variables the database tests connect with, and drops it afterwards; -t keeps its files
# in a temporary folder even as root, so that runs side by side never share a cluster. A
# database test that cannot reach the server fails. The cluster's own two lines are left out.
export -f run_tests skipped_tests ctest_closing_lines
pg_virtualenv -t -o fsync=off -o max_connections=200 \
  bash -c 'run_tests "$0" --timeout 1500 -j "$(nproc)"' "$build" \
  | { grep -v -E '^(Creating new PostgreSQL cluster|Dropping cluster) ' || true; }

# Fuzzing. Optimised but with debug information, so that a crash names its line.
fuzz=${TAVELIN_FUZZ_BUILD_DIR:-build/fuzz}
echo "Building the fuzz targets in $fuzz"
run_logged "$fuzz/configure.log" cmake -S . -B "$fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVELIN_FUZZ=ON -DTAVELIN_TESTS=OFF
run_logged "$fuzz/build.log" cmake --build "$fuzz" -j "$(nproc)"

# One run per file reader: its writer's seed files checked against the writer, every seed
# once, then a minute of fuzzing (scripts/run-fuzz.sh); logs and the inputs of failures stay
# in $fuzz. The last two open pattern files in their editors and import pictures into a
# design, on Qt's offscreen platform, from the seeds of the pattern and picture readers.
# All run side by side (each fuzzer is single-threaded); each prints one summary line, kept
# for the end, and a failure stops the script once all have ended.
echo "Fuzzing"
export FUZZ_OUT="$fuzz"
fuzz_names=(xml_reader pattern_file bmp_reader browser_cache editor_file picture_import)
fuzz_seeds=(xml patterns bmp browser-cache patterns bmp)
fuzz_generators=(make_xml_corpus make_pattern_corpus make_bmp_corpus make_browser_cache_corpus make_pattern_corpus
  make_bmp_corpus)
fuzz_pids=()
for i in "${!fuzz_names[@]}"; do
  name=${fuzz_names[$i]}
  scripts/run-fuzz.sh "$fuzz/tests/fuzz/${name}_fuzz" "tests/fuzz/corpus/${fuzz_seeds[$i]}" \
    "$fuzz/tests/fuzz/${fuzz_generators[$i]}" "$name" > "$fuzz/$name.summary" &
  fuzz_pids+=($!)
done
fuzz_failed=0
for pid in "${fuzz_pids[@]}"; do
  wait "$pid" || fuzz_failed=1
done
[ "$fuzz_failed" -eq 0 ] || exit 1
fuzz_summaries=$(for name in "${fuzz_names[@]}"; do cat "$fuzz/$name.summary"; done)

echo
skipped=$(skipped_tests "$build")
echo "$skipped"
# Every test that can skip names a package this script installs (as root, which CI is): on
# CI a skip means an install step failed, and the run must not pass without those tests.
if [ -n "${CI:-}" ] && [ "$skipped" != "Skipped tests: none" ]; then
  echo "FAILED: tests were skipped on CI; the packages they need were not installed" >&2
  exit 1
fi
echo "$fuzz_summaries"
# ctest's closing lines come last, where a reader of the output looks for them.
ctest_closing_lines "$build"
