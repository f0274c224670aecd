"""Named steps with a screenshot each, and the checks the scenarios share.

A step that fails saves the screen as FAILED-<step>.png in the artifacts folder and
prints the windows it saw; with a shots folder every step saves NN-<step>.png.
"""

import contextlib
import os
import re
import sys
import time

import xconn
from xsession import SCREEN, Failure, wait_until  # noqa: F401


class Run:
    def __init__(self, screen, artifacts, shots=None, prefix=""):
        self.screen = screen
        self.artifacts = artifacts
        self.shots = shots
        self.prefix = prefix
        self.taken = []  # (file name, step name), in order
        self.handovers = []  # (what, samples, flashes)
        os.makedirs(artifacts, exist_ok=True)
        if shots:
            os.makedirs(shots, exist_ok=True)

    def _slug(self, name):
        return re.sub(r"[^a-z0-9]+", "-", (self.prefix + name).lower()).strip("-")

    @contextlib.contextmanager
    def step(self, name):
        """A named step; set `.image` on what it yields to keep a grab made during the step."""
        holder = type("Step", (), {"image": None})()
        started = time.monotonic()
        try:
            yield holder
        except Exception as error:
            path = os.path.join(self.artifacts, "FAILED-%s.png" % self._slug(name))
            try:
                xconn.write_png(path, self.screen.grab())
                seen = self.screen.windows() + self.screen.dialogs()
            except Exception as grab_error:  # the failure itself matters more
                seen = ["(could not read the screen: %s)" % grab_error]
            print("FAIL in step %r: %s" % (name, error), file=sys.stderr)
            print("  windows, topmost first: %s" % seen, file=sys.stderr)
            print("  screenshot: %s" % path, file=sys.stderr)
            raise
        print("ok   %-45s %5.2f s" % (name, time.monotonic() - started), flush=True)
        if self.shots:
            file = "%02d-%s.png" % (len(self.taken) + 1, self._slug(name))
            xconn.write_png(os.path.join(self.shots, file), holder.image or self.screen.grab())
            self.taken.append((file, self.prefix + name))


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_placed(window, size):
    """The window has the given size and is centred on the screen (1 pixel of rounding)."""
    check(abs(window.w - size[0]) <= 1 and abs(window.h - size[1]) <= 1,
          "%r should be %dx%d" % (window, size[0], size[1]))
    cx, cy = (SCREEN[0] - window.w) / 2, (SCREEN[1] - window.h) / 2
    check(abs(window.x - cx) <= 1 and abs(window.y - cy) <= 1,
          "%r should be centred at +%.0f+%.0f" % (window, cx, cy))


def check_on_top(screen, window):
    """The window is the one in front, and the active one: the keyboard goes to it."""
    def on_top():
        top = screen.windows()
        # With no input devices at all, no window of any program is active.
        return top and top[0].name == window.name and (top[0].active or not screen.has_input)
    wait_until(on_top, 5, "%r to be in front and active; the windows are %s" % (window, screen.windows()))


class HandOver:
    """Samples a rectangle of the screen from a thread of its own while one window hands
    over to the next: a sample with more backdrop in it than both the window before and the
    window after showed is a flash of the backdrop between them."""

    def __init__(self, run, rect, backdrop):
        import threading
        self.run, self.rect, self.backdrop = run, rect, backdrop
        self.samples = []
        self._stop = threading.Event()
        self._conn = xconn.Connection(run.screen.display)
        self._thread = threading.Thread(target=self._sample, daemon=True)

    def _sample(self):
        while not self._stop.is_set():
            self.samples.append(count_colour(self._conn.grab(*self.rect), self.rect, self.backdrop))

    def __enter__(self):
        self.before = count_colour(self.run.screen.grab(*self.rect), self.rect, self.backdrop)
        self._thread.start()
        return self

    def finish(self, label):
        """Call once the next window has settled; fails on a flash and reports the samples."""
        self._stop.set()
        self._thread.join(10)
        self._conn.close()
        after = count_colour(self.run.screen.grab(*self.rect), self.rect, self.backdrop)
        area = self.rect[2] * self.rect[3]
        limit = max(self.before, after) + area // 20
        flashes = sum(1 for n in self.samples if n > limit)
        self.run.handovers.append((label, len(self.samples), flashes))
        check(flashes == 0, "the backdrop showed between the windows in %d of %d samples of %s"
              % (flashes, len(self.samples), label))

    def __exit__(self, *exc):
        if not self._stop.is_set():
            self._stop.set()
            self._thread.join(10)
            self._conn.close()
        return False


def overlap(a, b):
    x, y = max(a.x, b[0]), max(a.y, b[1])
    right, bottom = min(a.x + a.w, b[0] + b[2]), min(a.y + a.h, b[1] + b[3])
    return (x, y, max(0, right - x), max(0, bottom - y))


def count_colour(image, rect, colour):
    """How many pixels of rect have exactly this colour."""
    import array
    x, y, w, h = rect
    data = image.data if (x, y, w, h) == (image.x, image.y, image.width, image.height) else image.region(*rect)
    pixels = array.array("I")
    pixels.frombytes(bytes(data))
    value = colour[2] | colour[1] << 8 | colour[0] << 16
    return pixels.count(value) + pixels.count(value | 0xFF000000)  # the unused byte may be either


def settled(screen, rect, timeout=10):
    """A grab of rect once two grabs 80 ms apart agree: repaints have finished."""
    last = [screen.grab(*rect)]

    def steady():
        time.sleep(0.08)
        now = screen.grab(*rect)
        same = now.data == last[0].data
        last[0] = now
        return now if same else None
    return wait_until(steady, timeout, "the screen at %s to stop changing" % (rect,), interval=0)


def wait_pixels(screen, rect, predicate, timeout, what):
    """Grabs rect until predicate(image) holds; returns that grab."""
    def probe():
        image = screen.grab(*rect)
        return image if predicate(image) else None
    return wait_until(probe, timeout, what, interval=0.005)


def check_clean(output):
    """No sanitizer report and no Qt warning about a fault in the program's output."""
    for marker in ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                   "Qt has caught an exception"):
        check(marker not in output, "the program reported %r:\n%s" % (marker, output[-4000:]))
