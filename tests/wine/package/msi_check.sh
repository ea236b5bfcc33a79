# Sourced by msi_x86_test.sh and msi_x64_test.sh with MSI_ARCH set: the lab
# installer installed silently by msiexec (64-bit, as on 64-bit Windows,
# where it puts an x86 package in Program Files (x86) and the 32-bit registry
# view), the control it registered scripted from a client of the package's
# architecture, and uninstalled leaving the class registry and the disk as
# they were; then installed with ALLOWEDSITES, which only then writes the
# site lock's machine policy, and uninstalled without it.
source "$(dirname "${BASH_SOURCE[0]}")/package_lib.sh"
use_arch "$MSI_ARCH"
PRESTOVA_WINDOWS_BUILD="$(build_of "$MSI_ARCH")"
new_prefix "package-msi"
msi="$(winpath "$PRESTOVA_DIST/prestova-$MSI_ARCH.msi")"
installed="$WINEPREFIX/drive_c/$PROGRAM_FILES/Prestova"
work="$WINEPREFIX/exports"
mkdir -p "$work"
failed=0

msiexec() { "$PRESTOVA_WINE64" msiexec "$@"; }
policy='HKLM\SOFTWARE\Policies\Tallymere'
expect_no_policy() {  # WHEN
  ! win_reg query "$policy" >/dev/null 2>&1 || { echo "FAIL: $policy is there $1" >&2; failed=1; }
}
client() { run_script "$PRESTOVA_SOURCE_DIR/tests/wine/clients/installed.vbs"; }

# A script host registers its own type library the first time it runs; let
# that happen before the registry is taken down.
if [ "$MSI_ARCH" = x64 ] || can_run_x86; then client >/dev/null 2>&1 || true; fi
export_classes "$work/before.reg"

msiexec /i "$msi" /qn || { echo "FAIL: msiexec /i $msi /qn exited with $?" >&2; exit 1; }
for file in prestova.dll prestova.exe; do
  cmp -s "$installed/$file" "$PRESTOVA_DIST/$MSI_ARCH/$file" ||
    { echo "FAIL: $PROGRAM_FILES/Prestova/$file is not dist/$MSI_ARCH/$file" >&2; failed=1; }
done
expect_registration "C:\\$PROGRAM_FILES\\Prestova\\prestova.dll" || failed=1
expect_no_policy "after an install without ALLOWEDSITES"

if [ "$MSI_ARCH" = x86 ] && ! can_run_x86; then
  echo "NOTE: this machine cannot run 32-bit programs; the 32-bit script client is left out"
elif client; then
  expect_process_arch || failed=1
  expect_lines "$SCRIPT_OUT" <<<"CPURec Empty
CPURec 633" || failed=1
  printf '%s\n' "$SCRIPT_OUT" | grep -qx 'getVersion Long [0-9]*' || { echo "FAIL: getVersion gave no ordinal" >&2; failed=1; }
else
  failed=1
fi

msiexec /x "$msi" /qn || { echo "FAIL: msiexec /x $msi /qn exited with $?" >&2; exit 1; }
wineserver -w
export_classes "$work/after.reg"
expect_no_trace "$work/after.reg" || failed=1
if ! diff -u "$work/before.reg.txt" "$work/after.reg.txt" >&2; then
  echo "FAIL: uninstalling left the class registry different from before installing" >&2
  failed=1
fi
[ ! -e "$installed" ] || { echo "FAIL: $PROGRAM_FILES/Prestova is still there: $(ls "$installed")" >&2; failed=1; }

# The sites as one value named as Group Policy names its first, in the view
# the control of this architecture reads.
sites='https://*.example.edu;http://lms.example.org:8080'
msiexec /i "$msi" /qn ALLOWEDSITES="$sites" || { echo "FAIL: msiexec /i with ALLOWEDSITES exited with $?" >&2; exit 1; }
expect_eq "policy value Installer" "$sites" "$(reg_value "$policy\\Prestova\\AllowedSites" Installer)" || failed=1
msiexec /x "$msi" /qn || { echo "FAIL: msiexec /x after ALLOWEDSITES exited with $?" >&2; exit 1; }
wineserver -w
expect_no_policy "after uninstalling"

[ "$failed" -eq 0 ] && echo "msi ($MSI_ARCH): installed, registered, scripted and removed without a trace; ALLOWEDSITES written and removed"
exit "$failed"
