#!/bin/sh
# Fails, naming the files, when any C++ source differs from .clang-format.
set -eu
bad=""
for f in $(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' | grep -v '^./build'); do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad="$bad $f"
done
if [ -n "$bad" ]; then
  echo "not formatted (run clang-format -i):$bad"
  exit 1
fi
echo "format: all sources formatted"
