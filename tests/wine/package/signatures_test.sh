# Every Windows file in dist/ carries an Authenticode signature that verifies
# against the authority package.sh signed with, and SHA256SUMS lists them,
# the Debian package and the Group Policy template's two files.
source "$(dirname "$0")/package_lib.sh"
ca="$PRESTOVA_DIST/../build-sign/verify-ca.pem"
failed=0
for file in x86/prestova.dll x86/prestova.exe x64/prestova.dll x64/prestova.exe prestova.cab prestova-x86.msi prestova-x64.msi; do
  if out="$(osslsigncode verify -CAfile "$ca" -in "$PRESTOVA_DIST/$file" 2>&1)"; then
    echo "$file: signature verified"
  else
    printf '%s\n' "$out" >&2
    echo "FAIL: $file: signature does not verify" >&2
    failed=1
  fi
done
(cd "$PRESTOVA_DIST" && sha256sum --quiet -c SHA256SUMS) || { echo "FAIL: SHA256SUMS does not match" >&2; failed=1; }
expect_eq "files listed in SHA256SUMS" 10 "$(wc -l <"$PRESTOVA_DIST/SHA256SUMS")" || failed=1
# A file changed after signing no longer verifies.
tampered="$PRESTOVA_WINE_WORK/tampered-prestova.dll"
cp "$PRESTOVA_DIST/x86/prestova.dll" "$tampered"
printf 'X' | dd of="$tampered" bs=1 seek=1024 conv=notrunc status=none
if osslsigncode verify -CAfile "$ca" -in "$tampered" >/dev/null 2>&1; then
  echo "FAIL: a changed DLL still verifies" >&2
  failed=1
fi
rm -f "$tampered"
[ "$failed" -eq 0 ] && echo "signatures: all seven files verified"
exit "$failed"
