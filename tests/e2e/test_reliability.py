"""What the program leaves behind and what it makes of files others moved or spoiled."""

import os
import shutil
import signal

from flimmer import (CONFIG_KEY, COLOUR_PRESS, OK, PHOTOS, START_CLOSE, START_POSITION,
                     START_SPEAKER, effect_button, is_ours, open_picture, start_to_start_screen,
                     temp_folder)
from harness import Session

# Points of the start screen's preview (client coordinates): its centre and around it.
PREVIEW_POINTS = [(182, 169), (150, 150), (214, 190), (182, 130)]


def preview(s):
    return [s.pixel(START_POSITION[0] + x, START_POSITION[1] + y) for x, y in PREVIEW_POINTS]


def no_message_box(s, ms=1500):
    rc, lines = s.auto("msgbox", ms)
    return rc != 0


def scenario_a_missing_or_unreadable_last_picture_shows_the_default_quietly():
    with Session("missing-preview") as s:
        proc = start_to_start_screen(s)
        default = preview(s)
        s.click("Child00", *START_CLOSE)
        assert s.wait_exit(proc, 15) == 0

        folder = s.dir / "folder.jpg"
        folder.mkdir()
        for bad in [s.dir / "moved-away.jpg", folder, PHOTOS / "not-a-picture.jpg",
                    PHOTOS / "empty.png", s.dir / "notes.txt"]:
            s.reg_add(CONFIG_KEY, "DefaultFile", data=s.winpath(bad))
            proc = start_to_start_screen(s)
            assert no_message_box(s), bad.name
            s.wait_until(lambda: preview(s) == default, what=f"the default preview for {bad.name}")
            # The speaker button loads the skin again: still not a word.
            s.click("Child00", *START_SPEAKER)
            assert no_message_box(s), bad.name
            s.click("Child00", *START_SPEAKER)
            s.click("Child00", *START_CLOSE)
            assert s.wait_exit(proc, 15) == 0
            # The setting is the user's: it is left as it was.
            assert s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", s.winpath(bad))


def ours(folder):
    return sorted(p.name for p in folder.iterdir() if is_ours(p.name))


def scenario_temporary_files_of_a_killed_run_go_at_the_next_start():
    with Session("debris") as s:
        photo = s.dir / "chelsea.png"
        shutil.copy(PHOTOS / "chelsea.png", photo)
        proc = start_to_start_screen(s)
        temp = temp_folder(s)
        # Files that are not ours stay whatever their names.
        strangers = ["~00~1A2B.tmp", "flimmer.tmp", "flimmer-x-1.tmp", "notes-flimmer-1-1.tmp"]
        for name in strangers:
            (temp / name).write_bytes(b"not ours")
        open_picture(s, photo)
        s.click("Child02", *COLOUR_PRESS["brightness+"])
        # The gallery keeps a file a press: walk there and press twice.
        for here, there in [("Child02", "Child03"), ("Child03", "Child40"), ("Child40", "Child05")]:
            s.click(here, *OK)
            s.wait_window(there)
        s.click("Child05", *effect_button(0))
        s.click("Child05", *effect_button(1))
        s.wait_until(lambda: len(ours(temp)) == 2, what="two history files")
        left = ours(temp)

        # Killed as the task manager would: nothing of ours is removed on the way out.
        os.killpg(proc.pid, signal.SIGKILL)  # the program's own process group
        s.wait_exit(proc, 15)
        s.auto_ok("wait-gone", "Flimmer")
        assert ours(temp) == left

        # A file of a run that still runs is left alone: here another program's process number.
        holder = s.hold_file(photo)
        alive = f"flimmer-{holder.words[0]}-1.tmp"
        (temp / alive).write_bytes(b"a running copy's")
        proc = start_to_start_screen(s)
        s.wait_until(lambda: ours(temp) == [alive], what="the killed run's files removed")
        for name in strangers:
            assert (temp / name).read_bytes() == b"not ours", name
        s.release_file(holder)
        s.click("Child00", *START_CLOSE)
        assert s.wait_exit(proc, 15) == 0
        assert ours(temp) == [alive]
