"""Pictures that come from outside the program's own buttons: the command line ("Open with" and
a double-click), a second start while Flimmer runs, files dropped from a file manager, the
clipboard; and the keyboard shortcuts, typed as a user types them."""

import subprocess
from pathlib import Path

from flimmer import (CLOSE, COLOUR_PRESS, CONFIG_KEY, CONVERT, PHOTOS, REDO, START_POSITION,
                     START_SIZE, UNDO, answer_no_camera, effect_button, file_format, picture_pixels,
                     start_to_start_screen)
from harness import Session

DROP = Path(__file__).with_name("xdnd_drop.py")
# Debian's own Python, which has the X library the drop needs (python3-xlib).
SYSTEM_PYTHON = "/usr/bin/python3"
TURN = (140, 179)  # the perspective screen's first turn button


def picture_size(s):
    return s.rect("ChildImage")[2:]


def wait_picture_size(s, size, what):
    s.wait_until(lambda: picture_size(s) == size, timeout=20, what=what)
    s.wait_window("ChildImage")  # and the program done with it


def drop(s, x, y, *files):
    subprocess.run([SYSTEM_PYTHON, str(DROP), str(x), str(y), *map(str, files)], check=True,
                   env={**s.env, "DISPLAY": s.display}, timeout=30)


def question(s):
    caption, text = s.msgbox(15000)
    assert caption == "Flimmer" and "not saved" in text, (caption, text)
    return text


def scenario_open_with_and_a_second_start_hand_the_picture_over():
    with Session("open-with") as s:
        chelsea = s.winpath(PHOTOS / "chelsea.png")
        proc = s.start(None, chelsea)
        s.wait_window("Child02")
        assert picture_size(s) == (451, 300)
        assert s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", chelsea)

        # Nothing edited yet: the running copy takes the picture without asking.
        second = s.start(None, s.winpath(PHOTOS / "coffee.png"))
        s.expect_exit(second, 30, 1)
        wait_picture_size(s, (600, 400), "the handed-over picture")

        # After an edit it asks first; "No" keeps the picture and its edit.
        s.click("Child02", *COLOUR_PRESS["brightness+"])
        rocket = s.winpath(PHOTOS / "rocket.jpg")
        third = s.start(None, rocket)
        assert question(s).startswith(f'Open "{rocket}"?')
        s.auto_ok("msgbox-press", "no")
        s.expect_exit(third, 30, 1)
        assert picture_size(s) == (600, 400) and s.count("Child02") == 1

        # From a later screen, "Yes" opens it on the colour screen.
        s.click("Child02", 260, 552)
        s.wait_window("Child03")
        s.click("Child03", *TURN)
        fourth = s.start(None, rocket)
        question(s)
        s.auto_ok("msgbox-press", "yes")
        s.wait_window("Child02")
        wait_picture_size(s, (640, 427), "the new picture")
        assert s.count("Child03") == 0
        assert s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", rocket)
        s.expect_exit(fourth, 30, 1)

        # A second start naming a missing file: the running copy says so and keeps its picture.
        fifth = s.start(None, r"C:\nowhere\gone.jpg")
        caption, text = s.msgbox_ok(15000)
        assert "could not find" in text and r"C:\nowhere\gone.jpg" in text, text
        s.expect_exit(fifth, 30, 1)
        assert picture_size(s) == (640, 427)
        s.click("Child02", *CLOSE)
        s.expect_exit(proc, 15)


def scenario_command_lines_that_name_no_picture_say_so_and_start_as_usual():
    with Session("bad-command-lines") as s:
        notes = s.dir / "notes.txt"
        notes.write_text("not a picture")
        for argument, phrase in [(r"C:\nowhere\gone.jpg", "could not find"),
                                 (s.winpath(PHOTOS), "is a folder"),
                                 (s.winpath(notes), "is not a picture Flimmer can open"),
                                 (s.winpath(PHOTOS / "not-a-picture.jpg"), "Error code")]:
            proc = s.start(None, argument)
            caption, text = s.msgbox_ok(15000)
            assert phrase in text, (argument, caption, text)
            answer_no_camera(s)
            s.wait_window("Child00")
            s.click("Child00", 320, 5)
            s.expect_exit(proc, 15), argument


