#!/usr/bin/env bash
# The page beside a floor page that pays for a frame every 25 ms, in headless Chromium.
#   bench/web.sh [PAGE] [SECONDS]     PAGE defaults to build-web/fizzet.html (./dev.sh web)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exec /usr/bin/python3 "$here/web/web.py" "${1:-$here/../build-web/fizzet.html}" \
    "$here/web/floor.html" "${2:-30}"
