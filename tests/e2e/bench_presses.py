#!/usr/bin/env python3
"""The whole press, timed by the program itself under Wine (make bench-e2e).

Presses every kind of picture button on every editing screen many times, at 1366 x 768 and at
1024 x 600, and reads after each the program's own record (button down to the end of the paints
it caused, and the part spent computing the picture). Opens the 12-megapixel photo several times
beside the imaging library's own decode of it, and reads how much the process's peak memory grows
while it opens a 12- and a 24-megapixel photo. Prints Markdown tables (also kept in
out/bench-e2e.md).

    python3 tests/e2e/bench_presses.py [--repeats N] [--sizes 1366x768,1024x600]
"""

import argparse
import shutil
import statistics
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

from flimmer import (CONVERT, COLOUR_PRESS, PHOTOS, SELECTOR, answer_no_camera,  # noqa: E402
                     effect_button, open_picture, start_to_start_screen)
from harness import REPO, Session  # noqa: E402
from test_soak import program_memory_kb, program_processes, status_kb  # noqa: E402

WARP_NAMES = [f"{what}{sign}" for what in ("tilt", "turn", "spin", "width", "height")
              for sign in "+-"]
WARP_BUTTONS = [(x, y) for y in (103, 179, 260, 394, 470) for x in (140, 187)]
THUMBNAILS = [(36 + 70 * (k % 4) + 32, 194 + 70 * (k // 4) + 32) for k in range(4)]
EFFECTS = ["effect %d" % k for k in range(15)]


def bottom_row(height):
    """OK, Clears, Undo and Redo: the bottom row moves down on the 768-pixel-high layouts."""
    y = 552 if height < 768 else 720
    return {"ok": (260, y), "clears": (210, y), "undo": (163, y), "redo": (116, y)}


def presses(s, screen, repeats, points):
    """Clicks round the points `repeats` times each; the records as (slot, total, kernel) in ms."""
    flat = [str(c) for p in points for c in p]
    lines = s.auto_ok("press-times", screen, str(repeats * len(points)), *flat, timeout=600)
    out = []
    for line in lines:
        code, slot, total, kernel = map(int, line.split())
        out.append((slot, total / 1000, kernel / 1000))
    return out


class Table:
    def __init__(self):
        self.rows = {}

    def add(self, screen, name, records):
        totals = [r[1] for r in records]
        kernels = [r[2] for r in records]
        self.rows.setdefault((screen, name), ([], []))
        self.rows[(screen, name)][0].extend(totals)
        self.rows[(screen, name)][1].extend(kernels)

    def by_order(self, screen, names, records):
        """Records of clicks that went round the named buttons in this order."""
        for k, name in enumerate(names):
            self.add(screen, name, records[k::len(names)])

    def markdown(self, title):
        lines = [f"### {title}", "",
                 "| screen | press | n | median ms | p95 ms | max ms | kernel median ms |",
                 "|---|---|---:|---:|---:|---:|---:|"]
        for (screen, name), (totals, kernels) in self.rows.items():
            lines.append(f"| {screen} | {name} | {len(totals)} | {statistics.median(totals):.1f} "
                         f"| {p95(totals):.1f} | {max(totals):.1f} "
                         f"| {statistics.median(kernels):.2f} |")
        worst = max(self.rows.items(), key=lambda kv: p95(kv[1][0]))
        lines += ["", f"Slowest at the 95th percentile: {worst[0][0]} {worst[0][1]}, "
                  f"{p95(worst[1][0]):.1f} ms."]
        return "\n".join(lines)


def p95(values):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(0.95 * (len(ordered) - 1))))]


def last_press(s):
    screen, slot, total, kernel = map(int, s.auto_ok("press-log", "1")[0].split())
    return slot, total / 1000, kernel / 1000


