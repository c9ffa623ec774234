#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a configured build tree and checks what it
# holds and what it needs: the program, desktop entry, metainfo, icons, manual
# page and changelog in the standard places; Qt 6 Widgets and a Japanese font
# among the dependencies; the program hardened; and, when lintian is
# installed, no error or warning from it.
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
./usr/lib/x86_64-linux-gnu/kalvora/kalvora-exact.so
./usr/share/applications/org.kalvora.kalvora.desktop
./usr/share/doc/kalvora/changelog.gz
./usr/share/doc/kalvora/copyright
./usr/share/icons/hicolor/128x128/apps/org.kalvora.kalvora.png
./usr/share/icons/hicolor/16x16/apps/org.kalvora.kalvora.png
./usr/share/icons/hicolor/24x24/apps/org.kalvora.kalvora.png
./usr/share/icons/hicolor/256x256/apps/org.kalvora.kalvora.png
./usr/share/icons/hicolor/32x32/apps/org.kalvora.kalvora.png
./usr/share/icons/hicolor/48x48/apps/org.kalvora.kalvora.png
./usr/share/icons/hicolor/64x64/apps/org.kalvora.kalvora.png
./usr/share/icons/hicolor/scalable/apps/org.kalvora.kalvora.svg
./usr/share/man/ja/man1/kalvora.1.gz
./usr/share/man/man1/kalvora.1.gz
./usr/share/metainfo/org.kalvora.kalvora.metainfo.xml
LIST
)
check "file list" '[ "$files" = "$expected" ] || { diff <(echo "$expected") <(echo "$files"); false; }'

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
check "depends on Qt 6 Widgets" 'grep -q "libqt6widgets6" <<<"$depends"'
check "depends on Qt 6 Gui (platform plugins)" 'grep -q "libqt6gui6" <<<"$depends"'
check "depends on a Japanese font" 'grep -q "fonts-noto-cjk" <<<"$depends"'
check "depends on a TrueType Japanese font for PDF" 'grep -q "fonts-ipafont-mincho" <<<"$depends"'
check "package name and architecture" '[ "$(dpkg-deb -f "$deb" Package)" = kalvora ] && [ -n "$(dpkg-deb -f "$deb" Architecture)" ]'

dpkg-deb -x "$deb" "$work/root"
check "desktop entry validates" 'desktop-file-validate "$work/root/usr/share/applications/org.kalvora.kalvora.desktop"'
metainfo="$work/root/usr/share/metainfo/org.kalvora.kalvora.metainfo.xml"
check "metainfo validates (appstream-util)" 'appstream-util validate --nonet "$metainfo" >/dev/null'
if command -v appstreamcli >/dev/null; then
  check "metainfo validates (appstreamcli, pedantic)" \
    'out=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1) && ! grep -qE "^[EWIP]:" <<<"$out" || { echo "$out"; false; }'
fi
check "metainfo carries the package version" \
  'grep -q "<release version=\"$(dpkg-deb -f "$deb" Version)\"" "$metainfo"'
screenshots=$(cd "$(dirname "$0")/../../docs/screenshots" && pwd)
check "metainfo screenshots are the README's pictures" \
  'images=$(grep -o "<image>[^<]*" "$metainfo" | sed "s|.*/||"); [ -n "$images" ] && (cd "$screenshots" && ls $images >/dev/null)'
program="$work/root/usr/bin/kalvora"
# Read whole before grep looks at them: grep -q leaving early would break the pipe.
sections=$(readelf -SW "$program"); dynamic=$(readelf -dW "$program"); symbols=$(readelf --dyn-syms -W "$program")
check "binary is stripped" '! file "$program" | grep -q "not stripped"'
check "no compiler notes left in the binary" '! grep -qE "\.comment|\] \.note +" <<<"$sections"'
check "relocations read-only and bound at start" 'grep -q "BIND_NOW" <<<"$dynamic"'
check "checked string functions" 'grep -q "_chk@" <<<"$symbols"'
check "stack protection" 'grep -q "__stack_chk_fail@" <<<"$symbols"'
if command -v lintian >/dev/null; then
  check "lintian: no errors, no warnings" \
    'out=$(lintian -EvIL +pedantic "$deb" 2>&1); echo "$out" | sed "s/^/  lintian: /"; ! grep -qE "^[EW]: " <<<"$out"'
else
  echo "skip: lintian is not installed"
fi
exit $fail
