#!/usr/bin/env bash
# Builds the Debian packages twice from the committed HEAD, each time in a fresh clone at a path of
# its own, at another time and under another umask, and compares them byte for byte: one commit
# must give the same packages wherever and whenever it is built. Prints each package's SHA-256 from
# both builds and exits 1 if any differs; `diffoscope A B` (Debian's diffoscope package) then shows
# where. Uncommitted changes are not built.
# Usage: scripts/reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Paths of different lengths, so that a path left in a file would also shift what follows it.
builds=(a "second/build of the same commit")
umasks=(022 002)
for i in 0 1; do
  clone=$work/${builds[$i]}
  (
    umask "${umasks[$i]}"
    git clone --quiet --no-hardlinks . "$clone"
    cmake -S "$clone" -B "$clone/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF >/dev/null
    cmake --build "$clone/build" -j "$(nproc)" --target package >/dev/null
  )
done

status=0
for package in "$work/a/build"/*.deb "$work/a/build"/*.ddeb; do
  name=${package##*/}
  sha256sum "$package" "$work/${builds[1]}/build/$name" | sed "s|$work/||"
  cmp -s "$package" "$work/${builds[1]}/build/$name" || { echo "DIFFERS: $name"; status=1; }
done
[ "$status" -ne 0 ] || echo "The two builds gave the same packages."
exit "$status"
