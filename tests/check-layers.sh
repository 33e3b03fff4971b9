#!/bin/sh
# The layers' include rules. Usage: check-layers.sh BUILD_DIR PROBE...
# First in the sources, naming the lines: the board and the window reach no
# toolkit, platform or test support; the core runtime reaches no layer above
# it and no platform; the board does not reach up into the window. Then in
# the build: each PROBE, "name|target|reason", is a source compiled as that
# layer's target compiles; it must fail to build, with the reason in the
# compiler's words, or must build where no reason is given.
set -eu
build=$1
shift
bad=$(grep -rn -E '#include *(<(Q|windows\.h|emscripten)|"(runtime/)?(qt|win32|web)/|"support/|"tests/|"\.\./)' board window || true)
up=$(grep -rn -E '#include *"window/' board || true)
core=$(grep -n -E '#include *(<(Q|windows\.h|emscripten)|"(runtime/)?(qt|win32|web)/|"(board|window|support|tests)/|"\.\./)' runtime/*.h runtime/*.cpp || true)
if [ -n "$bad$up$core" ]; then
  printf 'layers: an include points past its layer:\n%s\n' "$bad$up$core"
  exit 1
fi
echo "layers: the sources include only their own layer and the layers below it"

failed=0
for probe in "$@"; do
  name=${probe%%|*}
  reason=${probe##*|}
  if out=$(cmake --build "$build" --target "probe_$name" 2>&1); then
    [ -z "$reason" ] && { echo "layers: $name builds, as it must"; continue; }
    echo "layers: $name builds, but the build must refuse it ($reason)"
  elif [ -z "$reason" ]; then
    printf 'layers: %s must build, and does not:\n%s\n' "$name" "$out"
  elif printf '%s' "$out" | grep -q -F "$reason"; then
    echo "layers: $name does not build ($reason), as it must not"
    continue
  else
    printf 'layers: %s does not build, but not for "%s":\n%s\n' "$name" "$reason" "$out"
  fi
  failed=1
done
exit $failed
