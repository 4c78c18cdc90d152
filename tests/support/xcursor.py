"""The pointer shape that the X server shows right now, read with the XFixes
extension (what a user sees, whatever program set it)."""
import ctypes
import ctypes.util


class _CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def _libraries():
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XFree.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    return x11, xfixes


def cursor_shape(display):
    """(width, height, hot x, hot y, pixels as 0xAARRGGBB) of the pointer shown
    on `display`, or None when it cannot be read."""
    x11, xfixes = _libraries()
    connection = x11.XOpenDisplay(display.encode())
    if not connection:
        return None
    try:
        image = xfixes.XFixesGetCursorImage(connection)
        if not image:
            return None
        try:
            c = image.contents
            pixels = tuple(c.pixels[i] & 0xFFFFFFFF for i in range(c.width * c.height))
            return c.width, c.height, c.xhot, c.yhot, pixels
        finally:
            x11.XFree(image)
    finally:
        x11.XCloseDisplay(connection)
