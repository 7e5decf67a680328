#!/usr/bin/env bash
# Installs everything Tandrel needs to build, run and test on Debian 12.
# Safe to run again: packages already present are not touched, and the
# MinGW builds of libjpeg are made only once.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"

packages=(
  build-essential cmake ninja-build pkg-config file dpkg-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686
  clang libclang-rt-14-dev clang-format
  googletest libgtest-dev libbenchmark-dev libjpeg62-turbo-dev
  wine64 xvfb xauth x11-apps imagemagick
  locales fonts-wqy-zenhei fonts-wqy-microhei fonts-wine python3
)

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

add_source_entries() {
  # apt-get source needs deb-src lines; mirror the machine's own deb lines.
  local target=/etc/apt/sources.list.d/tandrel-deb-src.sources
  [ -f "$target" ] && return 0
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    sed -e 's/^Types:.*$/Types: deb-src/' "$f"
    echo
  done | as_root tee "$target" >/dev/null
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      as_root tee /etc/apt/sources.list.d/tandrel-deb-src.list >/dev/null || true
  fi
}

install_packages() {
  local missing
  missing=$(missing_packages)
  if [ -n "$missing" ]; then
    as_root apt-get update
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y --no-install-recommends $missing
  fi
}

ensure_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
    as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen
  fi
}

fetch_libjpeg_source() {
  local src="$deps/src"
  if ! ls "$src"/libjpeg-turbo_*.orig.tar.gz >/dev/null 2>&1; then
    add_source_entries
    as_root apt-get update >&2
    mkdir -p "$src"
    (cd "$src" && apt-get source --download-only libjpeg-turbo >&2)
  fi
  ls "$src"/libjpeg-turbo_*.orig.tar.gz | head -n 1
}

build_libjpeg() {
  local triple=$1
  local prefix="$deps/$triple"
  [ -f "$prefix/lib/libjpeg.a" ] && return 0
  local tarball work
  tarball=$(fetch_libjpeg_source)
  work=$(mktemp -d)
  tar -xzf "$tarball" -C "$work"
  local dir
  dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  cmake -S "$dir" -B "$work/build" -G Ninja \
    -DCMAKE_SYSTEM_NAME=Windows \
    -DCMAKE_SYSTEM_PROCESSOR="${triple%%-*}" \
    -DCMAKE_C_COMPILER="$triple-gcc" \
    -DCMAKE_RC_COMPILER="$triple-windres" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF >/dev/null
  cmake --build "$work/build" --target jpeg-static >/dev/null
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$work/build/libjpeg.a" "$prefix/lib/libjpeg.a"
  cp "$dir/jpeglib.h" "$dir/jmorecfg.h" "$dir/jerror.h" "$work/build/jconfig.h" "$prefix/include/"
  rm -rf "$work"
}

install_packages
ensure_locale
build_libjpeg x86_64-w64-mingw32
build_libjpeg i686-w64-mingw32
echo "setup: done"
