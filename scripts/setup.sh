#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, but only those
# that are missing, so a second run costs nothing.
set -euo pipefail

packages=(g++ cmake ninja-build pkgconf libgtest-dev libgmock-dev libmd-dev
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core clang-format
  clang libclang-rt-14-dev pgn-extract)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
