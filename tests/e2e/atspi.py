"""The program as a screen reader sees it, over the desktop's accessibility bus (AT-SPI).

The program's windows are parts of its one top-level window, not windows of the X server
or the compositor, so this is where the tests find them: by name, with their extents, the
one in front first. Needs the session bus of a dbus-run-session and at-spi2-core; the
program is started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, as a screen reader would
switch it on.
"""

import pyatspi
from gi.repository import GLib

# Roles of the program's top-level windows besides the one that holds every window.
DIALOG_ROLES = (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILE_CHOOSER)


class Window:
    def __init__(self, name, x, y, w, h, level, active=False, role=None):
        self.id = name  # the program's windows are known by their titles
        self.name = name
        self.x, self.y, self.w, self.h = x, y, w, h
        self.level = level  # 0 is the one in front
        self.active = active
        self.role = role

    def __repr__(self):
        return "%r %dx%d+%d+%d%s" % (self.name, self.w, self.h, self.x, self.y, " (active)" if self.active else "")


def _extents(acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def _shown_children(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None and _showing(child):
            yield child


def _showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def _snapshot(read, tries=5):
    """A reading of the live tree, taken again when a window went away while it was read:
    its object is gone from the bus between being listed and being asked for its extents."""
    for attempt in range(tries):
        try:
            return read()
        except GLib.GError as error:
            if "No such object path" not in str(error) or attempt == tries - 1:
                raise


class Tree:
    """The accessible tree of one running program, found by its process id."""

    def __init__(self, pid):
        self.pid = pid
        self._app = None

    def app(self):
        if self._app is not None:
            try:
                if self._app.get_process_id() == self.pid:
                    return self._app
            except Exception:
                pass
            self._app = None
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == self.pid:
                    self._app = app
                    return app
            except Exception:
                continue
        return None

    def tops(self):
        """The program's shown top-level windows: the one that holds every window, and dialogs."""
        app = self.app()
        if app is None:
            return []
        return list(_shown_children(app))

    def stage(self):
        """The top-level window: the backdrop, holding the program's windows."""
        for top in self.tops():
            if top.getRole() == pyatspi.ROLE_FRAME:
                return top
        return None

    def windows(self):
        """The program's shown windows, the one in front first."""
        return _snapshot(self._windows)

    def _windows(self):
        stage = self.stage()
        if stage is None:
            return []
        found = []
        for child in _shown_children(stage):
            if child.getRole() != pyatspi.ROLE_FRAME:
                continue
            active = child.getState().contains(pyatspi.STATE_ACTIVE)
            found.append(Window(child.name, *_extents(child), level=len(found), active=active, role="frame"))
        return found

    def dialogs(self):
        """Shown dialogs and message boxes, as windows."""
        return _snapshot(self._dialogs)

    def _dialogs(self):
        found = []
        for top in self.tops():
            if top.getRole() in DIALOG_ROLES:
                found.append(Window(top.name, *_extents(top), level=len(found), role=top.getRoleName()))
        return found

    def stage_window(self):
        stage = self.stage()
        return Window(stage.name, *_extents(stage), level=99, role="frame") if stage is not None else None


def descendants(acc, depth=6):
    """Every accessible under acc, depth first, in the order a screen reader reads them."""
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        if depth > 1:
            yield from descendants(child, depth - 1)


def describe(acc):
    """Role, name and description of an accessible, as a screen reader would say them."""
    return acc.getRoleName(), acc.name, acc.description


class Node:
    """One control of a window as the tests look at it."""

    def __init__(self, acc):
        self.acc = acc
        self.role, self.name, self.description = describe(acc)
        self.states = set(acc.getState().getStates())
        try:
            action = acc.queryAction()
            self.actions = [action.getName(i) for i in range(action.nActions)]
            self.keys = [action.getKeyBinding(i) for i in range(action.nActions)]
        except NotImplementedError:
            self.actions, self.keys = [], []

    def __repr__(self):
        return "%s %r" % (self.role, self.name)

    @property
    def focused(self):
        return pyatspi.STATE_FOCUSED in self.states

    def extents(self):
        return _extents(self.acc)

    def text(self):
        text = self.acc.queryText()
        return text.getText(0, text.characterCount)

    def press(self):
        action = self.acc.queryAction()
        return action.doAction(self.actions.index("Press") if "Press" in self.actions else 0)


def window_nodes(tree, title, depth=3):
    """The controls of the shown window with this title, in reading order."""
    stage = tree.stage()
    if stage is None:
        return []
    for i in range(stage.childCount):
        window = stage.getChildAtIndex(i)
        if window is not None and window.name == title:
            return [Node(acc) for acc in descendants(window, depth)]
    return []


def focused_node(tree):
    """The control that has the keyboard focus, in the window in front."""
    stage = tree.stage()
    if stage is None or stage.childCount == 0:
        return None
    front = stage.getChildAtIndex(0)
    if front.getState().contains(pyatspi.STATE_FOCUSED):
        return Node(front)
    for acc in descendants(front):
        if acc.getState().contains(pyatspi.STATE_FOCUSED):
            return Node(acc)
    return None


class Listener:
    """Collects one kind of AT-SPI event from the program, as a screen reader hears them."""

    def __init__(self, tree, kind):
        from gi.repository import GLib
        self.tree, self.kind = tree, kind
        self.events = []
        self._context = GLib.MainContext.default()
        pyatspi.Registry.registerEventListener(self._heard, kind)

    def _heard(self, event):
        try:
            if event.host_application.get_process_id() == self.tree.pid:
                self.events.append((event.source.name, event.source.description))
        except Exception:
            pass

    def pump(self, seconds):
        import time
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self._context.iteration(False)
            time.sleep(0.01)

    def close(self):
        pyatspi.Registry.deregisterEventListener(self._heard, self.kind)
