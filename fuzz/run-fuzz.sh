#!/bin/sh
# Runs one libFuzzer target for a bounded time (or number of inputs) from the seed files
# and prints how many inputs it ran and how many crashes, hangs or leaks it found.
#   fuzz/run-fuzz.sh <fuzzer binary> <work folder> <seconds> [runs]
set -u
fuzzer=$1
work=$2
seconds=$3
runs=${4:-0}
seeds=$(dirname "$0")/seeds

mkdir -p "$work/corpus" "$work/artifacts"
log="$work/fuzz.log"
set -- -max_total_time="$seconds" -timeout=1 -max_len=65536 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/"
if [ "$runs" -gt 0 ]; then
    set -- "$@" -runs="$runs"
fi
"$fuzzer" "$@" "$work/corpus" "$seeds" >"$log" 2>&1
status=$?

execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
[ -n "$execs" ] || execs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
[ -n "$execs" ] || execs=0
crashes=$(find "$work/artifacts" -type f \( -name 'crash-*' -o -name 'timeout-*' \
    -o -name 'leak-*' -o -name 'oom-*' \) | wc -l)
echo "BENCH fuzz_wordbook_execs $execs inputs"
echo "BENCH fuzz_wordbook_crashes $crashes count"
if [ "$status" -ne 0 ]; then
    echo "fuzzer stopped with status $status; see $log" >&2
    tail -n 30 "$log" >&2
fi
[ "$crashes" -eq 0 ]
