#!/usr/bin/env bash
# build.sh native|windows: configures and builds one of the two builds under build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
case "${1:-}" in
  native)
    cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug -DKESTRUNE_SANITIZE=ON -DKESTRUNE_BENCH=ON >/dev/null
    cmake --build "$root/build/native" -j"$jobs"
    ;;
  windows)
    cmake -S "$root" -B "$root/build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$root/build/win" -j"$jobs" --target "${@:2}"
    ;;
  *) echo "usage: build.sh native | windows TARGET..." >&2; exit 2 ;;
esac
