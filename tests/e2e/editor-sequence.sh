#!/usr/bin/env bash
# A running number made the way an operator makes one: a new document, "CABLE-" typed into the
# first line, 連番設定 from the edit menu, 1 and 20 typed into the dialog, 挿入 and OK, the
# document saved under a typed name. The saved file must hold the marker after the prefix and a
# decimal definition from 1 to 20 without leading zeros, and its print image must show the first
# value: the block looks exactly like a second block typed as "CABLE-1".
#
# Usage: tests/e2e/editor-sequence.sh QXEDITOR QXTOOL
# Needs Xvfb and xdotool. The display is QX_E2E_DISPLAY when set, otherwise a free one at random.
# HOME and the XDG folders are temporary, and only processes started here are ended.
set -euo pipefail

editor=$1
tool=$2
for program in Xvfb xdotool; do
    if ! command -v "$program" >/dev/null; then
        echo "editor-sequence: $program is not installed" >&2
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
    echo "editor-sequence: $*" >&2
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
    XDG_RUNTIME_DIR="$work/runtime"

"$editor" --model 9 --no-splash --trace-messages >"$work/editor.log" 2>&1 &
editor_pid=$!
pids+=("$editor_pid")
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
keys() { xdotool key --delay 120 "$@"; sleep 0.3; }

focus_window "印刷物設定"
keys Return
focus_window "QXPC1"

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
wait_for bash -c "! xdotool search --all --onlyvisible --pid $editor_pid --name '^連番設定\$'" \
    || fail "the sequence dialog did not close"

saved="$work/home/cable.QXF"
focus_window "QXPC1"
keys ctrl+s
focus_window "保存先を選択してください"
keys Return # ハードディスク
focus_window "名前を付けて保存"
keys ctrl+a
xdotool type --delay 30 "$saved"
keys Return
wait_for test -s "$saved" || fail "the document was not saved to $saved"
sleep 0.5

dump=$("$tool" --model QX-950W3 dump "$saved") || fail "qxtool cannot read the saved document"
# Block 1: "ＣＡＢＬＥ－" then the marker (0x2F26); block 2: "ＣＡＢＬＥ－１".
codes=$(grep -o '"codes": \[[^]]*\]' <<<"$dump" | grep -v '\[\]' | tr '\n' ' ')
expected='"codes": [9027, 9025, 9026, 9036, 9029, 8541, 12070] "codes": [9027, 9025, 9026, 9036, 9029, 8541, 9009] '
[[ "$codes" == "$expected" ]] || fail "the saved lines are $codes instead of $expected"
definitions=$(tr -d ' \n' <<<"$dump" | grep -o '"sequences":\[[^]]*\]' | head -n 2 | tr '\n' ' ')
expected='"sequences":[{"mode":1,"digits":0,"start":1,"end":20,"output":0}] "sequences":[] '
[[ "$definitions" == "$expected" ]] || fail "the saved definitions are $definitions instead of $expected"

"$tool" --model QX-950W3 render "$saved" --block 1 -o "$work/first.png" || fail "block 1 does not render"
"$tool" --model QX-950W3 render "$saved" --block 2 -o "$work/typed.png" || fail "block 2 does not render"
cmp -s "$work/first.png" "$work/typed.png" || fail "block 1's print image does not show CABLE-1"
if grep -q "qxeditor: message" "$work/editor.log"; then
    fail "an unexpected message was shown: $(grep "qxeditor: message" "$work/editor.log")"
fi
echo "editor-sequence: CABLE-{1..20} made through the dialog, saved and shown"
