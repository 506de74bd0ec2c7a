"""What the scenarios share about the program: its texts, its buttons and its start."""

import os
import re

from harness import REPO

# ImageMagick itself: a machine may put a stand-in of its own earlier on PATH.
CONVERT = "/usr/bin/convert"
IDENTIFY = "/usr/bin/identify"

CONFIG_KEY = r"HKCU\Software\Korvane\Flimmer\Config"
PRODUCT_KEY = r"HKCU\Software\Korvane\Flimmer"

# A message box's text as flimauto reads it: a line break comes as the two characters "\n".
NO_CAMERA_CAPTION = "No Video Capture Hardware"
NO_CAMERA_TEXT = (r"Flimmer found no camera. Connect one and press the camera button to try "
                  r"again, or press OK on the start screen to open a picture from a file.\n\n"
                  r"No video capture device was detected.")
NOT_A_PICTURE = ("This file could not be opened as a picture. It may be damaged, too large, or in "
                 "a format Flimmer does not read.")
SIXTEEN_BITS = ("Warning!", r"Your display shows 16-bit colour, so pictures may look less smooth. "
                r"For the best colours, set the display to 32-bit colour.\n\n"
                r"The color depth is equal to 16 bits.")


def loader_error(status):
    """The box of a picture file the imaging library failed on with this status."""
    return ("Error", rf"{NOT_A_PICTURE}\n\nError code = {status:x}.")


def is_loader_error(caption, text):
    """The loader's box, whatever its status."""
    return caption == "Error" and re.fullmatch(re.escape(NOT_A_PICTURE) + r"\\n\\n"
                                               r"Error code = [0-9a-f]+\.", text) is not None


def too_large(width, height):
    return ("Error", r"This picture is too large to use here. Make it smaller in a picture "
                     r"editor, then choose it again.\n\n"
                     f"The picture is too large ({width} x {height}).")


START_POSITION = (180, 80)
START_SIZE = 365

# Start screen buttons (client coordinates of "Child00"): a point inside each.
START_CLOSE = (320, 5)
START_SPEAKER = (225, 322)
START_CAMERA = (186, 322)
# A point of the start screen's background, away from every button.
START_BACKGROUND = (180, 20)

# Screenshots for the README and docs/screens, written when FLIMMER_UPDATE_SCREENS is set
# (make screens), else into out/screens so that a test run leaves the tree alone.
SCREENSHOTS = REPO / ("docs" if os.environ.get("FLIMMER_UPDATE_SCREENS") else "out") / "screens"


def save_screen(s, name, crop=None):
    """A screenshot of what the program shows, optionally cropped to (x, y, w, h)."""
    import subprocess
    SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    path = s.screenshot(SCREENSHOTS / f"{name}.png")
    if crop:
        x, y, w, h = crop
        subprocess.run([CONVERT, str(path), "-crop", f"{w}x{h}+{x}+{y}", "+repage", str(path)],
                       check=True)
    return path


def answer_no_camera(s):
    """The camera screen finds no camera: its box, answered."""
    caption, text = s.msgbox_ok(15000)
    assert caption == NO_CAMERA_CAPTION, caption
    assert text == NO_CAMERA_TEXT, text


def start_to_start_screen(s, ms=10000):
    """Starts Flimmer and waits for the start screen that replaces the camera screen."""
    proc = s.start()
    answer_no_camera(s)
    s.wait_window("Child00", ms)
    return proc


def screen_windows(s):
    return s.count("Child0") + s.count("Child4")

PHOTOS = REPO.parent / "shared" / "photos"

START_OPEN = (270, 320)

# Buttons of the full-size screens on the 1024 x 600 layout (client coordinates).
CLOSE = (980, 5)
HOME = (950, 5)
PRE = (885, 5)
OK = (260, 552)
OK_768 = (260, 720)  # on the 768-pixel-high layouts
SELECTOR = [(35, 45), (35, 96), (107, 45), (107, 96), (179, 45), (179, 96)]
EXPORT_EXIT = (185, 560)


def open_picture(s, photo, screen="Child00", button=START_OPEN):
    """Opens a picture through the real Open dialog and waits for the colour screen."""
    s.post_click(screen, *button)
    s.file_dialog(photo)
    s.wait_window("Child02")


ROAD = ["Child02", "Child03", "Child40", "Child05", "Child06"]


def walk_to(s, photo, screen):
    """Opens the photo and presses OK from screen to screen until the given one."""
    open_picture(s, photo)
    for here, there in zip(ROAD, ROAD[1:ROAD.index(screen) + 1]):
        s.click(here, *OK)
        s.wait_window(there)

# Export screen buttons.
SAVE_BUTTONS = {"bmp": (60, 90), "jpg": (160, 90), "png": (60, 190), "tif": (160, 190)}
PAINT = (60, 290)
VIEWER = (10, 10)

# Colour screen: plus and minus of brightness, colourfulness and hue; the bottom row.
COLOUR_PRESS = {"brightness+": (135, 100), "brightness-": (182, 100),
                "saturation+": (135, 176), "saturation-": (182, 176),
                "hue+": (135, 257), "hue-": (182, 257)}
CLEARS, UNDO, REDO = (210, 560), (163, 560), (116, 560)


def temp_folder(s):
    """The temporary folder of the session's Windows user."""
    found = [p for p in (s.prefix / "drive_c" / "users").glob("*/Temp") if p.is_dir()]
    assert len(found) == 1, found
    return found[0]


def is_ours(name):
    """A name the program gives its temporary files: flimmer-<process>-<counter>.tmp."""
    import re
    return re.fullmatch(r"flimmer-\d+-\d+\.tmp", name, re.IGNORECASE) is not None


def history_files(s):
    """The program's temporary files in the temporary folder (its history files)."""
    return sorted(p for p in temp_folder(s).iterdir() if is_ours(p.name))


def effect_button(k):
    """A point inside the gallery's effect button k (0..14); the same on every layout."""
    return 21 + 100 * (k % 3) + 48, 38 + 100 * (k // 3) + 48


def picture_pixels(s, x, y, w, h):
    """The picture window's pixels as (r, g, b) rows, read from a screenshot."""
    import subprocess
    shot = s.screenshot(s.dir / "picture.png")
    raw = subprocess.run([CONVERT, str(shot), "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                          "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return raw


def file_rgb(path):
    """A picture file's pixels as raw 8-bit RGB (ImageMagick decodes them)."""
    import subprocess
    return subprocess.run([CONVERT, str(path), "-depth", "8", "rgb:-"], capture_output=True,
                          check=True).stdout


def file_format(path):
    import subprocess
    return subprocess.run([IDENTIFY, "-format", "%m %w %h", str(path)], capture_output=True,
                          text=True, check=True).stdout.strip()
