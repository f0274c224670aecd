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
from xsession import SCREEN, Failure, wait_until


class Run:
    def __init__(self, screen, artifacts, shots=None, prefix=""):
        self.screen = screen
        self.artifacts = artifacts
        self.shots = shots
        self.prefix = prefix
        self.taken = []  # (file name, step name), in order
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
                seen = self.screen.windows()
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
    top = screen.windows()
    check(top and top[0].id == window.id, "%r should be topmost; stacking is %s" % (window, top))


def count_colour(image, rect, colour):
    """How many pixels of rect have exactly this colour."""
    x, y, w, h = rect
    b, g, r = colour[2], colour[1], colour[0]
    n = 0
    for row in range(y, y + h):
        start = ((row - image.y) * image.width + (x - image.x)) * 4
        line = image.data[start:start + w * 4]
        reds, greens, blues = line[2::4], line[1::4], line[0::4]
        n += sum(1 for i in range(w) if reds[i] == r and greens[i] == g and blues[i] == b)
    return n


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
