#!/usr/bin/env bash
# Runs a libFuzzer target on a copy of its seed corpus:
#   fuzz.sh TARGET SECONDS   one of the targets in fuzz/
#   fuzz.sh all SECONDS      every target in turn, SECONDS each
# Builds build-fuzz/ with clang 16 first (FUZZ_BUILD names another tree).
# New inputs go to a work folder in the build tree, never into fuzz/corpus.
# Exits non-zero on any finding (crash, sanitizer report, uncaught exception,
# timeout, memory) and prints the reproducer's path.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
targets=(fuzz_reg_reader fuzz_facts_reader fuzz_page_reader fuzz_variant fuzz_check_run fuzz_snapshot_roundtrip
         fuzz_site_lock)

if [ $# -ne 2 ] || ! [[ "$2" =~ ^[0-9]+$ ]]; then
  echo "usage: fuzz.sh TARGET|all SECONDS (targets: ${targets[*]})" >&2
  exit 2
fi
target=$1
seconds=$2
if [ "$target" = all ]; then
  run=("${targets[@]}")
elif [[ " ${targets[*]} " == *" $target "* ]]; then
  run=("$target")
else
  echo "fuzz.sh: unknown target $target (targets: ${targets[*]})" >&2
  exit 2
fi

build=${FUZZ_BUILD:-$root/build-fuzz}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset fuzz -B "$build" >/dev/null
fi
nice cmake --build "$build" -j 2 --target "${run[@]}" >/dev/null

# The dictionary of each input language the target reads.
dicts() {
  case "$1" in
    fuzz_reg_reader) echo reg ;;
    fuzz_facts_reader | fuzz_snapshot_roundtrip) echo facts reg ;;
    fuzz_page_reader) echo html ;;
    fuzz_variant) echo variant ;;
    fuzz_check_run) echo facts reg html ;;
    fuzz_site_lock) echo url ;;
  esac
}
# Room for the largest seed and then some; a few typed values need little.
max_len() {
  case "$1" in
    fuzz_variant | fuzz_site_lock) echo 512 ;;
    fuzz_reg_reader | fuzz_page_reader) echo 16384 ;;
    *) echo 24576 ;;
  esac
}

failed=()
for t in "${run[@]}"; do
  work=$(mktemp -d "$build/fuzz-work-$t.XXXXXX")
  mkdir -p "$work/corpus" "$work/findings"
  cp -R "$root/fuzz/corpus/$t/." "$work/corpus/"
  for d in $(dicts "$t"); do cat "$root/fuzz/dict/$d.dict"; done >"$work/$t.dict"
  # The registry files the targets write, in memory where possible.
  scratch=$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/prestova-fuzz.XXXXXX")
  echo "== $t for ${seconds}s in $work"
  set +e
  PRESTOVA_FUZZ_SCRATCH=$scratch ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    "$build/fuzz/$t" "$work/corpus" -dict="$work/$t.dict" -max_len="$(max_len "$t")" -timeout=10 \
    -rss_limit_mb=2048 -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/findings/" \
    >"$work/log" 2>&1
  rc=$?
  set -e
  rm -rf "$scratch"
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$work/log" || true
  found=$(find "$work/findings" -type f)
  if [ $rc -ne 0 ] || [ -n "$found" ]; then
    grep -E 'ERROR:|runtime error:|SUMMARY:|deadly signal|uncaught|terminate|broken promise|round trip:' "$work/log" | head -5 || true
    echo "FINDING in $t (exit $rc); log: $work/log"
    for f in $found; do echo "reproducer: $f"; done
    failed+=("$t")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: findings in ${failed[*]}" >&2
  exit 1
fi
echo "fuzz.sh: no findings"
