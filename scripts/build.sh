#!/usr/bin/env bash
# Configures and builds. `build.sh` builds everything: the Windows program and tests
# (build/win) and the platform-free code for the host under the sanitizers (build/native).
# `build.sh win [targets...]` builds only the Windows tree, or only the given targets of it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
what=${1:-all}
shift || true
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake -S "$root" -B "$root/build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win" -j"$jobs" "${targets[@]}"
if [ "$what" != "win" ]; then
  cmake -S "$root" -B "$root/build/native" >/dev/null
  cmake --build "$root/build/native" -j"$jobs"
fi
