# The Debian package for help desks: lintian reports no error, and the
# program unpacked from it checks a bundled profile.
#   deb_test.sh DIST SOURCE
set -euo pipefail
deb=$(ls "$1"/prestova_*_amd64.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
"$root/usr/bin/prestova" check --machine "$2/profiles/xp-laptop-2005.machine" --page "$2/pages/sample.html" |
  grep -q "^Prestova results panel for machine xp-laptop-2005"
for file in share/man/man1/prestova.1.gz share/bash-completion/completions/prestova share/doc/prestova/README.md; do
  [ -s "$root/usr/$file" ] || { echo "FAIL: the package has no $file" >&2; exit 1; }
done
lintian --allow-root --fail-on error "$deb"
echo "deb: $(basename "$deb") installs a working prestova"
