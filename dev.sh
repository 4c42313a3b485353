#!/usr/bin/env bash
# Build, run and test Fizzet on Debian 12, installing whatever Debian packages are missing.
#
#   ./dev.sh run             build the Qt program and start it
#   ./dev.sh test            build everything and run every test: the Qt program, again with
#                            AddressSanitizer and UndefinedBehaviorSanitizer, the Windows program
#                            under Wine, and the page under node and in Chromium
#   ./dev.sh test qt|win32|web   the same for one front-end (qt includes the sanitizer build)
#   ./dev.sh web             build the page, build-web/fizzet.html, and open it where a desktop is
#   ./dev.sh deps [FRONTEND] only install the packages (for every test, or for one front-end's)
set -euo pipefail
cd "$(dirname "$0")"

# What building and running the Qt program needs.
run_packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libxcb1-dev
    libx11-dev libfontconfig-dev libbenchmark-dev doctest-dev)
# What each front-end's tests need besides.
qt_packages=(
    # the real window under a private X server
    xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick fonts-dejavu-core
    # hostile surroundings: a Wayland compositor, D-Bus autolaunch through X11, a Turkish locale
    weston qt6-wayland dbus-x11 locales
    # what screen readers see: a session bus, the accessibility bus, Debian's AT-SPI bindings
    dbus-daemon at-spi2-core python3-pyatspi
    # packaging checks
    dpkg-dev file desktop-file-utils appstream devscripts lintian
)
# the Windows program: cross-compiler, and Wine to run it; its end-to-end test drives X
win32_packages=(g++-mingw-w64-x86-64 wine wine64 binutils-mingw-w64-x86-64 doctest-dev
    xvfb xauth xdotool x11-utils imagemagick wixl)
# the page: Emscripten to build it, node for the core's tests, real Chromium to drive it
web_packages=(emscripten nodejs chromium chromium-driver python3-selenium python3-pil
    xvfb xauth xdotool dbus-daemon at-spi2-core python3-pyatspi doctest-dev firefox-esr
    webkit2gtk-driver)

install_missing() { # package...
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    # npm, for axe-core, where node came without it (Debian's nodejs does)
    if [[ " $* " == *" nodejs "* ]] && ! command -v npm >/dev/null; then missing+=(npm); fi
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

# The packages for testing the front-ends named, or all of them.
test_packages() { # [frontend]
    local packages=("${run_packages[@]}")
    for f in ${1:-qt win32 web}; do
        local list="${f}_packages[@]"
        packages+=("${!list}")
    done
    echo "${packages[@]}"
}

# What the page's tests take from npm, at the versions tests/web/package-lock.json pins.
install_npm_packages() {
    [ -f tests/web/node_modules/axe-core/axe.min.js ] &&
        [ -d tests/web/node_modules/puppeteer-core ] && return
    npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
}

build() { # preset
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

test_qt() {
    build qt
    ctest --preset qt
    build sanitize
    ctest --preset sanitize
}
test_win32() { cmake --workflow --preset win32; }
test_web() {
    install_npm_packages
    cmake --workflow --preset web
}

frontend=${2:-}
case "$frontend" in
"" | qt | win32 | web) ;;
*)
    echo "dev.sh: the front-ends are qt, win32 and web, not \"$frontend\"" >&2
    exit 2
    ;;
esac

case "${1:-}" in
deps)
    # shellcheck disable=SC2046 # one package a word
    install_missing $(test_packages "$frontend")
    [ -n "$frontend" ] && [ "$frontend" != web ] || install_npm_packages
    ;;
run)
    install_missing "${run_packages[@]}"
    build qt
    exec ./build/app/fizzet
    ;;
test)
    # shellcheck disable=SC2046
    install_missing $(test_packages "$frontend")
    for f in ${frontend:-qt win32 web}; do "test_$f"; done
    ;;
web)
    install_missing "${run_packages[@]}" "${web_packages[@]}"
    build web
    page=$PWD/build-web/fizzet.html
    echo "The page: $page"
    # Opened where a desktop session can show it.
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null; then
        xdg-open "$page" >/dev/null 2>&1 &
    fi
    ;;
*)
    echo "usage: $0 run | test [qt|win32|web] | web | deps [qt|win32|web]" >&2
    exit 2
    ;;
esac
