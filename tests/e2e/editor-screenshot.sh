#!/usr/bin/env bash
# Starts the desktop editor on a virtual X display, lets it start up with a given printer model,
# open a document (or create a new one, its target dialog confirmed) and save a picture of the main
# window, then checks that the picture and the settings written at exit are there.
#
# Usage: tests/e2e/editor-screenshot.sh [QXEDITOR [OUTPUT.png [MODEL [SAMPLE_WRITER]]]]
#   QXEDITOR      the program (default: the first qxeditor found under build*/ of the repository)
#   OUTPUT.png    where the picture goes (default: editor-screenshot.png in the current folder)
#   MODEL         printer model index 0, 1, 2, 3, 5, 6, 8 or 9 (default 9, the QX-950W3)
#   SAMPLE_WRITER a program that writes the .QXF document to open, given its path (such as
#                 qx_screenshot_document); without it the editor starts with a new document
# Needs xvfb-run (Debian package xvfb). Nothing outside a temporary folder is touched: the
# editor's settings store goes to a temporary XDG_CONFIG_HOME, its recovery copies to a temporary
# XDG_DATA_HOME.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
editor=${1:-}
if [[ -z "$editor" ]]; then
    editor=$(find "$repo" -path "$repo/build*" -type f -name qxeditor -perm -u+x 2>/dev/null | head -n 1 || true)
fi
output=${2:-$PWD/editor-screenshot.png}
model=${3:-9}
sample_writer=${4:-}

if [[ -z "$editor" || ! -x "$editor" ]]; then
    echo "editor-screenshot: no qxeditor program found (build it first, or pass its path)" >&2
    exit 2
fi
if ! command -v xvfb-run >/dev/null; then
    echo "editor-screenshot: xvfb-run is not installed" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
rm -f "$output"
document=()
if [[ -n "$sample_writer" ]]; then
    "$sample_writer" "$work/SAMPLE.QXF"
    document=("$work/SAMPLE.QXF")
fi
# A sanitizer build reports the desktop libraries' own leaks at exit; those are not ours.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$repo/tests/e2e/editor-lsan.supp:print_suppressions=0}"

# The X display, even when the caller runs its widget tests on the offscreen platform.
QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
    timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$editor" --model "$model" --screenshot "$output" "${document[@]}" >"$work/log" 2>&1 || {
    status=$?
    echo "editor-screenshot: the editor ended with status $status" >&2
    cat "$work/log" >&2
    exit 1
}

# A PNG file of a plausible size: signature, then the IHDR width and height.
if [[ ! -s "$output" ]] || [[ "$(head -c 8 "$output" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]]; then
    echo "editor-screenshot: $output is not a PNG picture" >&2
    exit 1
fi
width=$((16#$(od -An -tx1 -j16 -N4 "$output" | tr -d ' \n')))
height=$((16#$(od -An -tx1 -j20 -N4 "$output" | tr -d ' \n')))
if ((width < 400 || height < 300)); then
    echo "editor-screenshot: the picture is only ${width}x${height}" >&2
    exit 1
fi

# The run ended normally: the settings were written at exit with the chosen model.
store=$(find "$work/config/KAV" -name '*.ini' | head -n 1)
if [[ -z "$store" ]] || ! grep -qx "ModelType=$model" "$store"; then
    echo "editor-screenshot: the settings store was not written at exit" >&2
    exit 1
fi

# The sample was opened: it heads the recent-file list written at exit.
if ((${#document[@]})) && ! grep -q "SAMPLE.QXF" "$store"; then
    echo "editor-screenshot: the sample document was not opened" >&2
    exit 1
fi

echo "editor-screenshot: wrote $output (${width}x${height}, model $model)"
