#!/usr/bin/env bash
# Builds the .deb, unpacks it into a scratch root and checks what it holds.
#   check-deb.sh BUILD_DIR APP_ID
set -euo pipefail
build="$(cd "$1" && pwd)"
id="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/pkg" >/dev/null)
deb="$(ls "$tmp"/pkg/*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
# Computed from the binary by dpkg-shlibdeps, so it names the Qt libraries it links.
for lib in libqt6widgets6 libqt6svg6 libqt6gui6 libc6; do
    echo "$depends" | grep -q "$lib" || { echo "Depends lacks $lib"; exit 1; }
done
dpkg-deb -f "$deb" Recommends | grep -q qt6-wayland || { echo "Recommends lacks qt6-wayland"; exit 1; }
dpkg -x "$deb" "$tmp/root"
for f in usr/bin/quadratic usr/lib/quadratic/libquadratic-solution.so usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/256x256/apps/$id.png; do
    [ -f "$tmp/root/$f" ] || { echo "missing in package: $f"; exit 1; }
done
# The packaged program runs: without a display it says so and exits 1.
set +e
message="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tmp/root/usr/bin/quadratic" 2>&1)"
code=$?
set -e
[ "$code" -eq 1 ] || { echo "packaged program exited $code: $message"; exit 1; }
echo "$message" | grep -q "нет графического экрана"
echo "deb: $(basename "$deb") holds the program, its solution window module, desktop entry, metainfo and icons"
