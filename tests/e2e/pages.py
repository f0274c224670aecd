"""The chapter: buttons that light up, navigation, the backdrop, the exit question."""

import os

import frontend
import xconn
from geometry import page_title
from harness import check, check_on_top, settled, wait_pixels
from xsession import SCREEN, Failure, wait_until

# The centre of a 38-pixel sphere: inside its disc, clear of any picture behind it.
SPHERE_INSET = 6


def buttons_for(n):
    names = ["ImgBack", "ImgExit", "ImgFor", "ImgPrint"]
    return [b for b in names if not (n == 1 and b == "ImgBack") and not (n == 8 and b == "ImgFor")]


def whole(window):
    return (window.x, window.y, window.w, window.h)


def buttons_light(run, layout, window, label, buttons, known):
    """Each button lights under the pointer and stays lit while the pointer moves on to the
    next; one movement over the window's background brings every one back to rest."""
    screen = run.screen
    background = layout.point(window, layout.background)
    with run.step("%s: buttons light under the pointer" % label) as step:
        screen.move(*background)
        rests = []
        for key, twips in buttons:
            rect = layout.rect(window, twips, inset=SPHERE_INSET)
            rest = settled(screen, rect)
            if key in known:
                check(rest.data == known[key], "%s at rest looks different from earlier windows" % key)
            known.setdefault(key, rest.data)
            rests.append((key, rect, rest))
        for i, (key, rect, rest) in enumerate(rests):
            screen.move(*layout.centre(window, buttons[i][1]))
            wait_pixels(screen, rect, lambda im: im.data != rest.data, 5, "%s to light up" % key)
        image = screen.grab()
        for key, rect, rest in rests:
            check(image.region(*rect) != rest.data, "%s went out while the pointer was on another" % key)
        step.image = image
        screen.move(*background)
        for key, rect, rest in rests:
            wait_pixels(screen, rect, lambda im: im.data == rest.data, 5,
                        "%s to return to rest after a move over the background" % key)


def check_absent(run, layout, window, n, known):
    missing = {1: "ImgBack", 8: "ImgFor"}.get(n)
    if missing and missing in known:
        rect = layout.rect(window, layout.page_buttons[missing], inset=SPHERE_INSET)
        check(screen_region(run, rect) != known[missing], "page %d should have no %s" % (n, missing))


def screen_region(run, rect):
    return run.screen.grab(*rect).data


def arrive(run, layout, n, act, leaving):
    """act() (a click or a key), then the page n window replaces the one that is leaving
    with nothing of the backdrop between them."""
    screen = run.screen
    with run.step("page %d: %s" % (n, page_title(n)[len("15. Mouse \u2013 "):])):
        if isinstance(act, tuple):
            point = act
            act = lambda: screen.click(*point)  # noqa: E731
        page = frontend.hand_over(run, layout, leaving, page_title(n), act)
        screen.move(*layout.point(page, layout.background))
        settled(screen, whole(page))
    return page


def changed_box(a, b):
    """The bounding box of the pixels that differ between two grabs of the same rectangle."""
    xs, ys = [], []
    for y in range(a.height):
        row = a.width * 4 * y
        if a.data[row:row + a.width * 4] != b.data[row:row + a.width * 4]:
            ys.append(y)
            for x in range(a.width):
                if a.data[row + 4 * x:row + 4 * x + 3] != b.data[row + 4 * x:row + 4 * x + 3]:
                    xs.append(x)
    return "pixels differ in x %d..%d, y %d..%d" % (min(xs) + a.x, max(xs) + a.x, min(ys) + a.y, max(ys) + a.y) \
        if xs else "no pixel differs"


def backdrop_click(screen, page):
    """A click on the backdrop, far from the page."""
    screen.click(*frontend.POINTER_REST)


def backdrop_leaves_page(run, n, page):
    """A click on the backdrop leaves the page in front, as it was, with the keyboard."""
    screen = run.screen
    with run.step("page %d: backdrop click keeps the page in front" % n):
        # The pointer first: a compositor draws it into the screen's pixels.
        screen.move(*frontend.POINTER_REST)
        before = settled(screen, whole(page))
        backdrop_click(screen, page)
        check_on_top(screen, page)
        after = settled(screen, whole(page))
        check(after.data == before.data, "the page changed after a click on the backdrop")


