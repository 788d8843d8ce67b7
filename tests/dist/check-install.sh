#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the desktop files there.
#   check-install.sh BUILD_DIR APP_ID
set -euo pipefail
build="$1"
id="$2"
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
echo "install: all files present and valid"
