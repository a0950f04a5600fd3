"""Checks a screenshot of the game screen: the arena's borders, walls, paddles and ball.

Usage: check_frame.py SHOT.ppm PLAYER_Y
Reads a binary PPM (P6) of the whole X screen. Exits non-zero, naming what is missing.
"""
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", "not an 8-bit P6 file"
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def report(problems, ok):
    """Prints each problem, or `ok` when there is none; returns the exit status."""
    for p in problems:
        print("FAIL:", p)
    if not problems:
        print(ok)
    return 1 if problems else 0


def main():
    path, player_y = sys.argv[1], int(sys.argv[2])
    width, height, pixels = read_ppm(path)

    def black(x, y):
        i = (y * width + x) * 3
        return pixels[i:i + 3] == b"\0\0\0"

    def run_in_column(x, y0, y1):
        return all(black(x, y) for y in range(y0, y1))

    problems = []
    if (width, height) != (1024, 768):
        problems.append(f"screen is {width}x{height}, expected 1024x768")
    if not all(black(800, y) for y in range(0, 601)):
        problems.append("right border on x = 800 is not whole")
    if not all(black(x, 600) for x in range(0, 801)):
        problems.append("bottom border on y = 600 is not whole")
    if black(801, 300) or black(300, 601):
        problems.append("something black beyond the borders")
    # The walls stand whole right after a serve, apart from rows the ball may have broken.
    for x in (50, 750):
        standing = sum(black(x, y) for y in range(600))
        if standing < 550:
            problems.append(f"wall on x = {x} has only {standing} of 600 rows")
    if not run_in_column(790, player_y, player_y + 75):
        problems.append(f"player's paddle is not at rows {player_y}..{player_y + 74} on x = 790")
    if black(790, player_y - 1) or black(790, player_y + 75):
        problems.append("player's paddle is taller than 75 rows")
    enemy_rows = [y for y in range(600) if black(10, y)]
    if len(enemy_rows) != 75 or enemy_rows[-1] - enemy_rows[0] != 74:
        problems.append(f"computer's paddle on x = 10 covers {len(enemy_rows)} rows, expected 75")
    ball = [(x, y) for x in range(60, 740, 2) for y in range(0, 600, 2) if black(x, y)]
    if len(ball) < 60:
        problems.append("no ball between the walls")
    return report(problems, "frame ok: borders, walls, both paddles and the ball are where they belong")


if __name__ == "__main__":
    sys.exit(main())
