#!/usr/bin/env bash
# Writes a large machine profile for measuring the registry reader:
#   make_big_reg.sh wide MEGABYTES DIR [utf16]   many keys, each with values
#   make_big_reg.sh keys COUNT DIR [utf16]       COUNT such keys (0 gives the header alone)
#   make_big_reg.sh deep LEVELS DIR [utf16]      one key LEVELS levels deep
#   make_big_reg.sh subkeys COUNT DIR [utf16]    COUNT subkeys under the Acrobat Reader key
# DIR gets big.reg (REGEDIT4, or with "utf16" a UTF-16LE "Windows Registry
# Editor Version 5.00" export as regedit writes it) and big.machine naming it,
# ready for `prestova check --machine DIR/big.machine --page pages/sample.html`
# (the sample page's parameters let the run go through every row, the
# Acrobat key's listing included). Measure with e.g.
#   /usr/bin/time -v prestova check --machine DIR/big.machine --page pages/sample.html >/dev/null
# and read "Maximum resident set size" and "Elapsed".
set -euo pipefail
mode=${1:?usage: make_big_reg.sh wide|keys|deep|subkeys N DIR [utf16]}
count=${2:?usage: make_big_reg.sh wide|keys|deep|subkeys N DIR [utf16]}
dir=${3:?usage: make_big_reg.sh wide|keys|deep|subkeys N DIR [utf16]}
encoding=${4:-plain}
mkdir -p "$dir"

header=REGEDIT4
[ "$encoding" = utf16 ] && header="Windows Registry Editor Version 5.00"

generate() {
  case "$mode" in
    wide | keys)
      # About 330 bytes a key: a string, a number, a binary value and a
      # wrapped hex list, the way exports of real machines look, and in the
      # order regedit writes keys. "wide" stops at a size, "keys" at a number
      # of keys.
      awk -v mode="$mode" -v count="$count" -v header="$header" 'BEGIN {
        printf "%s\r\n", header
        limit = count * 1024 * 1024
        size = 0
        for (i = 0; mode == "keys" ? i < count : size < limit; i++) {
          line = sprintf("\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Bench Vendor %05d\\Product %02d\\%d.0]\r\n" \
                         "\"DisplayName\"=\"Bench product %d, with \\\"quotes\\\" and C:\\\\Path\"\r\n" \
                         "\"Version\"=dword:%08x\r\n" \
                         "\"Flags\"=hex:01,02,03,04,05,06,07,08\r\n" \
                         "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,\\\r\n" \
                         "  14,15,16,17,18,19,1a,1b,1c,1d,1e,1f\r\n",
                         int(i / 100), i % 100, i % 7, i, i)
          printf "%s", line
          size += length(line)
        }
      }'
      ;;
    deep)
      printf '%s\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE' "$header"
      awk -v n="$count" 'BEGIN { s = "\\k"; while (n > 0) { if (n % 2) printf "%s", s; s = s s; n = int(n / 2) } }'
      printf ']\r\n"Depth"=dword:%08x\r\n' "$count"
      ;;
    subkeys)
      printf '%s\r\n' "$header"
      awk -v n="$count" 'BEGIN {
        for (i = 0; i < n; i++) printf "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Adobe\\Acrobat Reader\\%d.%d]\r\n", int(i / 10), i % 10
      }'
      ;;
    *) echo "make_big_reg.sh: unknown mode $mode (wide, keys, deep or subkeys)" >&2; exit 2 ;;
  esac
}

if [ "$encoding" = utf16 ]; then
  { printf '\xFF\xFE'; generate | iconv -f UTF-8 -t UTF-16LE; } >"$dir/big.reg"
else
  generate >"$dir/big.reg"
fi
printf '; made by bench/make_big_reg.sh %s %s\n[registry]\nfile = big.reg\n' "$mode" "$count" >"$dir/big.machine"
ls -l "$dir/big.reg"
