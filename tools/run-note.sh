#!/usr/bin/env bash
# make run: starts the note under Wine.  With a display it runs there until you end it (the
# settings window's 退出程序); without one it runs on a virtual display for a few seconds and
# leaves a screenshot in build/note-screenshot.png.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
note_dir="$root/build/note"
mkdir -p "$note_dir"
cp "$root/dist/阿禾青枫贴.exe" "$note_dir/"
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL=zh_CN.UTF-8

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Starting the note on $DISPLAY (data: $note_dir/青枫贴配置.ini)"
    cd "$note_dir" && exec wine ./阿禾青枫贴.exe
fi

echo "No display: running the note on a virtual one"
"$root/tools/test-env.sh" bash -c '
    cd "$1" && (wine ./阿禾青枫贴.exe >/dev/null 2>&1 &)
    sleep 6
    import -window root "$2/build/note-screenshot.png"
    wineserver -k
' _ "$note_dir" "$root"
echo "Screenshot: build/note-screenshot.png (data: $note_dir/青枫贴配置.ini)"
