#!/usr/bin/env bash
# Checks that every C++ source obeys .clang-format (Debian's clang-format 14);
#   check-format.sh          lists the files that do not, and fails
#   check-format.sh --fix    formats them in place
# Files a tool writes ("do not edit" in their first lines) are left as written.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.hpp' | while read -r f; do
  [ -f "$f" ] && ! head -n 3 "$f" | grep -q "do not edit" && printf "%s\n" "$f"
done)
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
unformatted=()
for f in "${files[@]}"; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  printf 'not formatted as .clang-format says (bash scripts/check-format.sh --fix):\n' >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
