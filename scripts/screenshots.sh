#!/usr/bin/env bash
# Takes the README's pictures of the program as it is now, in a private X server:
# docs/menu.png, the menu window, and docs/rally.png, the arena during a rally with the ball
# and some of the player's bullets in flight.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default build/release, built here when needed)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build/release}
bash scripts/setup.sh tests
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target vantrel

source scripts/xsession.sh
unset QT_QPA_PLATFORM
shots=$(mktemp -d)
trap 'stop_x; rm -rf "$shots"' EXIT
start_x
mkdir -p docs

start_program "$build/app/vantrel"
sleep 0.5 # the first paint
import -window "$(find_window "$MENU")" -strip docs/menu.png
echo "saved docs/menu.png"

click_to "$MENU" "${PLAY_BUTTON[@]}" "$GAME"
xdotool mousemove 400 "$POINTER_Y"

# Whether a shot of the arena, taken now into $1, shows a rally worth showing: the whole ball
# between the walls and at least one bullet in flight, each standing clear of everything else.
good_rally() {
  python3 - "$1" "$root/scripts" <<'EOF'
import sys
sys.path.insert(0, sys.argv[2])
from xtools import shot

_, black = shot(sys.argv[1])


def bullet_at(x, y):
    square = all(black(x + i, y + j) for i in range(3) for j in range(3))
    ring = [(x + i, y + j) for i in range(-1, 4) for j in range(-1, 4) if not (0 <= i < 3 and 0 <= j < 3)]
    return square and not any(black(*p) for p in ring)


between = [(x, y) for y in range(600) for x in range(52, 749) if black(x, y)]
bullets = [(x, y) for x, y in between if bullet_at(x, y)]
in_bullets = {(x + i, y + j) for x, y in bullets for i in range(3) for j in range(3)}
ball = [(x, y) for x, y in between if (x, y) not in in_bullets]
if not ball or not bullets:
    sys.exit(1)
xs = [x for x, _ in ball]
ys = [y for _, y in ball]
whole = max(xs) - min(xs) == 24 and max(ys) - min(ys) == 24 and 400 <= len(ball) <= 625
sys.exit(0 if whole and min(xs) > 52 and max(xs) < 748 else 1)
EOF
}

for attempt in $(seq 40); do
  answer_rally_boxes
  for _ in 1 2 3; do xdotool click 1; sleep 0.07; done
  sleep 0.1
  if good_rally "$shots/screen.ppm"; then
    # The arena with its bottom and right borders: 800 x 600 and one more row and column.
    convert "$shots/screen.ppm" -crop 801x601+0+0 +repage -strip docs/rally.png
    echo "saved docs/rally.png (attempt $attempt)"
    exit 0
  fi
  sleep 1 # let the bullets die before firing again
done
fail "no shot with the whole ball and a bullet in flight"
