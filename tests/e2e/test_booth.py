"""The camera screen's photo booth: the 3-2-1 countdown over the preview, the flash, the photo
strip, Esc and everything else that stops a countdown, and a camera that sends nothing.

The digits are told apart by the program's own digit pictures: where a picture's numeral is
solid, the screen must show its colour. Screens are read straight from the session's X server
through Xlib, which is quick enough to catch a flash of a quarter of a second.
"""

import ctypes
import re
import subprocess
import time

from flimmer import CLOSE, CONFIG_KEY, HOME, SCREENSHOTS, picture_pixels
from harness import FLIMMER_EXE, Session
from test_soak import gdi_objects
from test_camera import (AREA_600, CAMERA_FILES, CAMERA_OK, CAPTURE_CAPTION, camera_state, counter_level,
                         close_camera_screen, configure_camera, expect_running_preview, fitted, seen, snapshot_files,
                         sounds, start_with_camera, wait_for_frames, wait_for_held_frame)

CAMERA_COUNTDOWN = (86, 565)
CAMERA_STRIP = (39, 565)
NO_PICTURE = ("There is no picture from the camera yet, so no photo was taken. Wait until the "
              "camera's picture shows, then try again.")
CORAL = (226, 92, 72)
PAPER = (255, 251, 245)
AREA_768 = (352, 62, 640, 640)


class Shot:
    """The whole screen: raw RGB rows of width x height (a display change changes both)."""

    def __init__(self, ppm):
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        assert header, ppm[:20]
        self.width, self.height = int(header.group(1)), int(header.group(2))
        self.raw = ppm[header.end():header.end() + 3 * self.width * self.height]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.raw[i:i + 3])


def grab(s):
    """The whole screen, read straight from the session's X server."""
    if not hasattr(s, "live_screen"):
        s.live_screen = LiveScreen(s)
    return s.live_screen.shot()


