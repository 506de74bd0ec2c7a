"""From an opened file to a saved result: opening, recolouring, exporting."""

import re
import shutil
import subprocess

from flimmer import (CLEARS, CONFIG_KEY, COLOUR_PRESS, CONVERT, OK, PAINT, PHOTOS, REDO,
                     SAVE_BUTTONS, START_OPEN, UNDO, VIEWER, answer_no_camera, file_format,
                     file_rgb, loader_error, open_picture, picture_pixels, save_screen,
                     start_to_start_screen)
from harness import Session

LAYOUT_AREAS = {(1024, 600): (352, 49, 640, 512), (1024, 768): (352, 62, 640, 640),
                (1366, 768): (443, 62, 800, 640)}


def fitted(w, h, aw, ah):
    """The size a picture arrives at: reduced to fit the area, never enlarged."""
    px, py = aw * 100 // w, ah * 100 // h
    p = min(px, py) if px < 100 or py < 100 else 100
    return max(1, w * p // 100), max(1, h * p // 100)


def library_fitted(s, photo, layout):
    """The photo as the imaging library decodes it, fitted by the program's resampler, raw RGB."""
    _, _, aw, ah = LAYOUT_AREAS[layout]
    out = s.dir / "fitted.rgb"
    s.auto_ok("fitted-pixels", s.winpath(photo), str(aw), str(ah), s.winpath(out))
    return out.read_bytes()


def expect_centred(s, size, layout):
    ax, ay, aw, ah = LAYOUT_AREAS[layout]
    w, h = fitted(*size, aw, ah)
    assert s.rect("ChildImage") == (ax + (aw - w) // 2, ay + (ah - h) // 2, w, h)


def back_to_start(s):
    s.post_click("Child02", 885 if s.width == 1024 else 1227, 5)  # Pre: to the camera screen
    answer_no_camera(s)
    s.wait_window("Child00")


def scenario_pictures_of_every_kind_open_centred_on_each_layout():
    kinds = {"chelsea.png": (451, 300), "chelsea.bmp": (451, 300), "rocket.jpg": (640, 427),
             "coffee.tif": (600, 400), "no_time_for_that_tiny.gif": (14, 25),
             "retina.jpg": (1411, 1411), "camera.png": (512, 512), "one-pixel.png": (1, 1),
             "chelsea.jpeg": (451, 300), "coffee-4000x3000.jpg": (4000, 3000)}
    for layout in LAYOUT_AREAS:
        with Session(f"open-{layout[0]}x{layout[1]}", *layout) as s:
            photos = {name: (PHOTOS / name, size) for name, size in kinds.items()}
            # A grey JPEG, which the codec does not hand out as colour: the library reads it.
            grey = s.dir / "rocket-grey.jpg"
            subprocess.run([CONVERT, str(PHOTOS / "rocket.jpg"), "-type", "Grayscale", str(grey)],
                           check=True)
            photos[grey.name] = (grey, (640, 427))
            proc = start_to_start_screen(s)
            names = photos if layout == (1024, 600) else ["chelsea.png", "retina.jpg"]
            for name in names:
                path, size = photos[name]
                open_picture(s, path)
                expect_centred(s, size, layout)
                x, y, w, h = s.rect("ChildImage")
                if name in ("chelsea.png", "chelsea.bmp"):
                    # The picture window shows exactly the file's pixels.
                    s.wait_until(lambda: picture_pixels(s, x, y, w, h) == file_rgb(path),
                                 what="the picture's own pixels in the picture window")
                elif name.endswith((".jpg", ".jpeg")):
                    # Photos read straight from the codec look exactly as the library decodes them.
                    expected = library_fitted(s, path, layout)
                    s.wait_until(lambda: picture_pixels(s, x, y, w, h) == expected,
                                 what="the library's decode of the photo in the picture window")
                back_to_start(s)
            s.post_click("Child00", 320, 5)
            s.expect_exit(proc, 15)


def scenario_bad_picture_files_change_nothing():
    with Session("bad-files") as s:
        proc = start_to_start_screen(s)
        # A name that is not a picture's: nothing at all happens.
        s.post_click("Child00", *START_OPEN)
        s.file_dialog(PHOTOS / "README.md")
        rc, _ = s.auto("msgbox", 1500)
        assert rc != 0
        assert s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", "")
        for name in ("not-a-picture.jpg", "empty.png", "truncated.jpg"):
            s.post_click("Child00", *START_OPEN)
            s.file_dialog(PHOTOS / name)
            assert s.msgbox_ok() == loader_error(1)
            s.wait_window("Child00")
            assert s.count("Child02") == 0
            assert s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", s.winpath(PHOTOS / name))
        # Fitted, however extreme.
        open_picture(s, PHOTOS / "strip-3000x2.png")
        expect_centred(s, (3000, 2), (1024, 600))
        back_to_start(s)
        open_picture(s, PHOTOS / "coffee-4000x3000.jpg")
        expect_centred(s, (4000, 3000), (1024, 600))
        s.click("Child02", 980, 5)
        s.expect_exit(proc, 15)


def scenario_recolour_then_save_in_four_formats():
    with Session("export") as s:
        photo = s.dir / "coffee.png"
        shutil.copy(PHOTOS / "coffee.png", photo)
        proc = start_to_start_screen(s)
        default_preview = s.pixel(180 + 182, 80 + 169)
        open_picture(s, photo)
        x, y, w, h = s.rect("ChildImage")
        shown = lambda: picture_pixels(s, x, y, w, h)  # noqa: E731
        original = file_rgb(photo)
        s.wait_until(lambda: shown() == original, what="the opened picture")

        s.click("Child02", *COLOUR_PRESS["brightness+"])
        brighter = shown()
        assert brighter != original
        s.click("Child02", *UNDO)
        # Undo recomputes the chain at the start settings, which need not be the identity.
        s.wait_until(lambda: shown() != brighter, what="undo")
        neutral = shown()
        s.click("Child02", *REDO)
        s.wait_until(lambda: shown() == brighter, what="redo")
        s.click("Child02", *CLEARS)
        s.wait_until(lambda: shown() == original, what="Clears")
        s.click("Child02", *REDO)
        s.wait_until(lambda: shown() == brighter, what="redo after Clears")
        s.click("Child02", *COLOUR_PRESS["hue+"])
        result = shown()
        assert result not in (original, brighter, neutral)
        save_screen(s, "colour")

        for here, there in [("Child02", "Child03"), ("Child03", "Child40"),
                            ("Child40", "Child05"), ("Child05", "Child06")]:
            s.click(here, *OK)
            s.wait_window(there)
        save_screen(s, "export")

        saved = {}
        for ext, typed in [("bmp", "a.bmp"), ("jpg", "b.jpeg"), ("png", "c.png"), ("tif", "d.tif")]:
            s.post_click("Child06", *SAVE_BUTTONS[ext])
            s.file_dialog(s.dir / typed)
            target = s.dir / (typed.split(".")[0] + "." + ext)  # b.jpeg is saved as b.jpg
            s.wait_until(lambda: target.exists() and target.stat().st_size > 0,
                         what=f"{target.name} written")
            saved[ext] = target
        assert not (s.dir / "b.jjpg").exists() and not (s.dir / "b.jpeg").exists()
        assert file_format(saved["bmp"]) in ("BMP 600 400", "BMP3 600 400")
        assert file_format(saved["jpg"]) == "JPEG 600 400", file_format(saved["jpg"])
        assert file_format(saved["png"]) == "PNG 600 400", file_format(saved["png"])
        assert file_format(saved["tif"]) == "TIFF 600 400", file_format(saved["tif"])
        # The lossless files hold exactly the recoloured picture that was shown.
        for ext in ("bmp", "png", "tif"):
            assert file_rgb(saved[ext]) == result, ext
        assert s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", s.winpath(saved["tif"]))

        s.click("Child06", 980, 5)
        s.expect_exit(proc, 15)
        # The next start previews the last saved picture.
        proc = start_to_start_screen(s)
        s.wait_until(lambda: s.pixel(180 + 182, 80 + 169) != default_preview,
                     what="the saved picture as the preview")
        s.click("Child00", 320, 5)
        s.expect_exit(proc, 15)


def answer_any_box(s):
    """Paint and the viewer may be missing on this system: whatever it says, answer it."""
    rc, _ = s.auto("msgbox-ok", 3000)
    return rc == 0


def scenario_paint_and_viewer_copies_land_beside_the_picture():
    with Session("copies") as s:
        folder = s.dir / "pictures"
        folder.mkdir()
        photo = folder / "chelsea.png"
        shutil.copy(PHOTOS / "chelsea.png", photo)
        proc = start_to_start_screen(s)
        open_picture(s, photo)
        for here, there in [("Child02", "Child03"), ("Child03", "Child40"),
                            ("Child40", "Child05"), ("Child05", "Child06")]:
            s.click(here, *OK)
            s.wait_window(there)
        stamp = re.compile(r"^\d{4}-\d\d-\d\d_\d\dH\d\dM\d\dS\.(png|jpg)$")

        s.post_click("Child06", *PAINT)
        s.wait_until(lambda: [p for p in folder.glob("*.png") if stamp.match(p.name)],
                     what="the copy for Paint")
        answer_any_box(s)
        copy = [p for p in folder.glob("*.png") if stamp.match(p.name)][0]
        assert file_format(copy) == "PNG 451 300"
        assert file_rgb(copy) == file_rgb(photo)
        s.wait_until(lambda: s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", s.winpath(copy)),
                     what="DefaultFile naming the copy")

        s.post_click("Child06", *VIEWER)
        s.wait_until(lambda: [p for p in folder.glob("*.jpg") if stamp.match(p.name)],
                     what="the copy for the viewer")
        answer_any_box(s)
        jpg = [p for p in folder.glob("*.jpg") if stamp.match(p.name)][0]
        assert file_format(jpg) == "JPEG 451 300"
        s.wait_until(lambda: s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", ""),
                     what="an empty DefaultFile after the viewer")
        s.post_click("Child06", 980, 5)
        s.expect_exit(proc, 15)
