#!/usr/bin/env bash
# Builds the program and its tests for another processor with Debian's cross compiler, in a fresh
# Debian 13 root made by scripts/fresh-debian.sh, and runs them there under qemu-user: the unit
# tests, the command line, and the game on a bare X server. Then it builds the Debian package and
# checks that it is labelled with that processor's architecture. A byte order, a `char` signedness
# or a `long` size that the code took for granted fails here first.
#
# Usage: scripts/cross-test.sh ARCH
#   ARCH  a Debian architecture other than this machine's: arm64, armhf, ppc64el, s390x, i386...
# e.g.   bash scripts/cross-test.sh arm64
#
# The emulator is named for every test through CMAKE_CROSSCOMPILING_EMULATOR, and nothing is
# registered with the kernel (no binfmt handler): the host is left as it was. In the root the script
# runs itself with --here ARCH, which also works on any Debian 13 where the user has sudo, but
# adds ARCH to dpkg's architectures there and installs that architecture's Qt beside the native one.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --here ]; then
  if [ $# -ne 1 ]; then
    sed -n '/^# Usage/,/^#$/s/^# \{0,1\}//p' "$0" >&2
    exit 2
  fi
  exec bash scripts/fresh-debian.sh trixie "bash scripts/cross-test.sh --here $(printf %q "$1")"
fi
arch=$2
start=$SECONDS
phase() { echo "== cross-test $arch: $1 ($((SECONDS - start)) s so far)"; }

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
apt_install() { "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >/dev/null; }

phase "installing"
"${sudo[@]}" dpkg --add-architecture "$arch"
"${sudo[@]}" apt-get update -qq
apt_install dpkg-dev
# The compiler's prefix (i686-linux-gnu for i386), the folder of the libraries (i386-linux-gnu),
# and the processor as CMake and qemu name it.
gnu_type=$(dpkg-architecture -a"$arch" -qDEB_HOST_GNU_TYPE 2>/dev/null)
cpu=$(dpkg-architecture -a"$arch" -qDEB_HOST_GNU_CPU 2>/dev/null)
case $cpu in
powerpc64le) qemu=qemu-ppc64le ;;
i?86) qemu=qemu-i386 ;;
*) qemu=qemu-$cpu ;;
esac
# The build and test tools are this machine's; the libraries the program links, and the Qt
# platform plugins its tests load, are the target's. Nothing that they only recommend: qemu-user
# recommends registering itself with the kernel, and the rest would only lengthen the download.
apt_install --no-install-recommends cmake ninja-build pkgconf "g++-$gnu_type" qemu-user xvfb xdotool \
  imagemagick x11-utils python3 bc fonts-dejavu-core file "qt6-base-dev:$arch" "qt6-qpa-plugins:$arch" \
  "libgl-dev:$arch" "libxcb1-dev:$arch" "pkgconf:$arch"

phase "building"
build=build/cross-$arch
# Qt's tools (moc, rcc, uic) are this machine's, found under QT_HOST_PATH; the target's pkgconf
# reads the target's .pc files.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=ON \
  -DCMAKE_SYSTEM_NAME=Linux -DCMAKE_SYSTEM_PROCESSOR="$cpu" -DCMAKE_CXX_COMPILER="$gnu_type-g++" \
  -DPKG_CONFIG_EXECUTABLE="$gnu_type-pkg-config" -DCMAKE_CROSSCOMPILING_EMULATOR="$qemu" \
  -DQT_HOST_PATH=/usr >/dev/null
cmake --build "$build" -j "$(nproc)"
file -L "$build/app/vantrel"

# One at a time: an emulated test takes a whole processor, and side by side they would stretch
# each other past the command-line test's time limits.
phase "unit tests and the command line, under $qemu"
ctest --test-dir "$build" --output-on-failure -LE e2e
phase "the game on a bare X server, under $qemu"
ctest --test-dir "$build" --output-on-failure -R e2e_game_bare

phase "the package"
cmake --build "$build" --target package >/dev/null
for package in "$build"/vantrel_*.deb "$build"/vantrel-dbgsym_*.ddeb; do
  label=$(dpkg-deb -f "$package" Architecture)
  echo "${package##*/}: Architecture: $label"
  [ "$label" = "$arch" ] || { echo "FAIL: ${package##*/} is labelled $label, not $arch" >&2; exit 1; }
done
phase "passed"
