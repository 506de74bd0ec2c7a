"""The road of screens: opened picture, editing screens, export, and the ways back."""

from flimmer import (CLOSE, EXPORT_EXIT, HOME, OK, OK_768, PHOTOS, PRE, SELECTOR, answer_no_camera,
                     effect_button, history_files, open_picture, save_screen, screen_windows,
                     start_to_start_screen)
from harness import Session


def shown_screen(s):
    """The class of the one screen window that exists; fails unless exactly one does."""
    lines = s.auto_ok("list")
    screens = [line.split()[0] for line in lines if line.startswith("Child") and
               not line.startswith("ChildImage")]
    assert len(screens) == 1, screens
    return screens[0]


def press(s, screen, button, expect):
    s.click(screen, *button)
    s.wait_window(expect)
    assert shown_screen(s) == expect
    if expect not in seen:
        seen.add(expect)
        save_screen(s, expect.lower())


seen = set()


def scenario_walk_the_road_of_screens():
    with Session("road") as s:
        proc = start_to_start_screen(s)
        open_picture(s, PHOTOS / "chelsea.png")
        # Centred in the 640 x 512 picture area at (352, 49).
        assert s.rect("ChildImage") == (352 + (640 - 451) // 2, 49 + (512 - 300) // 2, 451, 300)
        assert s.rect("Flimmer") == (0, 0, 1024, 600)
        assert shown_screen(s) == "Child02"

        press(s, "Child02", OK, "Child03")
        press(s, "Child03", PRE, "Child02")
        press(s, "Child02", OK, "Child03")
        press(s, "Child03", OK, "Child40")
        # Around the decoration and pen screens with their selector buttons.
        road = ["Child40", "Child41", "Child42", "Child43", "Child44", "Child45", "Child40"]
        for here, there in zip(road, road[1:]):
            press(s, here, SELECTOR[int(there[-1])], there)
        # The selector of the screen itself stays.
        s.click("Child40", *SELECTOR[0])
        assert shown_screen(s) == "Child40"
        press(s, "Child40", OK, "Child05")
        press(s, "Child05", PRE, "Child40")
        press(s, "Child40", PRE, "Child03")
        press(s, "Child03", OK, "Child40")
        press(s, "Child40", OK, "Child05")
        press(s, "Child05", OK, "Child06")
        press(s, "Child06", PRE, "Child05")
        press(s, "Child05", OK, "Child06")

        # H goes home to the camera screen, which has no camera and gives way.
        s.post_click("Child06", *HOME)
        answer_no_camera(s)
        s.wait_window("Child00")
        assert shown_screen(s) == "Child00"

        open_picture(s, PHOTOS / "astronaut.png")
        s.post_click("Child02", *PRE)
        answer_no_camera(s)
        s.wait_window("Child00")

        open_picture(s, PHOTOS / "astronaut.png")
        press(s, "Child02", OK, "Child03")
        s.click("Child03", *CLOSE)
        s.expect_exit(proc, 15)


def scenario_exit_on_the_export_screen_ends_the_program():
    with Session("exit") as s:
        proc = start_to_start_screen(s)
        open_picture(s, PHOTOS / "coffee.png")
        for here, there in [("Child02", "Child03"), ("Child03", "Child40"),
                            ("Child40", "Child05"), ("Child05", "Child06")]:
            press(s, here, OK, there)
        s.click("Child06", *EXPORT_EXIT)
        s.expect_exit(proc, 15)
        assert s.count("Flimmer") == 0


def scenario_display_change_returns_to_the_camera_screen():
    with Session("display-change", 1366, 768) as s:
        proc = start_to_start_screen(s)
        open_picture(s, PHOTOS / "chelsea.png")
        assert s.rect("Flimmer") == (0, 0, 1366, 768)
        for here, there in [("Child02", "Child03"), ("Child03", "Child40"), ("Child40", "Child05")]:
            s.click(here, *OK_768)
            s.wait_window(there)
        s.click("Child05", *effect_button(1))
        s.wait_until(lambda: len(history_files(s)) == 1, what="the effect's history file")
        # The gallery closes on a display change, and its history file goes with it; the
        # camera screen, without a camera, gives way to the start screen.
        s.change_display(1024, 768)
        answer_no_camera(s)
        s.wait_window("Child00")
        assert shown_screen(s) == "Child00"
        assert s.rect("Flimmer")[2:] == (365, 365)
        assert history_files(s) == []
        # The next picture opens in the 1024 x 768 layout.
        open_picture(s, PHOTOS / "chelsea.png")
        assert s.rect("Flimmer") == (0, 0, 1024, 768)
        assert s.rect("ChildImage") == (352 + (640 - 451) // 2, 62 + (640 - 300) // 2, 451, 300)
        s.post_click("Child02", 1024 - 143 + 5, 5)  # Pre: the camera screen, which gives way
        answer_no_camera(s)
        s.wait_window("Child00")

        # On the start screen a display change only lays out anew: the start screen stays
        # and no camera is tried (no box comes).
        s.change_display(1366, 768)
        rc, _ = s.auto("msgbox", 2000)
        assert rc != 0, "a message box after the display change on the start screen"
        assert shown_screen(s) == "Child00"
        # The next picture opens in the wide layout again.
        open_picture(s, PHOTOS / "chelsea.png")
        assert s.rect("Flimmer") == (0, 0, 1366, 768)
        assert s.rect("ChildImage") == (443 + (800 - 451) // 2, 62 + (640 - 300) // 2, 451, 300)
        s.click("Child02", 1366 - 49 + 5, 5)
        s.expect_exit(proc, 15)
