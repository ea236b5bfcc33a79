# Sourced by every Wine test: a private prefix copied from the template, the
# Windows build's programs, and helpers that check what they print.
set -euo pipefail
: "${PRESTOVA_WINDOWS_BUILD:?set by CTest}" "${PRESTOVA_SOURCE_DIR:?}" "${PRESTOVA_BINARY:?}" "${PRESTOVA_WINE_WORK:?}"

WINE_TEMPLATE="$PRESTOVA_WINE_WORK/template"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# new_prefix NAME: a fresh copy of the template as WINEPREFIX; the wine
# server of that prefix is stopped when the test ends.
new_prefix() {
  export WINEPREFIX="$PRESTOVA_WINE_WORK/$1"
  rm -rf "$WINEPREFIX"
  # A real copy: the registry files are rewritten in place by wineserver.
  cp -a "$WINE_TEMPLATE" "$WINEPREFIX"
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
}

# winpath FILE: the Windows path Wine gives a Linux file (drive Z:).
winpath() {
  local abs
  abs="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
  printf 'Z:%s' "${abs//\//\\}"
}

# set_windows_version VERSION: what GetVersionExA reports to later processes
# (winxp, win2k, vista, win7, win8, ...).
set_windows_version() {
  wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# run_script FILE.vbs|FILE.js: runs a script client with cscript; cscript
# exits 0 even when the script fails, so the script's last line must be
# "DONE" and anything else fails the test. The output is left in $SCRIPT_OUT.
run_script() {
  SCRIPT_OUT="$(wine cscript //nologo "$(winpath "$1")" 2>&1 | tr -d '\r')" || true
  printf '%s\n' "$SCRIPT_OUT"
  if [ "$(printf '%s\n' "$SCRIPT_OUT" | tail -n 1)" != "DONE" ]; then
    echo "FAIL: $1 did not finish (no DONE line)" >&2
    return 1
  fi
}

# expect_eq WHAT EXPECTED ACTUAL
expect_eq() {
  if [ "$2" != "$3" ]; then
    printf 'FAIL: %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3" >&2
    return 1
  fi
}

# register_component: registers the Windows build's prestova.dll in the
# current prefix (regsvr32 /s answers with its exit code only).
register_component() {
  wine regsvr32 /s "$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova.dll")" >/dev/null 2>&1
}

# expect_output WHAT EXPECTED_FILE: the last run_script output must equal
# the file line for line; the difference is shown otherwise.
expect_output() {
  if ! diff -u "$2" <(printf '%s\n' "$SCRIPT_OUT") >&2; then
    echo "FAIL: $1 differs from $(basename "$2")" >&2
    return 1
  fi
}

# use_null_display: windows without an X server (Wine's null display
# driver); the setting is read when the wine server starts, so it restarts.
use_null_display() {
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wineserver -k >/dev/null 2>&1 || true
}

# expect_lines OUTPUT: every line on standard input must be a whole line of
# OUTPUT; each missing one is named. Returns 1 when any is missing.
expect_lines() {
  local line missing=0
  while IFS= read -r line; do
    grep -qxF -- "$line" <<<"$1" || { echo "FAIL: no line '$line'" >&2; missing=1; }
  done
  return "$missing"
}
