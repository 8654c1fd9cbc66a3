#!/usr/bin/env bash
# Builds the Debian package and checks it as a distribution would: lintian
# reports no error and no warning, the software-centre metadata validates,
# both manual pages render without a warning, the desktop files are where
# desktops look, the dependencies come from the binary, and the binary starts
# and shows its main window.
#
#   package_test.sh <build folder> <version>
set -euo pipefail
# A packager's usual file modes, whatever the caller's.
umask 022
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/teskora_"$version"_*.deb)
echo "built $(basename "$deb")"

lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
if grep -E "^[EW]: " "$work/lintian.log"; then echo "lintian reports errors or warnings"; exit 1; fi
echo "lintian: no error, no warning"

dpkg -x "$deb" "$work/root"
share=$work/root/usr/share
for file in usr/bin/teskora usr/share/applications/org.teskora.teskora.desktop usr/share/icons/hicolor/256x256/apps/teskora.png \
    usr/share/icons/hicolor/32x32/apps/teskora.png usr/share/doc/teskora/copyright usr/share/doc/teskora/changelog.gz; do
    [ -f "$work/root/$file" ] || { echo "missing from the package: $file"; exit 1; }
done
# It offers to open what spreadsheets open, and not every plain text file:
# claimed, text/plain would make it the default for .txt files on a desktop
# whose only other claimant is a terminal editor.
mime=$(grep '^MimeType=' "$share/applications/org.teskora.teskora.desktop")
[ "$mime" = "MimeType=text/csv;text/x-csv;text/tab-separated-values;" ] || { echo "the menu entry claims: $mime"; exit 1; }
appstreamcli validate --no-net "$share/metainfo/org.teskora.teskora.metainfo.xml"
for page in "$share/man/man1/teskora.1.gz" "$share/man/ru/man1/teskora.1.gz"; do
    warnings=$(man --warnings -E UTF-8 -l -Tutf8 "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
done
echo "the manual pages render"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-translations-l10n; do
    case "$depends" in *"$library"*) ;; *) echo "Depends lacks $library"; exit 1 ;; esac
done

# Its command line answers without any display.
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/teskora" --help)
case "$help" in "Использование: teskora [ФАЙЛ]"*) ;; *) echo "teskora --help printed: $help"; exit 1 ;; esac
printed=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/teskora" --version)
[ "$printed" = "teskora $version" ] || { echo "teskora --version printed: $printed"; exit 1; }
echo "the command line answers --help and --version"

# It starts and shows its main window, with the libraries and the platform
# plugins the package brings in: seen on an X server of its own.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
display=:$(head -n 1 "$work/display")
DISPLAY=$display QT_QPA_PLATFORM=xcb "$work/root/usr/bin/teskora" >"$work/run.log" 2>&1 &
program=$!
shown=""
for _ in $(seq 1 100); do
    shown=$(DISPLAY=$display xdotool search --onlyvisible --name "Решение системы линейных уравнений методом вращения" 2>/dev/null || true)
    [ -n "$shown" ] || ! kill -0 "$program" 2>/dev/null && break
    sleep 0.2
done
kill "$program" 2>/dev/null || true
if [ -z "$shown" ]; then
    echo "the packaged teskora showed no main window:"
    cat "$work/run.log"
    exit 1
fi
echo "the packaged teskora starts"
