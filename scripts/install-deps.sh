#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; skips what is present.
#   scripts/install-deps.sh            Linux build and tests
#   scripts/install-deps.sh --windows  also the Windows cross-build and wine (64- and 32-bit)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git clang-format
  libgtest-dev libgmock-dev
  libpng-dev zlib1g-dev
  libcairo2-dev libfreetype-dev libfontconfig-dev fonts-liberation
  libx11-dev libxext-dev libxtst-dev xvfb x11-utils
  libsndfile1-dev
  lsp-plugins-vst ardour
  valgrind
  clang-14 libfuzzer-14-dev
  lv2-dev liblilv-dev lilv-utils sordi dpkg-dev jalv jackd2 xdotool imagemagick
  qtractor # its CLAP scanner, for tests/clap
)
windows_packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  wine wine64 qemu-user xdotool imagemagick dpkg-dev
)
windows=0
[ "${1:-}" = "--windows" ] && windows=1 && packages+=("${windows_packages[@]}")

sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
export DEBIAN_FRONTEND=noninteractive

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
[ $windows -eq 1 ] || exit 0

# 32-bit wine: the i386 architecture and its loader.
if ! installed wine32:i386 || ! installed wine32-preloader:i386; then
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo_cmd dpkg --add-architecture i386
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends wine32:i386 wine32-preloader:i386
fi

# Some machines cannot start 32-bit Linux programs (wine's own 32-bit loader among them):
# there they run through qemu-user, registered with the kernel's binfmt_misc.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  mountpoint -q /proc/sys/fs/binfmt_misc || $sudo_cmd mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F' |
      $sudo_cmd tee /proc/sys/fs/binfmt_misc/register >/dev/null
  fi
fi

bash "$(dirname "$0")/windows-sources.sh"
