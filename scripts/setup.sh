#!/usr/bin/env bash
# Installs what Prestova needs on Debian (as root, or through sudo); packages
# already present are left alone.
#   setup.sh demo     the Linux build and the demo
#   setup.sh package  also the Windows cross-build, packaging and signing
#   setup.sh          everything the tests need (the default): also 32- and
#                     64-bit Wine, clang and the test libraries
set -euo pipefail
group=${1:-all}

demo=(cmake g++ make libcli11-dev)
package=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
         gcab wixl msitools osslsigncode openssl
         # widl reads Wine's stdole2.tlb
         wine64)
tests=(lintian man-db libgtest-dev libgmock-dev libbenchmark-dev imagemagick libxml2-utils clang clang-16 libclang-rt-16-dev ninja-build clang-format icoutils valgrind
       wine wine64 wine32:i386
       # the fleet dashboard's browser test: Chromium driven by playwright-core
       chromium nodejs)

case "$group" in
  demo) packages=("${demo[@]}") ;;
  package) packages=("${demo[@]}" "${package[@]}") ;;
  all) packages=("${demo[@]}" "${package[@]}" "${tests[@]}") ;;
  *) echo "usage: setup.sh [demo|package|all]" >&2; exit 2 ;;
esac

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# 32-bit Wine runs the x86 control the way a 32-bit browser loads it.
need_i386=no
for p in "${packages[@]}"; do
  [[ "$p" == *:i386 ]] && need_i386=yes
done
added_architecture=no
if [ "$need_i386" = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  added_architecture=yes
fi

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ "$added_architecture" = yes ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# playwright-core, pinned by tests/browser/package-lock.json, from the npm registry.
if [ "$group" = all ] && command -v npm >/dev/null; then
  (cd "$(dirname "$0")/../tests/browser" && npm ci --no-audit --no-fund --silent)
fi
