#!/usr/bin/env bash
# A fresh machine's road to its first print, with the package's printer drivers: a private CUPS
# scheduler whose driver folder holds the generated drivers lists all eight models and offers the
# right one for a plugged-in printer's device id; qxtool add-printer makes the queue for a fake
# printer on loopback, qxtool queues marks it, and qxtool print delivers the job byte for byte. A
# second scheduler that refuses administration gets the lpadmin command instead, and that very
# command, run where it is allowed, makes the same queue.
#
# Usage: tests/e2e/qxtool-add-printer.sh QXTOOL CUPS_FIXTURE DRIVERS_FOLDER SAMPLE_DOCUMENT
# Exits 77 (skipped) when cupsd, lpinfo or python3 is missing.
set -euo pipefail

qxtool=$1
fixture=$2
drivers=$3
document=$4

"$fixture" check || exit 77
lpinfo=$(command -v lpinfo || echo /usr/sbin/lpinfo)
[ -x "$lpinfo" ] || { echo "qxtool-add-printer: lpinfo is not installed" >&2; exit 77; }
command -v python3 >/dev/null || { echo "qxtool-add-printer: python3 is not installed" >&2; exit 77; }

work=$(mktemp -d /tmp/qx-addp-XXXXXX)
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
    echo "qxtool-add-printer: $*" >&2
    for log in "$work"/*/log/error_log; do
        [ -f "$log" ] && tail -n 30 "$log" >&2
    done
    exit 1
}
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

mkdir -p "$work/cups" "$work/denying"
"$fixture" serve "$work/cups" --drivers "$drivers" >"$work/cupsd.log" 2>&1 &
pids+=($!)
"$fixture" serve "$work/denying" --drivers "$drivers" --deny-admin >"$work/denying.log" 2>&1 &
pids+=($!)
wait_for test -S "$work/cups/cups.sock" || fail "the scheduler did not start"
wait_for test -S "$work/denying/cups.sock" || fail "the refusing scheduler did not start"
export CUPS_SERVER="$work/cups/cups.sock"

# Every model's driver is installed, under the name the editor looks for.
"$lpinfo" -m >"$work/drivers.txt" 2>"$work/lpinfo.err" || fail "lpinfo -m failed: $(cat "$work/lpinfo.err")"
for model in QX-780 QX-790 QX-900W QX-950W QX-900W2 QX-950W2 QX-900W3 QX-950W3; do
    grep -qx "kav/$model.ppd KAV $model" "$work/drivers.txt" || fail "lpinfo -m lacks KAV $model"
done
[ "$(grep -c '^kav/' "$work/drivers.txt")" -eq 8 ] || fail "not exactly eight drivers: $(grep '^kav/' "$work/drivers.txt")"

# What a plugged-in printer reports picks its own model's driver first.
"$lpinfo" --device-id "MFG:KAV;MDL:QX-950W3;" -m >"$work/matched.txt" 2>/dev/null || true
[ "$(head -n 1 "$work/matched.txt")" = "kav/QX-950W3.ppd KAV QX-950W3" ] \
    || fail "the device id of a QX-950W3 matched: $(cat "$work/matched.txt")"

# The fake printer: every connection's bytes into job-N.bin, in order.
python3 "$(dirname "$0")/fake-printer.py" "$work" >"$work/printer.log" 2>&1 &
pids+=($!)
wait_for test -f "$work/port" || fail "the fake printer did not start"
uri="socket://127.0.0.1:$(cat "$work/port")/?snmp=false"

# Without the rights: said so, and the one command that would do it.
set +e
CUPS_SERVER="$work/denying/cups.sock" "$qxtool" --model QX-950W3 add-printer --device "$uri" --name tubes \
    >"$work/denied.out" 2>"$work/denied.err"
status=$?
set -e
[ "$status" -eq 2 ] || fail "add-printer without rights exited $status: $(cat "$work/denied.err")"
grep -q '^43303 ' "$work/denied.err" || fail "add-printer without rights did not say so: $(cat "$work/denied.err")"
[ "$(wc -l <"$work/denied.out")" -eq 1 ] || fail "not one command: $(cat "$work/denied.out")"
grep -q "^lpadmin -p tubes -E -v 'socket://127.0.0.1:[0-9]*/?snmp=false' -m kav/QX-950W3.ppd\$" "$work/denied.out" \
    || fail "the command printed: $(cat "$work/denied.out")"

# The printed command, run where it is allowed, makes the queue.
(PATH="$PATH:/usr/sbin" && eval "$(cat "$work/denied.out")") 2>"$work/lpadmin.err" \
    || fail "the printed command failed: $(cat "$work/lpadmin.err")"
lpstat -p tubes 2>&1 | grep -q enabled || fail "the printed command made no enabled queue"
lpadmin=$(command -v lpadmin || echo /usr/sbin/lpadmin)
"$lpadmin" -x tubes

# With the rights: the queue for the model, enabled, accepting, and the one print uses.
"$qxtool" --model QX-950W3 add-printer --device "$uri" --name tubes >"$work/added.out" 2>"$work/added.err" \
    || fail "add-printer failed: $(cat "$work/added.err")"
grep -qx "43304 プリンタ tubes を追加しました。" "$work/added.err" || fail "add-printer said: $(cat "$work/added.err")"
lpstat -p tubes 2>&1 | grep -q enabled || fail "the queue is not enabled: $(lpstat -p tubes 2>&1)"
lpstat -a tubes 2>&1 | grep -q "accepting" || fail "the queue does not accept jobs"
"$qxtool" --model QX-950W3 queues >"$work/queues.txt" 2>&1
grep -qxP '\* tubes\tKAV QX-950W3' "$work/queues.txt" || fail "queues does not mark it: $(cat "$work/queues.txt")"

# A second time, the operator's queue is left alone.
set +e
"$qxtool" --model QX-950W3 add-printer --device "socket://127.0.0.1:9" --name tubes >/dev/null 2>"$work/again.err"
status=$?
set -e
[ "$status" -eq 2 ] && grep -q '^43306 ' "$work/again.err" || fail "adding over a queue: $status $(cat "$work/again.err")"
lpstat -v tubes | grep -q "$(cat "$work/port")" || fail "the existing queue's device was changed"

# The job arrives as qxtool builds it.
"$qxtool" --model QX-950W3 job "$document" -o "$work/expected.bin" 2>/dev/null
"$qxtool" --model QX-950W3 print "$document" --yes >"$work/print.out" 2>"$work/print.err" \
    || fail "print failed: $(cat "$work/print.err")"
grep -q '^42013 ' "$work/print.err" || fail "print did not report 42013: $(cat "$work/print.err")"
wait_for test -f "$work/job-1.bin" || fail "the printer received nothing"
cmp "$work/expected.bin" "$work/job-1.bin" || fail "the printed job differs from qxtool's"
echo "qxtool-add-printer: eight drivers listed, queue made, job delivered ($(stat -c %s "$work/job-1.bin") bytes)"
