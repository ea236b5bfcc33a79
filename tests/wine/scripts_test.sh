# VBScript and JScript clients of the registered control: properties,
# methods with by-reference arguments, the errors they raise, and the
# Windows version under several configured versions. (Every type a client
# can store in a property is the container_types test's.)
source "$(dirname "$0")/wine_lib.sh"
new_prefix scripts
register_component

clients="$PRESTOVA_SOURCE_DIR/tests/wine/clients"
failed=0
# The clients run in a process of the architecture under test.
{ run_script "$clients/installed.vbs" && expect_process_arch; } || failed=1
for client in properties.vbs methods.vbs methods.js; do
  echo "== $client"
  { run_script "$clients/$client" && expect_transcript "${client%.*}_${client##*.}" "$SCRIPT_OUT"; } || failed=1
done

# What GetVersionExA reports under each setting decides the ordinal. Wine 8
# reports win7 with the server product type and win2008r2 with the
# workstation one, so the control names them Server 2008 R2 (13) and
# Windows 7 (14); versions past Windows 7 are unknown (0).
while read -r version ordinal; do
  set_windows_version "$version"
  { run_script "$clients/version.vbs" >/dev/null &&
    expect_eq "getVersion under $version" "$ordinal" "$(printf '%s\n' "$SCRIPT_OUT" | head -n 1)"; } || failed=1
done < "$PRESTOVA_SOURCE_DIR/tests/wine/expected/windows_versions.txt"

[ "$failed" -eq 0 ] && echo "scripts: all clients gave the expected output"
exit "$failed"
