# Every scalar automation type a container can write to a property comes back
# with the same VARTYPE and the same bits: through IDispatch::Invoke by value,
# by typed reference and by VARIANT reference, through the dual interface, and
# carried by IPersistPropertyBag and IPersistStreamInit into fresh controls.
# Objects, arrays and a malformed Decimal are refused and the property keeps
# its value. A method's by-reference argument in storage of another type goes
# back in that type.
source "$(dirname "$0")/wine_lib.sh"
new_prefix container-types
register_component
container_transcript container_types types || exit 1
echo "container types: every type kept its VARTYPE and value"
