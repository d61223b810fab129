#!/usr/bin/env bash
# make bench: the page store's load and save times (native), then the note's start-up, memory
# and idle cost under Wine next to a minimal Win32 window.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
cmake -S . -B build/bench-native -DQF_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench-native -j"$(nproc)" --target bench_pages >/dev/null
echo "== page store (native, release build)"
build/bench-native/bench/native/bench_pages
cmake --build build/win -j"$(nproc)" --target note_bench minimal_window editor_cost bench_pages_win >/dev/null
echo "== page store under Wine (CreateFileW, FlushFileBuffers, MoveFileExW)"
tools/test-env.sh wine build/win/bench/bench_pages_win.exe
echo "== cost of one page editor under Wine (1,000 made)"
tools/test-env.sh wine build/win/bench/editor_cost.exe
echo "== the note under Wine"
tools/test-env.sh wine build/win/bench/note_bench.exe "Z:$PWD/dist/阿禾青枫贴.exe" "Z:$PWD/build/win/bench/minimal_window.exe"
