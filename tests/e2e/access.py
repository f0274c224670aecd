"""The whole program without a mouse: by the keyboard alone, and as a screen reader hears it."""

import os
import time

import atspi
from geometry import Layout, page_title
from harness import check, check_clean, check_on_top, settled, wait_pixels
from walk import stand_ins
from xsession import Program, wait_until

def _front(run, title, timeout=20):
    window = run.screen.wait_window(title, timeout=timeout)
    check_on_top(run.screen, window)
    return window


def _key(run, *keys):
    run.screen.key(*keys)


def _tab_to(run, name, limit=12):
    """Tab until the control with this name has the focus."""
    tree = run.screen.tree
    for _ in range(limit):
        node = atspi.focused_node(tree)
        if node is not None and node.name == name:
            return node
        _key(run, "Tab")
        time.sleep(0.05)
    raise AssertionError("Tab never reached %r; the focus is on %r" % (name, atspi.focused_node(tree)))


def _node(run, title, name):
    nodes = [n for n in atspi.window_nodes(run.screen.tree, title) if n.name == name]
    check(nodes, "%r has no control named %r: %s" % (title, name, atspi.window_nodes(run.screen.tree, title)))
    return nodes[0]


def keyboard_walk(run, program_path, dpi, workdir, desktop):
    """Every window with the keyboard only: not one pointer event."""
    screen, layout = run.screen, Layout(dpi)
    program = Program(program_path, screen, dpi, workdir, desktop=desktop)
    try:
        with run.step("splash: Return opens the welcome window"):
            _front(run, "Vantrel Demo", timeout=30)
            _key(run, "Return")
            _front(run, "Welcome to Vantrel")
        with run.step("welcome: Return opens the menu"):
            _key(run, "Return")
            menu = _front(run, "Vantrel Demo Menu")
        for name, title, opener, closer in (("Orvane Screen", "Orvane Screen", "space", "Escape"),
                                            ("Vantrel Main Screen", "Vantrel Main Screen", "Return", "space")):
            with run.step("menu: %s by %s, closed by %s" % (name, opener, closer)):
                _tab_to(run, name)
                _key(run, opener)
                preview = _front(run, title)
                _key(run, closer)
                screen.wait_gone(preview)
                check_on_top(screen, menu)
                node = atspi.focused_node(screen.tree)
                check(node is not None and node.name == name, "the menu's %r should have the keys again: %r"
                      % (name, node))
        with run.step("menu: Tab to Mouse Program, Space opens the title"):
            _tab_to(run, "Mouse Program")
            _key(run, "space")
            _front(run, "15. Mouse")
        with run.step("title: Return opens page 1"):
            _key(run, "Return")
            _front(run, page_title(1))
        for n in range(1, 9):
            if n > 1:
                with run.step("page %d by Alt+Right" % n):
                    _key(run, "alt+Right")
                    _front(run, page_title(n))
            if n == 4:
                _ball_by_keys(run, layout)
            if n in (6, 8):
                _desk_by_keys(run, n)
        for n in range(7, 0, -1):
            with run.step("page %d by Alt+Left" % n):
                _key(run, "alt+Left")
                _front(run, page_title(n))
        _dialogs_by_keys(run, program)
    finally:
        program.stop()
    check_clean(program.output())


def _ball_by_keys(run, layout):
    screen = run.screen
    with run.step("page 4: Tab to the ball, Space turns it") as step:
        page = screen.find(page_title(4))[0]
        _tab_to(run, "Mouse ball")
        ball = _ball_only(layout, page)
        rest = settled(screen, ball)
        _key(run, "space")
        step.image = wait_pixels(screen, (0, 0, 1280, 1024), lambda im: im.region(*ball) != rest.data, 5,
                                 "the ball's picture to change")


def _ball_only(layout, page):
    """The ball left of the wheel, which shows through its corners and ends on another frame."""
    ball, disk = layout.rect(page, layout.ball), layout.rect(page, layout.disk)
    return (ball[0], ball[1], disk[0] - ball[0], ball[3])


