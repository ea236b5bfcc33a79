#!/usr/bin/env bash
# Configures and builds one preset of CMakePresets.json (its folder is named
# there): build.sh PRESET [cmake options...]. PRESTOVA_WERROR=ON in the
# environment makes warnings errors (the test command sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1; shift
options=()
[ "${PRESTOVA_WERROR:-}" = ON ] && options+=(-DPRESTOVA_WERROR=ON)
cmake --preset "$preset" "${options[@]}" "$@" >/dev/null
cmake --build --preset "$preset"
