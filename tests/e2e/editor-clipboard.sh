#!/usr/bin/env bash
# Two desktop editors on one virtual X display exchange three blocks through the real X
# clipboard: the first copies whole blocks 1 to 3 of its document, the second pastes them over
# its own first rows and saves; the saved file must then hold the three blocks.
#
# Usage: tests/e2e/editor-clipboard.sh QXEDITOR QXTOOL
# Needs Xvfb and xdotool (scripts/install-deps). The display number is chosen free at random;
# the editors' settings go to a temporary XDG_CONFIG_HOME, their recovery copies to a temporary
# XDG_DATA_HOME, and only processes started here are
# ended.
set -euo pipefail

editor=$1
tool=$2
for program in Xvfb xdotool; do
    if ! command -v "$program" >/dev/null; then
        echo "editor-clipboard: $program is not installed" >&2
        exit 2
    fi
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$repo/tests/e2e/editor-lsan.supp:print_suppressions=0}"

# The two documents, made from CSV by qxtool: four blocks to copy from, one to paste over.
printf 'ONE,,,,2,20.0\r\nTWO,,,,3,21.0\r\nTHREE,,,,4,22.0\r\nFOUR,,,,5,23.0\r\n' >"$work/a.csv"
printf 'KEEP,,,,2,20.0\r\n' >"$work/b.csv"
"$tool" --model QX-950W3 convert "$work/a.csv" "$work/FROM.QXF"
"$tool" --model QX-950W3 convert "$work/b.csv" "$work/TO.QXF"

display=$((100 + RANDOM % 800))
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do
    display=$((100 + RANDOM % 800))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    [[ -e /tmp/.X11-unix/X$display ]] && break
    sleep 0.1
done
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"

# Starts an editor on a document and gives its main window the keyboard (there is no window
# manager on the display to do it).
start_editor() {
    "$editor" --model 9 --no-splash "$1" >"$work/$2.log" 2>&1 &
    local pid=$!
    pids+=("$pid")
    local window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
        [[ -n "$window" ]] && break
        sleep 0.1
    done
    if [[ -z "$window" ]]; then
        echo "editor-clipboard: the $2 editor showed no window" >&2
        cat "$work/$2.log" >&2
        exit 1
    fi
    sleep 1 # the deferred start-up opens the document window
    xdotool windowfocus --sync "$window"
    sleep 0.3
}

# Whole blocks of three rows: from the first line column the selection stops at the fourth line,
# which spans every line of a block.
select_three_blocks='shift+Right shift+Right shift+Right shift+Down shift+Down'

start_editor "$work/FROM.QXF" first
xdotool key --delay 80 $select_three_blocks ctrl+c
sleep 0.5

start_editor "$work/TO.QXF" second
xdotool key --delay 80 $select_three_blocks ctrl+v
sleep 0.5
before=$(stat -c %y "$work/TO.QXF")
xdotool key ctrl+s
for _ in $(seq 100); do
    [[ "$(stat -c %y "$work/TO.QXF")" == "$before" ]] || break
    sleep 0.1
done

dump=$("$tool" --model QX-950W3 dump "$work/TO.QXF")
texts=$(grep -o '"text": "[^"]*"' <<<"$dump" | grep -v '"text": ""' | tr '\n' ' ')
expected='"text": "ＯＮＥ" "text": "ＴＷＯ" "text": "ＴＨＲＥＥ" '
if [[ "$texts" != "$expected" ]]; then
    echo "editor-clipboard: the saved document holds $texts instead of $expected" >&2
    cat "$work/first.log" "$work/second.log" >&2
    exit 1
fi
counts=$(grep -o '"count": [0-9]*' <<<"$dump" | tr '\n' ' ')
if [[ "$counts" != '"count": 2 "count": 3 "count": 4 ' ]]; then
    echo "editor-clipboard: the pasted blocks carry the counts $counts" >&2
    exit 1
fi
echo "editor-clipboard: three blocks went from one editor to the other"
