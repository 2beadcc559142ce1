#!/usr/bin/env bash
# Runs a Windows program under Wine with the build tree's prefix; used by
# ctest as the cross-compiling emulator.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
exec /usr/lib/wine/wine64 "$@"
