"""The main window's own commands: the keys that commit the shown picture, and what the
program removes when it ends."""

import shutil

from flimmer import (CLOSE, COLOUR_PRESS, OK, PHOTOS, SELECTOR, UNDO, answer_no_camera,
                     effect_button, history_files, open_picture, picture_pixels,
                     start_to_start_screen, temp_folder)
from harness import FLIMMER_EXE, Session

VK_F1, VK_F2 = 0x70, 0x71
# Thumbnail slot 0 of the decoration screens, and the page-up button beside the slots.
THUMBNAIL_0, PGUP = (36 + 32, 194 + 32), (224, 166)
# Three planes of the 640 x 512 picture area of the 1024 x 600 layout.
HISTORY_FILE_SIZE = 3 * 640 * 512


def mean(picture):
    return sum(picture) / len(picture)


def scenario_f1_and_c_commit_the_shown_picture():
    with Session("commit-keys") as s:
        proc = start_to_start_screen(s)
        open_picture(s, PHOTOS / "chelsea.png")
        x, y, w, h = s.rect("ChildImage")

        def changed_from(before, what):
            def check():
                now = picture_pixels(s, x, y, w, h)
                return now if now != before else None
            return s.wait_until(check, what=what)

        def up_keys_down(before, *keys):
            """Brightness one step up, the keys, one step down again. Every press recomputes
            the picture from the committed one, so after a commit the step down starts from
            the brighter picture and keeps most of its brightness."""
            s.click("Child02", *COLOUR_PRESS["brightness+"])
            brighter = changed_from(before, "the step up")
            # The keys go to the main window itself: after a picture opens, the picture
            # window has the keyboard focus.
            for how, code in keys:
                s.auto_ok(how, "Flimmer", code)
            assert picture_pixels(s, x, y, w, h) == brighter, f"{keys} redrew the picture"
            s.click("Child02", *COLOUR_PRESS["brightness-"])
            return changed_from(brighter, "the step down")

        # The chain at the start settings, which need not be the identity.
        last = up_keys_down(picture_pixels(s, x, y, w, h))
        # Other keys, and the key down of C, commit nothing.
        assert up_keys_down(last, ("key", VK_F2), ("key", ord("C")), ("char", ord("x")),
                            ("char", ord("1"))) == last
        for key in [("key", VK_F1), ("char", ord("C")), ("char", ord("c"))]:
            now = up_keys_down(last, key)
            # A commit keeps the step up: about 12 levels brighter on average each time.
            assert mean(now) > mean(last) + 5, (key, mean(last), mean(now))
            last = now
        s.click("Child02", 980, 5)
        s.expect_exit(proc, 15)


def contents(folder):
    return {p.relative_to(folder): p.read_bytes() for p in folder.rglob("*") if p.is_file()}


def scenario_history_files_go_at_exit_and_nothing_else():
    with Session("exit-history") as s:
        # A copy of the program: the Foreground screen's history names its own files.
        folder = s.dir / "Flimmer"
        shutil.copytree(FLIMMER_EXE.parent, folder)
        program = contents(folder)
        temp = temp_folder(s)
        # Files of others in the temporary folder, two named as the program once named its own.
        (temp / "~00F0.TMP").write_bytes(b"not the program's")
        (temp / "notes.txt").write_text("keep me")
        (temp / "sub").mkdir()
        (temp / "sub" / "~00F1.TMP").write_bytes(b"nor this")
        others = contents(temp)

        def ours():
            return [p for p in history_files(s) if p.relative_to(temp) not in others]

        def run(road, make_states, states, end):
            """Opens the photo, walks the road of OK and selector presses, makes the history
            and ends the program; the history files must exist until the end."""
            proc = s.start(folder / "flimmer.exe")
            answer_no_camera(s)
            s.wait_window("Child00")
            open_picture(s, PHOTOS / "chelsea.png")
            screen = "Child02"
            for button, there in road:
                s.click(screen, *button)
                s.wait_window(there)
                screen = there
            make_states(screen)
            s.wait_until(lambda: [p.stat().st_size for p in ours()] == [HISTORY_FILE_SIZE] * states,
                         what=f"{states} history files")
            end(screen)
            s.expect_exit(proc, 15)
            assert ours() == [], "history files left after the end"
            assert {k: v for k, v in contents(temp).items() if k in others} == others
            assert contents(folder) == program

        to_background = [(OK, "Child03"), (OK, "Child40")]

        def close(screen):
            s.click(screen, *CLOSE)

        def quit_loop(screen):
            # The loop ends with the screen still up: only the program's end is left to
            # remove the files.
            s.auto_ok("quit", "Flimmer")

        def effects(screen):
            for k in (1, 5, 9):
                s.click(screen, *effect_button(k))
            s.click(screen, *UNDO)  # a state above the one shown goes as well

        def clicks_on_the_picture(screen):
            s.click(screen, *THUMBNAIL_0)
            for point in ((100, 100), (200, 150)):
                s.click("ChildImage", *point)

        def foreground_twice(screen):
            picture = s.rect("ChildImage")
            entry = picture_pixels(s, *picture)
            for button in (THUMBNAIL_0, PGUP, THUMBNAIL_0):
                s.click(screen, *button)
            s.wait_until(lambda: picture_pixels(s, *picture) != entry, what="the foreground")

        run(to_background + [(OK, "Child05")], effects, 3, close)
        run(to_background, clicks_on_the_picture, 2, quit_loop)
        # The Foreground screen's history names the decoration's own files: they stay.
        run(to_background + [(SELECTOR[4], "Child44")], foreground_twice, 0, quit_loop)
