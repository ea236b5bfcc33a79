#!/usr/bin/env bash
# The real program under Valgrind's memcheck: `prestova check` on every bundled
# machine with the sample page as JSON, and once as HTML. Any memory error, any
# definitely or indirectly lost block, or a run that does not succeed fails
# (with no profile found, the one run of the pattern itself does).
#   valgrind_check.sh VALGRIND PRESTOVA SOURCE_DIR
set -uo pipefail
valgrind=$1 prestova=$2 page="$3/pages/sample.html"
machines=("$3"/profiles/*.machine)
logs=$(mktemp -d "${TMPDIR:-/tmp}/prestova-valgrind.XXXXXXXX") || exit 1
trap 'rm -rf "$logs"' EXIT

failed=0
# One run: a label, then prestova's arguments.
run() {
  local label=$1
  shift
  if "$valgrind" --tool=memcheck --error-exitcode=1 --leak-check=full \
       --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
       --log-file="$logs/run.log" "$prestova" "$@" >/dev/null 2>"$logs/stderr"; then
    echo "ok: $label"
  else
    echo "FAIL: $label (exit $?)" >&2
    cat "$logs/stderr" "$logs/run.log" >&2
    failed=$((failed + 1))
  fi
}

for machine in "${machines[@]}"; do
  run "$(basename "$machine") as json" check --machine "$machine" --page "$page" --format json
done
run "$(basename "${machines[0]}") as html" check --machine "${machines[0]}" --page "$page" --format html
echo "valgrind: ${#machines[@]} machines, $failed failed run(s)"
[ "$failed" -eq 0 ]
