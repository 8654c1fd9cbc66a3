#!/usr/bin/env bash
# Builds the solver for aarch64 with the project's floating-point flags, runs
# it under qemu, and checks that it solves the fixed systems to the same bits.
#
#   aarch64_bits_test.sh <source folder> <build folder> <the project's floating-point flags...>
set -euo pipefail
source=$1
work=$2/aarch64-bits
shift 2
[ $# -gt 0 ] || { echo "no floating-point flags given"; exit 1; }
mkdir -p "$work/platform/runtime"
printf '#pragma once\n#define TESKORA_VERSION_MAJOR 0\n#define TESKORA_VERSION_MINOR 0\n#define TESKORA_VERSION_REVISION 0\n' \
    >"$work/platform/runtime/application_version.h"
aarch64-linux-gnu-g++ -std=c++20 -O2 "$@" -static \
    -I"$source" -I"$source/tests" -I"$work" \
    "$source/tests/solver/solution_bits.cpp" "$source/solver/peremennye.cpp" "$source/solver/yadro.cpp" \
    "$source/platform/runtime/number_reading.cpp" "$source/platform/runtime/runtime_error.cpp" "$source/platform/runtime/application_data.cpp" \
    -o "$work/solution_bits"
qemu-aarch64 "$work/solution_bits"
