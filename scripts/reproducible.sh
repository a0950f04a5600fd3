#!/usr/bin/env bash
# Builds the Debian packages twice from the committed HEAD, each time in a fresh clone at a path of
# its own, at another time and under another umask, and compares them byte for byte: one commit
# must give the same packages wherever and whenever it is built. Prints each package's SHA-256 from
# both builds and exits 1 if any differs; `diffoscope A B` (Debian's diffoscope package) then shows
# where. Uncommitted changes are not built. Each build goes where the README's package commands put it,
# build/package.
# Usage: scripts/reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh package
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
    cmake -S "$clone" -B "$clone/build/package" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF >/dev/null
    cmake --build "$clone/build/package" -j "$(nproc)" --target package >/dev/null
  )
done

status=0
for first in "$work/a/build/package"/*.deb "$work/a/build/package"/*.ddeb; do
  second=$work/${builds[1]}/build/package/${first##*/}
  sha256sum "$first" "$second" | sed "s|$work/||"
  cmp -s "$first" "$second" || { echo "DIFFERS: ${first##*/}"; status=1; }
done
[ "$status" -ne 0 ] || echo "The two builds gave the same packages."
exit "$status"
