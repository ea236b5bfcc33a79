#!/usr/bin/env bash
# Everything the project checks, on a fresh Debian machine:
#   - installs what building, packaging and testing need;
#   - packages: Release builds for 64- and 32-bit Windows and dist/ (the
#     signed DLLs, programs, CAB and installers);
#   - Release builds with GCC (-O3) and clang, warnings as errors;
#   - the plain build's tests, with the Wine suite for both Windows builds
#     and the tests of dist/;
#   - every fuzz target for a short run on its seed corpus (fails on a finding);
#   - a build with AddressSanitizer and UndefinedBehaviorSanitizer and its tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/package.sh

bash scripts/build.sh build-release-gcc -DCMAKE_BUILD_TYPE=Release -DPRESTOVA_TESTS=ON
CC=clang CXX=clang++ bash scripts/build.sh build-release-clang -DCMAKE_BUILD_TYPE=Release -DPRESTOVA_TESTS=ON
CC=clang-16 CXX=clang++-16 bash scripts/build.sh build-release-clang16 -DCMAKE_BUILD_TYPE=Release -DPRESTOVA_TESTS=ON

bash scripts/build.sh build -DPRESTOVA_TESTS=ON -DPRESTOVA_WINDOWS_BUILD="$PWD/build-win64" \
  -DPRESTOVA_WINDOWS_BUILD_X86="$PWD/build-win32" -DPRESTOVA_DIST="$PWD/dist"
(cd build && ctest --output-on-failure -j 2)

bash scripts/fuzz.sh all 30

bash scripts/build.sh build-asan -DPRESTOVA_TESTS=ON -DPRESTOVA_SANITIZE=ON
cd build-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j 2
