"""An X server of our own, the program under it, and what the screen shows.

The program's windows are read over AT-SPI (atspi), pixels with GetImage (xconn), input
is real XTEST pointer and key events from xdotool. On Wayland the compositor runs as a
window of the X server, which hands it the same pointer and keys.
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



def stop_process(proc):
    """Asks a helper process to end, and ends it when it does not within ten seconds."""
    if proc and proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()

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

    name = "Xvfb"

    def command(self, fd):
        return ["Xvfb", "-displayfd", str(fd), "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp", "-noreset"]

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(
            self.command(write_end), env=getattr(self, "env", None),
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_die_with_parent)
        os.close(write_end)
        number = b""
        try:
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], 20)
                chunk = os.read(read_end, 16) if ready else b""
                if not chunk:
                    raise Failure("%s did not report its display" % self.name)
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
        stop_process(self.proc)

    def __exit__(self, *exc):
        if hasattr(self, "conn"):
            self.conn.close()
        self._stop()
        return False


class Xephyr(Xvfb):
    """An X server with RandR that can change its screen's size, as a window of another one."""

    name = "Xephyr"

    def __init__(self, host):
        self.env = dict(os.environ, DISPLAY=host.display)

    def command(self, fd):
        return ["Xephyr", "-displayfd", str(fd), "-screen", "%dx%d" % SCREEN, "-resizeable", "-nolisten", "tcp",
                "-noreset"]


class Screen:
    """What the screen shows, the program's windows as a screen reader finds them, and real
    input (XTEST pointer and key events) to the X server the desktop runs on."""

    has_input = True

    def __init__(self, xvfb):
        self.display = xvfb.display
        self.conn = xvfb.conn
        self.env = dict(os.environ, DISPLAY=self.display)
        self.tree = None

    def watch(self, program):
        """From now on the windows are those of this program."""
        import atspi
        self.tree = atspi.Tree(program.proc.pid)

    def _run(self, *args, check=True):
        result = subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise Failure("%s failed: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout

    def windows(self):
        """The program's shown windows, the one in front first."""
        return self.tree.windows() if self.tree else []

    def dialogs(self):
        return self.tree.dialogs() if self.tree else []

    def stage(self):
        return self.tree.stage_window() if self.tree else None

    def find(self, title):
        return [w for w in self.windows() if w.name == title]

    def wait_window(self, title, timeout=20, exclude=()):
        def check():
            hits = [w for w in self.find(title) if w.id not in exclude]
            return hits[0] if hits else None
        return wait_until(check, timeout, "a window titled %r" % title)

    def wait_dialog(self, title, timeout=20):
        def check():
            hits = [d for d in self.dialogs() if d.name == title]
            return hits[0] if hits else None
        return wait_until(check, timeout, "a dialog titled %r" % title)

    def wait_gone(self, window, timeout=20):
        wait_until(lambda: window.name not in [w.name for w in self.windows() + self.dialogs()], timeout,
                   "window %r to disappear" % window)

    def size(self):
        return self.conn.screen_size()

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

    def top_level_id(self):
        """The X window of the program's top-level window (X11 only)."""
        ids = self._run("xdotool", "search", "--onlyvisible", "--name", "^Vantrel$", check=False).split()
        if not ids:
            raise Failure("the program's top-level X window titled 'Vantrel' is not mapped")
        return int(ids[0])

    def request_close(self):
        """Asks the program's top-level window to close, as a task switcher's close does."""
        self.conn.request_close(self.top_level_id())


class Program:
    """The program under test, started with a given pixel density and extra environment."""

    def __init__(self, path, screen, dpi, workdir, extra_env=None, desktop=None):
        self.path, self.workdir = path, workdir
        env = dict(screen.env)
        env.update(QT_QPA_PLATFORM="xcb", QT_ENABLE_HIGHDPI_SCALING="0", QT_FONT_DPI=str(dpi),
                   QT_SCALE_FACTOR="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_RUNTIME_DIR=os.path.join(workdir, "runtime"))
        if desktop is not None:
            env.update(desktop.program_env)
            for name in desktop.program_unset:
                env.pop(name, None)
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
        env.update(extra_env or {})
        self.log_path = os.path.join(workdir, "program-%d.log" % dpi)
        self.log = open(self.log_path, "w")
        self.proc = subprocess.Popen([path], env=env, stdout=self.log, stderr=subprocess.STDOUT,
                                     cwd=workdir, preexec_fn=_die_with_parent)
        screen.watch(self)

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
