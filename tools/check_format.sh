#!/bin/sh
# Lists the C++ files that differ from the house style in .clang-format and
# fails when there is one, or when there is no file to check at all.
#   tools/check_format.sh            every .cpp and .h file of the tree (the
#                                    git checkout's, or every one under it)
#   tools/check_format.sh FILE...    only these files
# Formats a listed file in place with: clang-format-14 -i FILE
# The layout depends on clang-format's version, hence version 14 here and in CI.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/tools/deps.sh"
PLX_PACKAGES="" plx_install_missing clang-format-14
cd "$root"
if [ $# -eq 0 ]; then
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    set -- $(git ls-files '*.cpp' '*.h')
  else
    set -- $(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
  fi
fi
if [ $# -eq 0 ]; then
  echo "no C++ file to check: nothing would be tested"
  exit 1
fi
unformatted=0
for f in "$@"; do
  if ! clang-format-14 --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f"
    unformatted=$((unformatted + 1))
  fi
done
if [ "$unformatted" -gt 0 ]; then
  echo "$unformatted file(s) not formatted; format them with: clang-format-14 -i FILE..."
  exit 1
fi
echo "all $# files formatted"
