#!/usr/bin/env bash
# The settings window on a 1920x1080 screen: where it opens, the swatches, the two boxes with
# Esc, and 退出程序.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The first pixel of exactly this colour in a region, as "x y" (screen coordinates).
find_colour() { # png x y w h hex
    convert "$1" -crop "$4x$5+$2+$3" +repage txt:- 2>/dev/null | grep -i -m1 "#$6" |
        sed -E 's/^([0-9]+),([0-9]+):.*/\1 \2/' | awk -v ox="$2" -v oy="$3" '{print $1 + ox, $2 + oy}'
}

dir="$(new_note_dir)"
start_note "$dir" || { fail "note starts"; exit 1; }
before="$(iconv -f GBK -t UTF-8 "$(ini_file "$dir")")"

click 1880 333 2 # 设置
eval "$(xdotool mousemove 1600 250 sleep 0.2 getmouselocation --shell)"
settings_window="$WINDOW"
geometry="$(xwininfo -id "$WINDOW" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')"
check "settings window opens at 1475,130 ($geometry)" [ "$geometry" = "1475 130" ]

s="$(shot settings-open)"
# The white1 swatch sits at client (80,79), blue1 at (104,79); locate the client area by the blue fill.
read -r bx by <<<"$(find_colour "$s" 1475 130 306 182 8080FF)"
if [ -z "${bx:-}" ]; then fail "blue swatch visible"; stop_note; exit 1; fi
cx=$((bx - 105)); cy=$((by - 80)) # the fill starts inside a one-pixel border
pass "blue swatch visible at $bx,$by"

click $((cx + 112)) $((cy + 87)) 1 # background blue1
s="$(shot settings-blue)"
check "background swatch turns the paper blue" near "$(pixel "$s" 1850 200)" 160 226 238 12
after="$(iconv -f GBK -t UTF-8 "$(ini_file "$dir")")"
check "background swatch writes only 背景" [ "$(diff <(echo "$before") <(echo "$after") | grep '^>' | tr -d '\r')" = "> [自定义]
> 背景=blue1" ]

click $((cx + 184)) $((cy + 120)) 1 # bar yellow2
s="$(shot settings-bar)"
check "bar swatch turns the ribbon mustard" near "$(pixel "$s" 1610 129)" 179 170 35 40
check "bar swatch leaves the paper" near "$(pixel "$s" 1850 200)" 160 226 238 12
check "bar swatch writes 布条" [ "$(ini_value "$dir" 自定义 布条)" = "yellow2" ]
check "bar swatch leaves 背景" [ "$(ini_value "$dir" 自定义 背景)" = "blue1" ]

click $((cx + 22)) $((cy + 20)) 0.5 # 便签保持最前
click $((cx + 22)) $((cy + 48)) 0.5 # 静音
xdotool key Escape
sleep 1
check "Esc stores 保持最前=真" [ "$(ini_value "$dir" 自定义 保持最前)" = "真" ]
check "Esc stores 静音=真" [ "$(ini_value "$dir" 自定义 静音)" = "真" ]
# The X server may leave the old pixels on a root without background, so ask it instead.
# Wine unmaps a hidden window with some delay under a bare X server.
unmapped() { for i in $(seq 1 25); do xwininfo -id "$settings_window" | grep -q IsUnMapped && return 0; sleep 0.2; done; return 1; }
check "Esc hides the settings window" unmapped

click 1880 333 2 # 设置 again
click $((cx + 267)) $((cy + 86)) 2 # 退出程序
code=99
for i in $(seq 1 50); do
    if ! kill -0 "$NOTE_PID" 2>/dev/null; then wait "$NOTE_PID"; code=$?; break; fi
    sleep 0.2
done
check "退出程序 ends the program with exit code 0 ($code)" [ "$code" = 0 ]
NOTE_PID=""
stop_note
rm -rf "$dir"
[ "$failures" -eq 0 ]
