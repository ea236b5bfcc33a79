# Sourced by every Wine test: a private prefix copied from the template, the
# Windows build's programs of one architecture, and helpers that check what
# they print.
set -euo pipefail
: "${PRESTOVA_SOURCE_DIR:?set by CTest}" "${PRESTOVA_BINARY:?}" "${PRESTOVA_WINE_WORK:?}" "${PRESTOVA_WINE64:?}"

WINE_TEMPLATE="$PRESTOVA_WINE_WORK/template"

# can_run_x86: whether this machine runs 32-bit Windows programs. Where the
# kernel runs no 32-bit Linux programs (32-bit emulation switched off at
# boot), Wine's 32-bit half never starts and the template's syswow64 stays
# empty.
can_run_x86() { compgen -G "$WINE_TEMPLATE/drive_c/windows/syswow64/*.exe" >/dev/null; }

# skip_test WHY: ends the test as skipped (CTest counts exit code 77 so).
skip_test() {
  echo "SKIPPED: $1"
  exit 77
}

# A WoW64 prefix has two registry views, as 64-bit Windows has: 64-bit
# programs see one, 32-bit programs (a 32-bit browser and the x86 control)
# the other. Every program a test starts is of the architecture under test,
# so that it reads the view the control uses; the registry itself is read
# and written by 64-bit reg.exe naming the view, which works whether or not
# 32-bit programs can run.
# use_arch x64|x86: the architecture the helpers below work in.
use_arch() {
  case "$1" in
    x64) WINE_LOADER=$PRESTOVA_WINE64 WINE_SYSTEM='C:\windows\system32' REG_VIEW=/reg:64
         TYPELIB_PLATFORM=win64 PROCESS_ARCH=AMD64 PROGRAM_FILES='Program Files' ;;
    x86) WINE_LOADER=wine WINE_SYSTEM='C:\windows\syswow64' REG_VIEW=/reg:32
         TYPELIB_PLATFORM=win32 PROCESS_ARCH=x86 PROGRAM_FILES='Program Files (x86)' ;;
    *) echo "unknown architecture $1" >&2; exit 2 ;;
  esac
  PRESTOVA_WINDOWS_ARCH=$1
}
if [ -n "${PRESTOVA_WINDOWS_ARCH:-}" ]; then
  : "${PRESTOVA_WINDOWS_BUILD:?set by CTest}"
  use_arch "$PRESTOVA_WINDOWS_ARCH"
  # Every test of an architecture runs its programs.
  if [ "$PRESTOVA_WINDOWS_ARCH" = x86 ] && ! can_run_x86; then
    skip_test "this machine cannot run 32-bit programs (its kernel's 32-bit emulation is off), so Wine cannot run the x86 build"
  fi
fi

# win_run PROGRAM [ARG]...: a Windows program of the architecture under test.
win_run() { "$WINE_LOADER" "$@"; }

# win_tool NAME [ARG]...: one of Wine's own programs (regsvr32, cscript,
# extrac32, ...) of the architecture under test.
win_tool() {
  local name=$1
  shift
  "$WINE_LOADER" "$WINE_SYSTEM\\$name.exe" "$@"
}

