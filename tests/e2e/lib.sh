#!/usr/bin/env bash
# Helpers for the end-to-end checks: start the real exe under Wine from a folder of its own,
# read screen pixels with ImageMagick, click and type with xdotool, read the INI file.
set -uo pipefail
E2E_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
EXE_NAME="阿禾青枫贴.exe"
INI_NAME="青枫贴配置.ini"
SHOTS="$E2E_ROOT/build/e2e-shots"
mkdir -p "$SHOTS"
failures=0
NOTE_PID=""

pass() { echo "PASS $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
check() { # name, command...
    local name="$1"; shift
    if "$@"; then pass "$name"; else fail "$name"; fi
}

# A fresh folder holding a copy of the exe (the note keeps its file beside the exe).
new_note_dir() {
    local dir
    dir="$(mktemp -d "$E2E_ROOT/build/e2e-XXXXXX")"
    cp "$E2E_ROOT/dist/$EXE_NAME" "$dir/"
    echo "$dir"
}

ini_file() { echo "$1/$INI_NAME"; }
# The value of a key, as UTF-8 (the file is GBK).
ini_value() { # dir section key
    iconv -f GBK -t UTF-8 "$(ini_file "$1")" 2>/dev/null | tr -d '\r' |
        awk -v s="[$2]" -v k="$3" '$0==s{inside=1;next} /^\[/{inside=0} inside && index($0,k"=")==1{print substr($0,length(k)+2); exit}'
}
write_ini() { # dir, UTF-8 text with \n line ends -> GBK with CRLF
    printf '%s' "$2" | sed 's/$/\r/' | iconv -f UTF-8 -t GBK >"$(ini_file "$1")"
}

# Paints the root window in the known colour.  Done once the note is up: Wine's desktop process
# may paint the root black when it starts with the first program.
set_root_colour() {
    local image="$E2E_ROOT/build/root-colour.png"
    [ -f "$image" ] || convert -size 1920x1080 "xc:${QF_ROOT_COLOUR:-#204060}" "$image"
    display -window root "$image" 2>/dev/null
    sleep 0.3
}

NOTE_DIR=""
start_note() { # dir
    NOTE_DIR="$(cd "$1" && pwd)"
    (cd "$1" && exec wine "./$EXE_NAME" >/dev/null 2>&1) &
    NOTE_PID=$!
    wait_for_pixel 1630 250 paper 15 || { echo "note did not appear"; return 1; }
    set_root_colour
}

# The note's own processes: the program is the note (a compiler may carry its name in a -D
# option) and it runs in this check's folder (other checks may run notes of their own).
note_pids() {
    local p
    for p in $(pgrep -f "^[^ ]*$EXE_NAME"); do
        [ -z "$NOTE_DIR" ] || [ "$(readlink "/proc/$p/cwd")" = "$NOTE_DIR" ] && echo "$p"
    done
}

stop_note() {
    local p
    for p in $(note_pids); do kill -9 "$p" 2>/dev/null; done
    [ -n "$NOTE_PID" ] && wait "$NOTE_PID" 2>/dev/null
    NOTE_PID=""
    sleep 0.3
}

shot() { # name -> path of a fresh screenshot
    local path="$SHOTS/$1.png"
    import -window root "$path" 2>/dev/null
    echo "$path"
}

pixel() { # png x y -> "r g b"
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info: 2>/dev/null
}

near() { # "r g b" r g b tolerance
    local r g b
    read -r r g b <<<"$1"
    [ $((r > $2 ? r - $2 : $2 - r)) -le "$5" ] && [ $((g > $3 ? g - $3 : $3 - g)) -le "$5" ] &&
        [ $((b > $4 ? b - $4 : $4 - b)) -le "$5" ]
}

ROOT_RGB="32 64 96" # the test display's root colour, #204060
is_root() { near "$1" $ROOT_RGB 3; }
is_paper() { local r g b; read -r r g b <<<"$1"; [ "$r" -ge 200 ] && [ "$g" -ge 200 ] && [ "$b" -ge 200 ]; }

wait_for_pixel() { # x y kind(paper|root) seconds
    local end=$((SECONDS + $4)) p path="$SHOTS/wait.png"
    while [ $SECONDS -lt $end ]; do
        import -window root "$path" 2>/dev/null
        p="$(pixel "$path" "$1" "$2")"
        if [ "$3" = paper ] && is_paper "$p"; then return 0; fi
        if [ "$3" = root ] && is_root "$p"; then return 0; fi
        sleep 0.2
    done
    return 1
}

# How many pixels of a rectangle are near a colour.
count_colour() { # png x y w h r g b fuzz-percent
    convert "$1" -crop "$4x$5+$2+$3" +repage -alpha off -fuzz "$9%" -fill '#00ff00' -opaque "rgb($6,$7,$8)" \
        -fuzz 0 -fill black +opaque '#00ff00' -fill white -opaque '#00ff00' -colorspace gray \
        -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null
}

click() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-0.3}"; }
