# Shared settings of the build, run and test scripts (sourced).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No menu entries, icons or .desktop files in the user's home for the
# shortcuts the client makes.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d}
wine64=/usr/lib/wine/wine64

# Creates the Wine prefix once per build tree.
ensure_wineprefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    # No Mono or Gecko installers: they cannot be fetched here and would ask.
    WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d" "$wine64" wineboot --init >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
  fi
  keep_user_folders_in_prefix
}

# Wine links the prefix's Desktop and other user folders to $HOME; the
# client puts shortcuts on the desktop, so they get folders of their own.
keep_user_folders_in_prefix() {
  local folder
  for folder in "$WINEPREFIX"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
    if [ -L "$folder" ]; then
      rm -f "$folder"
      mkdir -p "$folder"
    fi
  done
}

# Starts Xvfb on a free display unless one is given; sets DISPLAY.
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    export DISPLAY=":$n"
    return 0
  done
  echo "no free X display" >&2
  return 1
}

# Keeps one wineserver for the whole run and starts Wine's services now,
# detached from our output: a service started by the first test would
# inherit its output pipe and keep ctest waiting for the end of it.
start_wineserver() {
  /usr/lib/wine/wineserver -p
  # A crashing program must end, not wait on a crash dialog nobody sees.
  "$wine64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    </dev/null >/dev/null 2>&1 || true
}

stop_wineserver() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
}

stop_xvfb() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
}