def scenario_dropped_files_open_the_first_picture():
    with Session("drop") as s:
        proc = start_to_start_screen(s)
        notes = s.dir / "notes.txt"
        notes.write_text("not a picture")
        centre = (START_POSITION[0] + START_SIZE // 2, START_POSITION[1] + START_SIZE // 2)
        # Several files: the first picture among them.
        drop(s, *centre, notes, PHOTOS / "chelsea.png", PHOTOS / "coffee.png")
        s.wait_window("Child02")
        assert picture_size(s) == (451, 300)

        # No picture among them: said so, nothing changes.
        x, y, w, h = s.rect("ChildImage")
        drop(s, x + w // 2, y + h // 2, notes)
        caption, text = s.msgbox_ok(15000)
        assert "is not a picture Flimmer can open" in text, text
        assert picture_size(s) == (451, 300)

        # On the picture itself, after an edit: asked, then opened.
        s.click("Child02", *COLOUR_PRESS["brightness+"])
        drop(s, x + w // 2, y + h // 2, PHOTOS / "coffee.png")
        question(s)
        s.auto_ok("msgbox-press", "yes")
        wait_picture_size(s, (600, 400), "the dropped picture")
        s.click("Child02", *CLOSE)
        s.expect_exit(proc, 15)


def key(s, *keys):
    """Typed on the X keyboard, into whichever window has the focus."""
    s.xdotool("key", *keys)


def scenario_every_shortcut_does_what_its_button_does():
    with Session("shortcuts") as s:
        proc = start_to_start_screen(s)
        key(s, "ctrl+o")
        s.file_dialog(PHOTOS / "chelsea.png")
        s.wait_window("Child02")
        x, y, w, h = s.rect("ChildImage")

        def pixels():
            return picture_pixels(s, x, y, w, h)

        def changed(shown, what):
            """The next settled picture that differs from the shown one."""
            def check():
                now = pixels()
                return now if now != shown and now == pixels() else None
            return s.wait_until(check, what=what)

        def becomes(expected, what):
            s.wait_until(lambda: pixels() == expected, what=what)

        # On each editing screen the keys and the buttons step the same history.
        for screen, presses in [("Child02", [COLOUR_PRESS["brightness+"]] * 2),
                                ("Child03", [TURN] * 2),
                                ("Child05", [effect_button(3), effect_button(0)])]:
            s.wait_window(screen)
            after = pixels()
            for press in presses:
                s.click(screen, *press)
                after = changed(after, f"a press on {screen}")
            key(s, "ctrl+z")
            undone = changed(after, f"Ctrl+Z on {screen}")
            s.click(screen, *REDO)
            redone = changed(undone, f"Redo on {screen}")
            s.click(screen, *UNDO)
            becomes(undone, f"Undo on {screen} after Ctrl+Z")
            key(s, "ctrl+y")
            becomes(redone, f"Ctrl+Y on {screen}")
            key(s, "ctrl+z")
            becomes(undone, f"Ctrl+Z again on {screen}")
            key(s, "ctrl+shift+z")
            becomes(redone, f"Ctrl+Shift+Z on {screen}")
            if screen == "Child02":
                key(s, "ctrl+c")
                size, rgb = s.auto_ok("clipboard-pixel", 10, 10)
                assert size == f"{w} {h}", size
                i = (10 * w + 10) * 3
                assert tuple(map(int, rgb.split())) == tuple(redone[i:i + 3])
            # Enter is "OK".
            key(s, "Return")
            if screen == "Child03":
                s.wait_window("Child40")
                key(s, "Return")

        # Ctrl+S on Save is its PNG button.
        s.wait_window("Child06")
        key(s, "ctrl+s")
        s.file_dialog(s.dir / "first.png")
        s.wait_until((s.dir / "first.png").exists, what="the first saved file")
        # Esc is "Pre", back to the colour screen.
        for screen in ["Child05", "Child40", "Child03", "Child02"]:
            key(s, "Escape")
            s.wait_window(screen)
        # Ctrl+S from an editing screen goes on to Save and asks where to put a PNG.
        saved = s.dir / "saved.png"
        key(s, "ctrl+s")
        s.file_dialog(saved)
        s.wait_window("Child06")
        s.wait_until(saved.exists, what="the saved file")
        assert file_format(saved) == f"PNG {w} {h}"
        key(s, "alt+F4")
        s.expect_exit(proc, 15)


def scenario_paste_takes_the_clipboards_picture():
    with Session("paste") as s:
        proc = start_to_start_screen(s)
        # Opaque red, fully transparent, and half-transparent blue thirds.
        made = s.dir / "alpha.png"
        subprocess.run([CONVERT, "-size", "60x40", "xc:red", "(", "-size", "60x40", "xc:none", ")",
                        "(", "-size", "60x40", "xc:#0000FF80", ")", "+append", str(made)],
                       check=True)
        s.auto_ok("clipboard-put", s.winpath(made), "dibv5")
        key(s, "ctrl+v")
        s.wait_window("Child02")
        x, y, w, h = s.rect("ChildImage")
        assert (w, h) == (180, 40)
        assert [s.pixel(x + px, y + 20) for px in (30, 90, 150)] == [
            (255, 0, 0), (255, 255, 255), (127, 127, 255)]

        # On the colour screen it replaces an edited picture only when the user says so.
        s.click("Child02", *COLOUR_PRESS["brightness+"])
        s.auto_ok("clipboard-put", s.winpath(PHOTOS / "coffee.png"), "dib24")
        key(s, "ctrl+v")
        assert question(s).startswith("Paste the picture from the clipboard?")
        s.auto_ok("msgbox-press", "yes")
        wait_picture_size(s, (600, 400), "the pasted photo")
        x, y, w, h = s.rect("ChildImage")
        expected = subprocess.run([CONVERT, str(PHOTOS / "coffee.png"), "-depth", "8", "rgb:-"],
                                  capture_output=True, check=True).stdout
        assert picture_pixels(s, x, y, w, h) == expected
        # Esc on the colour screen is its "Pre": back to the camera, here the start screen.
        key(s, "Escape")
        answer_no_camera(s)
        s.wait_window("Child00")
        s.click("Child00", 320, 5)
        s.expect_exit(proc, 15)
