"""An X server of our own, the program under it, and what the screen shows.

Windows are read with xdotool and xwininfo, pixels with GetImage (xconn), input is
real XTEST pointer and key events from xdotool.
"""

import ctypes
import os
import re
import select
import signal
import subprocess
import time

import xconn

SCREEN = (1280, 1024)


class Failure(Exception):
    pass


def _die_with_parent():
    # A test killed by ctest's timeout must not leave its X server or program behind.
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def wait_until(check, timeout, what, interval=0.05):
    """Polls check() until it returns something true; fails naming what was awaited."""
    deadline = time.monotonic() + timeout
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)


class Xvfb:
    """Xvfb on a free display number, stopped on exit whatever happened."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % SCREEN,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_die_with_parent)
        os.close(write_end)
        number = b""
        try:
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], 20)
                chunk = os.read(read_end, 16) if ready else b""
                if not chunk:
                    raise Failure("Xvfb did not report its display")
                number += chunk
        except BaseException:
            self._stop()
            raise
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()
        self.conn = xconn.Connection(self.display)
        return self

    def _stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()

    def __exit__(self, *exc):
        if hasattr(self, "conn"):
            self.conn.close()
        self._stop()
        return False


class Window:
    def __init__(self, wid, name, x, y, w, h, level):
        self.id, self.name = wid, name
        self.x, self.y, self.w, self.h = x, y, w, h
        self.level = level  # 0 is the topmost

    def __repr__(self):
        return "%#x %r %dx%d+%d+%d" % (self.id, self.name, self.w, self.h, self.x, self.y)


class Screen:
    """What the X server shows, and real input to it."""

    def __init__(self, xvfb):
        self.display = xvfb.display
        self.conn = xvfb.conn
        self.env = dict(os.environ, DISPLAY=self.display)

    def _run(self, *args, check=True):
        result = subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise Failure("%s failed: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout

    def windows(self):
        """Mapped top-level windows, topmost first."""
        visible = set(int(w) for w in self._run(
            "xdotool", "search", "--onlyvisible", "--maxdepth", "1", "--name", ".", check=False).split())
        found = []
        tree = self._run("xwininfo", "-root", "-children")
        for line in tree.splitlines():
            m = re.match(r"\s+(0x[0-9a-f]+) .*?\s(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s+\S+$", line)
            if m and int(m.group(1), 16) in visible:
                wid = int(m.group(1), 16)
                name = self._run("xdotool", "getwindowname", str(wid), check=False).rstrip("\n")
                w, h, x, y = (int(m.group(i)) for i in range(2, 6))
                found.append(Window(wid, name, x, y, w, h, len(found)))
        return found

    def find(self, title):
        """Visible windows with exactly this title, topmost first."""
        return [w for w in self.windows() if w.name == title]

    def wait_window(self, title, timeout=20, exclude=()):
        def check():
            hits = [w for w in self.find(title) if w.id not in exclude]
            return hits[0] if hits else None
        return wait_until(check, timeout, "a window titled %r" % title)

    def wait_gone(self, window, timeout=20):
        wait_until(lambda: window.id not in [w.id for w in self.windows()], timeout,
                   "window %r to disappear" % window)

    def grab(self, *rect):
        return self.conn.grab(*rect)

    def move(self, x, y):
        # getmouselocation is a round trip after the move; --sync would hang when the pointer
        # is already there.
        self._run("xdotool", "mousemove", str(int(x)), str(int(y)), "getmouselocation")

    def click(self, x, y):
        self.move(x, y)
        self._run("xdotool", "click", "1")

    def key(self, *keys):
        self._run("xdotool", "key", *keys)

    def focus(self, window):
        self._run("xdotool", "windowfocus", "--sync", str(window.id))

    def raise_window(self, window):
        """Raises a window as a window manager would on a click; the program's own does not."""
        self._run("xdotool", "windowraise", str(window.id))

    def request_close(self, window):
        self.conn.request_close(window.id)


class Program:
    """The program under test, started with a given pixel density and extra environment."""

    def __init__(self, path, screen, dpi, workdir, extra_env=None):
        self.path, self.workdir = path, workdir
        env = dict(screen.env)
        env.update(QT_QPA_PLATFORM="xcb", QT_ENABLE_HIGHDPI_SCALING="0", QT_FONT_DPI=str(dpi),
                   QT_SCALE_FACTOR="1", XDG_RUNTIME_DIR=os.path.join(workdir, "runtime"))
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
        env.update(extra_env or {})
        self.log_path = os.path.join(workdir, "program-%d.log" % dpi)
        self.log = open(self.log_path, "w")
        self.proc = subprocess.Popen([path], env=env, stdout=self.log, stderr=subprocess.STDOUT,
                                     cwd=workdir, preexec_fn=_die_with_parent)

    def output(self):
        if not self.log.closed:
            self.log.flush()
        with open(self.log_path, errors="replace") as f:
            return f.read()

    def wait_exit(self, timeout):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not exit within %d s" % timeout)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        self.log.close()
