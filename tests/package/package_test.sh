#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root with dpkg -x,
# and checks that the binary, the menu entry and the icons are there, that
# its dependencies were computed from the binary, and that the binary starts.
#
#   package_test.sh <build folder> <version>
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    exit 1
}
deb=$(ls "$work"/teskora_"$version"_*.deb)
echo "built $(basename "$deb")"

dpkg -x "$deb" "$work/root"
for file in usr/bin/teskora usr/share/applications/teskora.desktop \
    usr/share/icons/hicolor/256x256/apps/teskora.png usr/share/icons/hicolor/32x32/apps/teskora.png; do
    [ -f "$work/root/$file" ] || { echo "missing from the package: $file"; exit 1; }
done
[ -x "$work/root/usr/bin/teskora" ] || { echo "usr/bin/teskora is not executable"; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6; do
    case "$depends" in *"$library"*) ;; *) echo "Depends lacks $library"; exit 1 ;; esac
done

# It starts: still running after two seconds under the offscreen platform.
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$work/root/usr/bin/teskora" >"$work/run.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
    echo "the packaged teskora ended with status $status:"
    cat "$work/run.log"
    exit 1
fi
echo "the packaged teskora starts"
