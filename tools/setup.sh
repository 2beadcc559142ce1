#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine,
# fetches the XML parser's sources and prepares a Wine prefix. Safe to re-run:
# each step is skipped when its result is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
third="$here/third_party"

packages=(g++-mingw-w64-x86-64-posix wine64 xvfb xauth xdotool imagemagick
          cmake ninja-build googletest dpkg-dev python3 locales)

need_install=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || need_install+=("$p")
done

sudo_=""
[ "$(id -u)" = 0 ] || sudo_="sudo"

ensure_deb_src() {
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    $sudo_ tee /etc/apt/sources.list.d/bookworm-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    return 1
  fi
  return 0
}

updated=0
ensure_deb_src || { $sudo_ apt-get update -qq; updated=1; }
if [ ${#need_install[@]} -gt 0 ]; then
  [ $updated = 1 ] || $sudo_ apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq --no-install-recommends "${need_install[@]}"
fi

# The Chinese locale lets Wine pick code page 936 for tests that read GB2312 text.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.gb2312$'; then
  grep -q '^zh_CN.GB2312 GB2312' /etc/locale.gen 2>/dev/null || echo 'zh_CN.GB2312 GB2312' | $sudo_ tee -a /etc/locale.gen >/dev/null
  $sudo_ locale-gen >/dev/null
fi

# TinyXML from Debian's source package, so that Debian's patches are applied.
if [ ! -f "$third/tinyxml/tinyxml.cpp" ]; then
  rm -rf "$third/tinyxml-src" && mkdir -p "$third/tinyxml-src"
  (cd "$third/tinyxml-src" && apt-get source -qq tinyxml >/dev/null)
  src=$(find "$third/tinyxml-src" -maxdepth 1 -mindepth 1 -type d -name 'tinyxml-*' | head -n 1)
  mkdir -p "$third/tinyxml"
  cp "$src"/tinyxml.cpp "$src"/tinyxml.h "$src"/tinyxmlerror.cpp "$src"/tinyxmlparser.cpp \
     "$src"/tinystr.cpp "$src"/tinystr.h "$third/tinyxml/"
  rm -rf "$third/tinyxml-src"
fi
echo "setup: ok"