def _while_dialog(run, page, dialog, before):
    """With a dialog open, a click on the backdrop changes nothing: the dialog stays, and
    the page stays on screen around it. before: the screen before the dialog opened."""
    screen = run.screen
    rect = (dialog.x, dialog.y, dialog.w, dialog.h)
    # A compositing manager may show the dialog a moment after it maps.
    wait_pixels(screen, rect, lambda im: im.data != before.region(*rect), 10, "the dialog on screen")
    screen.move(*frontend.POINTER_REST)  # a compositor draws the pointer into the pixels
    image = settled(screen, (0, 0) + SCREEN)
    backdrop_click(screen, page)
    check(screen.find(page.name), "the page should stay shown: %s" % screen.windows())
    wait_until(lambda: [d for d in screen.dialogs() if d.name == dialog.name], 5,
               "the dialog to stay open after a click on the backdrop")
    later = settled(screen, (0, 0) + SCREEN)
    if later.data != image.data:
        xconn.write_png(os.path.join(run.artifacts, "dialog-before-click.png"), image)
        check(False, "the screen changed after a click on the backdrop during the dialog (%s, before: "
              "dialog-before-click.png)" % changed_box(image, later))
    return later


def _check_centred_on(dialog, page, wayland):
    if wayland:
        return  # the compositor places dialogs; the program cannot know where
    dx = abs((dialog.x + dialog.w / 2) - (page.x + page.w / 2))
    dy = abs((dialog.y + dialog.h / 2) - (page.y + page.h / 2))
    # A window manager's title bar moves the dialog's client area down by half its height.
    check(dx <= 3 and dy <= 30, "%r should be centred on %r" % (dialog, page))


def exit_question(run, page, ask, answer, wayland=False):
    """ask() raises the exit question; answer is the key that closes the message box."""
    screen = run.screen
    before = settled(screen, (0, 0) + SCREEN)
    ask()
    box = screen.wait_dialog("Vantrel")
    _check_centred_on(box, page, wayland)
    image = _while_dialog(run, page, box, before)
    screen.key(answer)
    return box, image


def refuse_exit(run, n, page, how, wayland=False):
    screen = run.screen
    with run.step("page %d: %s asks to exit, No keeps the page" % (n, how)) as step:
        before = settled(screen, whole(page))
        if how == "Alt+F4":
            def ask():
                screen.key("alt+F4")
        elif how == "Escape":
            def ask():
                screen.key("Escape")
        else:
            def ask():
                screen.request_close()
        box, step.image = exit_question(run, page, ask, "Escape", wayland)
        screen.wait_gone(box)
        check_on_top(screen, page)
        wait_pixels(screen, whole(page), lambda im: im.data == before.data, 5, "the page as it was")
        only_page_on_backdrop(screen, page)


def print_cancelled(run, layout, n, page, wayland=False):
    """The print dialog opens over the page, a click on the backdrop changes nothing, Escape
    cancels it, and the page has the keyboard again: Ctrl+P opens it once more."""
    screen = run.screen
    with run.step("page %d: print dialog, backdrop click, cancel, Ctrl+P" % n) as step:
        before = settled(screen, whole(page))
        everything = settled(screen, (0, 0) + SCREEN)
        screen.click(*layout.centre(page, layout.page_buttons["ImgPrint"]))
        dialog = screen.wait_dialog("Print", timeout=30)
        _check_centred_on(dialog, page, wayland)
        step.image = _while_dialog(run, page, dialog, everything)
        screen.key("Escape")
        screen.wait_gone(dialog)
        check_on_top(screen, page)
        screen.key("ctrl+p")
        dialog = screen.wait_dialog("Print", timeout=30)
        screen.key("Escape")
        screen.wait_gone(dialog)
        check_on_top(screen, page)
        screen.move(*layout.point(page, layout.background))
        wait_pixels(screen, whole(page), lambda im: im.data == before.data, 5, "the page as it was")
        only_page_on_backdrop(screen, page)


def only_page_on_backdrop(screen, page):
    """Once a dialog has gone, the screen is the page on the backdrop and nothing else (no
    panel of the desktop's, no dialog left behind)."""
    screen.move(*frontend.POINTER_REST)
    wrong = []

    def clear(image):
        wrong[:] = frontend.backdrop_everywhere_but(image, whole(page), frontend.POINTER_CORNER)
        return not wrong
    try:
        wait_pixels(screen, (0, 0) + SCREEN, clear, 5, "the backdrop everywhere around the page")
    except Exception:
        raise Failure("the screen around the page is not all backdrop: %s" % ", ".join(wrong))


def accept_exit(run, layout, n, page, program, how="button", wayland=False):
    screen = run.screen
    with run.step("page %d: exit (%s), Yes ends the program" % (n, how)) as step:
        if how == "button":
            click = layout.centre(page, layout.page_buttons["ImgExit"])
            ask = lambda: screen.click(*click)  # noqa: E731
        else:
            ask = lambda: screen.key("Escape")  # noqa: E731
        box, step.image = exit_question(run, page, ask, "Return", wayland)
        status = program.wait_exit(20)
        check(status == 0, "exit status %s, expected 0" % status)
        check(not screen.windows(), "windows left after the end: %s" % screen.windows())
