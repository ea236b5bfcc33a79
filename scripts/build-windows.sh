#!/usr/bin/env bash
# Cross-builds the Windows programs in Release with mingw-w64, as they ship:
# build-win64 (x64) and build-win32 (x86, the control a 32-bit browser loads).
# Both also hold the Wine tests' own Windows programs. Arguments are CMake
# options for both trees, which keep them for later builds (such as
# -DPRESTOVA_ALLOWED_SITES=...).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh windows-x64 "$@"
bash scripts/build.sh windows-x86 "$@"
