#!/bin/sh
# Fails, naming the files, when any C++ source differs from .clang-format.
# The style is one that the clang-format of Debian 12 (14) and of Debian 13
# (19) agree on, and CI checks with both. Another version may lay the same
# code out differently, so there the check is skipped (status 77), and a
# build never fails on formatting alone.
set -eu
checked_with="14 19"
if ! command -v clang-format >/dev/null; then
  echo "format: skipped, clang-format is not installed"
  exit 77
fi
major=$(clang-format --version | sed -n 's/.*version \([0-9]*\)\..*/\1/p')
case " $checked_with " in
  *" $major "*) ;;
  *)
    echo "format: skipped, clang-format $major is not one the style is checked with ($checked_with)"
    exit 77
    ;;
esac
bad=""
for f in $(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' | grep -v '^./build'); do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad="$bad $f"
done
if [ -n "$bad" ]; then
  echo "not formatted with clang-format $major (run clang-format -i):$bad"
  exit 1
fi
echo "format: all sources formatted (clang-format $major)"
