#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the desktop files there,
# the program's answers without a display, and that the installed program
# opens «Решение и график» from its own library folder.
#   check-install.sh BUILD_DIR APP_ID
set -euo pipefail
build="$(realpath "$1")"
id="$2"
here="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp/usr" >/dev/null
for f in bin/quadratic lib/quadratic/libquadratic-solution.so share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/{16x16,24x24,32x32,48x48,128x128,256x256}/apps/$id.png; do
    [ -f "$tmp/usr/$f" ] || { echo "missing after install: $f"; exit 1; }
done
for size in 16 24 32 48 128 256; do
    actual="$(file -b "$tmp/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")"
    echo "$actual" | grep -q "$size x $size" || { echo "icon $size: $actual"; exit 1; }
done
grep -qx "Icon=$id" "$tmp/usr/share/applications/$id.desktop"
grep -qx "Name=Квадратное уравнение" "$tmp/usr/share/applications/$id.desktop"
desktop-file-validate "$tmp/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$tmp/usr/share/metainfo/$id.metainfo.xml"

# --help and --version: Russian text and exit code 0, with no display at all.
program="$tmp/usr/bin/quadratic"
for answer in "--help:^Использование: quadratic" "--version:версия [0-9]"; do
    option="${answer%%:*}"
    out="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" "$option")" ||
        { echo "quadratic $option failed"; exit 1; }
    echo "$out" | grep -q "${answer#*:}" || { echo "quadratic $option says: $out"; exit 1; }
done

# The installed program loads its window's module from ../lib/quadratic/. The
# build tree's module, which it would also try, is out of reach meanwhile.
module="$tmp/usr/lib/quadratic/libquadratic-solution.so"
cat >"$tmp/open-window.sh" <<'SCRIPT'
set -eu
program="$1" module="$2"
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
main=""
for _ in $(seq 200); do
    main="$(xdotool search --pid $pid --name '^Квадратное уравнение$' 2>/dev/null | head -1 || true)"
    [ -n "$main" ] && break
    sleep 0.05
done
[ -n "$main" ] || { echo "the main window did not appear"; exit 1; }
sleep 0.3
xdotool windowfocus --sync "$main"
xdotool type --delay 20 -- 1
xdotool key Tab
xdotool type --delay 20 -- -3
xdotool key Tab
xdotool type --delay 20 -- 1
xdotool key --delay 50 Return Return ctrl+r
for _ in $(seq 200); do
    if grep -qF "$module" /proc/$pid/maps &&
        xdotool search --pid $pid --name '^Решение и график$' >/dev/null 2>&1; then
        exit 0
    fi
    sleep 0.05
done
echo "«Решение и график» did not open from $module"
exit 1
SCRIPT
built="$build/libquadratic-solution.so"
mv "$built" "$built.away"
trap 'mv "$built.away" "$built"; rm -rf "$tmp"' EXIT
status=0
"$here/../../tools/with-xvfb" bash "$tmp/open-window.sh" "$program" "$module" || status=$?
case $status in
0) echo "install: the installed program opens «Решение и график» from $module" ;;
77) echo "install: the window was not opened (no Xvfb)" ;;
*) exit 1 ;;
esac
echo "install: all files present and valid"
