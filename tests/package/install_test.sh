#!/usr/bin/env bash
# The install from the quick build: a fresh tree configured and built as
# ./run.sh configures and builds it (the program alone, no suite), then
# installed into a temporary prefix, which must hold everything a desktop
# and a distribution need.
#
#   install_test.sh <source folder>
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$source"
source tools/setup.sh
teskora_build "$work/build" -DTESKORA_TESTS=OFF -DTESKORA_BENCH=OFF -- teskora
cmake --install "$work/build" --prefix "$work/prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
for file in bin/teskora share/applications/org.teskora.teskora.desktop share/metainfo/org.teskora.teskora.metainfo.xml \
    share/icons/hicolor/256x256/apps/teskora.png share/icons/hicolor/32x32/apps/teskora.png \
    share/man/man1/teskora.1.gz share/man/ru/man1/teskora.1.gz share/doc/teskora/copyright share/doc/teskora/changelog.gz; do
    [ -s "$work/prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
version=$("$work/prefix/bin/teskora" --version)
[ "$version" = "teskora $(sed -n 's/^    VERSION \([0-9.]*\)$/\1/p' CMakeLists.txt | head -n 1)" ] ||
    { echo "the installed teskora says: $version"; exit 1; }
echo "installed from the quick build: $(cd "$work/prefix" && find . -type f | wc -l) files, $version"
