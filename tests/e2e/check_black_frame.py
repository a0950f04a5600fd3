"""Checks a screenshot of the game screen drawn from sprites that all read as black (missing or
unreadable files, or pictures too small for their region): the borders and walls are black
lines, and both paddles and the ball are solid black blocks of their full size.

Usage: check_black_frame.py SHOT.ppm PLAYER_Y
Exits non-zero, naming what is wrong.
"""
import sys

from check_frame import read_ppm, report

PADDLE_W, PADDLE_H, BALL = 25, 75, 25
# The ball moves in steps of 5 from a serve at (390, 290), so its corner stays on that grid.
BALL_GRID = 5


def main():
    path, player_y = sys.argv[1], int(sys.argv[2])
    width, height, pixels = read_ppm(path)

    def black(x, y):
        i = (y * width + x) * 3
        return pixels[i:i + 3] == b"\0\0\0"

    def solid(x0, y0, w, h):
        return all(black(x, y) for y in range(y0, y0 + h) for x in range(x0, x0 + w))

    problems = []
    if not all(black(800, y) for y in range(0, 601)):
        problems.append("right border on x = 800 is not whole")
    if not all(black(x, 600) for x in range(0, 801)):
        problems.append("bottom border on y = 600 is not whole")
    # Beyond the player's paddle, which reaches x = 804, nothing is drawn.
    if any(black(x, y) for x in (805, 900, 1023) for y in range(0, height, 3)):
        problems.append("something black right of the arena")
    for x in (50, 750):
        standing = sum(black(x, y) for y in range(600))
        if standing < 550:
            problems.append(f"wall on x = {x} has only {standing} of 600 rows")
    if not solid(780, player_y, PADDLE_W, PADDLE_H):
        problems.append(f"player's paddle is not a solid block at (780, {player_y})")
    enemy_rows = [y for y in range(600) if solid(0, y, PADDLE_W, 1)]
    if len(enemy_rows) != PADDLE_H or enemy_rows[-1] - enemy_rows[0] != PADDLE_H - 1:
        problems.append(f"computer's paddle is {len(enemy_rows)} solid rows, expected {PADDLE_H}")
    balls = [(x, y) for x in range(0, 800, BALL_GRID) for y in range(0, 600, BALL_GRID)
             if black(x, y) and solid(x, y, BALL, BALL)]
    if not any(x > PADDLE_W and x + BALL < 780 for x, _ in balls):
        problems.append("no solid ball in the arena")
    return report(problems, "frame ok: black borders and walls, solid paddles and ball")


if __name__ == "__main__":
    sys.exit(main())
