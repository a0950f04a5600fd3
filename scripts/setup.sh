#!/usr/bin/env bash
# Installs what Vantrel needs on Debian 12, 13 or testing, skipping whatever is already there.
# Uses sudo when not run as root.
#
# Usage: scripts/setup.sh [play|package|tests]
#   play     what building and playing the game need
#   package  that, and what building its Debian package adds
#   tests    that, and what the tests, fuzzers, benchmarks and screenshots add (the default)
set -euo pipefail

# Building and playing.
play=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev          # Qt 6 Widgets; Qt6Gui's CMake package needs the GL headers
  libxcb1-dev                     # asking X whether a window manager runs
  qt6-wayland                     # Qt on Wayland
  fonts-dejavu-core               # a font for the boxes and buttons
)
# Building the Debian package (cpack).
package=(
  dpkg-dev                        # dpkg-shlibdeps finds the libraries the package depends on
  file                            # cpack asks it which files are programs to pass to dpkg-shlibdeps
)
# Testing, fuzzing, measuring and taking the screenshots.
tests=(
  clang libclang-rt-dev           # the sanitizer and fuzzer runtimes
  clang-format                    # the test command checks the sources' formatting
  libbenchmark-dev                # the benchmarks
  xvfb xdotool imagemagick x11-utils  # the end-to-end tests in a real X server,
  openbox weston                  # also under a window manager and on Wayland
  python3 bc                      # they read their screenshots and figures with these
  appstream desktop-file-utils    # the install test validates the metainfo and the desktop entry
  lintian groff-base              # the install test checks the package and renders the manual page
)

case ${1:-tests} in
  play) wanted=("${play[@]}") ;;
  package) wanted=("${play[@]}" "${package[@]}") ;;
  tests) wanted=("${play[@]}" "${package[@]}" "${tests[@]}") ;;
  *)
    echo "usage: scripts/setup.sh [play|package|tests]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
# Without recommends: each set lists all that its users need, and the extras apt would add change
# nothing the game, its package or its tests do (the one a player may want, Qt's GTK theme, gives
# Qt programs GNOME's look) but make the download far larger. The tests then play the game with
# the libraries a player's set-up gives, not with extras it lacks.
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
