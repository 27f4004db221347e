#!/usr/bin/env bash
# A wire list saved by LibreOffice Calc read the way an operator does it: "PANEL" typed into block
# 1, 配線リスト読込 from the file menu, the workbook picked in the file dialog, the second line's
# template typed ("{here}>{there}", so each end carries its own address and its destination), both
# ends kept, OK. The saved document must hold PANEL and then a block for each end of each wire,
# the same blocks qxtool import makes of the workbook; undo must take the whole import back.
#
# Usage: tests/e2e/editor-wirelist.sh QXEDITOR QXTOOL
# Needs Xvfb and xdotool; the display and the temporary folders are set up by editor-session.sh.
set -euo pipefail

editor=$1
tool=$2
check=editor-wirelist
source "$(dirname "${BASH_SOURCE[0]}")/editor-session.sh"
workbook="$repo/tests/data/wirelist/calc-wires.xlsx"

# The non-empty line texts of a document file, one a line.
saved_texts() {
    "$tool" --model QX-950W3 dump "$1" | grep -o '"text": "[^"]*"' | grep -v '"text": ""' \
        || fail "qxtool cannot read $1"
}

start_with_new_document
xdotool type --delay 50 "PANEL"
keys Return

keys alt+f w
focus_window "配線リストを開く"
keys ctrl+a
xdotool type --delay 20 "$workbook"
keys Return
focus_window "^配線リスト読込\$"
# The second line's template: the field's mnemonic, then the text typed over the proposed one.
keys alt+2 ctrl+a
xdotool type --delay 50 "{here}>{there}"
keys Return
wait_closed "^配線リスト読込\$"

saved="$work/home/wires.QXF"
save_new_document "QXPC1" "$saved"
"$tool" --model QX-950W3 import "$workbook" --ends both --line "{wire}" --line "{here}>{there}" \
    -o "$work/expected.QXF" 2>"$work/import.log" || fail "qxtool import failed: $(cat "$work/import.log")"
expected=$(printf '"text": "ＰＡＮＥＬ"\n%s' "$(saved_texts "$work/expected.QXF")")
texts=$(saved_texts "$saved")
[[ "$texts" == "$expected" ]] || fail "the saved lines are
$texts
instead of
$expected"
# Spot checks an operator would make: the first wire's two ends, each with its destination.
head -n 5 <<<"$texts" | tr '\n' ' ' | grep -q \
    '"text": "００１２" "text": "Ｘ１：１＞Ｋ１：Ａ１" "text": "００１２" "text": "Ｋ１：Ａ１＞Ｘ１：１"' \
    || fail "the first wire's pieces are not there: $(head -n 5 <<<"$texts" | tr '\n' ' ')"
blocks=$("$tool" --model QX-950W3 dump "$saved" | grep -c '"lineCount"')
[[ "$blocks" == 9 ]] || fail "$blocks blocks saved instead of 9 (PANEL and both ends of four wires)"

# One undo takes the whole import back; the document is saved again under another name.
focus_window "wires.QXF"
keys ctrl+z
keys alt+f a
focus_window "保存先を選択してください"
keys Return
focus_window "名前を付けて保存"
keys ctrl+a
undone="$work/home/undone.QXF"
xdotool type --delay 30 "$undone"
keys Return
wait_for test -s "$undone" || fail "the document was not saved to $undone after undo"
texts=$(saved_texts "$undone")
[[ "$texts" == '"text": "ＰＡＮＥＬ"' ]] || fail "after undo the saved lines are $texts"
no_messages_shown
echo "editor-wirelist: both ends of four wires read from a Calc workbook through the dialog, saved, undone"
