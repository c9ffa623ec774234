#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building, testing and running Kalvora need.
# Idempotent: when every package is already present it does nothing at all.
set -euo pipefail

# Usage: install-deps.sh [run|all]
#   run: what building and running the program needs
#   all: that, and what the tests, the sanitizer and fuzzing builds, the
#        package checks, screenshots and the benchmark need (the default)
profile=${1:-all}

packages=(
  build-essential cmake ninja-build make pkg-config
  qt6-base-dev qt6-base-dev-tools   # Widgets, Test and the moc/rcc tools
  libgl-dev                         # Qt's CMake package looks for it even though we never use OpenGL
  fonts-noto-cjk                    # Japanese glyphs
  qt6-translations-l10n             # Qt's own words (context menus) in Japanese
  libflint-dev libcalcium-dev       # exact answers: rationals, exact matrices, algebraic numbers
  libflint-arb-dev                  # Calcium's headers include Arb's, which libcalcium-dev does not pull in
)
if [[ "$profile" == all ]]; then
  packages+=(
    clang libclang-rt-14-dev          # fuzzing and sanitizer runtimes
    xvfb xauth imagemagick x11-utils  # headless screenshots and window checks
    desktop-file-utils appstream-util appstream # checks of the desktop entry and metainfo
    dpkg-dev lintian                  # dpkg-shlibdeps for the Debian package; its check
    libx11-dev bc                     # the start-up benchmark
    at-spi2-core python3-pyatspi dbus # the accessibility tree read as a screen reader reads it
  )
elif [[ "$profile" != run ]]; then
  echo "usage: install-deps.sh [run|all]" >&2
  exit 2
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
