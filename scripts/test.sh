#!/usr/bin/env bash
# Builds everything: the Windows programs (64- and 32-bit), the plain build
# (whose tests include the Wine tests of the Windows programs) and a build
# with AddressSanitizer and UndefinedBehaviorSanitizer; runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

bash scripts/build-windows.sh

bash scripts/build.sh build -DPRESTOVA_WINDOWS_BUILD="$PWD/build-win64"
(cd build && ctest --output-on-failure -j 2)

bash scripts/build.sh build-asan -DPRESTOVA_SANITIZE=ON
cd build-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j 2
