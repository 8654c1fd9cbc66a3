#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite.
#
#   ./test.sh              the suite
#   ./test.sh --sanitize   the suite built with AddressSanitizer, LeakSanitizer
#                          and UndefinedBehaviorSanitizer, halting on the first report
#   ./test.sh --fuzz [s]   each libFuzzer target for s seconds (60 by default)
#   ./test.sh --coverage   the suite built with coverage, then the line and
#                          branch coverage of the program's own code
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

mode=${1:-}
case "$mode" in
    "")
        teskora_install "${TESKORA_TEST_PACKAGES[@]}"
        teskora_locales "${TESKORA_TEST_LOCALES[@]}"
        teskora_build build -DTESKORA_TESTS=ON -DTESKORA_BENCH=ON
        ;;
    --sanitize)
        teskora_install "${TESKORA_TEST_PACKAGES[@]}"
        teskora_locales "${TESKORA_TEST_LOCALES[@]}"
        teskora_build build-sanitize -DTESKORA_SANITIZE=ON -DTESKORA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
        export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
        export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
        export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
        cd build-sanitize
        ctest --output-on-failure -j"$(nproc)"
        exit
        ;;
    --coverage)
        teskora_install "${TESKORA_TEST_PACKAGES[@]}" gcovr
        teskora_locales "${TESKORA_TEST_LOCALES[@]}"
        teskora_build build-coverage -DTESKORA_COVERAGE=ON -DTESKORA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
        # Counts from an earlier run, and the notes of sources deleted since, would skew the figures.
        find build-coverage -name '*.gcda' -delete
        ninja -C build-coverage -t cleandead >/dev/null
        find build-coverage -name '*.gcno' | while read -r notes; do
            [ -e "${notes%.gcno}.o" ] || rm "$notes"
        done
        (cd build-coverage && QT_QPA_PLATFORM=offscreen ctest -j"$(nproc)" >ctest.log 2>&1) || {
            tail -n 40 build-coverage/ctest.log
            exit 1
        }
        # The program's own code only: not the tests, benchmarks, tools or generated files.
        gcovr --root . --object-directory build-coverage --exclude-unreachable-branches --exclude-throw-branches \
            --filter '(solver|platform|documents|course|navigation|wizard|results|shell|tasks|app)/' --print-summary \
            --txt build-coverage/coverage.txt --html-details build-coverage/coverage.html | tail -n 3
        echo "Per file: build-coverage/coverage.txt; annotated: build-coverage/coverage.html"
        exit
        ;;
    --fuzz)
        teskora_install "${TESKORA_TEST_PACKAGES[@]}" clang libclang-rt-14-dev
        CXX=clang++ teskora_build build-fuzz -DTESKORA_FUZZ=ON -DTESKORA_UI=OFF -DTESKORA_TESTS=OFF \
            -DTESKORA_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
        seconds=${2:-60}
        for target in number solver system_file; do
            corpus=$(mktemp -d)
            echo "Fuzzing the ${target} for ${seconds} s (seeds in fuzz/corpus/${target})"
            if ! build-fuzz/fuzz/${target}_fuzz -max_total_time="$seconds" -print_final_stats=1 \
                "$corpus" "fuzz/corpus/${target}" >"build-fuzz/${target}_fuzz.log" 2>&1; then
                tail -n 40 "build-fuzz/${target}_fuzz.log"
                echo "The ${target} fuzzer found a fault; the input is in build-fuzz/ (crash-*)."
                exit 1
            fi
            grep -E "stat::number_of_executed_units|Done" "build-fuzz/${target}_fuzz.log" | tail -n 1
            rm -rf "$corpus"
        done
        exit
        ;;
    *)
        echo "usage: ./test.sh [--sanitize | --coverage | --fuzz [seconds]]" >&2
        exit 2
        ;;
esac

export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)"
