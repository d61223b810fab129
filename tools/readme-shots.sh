#!/usr/bin/env bash
# Makes the README's pictures: the note on a desktop background, and the settings window.
# Run inside tools/test-env.sh after make dist:  tools/test-env.sh bash tools/readme-shots.sh
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
out="$E2E_ROOT/docs"
# A desktop-like background: a soft blue-green gradient.
convert -size 1920x1080 gradient:'#3a6f8f'-'#a7c7a0' "$E2E_ROOT/build/desktop.png"
display -window root "$E2E_ROOT/build/desktop.png" 2>/dev/null

dir="$(new_note_dir)"
write_ini "$dir" "$(printf '[内容]\n内容=周五前交季度报告||买菜：青菜、豆腐、鸡蛋\\n给妈妈打电话\\n续借图书馆的书||\n总页数=2\n转义页=2\n[自定义]\n背景=yellow1\n布条=blue2\n')"
(cd "$dir" && exec wine "./$EXE_NAME" >/dev/null 2>&1) &
NOTE_PID=$!
sleep 5
shot readme-note >/dev/null
convert "$SHOTS/readme-note.png" -crop 460x300+1500+70 +repage "$out/note.png"
click 1880 333 1.5   # 设置
shot readme-settings >/dev/null
convert "$SHOTS/readme-settings.png" -crop 330x210+1465+120 +repage "$out/settings.png"
stop_note
rm -rf "$dir"