def _desk_by_keys(run, n):
    screen = run.screen
    title = page_title(n)
    with run.step("page %d: Tab to the desk, the arrows move the mouse 8 pixels a press" % n):
        _tab_to(run, "Desk")
        sprite = lambda: [m for m in atspi.window_nodes(screen.tree, title, depth=3)  # noqa: E731
                          if m.role == "image" and "circuit board" in m.name][0]
        x0, y0, _, _ = sprite().extents()
        for keys, (dx, dy) in (("Right", (8, 0)), ("Right", (16, 0)), ("Down", (16, 8)), ("shift+Left", (15, 8))):
            _key(run, keys)
            wait_until(lambda: sprite().extents()[:2] == (x0 + dx, y0 + dy), 10,
                       "the sprite at %+d,%+d from where it began (it is at %s)" % (dx, dy, sprite().extents()))


def _dialogs_by_keys(run, program):
    screen = run.screen
    # A dialog opened and dismissed by keys leaves them working on the page: the next
    # page key after it goes through.
    for what, opens, title, then, page in (("page 1: Escape asks, No", "Escape", "Vantrel", "alt+Right", 2),
                                           ("page 2: Ctrl+P, Cancel", "ctrl+p", "Print", "alt+Left", 1)):
        with run.step(what + " keeps the keys on the page"):
            _key(run, opens)
            dialog = screen.wait_dialog(title, timeout=30)
            _key(run, "Escape")
            screen.wait_gone(dialog)
            _key(run, then)
            _front(run, page_title(page))
    with run.step("page 1: Escape, Yes ends the program"):
        _key(run, "Escape")
        screen.wait_dialog("Vantrel")
        _key(run, "Return")
        status = program.wait_exit(20)
        check(status == 0, "exit status %s, expected 0" % status)


def accessibility(run, program_path, dpi, workdir, desktop):
    """What a screen reader finds in every window, and hears as the simulations run."""
    screen = run.screen
    bin_dir, (record, _) = stand_ins(workdir)
    env = {"PATH": bin_dir + os.pathsep + os.environ.get("PATH", "")}
    program = Program(program_path, screen, dpi, workdir, extra_env=env, desktop=desktop)
    try:
        with run.step("splash: only the shown window, named by its title"):
            _front(run, "Vantrel Demo", timeout=30)
            check([w.name for w in screen.windows()] == ["Vantrel Demo"],
                  "the loaded but hidden title window must not be listed: %s" % screen.windows())
            check(screen.stage().name == "Vantrel", "the top-level window is %r" % screen.stage())
            _key(run, "Return")
            _front(run, "Welcome to Vantrel")
            start = _node(run, "Welcome to Vantrel", "Start")
            check(start.role == "push button" and "Press" in start.actions, "welcome: %r %s" % (start, start.actions))
            start.press()
            _front(run, "Vantrel Demo Menu")
        _menu(run, record)
        _title(run)
        for n in range(1, 9):
            _page(run, n)
            if n == 4:
                _ball_press(run, Layout(dpi))
            if n == 8:
                _phases(run)
            if n < 8:
                _node(run, page_title(n), "Next page").press()
                _front(run, page_title(n + 1))
        with run.step("page 8: Exit, Yes"):
            _node(run, page_title(8), "Exit").press()
            screen.wait_dialog("Vantrel")
            _key(run, "Return")
            check(program.wait_exit(20) == 0, "the program should end with status 0")
    finally:
        program.stop()
    check_clean(program.output())


def _menu(run, record):
    with run.step("menu: the buttons by their captions, the order line, the address as a link"):
        nodes = atspi.window_nodes(run.screen.tree, "Vantrel Demo Menu")
        seen = [(n.role, n.name) for n in nodes]
        expected = [("push button", "Orvane Screen"), ("push button", "Vantrel Main Screen"),
                    ("push button", "Mouse Program"), ("push button", "Exit Vantrel Demo"),
                    ("label", "Order now from "), ("link", "www.tellisande.example")]
        check(seen == expected, "the menu reads %s" % seen)
        link = nodes[-1]
        check("Press" in link.actions, "the link's actions: %s" % link.actions)
        link.press()
        wait_until(lambda: os.path.exists(record), 15, "the desktop's opener to get the address")
        _node(run, "Vantrel Demo Menu", "Mouse Program").press()
        _front(run, "15. Mouse")


