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
# from the Debian mirrors this machine's apt uses, with the suite changed. Only committed work is
# cloned, as the user who asked for the run: root runs nothing that a checkout's own
# configuration names. The root is built and removed by mmdebstrap, which mounts /dev, /proc and
# /sys inside it while the command runs and unmounts them before removing it, also when the
# command fails or the run is interrupted; this script then checks that nothing is left mounted
# under its scratch folder before removing that with --one-file-system.
#
# Everything below is a function, called by the last line, which ends the run too: bash has read
# the whole file before anything runs. The run through sudo and the part inside the root get the
# functions as bash read them (declare -f), never the file again, so an edit or a checkout during
# a run of several minutes changes nothing.
set -euo pipefail

# The functions the run as root needs, and those of them the part inside the root needs.
as_root_functions=(as_root as_user suite_exists mounts_under_work cleanup in_root end_processes_in_root)
in_root_functions=(in_root end_processes_in_root)

main() {
  if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: scripts/fresh-debian.sh RELEASE [COMMAND]   (e.g. trixie 'bash scripts/play.sh')" >&2
    exit 2
  fi
  local here
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd -P)
  if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env=DISPLAY,WAYLAND_DISPLAY bash -c \
      "set -euo pipefail; $(declare -p in_root_functions); $(declare -f "${as_root_functions[@]}"); as_root \"\$@\"" \
      fresh-debian "$here" "$@"
  fi
  as_root "$here" "$@"
}

# Runs the rest of the command line as $git_user, who owns the checkout or asked for the run.
as_user() {
  if [ "$git_user" = root ]; then
    "$@"
  else
    runuser -u "$git_user" -- "$@"
  fi
}

# $1 the folder of this script in the checkout, $2 the release, $3 the command.
as_root() {
  local here=$1
  release=$2 command=${3:-bash scripts/test.sh}
  # A checkout's configuration can name programs that git runs (core.fsmonitor, filters on
  # `status`), so root runs git in none but its own: through sudo, git runs as the user who asked;
  # run by root, as the checkout's owner.
  if [ -n "${SUDO_USER:-}" ] && [ "${SUDO_UID:-0}" -ne 0 ]; then
    git_user=$SUDO_USER
  else
    git_user=$(stat -c %U "$here")
  fi
  local repo
  repo=$(as_user git -C "$here" rev-parse --show-toplevel)
  if [ -n "$(as_user git -C "$repo" status --porcelain --untracked-files=no)" ]; then
    echo "fresh-debian: uncommitted changes are not cloned; testing HEAD, $(as_user git -C "$repo" rev-parse --short HEAD)" >&2
  fi

  if ! command -v mmdebstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq mmdebstrap
  fi

  # This machine's Debian mirror and security mirror, as its apt sources name them: the sites
  # whose Release files call themselves Debian's. A release without a security suite (testing)
  # just goes without.
  local site label mirror='' security=''
  while read -r site label; do
    case $label in
      Debian) mirror=${mirror:-$site} ;;
      Debian-Security) security=${security:-$site} ;;
    esac
  done < <(apt-get indextargets --format '$(SITE) $(LABEL)' 'Created-By: Packages' | sort -u)
  if [ -z "$mirror" ]; then
    echo "fresh-debian: this machine's apt sources name no Debian mirror (no Release file that apt has" >&2
    echo "fetched is labelled Debian): add one to its sources, run apt-get update, and try again" >&2
    exit 1
  fi

  work=$(mktemp -d "${TMPDIR:-/tmp}/fresh-debian.XXXXXX")
  chmod 0755 "$work"
  trap cleanup EXIT
  trap 'exit 130' INT TERM HUP

  # The clone is made now, so the root gets the HEAD of the moment the run began.
  mkdir "$work/source"
  chown "$git_user:" "$work/source"
  as_user git clone --quiet --no-hardlinks "$repo" "$work/source/vantrel"

  local sources=("deb $mirror $release main")
  suite_exists "$mirror" "$release-updates" && sources+=("deb $mirror $release-updates main")
  [ -z "$security" ] || ! suite_exists "$security" "$release-security" ||
    sources+=("deb $security $release-security main")
  printf 'fresh-debian: %s\n' "${sources[@]}"

  # What runs inside the root, written out now, in a folder only root can write.
  local clone=$work/source/vantrel
  {
    echo 'set -euo pipefail'
    declare -f "${in_root_functions[@]}"
    declare -p release command clone
    echo 'in_root "$1"'
  } >"$work/in-root.sh"

  # Essential packages, apt, git and sudo, and passwd to make the newcomer with (a Debian
  # installation has it; the essential set does not). Check-Valid-Until: a snapshot mirror serves
  # Release files past their expiry date.
  TMPDIR=$work mmdebstrap --mode=root --variant=apt --include=git,sudo,passwd \
    --aptopt='Acquire::Check-Valid-Until "false"' \
    --customize-hook="bash $(printf %q "$work/in-root.sh") \"\$1\"" \
    "$release" /dev/null "${sources[@]}"
}

# A suite exists when its Release file can be fetched; testing and unstable have fewer.
suite_exists() {
  /usr/lib/apt/apt-helper download-file "$1/dists/$2/InRelease" "$work/InRelease" >/dev/null 2>&1
}

# The mounts under the scratch folder, deepest first.
mounts_under_work() { awk -v dir="$work/" 'index($2, dir) == 1 { print $2 }' /proc/mounts | sort -r; }

cleanup() {
  local status=$? mount
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

# Inside mmdebstrap's customize hook: $1 is the root, with /dev, /proc and /sys mounted; release,
# command and clone come with the function.
in_root() {
  root=$1
  local newcomer=newcomer
  trap end_processes_in_root EXIT
  trap 'exit 130' INT TERM

  chroot "$root" useradd --create-home --shell /bin/bash "$newcomer"
  echo "$newcomer ALL=(ALL:ALL) NOPASSWD: ALL" >"$root/etc/sudoers.d/$newcomer"
  chmod 0440 "$root/etc/sudoers.d/$newcomer"
  # sudo looks the host name up on every call.
  printf '127.0.0.1 localhost %s\n' "$(cat "$root/etc/hostname")" >"$root/etc/hosts"
  # mmdebstrap turns apt's recommends off in the roots it makes; a Debian installation has them
  # on, and a set-up that needs one must say so.
  echo 'APT::Install-Recommends "true";' >"$root/etc/apt/apt.conf.d/99newcomer"
  cp -a "$clone" "$root/home/$newcomer/vantrel"
  chroot "$root" chown -R "$newcomer:" "/home/$newcomer/vantrel"

  echo "== $command   (as $newcomer, in a fresh $release)"
  local start=$SECONDS status=0
  # A login shell, as a person at a terminal has; the display is passed on for play.sh.
  chroot "$root" runuser --login "$newcomer" --whitelist-environment=DISPLAY,WAYLAND_DISPLAY \
    -c "cd vantrel && $command" || status=$?
  echo "== the command took $((SECONDS - start)) s and exited with status $status"
  exit "$status"
}

# Whatever the command left running (an X server after an interrupt, say) holds the mounts that
# mmdebstrap must take down next: end it.
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

main "$@"; exit