# win_reg OPERATION [ARG]...: reg.exe on the registry view of the
# architecture under test.
win_reg() { "$PRESTOVA_WINE64" reg "$@" "$REG_VIEW"; }

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# new_prefix NAME: a fresh copy of the template as WINEPREFIX; the wine
# server of that prefix is stopped when the test ends, and a passed test's
# prefix (over a gigabyte) is removed; a failed one's stays for a look.
new_prefix() {
  export WINEPREFIX="$PRESTOVA_WINE_WORK/${PRESTOVA_WINDOWS_ARCH:-any}-$1"
  rm -rf "$WINEPREFIX"
  # A real copy: the registry files are rewritten in place by wineserver.
  cp -a "$WINE_TEMPLATE" "$WINEPREFIX"
  trap 'status=$?; wineserver -k >/dev/null 2>&1 || true; [ "$status" -ne 0 ] || rm -rf "$WINEPREFIX"' EXIT
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
  win_reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# run_script FILE.vbs|FILE.js: runs a script client with the cscript of the
# architecture under test; cscript exits 0 even when the script fails, so
# the script's last line must be "DONE" and anything else fails the test.
# The output is left in $SCRIPT_OUT.
run_script() {
  SCRIPT_OUT="$(win_tool cscript //nologo "$(winpath "$1")" 2>&1 | tr -d '\r')" || true
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

# expect_process_arch: the last script client (which printed the process's
# PROCESSOR_ARCHITECTURE first) ran as the architecture under test.
expect_process_arch() {
  expect_eq "script process architecture" "$PROCESS_ARCH" "$(printf '%s\n' "$SCRIPT_OUT" | head -n 1)"
}

# register_component: registers the Windows build's prestova.dll in the
# current prefix (regsvr32 /s answers with its exit code only).
register_component() {
  win_tool regsvr32 /s "$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova.dll")" >/dev/null 2>&1 ||
    { echo "FAIL: regsvr32 could not register $PRESTOVA_WINDOWS_BUILD/prestova.dll" >&2; return 1; }
}

# use_null_display: windows without an X server (Wine's null display
# driver); the setting is read when the wine server starts, so it restarts.
use_null_display() {
  win_reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
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

# expect_transcript NAME OUTPUT: OUTPUT must be expected/NAME.txt line for line.
expect_transcript() {
  diff -u "$PRESTOVA_SOURCE_DIR/tests/wine/expected/$1.txt" <(printf '%s\n' "$2") >&2 && return 0
  echo "FAIL: the answers differ from expected/$1.txt (above)" >&2
  return 1
}

# run_container ARG...: our container (prestova_container.exe) of the
# architecture under test; its answers are printed and left in
# $CONTAINER_OUT. Fails when it does.
run_container() {
  local status=0
  CONTAINER_OUT="$(win_run "$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova_container.exe")" "$@" 2>&1 | tr -d '\r')" ||
    status=$?
  printf '%s\n' "$CONTAINER_OUT"
  [ "$status" -eq 0 ] || { echo "FAIL: the container failed (exit $status)" >&2; return 1; }
}

# container_transcript NAME ARG...: the container's answers for ARG... must
# be expected/NAME.txt line for line.
container_transcript() {
  local name=$1
  shift
  run_container "$@" && expect_transcript "$name" "$CONTAINER_OUT"
}

# page_params FILE: the sample page's <param> values as NAME=VALUE lines, as
# the container loads them.
page_params() {
  sed -n 's/.*<param name="\([^"]*\)" value="\([^"]*\)".*/\1=\2/p' "$PRESTOVA_SOURCE_DIR/pages/sample.html" >"$1"
}

# The control's published identifiers, and the type library's version (the
# product's major.minor).
CLASS_ID='{A1FBA071-3B84-4CEF-8C26-D107981C15E2}'
LIBRARY_ID='{C73ACA64-48F4-4237-8FD7-59257E66C803}'
INTERFACE_ID='{AF39002E-61E5-4926-A374-6AE515A0AE0E}'
EVENT_INTERFACE_ID='{A069B48D-E6FE-4F75-A8D1-30CFE3B13C9B}'
: "${PRESTOVA_VERSION:?set by CTest}"
TYPELIB_VERSION="${PRESTOVA_VERSION%.*.*}"

# reg_value KEY [VALUE] [VIEW]: the data of a registry value (the default
# one without VALUE, or with VALUE empty) in VIEW (/reg:32 or /reg:64), by
# default the view of the architecture under test. Prints nothing and fails
# when the value is not there.
reg_value() {
  local view=${3:-$REG_VIEW} out
  if [ -n "${2:-}" ]; then
    out="$("$PRESTOVA_WINE64" reg query "$1" /v "$2" "$view" 2>/dev/null)" || return 1
  else
    out="$("$PRESTOVA_WINE64" reg query "$1" /ve "$view" 2>/dev/null)" || return 1
  fi
  printf '%s\n' "$out" | tr -d '\r' | sed -n 's/^ *[^ ].*  *REG_[A-Z_]*  *//p' | head -n 1
}

# registered_value shared|redirected KEY [VALUE]: a value the control's
# registration wrote, looked up as 64-bit Windows keeps it. Under HKCR, 64-bit
# Windows gives 32-bit programs their own CLSID and Interface keys
# (redirected), while the rest, the ProgID and TypeLib among them, is one key
# both views share. A shared key is found in the architecture's view or in
# the 64-bit one, whichever the writer used (Wine keeps a 32-bit
# regsvr32's ProgID in the shared place, which reg /reg:32 does not look
# at; a 32-bit msiexec's in the 32-bit view); a redirected one only in the
# architecture's view.
registered_value() {
  local sharing=$1
  shift
  case "$sharing" in
    redirected) reg_value "$1" "${2:-}" ;;
    shared) reg_value "$1" "${2:-}" || reg_value "$1" "${2:-}" /reg:64 ;;
    *) echo "unknown sharing $sharing" >&2; return 2 ;;
  esac
}

