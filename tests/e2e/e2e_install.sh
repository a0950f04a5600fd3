#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and plays the installed `vantrel`
# command in a real X server: the package's fields and files, lintian's verdict, the manual
# page, the desktop entry and the AppStream data are checked, then the program shows the menu,
# draws the arena with the sprites installed beside it, goes back to the menu on "q" and quits
# with status 0. The from-source install's layout is checked too.
# Usage: e2e_install.sh BUILD_DIR   (a configured and built tree)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
source "$here/xsession.sh"
unset QT_QPA_PLATFORM
trap 'rm -rf "$scratch"' EXIT

app_id=io.github.vantrel.Vantrel

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/pkg" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack could not build the package"; }
debs=("$scratch"/pkg/vantrel_*.deb)
[[ -f "${debs[0]}" && ${#debs[@]} = 1 ]] || fail "cpack made no single vantrel_*.deb"
deb=${debs[0]}
echo "built $(basename "$deb")"

# Lintian judges the package's fields and layout; what it cannot know is checked here: the
# libraries come from dpkg-shlibdeps, and the files a player needs are all there.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6 (>= ' || fail "Depends lacks the Qt Widgets library"
version=$(dpkg-deb -f "$deb" Version)

# Debian's own checker, default profile: any error or warning fails.
lintian "$deb" >"$scratch/lintian.log" 2>&1 || true
cat "$scratch/lintian.log"
! grep -q '^[EW]: ' "$scratch/lintian.log" || fail "lintian reports errors or warnings"
echo "lintian: no error, no warning"

dpkg-deb -x "$deb" "$scratch/root"
usr=$scratch/root/usr
# Debian's layout for games: the command in /usr/games, the program beside its sprites.
for f in games/vantrel lib/games/vantrel/vantrel lib/games/vantrel/{PADDLE,BALL,BULLET,WALL}.bmp \
         share/man/man6/vantrel.6.gz share/doc/vantrel/changelog.gz share/doc/vantrel/copyright \
         share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml; do
  [ -e "$usr/$f" ] || fail "the package has no /usr/$f"
done
link=$(readlink "$usr/games/vantrel")
[ "${link#/}" = "$link" ] || fail "/usr/games/vantrel is an absolute link ($link): it only works where the package is installed"
warnings=$(zcat "$usr/share/man/man6/vantrel.6.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
echo "the manual page renders without warnings"

for size in 16 32 48 64 128 256; do
  [ "$(identify -format '%wx%h' "$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")" = "${size}x${size}" ] ||
    fail "no ${size}x${size} icon in the hicolor theme"
done
desktop=$usr/share/applications/$app_id.desktop
metainfo=$usr/share/metainfo/$app_id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
# What the desktop looks up by name must be what the package installs under that name.
grep -qx "Exec=vantrel" "$desktop" || fail "the desktop entry does not start the vantrel command"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry names another icon"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" || fail "the metainfo launches another desktop entry"
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\}\"" "$metainfo" ||
  fail "the metainfo has no dated release $version"
echo "package, desktop entry and metainfo are valid"

# The from-source install keeps bin/ and libexec/, with the manual page uncompressed. The
# build's install manifest, the README's way to uninstall, is left as it was.
manifest=$build/install_manifest.txt
[ ! -f "$manifest" ] || cp "$manifest" "$scratch/manifest"
cmake --install "$build" --prefix "$scratch/local" >/dev/null
if [ -f "$scratch/manifest" ]; then mv "$scratch/manifest" "$manifest"; else rm "$manifest"; fi
for f in bin/vantrel libexec/vantrel/vantrel libexec/vantrel/{PADDLE,BALL,BULLET,WALL}.bmp share/man/man6/vantrel.6; do
  [ -e "$scratch/local/$f" ] || fail "cmake --install puts no $f in the prefix"
done
[ ! -e "$scratch/local/games" ] || fail "cmake --install installs the package's games/ too"
echo "cmake --install keeps its bin/ and libexec/ layout"

start_x
trap 'stop_x; rm -rf "$scratch"' EXIT
start_program "$usr/games/vantrel"
press_play
xdotool mousemove --window "$GAME_ID" 400 "$POINTER_Y"
sleep 0.5
import -window root "$scratch/arena.png"
convert "$scratch/arena.png" "$scratch/arena.ppm"
xtools arena "$scratch/arena.ppm" "$PADDLE_Y"
# The paddle picture's white shine down its sixth column shows that PADDLE.bmp came from the installed folder.
xtools shine "$scratch/arena.ppm" "$PADDLE_Y"
back_to_menu
press_quit
echo "PASS: package, lintian, manual page, desktop entry, metainfo; installed vantrel: menu, Play, arena with its sprites, q, Quit (status 0)"
