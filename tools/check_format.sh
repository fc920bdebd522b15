#!/bin/sh
# Lists the C++ files that differ from the house style in .clang-format and
# fails when there is one.
#   tools/check_format.sh            every .cpp and .h file in the repository
#   tools/check_format.sh FILE...    only these files
# Formats a listed file in place with: clang-format-14 -i FILE
# The layout depends on clang-format's version, hence version 14 here and in CI.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/tools/deps.sh"
PLX_PACKAGES="" plx_install_missing clang-format-14
cd "$root"
[ $# -gt 0 ] || set -- $(git ls-files '*.cpp' '*.h')
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