class LiveScreen:
    """Pixels read straight from the X server, a few milliseconds each: quick enough to act
    within a flash of a quarter of a second."""

    def __init__(self, s):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.c_void_p
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XGetPixel.restype = ctypes.c_ulong
        self.x.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        self.display = self.x.XOpenDisplay(s.display.encode())
        assert self.display, s.display
        self.root = self.x.XDefaultRootWindow(self.display)
        self.x.XDestroyImage.argtypes = [ctypes.c_void_p]
        self.x.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7

    @property
    def size(self):
        """The screen's size now (a display change changes it)."""
        root, x, y = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
        w, h, border, depth = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
        self.x.XGetGeometry(self.display, self.root, *(ctypes.byref(v) for v in
                                                       (root, x, y, w, h, border, depth)))
        return w.value, h.value

    def shot(self):
        """The whole screen, as import gives it, in a few tens of milliseconds."""
        w, h = self.size
        image = self.x.XGetImage(self.display, self.root, 0, 0, w, h, 0xFFFFFFFF, 2)
        assert image
        data = ctypes.cast(image, ctypes.POINTER(ctypes.c_void_p))[2]  # XImage.data
        fields = ctypes.cast(image, ctypes.POINTER(ctypes.c_int))
        stride, bits = fields[11], fields[12]  # bytes_per_line, bits_per_pixel
        assert bits == 32 and stride == 4 * w, (bits, stride)
        bgrx = ctypes.string_at(data, stride * h)
        self.x.XDestroyImage(image)
        raw = bytearray(3 * w * h)
        raw[0::3], raw[1::3], raw[2::3] = bgrx[2::4], bgrx[1::4], bgrx[0::4]
        return Shot(b"P6 %d %d 255\n" % (w, h) + bytes(raw))

    def pixel(self, px, py):
        image = self.x.XGetImage(self.display, self.root, px, py, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap
        assert image
        v = self.x.XGetPixel(image, 0, 0)
        return (v >> 16) & 255, (v >> 8) & 255, v & 255

    def white(self, area):
        x, y, w, h = area
        return all(self.pixel(x + dx, y + dy) == (255, 255, 255)
                   for dx in (4, w // 2, w - 5) for dy in (2, h // 2, h - 3))


def crop(raw, width, rect):
    x, y, w, h = rect
    return b"".join(raw[3 * ((y + j) * width + x):3 * ((y + j) * width + x + w)]
                    for j in range(h))


def save_shot(shot, name):
    SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    subprocess.run(["convert", "-size", f"{shot.width}x{shot.height}", "-depth", "8", "rgb:-",
                    str(SCREENSHOTS / f"{name}.png")], input=shot.raw, check=True)


class Digits:
    """Recognises the countdown's digits in the area of one skin set."""

    def __init__(self, skin_set, area):
        folder = FLIMMER_EXE.parent / "xDialog" / str(skin_set) / "Button"
        self.masks = {}
        for k in (1, 2, 3):
            path = folder / f"Count{k}.png"
            size = int(subprocess.run(["identify", "-format", "%w", str(path)],
                                      capture_output=True, text=True, check=True).stdout)
            rgba = subprocess.run(["convert", str(path), "-depth", "8", "rgba:-"],
                                  capture_output=True, check=True).stdout
            r = size / 2
            ax, ay, aw, ah = area
            x0, y0 = ax + (aw - size) // 2, ay + (ah - size) // 2
            # The solid numeral only, away from the ring that every digit shares.
            self.masks[k] = [(x0 + i % size, y0 + i // size) for i in range(size * size)
                             if tuple(rgba[4 * i:4 * i + 4]) == (*CORAL, 255)
                             and (i % size - r) ** 2 + (i // size - r) ** 2 < (0.7 * r) ** 2]
            assert len(self.masks[k]) > 200, (path, len(self.masks[k]))

    def shown(self, shot):
        """The digit on the screen, or None."""
        best, score = None, 0.0
        for k, mask in self.masks.items():
            hits = sum(1 for x, y in mask
                       if max(abs(a - b) for a, b in zip(shot.at(x, y), CORAL)) <= 24)
            if hits / len(mask) > score:
                best, score = k, hits / len(mask)
        return best if score > 0.97 else None


def white(shot, area):
    """The whole area flashes white."""
    x, y, w, h = area
    return all(crop(shot.raw, shot.width, (x + dx, y + dy, 8, 1)) == b"\xff" * 24
               for dx in (4, w // 2, w - 12) for dy in (2, h // 2, h - 3))


def watch_countdown(s, digits, area, until, timeout=12, keep=None):
    """Reads the screen until until() holds; returns [digit, first seen, last seen] in order
    of appearance and the time of the first white frame (None if none was seen). keep names
    the screenshots to keep: {"2": name, "flash": name}."""
    keep = dict(keep or {})
    seen_digits, flash_at = [], None
    start = checked = time.monotonic()
    while True:
        # Asking the program is slow: only now and then, so that no quarter second is missed.
        if time.monotonic() - checked > 0.5:
            if until():
                break
            checked = time.monotonic()
        assert time.monotonic() - start < timeout, f"countdown still running: {seen_digits}"
        shot = grab(s)
        now = time.monotonic()
        d = digits.shown(shot)
        if d is not None and seen_digits and seen_digits[-1][0] == d:
            seen_digits[-1][2] = now
        elif d is not None:
            seen_digits.append([d, now, now])
            if str(d) in keep:
                save_shot(shot, keep.pop(str(d)))
        if flash_at is None and white(shot, area):
            flash_at = now
            if "flash" in keep:
                save_shot(shot, keep.pop("flash"))
    return seen_digits, flash_at


def scenario_countdown_shows_three_two_one_and_shoots_the_shown_frame():
    with Session("booth-countdown") as s:
        # The camera repeats its sixth frame from then on, so the preview holds one frame still.
        proc = start_with_camera(s, sound_trace=True, countdown=None, Sizes="640x480",
                                 HoldAfter=6)
        s.wait_window("Child01", 30000)
        assert s.reg_query(CONFIG_KEY, "Countdown") is None  # on until told otherwise
        rect = fitted(AREA_600, (640, 480))
        wait_for_held_frame(s, rect)
        shown = picture_pixels(s, *rect)
        digits = Digits(0, AREA_600)
        assert digits.shown(grab(s)) is None

        played = len(sounds(s))
        pressed = time.monotonic()
        s.post_click("Child01", *CAMERA_OK)
        order, flash_at = watch_countdown(
            s, digits, AREA_600, lambda: s.count("Child02") == 1,
            keep={"2": "camera-countdown", "flash": "camera-flash"})
        shot = time.monotonic()
        assert [d for d, _, _ in order] == [3, 2, 1], order
        # A second apart: each change happened between the last sight of the old picture and
        # the first of the new, so the time between two changes lies within these bounds.
        (_, first3, last3), (_, first2, last2), (_, first1, last1) = order
        assert flash_at is not None and flash_at > last1, "no white flash after the 1"
        for low, high in ((last2 - first2, first1 - last3), (last1 - first1, flash_at - last2)):
            assert low <= 1.25 and high >= 0.75, (order, flash_at)
        assert order[0][1] - pressed < 2.5, order  # the click itself is a program start
        assert shot - pressed >= 2.8, shot - pressed

        # The photo is the frame the preview showed, not a digit or the flash.
        s.wait_window("Child02")
        assert s.rect("ChildImage") == rect
        s.wait_until(lambda: picture_pixels(s, *rect) == shown, what="the previewed frame")
        assert snapshot_files(s) == []
        # The click, a tick a second, then the shutter once.
        s.wait_until(lambda: sounds(s)[played:] == ["Star.wav", "tick.wav", "tick.wav",
                                                    "tick.wav", "snap.wav"],
                     what="click, three ticks and the shutter")

        # Switched off, it stays off after a restart, and OK shoots at once.
        s.post_click("Child02", *HOME)
        s.wait_window("Child01")
        s.click("Child01", *CAMERA_COUNTDOWN)
        assert s.reg_query(CONFIG_KEY, "Countdown") == ("REG_DWORD", 0)
        close_camera_screen(s, proc)
        proc = s.start()
        s.wait_window("Child01", 30000)
        wait_for_held_frame(s, rect, "the camera's last frame after the restart")
        pressed = time.monotonic()
        s.post_click("Child01", *CAMERA_OK)
        s.wait_window("Child02")
        assert time.monotonic() - pressed < 2.5
        s.wait_until(lambda: picture_pixels(s, *rect) == shown, what="the frame shot at once")
        # And on again.
        s.post_click("Child02", *HOME)
        s.wait_window("Child01")
        s.click("Child01", *CAMERA_COUNTDOWN)
        assert s.reg_query(CONFIG_KEY, "Countdown") == ("REG_DWORD", 1)
        close_camera_screen(s, proc)


scenario_countdown_shows_three_two_one_and_shoots_the_shown_frame.timeout = 420


def wait_digit(s, digits):
    return s.wait_until(lambda: digits.shown(grab(s)), timeout=5, interval=0.05,
                        what="a countdown digit")


def quiet_for_a_countdown(s, digits, seconds=4.5):
    """For longer than a countdown: no digit, no editing screen, no file written."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        assert digits.shown(grab(s)) is None, "a digit is still shown"
        assert s.count("Child02") == 0, "a photo was taken"
    assert snapshot_files(s) == []


def scenario_escape_files_display_change_and_close_stop_a_countdown():
    # 1280 x 800: the 1024 x 768 layout, and room to change the display to 1024 x 600.
    with Session("booth-cancel", 1280, 800) as s:
        proc = start_with_camera(s, countdown=None, Sizes="640x480")
        s.wait_window("Child01", 30000)
        wait_for_frames(s, 3)
        digits = Digits(3, AREA_768)
        ok = (260, 720)

        # Esc in the middle of the countdown; the digits' drawing keeps no GDI object.
        gdi = gdi_objects(s)
        s.post_click("Child01", *ok)
        wait_digit(s, digits)
        s.xdotool("key", "Escape")
        quiet_for_a_countdown(s, digits)
        expect_running_preview(s, AREA_768)
        assert gdi_objects(s) <= gdi, (gdi, gdi_objects(s))

        # Esc during the flash, after the frame was held: no photo, and the preview moves on.
        # The key must land within the flash; a late one takes the photo, and Esc then goes
        # back from the editor to a new graph, which the count of graphs gives away.
        grab(s)
        live = s.live_screen
        for attempt in range(5):
            graphs = camera_state(s, "Created")
            s.post_click("Child01", *ok)
            s.wait_until(lambda: live.white(AREA_768), timeout=6, interval=0.0,
                         what="the flash")
            s.xdotool("key", "Escape")
            time.sleep(1.5)
            if s.count("Child02") == 0 and camera_state(s, "Created") == graphs:
                break
            if s.count("Child02"):
                s.post_click("Child02", *HOME)
            s.wait_window("Child01")
            wait_for_frames(s, 3)
        else:
            raise AssertionError("Esc never reached the flash")
        quiet_for_a_countdown(s, digits, seconds=1)
        expect_running_preview(s, AREA_768)

        # Files: the dialog replaces the countdown; cancelled, nothing is shot later.
        s.post_click("Child01", *ok)
        wait_digit(s, digits)
        s.post_click("Child01", CAMERA_FILES[0], 720 + 13)
        s.auto_ok("file-dialog-cancel", 10000)
        quiet_for_a_countdown(s, digits)

        # A display change: a new layout and graph, and no shot from the old countdown.
        s.post_click("Child01", *ok)
        wait_digit(s, digits)
        s.change_display(1024, 600)
        s.wait_until(lambda: s.rect("Flimmer") == (0, 0, 1024, 600), what="the new layout")
        quiet_for_a_countdown(s, Digits(0, AREA_600))
        expect_running_preview(s, AREA_600)

        # The camera unplugged in the middle of a countdown: the countdown goes with the
        # preview, no photo and no box; plugged in again, the preview comes back.
        s.post_click("Child01", *CAMERA_OK)
        wait_digit(s, Digits(0, AREA_600))
        configure_camera(s, Lost=1)
        s.wait_until(lambda: camera_state(s, "LostReported") == 1, what="the device lost")
        quiet_for_a_countdown(s, Digits(0, AREA_600))
        assert s.count("#32770") == 0
        configure_camera(s, Lost=0)
        s.wait_until(lambda: (camera_state(s, "Delivered") or 0) > 3, timeout=15,
                     what="frames again")
        expect_running_preview(s, AREA_600)

        # Closing in the middle of a countdown ends the program cleanly.
        s.post_click("Child01", *CAMERA_OK)
        wait_digit(s, Digits(0, AREA_600))
        s.post_click("Child01", 990, 10)
        s.expect_exit(proc, 15)
        assert snapshot_files(s) == []


scenario_escape_files_display_change_and_close_stop_a_countdown.timeout = 420


def scenario_strip_of_four_distinct_frames():
    with Session("booth-strip") as s:
        proc = start_with_camera(s, countdown=None, Sizes="640x480")
        s.wait_window("Child01", 30000)
        wait_for_frames(s, 3)
        pressed = time.monotonic()
        s.post_click("Child01", *CAMERA_STRIP)
        # The second countdown: one photo taken, "Photo 2 of 4" over the preview.
        time.sleep(max(0.0, pressed + 4.6 - time.monotonic()))
        progress = grab(s)
        save_shot(progress, "camera-strip")
        # The first shot waits as a small picture in a paper frame at the bottom left: a sixth
        # of the area wide (106 x 79), 16 pixels in; its top rows are the frame counter.
        thumb_x, thumb_y = 352 + 16, 49 + 512 - 79 - 16
        assert progress.at(thumb_x - 2, thumb_y - 2) == PAPER
        r, g, b = progress.at(thumb_x + 50, thumb_y + 1)
        assert r == g == b, (r, g, b)
        assert s.count("Child02") == 0
        s.wait_window("Child02", 25000)
        assert time.monotonic() - pressed >= 4 * 3

        # 640 x 480 shots with a 16-pixel border in a 2 x 2 grid of 1328 x 1008, fitted at 48 %.
        rect = fitted(AREA_600, (1328, 1008))
        assert s.rect("ChildImage") == rect
        x, y, w, h = rect
        raw = picture_pixels(s, *rect)

        def at(px, py):
            """The strip's pixel at (px, py) of the composed picture."""
            i = 3 * ((py * 48 // 100) * w + px * 48 // 100)
            return tuple(raw[i:i + 3])
        assert at(8, 8) == PAPER and at(664, 500) == PAPER and at(1320, 1000) == PAPER
        levels = []
        for cx, cy in ((16, 16), (672, 16), (16, 512), (672, 512)):
            counter = at(cx + 320, cy + 6)
            assert counter[0] == counter[1] == counter[2], counter
            levels.append(counter[0])
            # Below the counter, each shot is the camera's picture, mirrored.
            block = at(cx + 16 * 7 + 8, cy + 16 * 5 + 8)
            want = seen(16 * 7 + 8, 16 * 5 + 8, 640, True)
            assert max(abs(a - b) for a, b in zip(block, want)) <= 6, (block, want)
        assert len(set(levels)) == 4, levels
        frames = [n for lv in levels for n in range(256) if counter_level(n) == lv]
        assert len(frames) == 4
        assert snapshot_files(s) == []
        save_shot(grab(s), "camera-strip-done")
        s.post_click("Child02", *CLOSE)
        s.expect_exit(proc, 15)


scenario_strip_of_four_distinct_frames.timeout = 420


def scenario_silent_camera_countdown_says_no_picture():
    with Session("booth-silent") as s:
        proc = start_with_camera(s, countdown=None, Sizes="640x480", Frames=0)
        s.wait_window("Child01", 30000)
        pressed = time.monotonic()
        s.post_click("Child01", *CAMERA_OK)
        caption, text = s.msgbox_ok(15000)
        assert time.monotonic() - pressed >= 2.8
        assert caption == CAPTURE_CAPTION, caption
        assert text == NO_PICTURE + r"\n\nNo frame has arrived from the camera.", text
        assert s.count("Child02") == 0
        assert snapshot_files(s) == []
        # The screen goes on; the strip says the same at its first shot.
        s.post_click("Child01", *CAMERA_STRIP)
        caption, text = s.msgbox_ok(15000)
        assert text.startswith(NO_PICTURE), text
        assert s.count("Child02") == 0 and snapshot_files(s) == []
        close_camera_screen(s, proc)
