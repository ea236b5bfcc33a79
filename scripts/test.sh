#!/usr/bin/env bash
# Everything the project checks, on a fresh Debian machine, each stage timed:
#   setup      installs what building, packaging and testing need;
#   format     every C++ source as .clang-format says;
#   package    Release builds for 64- and 32-bit Windows and dist/ (the signed
#              DLLs, programs, CAB and installers);
#   release    the Linux tree in Release with GCC (-O3) and its tests: unit and
#              end-to-end tests, memcheck, the browser test, the Wine suite for
#              both Windows builds and the tests of dist/;
#   clang16    the tree with clang 16 under AddressSanitizer and
#              UndefinedBehaviorSanitizer, instrumented for the fuzz targets;
#   clang14    every source compiled (not linked) with Debian's clang 14;
#   fuzz       every fuzz target for a short run on its seed corpus (fails on a
#              finding);
#   sanitized  the tests again in the clang 16 tree.
# Warnings are errors in every build.
set -euo pipefail
cd "$(dirname "$0")/.."
export PRESTOVA_WERROR=ON
stage_times=()
# stage NAME COMMAND...: runs COMMAND and records how long it took.
stage() {
  local name=$1 start=$SECONDS
  shift
  echo "== $name"
  "$@"
  stage_times+=("$(printf '  %-10s %5d s' "$name" $((SECONDS - start)))")
  echo "== $name: $((SECONDS - start)) s"
}

windows_trees=(-DPRESTOVA_WINDOWS_BUILD="$PWD/build-win64" -DPRESTOVA_WINDOWS_BUILD_X86="$PWD/build-win32"
               -DPRESTOVA_DIST="$PWD/dist")
release_tests() { (cd build-release && ctest --output-on-failure -j 2 | tee ctest.log); }
# The clang 16 tree's tests; leaks are errors there.
sanitized_tests() {
  (cd build-fuzz && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j 2 | tee ctest.log)
}
# Clang 14's warnings on every object, without linking: its objects are only
# compiled (Ninja builds the objects alone), unoptimised and without debug
# information, since only the diagnostics count.
clang14_compile() {
  CC=clang CXX=clang++ cmake --preset plain -B build-clang14 -G Ninja -DPRESTOVA_WERROR=ON \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 >/dev/null
  local objects
  mapfile -t objects < <(ninja -C build-clang14 -t targets all | sed -n 's/^\([^:]*\.o\): .*/\1/p')
  # Only the diagnostics are shown: the progress lines would be thousands.
  if ! ninja -C build-clang14 "${objects[@]}" >build-clang14/compile.log 2>&1; then
    grep -v '^\[' build-clang14/compile.log >&2
    return 1
  fi
  echo "clang 14 compiled ${#objects[@]} objects"
}

stage setup bash scripts/setup.sh
stage format bash scripts/check-format.sh
stage package bash scripts/package.sh
stage release bash scripts/build.sh release "${windows_trees[@]}"
stage clang16 bash scripts/build.sh fuzz
stage clang14 clang14_compile
stage fuzz env FUZZ_BUILD="$PWD/build-fuzz" bash scripts/fuzz.sh all 30
stage sanitized sanitized_tests
stage tests release_tests

echo "== time per stage"
printf '%s\n' "${stage_times[@]}"
printf '  %-10s %5d s\n' total "$SECONDS"
echo "sanitized: $(grep -E '^[0-9]+% tests passed' build-fuzz/ctest.log | tail -n 1)"
grep -E '^[0-9]+% tests passed' build-release/ctest.log | tail -n 1
