"""The camera screen with a camera: the live preview, the snapshot, Files, H, the display
change and the cameras that misbehave.

The camera is flimvcam.dll (tests/e2e/vcam), registered in the session's own prefix before
Flimmer starts. It is configured, and reports what it did, through the registry; its frames
show a known pattern, computed here by pattern().
"""

import os
import re
import time
from pathlib import Path

from flimmer import (CLOSE, CONFIG_KEY, HOME, OK, PHOTOS, START_CAMERA, START_POSITION, START_SIZE,
                     file_rgb, is_loader_error, picture_pixels, save_screen)
from harness import FLIMAUTO_EXE, FLIMMER_EXE, Session

VCAM_DLL = Path(os.environ.get("FLIMMER_VCAM_DLL") or FLIMAUTO_EXE.parent / "flimvcam.dll")
VCAM_KEY = r"HKCU\Software\Flimmer Test\Virtual Camera"
VCAM_STATE = VCAM_KEY + r"\State"
CAPTURE_CAPTION = "PlayCap Message"
CAMERA_NOT_STARTED = "Flimmer could not start the camera. You can still open a picture from a file."
SIZE_NOT_SET = "Flimmer could not set the camera's picture size."
OWN_SIZE_KEPT = ("The camera keeps its own picture size, because Flimmer could not choose one for "
                 "it. Everything else works as usual.")

# Camera screen buttons on the 600-high layout (client coordinates of "Child01").
CAMERA_OK = OK
CAMERA_FILES = (227, 565)
CAMERA_SPEAKER = (180, 565)
CAMERA_CLOSE = (990, 10)
CAMERA_MIRROR = (133, 565)

AREA_600 = (352, 49, 640, 512)
STAGE = (72, 64, 74)  # the skin behind the picture, around a preview or picture that is smaller
STRIP = 16  # rows at the top of each frame that count the frames


def pattern(x, y):
    """(r, g, b) of the camera's picture at (x, y) from its top-left corner, below the strip."""
    bx, by = x // 16, y // 16
    return (23 * bx + 40) % 256, (29 * by + 70) % 256, 200 if (bx + by) % 2 else 50


def start_with_camera(s, sound_trace=False, countdown=0, **config):
    """Registers the virtual camera with the given settings and starts Flimmer on its camera
    screen. sound_trace makes Wine log the sounds played into the program's output. The
    countdown before a snapshot is off (0) unless asked for (1); None leaves the setting as
    it is."""
    rc, _, err = s._wine(["wine", "regsvr32", "/s", s.winpath(VCAM_DLL)], 60)
    assert rc == 0, f"regsvr32 flimvcam.dll: {err.strip()[-300:]}"
    configure_camera(s, **config)
    if countdown is not None:
        s.reg_add(CONFIG_KEY, "Countdown", "REG_DWORD", countdown)
    if sound_trace:
        s.env["WINEDEBUG"] = "-all,trace+winmm"
    return s.start()


def configure_camera(s, **config):
    for name, value in config.items():
        kind = "REG_DWORD" if isinstance(value, int) else "REG_SZ"
        s.reg_add(VCAM_KEY, name, kind, value)


def camera_state(s, name):
    found = s.reg_query(VCAM_STATE, name)
    return found[1] if found else None


def wait_for_graph(s):
    """The camera screen's window can be found while it is still being created, before its
    graph is built: waits for the camera to be connected."""
    s.wait_until(lambda: camera_state(s, "Connected"), timeout=15, what="the camera connected")


def wait_for_frames(s, at_least=1):
    s.wait_until(lambda: (camera_state(s, "Delivered") or 0) >= at_least, timeout=15,
                 what=f"{at_least} frames from the camera")


def counter_level(n):
    """The grey of the frame counter strip at the top of the virtual camera's frame n."""
    return (37 * n + 16) % 256


