"""The end-to-end scripts' eyes and the window manager's hand: checks of a screenshot of the
arena, and close requests sent to a window as a window manager sends them.

Usage: xtools.py frame SHOT.ppm PLAYER_Y   the borders, walls, paddles and ball where they belong
       xtools.py bullet SHOT.ppm ROW        a lone 3 x 3 player's bullet on ROW at x = 780 - 15k
       xtools.py window SHOT.ppm "BG PANEL" prints the box of the one window on a plain desktop
       xtools.py close WINDOW COUNT         COUNT WM_DELETE_WINDOW requests to WINDOW
Exits non-zero, naming what is wrong.
"""
import ctypes
import ctypes.util
import sys


def read_ppm(path):
    """Width, height and RGB bytes of a binary PPM as ImageMagick writes it (no comments); "-"
    reads it from the standard input."""
    data = sys.stdin.buffer.read() if path == "-" else open(path, "rb").read()
    magic, width, height, depth, pixels = data.split(maxsplit=4)
    assert magic == b"P6" and depth == b"255", "not an 8-bit P6 file"
    return int(width), int(height), pixels


def screen(path):
    width, height, pixels = read_ppm(path)

    def black(x, y):
        i = (y * width + x) * 3
        return 0 <= x < width and 0 <= y < height and pixels[i:i + 3] == b"\0\0\0"
    # What lies right of column x and below row y, row by row.
    black.beyond = lambda x, y: [pixels[(r * width + (x if r < y else 0)) * 3:(r + 1) * width * 3] for r in range(height)]
    return black


def frame(path, player_y):
    black, problems = screen(path), []
    if not all(black(800, y) for y in range(601)) or not all(black(x, 600) for x in range(801)):
        problems.append("the borders on x = 800 and y = 600 are not whole")
    # Beyond the borders and the paddle that crosses them the game screen shows its background
    # alone, to the screen's edges: no pointer, no panel, no desktop where the window ends.
    rows = black.beyond(806, 602)
    if any(row != rows[-1][:3] * (len(row) // 3) for row in rows):
        problems.append("something shows beyond the borders other than the game's background")
    for x in (50, 750):  # whole after a serve, but for the rows the ball may have broken since
        if sum(black(x, y) for y in range(600)) < 550:
            problems.append(f"the wall on x = {x} is not standing")
    player = [y for y in range(600) if black(790, y)]
    if player != list(range(player_y, player_y + 75)):
        problems.append(f"the player's paddle is not on rows {player_y}..{player_y + 74}")
    if sum(black(10, y) for y in range(600)) != 75:
        problems.append("the computer's paddle is not 75 rows high")
    if sum(black(x, y) for x in range(60, 740, 2) for y in range(0, 600, 2)) < 60:
        problems.append("no ball between the walls")
    return problems


def window(path, colours):
    """The box, "x y width height", of whatever stands on a plain desktop below its panel;
    COLOURS are the desktop's and the panel's, in hex."""
    width, height, pixels = read_ppm(path)
    desktop, panel = (bytes.fromhex(c) for c in colours.split())
    rows = [pixels[y * width * 3:(y + 1) * width * 3] for y in range(height)]
    top = next(y for y in range(height) if rows[y][width // 2 * 3:width // 2 * 3 + 3] != panel)
    xs, ys = [], []
    for y in range(top, height):
        if rows[y] != desktop * width:
            shown = [x for x in range(width) if rows[y][x * 3:x * 3 + 3] != desktop]
            xs, ys = xs + [shown[0], shown[-1]], ys + [y]
    return [min(xs), ys[0], max(xs) - min(xs) + 1, ys[-1] - ys[0] + 1] if ys else []


def bullet(path, row):
    black = screen(path)
    for x in range(765, 50, -15):
        square = all(black(x + i, row + j) for i in range(3) for j in range(3))
        if square and not (black(x + 3, row + 1) or black(x + 1, row - 1) or black(x + 1, row + 3)):
            return []
    return [f"no bullet on row {row}"]


def close(window, count):
    x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    display = x.XOpenDisplay(None)
    if not display:
        return ["cannot open the display"]
    # An XClientMessageEvent: type, serial, send_event, display, window, message_type, format,
    # then five longs of data; padded to the size of an XEvent.
    event = (ctypes.c_long * 24)()
    event[0], event[3], event[4] = 33, display, window
    event[5] = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event[6], event[7] = 32, x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    for _ in range(count):
        x.XSendEvent(display, window, 0, 0, event)
    x.XSync(display, 0)
    return []


if __name__ == "__main__":
    if sys.argv[1] == "window":
        sys.exit(print(*window(sys.argv[2], sys.argv[3])) or 0)
    what, arg, number = sys.argv[1], sys.argv[2], int(sys.argv[3])
    problems = {"frame": frame, "bullet": bullet}[what](arg, number) if what != "close" else close(int(arg, 0), number)
    for p in problems:
        print("FAIL:", p, file=sys.stderr)
    sys.exit(1 if problems else 0)
