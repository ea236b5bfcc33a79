# Makes the Wine prefix every Wine test copies (a few seconds, once per build).
# The 64-bit loader makes it, so that it is made whether or not this machine
# can run 32-bit programs; where it can, the prefix is WoW64 with both halves.
set -euo pipefail
: "${PRESTOVA_WINE_WORK:?set by CTest}" "${PRESTOVA_WINE64:?}"
template="$PRESTOVA_WINE_WORK/template"
rm -rf "$template"
mkdir -p "$PRESTOVA_WINE_WORK"
export WINEPREFIX="$template" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$PRESTOVA_WINE64" wineboot -i >/dev/null 2>&1
wineserver -w
test -f "$template/system.reg"
if compgen -G "$template/drive_c/windows/syswow64/*.exe" >/dev/null; then
  echo "template prefix ready (64- and 32-bit): $template"
else
  echo "template prefix ready (64-bit only: this machine cannot run 32-bit programs): $template"
fi
