#!/usr/bin/env bash
# Runs qxtool on one golden case folder and compares what it did with what the folder expects.
#
#   run_case.sh QXTOOL CASE_DIR WORK_DIR DATA_DIR
#
# A case folder holds:
#   args     the arguments, one a line; @CASE@, @DATA@ and @WORK@ stand for the case folder,
#            tests/data and the (empty) folder qxtool runs in
#   status   the expected exit status
#   stdout   expected standard output (absent: none)
#   stderr   expected standard error (absent: none); placeholders as in args
#   out/     the files the run must leave in its folder, byte for byte, and nothing else
set -u
tool=$1
case_dir=$2
work=$3
data=$4
capture="$work.capture"

rm -rf "$work" "$capture"
mkdir -p "$work" "$capture"

expand() {
    local text=$1
    text=${text//@CASE@/$case_dir}
    text=${text//@DATA@/$data}
    text=${text//@WORK@/$work}
    printf '%s' "$text"
}

args=()
if [[ -f "$case_dir/args" ]]; then
    while IFS= read -r line || [[ -n "$line" ]]; do
        args+=("$(expand "$line")")
    done <"$case_dir/args"
fi

(cd "$work" && "$tool" "${args[@]}" >"$capture/stdout" 2>"$capture/stderr")
status=$?

failed=0
expected_status=$(tr -d '[:space:]' <"$case_dir/status")
if [[ "$status" != "$expected_status" ]]; then
    echo "exit status $status, expected $expected_status"
    failed=1
fi

compare() { # name expected-file actual-file
    if ! cmp -s "$2" "$3"; then
        echo "$1 differs:"
        diff -u "$2" "$3" | head -40
        failed=1
    fi
}

if [[ -f "$case_dir/stdout" ]]; then
    compare stdout "$case_dir/stdout" "$capture/stdout"
else
    compare stdout /dev/null "$capture/stdout"
fi
if [[ -f "$case_dir/stderr" ]]; then
    expand "$(cat "$case_dir/stderr"; printf x)" >"$capture/stderr.expected"
    # Drop the x that kept the final line feed through the command substitution.
    truncate -s -1 "$capture/stderr.expected"
    compare stderr "$capture/stderr.expected" "$capture/stderr"
else
    compare stderr /dev/null "$capture/stderr"
fi

expected_files=$(cd "$case_dir" && { [[ -d out ]] && find out -type f -printf '%P\n' | sort; })
actual_files=$(cd "$work" && find . -mindepth 1 -printf '%P\n' | sort)
if [[ "$expected_files" != "$actual_files" ]]; then
    echo "files left: [$actual_files], expected [$expected_files]"
    failed=1
fi
for name in $expected_files; do
    [[ -f "$work/$name" ]] && compare "$name" "$case_dir/out/$name" "$work/$name"
done

if [[ $failed -ne 0 ]]; then
    echo "standard error was:"
    cat "$capture/stderr"
fi
exit $failed
