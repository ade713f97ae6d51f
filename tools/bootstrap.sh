#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine.
# Idempotent: packages already present are skipped, and the libjpeg-turbo
# cross build is cached outside the work tree so a second run is quick.
set -euo pipefail

PKGS=(wine wine32:i386 wine64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev xvfb imagemagick
      cmake ninja-build googletest libgtest-dev libbenchmark-dev dpkg-dev nasm
      clang-14 libclang-rt-14-dev ccache python3 zlib1g-dev libjpeg62-turbo-dev unzip
      libzydis-dev  # Zydis: only the decoder benchmark compares with it
      pngcheck libpng-tools python3-pil  # independent readers of the screenshot PNGs
      # Peers of the delivery tests: an SMTP server, a DNS server (the binary
      # alone, no system service), DNS packets for a misbehaving server.
      python3-aiosmtpd dnsmasq-base python3-dnslib)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# libjpeg-turbo has no mingw package: cross-build it from Debian's source
# package, once for each Windows build (i686: the product; x86_64: the 64-bit
# test build for machines that cannot run 32-bit programs).
cross_build_jpeg() {
  local arch=$1 cache=/var/cache/sorvenal/libjpeg-$1
  [ -f "$cache/lib/libjpeg.a" ] && return 0
  echo "bootstrap: cross-building libjpeg-turbo into $cache"
  local src_list=/etc/apt/sources.list.d/debian-src.sources
  if [ ! -f "$src_list" ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | as_root tee "$src_list" >/dev/null
    as_root apt-get update -qq
  fi
  local work here tarball srcdir
  work=$(mktemp -d)
  here=$(cd "$(dirname "$0")" && pwd)
  (cd "$work" && apt-get source --download-only libjpeg-turbo >/dev/null 2>&1)
  tarball=$(ls "$work"/libjpeg-turbo_*.orig.tar.gz | head -n1)
  tar -xzf "$tarball" -C "$work"
  srcdir=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
  cmake -S "$srcdir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-$arch.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR= \
    -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$cache" >/dev/null
  cmake --build "$work/build" --target jpeg-static >/dev/null
  as_root mkdir -p "$cache/lib" "$cache/include"
  as_root cp "$work/build/libjpeg.a" "$cache/lib/"
  as_root cp "$work/build/jconfig.h" "$srcdir/jpeglib.h" "$srcdir/jmorecfg.h" "$srcdir/jerror.h" "$cache/include/"
  rm -rf "$work"
}
cross_build_jpeg i686
cross_build_jpeg x86_64
echo "bootstrap: ready"
