#!/usr/bin/env bash
# Installs what is missing, builds the Debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test; then builds the fuzz targets with clang
# and runs them over their seed files and for a minute of fuzzing.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/ensure-packages.sh

ensure_packages cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev locales clang libclang-rt-14-dev libgif-dev qt6-base-dev fonts-liberation2 fonts-dejavu-core
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

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# What a failing run found is kept here, outside the sources, for the next look.
artifacts="$fuzz/artifacts"
mkdir -p "$artifacts"

# Ends the script after a failed fuzz step: the end of its log, and where the input is.
fuzz_failed() {
  local log=$1 input=$2
  tail -n 60 "$log" >&2
  echo "FUZZ FAILURE: see $log; the failing input is $input" >&2
  exit 1
}

# The kept files from our writer must be exactly what the writer writes today.
seeds=tests/fuzz/corpus/xml
"$fuzz/tests/fuzz/make_xml_corpus" "$scratch/gen"
(cd "$scratch/gen" && ls) > "$scratch/gen.list"
(cd "$seeds" && ls gen-* 2>/dev/null || true) > "$scratch/kept.list"
stale=0
cmp -s "$scratch/gen.list" "$scratch/kept.list" || stale=1
while read -r name; do
  cmp -s "$scratch/gen/$name" "$seeds/$name" || stale=1
done < "$scratch/gen.list"
if [ "$stale" -ne 0 ]; then
  echo "The writer's seed files in $seeds are out of date; regenerate them with" >&2
  echo "  rm $seeds/gen-* && $fuzz/tests/fuzz/make_xml_corpus $seeds" >&2
  exit 1
fi

# The large seeds are made afresh for every run.
"$fuzz/tests/fuzz/make_xml_corpus" --large "$scratch/large"

fuzzer="$fuzz/tests/fuzz/xml_reader_fuzz"
limits=(-timeout=10 -rss_limit_mb=2048)

# (a) Every seed once, whole: the hand-made broken files, the writer's files and the
# reproducers of faults found earlier (regression-*).
regression_log="$fuzz/xml_reader_regression.log"
"$fuzzer" "${limits[@]}" -artifact_prefix="$artifacts/" "$seeds"/* "$scratch/large"/* > "$regression_log" 2>&1 \
  || fuzz_failed "$regression_log" "the last file the log names"
seed_count=$(grep -c '^Executed ' "$regression_log" || true)

# (b) A minute of fuzzing, starting from a copy of the seeds so that the sources stay as
# they are.
mkdir "$scratch/corpus"
cp "$seeds"/* "$scratch/large"/* "$scratch/corpus/"
fuzz_log="$fuzz/xml_reader_fuzz.log"
"$fuzzer" "$scratch/corpus" "${limits[@]}" -max_total_time=60 -max_len=65536 -print_final_stats=1 \
  -artifact_prefix="$artifacts/" > "$fuzz_log" 2>&1 || fuzz_failed "$fuzz_log" "kept in $artifacts"

# The summary is read from the log; a line libFuzzer left out shows as a gap, not a failure.
done_line=$(grep -a -E '^#[0-9]+[[:space:]]+DONE ' "$fuzz_log" | tail -n 1 || true)
fuzz_stat() { grep -a "^stat::$1:" "$fuzz_log" | awk '{print $2}' || true; }
coverage=$(sed -n 's/.* cov: \([0-9]*\) ft: \([0-9]*\) corp: \([0-9]*\)\/.*/\1 edges, \2 features, \3 inputs/p' <<< "$done_line")

echo
echo "Fuzz: xml_reader_fuzz: $seed_count seed files passed; then $(fuzz_stat number_of_executed_units) runs" \
  "($(fuzz_stat average_exec_per_sec) exec/s, peak $(fuzz_stat peak_rss_mb) MB), coverage $coverage;" \
  "no crash, hang, leak or round-trip failure"
# ctest's closing lines come last, where a reader of the log looks for them.
grep -a '^Total Test time' "$ctest_log" || true
grep -a -E '^[0-9]+% tests passed' "$ctest_log"
