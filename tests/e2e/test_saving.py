"""Saving never destroys a picture: failures are told, old files stay, names are asked about."""

import shutil

from flimmer import (CONFIG_KEY, PAINT, PHOTOS, SAVE_BUTTONS, file_format, history_files,
                     start_to_start_screen, walk_to)
from harness import Session


def walk_to_export(s, photo):
    walk_to(s, photo, "Child06")


def our_debris(folder):
    return sorted(p.name for p in folder.iterdir() if "flimmer-" in p.name)


def expect_failure(s, name, reason, advice, error):
    shown = s.msgbox_ok()
    assert shown == ("Flimmer", f"Flimmer could not save {name}: {reason}. {advice}"
                                rf"\n\nWindows error {error}."), shown


def save(s, ext, path):
    """Presses a save button and answers the dialog; True when the dialog asked a question."""
    s.post_click("Child06", *SAVE_BUTTONS[ext])
    return s.file_dialog(path)


def scenario_a_failed_save_says_so_and_leaves_everything_as_it_was():
    with Session("failed-saves") as s:
        photo = s.dir / "coffee.png"
        shutil.copy(PHOTOS / "coffee.png", photo)
        proc = start_to_start_screen(s)
        walk_to_export(s, photo)
        default_file = ("REG_SZ", s.winpath(photo))
        assert s.reg_query(CONFIG_KEY, "DefaultFile") == default_file

        # The old picture is open in a viewer: each format says so and keeps the old bytes.
        for ext, old in [("jpg", "rocket.jpg"), ("bmp", "chelsea.bmp"), ("png", "chelsea.png"),
                         ("tif", "coffee.tif")]:
            target = s.dir / f"held.{ext}"
            shutil.copy(PHOTOS / old, target)
            before = target.read_bytes()
            holder = s.hold_file(target)
            assert save(s, ext, target)  # the dialog's own overwrite question
            s.auto_ok("msgbox-press", "yes")
            expect_failure(s, target.name, "the file is open in another program",
                           "Close it there and save again, or choose another name.", 32)
            assert target.read_bytes() == before, ext
            assert our_debris(s.dir) == []
            assert history_files(s) == []  # nor the BMP the imaging library converts from
            assert s.reg_query(CONFIG_KEY, "DefaultFile") == default_file
            assert s.count("Child06") == 1
            s.release_file(holder)
            # Let go, the same save goes through and replaces it whole.
            assert save(s, ext, target)
            s.auto_ok("msgbox-press", "yes")
            s.wait_until(lambda: target.read_bytes() != before, what=f"{target.name} replaced")
            assert file_format(target).endswith(" 600 400")
            s.wait_until(lambda: s.reg_query(CONFIG_KEY, "DefaultFile") ==
                         ("REG_SZ", s.winpath(target)), what="DefaultFile naming the save")
            default_file = ("REG_SZ", s.winpath(target))

        # A folder of the corrected name is in the way.
        (s.dir / "folder.jpg").mkdir()
        save(s, "jpg", s.dir / "folder.jpeg")
        expect_failure(s, "folder.jpg", "a folder has that name", "Choose another name.", 267)
        assert (s.dir / "folder.jpg").is_dir() and not any((s.dir / "folder.jpg").iterdir())
        assert s.reg_query(CONFIG_KEY, "DefaultFile") == default_file

        s.post_click("Child06", 980, 5)
        s.expect_exit(proc, 15)
        assert our_debris(s.dir) == []


def scenario_a_copy_for_paint_into_a_vanished_folder_starts_nothing():
    with Session("vanished-folder") as s:
        folder = s.dir / "pictures"
        folder.mkdir()
        photo = folder / "chelsea.png"
        shutil.copy(PHOTOS / "chelsea.png", photo)
        proc = start_to_start_screen(s)
        walk_to_export(s, photo)
        shutil.rmtree(folder)
        s.post_click("Child06", *PAINT)
        caption, text = s.msgbox_ok()
        assert caption == "Flimmer"
        assert text.startswith("Flimmer could not save ") and text.endswith(
            r".png: its folder does not exist. Choose another folder.\n\nWindows error 3."), text
        # Nothing was started on the missing copy: no further box, no folder, no new preview.
        rc, _ = s.auto("msgbox", 2000)
        assert rc != 0
        assert not folder.exists()
        assert s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", s.winpath(photo))
        assert s.count("Child06") == 1
        s.post_click("Child06", 980, 5)
        s.expect_exit(proc, 15)


def scenario_a_corrected_name_is_asked_about_before_replacing():
    with Session("replace-question") as s:
        photo = s.dir / "coffee.png"
        shutil.copy(PHOTOS / "coffee.png", photo)
        existing = s.dir / "photo.jpg"
        shutil.copy(PHOTOS / "rocket.jpg", existing)
        before = existing.read_bytes()
        proc = start_to_start_screen(s)
        walk_to_export(s, photo)

        # "photo.jpeg" is saved as "photo.jpg", which exists: asked, and kept on "No".
        assert not save(s, "jpg", s.dir / "photo.jpeg")
        lines = s.auto_ok("msgbox-press", "no")
        assert lines[:2] == ["Confirm Save As", "The picture is saved with the ending of its "
                             "format, as " + s.winpath(existing) + r", and that file already "
                             r"exists.\n\nDo you want to replace it? No keeps the file and saves "
                             "nothing."], lines
        assert existing.read_bytes() == before
        assert not (s.dir / "photo.jpeg").exists()
        assert s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", s.winpath(photo))

        # Asked again, "Yes" replaces it.
        save(s, "jpg", s.dir / "photo.jpeg")
        s.auto_ok("msgbox-press", "yes")
        s.wait_until(lambda: existing.read_bytes() != before, what="photo.jpg replaced")
        assert file_format(existing) == "JPEG 600 400"
        s.wait_until(lambda: s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", s.winpath(existing)),
                     what="DefaultFile naming the replaced file")
        assert our_debris(s.dir) == []
        s.post_click("Child06", 980, 5)
        s.expect_exit(proc, 15)
