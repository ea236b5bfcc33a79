#!/usr/bin/env bash
# The real program under Valgrind's memcheck: `prestova check` on every bundled
# machine with the sample page as JSON, and once as HTML. Any memory error, any
# definitely or indirectly lost block, or a run that does not succeed fails.
#   valgrind_check.sh VALGRIND PRESTOVA SOURCE_DIR
set -uo pipefail
usage="usage: valgrind_check.sh VALGRIND PRESTOVA SOURCE_DIR"
valgrind=${1:?$usage}
prestova=${2:?$usage}
source_dir=${3:?$usage}
page="$source_dir/pages/sample.html"

shopt -s nullglob
machines=("$source_dir"/profiles/*.machine)
if [ ${#machines[@]} -eq 0 ]; then
  echo "FAIL: no machine profiles in $source_dir/profiles" >&2
  exit 1
fi

logs=$(mktemp -d "${TMPDIR:-/tmp}/prestova-valgrind.XXXXXXXX") || exit 1
trap 'rm -rf "$logs"' EXIT

passed=0
failed=0
# One run: a label, then prestova's arguments.
run() {
  local label=$1
  shift
  local log="$logs/run.log"
  if "$valgrind" --tool=memcheck --error-exitcode=1 --leak-check=full \
       --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
       --log-file="$log" "$prestova" "$@" >/dev/null 2>"$logs/stderr"; then
    echo "ok: $label"
    passed=$((passed + 1))
  else
    echo "FAIL: $label (exit $?)" >&2
    cat "$logs/stderr" "$log" >&2
    failed=$((failed + 1))
  fi
}

for machine in "${machines[@]}"; do
  run "$(basename "$machine") as json" check --machine "$machine" --page "$page" --format json
done
run "$(basename "${machines[0]}") as html" check --machine "${machines[0]}" --page "$page" --format html

echo "valgrind: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
