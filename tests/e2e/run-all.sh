#!/usr/bin/env bash
# Runs every end-to-end check (inside tools/test-env.sh: Xvfb, Wine prefix, wineserver).
cd "$(dirname "${BASH_SOURCE[0]}")"
status=0
for t in test_*.sh; do
    echo "== $t"
    bash "$t" || status=1
done
exit $status
