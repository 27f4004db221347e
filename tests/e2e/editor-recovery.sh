#!/usr/bin/env bash
# An editor killed with an unsaved document gives it back at the next start: the editor types
# three blocks into a new document, writes its recovery copy within the (shortened) interval, is
# killed with SIGKILL, starts again, offers the copy (message 42080), opens it as "QXPC1 (復元)"
# when the operator says Yes, and leaves an empty recovery folder once it is closed discarding
# the changes.
#
# Usage: tests/e2e/editor-recovery.sh QXEDITOR QXTOOL
# Needs Xvfb and xdotool. The display is QX_E2E_DISPLAY when set, otherwise a free one at random.
# HOME and the XDG folders are temporary, and only processes started here are ended.
set -euo pipefail

editor=$1
tool=$2
for program in Xvfb xdotool; do
    if ! command -v "$program" >/dev/null; then
        echo "editor-recovery: $program is not installed" >&2
        exit 2
    fi
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill -9 "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "editor-recovery: $*" >&2
    for log in "$work"/*.log; do
        echo "--- $log" >&2
        cat "$log" >&2
    done
    exit 1
}
wait_for() { # up to ten seconds
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

mkdir -p "$work/home" "$work/config" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$repo/tests/e2e/editor-lsan.supp:print_suppressions=0}"

display=${QX_E2E_DISPLAY:-}
if [[ -z "$display" ]]; then
    display=$((100 + RANDOM % 800))
    while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do
        display=$((100 + RANDOM % 800))
    done
fi
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=":$display"
wait_for xdotool getmouselocation || fail "Xvfb did not start on :$display"

export QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_RUNTIME_DIR="$work/runtime" QX_RECOVERY_INTERVAL_MS=300
recovery="$work/data/KAV/コルビンタ PCエディタ/recovery"

start_editor() { # start_editor LOGNAME
    "$editor" --model 9 --no-splash --trace-messages >"$work/$1.log" 2>&1 &
    editor_pid=$!
    pids+=("$editor_pid")
}
focus_window() { # the newest visible window of the editor whose title matches
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --all --onlyvisible --pid "$editor_pid" --name "$1" 2>/dev/null | tail -n 1 || true)
        [[ -n "$id" ]] && break
        sleep 0.1
    done
    [[ -n "$id" ]] || fail "no window \"$1\""
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
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
focus_window "コルビンタ PCエディタ"
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
focus_window "コルビンタ PCエディタ"
xdotool key alt+n
wait_for bash -c "! kill -0 $editor_pid" || fail "the editor did not end"
leftover=$(find "$recovery" -mindepth 1 2>/dev/null | head -n 5)
[[ -z "$leftover" ]] || fail "a clean exit left $leftover"
echo "editor-recovery: the typed blocks came back after SIGKILL"
