#!/usr/bin/env bash
# Cross-builds the Windows programs with mingw-w64: build-win64 (run under
# Wine by the tests) and build-win32 (for 32-bit hosts; built, not run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
bash scripts/build.sh build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
