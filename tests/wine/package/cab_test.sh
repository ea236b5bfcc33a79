# The CAB a page's codebase names, as a browser's component download uses
# it: unpacked with Wine's extrac32, its DLL is dist/x86/prestova.dll (whose
# version resource the versions test reads), its INF names the class and the
# build's version, which the README's page tag asks for, and the DLL,
# registered as the INF says, answers a 32-bit script.
source "$(dirname "$0")/package_lib.sh"
use_arch x86
PRESTOVA_WINDOWS_BUILD=$PRESTOVA_WINDOWS_BUILD_X86
new_prefix package-cab
failed=0

# Where a browser unpacks downloaded controls, as Windows names it and as the
# prefix holds it.
unpacked_windows='C:\windows\Downloaded Program Files'
unpacked="$WINEPREFIX/drive_c/windows/Downloaded Program Files"
mkdir -p "$unpacked"
"$PRESTOVA_WINE64" extrac32 /Y /E /L "$unpacked_windows" "$(winpath "$PRESTOVA_DIST/prestova.cab")" >/dev/null 2>&1 || true
expect_eq "files in the CAB" "prestova.dll prestova.inf" "$(cd "$unpacked" && ls | sort | tr '\n' ' ' | sed 's/ $//')" || exit 1
cmp -s "$unpacked/prestova.dll" "$PRESTOVA_DIST/x86/prestova.dll" || { echo "FAIL: the CAB's DLL is not dist/x86/prestova.dll" >&2; failed=1; }

inf="$unpacked/prestova.inf"
expect_eq "INF Add.Code" "prestova.dll" "$(ini_value "$inf" Add.Code prestova.dll)" || failed=1
expect_eq "INF file-win32-x86" "thiscab" "$(ini_value "$inf" prestova.dll file-win32-x86)" || failed=1
expect_eq "INF clsid" "$CLASS_ID" "$(ini_value "$inf" prestova.dll clsid)" || failed=1
expect_eq "INF RegisterServer" "yes" "$(ini_value "$inf" prestova.dll RegisterServer)" || failed=1
inf_version="$(ini_value "$inf" prestova.dll FileVersion)"
expect_eq "INF FileVersion" "$VERSION_COMMAS" "$inf_version" || failed=1
# The README's tag installs exactly this CAB's class at this version.
tag="$(grep -o '<object [^>]*codebase="prestova.cab#version=[0-9,]*"' "$PRESTOVA_SOURCE_DIR/README.md" | head -n 1)"
expect_eq "README page tag" "<object classid=\"clsid:${CLASS_ID:1:36}\" codebase=\"prestova.cab#version=$inf_version\"" \
  "$(printf '%s' "$tag" | sed 's/ width=.*codebase=/ codebase=/; s/  */ /g')" || failed=1

# RegisterServer=yes: the browser calls the DLL's own registration.
if ! can_run_x86; then
  [ "$failed" -eq 0 ] && echo "cab: unpacked, matches the DLL and the page tag"
  [ "$failed" -eq 0 ] && skip_test "this machine cannot run 32-bit programs: the x86 DLL was not registered or scripted"
  exit "$failed"
fi
# The browser loads and registers the DLL where the INF placed it, so the
# registration names that path in Windows form, not the prefix's Linux path.
dll="$unpacked_windows\\prestova.dll"
win_tool regsvr32 /s "$dll" >/dev/null 2>&1 || { echo "FAIL: the unpacked DLL does not register" >&2; exit 1; }
expect_registration "$dll" || failed=1
{ run_script "$PRESTOVA_SOURCE_DIR/tests/wine/clients/installed.vbs" && expect_process_arch &&
  expect_lines "$SCRIPT_OUT" <<<"CPURec 633"; } || failed=1

[ "$failed" -eq 0 ] && echo "cab: unpacked, matches the DLL and the page tag, registered and scripted"
exit "$failed"
