#!/usr/bin/env bash
# Measures `prestova report` on a generated fleet:
#   bench/fleet.sh N [PRESTOVA]
# writes N varied machine profiles (bench/make_fleet.sh) into a folder of its
# own, then reports them against the sample page as csv, jsonl and html with
# /usr/bin/time -v, printing the elapsed time, the rate, the CPU time and the
# peak memory of each, the size of its output per machine, and how the html
# compares with the csv (goals: at most 1.5 times its time, at most 2 KB a
# machine). PRESTOVA defaults to build/prestova (a Release build gives the
# figures worth quoting).
set -euo pipefail
n=${1:?usage: fleet.sh N [PRESTOVA]}
root=$(cd "$(dirname "$0")/.." && pwd)
prestova=${2:-$root/build/prestova}
work=$(mktemp -d "${TMPDIR:-/tmp}/prestova-fleet.XXXXXX")
trap 'rm -rf "$work"' EXIT
declare -A seconds bytes

start=$(date +%s.%N)
bash "$root/bench/make_fleet.sh" "$n" "$work/machines"
echo "generated $n machines in $(echo "$(date +%s.%N) - $start" | bc) s ($(du -sh "$work/machines" | cut -f1))"

for format in csv jsonl html; do
  /usr/bin/time -v "$prestova" report --page "$root/pages/sample.html" "$work/machines" --format "$format" \
    --output "$work/report.$format" 2>"$work/time.$format" || { cat "$work/time.$format"; exit 1; }
  elapsed=$(grep -F 'Elapsed (wall clock)' "$work/time.$format" | awk '{print $NF}')
  peak=$(grep -F 'Maximum resident set size' "$work/time.$format" | awk '{print $NF}')
  cpu=$(grep -E '(User|System) time' "$work/time.$format" | awk '{ s += $NF } END { print s }')
  seconds[$format]=$(echo "$elapsed" | awk -F: '{ s = 0; for (i = 1; i <= NF; ++i) s = s * 60 + $i; print s }')
  bytes[$format]=$(stat -c %s "$work/report.$format")
  printf '%-5s %8d machines  %8s elapsed  %7.0f machines/s  %4.0f µs CPU per machine  peak %5.1f MB  ' \
    "$format" "$n" "$elapsed" "$(echo "$n / ${seconds[$format]}" | bc -l)" "$(echo "$cpu * 1000000 / $n" | bc -l)" \
    "$(echo "$peak / 1024" | bc -l)"
  printf 'output %6.1f MB, %5.0f bytes per machine\n' "$(echo "${bytes[$format]} / 1000000" | bc -l)" \
    "$(echo "${bytes[$format]} / $n" | bc -l)"
done
printf 'html against csv: %.2f times the time, %.1f times the size\n' \
  "$(echo "${seconds[html]} / ${seconds[csv]}" | bc -l)" "$(echo "${bytes[html]} / ${bytes[csv]}" | bc -l)"
