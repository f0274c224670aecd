#!/usr/bin/env python3
"""Runs every benchmark and writes build/bench/results.json and a table.

Start-up and memory are watched from outside the program on an Xvfb server of our
own; the in-process harness runs on the offscreen platform and under Xvfb.

    bench/run.py [--build build] [--startup-runs 15] [--walks 3] [--quick]
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import report  # noqa: E402

SPLASH = "Vantrel"  # the program's one top-level window, which shows the splash first
RUNTIME_DIR = None  # set in main()
XENV = None
BARE = "Bench Bare Window"


class Xvfb:
    """An X server on a free display, chosen by the server itself."""

    def __init__(self):
        read, write = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-dpi", "96",
             "-nolisten", "tcp", "-br", "-noreset"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        deadline = time.monotonic() + 15
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or self.proc.poll() is not None:
                raise RuntimeError("Xvfb did not start")
            chunk = os.read(read, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not report its display")
            number += chunk
        os.close(read)
        self.display = ":" + number.decode().strip()

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


def qt_env(display=None, platform="xcb"):
    env = {k: v for k, v in os.environ.items()
           if not k.startswith("QT_") and k not in ("WAYLAND_DISPLAY", "DISPLAY")}
    env["QT_QPA_PLATFORM"] = platform
    env["XDG_RUNTIME_DIR"] = RUNTIME_DIR
    if display:
        env["DISPLAY"] = display
    return env


def run_json(command, env, timeout):
    report.note_command(command, env)
    out = subprocess.run(command, env=env, capture_output=True, text=True, timeout=timeout)
    try:
        return json.loads(out.stdout.strip().splitlines()[-1])
    except (ValueError, IndexError):
        raise RuntimeError(f"{command[0]} gave no figures: {out.stdout[-500:]} {out.stderr[-1500:]}")


def startup(build, display, runs):
    """Fork to window mapped and to first frame on screen, program and bare window alternately."""
    watch = os.path.join(build, "bench", "bench_xwatch")
    targets = {"program": (SPLASH, os.path.join(build, "vantrel")),
               "bare": (BARE, os.path.join(build, "bench", "bench_bare_window"))}
    samples = {name: [] for name in targets}
    env = qt_env(display)
    for i in range(runs + 1):
        order = list(targets) if i % 2 == 0 else list(reversed(list(targets)))
        for name in order:
            title, program = targets[name]
            # The splash's area at 96 pixels per inch, where both show their picture.
            result = run_json([watch, "--title", title, "--region", "496x396", "--hold", "0.8", "--", program],
                              env, 60)
            if "error" in result:
                raise RuntimeError(f"start-up of {name}: {result['error']}")
            if i > 0:  # the first pair warms the file cache
                samples[name].append(result)
    return samples


def xdotool(*args, timeout=20):
    out = subprocess.run(["xdotool", *args], env=XENV, capture_output=True, text=True, timeout=timeout)
    if out.returncode != 0:
        raise RuntimeError(f"xdotool {' '.join(args)}: {out.stderr.strip()}")
    return out.stdout


SCREEN = (1024, 768)


def centred(size, after=0.6):
    """The top-left corner of a window of this size in the middle of the screen, once the
    program has had time to show it (its windows are not X windows)."""
    time.sleep(after)
    return ((SCREEN[0] - size[0]) // 2, (SCREEN[1] - size[1]) // 2)


def click(origin, x, y):
    # Come from the window's corner: a move to where the pointer already is never ends
    # with --sync, and a click on the spot of the last one, in a new window, within the
    # double-click time, reaches the program as a double click and is lost.
    xdotool("mousemove", "--sync", str(origin[0] + 5), str(origin[1] + 5))
    xdotool("mousemove", "--sync", str(origin[0] + x), str(origin[1] + y))
    xdotool("click", "1")


def sweep(origin, points):
    for x, y in points:
        xdotool("mousemove", "--sync", str(origin[0] + x), str(origin[1] + y))
        time.sleep(0.05)
    time.sleep(0.6)  # the last move's pauses run out


def memory_kb(pid):
    """Peak resident memory and what is resident now, by kind."""
    figures = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            key, _, value = line.partition(":")
            if key in ("VmHWM", "RssAnon", "RssFile", "RssShmem"):
                figures[key] = int(value.split()[0])
    return figures


def walk(build, display, wrapper=()):
    """Splash, welcome, menu, title, all eight pages; peak memory at the end. A wrapper
    (a profiler) runs the program when given; the memory is then the wrapper's."""
    env = qt_env(display)
    report.note_command([*wrapper, os.path.join(build, "vantrel"), "# driven by xdotool"], env)
    proc = subprocess.Popen([*wrapper, os.path.join(build, "vantrel")], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        xdotool("search", "--sync", "--onlyvisible", "--name", "^Vantrel$")
        # Sizes at 96 pixels per inch: splash, welcome and menu, title and pages.
        origin = centred((496, 396), after=1.0)
        click(origin, 200, 200)
        origin = centred((584, 438))
        click(origin, 507 + 18, 369 + 18)
        origin = centred((584, 438))
        click(origin, 135 + 16, 168 + 16)
        origin = centred((608, 402))
        click(origin, 544 + 19, 327 + 19)
        for page in range(1, 9):
            origin = centred((608, 402))
            if page == 6:
                sweep(origin, [(280, 80), (300, 120), (330, 150), (360, 190)])
            if page == 8:
                sweep(origin, [(60, 90), (90, 110), (120, 130), (150, 150)])
            if page < 8:
                click(origin, 544 + 19, 327 + 19)
        time.sleep(0.3)
        return memory_kb(proc.pid)
    finally:
        proc.terminate()
        try:
            proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def harness(build, platform, display, quick):
    command = [os.path.join(build, "bench", "bench_harness")]
    if quick:
        command += ["--rounds", "7", "--reps", "5", "--events", "300", "--runs", "4"]
    return run_json(command, qt_env(display, platform), 900)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--startup-runs", type=int, default=15)
    parser.add_argument("--walks", type=int, default=3)
    parser.add_argument("--quick", action="store_true", help="fewer repetitions, for a try")
    parser.add_argument("--parts", default="startup,memory,offscreen,xcb",
                        help="which of startup, memory, offscreen, xcb to run")
    args = parser.parse_args()
    parts = args.parts.split(",")
    if args.quick:
        args.startup_runs, args.walks = min(args.startup_runs, 4), 1
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            sys.exit(f"bench: {tool} is missing (scripts/bootstrap installs it)")

    global RUNTIME_DIR, XENV
    RUNTIME_DIR = tempfile.mkdtemp(prefix="vantrel-bench-")
    os.chmod(RUNTIME_DIR, 0o700)
    results = {"machine": report.machine()}
    xvfb = Xvfb()
    XENV = qt_env(xvfb.display)
    try:
        if "startup" in parts or "memory" in parts:
            print(f"bench: Xvfb on {xvfb.display}; start-up x{args.startup_runs}", file=sys.stderr)
            results["startup"] = startup(args.build, xvfb.display, args.startup_runs)
        if "memory" in parts:
            print(f"bench: walk-through x{args.walks}", file=sys.stderr)
            walks = []
            for _ in range(args.walks):
                try:
                    walks.append(walk(args.build, xvfb.display))
                except (RuntimeError, subprocess.TimeoutExpired) as error:
                    print(f"bench: a walk-through failed: {error}", file=sys.stderr)
            results["walk_memory_kb"] = walks
        if "offscreen" in parts:
            print("bench: in-process harness, offscreen", file=sys.stderr)
            results["offscreen"] = harness(args.build, "offscreen", None, args.quick)
        if "xcb" in parts:
            print("bench: in-process harness, xcb on Xvfb", file=sys.stderr)
            results["xcb"] = harness(args.build, "xcb", xvfb.display, args.quick)
    finally:
        xvfb.stop()
        shutil.rmtree(RUNTIME_DIR, ignore_errors=True)
    results["machine"]["load_after"] = list(os.getloadavg())
    results["commands"] = report.COMMANDS
    results["summary"], results["targets"] = report.evaluate(results)
    out = os.path.join(args.build, "bench", "results.json")
    with open(out, "w") as f:
        json.dump(results, f, indent=1)
    report.print_table(results)
    print(f"\nFigures: {out}")


if __name__ == "__main__":
    main()
