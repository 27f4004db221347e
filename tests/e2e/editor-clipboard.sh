#!/usr/bin/env bash
# Two desktop editors on one virtual X display exchange three blocks through the real X
# clipboard: the first copies whole blocks 1 to 3 of its document, the second pastes them over
# its own first rows and saves; the saved file must then hold the three blocks.
#
# Usage: tests/e2e/editor-clipboard.sh QXEDITOR QXTOOL
# Needs Xvfb and xdotool; the display and the temporary folders are set up by editor-session.sh.
set -euo pipefail

editor=$1
tool=$2
check=editor-clipboard
source "$(dirname "${BASH_SOURCE[0]}")/editor-session.sh"

# The two documents, made from CSV by qxtool: four blocks to copy from, one to paste over.
printf 'ONE,,,,2,20.0\r\nTWO,,,,3,21.0\r\nTHREE,,,,4,22.0\r\nFOUR,,,,5,23.0\r\n' >"$work/a.csv"
printf 'KEEP,,,,2,20.0\r\n' >"$work/b.csv"
"$tool" --model QX-950W3 convert "$work/a.csv" "$work/FROM.QXF"
"$tool" --model QX-950W3 convert "$work/b.csv" "$work/TO.QXF"


# Starts an editor on a document and gives it the keyboard once the document is open.
start_editor() {
    "$editor" --model 9 --no-splash "$1" >"$work/$2.log" 2>&1 &
    editor_pid=$!
    pids+=("$editor_pid")
    focus_window "$(basename "$1")"
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
