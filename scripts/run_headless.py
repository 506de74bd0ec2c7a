#!/usr/bin/env python3
"""Shows what Flimmer is for without a display: walks one road through the real program in a
virtual X server and a private Wine prefix with our test camera registered in it (the live
camera, a snapshot, a colour press, a sticker, an effect, a PNG saved through the Save
dialog), then writes a contact sheet of the screens it passed and prints both paths."""

import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))

from flimmer import (CLOSE, COLOUR_PRESS, CONVERT, OK, SAVE_BUTTONS, SELECTOR,  # noqa: E402
                     effect_button, picture_pixels)
import harness  # noqa: E402
from harness import Session  # noqa: E402
from test_camera import (AREA_600, CAMERA_OK, expect_running_preview,  # noqa: E402
                         start_with_camera, wait_for_frames)
from test_decorations import Road, thumbnail  # noqa: E402

SHEET_NAME = "flimmer-run.png"
SAVED_NAME = "flimmer-run-picture.png"
CAMERA_SIZE = (640, 480)

STICKER = 1                 # the crown
STICKER_DROP = (420, 150)   # where its middle lands, in picture coordinates
EFFECT, EFFECT_NAME = 11, "Glow edges"

# The sheet: a title band over a grid of cells, each a screen fitted into PICTURE_BOX with
# its label below.
COLUMNS = 3
CELL = (480, 318)
PICTURE_BOX = (448, 263)
PICTURE_TOP = 14
TITLE_HEIGHT = 64
MARGIN = 12
BACKGROUND, PANEL, INK, DIM = "#26262e", "#34343e", "#f4f1ea", "#b9b4c6"
TITLE = "Flimmer under Wine: one road through the program"
SUBTITLE = "driven by the end-to-end automation, with a test camera as the webcam"


class _Hands(Road):
    """The decoration screens' mouse work on the picture already in the program."""

    def __init__(self, s, screen):
        self.s, self.screen = s, screen
        self.x, self.y = s.rect("ChildImage")[:2]


def _font():
    """A font ImageMagick can name here, or None for its own default."""
    listing = subprocess.run([CONVERT, "-list", "font"], capture_output=True, text=True).stdout
    for name in ("DejaVu-Sans", "Liberation-Sans", "FreeSans"):
        if f"Font: {name}\n" in listing:
            return name
    return None


def _settled_screenshot(s, path):
    """A screenshot once two in a row agree: painting lags a click."""
    last = None
    for _ in range(40):
        now = s.screenshot(path).read_bytes()
        if now == last:
            return path
        last = now
        time.sleep(0.15)
    return path


def _settled_picture(s):
    """The picture window's pixels once two reads in a row agree."""
    x, y, w, h = s.rect("ChildImage")

    def read():
        first = picture_pixels(s, x, y, w, h)
        return first if picture_pixels(s, x, y, w, h) == first else None
    return s.wait_until(read, what="a settled picture")


def _wait_picture_change(s, before, what):
    x, y, w, h = s.rect("ChildImage")
    s.wait_until(lambda: picture_pixels(s, x, y, w, h) != before, what=what)


def _next(s, here, there):
    s.click(here, *OK)
    s.wait_window(there)


