#!/usr/bin/env bash
# Under a Wayland session (run by run-under-weston.sh), the program as the
# README starts it, with no platform chosen, is a native Wayland client: it
# announces the desktop entry's id as its app id and a fixed size.
#   check-native.sh PROGRAM APP_ID
set -euo pipefail
program="$1"
id="$2"
unset QT_QPA_PLATFORM
# As on a GNOME Wayland session, where XWayland offers a DISPLAY too and Qt
# by itself would pick X11.
export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME DISPLAY=:99
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
WAYLAND_DEBUG=client "$program" 2>"$log" &
pid=$!
for _ in $(seq 300); do grep -q 'set_app_id' "$log" && break; sleep 0.02; done
sleep 0.3
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
fail=0
# libwayland writes the object as xdg_toplevel@14 up to 1.22, as xdg_toplevel#14 from 1.23 on.
grep -Eq "xdg_toplevel[@#][0-9]+\.set_app_id\(\"${id//./\\.}\"\)" "$log" \
    && echo "ok      native Wayland client with app id $id" \
    || { echo "FAILED  no xdg_toplevel with the app id"; fail=1; }
min="$(grep -o 'set_min_size([0-9]*, [0-9]*)' "$log" | tail -1)"
max="$(grep -o 'set_max_size([0-9]*, [0-9]*)' "$log" | tail -1)"
[ -n "$min" ] && [ "${min#set_min_size}" = "${max#set_max_size}" ] \
    && echo "ok      fixed size: $min, $max" \
    || { echo "FAILED  size not fixed: $min / $max"; fail=1; }
grep -q 'set_title("Квадратное уравнение")' "$log" \
    && echo "ok      title Квадратное уравнение" \
    || { echo "FAILED  no title"; fail=1; }
exit "$fail"
