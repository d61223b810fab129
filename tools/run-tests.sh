#!/usr/bin/env bash
# Every test: native (sanitizers), Windows under Wine on a virtual display, end-to-end with the
# real exe, and a short fuzz run.  Prints one closing line with the totals; exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
jobs=$(nproc)
passed=0; failed=0; status=0

tally() { # name, log file, exit status
    local p f
    p=$(grep -Eo '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$2" | tail -1)
    if [ -n "$p" ]; then
        f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+)/\1/' <<<"$p")
        t=$(sed -E 's/.* out of ([0-9]+)/\1/' <<<"$p")
        passed=$((passed + t - f)); failed=$((failed + f))
    fi
    if [ "$3" != 0 ]; then status=1; echo "== $1: FAILED"; else echo "== $1: ok"; fi
}

echo "== native tests"
(cd build/native && ctest --output-on-failure -j"$jobs") 2>&1 | tee build/native-tests.log
tally native build/native-tests.log "${PIPESTATUS[0]}"

echo "== Windows tests under Wine"
tools/test-env.sh bash -c "cd build/win && ctest --output-on-failure --timeout 300" 2>&1 | tee build/win-tests.log
tally windows build/win-tests.log "${PIPESTATUS[0]}"

if [ -f tests/e2e/run-all.sh ]; then
    echo "== end-to-end tests"
    mkdir -p dist && cp build/win/app/阿禾青枫贴.exe dist/ 2>/dev/null
    tools/test-env.sh bash tests/e2e/run-all.sh 2>&1 | tee build/e2e-tests.log
    rc=${PIPESTATUS[0]}
    e2e_pass=$(grep -c '^PASS ' build/e2e-tests.log); e2e_fail=$(grep -c '^FAIL ' build/e2e-tests.log)
    passed=$((passed + e2e_pass)); failed=$((failed + e2e_fail))
    tally e2e /dev/null "$rc"
fi

echo "== fuzz (short run)"
bash fuzz/run.sh 20 2>&1 | tail -5
rc=${PIPESTATUS[0]}
if [ "$rc" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
tally fuzz /dev/null "$rc"

echo
echo "tests: $passed passed, $failed failed"
exit $status
