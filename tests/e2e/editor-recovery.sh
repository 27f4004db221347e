#!/usr/bin/env bash
# An editor killed with an unsaved document gives it back at the next start: the editor types
# three blocks into a new document, writes its recovery copy within the (shortened) interval, is
# killed with SIGKILL, starts again, offers the copy (message 42080), opens it as "QXPC1 (復元)"
# when the operator says Yes, and leaves an empty recovery folder once it is closed discarding
# the changes.
#
# Usage: tests/e2e/editor-recovery.sh QXEDITOR QXTOOL
# Needs Xvfb and xdotool; the display and the temporary folders are set up by editor-session.sh.
set -euo pipefail

editor=$1
tool=$2
check=editor-recovery
source "$(dirname "${BASH_SOURCE[0]}")/editor-session.sh"
export QX_RECOVERY_INTERVAL_MS=300
recovery="$work/data/KAV/コルビンタ PCエディタ/recovery"

start_editor() { # start_editor LOGNAME
    "$editor" --model 9 --no-splash --trace-messages >"$work/$1.log" 2>&1 &
    editor_pid=$!
    pids+=("$editor_pid")
}
told() { grep -q "qxeditor: message $2\$" "$work/$1.log"; }
texts_of() { # the block count and the non-empty texts of a document file, on one line
    local dump
    dump=$("$tool" --model QX-950W3 dump "$1") || return 1
    grep -o '"blockCount": [0-9]*' <<<"$dump"
    grep -o '"text": "[^"]*"' <<<"$dump" | grep -v '"text": ""' | tr '\n' ' '
}
copy_of_run() { # the copy of the run with this process id
    compgen -G "$recovery/$1-*-1.QXF" | head -n 1
}
expected='"blockCount": 3
"text": "ＡＢＣ" "text": "ＸＹＺ" "text": "ＱＲＳ" '

# First run: a new document, three typed blocks, a copy, then SIGKILL.
start_editor first
focus_window "印刷物設定"
xdotool key Return
focus_window "QXPC1"
for text in ABC XYZ QRS; do
    xdotool type --delay 50 "$text"
    xdotool key Return
    sleep 0.2
done
first_pid=$editor_pid
copy_has_texts() { local c; c=$(copy_of_run "$first_pid") && [[ "$(texts_of "$c")" == "$expected" ]]; }
wait_for copy_has_texts || fail "no recovery copy holds the typed blocks: $(ls "$recovery" 2>&1)
$(c=$(copy_of_run "$first_pid") && texts_of "$c")"
kill -9 "$first_pid"
wait "$first_pid" 2>/dev/null || true
left=$(copy_of_run "$first_pid")

# Second run: the copy is offered, opened, and becomes this run's own copy.
start_editor second
wait_for told second 42080 || fail "the recovery copy was not offered"
focus_message
xdotool key Return
focus_window "QXPC1 \(復元\)"
[[ ! -e "$left" ]] || fail "the killed run's copy is still there after it was opened"
second_copy_has_texts() { local c; c=$(copy_of_run "$editor_pid") && [[ "$(texts_of "$c")" == "$expected" ]]; }
wait_for second_copy_has_texts || fail "the recovered document does not hold the typed blocks"
if told second 61699 || told second 42081; then
    fail "an unexpected message was shown"
fi

# A close that discards the changes leaves nothing to offer again.
xdotool key alt+f
sleep 0.4
xdotool key x
wait_for told second 61699 || fail "exit did not ask 61699"
focus_message
xdotool key alt+n
wait_for bash -c "! kill -0 $editor_pid" || fail "the editor did not end"
leftover=$(find "$recovery" -mindepth 1 2>/dev/null | head -n 5)
[[ -z "$leftover" ]] || fail "a clean exit left $leftover"
echo "editor-recovery: the typed blocks came back after SIGKILL"
