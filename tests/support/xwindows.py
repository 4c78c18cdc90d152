"""Watches the top-level windows of an X display through one open connection
(no process per look, so watching costs next to nothing)."""
import ctypes
import ctypes.util

_IS_VIEWABLE = 2


class _Attributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int),
                ("all_event_masks", ctypes.c_long), ("your_event_mask", ctypes.c_long),
                ("do_not_propagate_mask", ctypes.c_long), ("override_redirect", ctypes.c_int),
                ("screen", ctypes.c_void_p)]


class XWindows:
    def __init__(self, display):
        self._x = ctypes.CDLL(ctypes.util.find_library("X11"))
        self._x.XOpenDisplay.restype = ctypes.c_void_p
        self._x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x.XDefaultRootWindow.restype = ctypes.c_ulong
        self._x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self._x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                       ctypes.POINTER(ctypes.c_ulong),
                                       ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                       ctypes.POINTER(ctypes.c_uint)]
        self._x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(_Attributes)]
        self._x.XFree.argtypes = [ctypes.c_void_p]
        self._x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._x.XSetErrorHandler.restype = ctypes.c_void_p
        # A window may vanish between listing and asking: ignore such errors.
        self._on_error = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)
        self._x.XSetErrorHandler(self._on_error)
        self._display = self._x.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError(f"cannot open X display {display}")
        self._root = self._x.XDefaultRootWindow(self._display)

    def viewable_sizes(self):
        """(width, height) of every top-level window shown right now."""
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not self._x.XQueryTree(self._display, self._root, ctypes.byref(root), ctypes.byref(parent),
                                  ctypes.byref(children), ctypes.byref(count)):
            return []
        sizes = []
        try:
            for i in range(count.value):
                attributes = _Attributes()
                if (self._x.XGetWindowAttributes(self._display, children[i], ctypes.byref(attributes))
                        and attributes.map_state == _IS_VIEWABLE):
                    sizes.append((attributes.width, attributes.height))
        finally:
            if children:
                self._x.XFree(children)
        return sizes

    def close(self):
        if self._display:
            self._x.XCloseDisplay(self._display)
            self._display = None
