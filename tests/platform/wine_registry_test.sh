#!/usr/bin/env bash
# Builds wine_registry_test.exe with MinGW from the program's registry lookup
# and its advapi32 adapter, writes values into a fresh Wine registry with
# Wine's reg tool, and runs the lookup against them.
#
#   wine_registry_test.sh <source folder> <build folder> [--coverage]
#
# With --coverage the program is built with gcov's counters, which it writes
# beside its objects, so that ./test.sh --coverage counts the lines it runs.
set -euo pipefail
source=$1
work=$(realpath -m "$2")/wine-registry
wine=/usr/lib/wine/wine64
mkdir -p "$work"
command -v x86_64-w64-mingw32-g++ >/dev/null || { echo "MinGW (g++-mingw-w64-x86-64) is not installed"; exit 1; }
flags=(-O2)
[ "${3:-}" = --coverage ] && flags=(-O0 --coverage)
(cd "$work" && x86_64-w64-mingw32-g++ -std=c++20 "${flags[@]}" -Wall -Wextra -Werror -static -I"$source" \
    "$source/tests/platform/wine_registry_test.cpp" "$source/platform/runtime/system_information.cpp" \
    "$source/platform/runtime/registry_win.cpp" "$source/platform/runtime/runtime_error.cpp" -ladvapi32 -o wine_registry_test.exe)

[ -x "$wine" ] || { echo "Wine is not installed (wine64): the registry cannot be tried"; exit 1; }
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
cd "$work"  # Wine prefers a reg.exe in the current folder; there is none here

reg() { "$wine" reg "$@" >/dev/null 2>&1; }
test_key='HKLM\SOFTWARE\Teskora\Test'
# The first call creates the prefix, which takes some seconds.
reg add "$test_key" /v WithNul /t REG_SZ /d abc /f || { echo "Wine cannot start here"; exit 1; }
reg add "$test_key" /v Longest /t REG_SZ /d "$(printf 'x%.0s' $(seq 1023))" /f
reg add "$test_key" /v TooLong /t REG_SZ /d "$(printf 'x%.0s' $(seq 1024))" /f
reg add "$test_key" /v Number /t REG_DWORD /d 305419896 /f
reg add "$test_key" /v Negative /t REG_DWORD /d 4294967295 /f
reg add "$test_key" /v Empty /t REG_BINARY /f
reg add "$test_key" /v Binary /t REG_BINARY /d 0102 /f

status=0
run() { "$wine" "$work/wine_registry_test.exe" "$@" | tr -d '\r' || status=1; }
run values

first='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
second='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
mkdir -p "$WINEPREFIX/drive_c/tools"
touch "$WINEPREFIX/drive_c/tools/MSINFO32.EXE"
reg delete "$first" /f || true
reg delete "$second" /f || true
reg add "$first" /v PATH /t REG_SZ /d 'C:\first\msinfo32.exe' /f
reg add "$second" /v MSINFO /t REG_SZ /d 'C:\tools' /f
run tool 'C:\first\msinfo32.exe'  # the first entry preferred
reg delete "$first" /f
run tool 'C:\tools\MSINFO32.EXE'  # the second entry, its file there
reg add "$second" /v MSINFO /t REG_SZ /d 'C:\tools\' /f
run tool 'C:\tools\\MSINFO32.EXE'  # a folder ending in a separator
reg add "$second" /v MSINFO /t REG_SZ /d 'C:\empty' /f
run tool ''  # the second entry, no file there
exit $status
