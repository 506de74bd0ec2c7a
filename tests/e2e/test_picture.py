"""Opened pictures in the picture window, and the display layouts around it."""

import subprocess
import zlib
import struct

from flimmer import (CONVERT, HOME, PHOTOS, SIXTEEN_BITS, START_OPEN, answer_no_camera,
                     is_loader_error, loader_error, open_picture, start_to_start_screen)
from harness import Session

# Picture area of each layout: (x, y, width, height) and the layout's size.
LAYOUTS = {
    (1024, 600): ((352, 49, 640, 512), (1024, 600)),
    (1024, 768): ((352, 62, 640, 640), (1024, 768)),
    (1366, 768): ((443, 62, 800, 640), (1366, 768)),
    (1280, 800): ((352, 62, 640, 640), (1024, 768)),
}
# A point of the colour screen's background, away from every button.
BACKGROUND = (60, 400)


def centred(area, w, h):
    x, y, aw, ah = area
    return (x + (aw - w) // 2, y + (ah - h) // 2, w, h)


def photo_pixel(path, x, y):
    raw = subprocess.run([CONVERT, str(path), "-crop", f"1x1+{x}+{y}", "-depth", "8",
                          "rgb:-"], capture_output=True, check=True).stdout
    return tuple(raw[:3])


def back_to_start(s, screen="Child02"):
    s.post_click(screen, *HOME)
    answer_no_camera(s)
    s.wait_window("Child00")


def try_open(s, photo):
    """Opens a picture that is expected to fail: (caption, text) of the loader's box."""
    s.post_click("Child00", *START_OPEN)
    s.file_dialog(photo)
    return s.msgbox_ok(60000)


def huge_png(path, width, height):
    """A one-bit grey PNG of width x height: tiny on disk, huge once decoded."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    row = b"\0" * (1 + (width + 7) // 8)
    packer = zlib.compressobj(9)
    data = b"".join(packer.compress(row) for _ in range(height)) + packer.flush()
    header = struct.pack(">IIBBBBB", width, height, 1, 0, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) +
                     chunk(b"IEND", b""))


def scenario_photos_are_fitted_into_the_area_and_shown_exactly():
    with Session("picture-fit") as s:
        proc = start_to_start_screen(s)
        area = LAYOUTS[(1024, 600)][0]
        open_picture(s, PHOTOS / "chelsea.bmp")
        rect = s.rect("ChildImage")
        assert rect == centred(area, 451, 300), rect
        for px, py in [(0, 0), (450, 0), (225, 150), (0, 299), (450, 299), (97, 211)]:
            assert s.pixel(rect[0] + px, rect[1] + py) == photo_pixel(
                PHOTOS / "chelsea.png", px, py), (px, py)
        # A right-button press copies the shown picture to the clipboard on any screen.
        s.auto_ok("rclick", "ChildImage", 10, 10)
        size, colour = s.auto_ok("clipboard-pixel", 97, 211)[:2]
        assert size == "451 300", size
        assert tuple(int(v) for v in colour.split()) == photo_pixel(PHOTOS / "chelsea.png", 97, 211)
        back_to_start(s)

        # 4000 x 3000 fits at 16 %: 640 x 480.
        open_picture(s, PHOTOS / "coffee-4000x3000.jpg")
        assert s.rect("ChildImage") == centred(area, 640, 480)
        back_to_start(s)

        # 3000 x 2 fits at 21 %: 630 wide, and a height of at least one pixel.
        open_picture(s, PHOTOS / "strip-3000x2.png")
        assert s.rect("ChildImage") == centred(area, 630, 1)
        back_to_start(s)
        s.click("Child00", 320, 5)
        s.expect_exit(proc, 15)


def scenario_pictures_that_cannot_be_drawn_leave_the_start_screen():
    with Session("picture-bad") as s:
        proc = start_to_start_screen(s)
        assert try_open(s, PHOTOS / "empty.png") == loader_error(1)
        assert s.count("Child02") == 0
        s.wait_window("Child00")

        big = s.dir / "huge-20000.png"
        huge_png(big, 20000, 20000)
        caption, text = try_open(s, big)
        assert is_loader_error(caption, text), (caption, text)
        assert s.count("Child02") == 0

        # The program goes on and opens the next picture normally.
        open_picture(s, PHOTOS / "chelsea.png")
        assert s.rect("ChildImage") == centred(LAYOUTS[(1024, 600)][0], 451, 300)
        s.click("Child02", 980, 5)
        s.expect_exit(proc, 15)


scenario_pictures_that_cannot_be_drawn_leave_the_start_screen.timeout = 300


def drag_background(s, dx, dy):
    x0, y0 = BACKGROUND
    s.xdotool("mousemove", x0, y0)
    s.xdotool("mousedown", "1")
    for step in range(1, 11):
        s.xdotool("mousemove", x0 + dx * step // 10, y0 + dy * step // 10)
    s.xdotool("mouseup", "1")


def check_layout(display, drags):
    area, (lw, lh) = LAYOUTS[display]
    with Session(f"layout-{display[0]}x{display[1]}", width=display[0], height=display[1]) as s:
        proc = start_to_start_screen(s)
        open_picture(s, PHOTOS / "coffee.png")
        assert s.rect("Flimmer") == (0, 0, lw, lh)
        assert s.rect("Child02") == (0, 0, lw, lh)
        assert s.rect("ChildImage") == centred(area, 600, 400)

        drag_background(s, 40, 30)
        if drags:
            s.wait_until(lambda: s.rect("Flimmer")[:2] == (40, 30), what="the dragged window")
            moved = centred(area, 600, 400)
            assert s.rect("ChildImage") == (moved[0] + 40, moved[1] + 30, 600, 400)
        else:
            assert s.rect("Flimmer") == (0, 0, lw, lh)
            assert s.rect("ChildImage") == centred(area, 600, 400)
        left, top = s.rect("Flimmer")[:2]

        # A bottom-row button (OK) and a title-bar button (Close) where the layout puts them.
        s.click("Child02", 260, lh - 58 + 10)
        s.wait_window("Child03")
        assert s.count("Child02") == 0
        s.click("Child03", lw - 49 + 5, 5)
        s.expect_exit(proc, 15)
        assert (left, top) == ((40, 30) if drags else (0, 0))


def scenario_layout_1024x768():
    check_layout((1024, 768), drags=False)


def scenario_layout_1366x768():
    check_layout((1366, 768), drags=False)


def scenario_layout_1280x800_lets_the_window_be_dragged():
    check_layout((1280, 800), drags=True)


def scenario_display_change_returns_to_the_camera_and_lays_out_anew():
    # From the wide native layout to a display that is not native and not as high: the
    # 1024 x 600 layout, and a window that can now be dragged.
    with Session("display-change-small", width=1366, height=768) as s:
        proc = start_to_start_screen(s)
        open_picture(s, PHOTOS / "chelsea.png")
        assert s.rect("ChildImage") == centred(LAYOUTS[(1366, 768)][0], 451, 300)
        drag_background(s, 40, 30)
        assert s.rect("Flimmer") == (0, 0, 1366, 768)
        s.change_display(1280, 720)
        answer_no_camera(s)
        s.wait_window("Child00")
        assert s.count("Child02") == 0
        open_picture(s, PHOTOS / "chelsea.png")
        assert s.rect("Flimmer") == (0, 0, 1024, 600)
        assert s.rect("ChildImage") == centred(LAYOUTS[(1024, 600)][0], 451, 300)
        drag_background(s, 40, 30)
        s.wait_until(lambda: s.rect("Flimmer")[:2] == (40, 30), what="the dragged window")
        x, y = centred(LAYOUTS[(1024, 600)][0], 451, 300)[:2]
        assert s.rect("ChildImage") == (x + 40, y + 30, 451, 300)
        # The buttons sit where the small layout puts them: OK on its bottom row, Close.
        s.click("Child02", 260, 552)
        s.wait_window("Child03")
        s.click("Child03", 1024 - 49 + 5, 5)
        s.expect_exit(proc, 15)


def scenario_sixteen_bit_display_shows_the_photo_in_five_six_five():
    with Session("picture-16", depth=16) as s:
        proc = s.start()
        answer_no_camera(s)
        assert s.msgbox_ok(15000) == SIXTEEN_BITS
        s.wait_window("Child00")
        open_picture(s, PHOTOS / "chelsea.png")
        rect = s.rect("ChildImage")
        assert rect == centred(LAYOUTS[(1024, 600)][0], 451, 300)
        for px, py in [(0, 0), (225, 150), (450, 299), (97, 211)]:
            want = photo_pixel(PHOTOS / "chelsea.png", px, py)
            got = s.pixel(rect[0] + px, rect[1] + py)
            # Five bits of red and blue, six of green; GDI+ may dither by one step when it
            # draws the photo into the 16-bit bitmap, and the screen read widens the bits again.
            assert all(abs(g - w) <= limit for g, w, limit in zip(got, want, (10, 6, 10))), \
                (px, py, want, got)
        s.click("Child02", 980, 5)
        s.expect_exit(proc, 15)
