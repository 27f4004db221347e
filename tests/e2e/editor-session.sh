# Sourced by the whole-program checks of the editor: a temporary home and XDG folders, a virtual X
# display of the check's own (QX_E2E_DISPLAY when set, otherwise a free one at random), and the
# helpers that drive the editor there. Only processes started by the check are ended.
#
# The check sets `check` (its name for messages) before sourcing, and `editor_pid` once it has
# started the editor. Afterwards it has: $work, the array pids, fail, wait_for, focus_window,
# focus_message, keys, start_with_new_document (needs `editor`), wait_closed, save_new_document,
# saved_codes (needs `tool`) and no_messages_shown (after start_with_new_document).

for program in Xvfb xdotool; do
    if ! command -v "$program" >/dev/null; then
        echo "$check: $program is not installed" >&2
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
    echo "$check: $*" >&2
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
# Without -noreset the server starts over each time its last client leaves (as the probes below
# do), and an editor connecting just then is turned away.
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=":$display"
wait_for xdotool getmouselocation || fail "Xvfb did not start on :$display"

export QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_RUNTIME_DIR="$work/runtime"

# Gives the keyboard to the newest visible window of the editor whose title matches (there is no
# window manager on the display to do it); its id is left in window_id.
focus_window() {
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --all --onlyvisible --pid "$editor_pid" --name "$1" 2>/dev/null | tail -n 1 || true)
        [[ -n "$id" ]] && break
        sleep 0.1
    done
    [[ -n "$id" ]] || fail "no window \"$1\""
    window_id=$id
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
}
# The same for the editor's message box, which carries the program's name like its main window:
# the box is the small one.
focus_message() {
    local id="" w
    for _ in $(seq 100); do
        for w in $(xdotool search --all --onlyvisible --pid "$editor_pid" --name "^コルビンタ PCエディタ\$" 2>/dev/null); do
            local width
            width=$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | sed -n 's/^WIDTH=//p')
            if [[ -n "$width" && "$width" -lt 800 ]]; then
                id=$w
            fi
        done
        [[ -n "$id" ]] && break
        sleep 0.1
    done
    [[ -n "$id" ]] || fail "no message box"
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
}
keys() { xdotool key --delay 120 "$@"; sleep 0.3; }
# Starts the editor (QX-950W3, output in $work/editor.log) and takes its first target dialog as it
# comes, so that the keyboard is in the grid of the new document QXPC1.
start_with_new_document() {
    "$editor" --model 9 --no-splash --trace-messages >"$work/editor.log" 2>&1 &
    editor_pid=$!
    pids+=("$editor_pid")
    focus_window "印刷物設定"
    keys Return
    focus_window "QXPC1"
}
# Waits up to ten seconds for the editor to have no visible window whose title matches.
wait_closed() {
    wait_for bash -c "! xdotool search --all --onlyvisible --pid $editor_pid --name '$1'" \
        || fail "a window \"$1\" did not close"
}
# Saves the untitled document of the window whose title matches, on the hard disk under PATH.
save_new_document() { # save_new_document TITLE PATH
    focus_window "$1"
    keys ctrl+s
    focus_window "保存先を選択してください"
    keys Return # ハードディスク
    focus_window "名前を付けて保存"
    keys ctrl+a
    xdotool type --delay 30 "$2"
    keys Return
    wait_for test -s "$2" || fail "the document was not saved to $2"
    sleep 0.5
}
# The character codes of the non-empty lines of a document file, on one line.
saved_codes() {
    local dump
    dump=$("$tool" --model QX-950W3 dump "$1") || fail "qxtool cannot read $1"
    grep -o '"codes": \[[^]]*\]' <<<"$dump" | grep -v '\[\]' | tr '\n' ' '
}
# Fails when the editor showed any message box.
no_messages_shown() {
    if grep -q "qxeditor: message" "$work/editor.log"; then
        fail "an unexpected message was shown: $(grep "qxeditor: message" "$work/editor.log")"
    fi
}
