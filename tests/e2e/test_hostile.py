"""Awkward files through every place that opens a picture: the start screen's Open button, the
camera screen's Files button, the decoration folders and the start screen's preview of the last
picture. Each file gets its own message or is skipped or opened; nothing else changes."""

import shutil
import struct
import zlib

from flimmer import (CONFIG_KEY, HOME, PHOTOS, START_CAMERA, START_CLOSE, START_OPEN,
                     answer_no_camera, is_loader_error, loader_error, start_to_start_screen,
                     too_large)
from harness import FLIMMER_EXE, Session
from test_camera import (AREA_600, CAMERA_FILES, close_camera_screen, expect_running_preview,
                         start_with_camera)
from test_decorations import PGDN, Road, thumbnail
from test_first_road import back_to_start, expect_centred
from test_reliability import preview

PICTURE_EXTENSIONS = (".bmp", ".png", ".jpg", ".jpeg", ".jfif", ".tif", ".tiff", ".gif")
# Pictures with more pixels are not drawn at all (the bitmap and its copies would not fit).
MAX_DRAWN_PIXELS = 1 << 27
PLANE_CAPACITY = 800 * 640
BOMB_COLOUR = (200, 30, 120)


def is_picture_name(name):
    return name.lower().endswith(PICTURE_EXTENSIONS)


class Case:
    """A file and what the imaging library makes of it: its size, or the status it fails with
    (None for a folder)."""

    def __init__(self, path, size=None, status=None):
        self.path, self.size, self.status = path, size, status

    @property
    def name(self):
        return self.path.name

    @property
    def picture_kind(self):
        return is_picture_name(self.name)

    def error(self):
        return loader_error(self.status)


def png(width, height, colour_type, depth, raw, palette=None):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    head = chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0))
    plte = chunk(b"PLTE", bytes(palette)) if palette else b""
    return b"\x89PNG\r\n\x1a\n" + head + plte + chunk(b"IDAT", raw) + chunk(b"IEND", b"")


