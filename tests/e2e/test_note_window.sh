#!/usr/bin/env bash
# The note on a 1920x1080 screen: where it sits, what shows, what lets presses through, the
# drawer, the page labels, and typed text surviving a kill.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

dir="$(new_note_dir)"
start_note "$dir" || { fail "note starts"; exit 1; }
s="$(shot note-start)"

# Visible sheet x 1623-1912, y 104-342; outside it the root shows through the magenta.
check "sheet shows paper" is_paper "$(pixel "$s" 1700 200)"
check "sheet top-left corner of paper" is_paper "$(pixel "$s" 1624 106)"
check "sheet bottom-right of paper" is_paper "$(pixel "$s" 1911 341)"
check "left margin is see-through" is_root "$(pixel "$s" 1622 200)"
check "right margin is see-through" is_root "$(pixel "$s" 1913 200)"
check "above the sheet is see-through" is_root "$(pixel "$s" 1700 103)"
check "below the sheet is see-through" is_root "$(pixel "$s" 1700 344)"
check "window corner outside sheet is see-through" is_root "$(pixel "$s" 1570 110)"
# The ribbon at x 1573-1625, y 125-156, its swallow-tail notch transparent.
check "ribbon body is red" near "$(pixel "$s" 1600 140)" 179 37 35 40
check "ribbon notch is see-through" is_root "$(pixel "$s" 1575 140)"
# Grey label text in each label's box (window y 225-240 -> screen 325-340).
for box in "上一页 1664 40" "新建 1710 26" "计数 1747 35" "删除 1799 26" "下一页 1831 40" "设置 1875 28"; do
    read -r name x w <<<"$box"
    n=$(count_colour "$s" "$x" 325 "$w" 16 128 128 128 12)
    check "label $name has grey text ($n px)" [ "${n:-0}" -gt 5 ]
done
# A press on a magenta part reaches the window beneath: the pointer there is over the root.
eval "$(xdotool mousemove 1580 300 sleep 0.2 getmouselocation --shell)"
root_id=$(printf '%d' "$(xwininfo -root | awk '/Window id/{print $4}')")
check "magenta part lets the pointer through" [ "$WINDOW" = "$root_id" ]
eval "$(xdotool mousemove 1700 200 sleep 0.2 getmouselocation --shell)"
check "the sheet itself takes the pointer" [ "$WINDOW" != "$root_id" ]

# The file after start-up: one empty page.
check "first start writes 总页数=1" [ "$(ini_value "$dir" 内容 总页数)" = "1" ]
check "first start writes 内容=||" [ "$(ini_value "$dir" 内容 内容)" = "||" ]

# 新建 twice, 上一页, 删除, 下一页: pages as the file shows them.
click 1715 333; click 1715 333
check "新建 twice gives 3 pages" [ "$(ini_value "$dir" 内容 总页数)" = "3" ]
click 1680 333
click 1805 333
check "删除 leaves 2 pages" [ "$(ini_value "$dir" 内容 总页数)" = "2" ]
s="$(shot note-pages)"
n=$(count_colour "$s" 1747 325 35 16 128 128 128 12)
check "counter still drawn after page changes ($n px)" [ "${n:-0}" -gt 5 ]

# The drawer: out, then back.
click 1600 140 1.5
s="$(shot note-out)"
check "slid out: ribbon at the screen edge" near "$(pixel "$s" 1900 140)" 179 37 35 40
check "slid out: old ribbon place is see-through" is_root "$(pixel "$s" 1600 140)"
check "slid out: sheet gone from the screen" is_root "$(pixel "$s" 1700 200)"
n=$(count_colour "$s" 1664 325 250 16 128 128 128 12)
check "slid out: labels gone ($n px)" [ "${n:-0}" -eq 0 ]
click 1900 140 1.5
s="$(shot note-back)"
check "slid back: sheet in place" is_paper "$(pixel "$s" 1700 200)"
n=$(count_colour "$s" 1664 325 40 16 128 128 128 12)
check "slid back: labels back ($n px)" [ "${n:-0}" -gt 5 ]

# Typing with line breaks and "||" survives kill -9 and a restart.
click 1700 200
xdotool type --delay 30 'first||line'
xdotool key Return
xdotool type --delay 30 'second line'
sleep 1
stop_note
content="$(ini_value "$dir" 内容 内容)"
check "typed text reached the file before the kill" grep -q 'first' <<<"$content"
start_note "$dir" || fail "note restarts"
click 1700 200
xdotool key ctrl+a ctrl+c
sleep 0.5
got="$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r')"
check "typed text is back after restart" [ "$got" = "$(printf 'first||line\nsecond line')" ]
shot note-restarted >/dev/null
stop_note
rm -rf "$dir"
[ "$failures" -eq 0 ]
