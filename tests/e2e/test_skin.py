"""What the skin looks like and how its buttons react, in the real window."""

import subprocess

from flimmer import (COLOUR_PRESS, CONFIG_KEY, CONVERT, PHOTOS, START_POSITION, open_picture,
                     start_to_start_screen)
from harness import Session


def scenario_start_screen_is_shaped_and_previews_centred():
    with Session("shape") as s:
        # A pure green 200 x 100 picture as the stored default: its preview must sit
        # centred in the 300 x 240 box at (32, 49), that is at (82, 119), never enlarged.
        green = s.dir / "green.png"
        subprocess.run([CONVERT, "-size", "200x100", "xc:#00ff00", str(green)], check=True)
        desktop = s.pixel(*START_POSITION)
        s.reg_add(r"HKCU\Software\Korvane\Flimmer", None, "REG_SZ", "")
        s.reg_add(CONFIG_KEY, "DefaultFile", "REG_SZ", s.winpath(green))
        proc = start_to_start_screen(s)
        x0, y0 = START_POSITION
        s.wait_until(lambda: s.pixel(x0 + 82, y0 + 119) == (0, 255, 0), what="the preview")
        for inside in [(82, 119), (281, 119), (82, 218), (281, 218), (180, 170)]:
            assert s.pixel(x0 + inside[0], y0 + inside[1]) == (0, 255, 0), inside
        for outside in [(81, 119), (82, 118), (282, 218), (281, 219)]:
            assert s.pixel(x0 + outside[0], y0 + outside[1]) != (0, 255, 0), outside
        # The window's corner lies outside its outline: what is behind shows through.
        assert s.pixel(x0, y0) == desktop
        assert s.pixel(x0 + 280, y0 + 330) != desktop
        s.click("Child00", 320, 5)
        s.expect_exit(proc, 15)


def scenario_buttons_light_up_press_and_light_again():
    with Session("button-states") as s:
        proc = start_to_start_screen(s)
        open_picture(s, PHOTOS / "chelsea.png")
        bx, by = COLOUR_PRESS["brightness+"]
        # A point of the button's face, read in screen coordinates (the screen is at 0, 0).
        face = (bx + 6, by + 4)
        s.auto_ok("move", "Child02", 600, 300)
        norm = s.pixel(*face)
        s.auto_ok("move", "Child02", bx, by)
        s.wait_until(lambda: s.pixel(*face) != norm, what="the hover look")
        hi = s.pixel(*face)
        s.auto_ok("down", "Child02", bx, by)
        s.wait_until(lambda: s.pixel(*face) not in (norm, hi), what="the pressed look")
        s.auto_ok("up", "Child02", bx, by)
        s.wait_until(lambda: s.pixel(*face) == hi, what="the hover look after the release")
        s.auto_ok("move", "Child02", 600, 300)
        s.wait_until(lambda: s.pixel(*face) == norm, what="the rest look")
        s.click("Child02", 980, 5)
        s.expect_exit(proc, 15)
