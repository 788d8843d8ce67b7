#!/usr/bin/env bash
# Runs the end-to-end test in a private session (tools/with-xvfb): Xvfb with a
# laptop's screen, where at twice the scale the window must move up to fit,
# a D-Bus session bus and the AT-SPI bus.
#   run-e2e.sh PROGRAM
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
exec "$here/../../tools/with-xvfb" --size 1280x900 --a11y \
    env LC_ALL=C.UTF-8 /usr/bin/python3 "$here/e2e.py" "$(realpath "$1")"
