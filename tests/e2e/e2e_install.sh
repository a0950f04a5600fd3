#!/usr/bin/env bash
# Catches a package that installs or plays wrong: files missing or misplaced, lintian's errors or warnings,
# validators' rejections, sprites not found, a bad exit.
# Usage: e2e_install.sh BUILD_DIR   (a configured and built tree)
set -euo pipefail
source "$(dirname "$0")/xsession.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack --config "$1/CPackConfig.cmake" -G DEB -B "$scratch" >/dev/null || fail "cpack could not build the package"
! { lintian "$scratch"/vantrel_*.deb 2>&1 || true; } | grep '^[EW]: ' || fail "lintian reports errors or warnings"

dpkg-deb -x "$scratch"/vantrel_*.deb "$scratch/root"
usr=$scratch/root/usr app_id=io.github.vantrel.Vantrel
# Debian's layout for games; lintian checks the icons' sizes, but nothing notices an icon missing.
for f in games/vantrel lib/games/vantrel/{vantrel,PADDLE.bmp,BALL.bmp,BULLET.bmp,WALL.bmp} share/man/man6/vantrel.6.gz \
  share/doc/vantrel/{changelog.gz,copyright} share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
  share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$app_id.png; do
  [ -e "$usr/$f" ] || fail "the package has no /usr/$f"
done
[[ $(readlink "$usr/games/vantrel") == [^/]* ]] || fail "/usr/games/vantrel is no relative link: it works only under /"
warnings=$(zcat "$usr/share/man/man6/vantrel.6.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
desktop-file-validate "$usr/share/applications/$app_id.desktop" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli rejects the metainfo"

# The installed command passes the game test; the paddle's shine there shows that it read the sprites beside it.
bash "$(dirname "$0")/e2e_game.sh" "$usr/games/vantrel" "$scratch/shots"
echo "PASS: package, lintian, manual page, desktop entry, metainfo; the installed command's game"
