#!/usr/bin/env bash
# Installs what is missing, builds Teskora and starts it.
#
#   ./run.sh                 build and start the program
#   ./run.sh --screenshots   render every window to docs/screenshots/ (offscreen)
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

teskora_install "${TESKORA_RUN_PACKAGES[@]}"
# The program alone: a first configure leaves the suite out, which ./test.sh
# adds (and installs what it needs) when it runs.
if [ -f build/CMakeCache.txt ]; then
    teskora_build build -- teskora
else
    teskora_build build -DTESKORA_TESTS=OFF -DTESKORA_BENCH=OFF -- teskora
fi

if [ "${1:-}" = "--screenshots" ]; then
    cmake --build build --target screenshots >/dev/null
    mkdir -p docs/screenshots
    QT_QPA_PLATFORM=offscreen LC_ALL=ru_RU.UTF-8 build/tools/screenshots docs/screenshots
    # The first page of a task sheet, as a picture (poppler-utils, which the tests install).
    if command -v pdftoppm >/dev/null; then
        pdftoppm -png -r 60 -f 1 -l 1 -singlefile docs/screenshots/task_sheet.pdf docs/screenshots/task_sheet
    fi
    rm -f docs/screenshots/task_sheet.pdf
    echo "Screenshots written to docs/screenshots/"
    exit 0
fi
exec build/app/teskora "$@"
