# Shared by run.sh and test.sh: installs what is missing, configures and builds.
# Sourced, not run.

# What a fresh Debian 12 machine needs to build and run Teskora (./run.sh),
# and to install it or make its package from that build.
TESKORA_RUN_PACKAGES=(
    cmake ninja-build g++ pkg-config dpkg-dev file
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n qt6-wayland libgl-dev
    fonts-dejavu-core fonts-liberation2
)

# And what the whole suite needs beside it (./test.sh): the test and benchmark
# libraries, the Windows and aarch64 cross compilers with Wine and qemu, the
# package's checks, a spreadsheet that reads a saved system (Gnumeric's
# ssconvert), and the real-desktop test: an X server, a window manager,
# keys, the clipboard, the accessibility bus and a screen reader, a Wayland
# session beside it, and PDF to text.
TESKORA_TEST_PACKAGES=(
    "${TESKORA_RUN_PACKAGES[@]}"
    libgtest-dev libbenchmark-dev libeigen3-dev
    g++-mingw-w64-x86-64 wine64
    desktop-file-utils lintian appstream man-db poppler-utils gnumeric
    g++-aarch64-linux-gnu qemu-user
    xvfb openbox xdotool x11-xkb-utils x11-utils xclip dbus at-spi2-core python3-pyatspi orca imagemagick
    weston xwayland
    locales
)

# The regional settings the suite runs under. Qt reads them by name without
# them, but the C library switches to them only where they are generated, as
# on a Russian desktop: the suite must run the same both ways.
TESKORA_TEST_LOCALES=(ru_RU.UTF-8 en_US.UTF-8)

teskora_missing_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    echo "${missing[@]}"
}

# Installs the packages that are missing: with apt-get when root, otherwise
# it prints the one line to run and stops.
teskora_install() {
    local missing
    missing=$(teskora_missing_packages "$@")
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: $missing"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -q >/dev/null
        # shellcheck disable=SC2086
        apt-get install -y -q --no-install-recommends $missing >/dev/null
    else
        echo "These packages are missing. Install them with:"
        echo "    sudo apt-get install -y --no-install-recommends $missing"
        exit 1
    fi
}

# Generates the locales given that the machine lacks: as root, otherwise it
# prints what to run and stops.
teskora_locales() {
    local missing=() name
    for name in "$@"; do
        # locale -a spells them ru_RU.utf8.
        locale -a 2>/dev/null | grep -qix "${name%.UTF-8}.utf8" || missing+=("$name")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "These locales are missing: ${missing[*]}. Generate them with:"
        echo "    sudo sh -c 'printf \"%s UTF-8\\n\" ${missing[*]} >>/etc/locale.gen && locale-gen'"
        exit 1
    fi
    for name in "${missing[@]}"; do
        grep -qx "$name UTF-8" /etc/locale.gen 2>/dev/null || echo "$name UTF-8" >>/etc/locale.gen
    done
    echo "Generating locales: ${missing[*]}"
    locale-gen >/dev/null
}

# teskora_build <build folder> [cmake options...] [-- ninja targets...]
teskora_build() {
    local dir=$1
    shift
    local options=() targets=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
    [ "${1:-}" = "--" ] && shift && targets=("$@")
    # Configured every time, so that a tool installed since is found; a
    # configure with nothing new takes a moment only.
    if [ -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" "${options[@]}" >/dev/null
    else
        cmake -S . -B "$dir" -G Ninja "${options[@]}" >/dev/null
    fi
    # Only what the compiler says is shown, not ninja's progress lines.
    local status=0
    cmake --build "$dir" -- -j"$(nproc)" "${targets[@]}" >"$dir/build.log" 2>&1 || status=$?
    grep -v -E '^\[[0-9]+/[0-9]+\] |^ninja: (no work to do|Entering)' "$dir/build.log" || true
    return "$status"
}
