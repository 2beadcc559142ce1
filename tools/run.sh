#!/usr/bin/env bash
# Builds the client and starts it under Wine, on the user's display or,
# without one, on Xvfb with a screenshot written to build/screenshot.png.
set -euo pipefail
source "$(dirname "$0")/env.sh"
bash "$root/tools/build.sh"
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  trap 'stop_xvfb' EXIT
  start_xvfb
fi
ensure_wineprefix
# The client renames and copies itself to its display name: run a copy.
app="$build/run"
mkdir -p "$app"
cp "$build/Client.exe" "$app/Client.exe"
if [ $headless = 1 ]; then
  "$wine64" "$app/Client.exe" "$@" &
  pid=$!
  sleep "${SCREENSHOT_DELAY:-8}"
  import -window root "$build/screenshot.png"
  echo "screenshot: $build/screenshot.png"
  kill "$pid" 2>/dev/null || true
  /usr/lib/wine/wineserver -k 2>/dev/null || true
else
  "$wine64" "$app/Client.exe" "$@"
fi
