#!/usr/bin/env bash
# Runs a command inside the test environment: a private Xvfb display (1920x1080, a known root
# colour), a private Wine prefix with code page 936, one long-lived wineserver that is warmed up
# before the command and stopped after it.  Usage: tools/test-env.sh COMMAND [ARGS...]
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"

export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=zh_CN.UTF-8
export QF_ROOT_COLOUR="${QF_ROOT_COLOUR:-#204060}"

xvfb_pid=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    true
}
trap cleanup EXIT

if [ -z "${QF_KEEP_DISPLAY:-}" ]; then
    # -displayfd picks a free display number and tells it once the server is ready.
    fifo="$(mktemp -u)"; mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -ac 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r -t 20 num <"$fifo" || { echo "test-env: Xvfb did not start" >&2; exit 1; }
    rm -f "$fifo"
    export DISPLAY=":$num"
fi

mkdir -p "$WINEPREFIX" "$root/build"
wineserver -p
if [ ! -f "$WINEPREFIX/.qf-configured" ]; then
    wine wineboot -i >/dev/null 2>&1
    # No crash dialog waiting for a click, no audio driver (tests must not need a sound card).
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d '' /f >/dev/null 2>&1
    touch "$WINEPREFIX/.qf-configured"
else
    wine wineboot >/dev/null 2>&1
fi

# A known root colour, so that see-through parts of the note can be told from the note itself
# (after Wine has started: its desktop process repaints the root).
if [ -z "${QF_KEEP_DISPLAY:-}" ]; then
    convert -size 1920x1080 "xc:$QF_ROOT_COLOUR" "$root/build/root-colour.png" 2>/dev/null
    display -window root "$root/build/root-colour.png" 2>/dev/null
fi

"$@"
