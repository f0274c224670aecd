"""The three interactive pages, watched while their pauses run."""

import time

from geometry import RED
from harness import check, count_colour, settled, wait_pixels
from xsession import SCREEN, Failure, wait_until

DESK_BORDER = 2  # pixels of the desk's sunken frame


def _full(screen):
    return (0, 0) + SCREEN


def ball_turns(run, layout, page):
    """A click on the ball animates ball and disk; the ball ends at rest, the disk on its last frame."""
    screen = run.screen
    with run.step("page 4: a click on the ball turns it") as step:
        disk = layout.rect(page, layout.disk)
        # The disk shows through the ball's transparent corners: watch the ball left of it.
        ball = layout.rect(page, layout.ball)
        ball = (ball[0], ball[1], disk[0] - ball[0], ball[3])
        screen.move(*layout.point(page, layout.background))
        rest_ball, rest_disk = settled(screen, ball), settled(screen, disk)
        screen.click(*layout.centre(page, layout.ball))
        step.image = wait_pixels(screen, _full(screen), lambda im: im.region(*ball) != rest_ball.data, 5,
                                 "the ball's picture to change after the click")
        # Frames last 10000 yields (about 0.1 s): a still picture for 0.6 s means the end.
        deadline, still_since = time.monotonic() + 90, None
        while True:
            now = screen.grab(*_full(screen))
            done = now.region(*ball) == rest_ball.data and now.region(*disk) != rest_disk.data
            still_since = (still_since or time.monotonic()) if done else None
            if still_since and time.monotonic() - still_since > 0.6:
                break
            if time.monotonic() > deadline:
                raise Failure("the animation did not come to rest with the ball as before and the disk "
                              "turned on within 90 s")
            time.sleep(0.02)


def _red_near(image, rect):
    return count_colour(image, rect, RED) > 0


def _lit_board(screen, board, idle, cable):
    """A grab in the bus phase: the board's picture differs from idle and holds for 50 ms
    (the serial-data picture before it lasts a single yield), while the cable is red."""
    last = [None]

    def held():
        now = screen.grab(*_full(screen))
        previous, last[0] = last[0], now
        lit = now.region(*board)
        return now if (previous is not None and lit != idle.region(*board)
                       and lit == previous.region(*board) and _red_near(now, cable)) else None
    return wait_until(held, 5, "the motherboard to show the data on the bus while the cable is red",
                      interval=0.05)


def desk_follows(run, layout, page, n, points):
    """The sprite jumps to the pointer over the desk; during the pause the cable's thin line is
    red (and on page 8 the board shows the data); afterwards everything is idle again."""
    screen = run.screen
    left, top, _, height = layout.desks[n]
    inner_x = page.x + round(layout.px(left)) + DESK_BORDER
    inner_y = page.y + round(layout.px(top)) + DESK_BORDER
    bottom = page.y + int(layout.px(top + height)) - DESK_BORDER
    # Page 6 has no board: an empty rectangle compares equal.
    board = layout.rect(page, layout.motherboard) if n == 8 else (0, 0, 0, 0)
    for i, (dx, dy) in enumerate(points):
        with run.step("page %d: desk move %d lights the cable" % (n, i + 1)) as step:
            x, y = inner_x + dx, inner_y + dy
            # Just above the sprite's top edge, where the thin line leaves it.
            cable = (max(inner_x, x - 16), y - 6, 60, 5)
            sprite = (x, y, 60, min(91, bottom - y))
            screen.move(*layout.point(page, layout.background))
            idle = settled(screen, _full(screen))
            check(not _red_near(idle, cable), "red pixels above %s before any move" % ((x, y),))
            screen.move(x, y)
            lit = wait_pixels(screen, _full(screen), lambda im: _red_near(im, cable), 5,
                              "the cable's thin line to turn red above the sprite at %s" % ((x, y),))
            step.image = lit
            if n == 8:
                step.image = _lit_board(screen, board, idle, cable)
            after = wait_pixels(screen, _full(screen),
                                lambda im: not _red_near(im, cable)
                                and im.region(*board) == idle.region(*board), 10,
                                "the idle look (grey cable, plain board) after the pauses")
            check(after.region(*sprite) != idle.region(*sprite),
                  "the sprite should now sit at the pointer %s" % ((x, y),))