def walk(s, saved):
    """Walks the road from the camera screen of a program started with the camera and saves
    the picture as `saved`; returns the tiles as (label, picture file) and the snapshot's
    pixels as the colour screen first showed them."""
    tiles = []

    def shot(label):
        tiles.append((label, _settled_screenshot(s, s.dir / f"tile{len(tiles) + 1}.png")))

    # The first DirectShow start in a new prefix builds the media caches: it takes a while.
    s.wait_window("Child01", 120000)
    wait_for_frames(s, 5)
    expect_running_preview(s, AREA_600)
    # The live preview never settles: one screenshot is the tile.
    tiles.append(("1  Camera: the live picture; OK takes the photo",
                  s.screenshot(s.dir / "tile1.png")))

    s.post_click("Child01", *CAMERA_OK)
    s.wait_window("Child02")
    snapshot = _settled_picture(s)
    s.click("Child02", *COLOUR_PRESS["hue+"])
    _wait_picture_change(s, snapshot, "the hue turned")
    shot("2  Colours: the snapshot, hue + pressed once")

    _next(s, "Child02", "Child03")
    shot("3  Perspective: passed with OK, the card kept flat")
    _next(s, "Child03", "Child40")
    shot("4  Decorate: Background, then Stickers")

    s.click("Child40", *SELECTOR[2])
    s.wait_window("Child42")
    hands = _Hands(s, "Child42")
    before = _settled_picture(s)
    hands.press(thumbnail(STICKER))
    _wait_picture_change(s, before, "the sticker")
    # It arrives in the top left corner: grab it there, drop it, and a click beside it
    # stamps it where it lies.
    (gx, gy), (dx, dy) = (40, 30), STICKER_DROP
    hands.drag(1, [(gx + (dx - gx) * k // 12, gy + (dy - gy) * k // 12) for k in range(13)])
    hands.release(1)
    hands.click_picture(CAMERA_SIZE[0] - 3, CAMERA_SIZE[1] - 3)
    shot("5  Stickers: the crown dragged and stamped")

    _next(s, "Child42", "Child05")
    before = _settled_picture(s)
    s.click("Child05", *effect_button(EFFECT))
    _wait_picture_change(s, before, f"the {EFFECT_NAME} effect")
    shot(f"6  Effects: {EFFECT_NAME} in one press")

    _next(s, "Child05", "Child06")
    shot("7  Save: PNG pressed")
    saved.unlink(missing_ok=True)  # no overwrite question
    s.post_click("Child06", *SAVE_BUTTONS["png"])
    s.wait_window("#32770", 15000)
    s.xdotool("type", "--delay", "20", saved.name)
    shot(f"8  The Save dialog: {saved.name}")
    s.file_dialog(saved)
    s.wait_until(lambda: saved.exists() and saved.stat().st_size > 0, what=f"{saved.name} written")
    s.wait_window("Child06")
    tiles.append((f"9  The saved picture ({saved.name})", saved))
    return tiles, snapshot


def contact_sheet(tiles, path):
    """Writes the labelled grid of tiles."""
    font = _font()
    font_args = ["-font", font] if font else []
    cell_w, cell_h = CELL
    box_w, box_h = PICTURE_BOX
    cmd = [CONVERT, *font_args]
    rows = -(-len(tiles) // COLUMNS)
    width, height = COLUMNS * cell_w + 2 * MARGIN, TITLE_HEIGHT + rows * cell_h + MARGIN
    cmd += ["-size", f"{width}x{height}", f"xc:{BACKGROUND}",
            "-fill", INK, "-pointsize", "24", "-gravity", "northwest",
            "-annotate", f"+{MARGIN + 16}+12", TITLE,
            "-fill", DIM, "-pointsize", "15", "-annotate", f"+{MARGIN + 16}+42", SUBTITLE]
    for k, (label, picture) in enumerate(tiles):
        cx = MARGIN + (k % COLUMNS) * cell_w
        cy = TITLE_HEIGHT + (k // COLUMNS) * cell_h
        cmd += ["(", "-size", f"{cell_w - 8}x{cell_h - 8}", f"xc:{PANEL}",
                "(", str(picture), "-resize", f"{box_w}x{box_h}", ")",
                "-gravity", "north", "-geometry", f"+0+{PICTURE_TOP - 4}", "-composite",
                "-fill", INK, "-pointsize", "15", "-gravity", "south", "-annotate", "+0+11", label,
                ")", "-gravity", "northwest", "-geometry", f"+{cx + 4}+{cy + 4}", "-composite"]
    cmd += ["-depth", "8", str(path)]
    subprocess.run(cmd, check=True)
    return path


def cell_picture(k):
    """The sheet rectangle (x, y, w, h) that holds tile k's fitted picture box."""
    cell_w, cell_h = CELL
    return (MARGIN + (k % COLUMNS) * cell_w + (cell_w - PICTURE_BOX[0]) // 2,
            TITLE_HEIGHT + (k // COLUMNS) * cell_h + PICTURE_TOP, *PICTURE_BOX)


def demo(out):
    """Walks the road with the program under test and writes the saved picture and the contact
    sheet into out; returns (saved picture, sheet, number of tiles, snapshot pixels)."""
    out = Path(out).resolve()
    out.mkdir(parents=True, exist_ok=True)
    saved, sheet = out / SAVED_NAME, out / SHEET_NAME
    with Session("run", width=1024, height=600) as s:
        proc = start_with_camera(s, Sizes="%dx%d" % CAMERA_SIZE)
        tiles, snapshot = walk(s, saved)
        contact_sheet(tiles, sheet)
        s.click("Child06", *CLOSE)
        s.wait_exit(proc, 15)
    return saved, sheet, len(tiles), snapshot


def main():
    stopped_at = harness.OUT_DIR / "run-fail.png"
    stopped_at.unlink(missing_ok=True)
    try:
        saved, sheet, _, _ = demo(REPO / "out")
    except Exception as e:
        where = f" (the screen then: {stopped_at})" if stopped_at.exists() else ""
        print(f"The demo road stopped: {e}{where}", file=sys.stderr)
        return 1
    print(f"Saved picture: {saved}")
    print(f"Contact sheet: {sheet}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
