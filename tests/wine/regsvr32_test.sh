# regsvr32 registers the control (ProgID, class, type library, interfaces)
# and unregistering removes exactly that: the class registry afterwards is
# the one before.
source "$(dirname "$0")/wine_lib.sh"
new_prefix regsvr32
dll="$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova.dll")"
clsid='{A1FBA071-3B84-4CEF-8C26-D107981C15E2}'
libid='{C73ACA64-48F4-4237-8FD7-59257E66C803}'
iid='{AF39002E-61E5-4926-A374-6AE515A0AE0E}'
events='{A069B48D-E6FE-4F75-A8D1-30CFE3B13C9B}'
work="$WINEPREFIX/exports"
mkdir -p "$work"

# query KEY [VALUE]: the data of a value (the default one without VALUE).
query() {
  local out
  if [ $# -eq 2 ]; then out="$(wine reg query "$1" /v "$2" 2>/dev/null)"; else out="$(wine reg query "$1" /ve 2>/dev/null)"; fi
  printf '%s\n' "$out" | tr -d '\r' | sed -n 's/^ *[^ ].*  *REG_[A-Z_]*  *//p' | head -n 1
}
export_classes() {
  wine reg export 'HKLM\Software\Classes' "$(winpath "$1")" /y >/dev/null 2>&1
  # The export names the file's own format only; compare the keys and values.
  iconv -f UTF-16LE -t UTF-8 "$1" | tr -d '\r' > "$1.txt"
}

export_classes "$work/before.reg"
wine regsvr32 /s "$dll" >/dev/null 2>&1 || { echo "FAIL: regsvr32 could not register $dll" >&2; exit 1; }

failed=0
while IFS='|' read -r key value expected; do
  [ -z "$key" ] && continue
  if [ -n "$value" ]; then actual="$(query "$key" "$value")"; else actual="$(query "$key")"; fi
  expect_eq "$key ${value:-(default)}" "$expected" "$actual" || failed=1
done <<TABLE
HKCR\\Tallymere.Prestova\\CLSID||$clsid
HKCR\\CLSID\\$clsid\\InprocServer32||$dll
HKCR\\CLSID\\$clsid\\InprocServer32|ThreadingModel|Apartment
HKCR\\CLSID\\$clsid\\ProgID||Tallymere.Prestova
HKCR\\CLSID\\$clsid\\TypeLib||$libid
HKCR\\CLSID\\$clsid\\Version||1.0
HKCR\\TypeLib\\$libid\\1.0||Tallymere
HKCR\\Interface\\$iid||_Prestova
HKCR\\Interface\\$iid\\TypeLib||$libid
HKCR\\Interface\\$events||__Prestova
TABLE
wine reg query "HKCR\\CLSID\\$clsid\\Control" >/dev/null 2>&1 || { echo "FAIL: no Control key" >&2; failed=1; }
win64="$(query "HKCR\\TypeLib\\$libid\\1.0\\0\\win64")"
case "$win64" in *prestova.dll) ;; *) echo "FAIL: type library path is '$win64'" >&2; failed=1 ;; esac

wine regsvr32 /s /u "$dll" >/dev/null 2>&1 || { echo "FAIL: regsvr32 /u failed" >&2; exit 1; }
export_classes "$work/after.reg"
if ! diff -u "$work/before.reg.txt" "$work/after.reg.txt" >&2; then
  echo "FAIL: unregistering left the class registry different from before registering" >&2
  failed=1
fi
# Unregistering twice is no error.
wine regsvr32 /s /u "$dll" >/dev/null 2>&1 || { echo "FAIL: a second regsvr32 /u failed" >&2; failed=1; }

[ "$failed" -eq 0 ] && echo "regsvr32: registered, checked and removed without a trace"
exit "$failed"
