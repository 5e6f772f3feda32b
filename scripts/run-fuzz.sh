#!/usr/bin/env bash
# Runs one libFuzzer target as test.sh does for each of them:
#
#   scripts/run-fuzz.sh <fuzz program> <seed folder> <corpus generator> <name>
#
# 1. The seed files from our own writers (gen-*) must be exactly what the corpus generator
#    writes today.
# 2. Every seed runs once, whole: the hand-made broken files, the writers' files, the
#    reproducers of faults found earlier (regression-*), and the large files the generator
#    makes afresh when it offers --large.
# 3. A spell of fuzzing (FUZZ_SECONDS, 60 by default), starting from a copy of the seeds so
#    that the sources stay as they are.
#
# Logs (<name>_regression.log, <name>_fuzz.log) and the inputs of failures (artifacts/) go
# to FUZZ_OUT, build/fuzz by default. On success the one line that sums the run up is the
# only output; a failure ends with the end of its log and a non-zero exit status.
set -euo pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 <fuzz program> <seed folder> <corpus generator> <name>" >&2
  exit 2
fi
fuzzer=$1 seeds=$2 generator=$3 name=$4
out=${FUZZ_OUT:-build/fuzz}
seconds=${FUZZ_SECONDS:-60}
artifacts="$out/artifacts"
mkdir -p "$artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Ends the run after a failed step: the end of its log, and where the input is.
failed() {
  local log=$1 input=$2
  tail -n 60 "$log" >&2
  echo "FUZZ FAILURE ($name): see $log; the failing input is $input" >&2
  exit 1
}

# 1. Stale writer seeds.
"$generator" "$scratch/gen"
(cd "$scratch/gen" && ls) > "$scratch/gen.list"
(cd "$seeds" && ls gen-* 2>/dev/null || true) > "$scratch/kept.list"
stale=0
cmp -s "$scratch/gen.list" "$scratch/kept.list" || stale=1
while read -r file; do
  cmp -s "$scratch/gen/$file" "$seeds/$file" || stale=1
done < "$scratch/gen.list"
if [ "$stale" -ne 0 ]; then
  echo "The writer's seed files in $seeds are out of date; regenerate them with" >&2
  echo "  rm $seeds/gen-* && $generator $seeds" >&2
  exit 1
fi

# The large seeds are made afresh for every run, by generators whose usage offers them.
mkdir "$scratch/large"
usage=$("$generator" 2>&1 || true)
if [[ $usage == *--large* ]]; then
  "$generator" --large "$scratch/large"
fi

# The budget of every input: a hang or runaway memory fails the run with the input kept. The
# editors' targets, the slowest, open the large seeds (bands of two to three hundred cards)
# in under two seconds in this build; a design at the size limits (1,000 cards by 250 rows
# in six colours, woven and drawn on every page) takes about seven seconds alone and under
# 1 GB, so they get room for the other fuzzers running beside them.
timeout=10
case "$name" in
  editor_file | picture_import) timeout=30 ;;
esac
limits=(-timeout="$timeout" -rss_limit_mb=2048 -artifact_prefix="$artifacts/")

# 2. Every seed once.
regression_log="$out/${name}_regression.log"
"$fuzzer" "${limits[@]}" "$seeds"/* $(find "$scratch/large" -type f) > "$regression_log" 2>&1 \
  || failed "$regression_log" "the last file the log names"
seed_count=$(grep -c '^Executed ' "$regression_log" || true)

# 3. Fuzzing.
mkdir "$scratch/corpus"
cp "$seeds"/* "$scratch/corpus/"
cp -r "$scratch/large/." "$scratch/corpus/"
fuzz_log="$out/${name}_fuzz.log"
"$fuzzer" "$scratch/corpus" "${limits[@]}" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
  > "$fuzz_log" 2>&1 || failed "$fuzz_log" "kept in $artifacts"

# The summary is read from the log; a line libFuzzer left out shows as a gap, not a failure.
done_line=$(grep -a -E '^#[0-9]+[[:space:]]+DONE ' "$fuzz_log" | tail -n 1 || true)
stat() { grep -a "^stat::$1:" "$fuzz_log" | awk '{print $2}' || true; }
coverage=$(sed -n 's/.* cov: \([0-9]*\) ft: \([0-9]*\) corp: \([0-9]*\)\/.*/\1 edges, \2 features, \3 inputs/p' <<< "$done_line")
echo "Fuzz: $name: $seed_count seed files passed; then $(stat number_of_executed_units) runs in ${seconds} s" \
  "($(stat average_exec_per_sec) exec/s, peak $(stat peak_rss_mb) MB), coverage $coverage;" \
  "no crash, hang, leak or round-trip failure"
