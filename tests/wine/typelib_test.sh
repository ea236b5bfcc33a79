# The type library embedded in prestova.dll, read by Windows' own loader
# without registering it and printed whole by our container: the library,
# every type with its flags and identifier, every member's name, dispatch
# identifier, kind and parameters in order, and the enumeration's values.
# The transcript is complete, so nothing in the library goes unchecked.
source "$(dirname "$0")/wine_lib.sh"
new_prefix typelib
container_transcript typelib typelib "$(winpath "$PRESTOVA_WINDOWS_BUILD/prestova.dll")" || exit 1
echo "typelib: the embedded type library is as expected"