# class_views: the registry views that hold the architecture's classes: for
# x86 its own and the 64-bit one, where the shared keys may be.
class_views() {
  if [ "$REG_VIEW" = /reg:64 ]; then echo /reg:64; else echo /reg:32 /reg:64; fi
}

# export_classes FILE: the class registry of the views that hold the
# architecture's classes, as FILE.txt in UTF-8 (each export itself is
# UTF-16): every key with a value, and the values. Keys without values are
# left out, since Windows Installer removes empty keys on its way up from
# what it uninstalls (parents such as CLSID are never empty on a real system,
# but are in a bare registry view), and so is the installer's own
# bookkeeping. Where the control's empty Control key went, its identifier
# would still show: see expect_no_trace.
export_classes() {
  local view
  : >"$1.all"
  for view in $(class_views); do
    "$PRESTOVA_WINE64" reg export 'HKLM\Software\Classes' "$(winpath "$1")" "$view" /y >/dev/null 2>&1
    printf '; view %s\n' "$view" >>"$1.all"
    iconv -f UTF-16LE -t UTF-8 "$1" | tr -d '\r' >>"$1.all"
  done
  awk '/^; view / { print; next }
       /^\[/ { key = $0; skip = index($0, "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Installer") == 1; next }
       /^$/ { next }
       !skip { if (key != "") { print ""; print key; key = "" } print }' "$1.all" > "$1.txt"
}

# expect_no_trace FILE: no key or value of the export FILE names the control.
expect_no_trace() {
  if grep -n -i -F -e "$CLASS_ID" -e "$LIBRARY_ID" -e "$INTERFACE_ID" -e "$EVENT_INTERFACE_ID" -e "Tallymere" "$1.all" >&2; then
    echo "FAIL: the registry still names the control" >&2
    return 1
  fi
}

# expect_registration DLL: the ProgID, the class, the type library and both
# interfaces are registered, the server and the library at Windows path DLL.
# The table's last column says where 64-bit Windows keeps each key for a
# 32-bit registration (see registered_value); for x64 both are one view.
expect_registration() {
  local dll=$1 key value expected sharing actual failed=0
  while IFS='|' read -r key value expected sharing; do
    [ -z "$key" ] && continue
    actual="$(registered_value "$sharing" "$key" "$value")" || actual=""
    # Windows paths are compared without regard to case, and the type
    # library's may be written in its long form (\\?\C:\...).
    case "$expected" in *:\\*) actual="${actual#\\\\\?\\}" actual="${actual,,}" expected="${expected,,}" ;; esac
    expect_eq "$key ${value:-(default)}" "$expected" "$actual" || failed=1
  done <<TABLE
HKCR\\Tallymere.Prestova||Prestova|shared
HKCR\\Tallymere.Prestova\\CLSID||$CLASS_ID|shared
HKCR\\CLSID\\$CLASS_ID\\InprocServer32||$dll|redirected
HKCR\\CLSID\\$CLASS_ID\\InprocServer32|ThreadingModel|Apartment|redirected
HKCR\\CLSID\\$CLASS_ID\\ProgID||Tallymere.Prestova|redirected
HKCR\\CLSID\\$CLASS_ID\\TypeLib||$LIBRARY_ID|redirected
HKCR\\CLSID\\$CLASS_ID\\Version||$TYPELIB_VERSION|redirected
HKCR\\CLSID\\$CLASS_ID\\MiscStatus||131473|redirected
HKCR\\TypeLib\\$LIBRARY_ID\\$TYPELIB_VERSION||Tallymere|shared
HKCR\\TypeLib\\$LIBRARY_ID\\$TYPELIB_VERSION\\0\\$TYPELIB_PLATFORM||$dll|shared
HKCR\\Interface\\$INTERFACE_ID||_Prestova|redirected
HKCR\\Interface\\$INTERFACE_ID\\TypeLib||$LIBRARY_ID|redirected
HKCR\\Interface\\$EVENT_INTERFACE_ID||__Prestova|redirected
TABLE
  win_reg query "HKCR\\CLSID\\$CLASS_ID\\Control" >/dev/null 2>&1 || { echo "FAIL: no Control key" >&2; failed=1; }
  return "$failed"
}
