# Every shipped binary carries the build's one version in its version
# resource, read back as Windows reads it, and both installers and the
# sample page say the same version (the CAB's INF and the README's page tag
# are the CAB test's).
source "$(dirname "$0")/package_lib.sh"
new_prefix package-versions
failed=0

while read -r file type description; do
  info="$(version_info "$PRESTOVA_DIST/$file")"
  echo "== $file"
  printf '%s\n' "$info"
  expect_lines "$info" <<LINES || failed=1
FixedFileVersion=$PRESTOVA_VERSION
FixedProductVersion=$PRESTOVA_VERSION
FileType=$type
FileVersion=$PRESTOVA_VERSION
ProductVersion=$PRESTOVA_VERSION
ProductName=Prestova
FileDescription=$description
OriginalFilename=$(basename "$file")
LINES
  # The resource is there for any reader, not only for Windows.
  wrestool --list --type=16 "$PRESTOVA_DIST/$file" | grep -q . || { echo "FAIL: wrestool finds no version resource in $file" >&2; failed=1; }
done <<'FILES'
x86/prestova.dll dll Prestova system-requirements control
x64/prestova.dll dll Prestova system-requirements control
x86/prestova.exe app Prestova system-requirements check
x64/prestova.exe app Prestova system-requirements check
FILES

for arch in x86 x64; do
  msi_version="$(msiinfo export "$PRESTOVA_DIST/prestova-$arch.msi" Property | tr -d '\r' | awk -F '\t' '$1 == "ProductVersion" { print $2 }')"
  expect_eq "prestova-$arch.msi ProductVersion" "$PRESTOVA_VERSION" "$msi_version" || failed=1
  # What the program says of itself.
  [ "$arch" = x86 ] && ! can_run_x86 && continue
  expect_eq "$arch prestova.exe --version" "prestova $PRESTOVA_VERSION" \
    "$(use_arch "$arch" && win_run "$PRESTOVA_DIST/$arch/prestova.exe" --version | tr -d '\r')" || failed=1
done
tag="$(grep -o 'codebase="prestova.cab#version=[0-9,]*"' "$PRESTOVA_SOURCE_DIR/pages/sample.html" | head -n 1)"
expect_eq "sample page tag" "codebase=\"prestova.cab#version=$VERSION_COMMAS\"" "$tag" || failed=1

# Stripped and small: a browser downloads the control on a student's line.
for arch in x86 x64; do
  size=$(stat -c %s "$PRESTOVA_DIST/$arch/prestova.dll")
  [ "$size" -le 1048576 ] || { echo "FAIL: $arch/prestova.dll is $size bytes, over 1 MB" >&2; failed=1; }
  objdump=i686-w64-mingw32-objdump
  [ "$arch" = x64 ] && objdump=x86_64-w64-mingw32-objdump
  if "$objdump" -h "$PRESTOVA_DIST/$arch/prestova.dll" | grep -q '\.debug_'; then
    echo "FAIL: $arch/prestova.dll carries debug information" >&2
    failed=1
  fi
done

[ "$failed" -eq 0 ] && echo "versions: every binary, both installers and the sample page say $PRESTOVA_VERSION"
exit "$failed"
