#!/usr/bin/env bash
# Builds what institutions deploy, into dist/:
#   x86/ and x64/   prestova.dll and prestova.exe, Release, stripped
#   prestova.cab    the x86 control and its INF, for a page's codebase
#   prestova-x86.msi, prestova-x64.msi   the installers for lab PCs
#   prestova_VERSION_amd64.deb   the command line for help desks on Debian
#   policy/         the Group Policy template of the site lock (ADMX, en-US ADML)
#   SHA256SUMS
# Every DLL, EXE, CAB and MSI is Authenticode-signed with the certificate and
# key named by PRESTOVA_SIGN_CERT and PRESTOVA_SIGN_KEY (PEM files; the key's
# password in PRESTOVA_SIGN_PASSWORD, the CA bundle to verify with in
# PRESTOVA_SIGN_CA, a timestamp server in PRESTOVA_SIGN_TIMESTAMP). Without
# them a throwaway test certificate is made and used, and the script says so.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh package
bash scripts/build-windows.sh

dist=$root/dist
stage=$root/build-package
rm -rf "$dist" "$stage"
mkdir -p "$dist/x86" "$dist/x64" "$stage/cab"

max_dll_bytes=$((1024 * 1024))
for arch in x86 x64; do
  tree=build-win32
  [ "$arch" = x64 ] && tree=build-win64
  for file in prestova.dll prestova.exe; do
    cp "$tree/$file" "$dist/$arch/$file"
  done
  size=$(stat -c %s "$dist/$arch/prestova.dll")
  if [ "$size" -gt "$max_dll_bytes" ]; then
    echo "package: $arch/prestova.dll is $size bytes, more than 1 MB" >&2
    exit 1
  fi
done

# --- signing ---------------------------------------------------------------
sign_dir=$root/build-sign
mkdir -p "$sign_dir"
cert=${PRESTOVA_SIGN_CERT:-}
key=${PRESTOVA_SIGN_KEY:-}
if [ -n "$cert" ] && [ -n "$key" ]; then
  ca=${PRESTOVA_SIGN_CA:-/etc/ssl/certs/ca-certificates.crt}
  echo "package: signing with $cert"
else
  cert=$sign_dir/test-certificate.pem
  key=$sign_dir/test-key.pem
  ca=$cert
  if [ ! -s "$cert" ] || ! openssl x509 -checkend 86400 -noout -in "$cert" >/dev/null 2>&1; then
    openssl req -x509 -newkey rsa:3072 -sha256 -nodes -days 30 -keyout "$key" -out "$cert" \
      -subj "/CN=Prestova throwaway test signing/O=Prestova" \
      -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
  fi
  echo "package: PRESTOVA_SIGN_CERT and PRESTOVA_SIGN_KEY are not set; signing with a throwaway test" \
       "certificate ($cert) that no browser trusts"
fi
# The tests verify the signatures against the same authority.
cp "$ca" "$sign_dir/verify-ca.pem"

sign() {
  local file=$1
  local args=(-certs "$cert" -key "$key" -h sha256 -n "Prestova" -in "$file" -out "$file.signed")
  [ -n "${PRESTOVA_SIGN_PASSWORD:-}" ] && args+=(-pass "$PRESTOVA_SIGN_PASSWORD")
  [ -n "${PRESTOVA_SIGN_TIMESTAMP:-}" ] && args+=(-ts "$PRESTOVA_SIGN_TIMESTAMP")
  osslsigncode sign "${args[@]}" >/dev/null
  mv "$file.signed" "$file"
}

for arch in x86 x64; do
  sign "$dist/$arch/prestova.dll"
  sign "$dist/$arch/prestova.exe"
done

# --- the CAB a page's codebase names ----------------------------------------
cp build-win32/packaging/prestova.inf "$dist/x86/prestova.dll" "$stage/cab/"
(cd "$stage/cab" && gcab -c -n -z "$dist/prestova.cab" prestova.inf prestova.dll)
sign "$dist/prestova.cab"

# --- the lab installers ------------------------------------------------------
for arch in x86 x64; do
  tree=build-win32
  [ "$arch" = x64 ] && tree=build-win64
  mkdir -p "$stage/msi-$arch"
  cp "$dist/$arch/prestova.dll" "$dist/$arch/prestova.exe" "$tree/packaging/prestova.wxs" "$stage/msi-$arch/"
  (cd "$stage/msi-$arch" && wixl -a "$arch" -o "$dist/prestova-$arch.msi" prestova.wxs)
  sign "$dist/prestova-$arch.msi"
done

# --- the Debian package -----------------------------------------------------
bash scripts/build.sh deb
(cd build-deb && cpack -B "$stage/deb" >/dev/null)
deb=$(basename "$stage"/deb/prestova_*_amd64.deb)
cp "$stage/deb/$deb" "$dist/"

# --- the Group Policy template ----------------------------------------------
mkdir -p "$dist/policy/en-US"
cp packaging/policy/prestova.admx "$dist/policy/"
cp packaging/policy/en-US/prestova.adml "$dist/policy/en-US/"

# --- check and list ----------------------------------------------------------
cd "$dist"
signed=(x86/prestova.dll x86/prestova.exe x64/prestova.dll x64/prestova.exe prestova.cab prestova-x86.msi prestova-x64.msi)
files=("${signed[@]}" "$deb" policy/prestova.admx policy/en-US/prestova.adml)
for file in "${signed[@]}"; do
  if ! osslsigncode verify -CAfile "$sign_dir/verify-ca.pem" -in "$file" >"$stage/verify.log" 2>&1; then
    cat "$stage/verify.log" >&2
    echo "package: the signature of $file does not verify" >&2
    exit 1
  fi
done
sha256sum "${files[@]}" > SHA256SUMS
echo "package: dist/ written and every signature verified"
for file in "${files[@]}"; do
  printf '  %-28s %9d bytes\n' "$file" "$(stat -c %s "$file")"
done
