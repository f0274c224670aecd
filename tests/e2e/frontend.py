"""The demo front end: splash, welcome, menu with its previews and web link, title window."""

import os
import time

from geometry import BACKDROP, EXPLORER_URL
from harness import HandOver, check, check_on_top, check_placed, count_colour, overlap, settled, wait_pixels
from xsession import SCREEN, Failure, wait_until

# A click later than this after the splash appeared might meet the 3 s timer instead.
CLICK_DEADLINE = 2.0


class TooLate(Failure):
    pass


def arrives(screen, layout, title, leaving=None):
    """The window titled so appears at its size, centred and in front (the one it replaces
    gone), and its picture has settled."""
    window = screen.wait_window(title)
    if leaving is not None:
        screen.wait_gone(leaving)
    check_placed(window, layout.expected_size(title))
    check_on_top(screen, window)
    settled(screen, (window.x, window.y, window.w, window.h))
    return window


def centred_rect(size):
    return ((SCREEN[0] - size[0]) // 2, (SCREEN[1] - size[1]) // 2, size[0], size[1])


def hand_over(run, layout, leaving, title, act):
    """act() makes leaving hand over to the window titled so; nothing of the backdrop may
    show where both lie while it happens."""
    rect = overlap(leaving, centred_rect(layout.expected_size(title)))
    with HandOver(run, rect, BACKDROP) as sampler:
        act()
        window = arrives(run.screen, layout, title, leaving=leaving)
        sampler.finish("%s to %s" % (leaving.name, title))
    return window


# Where the pointer rests while the tests look at the whole screen: a compositor draws it.
POINTER_CORNER = (0, SCREEN[1] - 48, 48, 48)
POINTER_REST = (8, SCREEN[1] - 32)


def backdrop_everywhere_but(image, *holes):
    """Pixels outside the holes that are not the backdrop colour, as a short report."""
    wrong = []
    for y in range(image.height):
        cuts = sorted((hx, hx + hw) for hx, hy, hw, hh in holes if hy <= y < hy + hh)
        spans, start = [], 0
        for left, right in cuts:
            if left > start:
                spans.append((start, left))
            start = max(start, right)
        if start < image.width:
            spans.append((start, image.width))
        for left, right in spans:
            n = right - left
            if count_colour(image, (left, y, n, 1), BACKDROP) != n:
                x = next(i for i in range(left, right) if image.pixel(i, y) != BACKDROP)
                wrong.append("(%d,%d) is #%02X%02X%02X" % ((x, y) + image.pixel(x, y)))
                break
        if len(wrong) >= 5:
            break
    return wrong



def wait_painted(screen, window, what, timeout=10):
    """The screen once a window is painted over the backdrop: backdrop all round it and
    hardly any inside it."""
    hole = (window.x, window.y, window.w, window.h)
    return wait_pixels(screen, (0, 0) + SCREEN,
                       lambda im: not backdrop_everywhere_but(im, hole)
                       and count_colour(im, hole, BACKDROP) < window.w * window.h // 10, timeout,
                       "the backdrop colour #6F51A6 around the painted %s" % what)

def wait_splash(run, layout):
    """The backdrop fills the screen around the centred splash; returns the splash window."""
    screen = run.screen
    with run.step("splash over the backdrop") as step:
        splash = screen.wait_window("Vantrel Demo", timeout=30)
        shown_at = time.monotonic()
        check_placed(splash, layout.expected_size("Vantrel Demo"))
        backdrop = screen.stage()
        check(backdrop and backdrop.name == "Vantrel" and (backdrop.w, backdrop.h) == SCREEN,
              "the full-screen top-level window 'Vantrel' should hold the splash: %s" % backdrop)
        check_on_top(screen, splash)
        hole = (splash.x, splash.y, splash.w, splash.h)
        # The server fills the backdrop at once; the splash paints a moment after it maps.
        image = wait_painted(screen, splash, "splash")
        inside = count_colour(image, hole, BACKDROP)
        check(inside < splash.w * splash.h // 10,
              "the splash should cover its rectangle, but %d of its pixels are backdrop" % inside)
        step.image = image
    return splash, shown_at


def click_splash(run, layout, splash, shown_at):
    screen = run.screen
    with run.step("click on the splash opens the welcome window"):
        def act():
            screen.click(splash.x + splash.w // 2, splash.y + splash.h // 2)
            late = time.monotonic() - shown_at
            if late > CLICK_DEADLINE:
                raise TooLate("the click came %.1f s after the splash appeared: too late to tell it "
                              "from the timer (is the machine overloaded?)" % late)
        welcome = hand_over(run, layout, splash, "Welcome to Vantrel", act)
    return welcome


def open_menu(run, layout, welcome):
    screen = run.screen
    with run.step("welcome start button opens the menu"):
        menu = hand_over(run, layout, welcome, "Vantrel Demo Menu",
                         lambda: screen.click(*layout.centre(welcome, layout.start_button)))
    return menu


def previews(run, layout, menu):
    """Each menu entry shows its preview in front; a click on the preview hides it again."""
    screen = run.screen
    # Form5 hides on a click outside its label: the top-left corner is clear of it.
    for index, title, spot in ((0, "Orvane Screen", (300, 300)), (1, "Vantrel Main Screen", None)):
        with run.step("menu shows %s" % title):
            screen.click(*layout.centre(menu, layout.menu_buttons[index]))
            preview = arrives(screen, layout, title)
        with run.step("click hides %s" % title):
            x, y = layout.point(preview, spot) if spot else (preview.x + preview.w // 2,
                                                             preview.y + preview.h // 2)
            screen.click(x, y)
            screen.wait_gone(preview)
            check(screen.find("Vantrel Demo Menu"), "the menu should stay: %s" % screen.windows())


def web_link(run, layout, menu, record):
    """The address reaches the desktop's opener; no program named explorer runs."""
    opened, explorer_ran = record
    screen = run.screen
    with run.step("web link hands the address to the desktop's opener"):
        x, y, w, h = layout.rect(menu, layout.web_link)
        screen.click(x + 15, y + h // 2)
        text = wait_until(lambda: os.path.exists(opened) and open(opened).read(), 15,
                          "the stand-in xdg-open to record its argument")
        check(text.splitlines() == [EXPLORER_URL],
              "xdg-open got %r, expected the one argument %r" % (text, EXPLORER_URL))
        check(not os.path.exists(explorer_ran), "the explorer on PATH was run: it must not be")
        check(screen.find("Vantrel Demo Menu"), "the menu should stay: %s" % screen.windows())


def open_title(run, layout, menu):
    screen = run.screen
    with run.step("menu opens the chapter title"):
        title = hand_over(run, layout, menu, "15. Mouse",
                          lambda: screen.click(*layout.centre(menu, layout.menu_buttons[2])))
        # The title window loaded hidden at start-up; it must show its own picture, in front.
        image = settled(screen, (title.x, title.y, title.w, title.h))
        inside = count_colour(image, (title.x, title.y, title.w, title.h), BACKDROP)
        check(inside == 0, "%d pixels of the title window show the backdrop" % inside)
    return title


def menu_exit(run, layout, menu, program):
    screen = run.screen
    with run.step("menu exit ends the program without a question"):
        screen.click(*layout.centre(menu, layout.menu_buttons[3]))
        status = program.wait_exit(20)
        check(status == 0, "exit status %s, expected 0" % status)
        check(not screen.windows(), "windows left after the end: %s" % screen.windows())
