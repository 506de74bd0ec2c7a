"""The perspective screen: every turn and scale button, undo, redo, Clears, Pre and OK."""

import shutil

from flimmer import (CLEARS, OK, PHOTOS, PRE, REDO, UNDO, open_picture, picture_pixels,
                     save_screen, start_to_start_screen)
from harness import Session

ROWS = [103, 179, 260, 394, 470]  # tilt, turn, spin, width, height
BUTTONS = [(x, y) for y in ROWS for x in (140, 187)]


def scenario_perspective_buttons_turn_the_card_and_undo():
    with Session("perspective") as s:
        photo = s.dir / "astronaut.png"
        shutil.copy(PHOTOS / "astronaut.png", photo)
        proc = start_to_start_screen(s)
        open_picture(s, photo)
        s.click("Child02", *OK)
        s.wait_window("Child03")
        x, y, w, h = s.rect("ChildImage")
        shown = lambda: picture_pixels(s, x, y, w, h)  # noqa: E731
        entry = shown()

        # Every button changes the picture; the press after it undoes the change.
        for k, button in enumerate(BUTTONS):
            before = shown()
            for _ in range(3 if k >= 6 else 8):  # spins and scales show at once, tilts need degrees
                s.click("Child03", *button)
            after = shown()
            assert after != before, f"button {k} changed nothing"
        # The pairs cancelled out; now a card visibly tilted, spun and narrowed.
        for button, times in ((BUTTONS[0], 25), (BUTTONS[4], 12), (BUTTONS[7], 20)):
            for _ in range(times):
                s.click("Child03", *button)
        turned = shown()
        assert turned != entry
        save_screen(s, "warp")

        s.click("Child03", *UNDO)
        s.wait_until(lambda: shown() != turned, what="undo")
        s.click("Child03", *REDO)
        s.wait_until(lambda: shown() == turned, what="redo")
        s.click("Child03", *CLEARS)
        s.wait_until(lambda: shown() == entry, what="Clears shows the entry picture")
        s.click("Child03", *REDO)
        s.wait_until(lambda: shown() != entry, what="redo after Clears")
        once = shown()

        # OK commits: the Background screen starts from the turned picture; Pre comes back to it.
        s.click("Child03", *OK)
        s.wait_window("Child40")
        s.click("Child40", *PRE)
        s.wait_window("Child03")
        s.wait_until(lambda: shown() == once, what="the committed picture")
        # Pre commits too and leads to the colour screen.
        s.click("Child03", *BUTTONS[4])
        spun = shown()
        s.click("Child03", *PRE)
        s.wait_window("Child02")
        s.wait_until(lambda: shown() == spun, what="the committed picture on the colour screen")
        s.click("Child02", 980, 5)
        s.expect_exit(proc, 15)
