# Sourced by test.sh: its long steps write their output to logs, shown only when a step
# fails, so that a green run ends in one short summary.

# run_logged <log> <command…>: runs the command with its output in the log. On failure the
# log is shown without ninja's progress lines, and the command's status is returned.
run_logged() {
  local log=$1 status=0
  shift
  mkdir -p "$(dirname "$log")"
  "$@" > "$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    grep -a -v -E '^\[[0-9]+/[0-9]+\] ' "$log" || true
    echo "FAILED ($status): $*; the whole output is in $log"
  fi
  return "$status"
}

# run_tests <build> <ctest options…>: runs the build's tests, keeping ctest's output in
# <build>/ctest.log and its results in <build>/ctest-results.xml. On failure it shows what
# failed with its output, then the skipped tests and ctest's closing lines, and returns
# ctest's status.
run_tests() {
  local build=$1 status=0
  shift
  local log="$build/ctest.log"
  # Written into the build folder (ctest takes the name relative to it).
  rm -f "$build/ctest-results.xml"
  ctest --test-dir "$build" --output-on-failure --output-junit ctest-results.xml "$@" > "$log" 2>&1 || status=$?
  [ "$status" -eq 0 ] && return 0
  if grep -q -a -E '^[0-9]+% tests passed' "$log"; then
    # Every test's start and result line goes; what is left of a failed test is its result
    # line and its output, up to the next test's line.
    awk '
      /^[0-9]+% tests passed/ { exit }
      /^ *Start +[0-9]+: / { shown = 0; next }
      /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / {
        shown = $0 !~ /(   Passed|\*\*\*Skipped) +[0-9.]+ sec$/
        if (shown) print ""
      }
      shown { print }
    ' "$log"
    echo
    sed -n '/^The following tests FAILED:/,/^$/p' "$log" | grep -a -v '^Errors while running CTest' || true
  else
    # ctest stopped before running the tests: all it said matters.
    cat "$log"
  fi
  echo "All of ctest's output: $log"
  skipped_tests "$build"
  ctest_closing_lines "$build"
  return "$status"
}

# skipped_tests <build>: one line per test that did not run, with the reason its GTEST_SKIP
# gave (the lines between "<file>:<line>: Skipped" and "[  SKIPPED ]" in its output).
skipped_tests() {
  local results="$1/ctest-results.xml" list
  [ -f "$results" ] || return 0
  list=$(awk '
    function attribute(key) {
      if (!match($0, " " key "=\"[^\"]*\"")) return ""
      return substr($0, RSTART + length(key) + 3, RLENGTH - length(key) - 4)
    }
    function unescaped(text) {
      gsub(/&lt;/, "<", text); gsub(/&gt;/, ">", text); gsub(/&quot;/, "\"", text)
      gsub(/&apos;/, "\047", text); gsub(/&amp;/, "\\&", text)
      return text
    }
    /<testcase / { name = attribute("name"); skipped = /status="notrun"/; reason = ""; message = ""; inReason = 0 }
    !skipped { next }
    /<skipped message=/ { message = attribute("message") }
    inReason && /^\[  SKIPPED \]/ { inReason = 0 }
    inReason && NF { reason = reason (reason == "" ? "" : " ") $0 }
    /: Skipped$/ { inReason = 1 }
    /<\/testcase>/ {
      if (reason == "") reason = message == "SKIP_REGULAR_EXPRESSION_MATCHED" ? "no reason given" : message
      print "  " unescaped(name) ": " unescaped(reason)
      skipped = 0
    }
  ' "$results")
  if [ -z "$list" ]; then
    echo "Skipped tests: none"
  else
    echo "Skipped tests ($(wc -l <<< "$list")):"
    echo "$list"
  fi
}

# ctest_closing_lines <build>: ctest's total time and its pass count, the latter last, where
# a reader of the output (CI too) looks for it.
ctest_closing_lines() {
  local log="$1/ctest.log"
  grep -a '^Total Test time' "$log" || true
  grep -a -E '^[0-9]+% tests passed' "$log" || true
}