def screen_changes(s, t, repeats, row):
    """OK from the colour screen and Pre back, each building and painting a whole new screen;
    ends on the perspective screen."""
    pre = (s.rect("Flimmer")[2] - 143 + 5, 5)
    for _ in range(max(3, repeats // 3)):
        s.click("Child02", *row["ok"])
        s.wait_window("Child03")
        t.add("screen change", "colour OK to perspective", [last_press(s)])
        s.click("Child03", *pre)
        s.wait_window("Child02")
        t.add("screen change", "perspective Pre to colour", [last_press(s)])
    s.click("Child02", *row["ok"])
    s.wait_window("Child03")


def press_table(s, width, height, repeats, photo):
    row = bottom_row(height)
    t = Table()
    open_picture(s, photo)
    colour = list(COLOUR_PRESS.values())
    t.by_order("colour", list(COLOUR_PRESS), presses(s, "Child02", repeats, colour))
    # Undo and redo alternate so that each has something to do; Clears after a press.
    t.by_order("colour", ["undo", "redo"], presses(s, "Child02", repeats, [row["undo"], row["redo"]]))
    t.by_order("colour", ["brightness+ before Clears", "clears"],
              presses(s, "Child02", repeats, [colour[0], row["clears"]]))
    t.add("colour", "empty area", presses(s, "Child02", repeats, [(300, 650 if height >= 768 else 500)]))
    screen_changes(s, t, repeats, row)

    t.by_order("perspective", WARP_NAMES, presses(s, "Child03", repeats, WARP_BUTTONS))
    t.by_order("perspective", ["undo", "redo"], presses(s, "Child03", repeats, [row["undo"], row["redo"]]))
    s.click("Child03", *row["ok"])
    s.wait_window("Child40")

    s.click("Child40", *SELECTOR[2])
    s.wait_window("Child42")
    t.by_order("stickers", [f"sticker {k + 1}" for k in range(4)],
              presses(s, "Child42", repeats, THUMBNAILS))
    t.by_order("stickers", ["undo", "redo"], presses(s, "Child42", repeats, [row["undo"], row["redo"]]))
    s.click("Child42", *SELECTOR[1])
    s.wait_window("Child41")
    s.click("Child41", *row["ok"])
    s.wait_window("Child05")

    gallery = [effect_button(k) for k in range(15)]
    t.by_order("gallery", EFFECTS, presses(s, "Child05", max(4, repeats // 2), gallery))
    t.by_order("gallery", ["undo", "redo"], presses(s, "Child05", repeats, [row["undo"], row["redo"]]))
    t.add("gallery", "empty area", presses(s, "Child05", repeats, [(300, 650 if height >= 768 else 500)]))
    return t


def open_times(s, width, photo, times):
    """Opens the photo `times` times from the start screen: the program's records in ms, and
    beside each open the library's own decode of the same file timed right after it, and then
    the system codec's (the library decodes through it), so that all see the machine as it was
    at that moment."""
    records, decodes, codec = [], [], []
    for _ in range(times):
        open_picture(s, photo)
        slot_lines = s.auto_ok("press-log", "8")
        opened = [tuple(map(int, line.split())) for line in slot_lines]
        opened = [r for r in opened if r[1] == -2]
        assert opened, slot_lines
        records.append((opened[0][2] / 1000, opened[0][3] / 1000))
        s.post_click("Child02", width - 78 + 5, 5)
        answer_no_camera(s)
        s.wait_window("Child00")
        # The first decode in a new process also loads the codec, which the program did at
        # its first open; the second one is the decode alone.
        decodes.append(decode_times(s, photo, 2)[0][-1])
        codec.append(decode_times(s, photo, 2, "codec")[0][-1])
    return records, decodes, codec


def decode_times(s, photo, times, *way):
    """The imaging library's own decode (or the codec's) in a process of its own: times in ms,
    peak growth MB."""
    lines = s.auto_ok("decode-time", s.winpath(photo), str(times), *way, timeout=300)
    return [float(x) for x in lines[:-1]], int(lines[-1].split()[1])


def peak_growth_mb(s, photo, width):
    """How far the process's peak resident memory rises over what it held just before opening."""
    pid = flimmer_pid(s)
    before = program_memory_kb(s)
    Path(f"/proc/{pid}/clear_refs").write_text("5")  # resets the peak to the current size
    open_picture(s, photo)
    peak = status_kb(Path(f"/proc/{pid}/status").read_text(), "VmHWM:")
    s.post_click("Child02", width - 78 + 5, 5)
    answer_no_camera(s)
    s.wait_window("Child00")
    return (peak - before) / 1024


def flimmer_pid(s):
    return max(program_processes(s), key=lambda p: status_kb(p[1], "VmRSS:"))[0]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeats", type=int, default=30)
    parser.add_argument("--sizes", default="1366x768,1024x600")
    parser.add_argument("--opens", type=int, default=9)
    args = parser.parse_args()
    report = []
    for size in args.sizes.split(","):
        width, height = map(int, size.split("x"))
        with Session(f"bench-{size}", width=width, height=height) as s:
            photo = s.dir / "chelsea.png"
            shutil.copy(PHOTOS / "chelsea.png", photo)
            start_to_start_screen(s)
            big = s.dir / "coffee-4000x3000.jpg"
            shutil.copy(PHOTOS / "coffee-4000x3000.jpg", big)
            table = press_table(s, width, height, args.repeats, big)
            report.append(table.markdown(f"Presses at {width} x {height}"))
            print(report[-1], flush=True)
            s.post_click("Child05", width - 78 + 5, 5)
            answer_no_camera(s)
            s.wait_window("Child00")
            if width == 1366:
                opens, decodes, codec = open_times(s, width, big, args.opens)
                huge = s.dir / "coffee-6000x4000.jpg"
                subprocess.run([CONVERT, str(big), "-resize", "6000x4000!", "-quality", "92",
                                str(huge)], check=True)
                growth = [(f"{n} MP", peak_growth_mb(s, p, width), decode_times(s, p, 1)[1], n * 3)
                          for n, p in ((12, big), (24, huge))]
                total = statistics.median(o[0] for o in opens)
                decode = statistics.median(decodes)
                lines = ["### Opening coffee-4000x3000.jpg at 1366 x 768", "",
                         "| what | median ms | all (ms) |", "|---|---:|---|",
                         f"| dialog closed to colour screen shown | {total:.0f} | "
                         + ", ".join(f"{o[0]:.0f}" for o in opens) + " |",
                         f"| of which decoding in the program | "
                         f"{statistics.median(o[1] for o in opens):.0f} | "
                         + ", ".join(f"{o[1]:.0f}" for o in opens) + " |",
                         f"| the imaging library's own decode to 24-bit pixels | {decode:.0f} | "
                         + ", ".join(f"{d:.0f}" for d in decodes) + " |",
                         f"| the system codec's own decode to 24-bit pixels | "
                         f"{statistics.median(codec):.0f} | "
                         + ", ".join(f"{d:.0f}" for d in codec) + " |",
                         "", f"Open / decode: {total / decode:.2f} (each open over the decode "
                         "timed right after it: "
                         + ", ".join(f"{o[0] / d:.2f}" for o, d in zip(opens, decodes)) + "). "
                         f"Open / the codec's decode: {total / statistics.median(codec):.2f}.", "",
                         "| photo | program's peak memory growth MB | the library's own decode, "
                         "peak growth MB | decoded size MB |", "|---|---:|---:|---:|"]
                lines += [f"| {name} | {mb:.0f} | {alone} | {decoded} |"
                          for name, mb, alone, decoded in growth]
                report.append("\n".join(lines))
                print(report[-1], flush=True)
    out = REPO / "out"
    out.mkdir(exist_ok=True)
    (out / "bench-e2e.md").write_text("\n\n".join(report) + "\n")
    print(f"\n{out / 'bench-e2e.md'}")


if __name__ == "__main__":
    main()
