# Shared by run.sh and test.sh: installs what is missing, configures and builds.
# Sourced, not run.

# Everything a fresh Debian 12 machine needs to build, run and test Teskora.
TESKORA_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libgtest-dev libbenchmark-dev libeigen3-dev
    fonts-dejavu-core fonts-liberation2
    g++-mingw-w64-x86-64 wine64
    desktop-file-utils dpkg-dev file lintian appstream man-db poppler-utils
    g++-aarch64-linux-gnu qemu-user
    # the real-desktop test: an X server, a window manager, keys, the clipboard,
    # the accessibility bus and a screen reader
    xvfb openbox xdotool x11-xkb-utils x11-utils xclip dbus at-spi2-core python3-pyatspi orca imagemagick
)

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

# teskora_build <build folder> [cmake options...]
teskora_build() {
    local dir=$1
    shift
    # Configured every time, so that a tool installed since is found; a
    # configure with nothing new takes a moment only.
    if [ -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" "$@" >/dev/null
    else
        cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    fi
    # Only what the compiler says is shown, not ninja's progress lines.
    local status=0
    cmake --build "$dir" -- -j"$(nproc)" >"$dir/build.log" 2>&1 || status=$?
    grep -v -E '^\[[0-9]+/[0-9]+\] |^ninja: (no work to do|Entering)' "$dir/build.log" || true
    return "$status"
}
