#!/usr/bin/env python3
"""Runs the program under an Xvfb of its own and drives it with real pointer and key events.

    e2e.py PROGRAM startup|walk [--dpi 96|120] [--artifacts DIR] [--shots DIR]

startup: the splash over the backdrop, the timer's hand-over, the menu's exit entry.
walk: every window from the splash to the exit question's Yes.
A failing step saves the screen as DIR/FAILED-<step>.png; --shots saves every step.
"""

import argparse
import faulthandler
import os
import shutil
import signal
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import frontend  # noqa: E402
from geometry import Layout  # noqa: E402
from harness import Run, check_clean, check_on_top, check_placed  # noqa: E402
from walk import walk  # noqa: E402
from xsession import Program, Screen, Xvfb  # noqa: E402


def startup(run, program_path, dpi, workdir):
    screen, layout = run.screen, Layout(dpi)
    program = Program(program_path, screen, dpi, workdir)
    try:
        splash, shown_at = frontend.wait_splash(run, layout)
        with run.step("the timer hands the splash over to the welcome window"):
            welcome = screen.wait_window("Welcome to Vantrel", timeout=30)
            print("     (the welcome window appeared %.1f s after the splash)" % (time.monotonic() - shown_at))
            screen.wait_gone(splash)
            check_placed(welcome, layout.expected_size("Welcome to Vantrel"))
            check_on_top(screen, welcome)
        menu = frontend.open_menu(run, layout, welcome)
        frontend.menu_exit(run, layout, menu, program)
    finally:
        program.stop()
    check_clean(program.output())


SCENARIOS = {"startup": startup, "walk": walk}


def fresh_dir(path):
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


def leak_suppressions(base, workdir):
    """The headless suites' suppressions plus the desktop services a real X session adds."""
    path = os.path.join(workdir, "lsan.supp")
    with open(base) as f, open(path, "w") as out:
        out.write(f.read())
        out.write("# Under X, Qt also talks D-Bus (accessibility, desktop settings); libdbus keeps its\n"
                  "# connection buffers until exit.\nleak:libdbus-1.so\n")
    return path


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("program")
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--dpi", type=int, default=96)
    parser.add_argument("--artifacts", default="e2e-artifacts")
    parser.add_argument("--shots")
    parser.add_argument("--leaks", metavar="SUPPRESSIONS",
                        help="check for leaks at exit, with this LeakSanitizer suppression file")
    args = parser.parse_args()
    # ctest's timeout sends SIGTERM: unwind so that the X server and the program stop.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    faulthandler.register(signal.SIGUSR1)  # kill -USR1 shows where a stuck run waits
    program = os.path.abspath(args.program)
    workdir = fresh_dir(os.path.abspath(os.path.join(args.artifacts, "%s-%d" % (args.scenario, args.dpi))))
    if args.leaks:
        os.environ.update(ASAN_OPTIONS="detect_leaks=1",
                          LSAN_OPTIONS="suppressions=%s:print_suppressions=0" % leak_suppressions(args.leaks, workdir))
    started = time.monotonic()
    with Xvfb() as xvfb:
        run = Run(Screen(xvfb), workdir, args.shots)
        print("%s at %d dpi on display %s" % (args.scenario, args.dpi, xvfb.display), flush=True)
        SCENARIOS[args.scenario](run, program, args.dpi, workdir)
    print("passed in %.1f s" % (time.monotonic() - started))


if __name__ == "__main__":
    main()
