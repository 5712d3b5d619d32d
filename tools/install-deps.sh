#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when something is missing.
set -euo pipefail

native_pkgs=(g++ clang libclang-rt-14-dev cmake ninja-build make libgtest-dev libgmock-dev libbenchmark-dev)
win32_pkgs=(g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb xdotool x11-utils libx11-dev imagemagick fonts-wqy-microhei fp-utils python3 nsis)

missing=()
for p in "${native_pkgs[@]}" "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
want_win32=${WANT_WIN32:-1}
if [ "$want_win32" = 1 ]; then
  for p in "${win32_pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
if [ "$want_win32" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
