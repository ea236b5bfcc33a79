# regsvr32 registers the control (ProgID, class, type library, interfaces)
# and unregistering removes exactly that: the class registry afterwards is
# the one before.
source "$(dirname "$0")/wine_lib.sh"
new_prefix regsvr32
dll="$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova.dll")"
work="$WINEPREFIX/exports"
mkdir -p "$work"

export_classes "$work/before.reg"
win_tool regsvr32 /s "$dll" >/dev/null 2>&1 || { echo "FAIL: regsvr32 could not register $dll" >&2; exit 1; }

failed=0
expect_registration "$dll" || failed=1

win_tool regsvr32 /s /u "$dll" >/dev/null 2>&1 || { echo "FAIL: regsvr32 /u failed" >&2; exit 1; }
export_classes "$work/after.reg"
expect_no_trace "$work/after.reg" || failed=1
if ! diff -u "$work/before.reg.txt" "$work/after.reg.txt" >&2; then
  echo "FAIL: unregistering left the class registry different from before registering" >&2
  failed=1
fi
# Unregistering twice is no error.
win_tool regsvr32 /s /u "$dll" >/dev/null 2>&1 || { echo "FAIL: a second regsvr32 /u failed" >&2; failed=1; }

[ "$failed" -eq 0 ] && echo "regsvr32: registered, checked and removed without a trace"
exit "$failed"
