"""The main window's own commands: the keys that commit the shown picture, and what the
program removes when it ends."""

from flimmer import COLOUR_PRESS, PHOTOS, open_picture, picture_pixels, start_to_start_screen
from harness import Session

VK_F1, VK_F2 = 0x70, 0x71


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
        assert s.wait_exit(proc, 15) == 0
