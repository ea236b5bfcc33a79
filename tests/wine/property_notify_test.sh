# A container connects to the control's connection points: every property
# write, through IDispatch or the dual interface, must reach the
# IPropertyNotifySink with the property's dispatch identifier (the ones a
# container finds in the type library), loading must tell nothing, a failing
# sink's error must reach the writer after the value was stored, and the
# default source interface takes a sink and never calls it. References a
# sink gave the control must all come back. A vtable caller finds the
# failure's description in the error object, and no stale one.
source "$(dirname "$0")/wine_lib.sh"
new_prefix property-notify
register_component
container_transcript property_notify notify || exit 1
echo "property notify: every write told the host by its dispatch identifier"
