#!/usr/bin/env bash
# Runs a Windows program under Wine with the test environment (prefix, code page 936, no debug noise).
# tools/test-env.sh sets these up for a whole test run; the defaults let a single test run by hand.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
export LC_ALL="${LC_ALL:-zh_CN.UTF-8}"
exec wine "$@"
