#!/usr/bin/env bash
# Builds the Debian package from a finished build folder, unpacks it into a scratch root and checks
# that what an operator's machine gets is complete and runs.
#   package-deb.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log 2>&1) \
    || { cat "$work/cpack.log"; echo "cpack failed" >&2; exit 1; }
deb=$(ls "$work"/qx-editor_*.deb)
root="$work/root"
dpkg-deb -x "$deb" "$root"

fail() { echo "package: $*" >&2; exit 1; }
for file in usr/bin/qxeditor usr/bin/qxtool usr/share/doc/qx-editor/KorvintaPCEditor_Manual.pdf \
            usr/share/applications/qxeditor.desktop usr/share/mime/packages/qxeditor.xml \
            usr/share/icons/hicolor/scalable/apps/qxeditor.svg usr/share/templates/qxeditor-document.desktop; do
    [ -e "$root/$file" ] || fail "missing $file"
done

# The printer drivers, where CUPS looks for them: one per model, each the one of its file name.
for model in QX-780 QX-790 QX-900W QX-950W QX-900W2 QX-950W2 QX-900W3 QX-950W3; do
    ppd="$root/usr/share/ppd/kav/$model.ppd"
    [ -f "$ppd" ] || fail "missing usr/share/ppd/kav/$model.ppd"
    grep -qx "\*NickName: \"KAV $model\"" "$ppd" || fail "$model.ppd is not the driver KAV $model"
    grep -qx "\*1284DeviceID: \"MFG:KAV;MDL:$model;\"" "$ppd" || fail "$model.ppd lacks the device id"
done
[ "$(ls "$root/usr/share/ppd/kav" | wc -l)" -eq 8 ] || fail "not eight drivers: $(ls "$root/usr/share/ppd/kav")"
recommends=$(dpkg-deb -f "$deb" Recommends)
case "$recommends" in *cups*) ;; *) fail "Recommends lacks cups: $recommends" ;; esac

# The programs ship stripped; their debug information is in the separate -dbgsym package.
for program in qxeditor qxtool; do
    if readelf -S "$root/usr/bin/$program" | grep -q '\.debug_info'; then
        fail "usr/bin/$program carries debug information"
    fi
done
ls "$work"/qx-editor-dbgsym_*.*deb >/dev/null 2>&1 || fail "no -dbgsym package beside the package"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libcups2 fonts-ipafont-gothic qt6-translations-l10n qt6-qpa-plugins; do
    case "$depends" in *"$needed"*) ;; *) fail "Depends lacks $needed: $depends" ;; esac
done

"$root/usr/bin/qxtool" --help >"$work/qxtool-help.txt" || fail "installed qxtool --help failed"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/qxeditor" --help >"$work/qxeditor-help.txt" \
    || fail "installed qxeditor --help failed"
grep -q . "$work/qxtool-help.txt" || fail "qxtool --help printed nothing"
desktop-file-validate "$root/usr/share/applications/qxeditor.desktop" || fail "desktop entry refused"
echo "package OK: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB, $(du -k "$root/usr/bin/qxeditor" | cut -f1) KiB qxeditor"
