#!/usr/bin/env bash
# The operator's road to the printer, driven from outside: a private CUPS scheduler with a queue for
# the QX-950W3's driver whose device is a fake printer on loopback, the editor on its own virtual X
# display with a sample document, then Ctrl+P with the print dialog and the PC-mode question
# confirmed, and Ctrl+T into document memory 7 under a typed name. The bytes the fake printer
# received must equal qxtool's job for the same document and options, and the operator must have
# been told 42013 after each.
#
# Usage: tests/e2e/editor-print-send.sh QXEDITOR QXTOOL DOCUMENT_WRITER CUPS_FIXTURE
# Exits 77 (skipped) when cupsd, Xvfb, xdotool or python3 is missing.
set -euo pipefail

editor=$1
qxtool=$2
writer=$3
fixture=$4

"$fixture" check || exit 77
for tool in Xvfb xdotool python3; do
    command -v "$tool" >/dev/null || { echo "editor-print-send: $tool is not installed" >&2; exit 77; }
done

work=$(mktemp -d)
# The backends run as an unprivileged user and must reach the spool below this folder.
chmod 755 "$work"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "editor-print-send: $*" >&2
    [[ -f "$work/log" ]] && cat "$work/log" >&2
    exit 1
}
# Waits up to 60 s for a command to succeed.
wait_for() {
    local i
    for ((i = 0; i < 300; i++)); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.2
    done
    return 1
}

mkdir -p "$work/cups" "$work/config" "$work/runtime" "$work/home"
chmod 700 "$work/runtime"
"$fixture" serve "$work/cups" >"$work/cupsd.log" 2>&1 &
pids+=($!)
export CUPS_SERVER="$work/cups/cups.sock"
wait_for test -S "$CUPS_SERVER" || fail "the scheduler did not start"

# The fake printer: every connection's bytes into job-N.bin, in order.
python3 "$(dirname "$0")/fake-printer.py" "$work" >"$work/printer.log" 2>&1 &
pids+=($!)
wait_for test -s "$work/port" || fail "the fake printer did not start"
port=$(cat "$work/port")
wait_for "$fixture" add-queue "$work/cups" qx "KAV QX-950W3" "socket://127.0.0.1:$port/?snmp=false" ||
    fail "the queue could not be added"

"$writer" "$work/SAMPLE.QXF"
"$writer" "$work/NAMED.QXF" PANEL7
"$qxtool" --model 9 job "$work/SAMPLE.QXF" -o "$work/expected-print.bin"
"$qxtool" --model 9 job "$work/NAMED.QXF" --send --memory 7 -o "$work/expected-send.bin"

# A display of our own.
display=""
for ((i = 0; i < 50; i++)); do
    candidate=$((100 + RANDOM % 800))
    if [[ ! -e "/tmp/.X11-unix/X$candidate" && ! -e "/tmp/.X$candidate-lock" ]]; then
        display=$candidate
        break
    fi
done
[[ -n "$display" ]] || fail "no free display number"
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=":$display"
wait_for xdotool getmouselocation || fail "Xvfb did not start"

export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(dirname "$0")/editor-lsan.supp:print_suppressions=0}"
QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" \
    "$editor" --model 9 --no-splash --trace-messages "$work/SAMPLE.QXF" >"$work/log" 2>&1 &
editor_pid=$!
pids+=("$editor_pid")

wait_told() { # wait_told ID COUNT
    wait_for bash -c "[[ \$(grep -c 'qxeditor: message $1\$' '$work/log') -ge $2 ]]" || fail "message $1 was not shown"
}
press() {
    xdotool key --clearmodifiers "$@"
    sleep 0.3
}
focus_window() { # the visible window whose title matches
    local id
    id=$(xdotool search --sync --onlyvisible --name "$1" | tail -n 1)
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
}

focus_window "SAMPLE"
press ctrl+p
focus_window "^印刷$"
press Return
wait_told 42011 1
press Return
wait_told 42013 1
press Return
wait_for test -s "$work/job-1.bin" || fail "the printer received no print job"
cmp "$work/expected-print.bin" "$work/job-1.bin" || fail "the print job differs from qxtool's"

focus_window "SAMPLE"
press ctrl+t
focus_window "^送信$"
press Down
press Tab ctrl+a
xdotool type --delay 50 "7"
press Tab
xdotool type --delay 50 "PANEL7"
press Return
wait_told 42011 2
press Return
wait_told 42013 2
press Return
wait_for test -s "$work/job-2.bin" || fail "the printer received no send job"
cmp "$work/expected-send.bin" "$work/job-2.bin" || fail "the send job differs from qxtool's"
if grep -q "qxeditor: message 42012" "$work/log"; then
    fail "the operator was told 42012"
fi
echo "editor-print-send: print and send jobs delivered as qxtool builds them"
