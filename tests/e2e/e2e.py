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

import access  # noqa: E402
import atspi  # noqa: E402
import desktops  # noqa: E402
import frontend  # noqa: E402
from geometry import Layout  # noqa: E402
from harness import Run, check, check_clean, check_on_top, check_placed  # noqa: E402
from walk import walk, walk_wayland  # noqa: E402
from xsession import SCREEN, Program, Screen, Xephyr, Xvfb, wait_until  # noqa: E402


def startup(run, program_path, dpi, workdir, desktop):
    screen, layout = run.screen, Layout(dpi)
    program = Program(program_path, screen, dpi, workdir, desktop=desktop)
    try:
        splash, shown_at = frontend.wait_splash(run, layout)
        with run.step("the timer hands the splash over to the welcome window") as step:
            welcome = screen.wait_window("Welcome to Vantrel", timeout=30)
            print("     (the welcome window appeared %.1f s after the splash)" % (time.monotonic() - shown_at))
            screen.wait_gone(splash)
            check_placed(welcome, layout.expected_size("Welcome to Vantrel"))
            check_on_top(screen, welcome)
            step.image = frontend.wait_painted(screen, welcome, "welcome window")
        if desktop.headless:
            _menu_exit_by_actions(run, program)  # with no pointer, as assistive technology presses
            return
        menu = frontend.open_menu(run, layout, welcome)
        frontend.menu_exit(run, layout, menu, program)
    finally:
        program.stop()
    check_clean(program.output())


def _menu_exit_by_actions(run, program):
    screen = run.screen
    with run.step("the welcome window's Start, pressed, opens the menu") as step:
        [start] = [n for n in atspi.window_nodes(screen.tree, "Welcome to Vantrel") if n.name == "Start"]
        start.press()
        menu = screen.wait_window("Vantrel Demo Menu")
        check_on_top(screen, menu)
        step.image = frontend.wait_painted(screen, menu, "menu")
    with run.step("the menu's exit, pressed, ends the program"):
        [exit_button] = [n for n in atspi.window_nodes(screen.tree, "Vantrel Demo Menu")
                         if n.name == "Exit Vantrel Demo"]
        exit_button.press()
        status = program.wait_exit(20)
        check(status == 0, "exit status %s, expected 0" % status)


def resize(run, program_path, dpi, workdir, desktop):
    """The screen changes size while the program runs (RandR, on an X server that can): the
    backdrop covers the new size and the window in front is centred in it again."""
    with Xephyr(run.screen) as xephyr:
        screen = Screen(xephyr)
        inner = Run(screen, workdir, run.shots, prefix=run.prefix)
        layout = Layout(dpi)
        program = Program(program_path, screen, dpi, workdir, desktop=desktop)
        try:
            splash, shown_at = frontend.wait_splash(inner, layout)
            welcome = frontend.click_splash(inner, layout, splash, shown_at)
            for size in ((1024, 768), (800, 600), (1280, 1024)):
                with inner.step("the screen becomes %dx%d" % size) as step:
                    screen._run("xrandr", "-s", "%dx%d" % size)
                    wait_until(lambda: screen.size() == size, 10, "the X screen to be %dx%d" % size)
                    wait_until(lambda: (screen.stage().w, screen.stage().h) == size, 10,
                               "the top-level window to cover %dx%d: %s" % (size + (screen.stage(),)))
                    welcome = wait_until(lambda: _centred(screen.find("Welcome to Vantrel"), size), 10,
                                         "the welcome window centred in %dx%d: %s" % (size + (screen.windows(),)))
                    check_on_top(screen, welcome)
                    hole = (welcome.x, welcome.y, welcome.w, welcome.h)
                    step.image = frontend.wait_pixels(
                        screen, (0, 0) + size, lambda im: not frontend.backdrop_everywhere_but(im, hole), 10,
                        "the backdrop colour over all of %dx%d around the welcome window" % size)
            menu = frontend.open_menu(inner, layout, welcome)
            frontend.menu_exit(inner, layout, menu, program)
        finally:
            program.stop()
        run.taken += inner.taken
    check_clean(program.output())


def _centred(windows, size):
    if windows and abs(windows[0].x - (size[0] - windows[0].w) / 2) <= 1 \
            and abs(windows[0].y - (size[1] - windows[0].h) / 2) <= 1:
        return windows[0]
    return None


def walk_any(run, program_path, dpi, workdir, desktop):
    (walk_wayland if desktop.wayland else walk)(run, program_path, dpi, workdir, desktop)


SCENARIOS = {"startup": startup, "walk": walk_any, "resize": resize, "keyboard": access.keyboard_walk,
             "accessibility": access.accessibility}


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
                  "# connection buffers until exit.\nleak:libdbus-1.so\n"
                  "# On Wayland, Qt leaves the compositor's last events and proxies to the process's end,\n"
                  "# and starts Mesa's software renderer, whose one-time set-up (in JIT code the\n"
                  "# symbolizer cannot name) stays.\n"
                  "leak:libwayland-client.so\nleak:__pthread_once_slow\n")
    return path


def in_own_session():
    """Runs this script again inside a D-Bus session of its own, which the accessibility bus
    and the desktops need, apart from whatever session the caller has."""
    if os.environ.get("VANTREL_E2E_SESSION") != "1":
        env = dict(os.environ, VANTREL_E2E_SESSION="1")
        os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable] + sys.argv, env)


def main():
    in_own_session()
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("program")
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--dpi", type=int, default=96)
    parser.add_argument("--desktop", choices=desktops.KINDS, default="none")
    parser.add_argument("--artifacts", default="e2e-artifacts")
    parser.add_argument("--shots")
    parser.add_argument("--leaks", metavar="SUPPRESSIONS",
                        help="check for leaks at exit, with this LeakSanitizer suppression file")
    args = parser.parse_args()
    # ctest's timeout sends SIGTERM: unwind so that the X server and the program stop.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    faulthandler.register(signal.SIGUSR1)  # kill -USR1 shows where a stuck run waits
    program = os.path.abspath(args.program)
    workdir = fresh_dir(os.path.abspath(os.path.join(args.artifacts, "%s-%s-%d" % (args.scenario, args.desktop,
                                                                                  args.dpi))))
    if args.leaks:
        os.environ.update(ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0",
                          LSAN_OPTIONS="suppressions=%s:print_suppressions=0" % leak_suppressions(args.leaks, workdir))
    started = time.monotonic()
    with Xvfb() as xvfb, desktops.Desktop(args.desktop, xvfb, workdir) as desktop:
        run = Run(desktop.screen(xvfb), workdir, args.shots)
        print("%s at %d dpi on display %s, desktop %s" % (args.scenario, args.dpi, xvfb.display, args.desktop),
              flush=True)
        SCENARIOS[args.scenario](run, program, args.dpi, workdir, desktop)
        for what, samples, flashes in run.handovers:
            print("     hand-over %-55s %4d samples, %d with the backdrop" % (what, samples, flashes))
    print("passed in %.1f s" % (time.monotonic() - started))


if __name__ == "__main__":
    main()
