#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those missing, so a
# second run is quick. Uses apt-get as root and sudo otherwise.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  # ThreadSanitizer's runtime for the test command's thread tests (it comes
  # with build-essential's compiler; named so that it is never missed).
  libtsan2
  # The code's format, checked by the test command.
  clang-format
  libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
  libspng-dev libpugixml-dev libzstd-dev nlohmann-json3-dev libxxhash-dev
  qt6-base-dev qt6-translations-l10n fonts-nanum
  # The English translation: lrelease compiles it at build time (CMake's
  # Qt6LinguistTools comes with qt6-tools-dev), lupdate checks it in the tests.
  qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools python3
  xvfb xauth xdotool imagemagick
  # The peer editor, whose renderer the TMX export is checked against, and a
  # light window manager for the editor's window on a desktop.
  tiled openbox x11-utils
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
