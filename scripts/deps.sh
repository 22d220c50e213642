#!/usr/bin/env bash
# Installs what building, running and testing Kestrune needs on Debian (as root, non-interactive).
# Packages already present are not fetched again.
set -euo pipefail

packages=(
  cmake make g++ pkg-config python3 clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64
  wine wine64 wine32:i386 xvfb xauth x11-utils xdotool fonts-ipafont-gothic imagemagick locales
  tesseract-ocr tesseract-ocr-eng
)

# Wine's 32-bit half comes from the i386 architecture; the tests were made with it in place.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine picks the Japanese code page (932) from a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
