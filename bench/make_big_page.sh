#!/bin/sh
# Writes a large page for timing `prestova check --page`:
#   make_big_page.sh amps N FILE     one <param> value of N bytes of '&' (no ';')
#   make_big_page.sh params N FILE   N <param> tags with distinct names
# Time a run with e.g.
#   /usr/bin/time -v prestova check --machine profiles/xp-laptop-2005.machine --page FILE --format json
set -eu
[ $# -eq 3 ] || { echo "usage: $0 amps|params N FILE" >&2; exit 2; }
kind=$1 n=$2 file=$3
{
    echo '<html><body><object classid="clsid:A1FBA071-3B84-4CEF-8C26-D107981C15E2" id="Prestova1">'
    case $kind in
    amps)
        printf '<param name="Zip1" value="'
        head -c "$n" /dev/zero | tr '\0' '&'
        echo '">'
        ;;
    params)
        awk -v n="$n" 'BEGIN { for (i = 0; i < n; ++i) printf "<param name=\"p%d\" value=\"%d\">\n", i, i }'
        ;;
    *) echo "unknown kind '$kind' (amps or params)" >&2; exit 2 ;;
    esac
    echo '<param name="MemoryMin" value="64"></object></body></html>'
} >"$file"
