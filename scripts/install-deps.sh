#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building, testing and running Kalvora need.
# Idempotent: when every package and locale is already present it does nothing
# at all.
set -euo pipefail

# Usage: install-deps.sh [run|all]
#   run: what building and running the program needs
#   all: that, and what the tests, the sanitizer and fuzzing builds, the
#        package checks, screenshots and the benchmark need (the default)
profile=${1:-all}
test_locales=()

packages=(
  build-essential cmake ninja-build make pkg-config
  qt6-base-dev qt6-base-dev-tools   # Widgets, Test and the moc/rcc tools
  libgl-dev                         # Qt's CMake package looks for it even though we never use OpenGL
  fonts-noto-cjk                    # Japanese glyphs
  fonts-ipafont-mincho              # Japanese text in the worked steps' PDF (TrueType, kept as text)
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
    poppler-utils                     # pdftotext and pdfinfo read back the worked steps' PDF
    locales                           # the locales the tests also run under
    texlive-latex-base texlive-lang-japanese # the steps' LaTeX compiled with amsmath (upLaTeX for Japanese)
  )
  # The tests pass in every locale; CI runs them again in German, and these
  # are the ones whose decimal comma or dotless i has caught tests out.
  test_locales=(de_DE.UTF-8 fr_FR.UTF-8 tr_TR.UTF-8)
elif [[ "$profile" != run ]]; then
  echo "usage: install-deps.sh [run|all]" >&2
  exit 2
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

# A locale is present when `locale -a` lists it (as de_DE.utf8).
missing_locales=()
for l in "${test_locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "${l%.UTF-8}.utf8" || missing_locales+=("$l")
done

if [[ ${#missing[@]} -eq 0 && ${#missing_locales[@]} -eq 0 ]]; then
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi

if [[ ${#missing[@]} -gt 0 ]]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Enabled in /etc/locale.gen rather than made with localedef alone, so a later
# locale-gen (which rebuilds every locale from that list) keeps them.
if [[ ${#missing_locales[@]} -gt 0 ]]; then
  echo "install-deps: generating the locales ${missing_locales[*]}"
  for l in "${missing_locales[@]}"; do
    if grep -qE "^# *$l UTF-8\$" /etc/locale.gen; then
      "${sudo[@]}" sed -i -E "s/^# *($l UTF-8)\$/\1/" /etc/locale.gen
    elif ! grep -qE "^$l UTF-8\$" /etc/locale.gen; then
      echo "$l UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    fi
  done
  "${sudo[@]}" locale-gen
fi
