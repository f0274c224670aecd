"""The whole program from the splash to the exit question's Yes, at one pixel density."""

import os
import stat

import frontend
import pages
import simulations
from geometry import Layout
from harness import check_clean
from xsession import Program

# Points on the desks, in pixels from the inner corner: left of and then above-right of
# where the sprite starts, so that neither lands on the sprite itself.
DESK_POINTS = {6: [(20, 110), (150, 20)], 8: [(20, 100), (150, 20)]}


def stand_ins(workdir):
    """First on PATH: an xdg-open that writes its arguments to a file (Qt's opener on a
    desktop without a portal ends in xdg-open) and an explorer that must never run."""
    folder = os.path.join(workdir, "bin")
    os.makedirs(folder, exist_ok=True)
    record = os.path.join(workdir, "xdg-open-arguments.txt")
    explorer_ran = os.path.join(workdir, "explorer-ran")
    scripts = {
        "xdg-open": 'printf "%%s\\n" "$@" > "%s.part" && mv "%s.part" "%s"' % (record, record, record),
        "explorer": 'printf "%%s\\n" "$@" > "%s"' % explorer_ran,
    }
    for name, body in scripts.items():
        path = os.path.join(folder, name)
        with open(path, "w") as f:
            f.write("#!/bin/sh\n%s\n" % body)
        os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH)
    for path in (record, explorer_ran):
        if os.path.exists(path):
            os.remove(path)
    return folder, (record, explorer_ran)


def start_past_splash(run, program_path, dpi, workdir, extra_env=None, desktop=None):
    """Starts the program and clicks its splash. The click must beat the 3 s timer, so on an
    overloaded machine the start is tried again rather than failing."""
    layout = Layout(dpi)
    for attempt in range(3):
        program = Program(program_path, run.screen, dpi, workdir, extra_env, desktop)
        try:
            splash, shown_at = frontend.wait_splash(run, layout)
            return program, layout, frontend.click_splash(run, layout, splash, shown_at)
        except frontend.TooLate:
            program.stop()
            if attempt == 2:
                raise
        except BaseException:
            program.stop()
            raise


def walk(run, program_path, dpi, workdir, desktop):
    """Every window, on an X11 desktop."""
    bin_dir, record = stand_ins(workdir)
    env = {"PATH": bin_dir + os.pathsep + os.environ.get("PATH", "")}
    program, layout, welcome = start_past_splash(run, program_path, dpi, workdir, env, desktop)
    try:
        _walk_from_welcome(run, layout, program, welcome, record)
    finally:
        program.stop()
    check_clean(program.output())


def walk_wayland(run, program_path, dpi, workdir, desktop):
    """The start-up, the menu, the title and pages 1 to 3, and the exit, on Wayland."""
    program, layout, welcome = start_past_splash(run, program_path, dpi, workdir, None, desktop)
    try:
        menu = frontend.open_menu(run, layout, welcome)
        title = frontend.open_title(run, layout, menu)
        page = pages.arrive(run, layout, 1, layout.centre(title, layout.title_start), title)
        for n in (2, 3):
            page = pages.arrive(run, layout, n, layout.centre(page, layout.page_buttons["ImgFor"]), page)
            pages.backdrop_leaves_page(run, n, page)
        pages.refuse_exit(run, 3, page, "Escape", wayland=True)
        pages.accept_exit(run, layout, 3, page, program, wayland=True)
    finally:
        program.stop()
    check_clean(program.output())


def _walk_from_welcome(run, layout, program, welcome, record):
    menu = frontend.open_menu(run, layout, welcome)
    frontend.previews(run, layout, menu)
    frontend.web_link(run, layout, menu, record)
    title = frontend.open_title(run, layout, menu)
    known = {}
    pages.buttons_light(run, layout, title, "title window", [("ImgFor", layout.title_start)], known)

    page = pages.arrive(run, layout, 1, layout.centre(title, layout.title_start), title)
    for n in range(1, 9):
        if n > 1:
            page = pages.arrive(run, layout, n, layout.centre(page, layout.page_buttons["ImgFor"]), page)
        pages.buttons_light(run, layout, page, "page %d" % n,
                            [(b, layout.page_buttons[b]) for b in pages.buttons_for(n)], known)
        pages.backdrop_leaves_page(run, n, page)
        if n == 4:
            simulations.ball_turns(run, layout, page)
        if n in DESK_POINTS:
            simulations.desk_follows(run, layout, page, n, DESK_POINTS[n])
    pages.check_absent(run, layout, page, 8, known)
    pages.print_cancelled(run, layout, 8, page)
    pages.refuse_exit(run, 8, page, "a close request")
    # The page has the keyboard after the question: Alt+Left goes back.
    page = pages.arrive(run, layout, 7, lambda: run.screen.key("alt+Left"), page)
    for n in range(6, 0, -1):
        page = pages.arrive(run, layout, n, layout.centre(page, layout.page_buttons["ImgBack"]), page)
    pages.check_absent(run, layout, page, 1, known)
    pages.refuse_exit(run, 1, page, "Alt+F4")
    # And again: Escape asks the question, which Yes answers.
    pages.accept_exit(run, layout, 1, page, program, how="Escape")
