#!/usr/bin/env bash
# Kills the running note (kill -9 of its Wine process) at random moments while it types and
# adds and removes pages, ROUNDS times.  After every kill the file must parse and hold a state
# the note went through: the previous file plus a prefix of what was typed since, never an
# empty, cut or mixed file.   Usage: kill_rounds.sh ROUNDS
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
rounds="${1:-20}"
dir="$(new_note_dir)"
RANDOM=4242

# The pages of the file joined with "||" (without the final separator), escapes decoded.
joined_text() {
    local content
    content="$(ini_value "$dir" 内容 内容)"
    content="${content%||}"
    printf '%s' "$content" | sed -e 's/\\p/|/g' -e 's/\\n/\n/g' -e 's/\\r//g'
}

file_is_whole() {
    local f count content items
    f="$(ini_file "$dir")"
    [ -s "$f" ] || { echo "empty or missing file"; return 1; }
    count="$(ini_value "$dir" 内容 总页数)"
    content="$(ini_value "$dir" 内容 内容)"
    [[ "$count" =~ ^[0-9]+$ ]] || { echo "page count '$count'"; return 1; }
    [[ "$content" == *"||" ]] || { echo "content cut: ${content: -20}"; return 1; }
    items=$(printf '%s' "$content" | awk -F'\\|\\|' '{print NF-1}')
    [ "$items" -eq "$count" ] || { echo "$items items for $count pages"; return 1; }
    # Only complete lines: the file ends with CR LF.
    [ "$(tail -c 2 "$f" | od -An -tx1 | tr -d ' ')" = "0d0a" ] || { echo "last line cut"; return 1; }
}

start_note "$dir" || { fail "note starts"; exit 1; }
before="$(joined_text)"
survived=0
for ((round = 1; round <= rounds; round++)); do
    token="r${round} quick||brown fox jumps over the dog. "
    click 1700 200 0.1
    xdotool key ctrl+End
    case $((RANDOM % 3)) in
    0) # a page added and removed again, then the token typed on the last page
        click 1715 333 0.2
        xdotool type --delay 20 'tmp'
        click 1805 333 0.2
        click 1700 200 0.1
        xdotool key ctrl+End ;;
    *) ;;
    esac
    xdotool type --delay 25 "$token" &
    typer=$!
    sleep "0.$((RANDOM % 9))$((RANDOM % 10))"
    stop_note
    # Let the typing run out (into no window): killing xdotool mid-key would leave a key held down.
    wait "$typer" 2>/dev/null
    if ! why="$(file_is_whole)"; then
        fail "round $round: file damaged after kill: $why"
        cp "$(ini_file "$dir")" "$SHOTS/damaged-round-$round.ini"
        break
    fi
    after="$(joined_text)"
    ok=0
    # The file is the state before the round, the temporary page stage, or before + a prefix of the token.
    for ((n = 0; n <= ${#token}; n++)); do
        [ "$after" = "$before${token:0:n}" ] && ok=1
    done
    for p in "" t tm tmp; do [ "$after" = "$before||$p" ] && ok=1; done
    if [ "$ok" != 1 ]; then
        fail "round $round: file holds a state the note never had"
        printf 'before: %q\nafter:  %q\n' "$before" "$after"
        break
    fi
    survived=$((survived + 1))
    before="$after"
    start_note "$dir" || {
        fail "round $round: note restarts"
        shot "restart-failed-$round" >/dev/null
        ps aux | grep -i -E 'wine|exe' | grep -v grep
        break
    }
done
stop_note
echo "kills survived: $survived of $rounds; the note holds ${#before} characters, ending: $(printf %q "${before: -60}")"
[ "$survived" -eq "$rounds" ] && pass "file whole after $rounds kills at random moments"
rm -rf "$dir"
[ "$failures" -eq 0 ]
