# Clicks on the panel's download links, as a student makes them: our
# container loads the control from the sample page's params, activates it in
# a window and sends left clicks at the links' design positions. The prefix's
# default browser is a stand-in that logs its arguments, so the test sees
# exactly what the shell was asked to start: the page's address as one
# argument, an address with blanks still one argument, nothing for a hidden
# link, nothing for an address that would pass an option to the browser, and
# nothing for a press on one link released over another. Locked to the
# institution's sites, a click on the institution's page starts the browser,
# and nothing once the control is moved to another site's page.
source "$(dirname "$0")/wine_lib.sh"
new_prefix link-click
use_null_display
register_component
set_windows_version winxp

work="$WINEPREFIX/link-click-output"
mkdir -p "$work"
log="$work/browser.log"
: > "$log"
export PRESTOVA_FAKE_BROWSER_LOG="$(winpath "$log")"
browser="$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova_fake_browser.exe")"
# The command line as browsers register it; the control keeps the quoted path.
win_reg add 'HKCR\http\shell\open\command' /ve /d "\"$browser\" -nohome \"%1\"" /f >/dev/null 2>&1 || { echo 'FAIL: cannot set the default browser' >&2; exit 1; }
# A zip application, so the zip links stay hidden; no Java, so its link shows.
win_reg add 'HKCR\.zip' /ve /d 'WinZip' /f >/dev/null 2>&1
win_reg delete 'HKLM\SOFTWARE\JavaSoft' /f >/dev/null 2>&1 || true

page_params "$work/params.txt"
# Two addresses of our own beside the page's: one with blanks, one that
# starts like an option of the browser. The Flash link is clicked again once
# a script has given it a plain address, which shows that it is visible.
{
  echo 'RealURL=http://downloads.marvanta.example/real player setup.exe'
  echo 'FlashURL=-new-window http://downloads.marvanta.example/flash.exe'
} >> "$work/params.txt"

run_container click "$(winpath "$work/params.txt")" "$(winpath "$log")" ziplink1:none flashlink:none \
  "javalink>reallink:none" reallink FlashURL=http://downloads.marvanta.example/flash.exe flashlink javalink || exit 1

failed=0
expect_lines "$CONTAINER_OUT" < "$PRESTOVA_SOURCE_DIR/tests/wine/expected/link_click.lines" || failed=1

win_reg add 'HKLM\SOFTWARE\Policies\Tallymere\Prestova\AllowedSites' /v 1 /d 'https://*.example.edu' /f >/dev/null 2>&1
run_container click "$(winpath "$work/params.txt")" "$(winpath "$log")" page=https://lms.example.edu/check javalink \
  page=https://evil.test/ javalink:none || exit 1
expect_lines "$CONTAINER_OUT" <<<"click javalink at 756,656: 1 launched
page=https://evil.test/: 0x00000000
click javalink at 756,656: 0 launched" || failed=1

# A late launch would still show here: the log holds exactly these lines.
sleep 1
expect_transcript link_click_browser "$(tr -d '\r' <"$log")" || failed=1

[ "$failed" -eq 0 ] && echo "link clicks: the browser got exactly the visible links' addresses"
exit "$failed"
