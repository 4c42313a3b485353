#!/usr/bin/env bash
# Build, run and test Fizzet on Debian 12, installing whatever Debian packages are missing.
#
#   ./dev.sh run     build the program and start it
#   ./dev.sh test    build everything and run every test, then all of them again built with
#                    AddressSanitizer and UndefinedBehaviorSanitizer, then cross-build the
#                    Windows program and run its tests under Wine, and last build the page
#                    and test it under node and in Chromium
#   ./dev.sh web     build the page, build-web/fizzet.html, and open it where a desktop is
#   ./dev.sh deps    only install the packages
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    # build
    build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libxcb1-dev libbenchmark-dev
    doctest-dev
    # the real window under a private X server
    xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick fonts-dejavu-core libx11-dev
    # hostile surroundings: a Wayland compositor, D-Bus autolaunch through X11, a Turkish locale
    weston qt6-wayland dbus-x11 locales
    # what screen readers see: a session bus, the accessibility bus, Debian's AT-SPI bindings
    dbus-daemon at-spi2-core python3-pyatspi
    # packaging checks
    dpkg-dev file desktop-file-utils appstream devscripts binutils-mingw-w64-x86-64
    # the Windows program: cross-compiler, and Wine to run it
    g++-mingw-w64-x86-64 wine wine64
    # the page: Emscripten to build it, node for the core's tests, real Chromium to drive it
    emscripten nodejs chromium chromium-driver python3-selenium python3-pil
)
# npm, for axe-core, where node came without it (Debian's nodejs does)
command -v npm >/dev/null || packages+=(npm)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "dev.sh: needs ${missing[*]}; without sudo, install them as root: su -c '$0 deps'" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# What the page's tests take from npm, at the versions tests/web/package-lock.json pins.
install_npm_packages() {
    [ -f tests/web/node_modules/axe-core/axe.min.js ] && return
    npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
}

build() { # preset
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

case "${1:-}" in
deps)
    install_missing
    install_npm_packages
    ;;
run)
    install_missing
    build default
    exec ./build/app/fizzet
    ;;
test)
    install_missing
    build default
    ctest --preset default
    build sanitize
    ctest --preset sanitize
    cmake --workflow --preset windows
    install_npm_packages
    cmake --workflow --preset web
    ;;
web)
    install_missing
    cmake --preset web >/dev/null
    cmake --build --preset web
    page=$PWD/build-web/fizzet.html
    echo "The page: $page"
    # Opened where a desktop session can show it.
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null; then
        xdg-open "$page" >/dev/null 2>&1 &
    fi
    ;;
*)
    echo "usage: $0 run|test|web|deps" >&2
    exit 2
    ;;
esac
