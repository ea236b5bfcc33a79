# The site lock, as a browser meets it: our container sites a new control
# for each line of site_lock.cases, giving the page's address by the
# browser, the document or the moniker, and prints the safety answers,
# whether the parameters load, whether the panel fills, and what a method
# call and a property write answer by name and through the vtable. The
# cases run with no list, the list built into the site-locked DLL, a policy
# list (one value in each registry view, and an entry that is no site), and
# both; a script host that creates the control without a site is still
# served under the policy.
source "$(dirname "$0")/wine_lib.sh"
new_prefix site-lock
use_null_display
work="$WINEPREFIX/site-lock-output"
mkdir -p "$work"
page_params "$work/params.txt"
policy='HKLM\SOFTWARE\Policies\Tallymere\Prestova\AllowedSites'

# run_cases CONFIG DLL: the cases with DLL registered, under a heading.
transcript=""
run_cases() {
  win_tool regsvr32 /s "$(winpath "$2")" >/dev/null 2>&1 || { echo "FAIL: regsvr32 $2" >&2; exit 1; }
  run_container site "$(winpath "$work/params.txt")" "$(winpath "$PRESTOVA_SOURCE_DIR/tests/wine/site_lock.cases")" >/dev/null || exit 1
  transcript+="== $1"$'\n'"$CONTAINER_OUT"$'\n'
}
plain="$PRESTOVA_WINDOWS_BUILD/prestova.dll"
locked="$PRESTOVA_WINDOWS_BUILD/site-locked/prestova.dll"
run_cases "no list" "$plain"
run_cases "built-in list" "$locked"
"$PRESTOVA_WINE64" reg add "$policy" /v 1 /d "https://portal.example.net; not a site" /f /reg:64 >/dev/null 2>&1
"$PRESTOVA_WINE64" reg add "$policy" /v Lab /d "http://[::1]:8080" /f /reg:32 >/dev/null 2>&1
run_cases "policy list" "$plain"
run_cases "both lists" "$locked"

failed=0
expect_transcript site_lock "${transcript%$'\n'}" || failed=1
run_script "$PRESTOVA_SOURCE_DIR/tests/wine/clients/installed.vbs" >/dev/null &&
  expect_lines "$SCRIPT_OUT" <<<"CPURec 633" || failed=1

[ "$failed" -eq 0 ] && echo "site lock: pages of the listed sites are served, every other page is refused"
exit "$failed"
