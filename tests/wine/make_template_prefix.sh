# Makes the Wine prefix every Wine test copies (a few seconds, once per build).
set -euo pipefail
: "${PRESTOVA_WINE_WORK:?set by CTest}"
template="$PRESTOVA_WINE_WORK/template"
rm -rf "$template"
mkdir -p "$PRESTOVA_WINE_WORK"
export WINEPREFIX="$template" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
wineserver -w
test -f "$template/system.reg"
echo "template prefix ready: $template"
