"""What the program leaves behind and what it makes of files others moved or spoiled."""

import os
import shutil
import signal

from flimmer import (CONFIG_KEY, PHOTOS, PRE, SAVE_BUTTONS, START_CLOSE, START_POSITION,
                     START_SPEAKER, UNDO, effect_button, file_rgb, is_ours, picture_pixels,
                     start_to_start_screen, temp_folder, walk_to)
from harness import FLIMMER_EXE, FileOpens, Session

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
        s.expect_exit(proc, 15)

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
            s.expect_exit(proc, 15)
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
        # The gallery keeps a file a press: walk there and press twice.
        walk_to(s, photo, "Child05")
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
        s.expect_exit(proc, 15)
        assert ours(temp) == [alive]


def scenario_the_click_sound_is_found_after_a_save():
    with Session("sounds") as s:
        photo = s.dir / "chelsea.png"
        shutil.copy(PHOTOS / "chelsea.png", photo)
        opens = FileOpens(FLIMMER_EXE.parent)
        proc = start_to_start_screen(s)
        walk_to(s, photo, "Child06")
        saved = s.dir / "saved.png"
        s.post_click("Child06", *SAVE_BUTTONS["png"])
        s.file_dialog(saved)
        s.wait_until(lambda: saved.exists() and saved.stat().st_size > 0, what="saved.png")
        # After the Save dialog has made the pictures' folder the current one, a press still
        # plays the click from the program's folder.
        opens.read()
        opens.opened.clear()
        s.click("Child06", *PRE)
        s.wait_window("Child05")
        s.wait_until(lambda: "Star.wav" in opens.read(), what="Star.wav opened for the click")
        opens.close()
        s.click("Child05", 980, 5)
        s.expect_exit(proc, 15)


def scenario_a_step_that_cannot_be_kept_says_so_and_pushes_nothing():
    with Session("history-write-fails") as s:
        photo = s.dir / "chelsea.png"
        shutil.copy(PHOTOS / "chelsea.png", photo)
        # The temporary folder names a folder that is not there: no history file can be written.
        for name in ("TEMP", "TMP"):
            s.reg_add(r"HKCU\Environment", name, data=s.winpath(s.dir / "no-such-folder"))
        proc = start_to_start_screen(s)
        walk_to(s, photo, "Child05")
        x, y, w, h = s.rect("ChildImage")
        shown = lambda: picture_pixels(s, x, y, w, h)  # noqa: E731
        original = file_rgb(photo)
        negative = bytes(255 - v for v in original)
        s.post_click("Child05", *effect_button(1))
        assert s.msgbox_ok() == ("Flimmer", "Flimmer could not keep this step for Undo: the "
                                 "temporary folder is full or cannot be written. You can go on "
                                 "editing, but Undo cannot come back to this step. Free some "
                                 "space on the disk to keep the next ones.")
        s.wait_until(lambda: shown() == negative, what="the negative, shown all the same")
        # Nothing was recorded: a step back has nowhere to go and the picture stays.
        s.click("Child05", *UNDO)
        rc, _ = s.auto("msgbox", 1500)
        assert rc != 0
        assert shown() == negative
        s.click("Child05", 980, 5)
        s.expect_exit(proc, 15)
