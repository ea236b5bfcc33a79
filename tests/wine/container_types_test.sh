# Every scalar automation type a container can write to a property comes back
# with the same VARTYPE and the same bits: through IDispatch::Invoke by value,
# by typed reference and by VARIANT reference, through the dual interface, and
# carried by IPersistPropertyBag and IPersistStreamInit into fresh controls.
# Objects, arrays and a malformed Decimal are refused and the property keeps
# its value. A method's by-reference argument in storage of another type goes
# back in that type.
source "$(dirname "$0")/wine_lib.sh"
new_prefix container-types
register_component

out="$(win_run "$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova_container.exe")" types 2>&1 | tr -d '\r')" \
  || { printf '%s\n' "$out"; echo "FAIL: the container failed" >&2; exit 1; }
printf '%s\n' "$out"

# What each type reads back as, the same in every pass.
types="$(cat <<'TYPES'
Empty: vt 0 same
Null: vt 1 same
Integer: vt 2 -1234 same
Long: vt 3 -2147483648 same
Single: vt 4 0.100000001 0x3DCCCCCD same
Double: vt 5 0.10000000000000001 0x3FB999999999999A same
Currency: vt 6 -9223372036854775808 same
Date: vt 7 40000.5 0x40E3881000000000 same
String: vt 8 "Tallymere "1.0" C:\path=x\r\nline 2" same
Boolean: vt 11 -1 same
Error: vt 10 0x80070005 same
Decimal: vt 14 hi 0x89ABCDEF lo 0x0123456789ABCDEF scale 28 sign 0x80 same
Byte: vt 17 200 same
TYPES
)"
pass() { sed "s/^/$1 /" <<<"$types"; }

expected="$(
  echo 'create: 0x00000000'
  echo 'init new: 0x00000000'
  pass invoke
  pass 'typed reference'
  pass 'variant reference'
  pass dual
  echo 'bag save: 0x00000000'
  echo 'bag keys: 40'
  echo 'create: 0x00000000'
  echo 'bag load: 0x00000000'
  pass bag
  echo 'stream save: 0x00000000'
  echo 'create: 0x00000000'
  echo 'stream load: 0x00000000'
  pass stream
  cat <<'REFUSED'
put CPUMin 4242: 0x00000000
refuse SAFEARRAY: Invoke 0x80020005 argument 0, _Prestova 0x80020005; CPUMin vt 3 4242 kept
refuse IDispatch: Invoke 0x80020005 argument 0, _Prestova 0x80020005; CPUMin vt 3 4242 kept
refuse IUnknown: Invoke 0x80020005 argument 0, _Prestova 0x80020005; CPUMin vt 3 4242 kept
refuse Decimal of scale 29: Invoke 0x80020005 argument 0, _Prestova 0x80020005; CPUMin vt 3 4242 kept
write back Integer: 0x00000000 vt 2 -1234 same
write back Currency: 0x00000000 vt 6 12345000 same
write back Decimal: 0x00000000 vt 14 hi 0x00000000 lo 0x000000000000007D scale 1 sign 0x80 same
write back Byte: 0x00000000 vt 17 200 same
write back Double: 0x00000000 vt 5 0.10000000000000001 0x3FB999999999999A same
write back String: 0x00000000 vt 8 "5.1" same
write back Error: 0x80020009 vt 10 0x80070005 same
types: all kept
REFUSED
)"
if ! diff -u <(printf '%s\n' "$expected") <(printf '%s\n' "$out") >&2; then
  echo "FAIL: the container saw other values" >&2
  exit 1
fi
echo "container types: every type kept its VARTYPE and value"
