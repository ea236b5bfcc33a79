# Our own container loads the registered control from the sample page's
# <param> values, asks its scripting safety, activates it in a window, and
# pictures it through IViewObject2; the picture must have the panel's design
# size and the colours of the run.
source "$(dirname "$0")/wine_lib.sh"
new_prefix container
use_null_display
register_component
set_windows_version winxp

work="$WINEPREFIX/container-output"
mkdir -p "$work"
sed -n 's/.*<param name="\([^"]*\)" value="\([^"]*\)".*/\1=\2/p' "$PRESTOVA_SOURCE_DIR/pages/sample.html" > "$work/params.txt"
out="$(win_run "$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova_container.exe")" "$(winpath "$work/params.txt")" \
  "$(winpath "$work/panel.bmp")" 2>&1 | tr -d '\r')" || { printf '%s\n' "$out"; echo "FAIL: the container failed" >&2; exit 1; }
printf '%s\n' "$out"

failed=0
# The answers the container must have been given.
expect_lines "$out" <<'EXPECTED' || failed=1
create: 0x00000000
safety IDispatch: 0x00000000 supported 3 enabled 1
safety IPersistPropertyBag: 0x00000000 supported 3 enabled 2
safety IPersistStreamInit: 0x00000000 supported 3 enabled 2
safety IUnknown: 0x80004002 supported 3 enabled 0
set safety IDispatch 1: 0x00000000
set safety IDispatch 3: 0x80004005
set safety IPersistPropertyBag 2: 0x00000000
default source: 0x00000000
default source is {A069B48D-E6FE-4F75-A8D1-30CFE3B13C9B}
other guid kind: 0x80070057
class info: 0x00000000
class info is {A1FBA071-3B84-4CEF-8C26-D107981C15E2}, coclass yes
params: 25
load: 0x00000000
MemoryMin: vt 8 128
RedYRM: vt 8 172
save: 0x00000000
saved keys: 40
stream save: 0x00000000
stream load: 0x00000000
stream copy MemoryRec: vt 8 256
stream copy RedYRM: vt 8 172
do verb: 0x00000000
window: 0x00000000
window size: 801 x 912
extent himetric: 21193 x 24130
draw: 0x00000000
picture saved: yes
deactivate: 0x00000000
EXPECTED

convert "$work/panel.bmp" "$work/panel.png"
expect_eq "picture size" "801x912" "$(identify -format '%wx%h' "$work/panel.png")" || failed=1
# Pixels that do not depend on the machine: the page sets no colours, so
# the bag defaults hold (result #ACCFFB, headings and names white).
while read -r x y colour what; do
  actual="$(convert "$work/panel.png" -format "%[hex:p{$x,$y}]" info:)"
  expect_eq "pixel $x,$y ($what)" "$colour" "$actual" || failed=1
done <<'PIXELS'
200 120 ACCFFB measured memory cell
600 100 ACCFFB memory advice (the machine has far more than 256 MB)
192 60 000000 border between the name and result cells
20 20 FFFFFF heading cell in the third colour
8 20 000000 left border and line
3 500 FFFFFF surface outside the grid
98 90 FFD83A the memory row's good face
89 79 000000 an eye of that face
75 66 FFFFFF the face's transparent corner shows the name cell
PIXELS

[ "$failed" -eq 0 ] && echo "container: loaded, shown and pictured as designed"
exit "$failed"
