# The Group Policy template of the site lock: its one policy writes, for the
# machine, the key the control reads (host/site_lock.hpp's
# kAllowedSitesPolicyKey) as REG_SZ values named 1, 2, 3..., and every
# string, presentation and reference it names resolves. With DIST, dist/
# ships the same two files.
#   policy_template_test.sh SOURCE [DIST]
set -euo pipefail
source=$1
admx=$source/packaging/policy/prestova.admx
adml=$source/packaging/policy/en-US/prestova.adml
failed=0
expect() {  # WHAT EXPECTED ACTUAL
  [ "$2" = "$3" ] || { echo "FAIL: $1: expected '$2', got '$3'" >&2; failed=1; }
}
xmllint --noout "$admx" "$adml"
# xmllint's XPath knows no default namespace: the files are read without it.
admx() { sed 's/ xmlns="[^"]*"//' "$admx" | xmllint --xpath "$1" -; }
adml() { sed 's/ xmlns="[^"]*"//' "$adml" | xmllint --xpath "$1" -; }

key=$(sed -n 's/.*kAllowedSitesPolicyKey = "\(.*\)";.*/\1/p' "$source/host/site_lock.hpp" | sed 's/\\\\/\\/g')
expect "policies" 1 "$(admx 'count(//policy)')"
expect "policy key" "$key" "$(admx 'string(//policy/@key)')"
expect "list keys other than the policy's" 0 "$(admx "count(//list[@key and @key != '$key'])")"
expect "policy class" Machine "$(admx 'string(//policy/@class)')"
# Names 1, 2, 3... of REG_SZ values: the control reads every value's text.
expect "lists of generated names" 1 "$(admx "count(//policy/elements/list[@valuePrefix=''])")"
expect "lists with their own names or REG_EXPAND_SZ" 0 \
  "$(admx "count(//list[@explicitValue='true' or @explicitValue='1' or @expandable='true' or @expandable='1'])")"
expect "policy's category" 1 "$(admx "count(//categories/category[@name = //policy/parentCategory/@ref])")"
expect "policy's supportedOn" 1 "$(admx "count(//supportedOn/definitions/definition[@name = //policy/supportedOn/@ref])")"
expect "display name" "Sites allowed to use the Prestova control" \
  "$(adml "string(//string[@id = '$(admx 'string(//policy/@displayName)' | sed 's/^\$(string\.\(.*\))$/\1/')'])")"
for ref in $(grep -o '\$([a-z]*\.[A-Za-z0-9_]*)' "$admx" | sort -u); do
  kind=${ref#??} id=${kind#*.} kind=${kind%%.*} id=${id%)}
  expect "$ref in the ADML" 1 "$(adml "count(//${kind}Table/$kind[@id='$id'])")"
done
for ref in $(adml '//presentation/*/@refId' | grep -o '"[^"]*"' | tr -d '"'); do
  expect "presentation's $ref in the ADMX" 1 "$(admx "count(//policy/elements/*[@id='$ref'])")"
done

if [ -n "${2:-}" ]; then
  cmp "$admx" "$2/policy/prestova.admx" && cmp "$adml" "$2/policy/en-US/prestova.adml" || failed=1
fi
[ "$failed" -eq 0 ] && echo "policy template: the machine's list of sites, under the control's key, every name resolved"
exit "$failed"
