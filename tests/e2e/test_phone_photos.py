"""Phone photos arrive upright, whatever way up the camera stored them, and the long names of
JPEG and TIFF files are pictures too."""

import shutil
import struct
import subprocess

from flimmer import (CLOSE, CONVERT, HOME, OK, PHOTOS, SELECTOR, answer_no_camera, file_rgb,
                     open_picture, picture_pixels, start_to_start_screen)
from harness import FLIMMER_EXE, Session

# The upright picture: 6 x 4 flat blocks, no two of one colour, so that a wrong turn or a missing
# mirror puts another colour at some block's centre. Block centres never share a JPEG cell with
# a block edge, so compression leaves them alone.
BLOCK, COLUMNS, ROWS = 40, 6, 4
W, H = BLOCK * COLUMNS, BLOCK * ROWS
COLOURS = [(r, g, b) for r in (0, 128, 255) for g in (0, 128, 255) for b in (0, 128, 255)][1:25]
# How each orientation stores the upright picture: the inverse of the turn that shows it.
STORED = {1: [], 2: ["-flop"], 3: ["-rotate", "180"], 4: ["-flip"], 5: ["-transpose"],
          6: ["-rotate", "-90"], 7: ["-transverse"], 8: ["-rotate", "90"]}
AREA = (352, 49, 640, 512)
# The start screen's preview box (300 x 240 at (32, 49)) holds the picture centred.
PREVIEW = (32 + (300 - W) // 2, 49 + (240 - H) // 2)


def wrong_blocks(rgb, width=W, height=H, tolerance=24):
    """The blocks whose centre is not their colour in a picture of the upright's layout."""
    if len(rgb) != 3 * width * height:
        return ["size"]
    wrong = []
    for k, colour in enumerate(COLOURS):
        x = ((k % COLUMNS) * BLOCK + BLOCK // 2) * width // W
        y = ((k // COLUMNS) * BLOCK + BLOCK // 2) * height // H
        i = 3 * (y * width + x)
        if max(abs(a - b) for a, b in zip(rgb[i:i + 3], colour)) > tolerance:
            wrong.append(k)
    return wrong


def with_orientation(jpeg, orientation):
    """The JPEG with an EXIF block right after its start, big-endian as many phones write it:
    one directory holding the orientation."""
    tiff = (b"MM" + struct.pack(">HIH", 42, 8, 1) +
            struct.pack(">HHIHH", 0x0112, 3, 1, orientation, 0) + struct.pack(">I", 0))
    body = b"Exif\0\0" + tiff
    assert jpeg[:2] == b"\xff\xd8"
    return jpeg[:2] + b"\xff\xe1" + struct.pack(">H", 2 + len(body)) + body + jpeg[2:]


def phone_photos(folder):
    """The upright PNG, a JPEG stored in each of the eight orientations, and a TIFF scan stored
    turned (its orientation is read by the imaging library itself, the JPEGs' by the program)."""
    upright = folder / "upright.png"
    rgb = b"".join(bytes(COLOURS[(y // BLOCK) * COLUMNS + x // BLOCK])
                   for y in range(H) for x in range(W))
    subprocess.run([CONVERT, "-size", f"{W}x{H}", "-depth", "8", "rgb:-", str(upright)],
                   input=rgb, check=True)
    photos = []
    for orientation, turn in STORED.items():
        jpeg = subprocess.run([CONVERT, str(upright), *turn, "-quality", "92", "jpg:-"],
                              capture_output=True, check=True).stdout
        photos.append(folder / f"phone-{orientation}.jpg")
        photos[-1].write_bytes(with_orientation(jpeg, orientation))
    scan = folder / "scan-6.tiff"
    subprocess.run([CONVERT, str(upright), *STORED[6], "-orient", "RightTop", str(scan)],
                   check=True)
    photos.append(scan)
    # ImageMagick, reading each orientation on its own, shows every file as the upright picture.
    for photo in photos:
        shown = subprocess.run([CONVERT, str(photo), "-auto-orient", "-depth", "8", "rgb:-"],
                               capture_output=True, check=True).stdout
        assert not wrong_blocks(shown), photo.name
    return upright, photos


def back_to_start(s):
    s.post_click("Child02", *HOME)
    answer_no_camera(s)
    return s.wait_window("Child00")


def scenario_phone_photos_arrive_upright_everywhere():
    with Session("phone-photos") as s:
        folder = s.dir / "photos"
        folder.mkdir()
        upright, photos = phone_photos(folder)
        # A program folder whose stickers are the upright picture and a phone photo stored turned.
        program = s.dir / "Flimmer"
        shutil.copytree(FLIMMER_EXE.parent, program)
        shutil.rmtree(program / "Ornament")
        (program / "Ornament").mkdir()
        shutil.copy(upright, program / "Ornament" / "a-upright.png")
        shutil.copy(folder / "phone-6.jpg", program / "Ornament" / "b-phone.JPEG")
        proc = s.start(program / "flimmer.exe")
        answer_no_camera(s)
        s.wait_window("Child00")

        for photo in photos:
            open_picture(s, photo)
            x, y, w, h = s.rect("ChildImage")
            assert (x, y, w, h) == (AREA[0] + (AREA[2] - W) // 2, AREA[1] + (AREA[3] - H) // 2,
                                    W, H), (photo.name, w, h)
            s.wait_until(lambda: not wrong_blocks(picture_pixels(s, x, y, W, H)),
                         what=f"{photo.name} upright in the picture window")
            # Back on the start screen the preview shows the same picture upright.
            sx, sy = back_to_start(s)[:2]
            s.wait_until(lambda: not wrong_blocks(
                picture_pixels(s, sx + PREVIEW[0], sy + PREVIEW[1], W, H)),
                what=f"{photo.name} upright in the start screen's preview")

        # The sticker screen lists the ".JPEG" file and draws its thumbnail upright, squeezed
        # into 64 x 64 like the upright picture beside it.
        open_picture(s, photos[0])
        for here, there in [("Child02", "Child03"), ("Child03", "Child40")]:
            s.click(here, *OK)
            s.wait_window(there)
        s.click("Child40", *SELECTOR[2])
        left, top = s.wait_window("Child42")[:2]
        for slot in (0, 1):
            s.wait_until(lambda: not wrong_blocks(
                picture_pixels(s, left + 36 + 70 * slot, top + 194, 64, 64), 64, 64, 40),
                what=f"thumbnail {slot} upright")
        s.click("Child42", *CLOSE)
        s.expect_exit(proc, 15)


scenario_phone_photos_arrive_upright_everywhere.timeout = 600


def settled_picture(s):
    """The picture window's pixels once two reads in a row agree."""
    x, y, w, h = s.rect("ChildImage")
    last = picture_pixels(s, x, y, w, h)
    while True:
        now = picture_pixels(s, x, y, w, h)
        if now == last:
            return (w, h), now
        last = now


def scenario_long_jpeg_and_tiff_names_open():
    with Session("four-letter-names") as s:
        copies = {"rocket.jpeg": "rocket.jpg", "ROCKET.JFIF": "rocket.jpg",
                  "coffee.Tiff": "coffee.tif"}
        for name, original in copies.items():
            shutil.copy(PHOTOS / original, s.dir / name)
        proc = start_to_start_screen(s)
        open_picture(s, PHOTOS / "rocket.jpg")
        rocket = settled_picture(s)
        assert rocket[0] == (640, 427), rocket[0]
        back_to_start(s)
        for name in copies:
            open_picture(s, s.dir / name)
            expected = rocket if name.lower().startswith("rocket") else (
                (600, 400), file_rgb(PHOTOS / "coffee.png"))
            s.wait_until(lambda: settled_picture(s) == expected, what=f"{name} in the window")
            back_to_start(s)
        s.post_click("Child00", 320, 5)
        s.expect_exit(proc, 15)
