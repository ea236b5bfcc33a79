# A container connects to the control's connection points: every property
# write, through IDispatch or the dual interface, must reach the
# IPropertyNotifySink with the property's dispatch identifier (the ones a
# container finds in the type library), loading must tell nothing, a failing
# sink's error must reach the writer after the value was stored, and the
# default source interface takes a sink and never calls it. References a
# sink gave the control must all come back. A vtable caller finds the
# failure's description in the error object, and no stale one.
source "$(dirname "$0")/wine_lib.sh"
new_prefix property-notify
register_component

out="$(win_run "$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova_container.exe")" notify 2>&1 | tr -d '\r')" \
  || { printf '%s\n' "$out"; echo "FAIL: the container failed" >&2; exit 1; }
printf '%s\n' "$out"

expected="$(cat <<'EXPECTED'
create: 0x00000000
init new: 0x00000000
connection points: yes
enum points: 0x00000000
point: IPropertyNotifySink
point: __Prestova
find IUnknown: 0x80040200
find IPropertyNotifySink: 0x00000000
point's container is the control: yes
advise a non-sink: 0x80040202
advise: 0x00000000
put recColorDepth: 0x00000000
put JavaVersion: 0x00000000
put ScreenMinHgt: 0x00000000
dual put CPUMin: 0x00000000
read JavaVersion: vt 8 1.5
changed: 0x68030005 0x68030027 0x68030000 0x68030022
dirty: 0x00000000
enum connections: 0x00000000
connections: 1, cookie matches
advise a failing sink: 0x00000000
put MemoryMin: 0x80020009
exception scode: 0x800A01B8 The change notification of "MemoryMin" failed (0x80070005)
read MemoryMin: vt 8 96
dual put MemoryRec: 0x800A01B8
supports error info on _Prestova: 0x00000000
supports error info on IPersistStreamInit: 0x00000001
error info: The change notification of "MemoryRec" failed (0x80070005)
told the other sink: 0x68030024 0x68030023
told the failing sink: 0x68030024 0x68030023
dual put ScreenMinWid: 0x800A01B8
dual put CPUMin array: 0x80020005
error info after it: none
unadvise the failing sink: 0x00000000
load: 0x00000000
init new: 0x00000000
changed by loading:
unadvise: 0x00000000
unadvise again: 0x80040200
put after unadvise: 0x00000000
changed after unadvise:
sink references left: 1, failing sink's: 1
find __Prestova: 0x00000000
advise an event sink: 0x00000000
event sink calls: 0
unadvise the event sink: 0x00000000
event sink references left: 1
control released: 0
connected sink's references after: 1
EXPECTED
)"
if ! diff -u <(printf '%s\n' "$expected") <(printf '%s\n' "$out") >&2; then
  echo "FAIL: the container saw other answers" >&2
  exit 1
fi
echo "property notify: every write told the host by its dispatch identifier"
