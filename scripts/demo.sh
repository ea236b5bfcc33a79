#!/usr/bin/env bash
# Sets everything up, builds, and shows the panel a 2005 Windows XP laptop
# gets from the sample page.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh demo
bash scripts/build.sh plain -DPRESTOVA_TESTS=OFF >/dev/null
./build/prestova check --machine profiles/xp-laptop-2005.machine --page pages/sample.html
