#!/usr/bin/env bash
# Makes docs/contact-sheet.png: the six backgrounds at natural size, the five ribbons and the
# icon enlarged, each labelled with its colour name, on a neutral grey. The colour key (magenta)
# is shown as a checkerboard, the way it shows the desktop on screen.
# Usage: tools/assetgen/contact-sheet.sh [ASSETDIR] [OUTPUT]   (needs ImageMagick)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
assets="${1:-$root/assets}"
out="${2:-$root/docs/contact-sheet.png}"
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
[ -f "$font" ] || font=DejaVu-Sans
ground='#5f646b'

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# keyed FILE SCALE OUT: the skin enlarged without smoothing, magenta replaced by checks.
keyed() {
    local file=$1 scale=$2 dest=$3 size
    convert "$file" -filter point -resize "${scale}00%" -fuzz 0 -transparent '#FF00FF' "$work/top.png"
    size=$(identify -format '%wx%h' "$work/top.png")
    convert -size "$size" pattern:checkerboard -fill '#cfd2d6' -opaque '#999999' -fill '#aeb2b8' -opaque '#666666' \
        "$work/top.png" -compose over -composite -alpha off "$dest"
}

labels=()
for name in white1 blue1 red1 green1 yellow1 x1; do
    keyed "$assets/bg_$name.bmp" 1 "$work/bg_$name.png"
    labels+=(-label "\"$name\"" "$work/bg_$name.png")
done
montage "${labels[@]}" -tile 6x1 -geometry +14+10 -background "$ground" -fill white -font "$font" -pointsize 16 \
    "$work/row1.png"

labels=()
for name in green2 blue2 red2 yellow2 x2; do
    keyed "$assets/bar_$name.bmp" 4 "$work/bar_$name.png"
    labels+=(-label "\"$name\" ×4" "$work/bar_$name.png")
done
convert "$assets/app.ico" -filter point -resize 200% -alpha off "$work/icon.png"
labels+=(-label "DEFAULT_ICON ×2" "$work/icon.png")
montage "${labels[@]}" -tile 6x1 -geometry '+28+10' -background "$ground" -fill white -font "$font" -pointsize 16 \
    "$work/row2.png"

convert -background "$ground" -fill white -font "$font" -pointsize 26 label:'青枫贴 · 皮肤、布条与图标' \
    -bordercolor "$ground" -border 14x10 "$work/title.png"
mkdir -p "$(dirname "$out")"
convert "$work/title.png" "$work/row1.png" "$work/row2.png" -background "$ground" -gravity center -append \
    -bordercolor "$ground" -border 12 -depth 8 -strip "$out"
echo "$out"
