#!/usr/bin/env bash
# A running number made the way an operator makes one: a new document, "CABLE-" typed into the
# first line, 連番設定 from the edit menu, 1 and 20 typed into the dialog, 挿入 and OK, the
# document saved under a typed name. The saved file must hold the marker after the prefix and a
# decimal definition from 1 to 20 without leading zeros, and its print image must show the first
# value: the block looks exactly like a second block typed as "CABLE-1". The preview then shows the
# run, and its 印刷 button opens the print dialog.
#
# Usage: tests/e2e/editor-sequence.sh QXEDITOR QXTOOL
# Needs Xvfb and xdotool; the display and the temporary folders are set up by editor-session.sh.
set -euo pipefail

editor=$1
tool=$2
check=editor-sequence
source "$(dirname "${BASH_SOURCE[0]}")/editor-session.sh"

start_with_new_document

# The prefix in block 1, the typed first value in block 2 (each block of this target is one line).
xdotool type --delay 50 "CABLE-"
keys Return
xdotool type --delay 50 "CABLE-1"
keys Return Up Up

# The dialog opens on the line with the caret in it; the caret goes to the end, then the
# definition's fields are filled in (tab order: line, 挿入, モード, 出力, 開始No., 終了No.).
keys alt+e q
focus_window "連番設定"
keys End Tab Tab Tab Tab ctrl+a
xdotool type --delay 50 "1"
keys Tab ctrl+a
xdotool type --delay 50 "20"
keys shift+Tab shift+Tab shift+Tab shift+Tab space
keys Return
wait_closed "^連番設定\$"

saved="$work/home/cable.QXF"
save_new_document "QXPC1" "$saved"
# Block 1: "ＣＡＢＬＥ－" then the marker (0x2F26); block 2: "ＣＡＢＬＥ－１".
expected='"codes": [9027, 9025, 9026, 9036, 9029, 8541, 12070] "codes": [9027, 9025, 9026, 9036, 9029, 8541, 9009] '
codes=$(saved_codes "$saved")
[[ "$codes" == "$expected" ]] || fail "the saved lines are $codes instead of $expected"
dump=$("$tool" --model QX-950W3 dump "$saved")
definitions=$(tr -d ' \n' <<<"$dump" | grep -o '"sequences":\[[^]]*\]' | head -n 2 | tr '\n' ' ')
expected='"sequences":[{"mode":1,"digits":0,"start":1,"end":20,"output":0}] "sequences":[] '
[[ "$definitions" == "$expected" ]] || fail "the saved definitions are $definitions instead of $expected"

"$tool" --model QX-950W3 render "$saved" --block 1 -o "$work/first.png" || fail "block 1 does not render"
"$tool" --model QX-950W3 render "$saved" --block 2 -o "$work/typed.png" || fail "block 2 does not render"
cmp -s "$work/first.png" "$work/typed.png" || fail "block 1's print image does not show CABLE-1"

# The whole run in the preview, and its 印刷 button handing the run over to the print dialog,
# which is then cancelled.
focus_window "cable.QXF"
keys alt+f v
focus_window "全体ｲﾒｰｼﾞ"
xdotool mousemove --window "$window_id" 57 42 click 1 # 印刷, the second button of the bar
focus_window "^印刷\$"
keys Escape
wait_closed "^(印刷|全体ｲﾒｰｼﾞ)\$"
no_messages_shown
echo "editor-sequence: CABLE-{1..20} made through the dialog, saved and shown"
