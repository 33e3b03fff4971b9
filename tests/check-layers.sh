#!/bin/sh
# Fails, naming the lines, when the board or the window reaches past the core
# runtime (to Qt, the Qt platform or the test support), or the board reaches
# up into the window. The build enforces the first too; this names the line.
set -eu
bad=$(grep -rn -E '#include *(<Q|"runtime/qt/|"support/|"tests/)' board window || true)
up=$(grep -rn -E '#include *"window/' board || true)
if [ -n "$bad$up" ]; then
  printf 'layers: an include points past its layer:\n%s\n%s\n' "$bad" "$up"
  exit 1
fi
echo "layers: board/ and window/ include only the core runtime and the layers below them"
