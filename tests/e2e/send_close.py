"""Sends a window the close request a window manager sends when its close button is pressed
(a WM_PROTOCOLS client message carrying WM_DELETE_WINDOW), COUNT times.

Usage: send_close.py WINDOW_ID COUNT
Talks to libX11 through ctypes, so it needs no package beyond the X libraries that xdotool
already brings. Prints how many requests the X server accepted; a window that goes away part
way through makes the rest fail without stopping the storm.
"""
import ctypes
import ctypes.util
import sys

CLIENT_MESSAGE = 33
NO_EVENT_MASK = 0


class ClientMessage(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class Event(ctypes.Union):
    _fields_ = [("client", ClientMessage), ("pad", ctypes.c_long * 24)]


ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


def main():
    window, count = int(sys.argv[1], 0), int(sys.argv[2])
    x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(Event)]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XSetErrorHandler.argtypes = [ERROR_HANDLER]

    errors = []

    def on_error(_display, _event):
        errors.append(1)
        return 0

    handler = ERROR_HANDLER(on_error)  # kept alive while X may call it
    x.XSetErrorHandler(handler)

    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    event = Event()
    event.client.type = CLIENT_MESSAGE
    event.client.display = display
    event.client.window = window
    event.client.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.client.format = 32
    event.client.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    for _ in range(count):
        x.XSendEvent(display, window, 0, NO_EVENT_MASK, ctypes.byref(event))
        x.XSync(display, 0)
    print(count - len(errors))


if __name__ == "__main__":
    main()