def bomb(side):
    """A one-colour picture of side x side in a few tens of kilobytes: one bit per pixel."""
    row = b"\0" * (1 + (side + 7) // 8)
    packer = zlib.compressobj(9)
    raw = b"".join(packer.compress(row) for _ in range(side)) + packer.flush()
    return png(side, side, 3, 1, raw, BOMB_COLOUR)


def padded_path(folder, length, name):
    """folder/<padding>/name whose Windows name has exactly `length` characters."""
    base = len(Session.winpath(folder)) + 1 + len(name) + 1
    assert 0 < length - base <= 255, length - base
    sub = folder / ("L" * (length - base))
    sub.mkdir(exist_ok=True)
    path = sub / name
    assert len(Session.winpath(path)) == length
    return path


def photo_cases():
    sizes = {"astronaut.png": (512, 512), "camera.png": (512, 512), "chelsea.bmp": (451, 300),
             "chelsea.png": (451, 300), "chelsea.jpeg": (451, 300), "coffee.png": (600, 400),
             "coffee.tif": (600, 400), "coffee-4000x3000.jpg": (4000, 3000),
             "no_time_for_that_tiny.gif": (14, 25), "one-pixel.png": (1, 1),
             "palette_color.png": (10, 10), "retina.jpg": (1411, 1411), "rocket.jpg": (640, 427),
             "strip-3000x2.png": (3000, 2), "README.md": None}
    unreadable = ["empty.png", "not-a-picture.jpg", "truncated.jpg", "multipage_rgb.tif"]
    found = sorted(p.name for p in PHOTOS.iterdir())
    assert found == sorted([*sizes, *unreadable]), "the test pictures changed: " + str(found)
    return ([Case(PHOTOS / n, size=s) for n, s in sizes.items()] +
            [Case(PHOTOS / n, status=1) for n in unreadable])


def made_cases(folder):
    """Hostile files written into folder; the long names go into padding folders of their own."""
    folder.mkdir(parents=True, exist_ok=True)
    chelsea = (PHOTOS / "chelsea.png").read_bytes()
    one_row = zlib.compress(b"\0" * (1 + 3 * 60000))
    files = {
        "zero-size.png": (b"", None, 1),
        "truncated.png": (chelsea[:len(chelsea) // 2], None, 1),
        "claims-60000x60000.png": (png(60000, 60000, 2, 8, one_row), None, 1),
        "bomb-20000x20000.png": (bomb(20000), (20000, 20000), None),
        "png-named.jpg": (chelsea, (451, 300), None),
        "jpeg-named.bmp": ((PHOTOS / "rocket.jpg").read_bytes(), (640, 427), None),
        "café-ß.png": (chelsea, (451, 300), None),
    }
    cases = []
    for name, (data, size, status) in files.items():
        (folder / name).write_bytes(data)
        cases.append(Case(folder / name, size=size, status=status))
    (folder / "folder.png").mkdir()
    cases.append(Case(folder / "folder.png"))
    return cases


def changes(before, after):
    """What differs between two snapshots, for a failure's message."""
    return sorted(set(before) ^ set(after))


def snapshot(folder):
    return sorted((str(p.relative_to(folder)), p.is_dir(), p.stat().st_size, p.stat().st_mtime_ns)
                  for p in folder.rglob("*"))


def as_reg_shows(name):
    """A name as `wine reg query` prints it, in the ANSI code page: a non-ASCII letter comes out
    as a byte that is not UTF-8, or as "?" where the code page has no such letter."""
    def shown(c):
        if ord(c) < 128:
            return c
        return "?" if c.encode("cp1252", "replace") == b"?" else "\ufffd"
    return "".join(shown(c) for c in name)


def no_message_box(s, ms=800):
    rc, _ = s.auto("msgbox", ms)
    return rc != 0


def still_there(s, proc, screen):
    """The program runs, answers its main window, and shows the screen it was on."""
    assert s.running(proc)
    s.auto_ok("gdi-objects")
    assert s.count(screen) == 1, screen
    assert s.count("Child02") == (1 if screen == "Child02" else 0)


def through_dialog(s, screen, button, path):
    """Opens path with a button and the Open dialog: "passed" when the dialog let it through,
    else ("dialog", its own message or None) after the dialog was cancelled."""
    s.post_click(screen, *button)
    rc, lines = s.auto("file-dialog", s.winpath(path), 4000, timeout=30)
    if rc == 0 and lines[:1] != ["question"]:
        return "passed"
    said = None
    if rc == 0:  # the dialog answered the name with a box of its own
        said = s.msgbox_ok()
    s.auto_ok("file-dialog-cancel")
    return ("dialog", said)


def expected_open(case, area):
    """What opening the file from the start or camera screen does: None (nothing at all), an
    ("Error", ...) message, or the size the picture arrives at."""
    if not case.picture_kind or len(Session.winpath(case.path)) > 259:
        # A name that does not fit the program's path field ends the dialog as a cancel.
        return None
    if case.size is None:
        return case.error()
    w, h = case.size
    aw, ah = area
    if w * h > MAX_DRAWN_PIXELS or aw * 100 // w < 1 or ah * 100 // h < 1:
        return loader_error(3)  # the loader's out-of-memory status
    return case.size


def open_each(s, proc, screen, button, cases, back, place, area=(640, 512)):
    """Opens every case from screen and checks what followed; returns what the dialog itself
    refused, and prints one line of what became of the files."""
    refused = {}
    counts = {"opened": 0, "refused with a message": 0, "left alone": 0}
    default_file = s.reg_query(CONFIG_KEY, "DefaultFile")
    for case in cases:
        outcome = through_dialog(s, screen, button, case.path)
        if outcome != "passed":
            refused[case.name] = outcome[1]
            assert no_message_box(s), case.name
            still_there(s, proc, screen)
            assert s.reg_query(CONFIG_KEY, "DefaultFile") == default_file, case.name
            continue
        expected = expected_open(case, area)
        counts["left alone" if expected is None else "refused with a message"
               if isinstance(expected, tuple) and expected[0] == "Error" else "opened"] += 1
        if isinstance(expected, tuple) and expected[0] == "Error":
            assert s.msgbox_ok(20000) == expected, case.name
        elif expected is not None:
            s.wait_window("Child02", 20000)
            expect_centred(s, expected, (1024, 600))
            assert no_message_box(s), case.name
            still_there(s, proc, "Child02")
            back(s)
        assert no_message_box(s), case.name
        still_there(s, proc, screen)
        if expected is not None:
            default_file = ("REG_SZ", as_reg_shows(s.winpath(case.path)))
        named = s.reg_query(CONFIG_KEY, "DefaultFile")
        assert named == default_file, (case.name, named, default_file)
    print(f"hostile files, {place}: {len(cases)} files; "
          + ", ".join(f"{n} {what}" for what, n in counts.items())
          + f", {len(refused)} stopped by the dialog")
    return refused


def long_cases(folder, content):
    """Pictures whose Windows names are 259 and 260 characters long."""
    cases = []
    for length in (259, 260):
        path = padded_path(folder, length, f"long-{length}.png")
        path.write_bytes(content)
        cases.append(Case(path, size=(451, 300)))
    return cases


def scenario_hostile_files_through_the_open_button():
    with Session("hostile-open") as s:
        folder = s.dir / "hostile"
        cases = photo_cases() + made_cases(folder)
        cases += long_cases(folder, (PHOTOS / "chelsea.png").read_bytes())
        # Outside the ANSI code page: the program's paths cannot name it.
        (folder / "фото.jpg").write_bytes((PHOTOS / "rocket.jpg").read_bytes())
        cases.append(Case(folder / "фото.jpg", status=None))
        before, photos_before = snapshot(folder), snapshot(PHOTOS)
        proc = start_to_start_screen(s)
        refused = open_each(s, proc, "Child00", START_OPEN, cases[:-1], back_to_start,
                            "Open button")

        # The name reaches the program as question marks: the loader cannot find it.
        assert through_dialog(s, "Child00", START_OPEN, folder / "фото.jpg") == "passed"
        assert s.msgbox_ok() == loader_error(1)
        still_there(s, proc, "Child00")
        assert s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", s.winpath(folder) + "\\????.jpg")

        # Only the folder stays out: the dialog enters it.
        assert refused == {"folder.png": None}, refused
        assert snapshot(folder) == before and snapshot(PHOTOS) == photos_before
        s.click("Child00", *START_CLOSE)
        s.expect_exit(proc, 15)


scenario_hostile_files_through_the_open_button.timeout = 600


def scenario_hostile_files_as_the_last_picture_preview_quietly():
    with Session("hostile-preview") as s:
        folder = s.dir / "hostile"
        cases = made_cases(folder) + photo_cases()
        cases += long_cases(folder, (PHOTOS / "chelsea.png").read_bytes())
        (folder / "фото.jpg").write_bytes((PHOTOS / "rocket.jpg").read_bytes())
        cases.append(Case(folder / "фото.jpg"))
        before = snapshot(folder)
        proc = start_to_start_screen(s)
        default = preview(s)
        bomb_case = next(c for c in cases if c.name.startswith("bomb"))
        shown = None
        previewed = 0
        for case in cases:
            s.reg_add(CONFIG_KEY, "DefaultFile", data=s.winpath(case.path))
            if case is bomb_case:
                # The most hostile one from the very start.
                s.click("Child00", *START_CLOSE)
                s.expect_exit(proc, 15)
                # Its 20000 x 20000 preview is decoded before the start screen shows, which
                # takes a while on a loaded machine.
                proc = start_to_start_screen(s, 30000)
            else:
                # The start screen reads the setting anew when the camera screen gives way to it.
                s.post_click("Child00", *START_CAMERA)
                answer_no_camera(s)
                s.wait_window("Child00", 30000)
            assert no_message_box(s), case.name
            still_there(s, proc, "Child00")
            readable = (case.picture_kind and case.size is not None and
                        len(s.winpath(case.path)) < 260 and case.name != "фото.jpg")
            previewed += readable
            if readable:
                shown = s.wait_until(lambda: preview(s) != default and preview(s),
                                     what=f"{case.name} as the preview")
            else:
                s.wait_until(lambda: preview(s) == default,
                             what=f"the default preview for {case.name}")
            if case is bomb_case:
                assert shown == [BOMB_COLOUR] * 4, shown
            # The setting is the user's: it is left as it was.
            stored = s.reg_query(CONFIG_KEY, "DefaultFile")
            assert stored == ("REG_SZ", as_reg_shows(s.winpath(case.path))), (case.name, stored)
        assert snapshot(folder) == before, changes(before, snapshot(folder))
        print(f"hostile files, last picture preview: {len(cases)} files; {previewed} shown, "
              f"{len(cases) - previewed} replaced by the default picture without a word")
        s.click("Child00", *START_CLOSE)
        s.expect_exit(proc, 15)


scenario_hostile_files_as_the_last_picture_preview_quietly.timeout = 600


def ansi_key(name):
    """The program's order of names: their ANSI bytes, ASCII letters without case."""
    raw = name.encode("cp1252", "replace")
    return bytes(b + 32 if 65 <= b <= 90 else b for b in raw), raw


def listed(folder):
    """The picture files of a decoration folder in the program's order (files by name, then
    subfolders breadth first); a name that does not fit a path field is left out."""
    order, waiting = [], [folder]
    while waiting:
        current = waiting.pop(0)
        entries = sorted(current.iterdir(), key=lambda e: ansi_key(e.name))
        for e in entries:
            if e.name.startswith(".") or len(Session.winpath(e)) > 259:
                continue
            if e.is_dir():
                waiting.append(e)
            elif is_picture_name(e.name):
                order.append(e)
    return order


def choose_each(s, road, folder, cases, expected):
    """Chooses every thumbnail of the screen in turn; expected(case) is the message or None."""
    by_path = {c.path: c for c in cases}
    files = listed(folder)
    for k, path in enumerate(files):
        if k and k % 16 == 0:
            road.press(PGDN)
        case = by_path[path]
        s.post_click(road.screen, *thumbnail(k % 16))
        message = expected(case)
        if message == "any loader status":
            caption, text = s.msgbox_ok(20000)
            assert is_loader_error(caption, text), (case.name, text)
        elif message is not None:
            assert s.msgbox_ok(20000) == message, case.name
        assert no_message_box(s), case.name
        still_there(s, road.proc, road.screen)
    # The slot after the last is empty.
    assert len(files) % 16, len(files)
    s.post_click(road.screen, *thumbnail(len(files) % 16))
    assert no_message_box(s)
    return files


def decoration_cases(folder):
    """The hostile files and the test pictures in one decoration folder."""
    cases = made_cases(folder)
    for case in photo_cases():
        shutil.copy(case.path, folder / case.name)
        cases.append(Case(folder / case.name, case.size, case.status))
    (folder / "folder.png" / "inside.png").write_bytes((PHOTOS / "one-pixel.png").read_bytes())
    cases.append(Case(folder / "folder.png" / "inside.png", size=(1, 1)))
    for case in long_cases(folder, (PHOTOS / "one-pixel.png").read_bytes()):
        cases.append(Case(case.path, size=(1, 1)))
    # Were the name too long for a path field listed all the same, its slot would say so.
    cases[-1].path.write_bytes(b"not a picture")
    (folder / "фото.jpg").write_bytes((PHOTOS / "rocket.jpg").read_bytes())
    cases.append(Case(folder / "фото.jpg", status="any"))
    return cases


def scenario_hostile_files_in_the_decoration_folders():
    with Session("hostile-decorations") as s:
        program = s.dir / "Flimmer"
        shutil.copytree(FLIMMER_EXE.parent, program)
        cases = {}
        for name in ("Background", "Ornament"):
            shutil.rmtree(program / name)
            cases[name] = decoration_cases(program / name)
        before = snapshot(program)

        def loader_message(case):
            if case.status == "any":  # a name outside the ANSI code page: never found
                return "any loader status"
            return None if case.size else case.error()

        road = Road(s, program / "flimmer.exe")
        # The background is stretched to the picture, whatever its own size.
        files = choose_each(s, road, program / "Background", cases["Background"],
                            loader_message)
        assert road.shown() == road.original
        road.go(2, "Child42")

        def sticker_message(case):
            message = loader_message(case)
            if message is None and case.size[0] * case.size[1] > PLANE_CAPACITY:
                return too_large(*case.size)
            return message

        stickers = choose_each(s, road, program / "Ornament", cases["Ornament"], sticker_message)
        assert snapshot(program) == before, changes(before, snapshot(program))
        print(f"hostile files, decoration folders: {len(files)} Background and {len(stickers)} "
              f"Ornament files chosen, each loaded or refused with its message")
        road.close()
        assert "long-259.png" in {p.name for p in files} and "long-260.png" not in {p.name for p in files}


scenario_hostile_files_in_the_decoration_folders.timeout = 600


def scenario_hostile_files_through_the_camera_screens_files_button():
    with Session("hostile-camera") as s:
        folder = s.dir / "hostile"
        cases = [c for c in made_cases(folder) if c.name != "café-ß.png"]
        cases += [c for c in photo_cases() if c.name in ("empty.png", "chelsea.jpeg", "strip-3000x2.png")]
        before = snapshot(folder)
        proc = start_with_camera(s, Sizes="640x480")
        s.wait_window("Child01", 60000)

        def back_to_camera(s):
            s.post_click("Child02", *HOME)
            s.wait_window("Child01")
            expect_running_preview(s, AREA_600)

        refused = open_each(s, proc, "Child01", CAMERA_FILES, cases, back_to_camera,
                            "camera screen's Files")
        assert refused == {"folder.png": None}, refused
        expect_running_preview(s, AREA_600)
        assert snapshot(folder) == before, changes(before, snapshot(folder))
        close_camera_screen(s, proc)


scenario_hostile_files_through_the_camera_screens_files_button.timeout = 600
