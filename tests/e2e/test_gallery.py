"""The effects gallery: effects on the committed picture, stepping back and forward, Clears."""

import shutil

from flimmer import (CLEARS, OK, PHOTOS, PRE, REDO, SAVE_BUTTONS, UNDO, effect_button, file_rgb,
                     history_files, picture_pixels, save_screen,
                     start_to_start_screen, walk_to)
from harness import Session


def open_in_gallery(s):
    """Starts the program and walks a photo to the gallery; returns the process, a reader of
    the shown picture, and the photo's pixels and their negative."""
    photo = s.dir / "chelsea.png"
    shutil.copy(PHOTOS / "chelsea.png", photo)
    proc = start_to_start_screen(s)
    walk_to(s, photo, "Child05")
    x, y, w, h = s.rect("ChildImage")
    original = file_rgb(photo)
    return (proc, lambda: picture_pixels(s, x, y, w, h), original,
            bytes(255 - v for v in original))


def scenario_gallery_effects_step_back_and_forward():
    with Session("gallery") as s:
        proc, shown, original, negative = open_in_gallery(s)

        s.click("Child05", *effect_button(5))
        blurred = shown()
        assert blurred != original
        s.click("Child05", *effect_button(1))
        # The negative of the committed picture, not of the blurred one.
        s.wait_until(lambda: shown() == negative, what="the negative of the committed picture")
        save_screen(s, "gallery")
        assert len(history_files(s)) == 2

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
        assert history_files(s) == []
        s.click("Child06", *PRE)
        s.wait_window("Child05")
        assert shown() == last
        # Closed straight after a press, while its history file may still be written: the
        # program waits for the write, ends and leaves no file behind.
        s.click("Child05", *effect_button(2))
        s.click("Child05", 980, 5)
        s.expect_exit(proc, 15)
        assert history_files(s) == []


def scenario_ok_and_pre_keep_the_picture_shown_after_a_step():
    with Session("gallery-keeps-shown") as s:
        proc, shown, original, negative = open_in_gallery(s)

        # A negative undone is not in the saved file.
        s.click("Child05", *effect_button(1))
        s.wait_until(lambda: shown() == negative, what="the negative")
        s.click("Child05", *UNDO)
        s.wait_until(lambda: shown() == original, what="the negative undone")
        s.click("Child05", *OK)
        s.wait_window("Child06")
        saved = s.dir / "kept.png"
        s.post_click("Child06", *SAVE_BUTTONS["png"])
        s.file_dialog(saved)
        s.wait_until(lambda: saved.exists() and saved.stat().st_size > 0, what="kept.png")
        assert file_rgb(saved) == original

        # After a step back, Pre carries the picture shown (not the latest effect) onwards.
        s.click("Child06", *PRE)
        s.wait_window("Child05")
        s.click("Child05", *effect_button(1))
        s.wait_until(lambda: shown() == negative, what="the negative again")
        s.click("Child05", *effect_button(5))
        s.wait_until(lambda: shown() not in (negative, original), what="the blur")
        # A step back goes to the picture before the first effect, a step forward to the
        # picture the blur was pressed on.
        s.click("Child05", *UNDO)
        s.wait_until(lambda: shown() == original, what="a step back")
        s.click("Child05", *REDO)
        s.wait_until(lambda: shown() == negative, what="a step forward to the negative")
        s.click("Child05", *PRE)
        s.wait_window("Child40")
        for here, there in [("Child40", "Child05"), ("Child05", "Child06")]:
            s.click(here, *OK)
            s.wait_window(there)
        again = s.dir / "again.png"
        s.post_click("Child06", *SAVE_BUTTONS["png"])
        s.file_dialog(again)
        s.wait_until(lambda: again.exists() and again.stat().st_size > 0, what="again.png")
        assert file_rgb(again) == negative
        s.click("Child06", 980, 5)
        s.expect_exit(proc, 15)
