#!/usr/bin/env bash
# make soak: the long runs — 200 kills of the running note at random moments and five minutes
# of fuzzing the page loader.  Not part of make test.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
status=0
echo "== 200 kills at random moments"
tools/test-env.sh bash tests/e2e/kill_rounds.sh 200 2>&1 | tee build/soak-kills.log | grep -E '^(FAIL|PASS)|kills survived' || status=1
grep -q '^FAIL' build/soak-kills.log && status=1
echo "== fuzzing the page loader for 5 minutes"
bash fuzz/run.sh 300 || status=1
exit $status
