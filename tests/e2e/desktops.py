"""The desktops the program is tried on, each started on our own X server.

none     the bare X server
openbox  a plain X11 window manager
mutter   GNOME's, in its X11 mode (a compositing manager)
weston   a Wayland compositor; it runs as a window of the X server, which gives it real
         pointer and key input, and the program is its native Wayland client with no X
         display at all
weston-headless
         weston with no screen and no input devices at all; its screenshooter reads the
         pixels
"""

import os
import subprocess
import time

import xconn
from xsession import SCREEN, Failure, Screen, _die_with_parent, stop_process, wait_until

KINDS = ("none", "openbox", "mutter", "weston", "weston-headless")


class Desktop:
    def __init__(self, kind, xvfb, workdir):
        self.kind = kind
        self.display = xvfb.display
        self.workdir = workdir
        self.proc = None
        self.program_env = {"QT_QPA_PLATFORM": "xcb"}
        self.program_unset = ()
        self.wayland = kind.startswith("weston")
        self.headless = kind == "weston-headless"

    def __enter__(self):
        env = dict(os.environ, DISPLAY=self.display)
        log = open(os.path.join(self.workdir, "desktop-%s.log" % self.kind), "w")
        if self.kind in ("openbox", "mutter"):
            command = {"openbox": ["openbox", "--sm-disable"],
                       "mutter": ["mutter", "--x11", "--replace", "--sm-disable"]}[self.kind]
            self.proc = subprocess.Popen(command, env=env, stdout=log, stderr=subprocess.STDOUT,
                                         preexec_fn=_die_with_parent)
            wait_until(self._manager_running, 30, "%s to manage the screen" % self.kind, interval=0.1)
        elif self.wayland:
            runtime = os.path.join(self.workdir, "wayland-runtime")
            os.makedirs(runtime, mode=0o700, exist_ok=True)
            socket = "wayland-e2e"
            env.update(XDG_RUNTIME_DIR=runtime)
            # --debug lets the screenshooter read the screen.
            backend = ["--backend=headless-backend.so", "--debug"] if self.headless else ["--backend=x11-backend.so"]
            self.proc = subprocess.Popen(
                ["weston"] + backend + ["--use-pixman", "--width=%d" % SCREEN[0], "--height=%d" % SCREEN[1],
                                        "--socket=" + socket, "--idle-time=0", "--no-config"],
                env=env, stdout=log, stderr=subprocess.STDOUT, preexec_fn=_die_with_parent)
            wait_until(lambda: self._alive() and os.path.exists(os.path.join(runtime, socket)), 30,
                       "weston's socket", interval=0.1)
            time.sleep(1.0)  # its shell client draws the desktop
            if not self.headless:
                # weston draws the pointer into the screen, where it was last told the X pointer
                # is: (0,0) until the pointer moves, which the full-screen checks would see. A
                # real move puts it in the middle of the screen, under the centred windows.
                middle = [str(SCREEN[0] // 2), str(SCREEN[1] // 2)]
                subprocess.run(["xdotool", "mousemove", "0", "0", "mousemove"] + middle, env=env, check=True,
                               capture_output=True, timeout=20)
            self.program_env = {"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": socket,
                                "XDG_RUNTIME_DIR": runtime}
            self.program_unset = ("DISPLAY",)
        return self

    def screen(self, xvfb):
        """What the tests look at and drive."""
        return ScreenshooterScreen(xvfb, self) if self.headless else Screen(xvfb)

    def _alive(self):
        if self.proc.poll() is not None:
            raise Failure("%s exited with status %s" % (self.kind, self.proc.returncode))
        return True

    def _manager_running(self):
        self._alive()
        out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True,
                             env=dict(os.environ, DISPLAY=self.display)).stdout
        return "window id" in out

    def __exit__(self, *exc):
        stop_process(self.proc)
        return False


class ScreenshooterScreen(Screen):
    """The screen of a compositor with no display of its own: pixels from its screenshooter,
    and no pointer or keys to send."""

    has_input = False

    def __init__(self, xvfb, desktop):
        super().__init__(xvfb)
        self.desktop = desktop
        self.shots = os.path.join(desktop.workdir, "screenshooter")
        os.makedirs(self.shots, exist_ok=True)

    def grab(self, x=0, y=0, width=None, height=None):
        for old in os.listdir(self.shots):
            os.remove(os.path.join(self.shots, old))
        env = dict(os.environ, **self.desktop.program_env)
        subprocess.run(["weston-screenshooter"], cwd=self.shots, env=env, capture_output=True, timeout=30, check=True)
        shot = os.path.join(self.shots, os.listdir(self.shots)[0])
        raw = subprocess.run(["convert", shot, "-depth", "8", "bgra:-"], capture_output=True, timeout=30,
                             check=True).stdout
        whole = xconn.Image(0, 0, SCREEN[0], SCREEN[1], raw)
        width = SCREEN[0] - x if width is None else width
        height = SCREEN[1] - y if height is None else height
        return xconn.Image(x, y, width, height, whole.region(x, y, width, height))

    def move(self, x, y):
        raise Failure("a compositor without input devices takes no pointer")

    def key(self, *keys):
        raise Failure("a compositor without input devices takes no keys")
