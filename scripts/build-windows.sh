#!/usr/bin/env bash
# Cross-builds the Windows programs in Release with mingw-w64, as they ship:
# build-win64 (x64) and build-win32 (x86, the control a 32-bit browser loads).
# Both also hold the Wine tests' own Windows programs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
bash scripts/build.sh build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DCMAKE_BUILD_TYPE=Release
