#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; skips what is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev
  libpng-dev zlib1g-dev
  libcairo2-dev libfreetype-dev libfontconfig-dev fonts-liberation
  libx11-dev libxext-dev libxtst-dev xvfb x11-utils
  libsndfile1-dev
  lsp-plugins-vst ardour
  valgrind
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
