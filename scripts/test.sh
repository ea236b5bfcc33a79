#!/usr/bin/env bash
# Builds everything twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test in both.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

bash scripts/build.sh build
(cd build && ctest --output-on-failure -j 2)

bash scripts/build.sh build-asan -DPRESTOVA_SANITIZE=ON
cd build-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j 2
