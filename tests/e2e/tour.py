#!/usr/bin/env python3
"""The walk at 96 and at 120 pixels per inch with a screenshot of every step.

    tour.py PROGRAM OUTDIR

Writes OUTDIR/NN-<step>.png and OUTDIR/index.html, which shows them in order. Needs no
display: it starts its own Xvfb. Ends with status 1 if a step failed, after writing the
index of the steps that ran.
"""

import glob
import html
import os
import signal
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import desktops  # noqa: E402
from e2e import in_own_session  # noqa: E402
from harness import Run  # noqa: E402
from walk import walk, walk_wayland  # noqa: E402
from xsession import Screen, Xvfb  # noqa: E402

WALKS = [(96, "none", "96 dpi (small-font layout)"), (120, "none", "120 dpi (stored layout)"),
         (96, "weston", "Wayland (weston), 96 dpi")]


def write_index(out, taken, failure):
    rows = []
    for file, name in taken:
        rows.append('<figure><img src="%s" alt="%s"><figcaption>%s &nbsp; %s</figcaption></figure>'
                    % (html.escape(file), html.escape(name), html.escape(file[:2]), html.escape(name)))
    note = '<p class="fail">Stopped at a failure: %s</p>' % html.escape(failure) if failure else ""
    page = """<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Vantrel Demo - 15. Mouse: tour</title>
<style>
body { font-family: sans-serif; margin: 2em; background: #f4f2f7; }
figure { margin: 0 0 2em 0; }
img { max-width: 100%%; border: 1px solid #888; }
figcaption { font-weight: bold; margin-top: .3em; }
.fail { color: #b00; font-weight: bold; }
</style></head><body>
<h1>Vantrel Demo - 15. Mouse: every step of the walk</h1>
<p>Real pointer and key events under Xvfb (1280x1024, no window manager), and on Wayland
under weston; %d screenshots.</p>
%s
%s
</body></html>
""" % (len(taken), note, "\n".join(rows))
    with open(os.path.join(out, "index.html"), "w") as f:
        f.write(page)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    in_own_session()
    program, out = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    os.makedirs(out, exist_ok=True)
    for old in glob.glob(os.path.join(out, "*.png")) + glob.glob(os.path.join(out, "FAILED-*")):
        os.remove(old)
    started, failure = time.monotonic(), None
    taken = []
    try:
        for dpi, kind, label in WALKS:
            print("== %s" % label, flush=True)
            workdir = os.path.join(out, "work", "%s-%d" % (kind, dpi))
            os.makedirs(workdir, exist_ok=True)
            with Xvfb() as xvfb, desktops.Desktop(kind, xvfb, workdir) as desktop:
                run = Run(Screen(xvfb), workdir, shots=out, prefix="%s: " % label)
                run.taken = taken
                (walk_wayland if desktop.wayland else walk)(run, program, dpi, workdir, desktop)
    except Exception as error:
        failure = "%s: %s" % (type(error).__name__, error)
    finally:
        write_index(out, taken, failure)
    print("%d screenshots and %s in %.0f s" % (len(taken), os.path.join(out, "index.html"),
                                                 time.monotonic() - started))
    if failure:
        sys.exit("tour stopped: " + failure)


if __name__ == "__main__":
    main()
