"""Hours of use in minutes: the whole road again and again, every kind of button.

FLIMMER_SOAK_PRESSES sets how many presses in all (make soak: 1000; make test: fewer). After the
first two laps (warm-up) and at the end, on the start screen, it reads the process's memory from the
outside, the program's count of its GDI objects, and the time a press takes; all must stay flat.
"""

import os
import shutil
import statistics
import time
from pathlib import Path

from flimmer import (CLEARS, COLOUR_PRESS, HOME, OK, PHOTOS, REDO, SAVE_BUTTONS, SELECTOR, UNDO,
                     answer_no_camera, effect_button, open_picture, start_to_start_screen)
from harness import Session

WARP_BUTTONS = [(x, y) for y in (103, 179, 260, 394, 470) for x in (140, 187)]
THUMBNAILS = [(36 + 70 * (k % 4) + 32, 194 + 70 * (k // 4) + 32) for k in range(4)]
PRESSES = int(os.environ.get("FLIMMER_SOAK_PRESSES", "150"))
# Growth allowed after warm-up: Wine's own caches settle within it, a leak of the picture's
# planes or surfaces (megabytes a lap) does not.
MEMORY_SLACK_KB = 24 * 1024


def program_processes(s):
    """(pid, /proc status text) of the session's flimmer.exe processes (the launchers that name
    it too are small)."""
    found = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            cmdline = (entry / "cmdline").read_bytes()
            environ = (entry / "environ").read_bytes()
            status = (entry / "status").read_text()
        except OSError:
            continue
        if b"flimmer.exe" in cmdline and f"WINEPREFIX={s.prefix}".encode() in environ:
            found.append((entry.name, status))
    assert found, "no flimmer.exe process of this session"
    return found


def status_kb(status, field):
    return int([line.split()[1] for line in status.splitlines() if line.startswith(field)][0])


def program_memory_kb(s):
    """Resident memory of the session's flimmer.exe, from /proc: the largest of its processes."""
    return max(status_kb(status, "VmRSS:") for _, status in program_processes(s))


def gdi_objects(s):
    return int(s.auto_ok("gdi-objects")[0])


class Presses:
    def __init__(self, s):
        self.s, self.count, self.times = s, 0, []

    def click(self, screen, point):
        start = time.monotonic()
        self.s.click(screen, *point)
        self.times.append(time.monotonic() - start)
        self.count += 1

    def go(self, screen, point, there):
        self.click(screen, point)
        self.s.wait_window(there)


def lap(s, p, photo, saved):
    """One walk along the road, pressing every kind of button; ends on the start screen."""
    open_picture(s, photo)
    for name in ("brightness+", "saturation-", "hue+", "brightness-", "saturation+", "hue-"):
        p.click("Child02", COLOUR_PRESS[name])
    for button in (UNDO, REDO, CLEARS, REDO):
        p.click("Child02", button)
    p.go("Child02", OK, "Child03")
    for button in WARP_BUTTONS + [UNDO, REDO, CLEARS]:
        p.click("Child03", button)
    p.go("Child03", OK, "Child40")
    p.go("Child40", SELECTOR[2], "Child42")
    for k in THUMBNAILS:
        p.click("Child42", k)  # each sticker takes the one before as an undo step
    for button in (UNDO, REDO, CLEARS):
        p.click("Child42", button)
    p.go("Child42", SELECTOR[1], "Child41")
    p.go("Child41", OK, "Child05")
    for k in range(15):
        p.click("Child05", effect_button(k))
    for button in (UNDO, UNDO, REDO, CLEARS):
        p.click("Child05", button)
    p.click("Child05", effect_button(1))
    p.go("Child05", OK, "Child06")
    s.post_click("Child06", *SAVE_BUTTONS["png"])
    p.count += 1
    if s.file_dialog(saved):
        s.auto_ok("msgbox-press", "yes")
    s.wait_until(lambda: saved.exists() and saved.stat().st_size > 0, what="the lap's save")
    s.post_click("Child06", *HOME)  # the camera screen's box holds the click
    p.count += 1
    answer_no_camera(s)
    s.wait_window("Child00")


def scenario_soak_the_whole_road():
    with Session("soak") as s:
        photo = s.dir / "chelsea.png"
        shutil.copy(PHOTOS / "chelsea.png", photo)
        saved = s.dir / "soak.png"
        proc = start_to_start_screen(s)
        p = Presses(s)
        started = time.monotonic()
        # Two laps of warm-up: the second still fills the system's caches (dialogs, fonts).
        lap(s, p, photo, saved)
        lap(s, p, photo, saved)
        warm = (program_memory_kb(s), gdi_objects(s), statistics.median(p.times))
        first_lap = p.count // 2
        laps = 2
        while p.count < PRESSES or laps < 3:
            p.times = []
            lap(s, p, photo, saved)
            laps += 1
        end = (program_memory_kb(s), gdi_objects(s), statistics.median(p.times))
        print(f"soak: {p.count} presses in {laps} laps, {time.monotonic() - started:.0f} s; "
              f"memory {warm[0] // 1024} -> {end[0] // 1024} MB; GDI objects {warm[1]} -> {end[1]}; "
              f"median press {warm[2] * 1000:.0f} -> {end[2] * 1000:.0f} ms "
              f"({first_lap} presses a lap)")
        assert end[1] <= warm[1], f"GDI objects grew from {warm[1]} to {end[1]}"
        assert end[0] - warm[0] <= MEMORY_SLACK_KB, f"memory grew by {(end[0] - warm[0]) // 1024} MB"
        assert end[2] <= 2 * warm[2] + 0.05, "presses became slow"
        s.click("Child00", 320, 5)
        s.expect_exit(proc, 15)


scenario_soak_the_whole_road.timeout = 3600
