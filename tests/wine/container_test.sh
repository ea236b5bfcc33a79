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
page_params "$work/params.txt"
run_container "$(winpath "$work/params.txt")" "$(winpath "$work/panel.ppm")" || exit 1

failed=0
# The answers the container must have been given.
expect_lines "$CONTAINER_OUT" < "$PRESTOVA_SOURCE_DIR/tests/wine/expected/container.lines" || failed=1

convert "$work/panel.ppm" "$work/panel.png"
expect_eq "picture size" "801x912" "$(identify -format '%wx%h' "$work/panel.png")" || failed=1
# Pixels that do not depend on the machine: the page sets no colours, so
# the bag defaults hold (result #ACCFFB, headings and names white).
while read -r x y colour what; do
  actual="$(convert "$work/panel.png" -format "%[hex:p{$x,$y}]" info:)"
  expect_eq "pixel $x,$y ($what)" "$colour" "$actual" || failed=1
done < "$PRESTOVA_SOURCE_DIR/tests/wine/expected/container.pixels"

[ "$failed" -eq 0 ] && echo "container: loaded, shown and pictured as designed"
exit "$failed"
