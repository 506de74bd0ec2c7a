#!/usr/bin/env python3
"""Runs Flimmer in a virtual X server, saves a screenshot of what it shows to
out/ and prints the path. Without a camera the program shows its box about
that first, then the start screen; both are captured."""

import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))

from harness import Session  # noqa: E402


def main():
    out = REPO / "out"
    stamp = time.strftime("%Y%m%d-%H%M%S")
    with Session("run", width=1366, height=768) as s:
        proc = s.start()
        rc, _ = s.auto("msgbox", 10000)
        if rc == 0:
            shot = s.screenshot(out / f"flimmer-{stamp}-camera.png")
            print(f"Screenshot: {shot}")
            s.auto("msgbox-ok", 5000)
        s.wait_window("Child00", 10000)
        time.sleep(0.5)  # let the shaped window finish painting
        shot = s.screenshot(out / f"flimmer-{stamp}.png")
        print(f"Screenshot: {shot}")
        if s.running(proc):
            s.click("Child00", 320, 5)
            s.wait_exit(proc, 15)


if __name__ == "__main__":
    main()
