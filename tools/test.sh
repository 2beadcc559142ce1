#!/usr/bin/env bash
# Builds everything and runs every test under Wine, on a private Xvfb
# display with one wineserver kept alive for the whole run.
set -euo pipefail
source "$(dirname "$0")/env.sh"
bash "$root/tools/build.sh"
trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb
ensure_wineprefix
start_wineserver
cd "$build"
ctest --output-on-failure "$@"
