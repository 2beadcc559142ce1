#!/usr/bin/env bash
# Builds the client, starts the demo portal and starts the client under
# Wine, on the user's display or, without one, on Xvfb with a screenshot
# written to build/screenshot.png (or to $SCREENSHOT). The portal stops
# when the client exits. Arguments go to the client (a game address).
set -euo pipefail
source "$(dirname "$0")/env.sh"
bash "$root/tools/build.sh"

# The portal serves what the built-in configuration names: the branded
# folder's config.xml when the build has one, else res/config.xml.
resource_dir=$(sed -n 's/^CLIENT_RESOURCE_DIR:PATH=//p' "$build/CMakeCache.txt")
config="$root/res/config.xml"
[ -n "$resource_dir" ] && [ -f "$resource_dir/config.xml" ] && config="$resource_dir/config.xml"
portal_args=(--config "$config")
[ -f "$build/tests/ClientUpdate.exe" ] && portal_args+=(--update-program "$build/tests/ClientUpdate.exe")
python3 "$root/tools/demo_portal.py" "${portal_args[@]}" &
portal_pid=$!
stop_portal() { kill "$portal_pid" 2>/dev/null || true; wait "$portal_pid" 2>/dev/null || true; }

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  trap 'stop_portal; stop_xvfb' EXIT
  start_xvfb
else
  trap 'stop_portal' EXIT
fi
ensure_wineprefix
# The client renames and copies itself to its display name: run a copy.
app="$build/run"
mkdir -p "$app"
cp "$build/Client.exe" "$app/Client.exe"
# The display name is Chinese: code page 936 for its texts and file names.
client_locale=LC_ALL=zh_CN.GB2312
if [ $headless = 1 ]; then
  # Xvfb has no window manager: Wine places and maximises windows itself.
  "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  env "$client_locale" "$wine64" "$app/Client.exe" "$@" &
  pid=$!
  sleep "${SCREENSHOT_DELAY:-8}"
  shot=${SCREENSHOT:-$build/screenshot.png}
  import -window root "$shot"
  echo "screenshot: $shot"
  kill -9 "$pid" 2>/dev/null || true  # Wine ignores SIGTERM
  wait "$pid" 2>/dev/null || true
  "$wine64" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -k 2>/dev/null || true
else
  env "$client_locale" "$wine64" "$app/Client.exe" "$@"
fi
