"""Checks of a screenshot of the arena, and close requests sent as a window manager sends them.
Usage: xtools.py arena|scaled SHOT.ppm ROW, or xtools.py close WINDOW COUNT; fails naming the fault."""
import ctypes
import subprocess
import sys


def shot(path):
    """Takes a screenshot as an 8-bit binary PPM; returns its rows and whether a pixel is black."""
    subprocess.run(["import", "-window", "root", "-depth", "8", path], check=True)
    _, width, height, _, pixels = open(path, "rb").read().split(maxsplit=4)
    rows = [pixels[y * int(width) * 3:(y + 1) * int(width) * 3] for y in range(int(height))]
    return rows, lambda x, y: rows[y][x * 3:x * 3 + 3] == b"\0\0\0"


def arena(path, top):
    """The borders at x = 800 and y = 600, only background beyond them; the player's paddle at the pointer's
    height, with the shine a missing sprite file loses; a click's lone 3 x 3 bullet on its middle row."""
    rows, black = shot(path)
    if not all(black(800, y) for y in range(601)) or not all(black(x, 600) for x in range(801)):
        return "the borders on x = 800 and y = 600 are not whole"
    # Beyond them, right of the player's paddle (it crosses x = 800), of the computer's (down to row 609 for a tick).
    start = lambda y: 806 if y <= 600 else 25 if y < 610 else 0
    if any(row[start(y) * 3:] != rows[-1][-3:] * (len(row) // 3 - start(y)) for y, row in enumerate(rows)):
        return "something shows beyond the borders other than the game's background"
    if [y for y in range(600) if black(790, y)] != list(range(top, top + 75)):
        return f"the player's paddle is not on rows {top} to {top + 74}, under the pointer"
    if [y for y in range(top, top + 75) if not black(785, y)] != list(range(top + 12, top + 63)):
        return "the paddle has no shine down its sixth column: its sprite was not read"
    square = lambda x, y: all(black(x + i, y + j) for i in range(3) for j in range(3))
    alone = lambda x, y: not (black(x + 3, y + 1) or black(x + 1, y - 1) or black(x + 1, y + 3))
    if not any(square(x, top + 37) and alone(x, top + 37) for x in range(765, 50, -15)):
        return f"no bullet on row {top + 37}, the paddle's middle, at x = 780 - 15k"


def scaled(path, top):
    """Drawn one device pixel to each arena pixel: the borders on x = 800 and y = 600 whole, both walls standing but
    for the rows a ball may have broken, the player's paddle on rows TOP to TOP + 74, the computer's whole."""
    _, black = shot(path)
    if not all(black(800, y) for y in range(601)) or not all(black(x, 600) for x in range(801)):
        return "the borders on x = 800 and y = 600 are not whole"
    if any(sum(black(x, y) for y in range(600)) < 540 for x in (50, 750)):
        return "a wall on x = 50 or x = 750 is missing"
    if [y for y in range(600) if black(790, y)] != list(range(top, top + 75)):
        return f"the player's paddle is not on rows {top} to {top + 74}"
    computer = [y for y in range(600) if black(10, y)]  # above the bottom border, where it stays but for a tick
    if len(computer) != 75 or computer[-1] - computer[0] != 74:
        return "the computer's paddle is not whole on x = 10"


def close(window, count):
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    display = ctypes.c_void_p(x.XOpenDisplay(None))
    # An XClientMessageEvent (type, serial, send_event, display, window, message_type, format, data) as an XEvent.
    event = (ctypes.c_long * 24)(33, 0, 0, display.value, window, x.XInternAtom(display, b"WM_PROTOCOLS", 0), 32,
                                 x.XInternAtom(display, b"WM_DELETE_WINDOW", 0))
    for _ in range(count):
        x.XSendEvent(display, ctypes.c_ulong(window), 0, 0, event)
    x.XSync(display, 0)


if __name__ == "__main__":
    check, arg, number = sys.argv[1], sys.argv[2], int(sys.argv[3])
    problem = {"arena": arena, "scaled": scaled}[check](arg, number) if check != "close" else close(int(arg, 0), number)
    sys.exit(problem and f"FAIL: {problem}")
