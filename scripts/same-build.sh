#!/usr/bin/env bash
# Checks that the optimised program is the same file whoever builds it, wherever and whenever:
#   same-build.sh                builds the checked-out commit twice, each time from a fresh copy of
#                                its sources in a folder of its own, and compares the two programs
#   same-build.sh <NameGen.exe>  builds the checked-out commit once so and compares the program with
#                                the given file, a download say
# Prints each program's SHA-256 and exits non-zero when they differ. Needs what ./run.sh installs
# (scripts/setup.sh); the same sources and the same compilers give the same bytes. The folders are
# made under TMPDIR (/tmp by default) and removed afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse HEAD)
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "same-build: note: the working tree has changes; building the commit $commit without them"
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/namegen-same-build.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Builds the commit from a fresh copy in folder $1 and prints the program's path.
build() {
  local dir="$work/$1"
  mkdir -p "$dir/source"
  git -C "$root" archive "$commit" | tar -x -C "$dir/source"
  cmake -S "$dir/source" -B "$dir/build" -DCMAKE_TOOLCHAIN_FILE="$dir/source/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$dir/build" -j"$(nproc)" --target NameGen >/dev/null
  echo "$dir/build/bin/NameGen.exe"
}

echo "same-build: building $commit in $work/first"
first=$(build first)
if [ $# -ge 1 ]; then
  second=$1
else
  echo "same-build: building it again in $work/second"
  second=$(build second)
fi
sha256sum "$first" "$second" | sed "s|$work/||"
if cmp -s "$first" "$second"; then
  echo "same-build: the same program, byte for byte"
else
  echo "same-build: the programs differ ($(cmp -l "$first" "$second" | wc -l) bytes; first differences below)"
  cmp -l "$first" "$second" | head -n 10
  exit 1
fi
