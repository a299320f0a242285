#!/usr/bin/env bash
# Configures and builds.
#   build.sh                     everything for testing: the Windows program and tests as a debug
#                                build with the handle checks (build/win), and the platform-free
#                                code for the host under the sanitizers (build/native)
#   build.sh win [targets...]    only the Windows debug tree, or only the given targets of it
#   build.sh release [targets...]  the optimised Windows program without debug information
#                                (build/release), which ./run.sh starts and the benchmarks measure
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
what=${1:-all}
shift || true
targets=()
for t in "$@"; do targets+=(--target "$t"); done
toolchain="-DCMAKE_TOOLCHAIN_FILE=$root/cmake/mingw-w64-x86_64.cmake"
if [ "$what" = "release" ]; then
  cmake -S "$root" -B "$root/build/release" "$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$root/build/release" -j"$jobs" "${targets[@]}"
  exit 0
fi
cmake -S "$root" -B "$root/build/win" "$toolchain" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/win" -j"$jobs" "${targets[@]}"
if [ "$what" != "win" ]; then
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native" -j"$jobs"
fi
