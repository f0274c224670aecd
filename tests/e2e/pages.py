"""The chapter: buttons that light up, navigation, the backdrop, the exit question."""

from geometry import BACKDROP, page_title
from harness import check, check_on_top, check_placed, count_colour, settled, wait_pixels
from xsession import SCREEN

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


def arrive(run, layout, n, click_at, leaving):
    """Clicks, then the page n window replaces the one that is leaving."""
    screen = run.screen
    with run.step("page %d: %s" % (n, page_title(n)[len("15. Mouse \u2013 "):])):
        screen.click(*click_at)
        page = screen.wait_window(page_title(n))
        screen.wait_gone(leaving)
        check_placed(page, layout.expected_size(page_title(n)))
        check_on_top(screen, page)
        screen.move(*layout.point(page, layout.background))
        settled(screen, whole(page))
    return page


def backdrop_brings_back(run, n, page):
    """With the backdrop raised over the page, a click on it brings the page back unchanged."""
    screen = run.screen
    with run.step("page %d: backdrop click brings the page back" % n):
        before = settled(screen, whole(page))
        backdrop = [w for w in screen.find("Vantrel") if (w.w, w.h) == SCREEN][0]
        screen.raise_window(backdrop)
        wait_pixels(screen, whole(page), lambda im: count_colour(im, whole(page), BACKDROP) == page.w * page.h,
                    5, "the raised backdrop to cover the page")
        screen.click(3, SCREEN[1] - 3)
        wait_pixels(screen, whole(page), lambda im: im.data == before.data, 5,
                    "the page to come back in front, as it was")
        check_on_top(screen, page)


def exit_question(run, page, ask, answer):
    """ask() raises the exit question; answer is the key that closes the message box."""
    screen = run.screen
    backdrop = [w.id for w in screen.find("Vantrel") if (w.w, w.h) == SCREEN]
    ask()
    box = screen.wait_window("Vantrel", exclude=backdrop)
    check_on_top(screen, box)
    image = settled(screen, (0, 0) + SCREEN)
    screen.key(answer)
    return box, image


def refuse_exit(run, n, page, how):
    screen = run.screen
    with run.step("page %d: %s asks to exit, No keeps the page" % (n, how)) as step:
        before = settled(screen, whole(page))
        if how == "Alt+F4":
            def ask():
                screen.focus(page)
                screen.key("alt+F4")
        else:
            def ask():
                screen.request_close(page)
        box, step.image = exit_question(run, page, ask, "Escape")
        screen.wait_gone(box)
        check_on_top(screen, page)
        wait_pixels(screen, whole(page), lambda im: im.data == before.data, 5, "the page as it was")


def accept_exit(run, layout, n, page, program):
    screen = run.screen
    with run.step("page %d: exit button, Yes ends the program" % n) as step:
        click = layout.centre(page, layout.page_buttons["ImgExit"])
        box, step.image = exit_question(run, page, lambda: screen.click(*click), "Return")
        status = program.wait_exit(20)
        check(status == 0, "exit status %s, expected 0" % status)
        check(not screen.windows(), "windows left after the end: %s" % screen.windows())
