#!/usr/bin/env bash
# Installs what is missing, configures and builds. Extra arguments go to
# CMake's configure step (for example -DCLIENT_RESOURCE_DIR=/path/to/brand).
set -euo pipefail
source "$(dirname "$0")/env.sh"
bash "$root/tools/setup.sh"
generator=()
[ -f "$build/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S "$root" -B "$build" "${generator[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
