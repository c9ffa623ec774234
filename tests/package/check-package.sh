#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a configured build tree and checks what it
# holds and what it needs: the program, desktop entry, metainfo and icons in
# the standard places; Qt 6 Widgets and a Japanese font among the dependencies.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/kalvora_*.deb)
echo "package: $(basename "$deb")"

fail=0
check() { if ! eval "$2"; then echo "FAIL: $1"; fail=1; else echo "ok: $1"; fi; }

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort)
expected=$(sort <<'LIST'
./usr/bin/kalvora
./usr/share/applications/org.kalvora.Kalvora.desktop
./usr/share/doc/kalvora/copyright
./usr/share/icons/hicolor/128x128/apps/org.kalvora.Kalvora.png
./usr/share/icons/hicolor/16x16/apps/org.kalvora.Kalvora.png
./usr/share/icons/hicolor/24x24/apps/org.kalvora.Kalvora.png
./usr/share/icons/hicolor/256x256/apps/org.kalvora.Kalvora.png
./usr/share/icons/hicolor/32x32/apps/org.kalvora.Kalvora.png
./usr/share/icons/hicolor/48x48/apps/org.kalvora.Kalvora.png
./usr/share/icons/hicolor/64x64/apps/org.kalvora.Kalvora.png
./usr/share/icons/hicolor/scalable/apps/org.kalvora.Kalvora.svg
./usr/share/metainfo/org.kalvora.Kalvora.metainfo.xml
LIST
)
check "file list" '[ "$files" = "$expected" ] || { diff <(echo "$expected") <(echo "$files"); false; }'

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
check "depends on Qt 6 Widgets" 'grep -q "libqt6widgets6" <<<"$depends"'
check "depends on Qt 6 Gui (platform and JPEG plugins)" 'grep -q "libqt6gui6" <<<"$depends"'
check "depends on a Japanese font" 'grep -q "fonts-noto-cjk" <<<"$depends"'
check "package name and architecture" '[ "$(dpkg-deb -f "$deb" Package)" = kalvora ] && [ -n "$(dpkg-deb -f "$deb" Architecture)" ]'

dpkg-deb -x "$deb" "$work/root"
check "desktop entry validates" 'desktop-file-validate "$work/root/usr/share/applications/org.kalvora.Kalvora.desktop"'
check "metainfo validates" 'appstream-util validate-relax --nonet "$work/root/usr/share/metainfo/org.kalvora.Kalvora.metainfo.xml" >/dev/null'
check "binary is stripped" '! file "$work/root/usr/bin/kalvora" | grep -q "not stripped"'
exit $fail
