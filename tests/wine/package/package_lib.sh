# Sourced by the package tests: the Wine helpers and what package.sh wrote.
source "$(dirname "${BASH_SOURCE[0]}")/../wine_lib.sh"
: "${PRESTOVA_DIST:?set by CTest}" "${PRESTOVA_WINDOWS_BUILD_X64:?}" "${PRESTOVA_WINDOWS_BUILD_X86:?}"

# The version as the INF and a page's codebase write it: 1,0,0,0.
VERSION_COMMAS="${PRESTOVA_VERSION//./,}"

# build_of ARCH: the Windows build tree of that architecture.
build_of() {
  if [ "$1" = x64 ]; then printf '%s' "$PRESTOVA_WINDOWS_BUILD_X64"; else printf '%s' "$PRESTOVA_WINDOWS_BUILD_X86"; fi
}

# version_info FILE: FILE's version resource as Windows reads it, NAME=VALUE
# lines.
version_info() {
  "$PRESTOVA_WINE64" "$(winpath "$PRESTOVA_WINDOWS_BUILD_X64/prestova_version_check.exe")" "$(winpath "$1")" 2>&1 | tr -d '\r'
}

# ini_value FILE SECTION KEY: a value of an INF, sections and keys matched
# without regard to case as Windows does.
ini_value() {
  tr -d '\r' <"$1" | awk -v section="${2,,}" -v key="${3,,}" '
    /^[ \t]*\[/ { current = tolower($0); gsub(/^[ \t]*\[|\][ \t]*$/, "", current); next }
    current == section && index($0, "=") {
      name = tolower(substr($0, 1, index($0, "=") - 1)); gsub(/[ \t]/, "", name)
      if (name == key) { value = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t]+$/, "", value); print value; exit }
    }'
}