def wait_for_held_frame(s, rect, what="the camera's last frame"):
    """With HoldAfter=6 the camera repeats its frame number 5; waits until the preview in rect
    shows it."""
    level = counter_level(5)
    s.wait_until(lambda: s.pixel(rect[0] + 300, rect[1] + 3) == (level,) * 3, what=what)


def video_window(s):
    """Rectangles of the visible video renderer windows."""
    return [tuple(int(v) for v in line.split()[3:7]) for line in s.auto_ok("list")
            if line.startswith("wine_quartz_window ") and line.split()[2] == "1"]


def fitted(area, frame):
    """Where a frame appears, in the preview as after its snapshot: shrunk by the whole percent
    at which it fits the area (never enlarged) and centred there."""
    x, y, w, h = area
    fw, fh = frame
    p = min(100, w * 100 // fw, h * 100 // fh)
    pw, ph = max(1, fw * p // 100), max(1, fh * p // 100)
    return x + (w - pw) // 2, y + (h - ph) // 2, pw, ph


def seen(x, y, width, mirrored):
    """The camera's colour at (x, y) of a frame width wide as the user sees it."""
    return pattern(width - 1 - x if mirrored else x, y)


def change_display_to_a_new_graph(s):
    """Changes the display to 1024 x 600: a new capture graph runs and the old one is gone."""
    created = camera_state(s, "Created")
    s.change_display(1024, 600)
    s.wait_until(lambda: s.rect("Flimmer") == (0, 0, 1024, 600), what="the new layout")
    s.wait_until(lambda: camera_state(s, "Created") == created + 1, what="a new capture graph")
    assert camera_state(s, "Destroyed") == created
    expect_running_preview(s, AREA_600)


def expect_running_preview(s, area, frame=(640, 480)):
    """The picture window covers the area and shows the frame itself, no renderer window over
    it, and the frame counter keeps changing there: the preview is live."""
    assert s.rect("ChildImage") == area
    assert video_window(s) == []
    x, y, w, _ = fitted(area, frame)
    levels = set()

    def strip_levels():
        r, g, b = s.pixel(x + w // 2, y + 3)
        if r == g == b:  # the skin shows there until the first frame
            levels.add(r)
        return len(levels) >= 3
    s.wait_until(strip_levels, timeout=10, interval=0.15, what="a changing frame counter")


def expect_preview_pattern(s, area, frame, mirrored=True):
    """Block centres of the fitted preview show the camera's pattern."""
    x, y, w, h = fitted(area, frame)
    fw, fh = frame
    for bx in (1, 7, fw // 16 - 2):
        for by in (2, fh // 32, fh // 16 - 2):
            sx, sy = 16 * bx + 8, 16 * by + 8
            got = s.pixel(x + sx * w // fw, y + sy * h // fh)
            want = seen(sx, sy, fw, mirrored)
            assert max(abs(a - b) for a, b in zip(got, want)) <= 4, (sx, sy, got, want)


def expect_pixels(s, rect, problem, what):
    """Waits until problem(pixels of rect) has nothing to say (painting lags a switch);
    fails with its last complaint."""
    said = []

    def check():
        said[:] = [problem(picture_pixels(s, *rect))]
        return said[0] is None
    try:
        s.wait_until(check, timeout=10, interval=0.2, what=what)
    except AssertionError:
        raise AssertionError(f"{what}: {said[0]}") from None


def expect_frame_picture(s, size, mirrored=True, window="ChildImage"):
    """The window shows the camera's frame, top row first, at its own size, centred in the
    area; the counter strip is one grey level."""
    w, h = size
    rect = fitted(AREA_600, size)
    if window == "ChildImage":
        assert s.rect("ChildImage") == rect
    rows = [bytes(v for x in range(w) for v in seen(x, y, w, mirrored)) for y in range(h)]

    def problem(raw):
        for y in range(h):
            line = raw[3 * w * y:3 * w * (y + 1)]
            if y < STRIP:
                if len(set(line)) != 1:
                    return f"counter row {y} is not one grey level"
            elif line != rows[y]:
                return f"row {y} differs from the camera's row {y}"
        return None
    expect_pixels(s, rect, problem, "the camera's frame in the picture window")


def expect_half_size_picture(s, rect):
    """Block centres of a picture fitted at 50 % show the camera's blocks, mirrored."""
    _, _, w, h = rect

    def problem(raw):
        for by in range(STRIP // 16, h // 8):
            for bx in range(w // 8):
                x, y = 8 * bx + 4, 8 * by + 4
                got = tuple(raw[3 * (y * w + x):3 * (y * w + x) + 3])
                if got != seen(16 * bx + 8, 16 * by + 8, 2 * w, True):
                    return f"block ({bx}, {by}) shows {got}"
        return None
    expect_pixels(s, rect, problem, "the half-size frame in the picture window")


def temp_folder(s):
    """The program's temporary folder as a Unix path."""
    if not hasattr(s, "temp_folder"):
        rc, out, _ = s._wine(["wine", "cmd", "/c", "echo", "%TEMP%"], 30)
        windows = out.strip().splitlines()[-1].strip()
        assert rc == 0 and re.match(r"^[Cc]:\\", windows), out
        s.temp_folder = s.prefix / "drive_c" / Path(*windows[3:].split("\\"))
        assert s.temp_folder.is_dir(), s.temp_folder
    return s.temp_folder


SNAPSHOT_NAME = re.compile(r"^\d{4}-\d\d-\d\d_\d\dH\d\dM\d\dS\.png$")


def snapshot_files(s):
    return sorted(p.name for p in temp_folder(s).iterdir() if SNAPSHOT_NAME.match(p.name))


def sounds(s, proc_index=0):
    """The sounds Wine was asked to play, in order (needs sound_trace), by their names in the
    program folder: each must be played by its full path there."""
    out = (s.dir / f"program{proc_index}.out").read_text(errors="replace")
    played = [p.replace("\\\\", "\\")
              for p in re.findall(r'proc_PlaySound SoundName=L"([^"]+)"', out)]
    folder = s.winpath(FLIMMER_EXE.parent).lower() + "\\"
    assert all(p.lower().startswith(folder) for p in played), (folder, played)
    return [p[len(folder):] for p in played]


def program_threads(proc):
    """Threads of the program's Wine process, a descendant of the started process."""
    parents, names = {}, {}
    for stat in Path("/proc").glob("[0-9]*/stat"):
        try:
            fields = stat.read_text().rsplit(")", 1)[1].split()
            names[int(stat.parent.name)] = (stat.parent / "cmdline").read_bytes()
        except OSError:
            continue
        parents[int(stat.parent.name)] = int(fields[1])

    def descends(pid):
        while pid in parents and pid != proc.pid:
            pid = parents[pid]
        return pid == proc.pid
    found = [pid for pid, cmd in names.items() if b"flimmer.exe" in cmd.lower() and descends(pid)]
    # The launcher waits for the program as its parent: the program is the one without a child
    # among them.
    found = [pid for pid in found if not any(parents.get(other) == pid for other in found)]
    assert len(found) == 1, found
    status = (Path("/proc") / str(found[0]) / "status").read_text()
    return int(re.search(r"^Threads:\s+(\d+)", status, re.M).group(1))


def close_camera_screen(s, proc):
    s.post_click("Child01", *CAMERA_CLOSE)
    s.expect_exit(proc, 15)


def scenario_camera_preview_and_snapshots():
    with Session("camera") as s:
        # Heights 240, 480, 480: the first 480 is asked for.
        proc = start_with_camera(s, sound_trace=True, Sizes="320x240,640x480,600x480")
        s.wait_window("Child01", 30000)  # a loaded machine starts the graph slowly
        assert s.count("Child00") == 0
        assert s.rect("Flimmer") == (0, 0, 1024, 600)
        wait_for_graph(s)
        assert camera_state(s, "SetFormat") == "640x480"
        assert camera_state(s, "Connected") == "640x480 VideoInfo"
        wait_for_frames(s, 5)
        expect_running_preview(s, AREA_600)
        expect_preview_pattern(s, AREA_600, (640, 480))
        save_screen(s, "camera")

        # OK: the frame, flipped top-down, is the new picture; its file is gone again.
        s.post_click("Child01", *CAMERA_OK)
        s.wait_window("Child02")
        expect_frame_picture(s, (640, 480))
        assert snapshot_files(s) == []
        # The click, then the shutter.
        s.wait_until(lambda: sounds(s)[-2:] == ["Star.wav", "snap.wav"], what="click and shutter")

        # H comes back to a running preview, with a new graph. The camera now offers 1280 x 720
        # first among two of the same height.
        configure_camera(s, Sizes="640x480,1280x720,960x720")
        created = camera_state(s, "Created")
        s.post_click("Child02", *HOME)
        s.wait_window("Child01")
        # One camera filter at a time: the snapshot's graph went with its screen. The window
        # can be found while it is still being created, before its graph is built.
        s.wait_until(lambda: camera_state(s, "Created") == created + 1, what="a new capture graph")
        assert camera_state(s, "Destroyed") == created
        assert camera_state(s, "SetFormat") == "1280x720"
        wait_for_frames(s, 3)
        expect_running_preview(s, AREA_600, (1280, 720))
        expect_preview_pattern(s, AREA_600, (1280, 720))

        # A frame larger than the area arrives at 50 %: 640 x 360, centred. Enter is OK.
        s.xdotool("key", "Return")
        s.wait_window("Child02")
        rect = (352, 49 + (512 - 360) // 2, 640, 360)
        assert s.rect("ChildImage") == rect
        expect_half_size_picture(s, rect)
        assert snapshot_files(s) == []

        # An existing file of the snapshot's name is never overwritten: it is loaded instead.
        s.post_click("Child02", *HOME)
        s.wait_window("Child01")
        s.click("Child01", *CAMERA_SPEAKER)
        assert s.reg_query(CONFIG_KEY, "Speaker") == ("REG_DWORD", 0)
        wait_for_frames(s, 3)
        played = len(sounds(s))
        chelsea = (PHOTOS / "chelsea.png").read_bytes()
        now = time.time()
        names = [time.strftime("%Y-%m-%d_%HH%MM%SS.png", time.localtime(now + d)) for d in range(-1, 30)]
        for name in names:
            (temp_folder(s) / name).write_bytes(chelsea)
        s.post_click("Child01", *CAMERA_OK)
        s.wait_window("Child02")
        assert s.rect("ChildImage") == (352 + (640 - 451) // 2, 49 + (512 - 300) // 2, 451, 300)
        x, y, w, h = s.rect("ChildImage")
        s.wait_until(lambda: picture_pixels(s, x, y, w, h) == file_rgb(PHOTOS / "chelsea.png"),
                     what="the existing file's picture")
        left = snapshot_files(s)
        assert len(left) == len(names) - 1, "exactly the loaded file is deleted"
        for name in left:
            assert (temp_folder(s) / name).read_bytes() == chelsea, f"{name} was changed"
        # The speaker is off: neither the click nor the shutter.
        assert len(sounds(s)) == played
        s.post_click("Child02", *CLOSE)
        s.expect_exit(proc, 15)


scenario_camera_preview_and_snapshots.timeout = 420


def scenario_snapshot_before_the_first_frame_and_files():
    with Session("camera-no-frames") as s:
        proc = start_with_camera(s, Sizes="640x480", Frames=0)
        s.wait_window("Child01", 30000)  # a loaded machine starts the graph slowly
        assert video_window(s) == []
        # Before the first frame the picture window shows the skin behind it, nothing stale.
        s.wait_until(lambda: s.pixel(352 + 20, 49 + 20) == STAGE, what="the empty preview")
        # No frame yet: no file, a message that says so (not the loader's), and the camera
        # screen stays.
        s.post_click("Child01", *CAMERA_OK)
        caption, text = s.msgbox_ok(15000)
        assert not is_loader_error(caption, text), (caption, text)
        assert caption == CAPTURE_CAPTION, caption
        assert "no picture from the camera" in text, text
        assert s.count("Child02") == 0
        assert s.rect("ChildImage") == AREA_600
        assert video_window(s) == []
        assert snapshot_files(s) == []

        # Files opens a picture as the start screen does.
        s.post_click("Child01", *CAMERA_FILES)
        s.file_dialog(PHOTOS / "chelsea.png")
        s.wait_window("Child02")
        assert s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", s.winpath(PHOTOS / "chelsea.png"))
        x, y, w, h = s.rect("ChildImage")
        assert (x, y, w, h) == (352 + (640 - 451) // 2, 49 + (512 - 300) // 2, 451, 300)
        s.wait_until(lambda: picture_pixels(s, x, y, w, h) == file_rgb(PHOTOS / "chelsea.png"),
                     what="the opened picture")
        # H from a later screen too.
        s.post_click("Child02", *OK)
        s.wait_window("Child03")
        s.post_click("Child03", *HOME)
        s.wait_window("Child01")
        assert s.count("Child03") == 0
        assert video_window(s) == []
        # Ctrl+O is Files.
        s.xdotool("key", "ctrl+o")
        s.auto_ok("file-dialog-cancel", 10000)
        assert s.count("Child01") == 1
        close_camera_screen(s, proc)


def scenario_mirror_and_padded_rows_snapshot_what_the_preview_shows():
    with Session("camera-mirror") as s:
        # Rows of 638 pixels are 1914 bytes, padded to 1916. The camera's picture stands still
        # after a few frames, so that the preview holds one frame for the comparisons; the
        # frames keep coming (a camera that falls silent gets a notice instead).
        proc = start_with_camera(s, Sizes="638x480", HoldAfter=6)
        s.wait_window("Child01", 30000)  # a loaded machine starts the graph slowly
        rect = fitted(AREA_600, (638, 480))
        assert s.reg_query(CONFIG_KEY, "Mirror") is None  # mirrored until told otherwise

        def snapshot_of_still_preview(mirrored):
            wait_for_held_frame(s, rect)
            expect_frame_picture(s, (638, 480), mirrored, window="Child01")
            shown = picture_pixels(s, *rect)
            s.post_click("Child01", *CAMERA_OK)
            s.wait_window("Child02")
            assert s.rect("ChildImage") == rect
            s.wait_until(lambda: picture_pixels(s, *rect) == shown, what="the previewed frame")
            s.post_click("Child02", *HOME)
            s.wait_window("Child01")

        snapshot_of_still_preview(True)
        # The mirror button shows the held frame the other way round at once, and is kept.
        s.click("Child01", *CAMERA_MIRROR)
        assert s.reg_query(CONFIG_KEY, "Mirror") == ("REG_DWORD", 0)
        snapshot_of_still_preview(False)
        close_camera_screen(s, proc)

        proc = s.start()
        s.wait_window("Child01", 30000)
        wait_for_held_frame(s, rect)
        expect_frame_picture(s, (638, 480), False, window="Child01")
        save_screen(s, "camera-unmirrored")
        s.click("Child01", *CAMERA_MIRROR)
        assert s.reg_query(CONFIG_KEY, "Mirror") == ("REG_DWORD", 1)
        expect_frame_picture(s, (638, 480), True, window="Child01")
        close_camera_screen(s, proc)
        # Every graph went with its screen.
        assert camera_state(s, "Destroyed") == camera_state(s, "Created")


scenario_mirror_and_padded_rows_snapshot_what_the_preview_shows.timeout = 420


def scenario_drag_and_display_change_keep_the_preview():
    # 1280 x 800 is not a native size: the 1024 x 768 layout, and the window can be dragged.
    with Session("camera-display", 1280, 800) as s:
        proc = start_with_camera(s, Sizes="640x480")
        s.wait_window("Child01", 30000)  # a loaded machine starts the graph slowly
        wait_for_frames(s, 3)
        expect_running_preview(s, (352, 62, 640, 640))

        # Dragged by its background, the preview moves along and goes on.
        x0, y0 = 100, 500
        s.xdotool("mousemove", x0, y0)
        s.xdotool("mousedown", "1")
        for step in range(1, 11):
            s.xdotool("mousemove", x0 + 5 * step, y0 + 3 * step)
        s.xdotool("mouseup", "1")
        s.wait_until(lambda: s.rect("Flimmer")[:2] == (50, 30), what="the dragged window")
        expect_running_preview(s, (352 + 50, 62 + 30, 640, 640))

        # A display change lays out again and starts a new graph in the new picture area;
        # the old one is gone.
        change_display_to_a_new_graph(s)
        expect_preview_pattern(s, AREA_600, (640, 480))

        # Leaving the screen while frames stream: each graph goes with its screen, none hangs,
        # and once the editing screens' own helpers run, the program's threads stay as many.
        threads = None
        for _ in range(4):
            s.post_click("Child01", *CAMERA_OK)
            s.wait_window("Child02")
            s.post_click("Child02", *HOME)
            s.wait_window("Child01")
            expect_running_preview(s, AREA_600)
            threads = threads or program_threads(proc)
        assert camera_state(s, "Destroyed") == camera_state(s, "Created") - 1
        assert program_threads(proc) <= threads + 1, (threads, program_threads(proc))
        close_camera_screen(s, proc)
        assert camera_state(s, "Destroyed") == camera_state(s, "Created")


def scenario_misbehaving_cameras_show_their_messages():
    with Session("camera-failures") as s:
        # Capability records of the wrong size: nothing is chosen, 0 x 0 is refused.
        proc = start_with_camera(s, Sizes="640x480", CapsRecordSize=64)
        refused = "hr=0x80040200"  # VFW_E_INVALIDMEDIATYPE
        assert s.msgbox_ok(15000) == (CAPTURE_CAPTION, SIZE_NOT_SET + r"\n\n"
                                      "Cannot set new frame rate!  " + refused)
        assert s.msgbox_ok(15000) == (CAPTURE_CAPTION, CAMERA_NOT_STARTED + r"\n\n"
                                      "Couldn't set the graph format!  " + refused)
        s.wait_window("Child00")
        assert camera_state(s, "SetFormat") == "0x0"
        # The partly built graph is released whole (its filter may go a moment after the start
        # screen is back).
        s.wait_until(lambda: camera_state(s, "Destroyed") == camera_state(s, "Created"),
                     timeout=5, what="the camera filter to be let go")
        created = camera_state(s, "Created")
        assert created == 1, f"{created} camera filters made"
        assert s.rect("Flimmer") == (*START_POSITION, START_SIZE, START_SIZE)
        assert s.count("Child01") == 0

        # A current format that is not VideoInfo: one message, then the preview in the
        # camera's current size, whatever the largest offered.
        configure_camera(s, Sizes="320x240,640x480", CapsRecordSize=128, CurrentFormat="VideoInfo2")
        s.post_click("Child00", *START_CAMERA)
        assert s.msgbox_ok(15000) == (CAPTURE_CAPTION, OWN_SIZE_KEPT + r"\n\nnot FORMAT_VideoInfo")
        s.wait_window("Child01")
        assert s.count("Child00") == 0
        wait_for_graph(s)
        assert camera_state(s, "Connected") == "320x240 VideoInfo2"
        wait_for_frames(s, 3)
        expect_running_preview(s, AREA_600, (320, 240))
        s.post_click("Child01", *CAMERA_OK)
        s.wait_window("Child02")
        expect_frame_picture(s, (320, 240))
        s.post_click("Child02", *CLOSE)
        s.expect_exit(proc, 15)
