#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Korvale need.
# Only missing packages are installed; nothing is downloaded at build time.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libcurl4-openssl-dev libcpp-httplib-dev
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl1-mesa-dev
  fonts-noto-cjk fonts-ipafont-gothic
  dpkg-dev
  clang-14 libclang-rt-14-dev
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
