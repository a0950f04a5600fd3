#!/usr/bin/env bash
# Catches a package that installs or plays wrong: files missing or misplaced, lintian's errors or warnings, validators' rejections, sprites not found, a bad exit.
# Usage: e2e_install.sh BUILD_DIR   (a configured and built tree)
set -euo pipefail
build=$1
source "$(dirname "$0")/xsession.sh"
scratch=$(mktemp -d)
trap 'stop_x; rm -rf "$scratch"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack could not build the package"; }
deb=$(echo "$scratch"/vantrel_*.deb)
lintian "$deb" >"$scratch/lintian.log" 2>&1 || true
! grep '^[EW]: ' "$scratch/lintian.log" || fail "lintian reports errors or warnings"

dpkg-deb -x "$deb" "$scratch/root"
usr=$scratch/root/usr app_id=io.github.vantrel.Vantrel
# Debian's layout for games; lintian checks the icons' sizes, but nothing notices an icon missing.
for f in games/vantrel lib/games/vantrel/{vantrel,PADDLE.bmp,BALL.bmp,BULLET.bmp,WALL.bmp} share/man/man6/vantrel.6.gz \
  share/doc/vantrel/{changelog.gz,copyright} share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
  share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$app_id.png; do
  [ -e "$usr/$f" ] || fail "the package has no /usr/$f"
done
[[ $(readlink "$usr/games/vantrel") == [^/]* ]] || fail "/usr/games/vantrel is no relative link: it would work only where the package is installed"
warnings=$(zcat "$usr/share/man/man6/vantrel.6.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
desktop-file-validate "$usr/share/applications/$app_id.desktop" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli rejects the metainfo"

# The from-source layout, installed alone so that the build's own install manifest stays as it was.
cmake --install "$build" --component FromSource --prefix "$scratch/local" >/dev/null && rm "$build/install_manifest_FromSource.txt"
[ -e "$scratch/local/bin/vantrel" ] && [ -e "$scratch/local/libexec/vantrel/WALL.bmp" ] || fail "cmake --install loses its bin/ and libexec/ layout"

start_x
start_program "$usr/games/vantrel"
click_to "$MENU" "${PLAY_BUTTON[@]}" "$GAME"
xdotool mousemove --sync 900 "$POINTER_Y"
sleep 0.5
xdotool click 1
xtools arena "$scratch/arena.ppm" "$PADDLE_Y"
back_to_menu
press_quit
echo "PASS: package, lintian, manual page, desktop entry, metainfo, layouts; installed vantrel: Play, its sprites, q, Quit (status 0)"
