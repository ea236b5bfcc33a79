# The type library embedded in prestova.dll, read by Windows' own loader,
# must say what the core's member table says: every member's name, dispatch
# identifier, kind and parameters in order, the event interface, the
# enumeration and the class. The check program prints each mismatch.
source "$(dirname "$0")/wine_lib.sh"
new_prefix typelib

out="$(win_run "$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova_typelib_check.exe")" \
  "$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova.dll")" 2>&1 | tr -d '\r')" && status=0 || status=$?
printf '%s\n' "$out"
if [ "$status" -ne 0 ]; then
  echo "FAIL: the type library differs from the member table (exit $status)" >&2
  exit 1
fi
# A check that ran nothing would pass too: it must have looked at everything.
checks="$(printf '%s\n' "$out" | sed -n 's/^type library: \([0-9]*\) checks, 0 mismatches$/\1/p')"
[ "${checks:-0}" -ge 600 ] || { echo "FAIL: only ${checks:-no} checks were made" >&2; exit 1; }
echo "typelib: the embedded type library matches the member table"
