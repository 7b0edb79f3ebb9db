#!/usr/bin/env bash
# Installs the Debian packages Frostlide and Mapwright need, when any is missing.
# Sourced by run.sh and test.sh; does nothing when everything is present.
set -euo pipefail

FROSTLIDE_PACKAGES=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev
  qt6-base-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-open-sans fonts-dejavu-core
  xvfb xauth xdotool x11-utils imagemagick
  clang libclang-rt-14-dev
  desktop-file-utils appstream shared-mime-info sox
  lintian
  # the desktop's message boxes and file dialogs for both programs (SDL and the file dialog
  # call it; without it the game draws its own box)
  zenity
)

missing=()
for p in "${FROSTLIDE_PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
