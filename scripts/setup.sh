#!/usr/bin/env bash
# Installs what Vantrel needs on Debian 12, 13 or testing, skipping whatever is already there.
# Uses sudo when not run as root.
#
# Usage: scripts/setup.sh [play|package|tests]
#   play     what building and playing the game need
#   package  that, and what building its Debian package adds
#   tests    that, and what the tests, fuzzers, benchmarks and screenshots add (the default)
set -euo pipefail

# Building and playing. A player's machine gets these without apt's recommended extras: none of
# them changes how the game plays, and they would triple the download.
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
  play) sets=(play) ;;
  package) sets=(play package) ;;
  tests) sets=(play package tests) ;;
  *)
    echo "usage: scripts/setup.sh [play|package|tests]" >&2
    exit 2
    ;;
esac

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
updated=false

# Installs what the set named $1 lacks, with the apt-get options after it.
install_missing() {
  local -n wanted=$1
  local missing=() p
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  if ! $updated; then
    "${sudo[@]}" apt-get update -qq
    updated=true
  fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${@:2}" "${missing[@]}"
}

# The play set comes without recommends whichever set is asked for, so that the tests build and
# play the game with what a player has.
install_missing play --no-install-recommends
for set in "${sets[@]:1}"; do install_missing "$set"; done
