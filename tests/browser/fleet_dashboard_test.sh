#!/usr/bin/env bash
# Builds a fleet report of the bundled machines (JSON lines and HTML) in a folder of
# its own, and a panel page, and drives both in Chromium; then the same machines on
# runs that stop, and a generated fleet of 100,000 machines. The screenshots are kept
# as fleet-dashboard*.png in the folder given, for a person to look at.
#   fleet_dashboard_test.sh PRESTOVA SOURCE_DIR SCREENSHOT_DIR
set -euo pipefail
prestova=$1 source=$2 shots=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/prestova-dashboard.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
cp -R "$source/profiles" machines
# Named as a help desk would, so the screenshots show no build paths.
mkdir pages
cp "$source/pages/sample.html" pages/
# Beside them where runs stop, a name the panel's title must escape.
mkdir odd
cp machines/bare-xp.reg odd/
cp machines/bare-xp.machine "odd/o'neil & <lab> \"7\".machine"
"$prestova" report --page pages/sample.html machines --format jsonl --output fleet.jsonl 2>/dev/null
"$prestova" report --page pages/sample.html machines --format html --output fleet.html 2>/dev/null
"$prestova" report --page pages/sample.html --param MemoryMin=lots machines odd --format html \
  --output stopped.html 2>/dev/null
# The machine whose video advice is the longest caption of all.
"$prestova" check --machine machines/win98-desktop.machine --page pages/sample.html --format html --output panel.html 2>/dev/null
bash "$source/bench/make_fleet.sh" 100000 many
"$prestova" report --page pages/sample.html many --format html --output many.html 2>/dev/null
node "$source/tests/browser/fleet_dashboard.mjs" "$work/fleet.html" "$work/fleet.jsonl" "$work/fleet-dashboard.png" \
  "$work/panel.html" "$work/stopped.html" "$work/many.html" "$prestova"
mkdir -p "$shots"
cp fleet-dashboard*.png "$shots/"
