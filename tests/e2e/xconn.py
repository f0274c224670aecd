"""A minimal X11 protocol client: screen grabs and close requests.

`import -window root` starts in a quarter to most of a second on a busy machine, longer
than the program's 0.19 s pauses, so pixels are read over one open connection with
GetImage: the same request `import` makes, in a few milliseconds.
"""

import os
import socket
import struct


class XError(Exception):
    pass


def _pad(n):
    return (4 - n % 4) % 4


class Image:
    """A grabbed rectangle of the screen; pixel(x, y) takes screen coordinates."""

    def __init__(self, x, y, width, height, data):
        self.x, self.y, self.width, self.height = x, y, width, height
        self.data = data  # BGRX, 4 bytes per pixel, rows without padding

    def pixel(self, x, y):
        i = ((y - self.y) * self.width + (x - self.x)) * 4
        b, g, r = self.data[i], self.data[i + 1], self.data[i + 2]
        return (r, g, b)

    def region(self, x, y, w, h):
        """The raw bytes of a rectangle, for comparing two grabs."""
        rows = []
        for row in range(y, y + h):
            start = ((row - self.y) * self.width + (x - self.x)) * 4
            rows.append(bytes(self.data[start:start + w * 4]))
        return b"".join(rows)

    def rgb_rows(self):
        """Rows of packed RGB bytes, top to bottom."""
        for row in range(self.height):
            line = self.data[row * self.width * 4:(row + 1) * self.width * 4]
            out = bytearray(self.width * 3)
            out[0::3] = line[2::4]
            out[1::3] = line[1::4]
            out[2::3] = line[0::4]
            yield bytes(out)


class Connection:
    def __init__(self, display):
        number = display.lstrip(":").split(".")[0]
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect("/tmp/.X11-unix/X" + number)
        self.sock.settimeout(30)  # a lost reply fails the test instead of hanging it
        self.sock.sendall(struct.pack("<BxHHHHxx", 0x6C, 11, 0, 0, 0))
        head = self._read(8)
        extra = self._read(struct.unpack_from("<H", head, 6)[0] * 4)
        if head[0] != 1:
            raise XError("X server refused the connection: " + extra[: head[1]].decode(errors="replace"))
        vendor_len, = struct.unpack_from("<H", extra, 16)
        screens, formats, byte_order = extra[20], extra[21], extra[22]
        if byte_order != 0:
            raise XError("only LSB-first images are supported")
        offset = 32 + vendor_len + _pad(vendor_len)
        self.bpp = {}
        for i in range(formats):
            depth, bpp = extra[offset + 8 * i], extra[offset + 8 * i + 1]
            self.bpp[depth] = bpp
        offset += 8 * formats
        self.root, = struct.unpack_from("<I", extra, offset)
        self.width, self.height = struct.unpack_from("<HH", extra, offset + 20)
        self.root_depth = extra[offset + 38]
        if self.bpp.get(self.root_depth) != 32:
            raise XError("expected 32 bits per pixel at depth %d" % self.root_depth)
        self._atoms = {}

    def close(self):
        self.sock.close()

    def _read(self, n):
        buf = bytearray(n)
        view = memoryview(buf)
        got = 0
        while got < n:
            k = self.sock.recv_into(view[got:])
            if k == 0:
                raise XError("X server closed the connection")
            got += k
        return buf

    def _reply(self):
        while True:
            head = self._read(32)
            if head[0] == 0:
                raise XError("X error code %d" % head[1])
            length, = struct.unpack_from("<I", head, 4)
            if head[0] == 1:
                return head, self._read(length * 4)
            # An event nobody asked for, such as the MappingNotify that xdotool's key
            # remapping sends to every client; generic events carry a body.
            if head[0] & 0x7F == 35:
                self._read(length * 4)

    def screen_size(self):
        """The root window's size now (RandR may have changed it): GetGeometry."""
        self.sock.sendall(struct.pack("<BxHI", 14, 2, self.root))
        head, _ = self._reply()
        self.width, self.height = struct.unpack_from("<HH", head, 16)
        return self.width, self.height

    def grab(self, x=0, y=0, width=None, height=None):
        """The screen's pixels in a rectangle (the whole screen by default)."""
        width = self.width - x if width is None else width
        height = self.height - y if height is None else height
        self.sock.sendall(struct.pack("<BBHIhhHHI", 73, 2, 5, self.root, x, y, width, height, 0xFFFFFFFF))
        _, data = self._reply()
        return Image(x, y, width, height, data)

    def atom(self, name):
        if name not in self._atoms:
            raw = name.encode()
            self.sock.sendall(struct.pack("<BBHHxx", 16, 0, 2 + (len(raw) + _pad(len(raw))) // 4, len(raw))
                              + raw + b"\0" * _pad(len(raw)))
            head, _ = self._reply()
            self._atoms[name], = struct.unpack_from("<I", head, 8)
        return self._atoms[name]

    def request_close(self, window):
        """Asks a window to close, as a window manager's close button or Alt+F4 does."""
        protocols, delete = self.atom("WM_PROTOCOLS"), self.atom("WM_DELETE_WINDOW")
        event = struct.pack("<BBHII5I", 33, 32, 0, window, protocols, delete, 0, 0, 0, 0)
        self.sock.sendall(struct.pack("<BBHII", 25, 0, 11, window, 0) + event)
        self.sync()

    def sync(self):
        """A round trip (GetInputFocus): every request sent before has been handled."""
        self.sock.sendall(struct.pack("<BxH", 43, 1))
        self._reply()


def write_png(path, image):
    """Writes an Image as an 8-bit RGB PNG (zlib and struct are all it needs)."""
    import zlib

    def chunk(kind, payload):
        body = kind + payload
        return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + row for row in image.rgb_rows())
    ihdr = struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0)
    tmp = path + ".part"
    with open(tmp, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 6))
                + chunk(b"IEND", b""))
    os.replace(tmp, path)
