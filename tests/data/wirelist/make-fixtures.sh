#!/usr/bin/env bash
# Makes the wire-list fixtures again: the workbooks with the real programs (LibreOffice Calc from
# source/calc-wires.fods, openpyxl from source/openpyxl-wires.py) and the text exports. The test
# pass only reads what this wrote; it needs neither program. The .expected.txt files are written
# by hand: check a changed fixture against what the program shows before changing one.
#   apt-get install -y libreoffice-calc-nogui python3-openpyxl
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A profile of its own, so a desktop session's settings never change what Calc writes.
profile="file://$work/profile"
cp "$here/source/calc-wires.fods" "$work/"
for format in xlsx ods; do
    soffice -env:UserInstallation="$profile" --headless --convert-to "$format" --outdir "$work" \
        "$work/calc-wires.fods" >/dev/null
    cp "$work/calc-wires.$format" "$here/calc-wires.$format"
done

/usr/bin/python3 "$here/source/openpyxl-wires.py" "$here/openpyxl-wires.xlsx"
/usr/bin/python3 "$here/source/text-fixtures.py" "$here"
ls -l "$here"
