"""The effects gallery: effects on the committed picture, stepping back and forward, Clears."""

import shutil

from flimmer import (CLEARS, OK, PHOTOS, PRE, REDO, UNDO, file_rgb, open_picture, picture_pixels,
                     save_screen, start_to_start_screen)
from harness import Session


def effect_button(k):
    return 21 + 100 * (k % 3) + 48, 38 + 100 * (k // 3) + 48


def temporary_pictures(s):
    return [p for p in s.prefix.rglob("*") if p.name.lower().startswith("~00")]


def walk_to_gallery(s, photo):
    open_picture(s, photo)
    for here, there in [("Child02", "Child03"), ("Child03", "Child40"), ("Child40", "Child05")]:
        s.click(here, *OK)
        s.wait_window(there)


def scenario_gallery_effects_step_back_and_forward():
    with Session("gallery") as s:
        photo = s.dir / "chelsea.png"
        shutil.copy(PHOTOS / "chelsea.png", photo)
        proc = start_to_start_screen(s)
        walk_to_gallery(s, photo)
        x, y, w, h = s.rect("ChildImage")
        shown = lambda: picture_pixels(s, x, y, w, h)  # noqa: E731
        original = file_rgb(photo)
        negative = bytes(255 - v for v in original)

        s.click("Child05", *effect_button(5))
        blurred = shown()
        assert blurred != original
        s.click("Child05", *effect_button(1))
        # The negative of the committed picture, not of the blurred one.
        s.wait_until(lambda: shown() == negative, what="the negative of the committed picture")
        save_screen(s, "gallery")
        assert len(temporary_pictures(s)) == 2

        s.click("Child05", *UNDO)
        s.wait_until(lambda: shown() == original, what="step back to the picture before O5")
        s.click("Child05", *REDO)
        s.wait_until(lambda: shown() == blurred, what="step forward to the blurred picture")
        s.click("Child05", *REDO)  # at the top: nothing
        assert shown() == blurred
        s.click("Child05", *CLEARS)
        s.wait_until(lambda: shown() == original, what="Clears")
        s.click("Child05", *REDO)
        s.wait_until(lambda: shown() == original, what="the oldest snapshot after Clears")

        # Every effect runs on a real photo.
        for k in range(15):
            s.click("Child05", *effect_button(k))
        last = shown()
        # OK commits the gallery's latest result and the visit's files go.
        s.click("Child05", *OK)
        s.wait_window("Child06")
        assert temporary_pictures(s) == []
        s.click("Child06", *PRE)
        s.wait_window("Child05")
        assert shown() == last
        s.click("Child05", 980, 5)
        assert s.wait_exit(proc, 15) == 0
