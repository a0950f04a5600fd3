#!/usr/bin/env bash
# Runs a command on a fresh, minimal Debian of the release you name, as a newcomer would: an
# ordinary user with sudo, on a system that has apt, git and sudo and nothing else, in a clone of
# this checkout's HEAD. It shows the set-up a newcomer gets, not the one this machine happens to
# have after everything installed on it so far: a missing install step, a package name that one
# release lacks or a newer toolchain fails here first.
#
# Usage: scripts/fresh-debian.sh RELEASE [COMMAND]
#   RELEASE  a Debian codename or suite: bookworm, trixie, forky, testing, ...
#   COMMAND  run in the clone's top folder (default: bash scripts/test.sh)
# e.g.   bash scripts/fresh-debian.sh trixie
#        bash scripts/fresh-debian.sh forky 'bash scripts/play.sh'   (with DISPLAY reachable)
#
# Needs root (it asks sudo otherwise) and installs mmdebstrap when missing. The packages come
# from the mirrors this machine's apt uses, with the suite changed. Only committed work is
# cloned. The root is built and removed by mmdebstrap, which mounts /dev, /proc and /sys inside
# it while the command runs and unmounts them before removing it, also when the command fails
# or the run is interrupted; this script then checks that nothing is left mounted under its
# scratch folder before removing that with --one-file-system.
set -euo pipefail
# In braces, so that bash reads the whole script before running it: a checkout or an edit during
# a run of several minutes changes nothing.
{
newcomer=newcomer
self=$(realpath "$0")
# Run by root through sudo, git would refuse a checkout that someone else owns.
git() { command git -c safe.directory='*' "$@"; }

# Inside mmdebstrap's customize hook: $2 is the root, with /dev, /proc and /sys mounted.
if [ "${1:-}" = --in-root ]; then
  root=$2
  # Whatever the command left running (an X server after an interrupt, say) holds the mounts
  # that mmdebstrap must take down next: end it.
  end_processes_in_root() {
    local signal pid
    for signal in TERM KILL; do
      for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        if [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ]; then
          kill -"$signal" "$pid" 2>/dev/null || true
        fi
      done
      sleep 1
    done
  }
  trap end_processes_in_root EXIT
  trap 'exit 130' INT TERM

  chroot "$root" useradd --create-home --shell /bin/bash "$newcomer"
  echo "$newcomer ALL=(ALL:ALL) NOPASSWD: ALL" >"$root/etc/sudoers.d/$newcomer"
  chmod 0440 "$root/etc/sudoers.d/$newcomer"
  # sudo looks the host name up on every call.
  printf '127.0.0.1 localhost %s\n' "$(cat "$root/etc/hostname")" >"$root/etc/hosts"
  git clone --quiet --no-hardlinks "$FRESH_DEBIAN_REPO" "$root/home/$newcomer/vantrel"
  chroot "$root" chown -R "$newcomer:" "/home/$newcomer/vantrel"

  echo "== $FRESH_DEBIAN_COMMAND   (as $newcomer, in a fresh $FRESH_DEBIAN_RELEASE)"
  start=$SECONDS
  status=0
  # A login shell, as a person at a terminal has; the display is passed on for play.sh.
  chroot "$root" runuser --login "$newcomer" --whitelist-environment=DISPLAY,WAYLAND_DISPLAY \
    -c "cd vantrel && $FRESH_DEBIAN_COMMAND" || status=$?
  echo "== the command took $((SECONDS - start)) s and exited with status $status"
  exit "$status"
fi

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  sed -n '/^# Usage/,/^#$/s/^# \{0,1\}//p' "$self" >&2
  exit 2
fi
release=$1
command=${2:-bash scripts/test.sh}

if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=DISPLAY,WAYLAND_DISPLAY bash "$self" "$@"
fi

repo=$(git -C "$(dirname "$self")" rev-parse --show-toplevel)
if [ -n "$(git -C "$repo" status --porcelain --untracked-files=no)" ]; then
  echo "fresh-debian: uncommitted changes are not cloned; testing HEAD, $(git -C "$repo" rev-parse --short HEAD)" >&2
fi

if ! command -v mmdebstrap >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq mmdebstrap
fi

# This machine's Debian mirror and security mirror, read from its apt sources.
host_release=$(. /etc/os-release && echo "$VERSION_CODENAME")
mirror=http://deb.debian.org/debian
security=http://deb.debian.org/debian-security
while read -r site suite; do
  case $suite in
    "$host_release") mirror=$site ;;
    "$host_release-security") security=$site ;;
  esac
done < <(apt-get indextargets --format '$(SITE) $(RELEASE)' 'Created-By: Packages' | sort -u)

work=$(mktemp -d "${TMPDIR:-/tmp}/fresh-debian.XXXXXX")
chmod 0755 "$work"
mounts_under_work() { awk -v dir="$work/" 'index($2, dir) == 1 { print $2 }' /proc/mounts | sort -r; }
cleanup() {
  local status=$?
  # mmdebstrap has unmounted everything by now; a mount left under the scratch folder would be
  # a host's folder (its /dev, say) that a recursive removal would empty.
  for mount in $(mounts_under_work); do umount "$mount" || umount --lazy "$mount" || true; done
  if [ -n "$(mounts_under_work)" ]; then
    echo "fresh-debian: still mounted under $work; left in place, remove it by hand" >&2
  else
    rm -rf --one-file-system "$work"
  fi
  echo "fresh-debian: $release, $((SECONDS / 60)) min $((SECONDS % 60)) s in all, status $status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# A suite exists when its Release file can be fetched; testing and unstable have fewer.
suite_exists() {
  /usr/lib/apt/apt-helper download-file "$1/dists/$2/InRelease" "$work/InRelease" >/dev/null 2>&1
}
sources=("deb $mirror $release main")
suite_exists "$mirror" "$release-updates" && sources+=("deb $mirror $release-updates main")
suite_exists "$security" "$release-security" && sources+=("deb $security $release-security main")
printf 'fresh-debian: %s\n' "${sources[@]}"

export FRESH_DEBIAN_REPO=$repo FRESH_DEBIAN_COMMAND=$command FRESH_DEBIAN_RELEASE=$release
# Essential packages, apt, git and sudo, and passwd to make the newcomer with (a Debian
# installation has it; the essential set does not). Check-Valid-Until: a snapshot mirror serves
# Release files past their expiry date.
TMPDIR=$work mmdebstrap --mode=root --variant=apt --include=git,sudo,passwd \
  --aptopt='Acquire::Check-Valid-Until "false"' \
  --customize-hook="bash $(printf %q "$self") --in-root \"\$1\"" \
  "$release" /dev/null "${sources[@]}"
exit
}
