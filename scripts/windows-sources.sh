#!/usr/bin/env bash
# Fetches the Debian source packages that the Windows builds compile (Debian has no mingw build
# of them) into build/third_party: libpng and libsndfile, from bookworm. Skips what is there.
set -euo pipefail
cd "$(dirname "$0")/.."
dest=build/third_party
mkdir -p "$dest"

need=()
compgen -G "$dest/libpng1.6-*/png.h" >/dev/null || need+=(libpng1.6/bookworm)
compgen -G "$dest/libsndfile-*/include/sndfile.h" >/dev/null || need+=(libsndfile/bookworm)
[ ${#need[@]} -eq 0 ] && exit 0

# apt-get source needs a deb-src entry; add one for bookworm's main component once.
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  cat > /etc/apt/sources.list.d/ofc-deb-src.sources <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  apt-get update -qq
fi
command -v dpkg-source >/dev/null || apt-get install -y -qq --no-install-recommends dpkg-dev
# The suite is named: a plain name may pick a security update whose files the mirror lacks.
(cd "$dest" && apt-get source -qq "${need[@]}")
