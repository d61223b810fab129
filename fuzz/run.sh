#!/usr/bin/env bash
# Runs the page-loader fuzz target for the given number of seconds over the committed corpus.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds="${1:-20}"
work="build/fuzz/corpus"
mkdir -p "$work"
cp -n fuzz/corpus/* "$work"/ 2>/dev/null || true
cp -n tests/fixtures/*.ini "$work"/ 2>/dev/null || true
export LC_ALL=C.UTF-8
log="build/fuzz/last-run.log"
status=0
build/fuzz/fuzz/fuzz_load_pages -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
    -artifact_prefix=build/fuzz/ "$work" >"$log" 2>&1 || status=$?
grep -E 'stat::number_of_executed_units|^Done|ERROR|SUMMARY|Test unit written' "$log" || true
exit "$status"
