#!/usr/bin/env bash
# Installs what is missing, builds Teskora and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

teskora_install "${TESKORA_PACKAGES[@]}"
teskora_build build
exec build/app/teskora "$@"