def _title(run):
    with run.step("title: the heading, the note, the start button"):
        nodes = atspi.window_nodes(run.screen.tree, "15. Mouse")
        roles = {n.name: n.role for n in nodes}
        check(roles.get("15. Mouse") == "heading", "the title reads %s" % nodes)
        check(roles.get("Start") == "push button", "the title reads %s" % nodes)
        check(any(n.role == "image" and n.description for n in nodes), "the pictures need words: %s" % nodes)
        _node(run, "15. Mouse", "Start").press()
        _front(run, page_title(1))


def _page(run, n):
    title = page_title(n)
    with run.step("page %d: heading, text, pictures, counter, buttons with their keys" % n):
        nodes = atspi.window_nodes(run.screen.tree, title)
        by_name = {node.name: node for node in nodes}
        heading = [node for node in nodes if node.role == "heading"]
        check(len(heading) == 1, "page %d has headings %s" % (n, heading))
        check(by_name.get("Page %d of 8" % n) is not None and by_name["Page %d of 8" % n].role == "label",
              "page %d: the counter as one label: %s" % (n, nodes))
        text = by_name.get("Page text")
        check(text is not None and atspi.pyatspi.STATE_EDITABLE not in text.states and len(text.text()) > 30,
              "page %d: the text box, read-only, with its text: %r" % (n, text))
        images = [node for node in nodes if node.role == "image"]
        check(images and all(image.name and image.description for image in images),
              "page %d: every picture with a name and a description: %s" % (n, images))
        buttons = {"Previous page": "Alt+Left", "Exit": "Esc", "Print this page": "Ctrl+P", "Next page": "Alt+Right"}
        if n == 1:
            del buttons["Previous page"]
        if n == 8:
            del buttons["Next page"]
        for name, key in buttons.items():
            button = by_name.get(name)
            check(button is not None and button.role == "push button" and "Press" in button.actions,
                  "page %d: %r as a button: %r" % (n, name, button))
            check(key in button.keys[button.actions.index("Press")],
                  "page %d: %r should say its key %s: %s" % (n, name, key, button.keys))
        for absent in set(["Previous page", "Next page"]) - set(buttons):
            check(absent not in by_name, "page %d has no %r" % (n, absent))
        check(len(run.screen.windows()) == 1, "only the page is shown: %s" % run.screen.windows())


def _ball_press(run, layout):
    screen = run.screen
    with run.step("page 4: a Press on the ball returns at once, and then the ball turns"):
        ball = _node(run, page_title(4), "Mouse ball")
        check("Space" in ball.description, "the ball should say its keys: %r" % ball.description)
        rect = _ball_only(layout, screen.find(page_title(4))[0])
        rest = settled(screen, rect)
        ball.press()
        # Had the press waited for the animation (six seconds of it), the ball would be at
        # rest by now and never turn again.
        wait_pixels(screen, rect, lambda im: im.data != rest.data, 5, "the ball to turn after the press")


def _phases(run):
    screen = run.screen
    with run.step("page 8: the desk says each phase, in order, as the keys move the mouse"):
        listener = atspi.Listener(screen.tree, "object:property-change:accessible-description")
        try:
            _tab_to(run, "Desk")
            _key(run, "Right")
            listener.pump(5.5)
        finally:
            listener.close()
        said = [description.split(". The desk")[0] for name, description in listener.events if name == "Desk"]
        phases = ["The mouse moved: its signal travels down the cable to the computer",
                  "Serial data from the mouse reaches the I/O controller",
                  "The I/O controller places the data on the system bus",
                  "Idle: the mouse is at rest and no data moves"]
        heard = [p for p in phases if any(s.startswith(p) for s in said)]
        order = [next(i for i, s in enumerate(said) if s.startswith(p)) for p in heard]
        check(heard == phases and order == sorted(order), "the desk said %s" % said)
