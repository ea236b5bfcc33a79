# A machine profile's registry imported into a Wine prefix, with the prefix
# set to the profile's Windows version: prestova.exe checking "this PC" must
# show what the Linux prestova shows for the same machine.
#
# Memory, disk and screen are the prefix's own, so they come from
# `prestova.exe snapshot` of the prefix. Two comparisons per profile:
#  1. Wine's check and the Linux check of Wine's own snapshot: the whole
#     panel (the snapshot is the prefix as the checks see it), except the
#     free-space figure, which other processes change between the two runs.
#  2. The rows read from the registry and the version (processor, operating
#     system, software, browser) of Wine's check and of the Linux check of
#     the original .reg with the snapshot's facts (Wine creates no plug-in
#     objects, so the Flash line follows the prefix, not the profile).
# Wine 8.0 reports "win7" as a server and "win2008r2" as a workstation, so
# each profile lists the Wine versions that may match it and the first whose
# version record agrees with the profile's is used.
# Wine keeps entries of its own (HKCR\.pdf "pdffile", an Internet Explorer
# key, winebrowser as the http handler); the profiles below set every key
# of those that their rows read, so nothing of Wine's shows through.
source "$(dirname "$0")/wine_lib.sh"

exe="$PRESTOVA_WINDOWS_BUILD/prestova.exe"
page="$PRESTOVA_SOURCE_DIR/pages/sample.html"
work="$PRESTOVA_WINE_WORK/equivalence-$PRESTOVA_WINDOWS_ARCH"  # x64 and x86 run side by side
rm -rf "$work" && mkdir -p "$work"

registry_rows='"name": "(Label3|Label1[4-7]|proc(good|ok|bad)|Label2[3-9]|Label3[0-4]|os(good|ok|bad)|acrolink|flashlink|reallink|ziplink[12]|javalink|soft(good|ok)|explorerLink|brows(good|ok|bad))"'

# panel JSON: the controls and the stop, not the machine's name.
panel() { tr -d '\r' | grep -v '"machine": '; }

failures=0
# fact FILE SECTION KEY DEFAULT: one value of a facts file.
fact() {
  local value
  value="$(sed -n "/^\[$2\]/,/^\[/{s/^$3 *= *\([^ ;]*\).*/\1/p}" "$1" | head -n 1)"
  printf '%s' "${value:-$4}"
}

# version_record FILE: what the checks take from a facts file's [windows].
version_record() {
  printf '%s.%s type %s' "$(fact "$1" windows major 5)" "$(fact "$1" windows minor 1)" \
    "$(fact "$1" windows product_type 1)"
}

# same_rows WHAT GREP_OPTION PATTERN OTHER: the rows of Wine's check that
# grep picks must be those of the Linux check of OTHER.
same_rows() {
  diff <(grep "$2" "$3" "$work/$name.wine.json") <(grep "$2" "$3" "$work/$name.$4.json") && return 0
  echo "FAIL: $1 differ (above)" >&2
  failures=$((failures + 1))
}

check_profile() {
  local name="$1"
  shift
  local profile="$PRESTOVA_SOURCE_DIR/profiles/$name.machine"
  new_prefix "equivalence-$name"
  win_reg import "$(winpath "$PRESTOVA_SOURCE_DIR/profiles/$name.reg")" >/dev/null 2>&1

  local snap="$work/$name-wine" version="" candidate
  for candidate in "$@"; do
    set_windows_version "$candidate"
    win_run "$exe" snapshot --force --output "$(winpath "$snap")" >/dev/null
    if [ "$(version_record "$snap.machine")" = "$(version_record "$profile")" ]; then
      version="$candidate"
      break
    fi
  done
  echo "== $name under Wine's ${version:-(no matching version among $*)}"
  if [ -z "$version" ]; then
    failures=$((failures + 1))
    return
  fi

  win_run "$exe" check --format json --page "$(winpath "$page")" | panel >"$work/$name.wine.json"
  # The snapshot's facts with the profile's own registry.
  sed "s|^file = .*|file = $PRESTOVA_SOURCE_DIR/profiles/$name.reg|" "$snap.machine" >"$work/$name-merged.machine"
  local machine
  for machine in snapshot:"$snap.machine" merged:"$work/$name-merged.machine" profile:"$profile"; do
    "$PRESTOVA_BINARY" check --machine "${machine#*:}" --format json --page "$page" | panel >"$work/$name.${machine%%:*}.json"
  done

  same_rows "$name: Wine's check and the check of Wine's snapshot" -v '"name": "Label4"' snapshot
  same_rows "$name: registry and version rows and the profile's" -E "$registry_rows" merged
  # The operating-system row as the original profile shows it.
  same_rows "$name: operating-system row and the profile's" -E '"name": "(Label2[4-7]|os(good|ok|bad))"' profile
  wineserver -k >/dev/null 2>&1 || true
}

check_profile xp-laptop-2005 winxp
check_profile win7-desktop win7 win2008r2
check_profile uhd-nearly-full win7 win2008r2
check_profile server2008-r2 win2008r2 win7

if [ "$failures" -ne 0 ]; then
  echo "$failures comparison(s) failed" >&2
  exit 1
fi
echo "equivalence: every profile matched"
