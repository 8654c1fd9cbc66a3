#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite.
#
#   ./test.sh              the suite
#   ./test.sh --sanitize   the suite built with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

build=build
options=()
case "${1:-}" in
    "") ;;
    --sanitize)
        build=build-sanitize
        options=(-DTESKORA_SANITIZE=ON -DTESKORA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
        ;;
    *)
        echo "usage: ./test.sh [--sanitize]" >&2
        exit 2
        ;;
esac

teskora_install "${TESKORA_PACKAGES[@]}"
teskora_build "$build" "${options[@]}"

export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)"
