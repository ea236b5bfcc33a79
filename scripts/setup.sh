#!/usr/bin/env bash
# Installs what building and testing Prestova needs on Debian (as root, or
# through sudo). Packages already present are left alone.
set -euo pipefail

packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev imagemagick libxml2-utils
          # the Windows build, and Wine to run it
          g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools wine wine64)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
