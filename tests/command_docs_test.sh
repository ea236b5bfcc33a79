# Help, manual page and completion, all written from the commands'
# declaration: every help line fits 80 columns, man renders the page without
# a warning, and bash completes commands, options and their values.
#   command_docs_test.sh PRESTOVA
set -euo pipefail
prestova=$1
failed=0
expect() {  # WHAT EXPECTED ACTUAL
  [ "$2" = "$3" ] || { echo "FAIL: $1: expected '$2', got '$3'" >&2; failed=1; }
}
for command in "" check call snapshot report help version; do
  expect "help $command lines over 80 columns" "" "$("$prestova" help $command | awk 'length > 80')"
done
expect "man's warnings" "" "$("$prestova" generate man | MANWIDTH=80 man --warnings -l - 2>&1 >/dev/null)"

source <("$prestova" generate bash-completion)
completes() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _prestova
  echo "${COMPREPLY[*]}"
}
expect "prestova re" report "$(completes prestova re)"
expect "check --for" --format "$(completes prestova check --for)"
expect "check --format" "text json svg html" "$(completes prestova check --format '')"
expect "report --format j" jsonl "$(completes prestova report --format j)"
expect "check --click java" javalink "$(completes prestova check --click java)"
expect "help sn" snapshot "$(completes prestova help sn)"
[ "$failed" -eq 0 ] && echo "command docs: help, manual page and completion agree with the commands"
