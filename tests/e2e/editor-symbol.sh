#!/usr/bin/env bash
# A printer symbol put into a line the way an operator does it with the keyboard: "PE" typed into
# block 1, 記号入力 from the edit menu, the grid given the keyboard, the second symbol of the first
# group (②) chosen with the arrow key, the caret put at the end of the line, 挿入 and Enter, the
# document saved. The saved line must be "ＰＥ" followed by the symbol's code.
#
# Usage: tests/e2e/editor-symbol.sh QXEDITOR QXTOOL
# Needs Xvfb and xdotool; the display and the temporary folders are set up by editor-session.sh.
set -euo pipefail

editor=$1
tool=$2
check=editor-symbol
source "$(dirname "${BASH_SOURCE[0]}")/editor-session.sh"

start_with_new_document
xdotool type --delay 50 "PE"
keys Return Up

# The dialog opens with the keyboard in its line; back to the grid, one to the right, then into
# the line (which selects it all), to its end, and on to 挿入.
keys alt+e m
focus_window "記号入力"
keys shift+Tab Right Tab End Tab space
keys Return
wait_closed "^記号入力\$"

saved="$work/home/symbol.QXF"
save_new_document "QXPC1" "$saved"
expected='"codes": [9040, 9029, 10786] ' # Ｐ, Ｅ, ② (0x2A22)
codes=$(saved_codes "$saved")
[[ "$codes" == "$expected" ]] || fail "the saved lines are $codes instead of $expected"
"$tool" --model QX-950W3 render "$saved" --block 1 -o "$work/block.png" || fail "block 1 does not render"
no_messages_shown
echo "editor-symbol: ② went into the line through the symbol dialog and was saved"
