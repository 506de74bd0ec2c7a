"""make run's headless demo: the road from the camera to a saved PNG, and its contact sheet."""

import sys
import tempfile

from flimmer import file_format, file_rgb
from harness import REPO
from test_camera import STRIP, seen

sys.path.insert(0, str(REPO / "scripts"))
import run_headless  # noqa: E402

TITLE_BAR = (800, 6)  # a point of every screen's title bar, clear of the Save dialog


def scenario_the_demo_road_saves_a_picture_and_its_contact_sheet():
    with tempfile.TemporaryDirectory(prefix="flimmer-run-demo-") as out:
        check_demo(*run_headless.demo(out))


def check_demo(saved, sheet, tiles, snapshot):
    # The photo was the camera's frame, mirrored as the preview showed it; what was saved is that
    # photo, changed, at its size.
    w, h = run_headless.CAMERA_SIZE
    frame = bytes(v for y in range(STRIP, h) for x in range(w) for v in seen(x, y, w, True))
    assert snapshot[3 * w * STRIP:] == frame
    assert file_format(saved) == f"PNG {w} {h}", file_format(saved)
    picture = file_rgb(saved)
    assert len(picture) == len(snapshot) and picture != snapshot

    # Nine cells, all different: eight screens of the program (their title bar is in place),
    # then the saved picture.
    assert tiles == 9
    columns, (cell_w, cell_h) = run_headless.COLUMNS, run_headless.CELL
    width = columns * cell_w + 2 * run_headless.MARGIN
    height = run_headless.TITLE_HEIGHT + 3 * cell_h + run_headless.MARGIN
    assert file_format(sheet) == f"PNG {width} {height}", file_format(sheet)
    pixels = file_rgb(sheet)

    def at(x, y):
        return tuple(pixels[3 * (y * width + x):3 * (y * width + x) + 3])

    boxes = []
    for k in range(tiles):
        x, y, bw, bh = run_headless.cell_picture(k)
        scale = bw / 1024
        r, g, b = at(x + int(TITLE_BAR[0] * scale), y + int(TITLE_BAR[1] * scale))
        is_title = r > 200 and 80 < g < 170 and b < 130
        assert is_title == (k < tiles - 1), (k, (r, g, b))
        boxes.append(b"".join(pixels[3 * (row * width + x):3 * (row * width + x + bw)]
                              for row in range(y, y + bh)))
    assert len(set(boxes)) == tiles
