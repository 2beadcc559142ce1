#!/usr/bin/env bash
# Builds the client and prints its performance figures under Wine, on a
# private Xvfb display with one wineserver (tools/figures.py). Extra
# arguments go to figures.py (--runs N, --idle SECONDS).
set -euo pipefail
source "$(dirname "$0")/env.sh"
bash "$root/tools/build.sh" >/dev/null
trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb
ensure_wineprefix
start_wineserver
python3 "$root/tools/figures.py" --build "$build" "$@"
