#!/usr/bin/env bash
# Runs the end-to-end test in a private session: Xvfb, a D-Bus session bus and
# the AT-SPI bus. Stops only what it started.
#   run-e2e.sh PROGRAM
set -euo pipefail
program="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
if ! command -v Xvfb >/dev/null; then
    echo "SKIP: Xvfb is not installed (tools/bootstrap test installs it)"
    exit 77
fi

pids=()
runtime="$(mktemp -d)"
chmod 700 "$runtime"
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$runtime"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and tells it through fd 3. The
# screen is a laptop's: at twice the scale the window must move up to fit.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$runtime/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 250); do [ -s "$runtime/display" ] && break; sleep 0.02; done
export DISPLAY=":$(cat "$runtime/display")"

export XDG_RUNTIME_DIR="$runtime"
read -r address pid < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -s -d ' ')
pids+=("$pid")
export DBUS_SESSION_BUS_ADDRESS="$address"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
unset AT_SPI_BUS_ADDRESS
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0 LC_ALL=C.UTF-8

/usr/bin/python3 "$here/e2e.py" "$program"
