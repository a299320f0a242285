#!/usr/bin/env bash
# Configures and builds the Windows program and tests (build/win) and, unless
# "win" is given, the platform-free code for the host under the sanitizers (build/native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
cmake -S "$root" -B "$root/build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win" -j"$jobs"
if [ "${1:-}" != "win" ]; then
  cmake -S "$root" -B "$root/build/native" >/dev/null
  cmake --build "$root/build/native" -j"$jobs"
fi
