"""Finds the bullets on a screenshot of the game screen.

Usage: find_bullets.py SHOT.ppm PLAYER_ROW
Prints "player X" for a 3 x 3 bullet in row PLAYER_ROW at one of the player's positions
(780 - 15k), and "enemy X Y" for one at the computer's positions (20 + 15k). Exits 0.
"""
import sys

from check_frame import read_ppm


def main():
    path, player_row = sys.argv[1], int(sys.argv[2])
    width, height, pixels = read_ppm(path)

    def black(x, y):
        i = (y * width + x) * 3
        return 0 <= x < width and 0 <= y < height and pixels[i:i + 3] == b"\0\0\0"

    def bullet_at(x, y):
        square = all(black(x + dx, y + dy) for dx in range(3) for dy in range(3))
        # Background right beside it, above and below: not part of a ball or a paddle.
        alone = not black(x + 3, y + 1) and not black(x + 1, y - 1) and not black(x + 1, y + 3)
        return square and alone

    for x in range(765, 50, -15):
        if bullet_at(x, player_row):
            print("player", x)
    for x in range(35, 750, 15):
        for y in range(0, 598):
            if y != player_row and bullet_at(x, y):
                print("enemy", x, y)


if __name__ == "__main__":
    main()
