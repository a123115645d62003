#!/usr/bin/env bash
# Runs each fuzz target for a bounded time, one after another, from its kept corpus.
# usage: fuzz/run.sh BIN_DIR SECONDS [TARGETS]
# New inputs go to BIN_DIR/../fuzz-work/corpus/<target>; a finding stops the run and is
# left in BIN_DIR/../fuzz-work/findings/. Once fixed, keep it in fuzz/corpus/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$1
seconds=${2:-60}
only=${3:-}
work=$(dirname "$bin")/fuzz-work
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for t in $(sed -n 's/^FUZZ_TARGET(\(.*\))$/\1/p' fuzz/FuzzTargets.inc); do
  if [ -n "$only" ] && [[ " $only " != *" $t "* ]]; then continue; fi
  mkdir -p "$work/corpus/$t" "$work/findings"
  log=$work/$t.log
  # One process, one job: the machine is shared. A second per input or 2 GB is a finding.
  if ! "$bin/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$work/findings/$t-" "$work/corpus/$t" "fuzz/corpus/$t" >"$log" 2>&1; then
    tail -40 "$log"
    echo "fuzz_$t: FINDING (log $log, input in $work/findings/)"
    exit 1
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz_$t: $execs executions in $seconds s, no finding"
done
