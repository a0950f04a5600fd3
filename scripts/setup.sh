#!/usr/bin/env bash
# Installs what building, playing and testing Vantrel need on Debian 12, skipping whatever
# is already there. Uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev          # Qt 6 Widgets; Qt6Gui's CMake package needs the GL headers
  libxcb1-dev qt6-wayland         # asking X whether a window manager runs; Qt on Wayland
  fonts-dejavu-core               # a font for the boxes and buttons
  clang libclang-rt-dev           # the sanitizer and fuzzer runtimes
  clang-format                    # the test command checks the sources' formatting
  libbenchmark-dev                # the benchmarks
  xvfb xdotool imagemagick x11-utils  # the end-to-end tests in a real X server,
  openbox weston                  # also under a window manager and on Wayland
  python3 bc                      # they read their screenshots and figures with these
  appstream desktop-file-utils    # the install test validates the metainfo and the desktop entry
  dpkg-dev file                   # the Debian package: dpkg-shlibdeps, and file to find the programs
  lintian groff-base              # the install test checks the package and renders the manual page
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
