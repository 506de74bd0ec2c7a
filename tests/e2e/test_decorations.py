"""The decoration screens and the pen: backgrounds painted in, stickers dragged and stamped,
foregrounds and covers, free-hand drawing, and what each leaves behind."""

import shutil
import subprocess
import time

from flimmer import (CLEARS, CONVERT, IDENTIFY, OK, PHOTOS, PRE, REDO, SELECTOR, UNDO,
                     answer_no_camera, file_rgb, history_files, is_loader_error, open_picture,
                     picture_pixels, save_screen, too_large)
from harness import FLIMMER_EXE, Session

# The bottom row: UNDO is the "Redos" button (a step back), REDO the "Undos" one (forward).
BACK, FORWARD = UNDO, REDO
PICTURE_EXTENSIONS = {".bmp", ".png", ".jpg", ".jpeg", ".jfif", ".tif", ".tiff", ".gif"}
PHOTO = "chelsea.png"
PW, PH = 451, 300
# Buttons beside the thumbnails.
PGUP, PGDN = (224, 166), (272, 166)
PEN_ENLARGE, PEN_COLOUR = (78, 166), (174, 166)


def thumbnail(s_index):
    """A point inside thumbnail slot s_index (0..15)."""
    return 36 + 70 * (s_index % 4) + 32, 194 + 70 * (s_index // 4) + 32


def thumbnail_pictures(s):
    """The insides of the 16 slots, where the hover and selection marks leave no trace."""
    grid = picture_pixels(s, 36, 194, 274, 274)
    return [grid[3 * (y * 274 + x):3 * (y * 274 + x) + 3]
            for k in range(16) for y in range(70 * (k // 4) + 10, 70 * (k // 4) + 54, 4)
            for x in range(70 * (k % 4) + 10, 70 * (k % 4) + 54, 4)]


def decoration_files(folder):
    """The picture files of a decoration folder in the program's order: each folder's files
    by name, then its subfolders, breadth first; dot names skipped."""
    order, waiting = [], [folder]
    while waiting:
        current = waiting.pop(0)
        entries = sorted((e for e in current.iterdir() if not e.name.startswith(".")),
                         key=lambda e: (e.name.lower(), e.name))
        order += [e for e in entries if e.is_file() and e.suffix.lower() in PICTURE_EXTENSIONS]
        waiting += [e for e in entries if e.is_dir()]
    return order


def picture_size(path):
    out = subprocess.run([IDENTIFY, "-format", "%w %h", f"{path}[0]"], capture_output=True,
                         text=True, check=True).stdout
    return tuple(int(v) for v in out.split())


def resized_rgb(path, w, h):
    return subprocess.run([CONVERT, f"{path}[0]", "-resize", f"{w}x{h}!", "-depth", "8",
                           "rgb:-"], capture_output=True, check=True).stdout


def composite(base, sticker, sw, sh, x, y, keyed):
    """A sticker weighted by its own colours over the picture at (x, y), clipped."""
    out = bytearray(base)
    for i in range(sh):
        py = y + i
        if not 0 <= py < PH:
            continue
        for j in range(sw):
            px = x + j
            if not 0 <= px < PW:
                continue
            k, p = 3 * (i * sw + j), 3 * (py * PW + px)
            d = sticker[k:k + 3]
            if keyed:
                r, g, b = d
                if r + g + b == 0:
                    continue
                blends = abs(r - g) < 30 or abs(b - g) < 30 or abs(b - r) < 30
                if r >= 128 or g >= 128 or b >= 128 or not blends:
                    out[p:p + 3] = d
                    continue
            for c in range(3):
                out[p + c] = (base[p + c] * (255 - d[c]) + d[c] * d[c]) // 255
    return bytes(out)


def blend_full(base, picture, weights):
    return bytes((b * (255 - w) + d * w) // 255 for b, d, w in zip(base, picture, weights))


def close_fraction(shown, expected, indices, tolerance=24):
    """Share of the pixels whose channels all lie within tolerance of the expected ones
    (the program stretches through GDI+, the test through ImageMagick)."""
    near = sum(1 for i in indices
               if max(abs(shown[3 * i + c] - expected[3 * i + c]) for c in range(3)) <= tolerance)
    return near / max(1, len(indices))


class Road:
    """A started program with a photo opened and walked to the Background screen."""

    def __init__(self, s, exe=None):
        self.s = s
        self.photo = s.dir / PHOTO
        shutil.copy(PHOTOS / PHOTO, self.photo)
        self.proc = s.start(exe)
        answer_no_camera(s)
        s.wait_window("Child00")
        open_picture(s, self.photo)
        for here, there in [("Child02", "Child03"), ("Child03", "Child40")]:
            s.click(here, *OK)
            s.wait_window(there)
        self.screen = "Child40"
        self.x, self.y, w, h = s.rect("ChildImage")
        assert (w, h) == (PW, PH), (w, h)
        self.original = file_rgb(self.photo)

    def shown(self):
        return picture_pixels(self.s, self.x, self.y, PW, PH)

    def wait_shown(self, expected, what):
        self.s.wait_until(lambda: self.shown() == expected, what=what)

    def settled(self):
        """The picture once two reads in a row agree."""
        last = self.shown()
        while True:
            now = self.shown()
            if now == last:
                return now
            last = now

    def press(self, point):
        self.s.click(self.screen, *point)

    def go(self, selector, screen):
        self.s.click(self.screen, *SELECTOR[selector])
        self.s.wait_window(screen)
        self.screen = screen

    def drag(self, button, points):
        """Presses the button at the first point and moves through the others. The moves
        are spaced out: a busy program sees only the last of a burst of moves, which
        leaves gaps in a stroke."""
        s = self.s
        s.xdotool("mousemove", "--sync", self.x + points[0][0], self.y + points[0][1])
        s.xdotool("mousedown", button)
        for px, py in points[1:]:
            s.xdotool("mousemove", "--sync", self.x + px, self.y + py)
            time.sleep(0.02)

    def release(self, button):
        self.s.xdotool("mouseup", button)

    def click_picture(self, px, py, repeat=1):
        self.s.xdotool("mousemove", "--sync", self.x + px, self.y + py)
        self.s.xdotool("click", "--repeat", repeat, "--delay", 80, 1)

    def clipboard_matches(self, px, py):
        """A right click copies the picture shown: the clipboard's pixel is the shown one."""
        self.s.auto_ok("rclick", "ChildImage", 2, 2)
        size, colour = self.s.auto_ok("clipboard-pixel", px, py)[:2]
        shown = self.shown()
        p = 3 * (py * PW + px)
        copied = tuple(int(v) for v in colour.split())
        return size == f"{PW} {PH}" and copied == tuple(shown[p:p + 3])

    def close(self):
        self.s.click(self.screen, 980, 5)
        self.s.expect_exit(self.proc, 15)


def thickness(picture, y, colour, x=180):
    """Pixels of the colour in the column through a horizontal stroke at height y."""
    return sum(1 for row in range(y - 40, y + 41)
               if picture[3 * (row * PW + x):3 * (row * PW + x) + 3] == colour)


def row_colours(picture, y, x0, x1):
    return [picture[3 * (y * PW + x):3 * (y * PW + x) + 3] for x in range(x0, x1)]


def line(x0, x1, y, step=4):
    return [(x, y) for x in range(x0, x1 + 1, step)]


def scenario_background_painted_in_and_one_colour_replaced():
    with Session("decorations-background") as s:
        road = Road(s)
        backgrounds = decoration_files(FLIMMER_EXE.parent / "Background")
        assert len(backgrounds) >= 12, backgrounds
        background = resized_rgb(backgrounds[0], PW, PH)
        road.press(thumbnail(0))
        assert road.shown() == road.original  # choosing changes nothing on screen
        # The thumbnail under the mouse is marked, and unmarked when the mouse leaves it.
        slot = (36 + 70, 194, 64, 64)
        plain = picture_pixels(s, *slot)
        s.auto_ok("move", "Child40", *thumbnail(1))
        s.wait_until(lambda: picture_pixels(s, *slot) != plain, what="the hover mark")
        s.auto_ok("move", "Child40", 600, 300)
        s.wait_until(lambda: picture_pixels(s, *slot) == plain, what="the mark gone")

        # Quick moves farther apart than the brush is wide: painted in between them too.
        road.drag(1, line(100, 350, 150, 50))
        road.release(1)
        painted = road.settled()
        core = [y * PW + x for y in range(146, 155) for x in range(112, 339)]
        assert close_fraction(painted, background, core) > 0.9
        assert close_fraction(painted, road.original, core) < 0.5
        outside = [y * PW + x for y in range(0, 100) for x in range(PW)]
        assert all(painted[3 * i:3 * i + 3] == road.original[3 * i:3 * i + 3] for i in outside)
        assert len(history_files(s)) == 1

        # A double-click makes the colour under the mouse the key: every pixel of it shows
        # the background, wherever it lies.
        key = painted[3 * (40 * PW + 40):3 * (40 * PW + 40) + 3]
        same = [i for i in range(PW * PH) if painted[3 * i:3 * i + 3] == key]
        road.click_picture(40, 40, repeat=2)
        s.wait_until(lambda: road.shown() != painted, what="the key colour replaced")
        keyed = road.settled()
        assert close_fraction(keyed, background, same) > 0.9, len(same)
        others = set(range(PW * PH)) - set(same)
        assert all(keyed[3 * i:3 * i + 3] == painted[3 * i:3 * i + 3] for i in others)
        # Both clicks of the double-click were releases: two more states.
        assert len(history_files(s)) == 3
        # A right click copies the picture; its release takes a state as well.
        assert road.clipboard_matches(200, 150)
        assert len(history_files(s)) == 4
        save_screen(s, "background")

        for _ in range(4):
            road.press(BACK)
        road.wait_shown(road.original, "four steps back to the entry picture")
        road.press(FORWARD)
        road.wait_shown(painted, "one step forward to the stroke")
        road.press(CLEARS)
        road.wait_shown(road.original, "Clears")
        road.press(FORWARD)  # the bottom was reached before: forward shows it again
        road.wait_shown(painted, "forward after Clears")
        # A click without a stroke still takes a state, of the picture now shown.
        road.click_picture(200, 200)
        road.press(BACK)
        road.wait_shown(painted, "back from the unchanged state")
        road.press(FORWARD)
        road.wait_shown(painted, "the unchanged state")
        # OK commits and the visit's files go with the screen.
        road.press(OK)
        s.wait_window("Child05")
        road.screen = "Child05"
        assert history_files(s) == []
        assert road.shown() == painted
        road.close()


def scenario_stickers_dragged_stamped_and_undone():
    with Session("decorations-stickers") as s:
        road = Road(s)
        stickers = decoration_files(FLIMMER_EXE.parent / "Ornament")
        assert len(stickers) >= 17, len(stickers)
        pictures = [(file_rgb(p), *picture_size(p)) for p in stickers[:5] + [stickers[16]]]
        road.go(2, "Child42")

        s0, w0, h0 = pictures[0]
        road.press(thumbnail(0))
        road.wait_shown(composite(road.original, s0, w0, h0, 0, 0, True), "the first sticker")
        assert history_files(s) == []  # nothing to remember yet

        # Grab it in the middle and drop it with its centre on (300, 150).
        road.drag(1, [(w0 // 2, h0 // 2)] + line(w0 // 2 + 6, 300, h0 // 2, 6) + [(300, 150)])
        road.release(1)
        x0, y0 = 300 - w0 // 2, 150 - h0 // 2
        dropped = composite(road.original, s0, w0, h0, x0, y0, True)
        road.wait_shown(dropped, "the sticker dropped")
        # A click beside it stamps it where it lies.
        road.click_picture(PW - 3, PH - 3)
        road.wait_shown(dropped, "the stamp")

        # The next sticker takes the picture with the first one as an undo step.
        s1, w1, h1 = pictures[1]
        road.press(thumbnail(1))
        road.wait_shown(composite(dropped, s1, w1, h1, 0, 0, True), "the second sticker")
        assert len(history_files(s)) == 1
        save_screen(s, "stickers")
        road.press(BACK)
        road.wait_shown(road.original, "back to the entry picture")
        road.press(FORWARD)
        road.wait_shown(dropped, "forward to the stamped sticker")
        assert road.clipboard_matches(300, 150)

        # "fun2" here commits the floating sticker and stays; a sticker that was neither
        # stamped nor committed goes when the next one is chosen.
        s2, w2, h2 = pictures[2]
        road.press(thumbnail(2))
        with_two = composite(dropped, s2, w2, h2, 0, 0, True)
        road.wait_shown(with_two, "the third sticker")
        road.press(SELECTOR[2])
        assert s.count("Child4") == 1 and s.rect("Child42")
        s3, w3, h3 = pictures[3]
        road.press(thumbnail(3))
        road.wait_shown(composite(with_two, s3, w3, h3, 0, 0, True), "over the committed one")
        s4, w4, h4 = pictures[4]
        road.press(thumbnail(4))
        road.wait_shown(composite(with_two, s4, w4, h4, 0, 0, True), "the floating one gone")

        # The second page starts with the 17th file; there is no third.
        first_page = thumbnail_pictures(s)
        road.press(PGDN)
        s.wait_until(lambda: thumbnail_pictures(s) != first_page, what="page 2")
        second_page = thumbnail_pictures(s)
        s16, w16, h16 = pictures[5]
        road.press(thumbnail(0))
        road.wait_shown(composite(with_two, s16, w16, h16, 0, 0, True), "the 17th sticker")
        if len(stickers) <= 32:
            road.press(PGDN)
            assert thumbnail_pictures(s) == second_page
        road.press(PGUP)
        s.wait_until(lambda: thumbnail_pictures(s) == first_page, what="page 1 again")

        # The weighted screen: each channel as opaque as it is bright. fun3 committed the 17th.
        road.go(3, "Child43")
        assert history_files(s) == []
        base = composite(with_two, s16, w16, h16, 0, 0, True)
        road.press(thumbnail(0))
        weighted = composite(base, s0, w0, h0, 0, 0, False)
        road.wait_shown(weighted, "a weighted sticker")
        # The right click grabbed it, so its release counts as a drop: the next choice
        # takes an undo step.
        assert road.clipboard_matches(20, 20)
        road.press(thumbnail(0))
        road.wait_shown(weighted, "the same sticker again")
        assert len(history_files(s)) == 1
        save_screen(s, "stickers-weighted")
        # The selector commits: the pen screen's entry picture holds the sticker.
        road.go(1, "Child41")
        assert history_files(s) == []
        road.press(CLEARS)
        road.wait_shown(composite(base, s0, w0, h0, 0, 0, False), "committed by fun1")

        # The gallery borrows the decoration planes; back on a sticker screen, a click before
        # any choice composites nothing of what they hold.
        road.press(OK)
        s.wait_window("Child05")
        road.screen = "Child05"
        road.press((21 + 100 * 2 + 48, 38 + 100 * 1 + 48))
        s.wait_until(lambda: road.shown() != road.original, what="an effect")
        road.press(PRE)
        s.wait_window("Child40")
        road.screen = "Child40"
        road.go(2, "Child42")
        effected = road.settled()
        road.click_picture(PW - 3, PH - 3)  # a stamp of whatever is placed
        assert road.settled() == effected
        road.close()


def scenario_foreground_and_cover_keep_their_files():
    with Session("decorations-overlays") as s:
        road = Road(s)
        folder = FLIMMER_EXE.parent
        files_before = sorted(p for p in folder.rglob("*") if p.is_file())
        foregrounds = decoration_files(folder / "Foreground")
        weights = decoration_files(folder / "ForegroundB")
        assert [p.name for p in foregrounds] == [p.name for p in weights]
        road.go(4, "Child44")
        every = list(range(PW * PH))

        road.press(thumbnail(0))
        s.wait_until(lambda: road.shown() != road.original, what="the foreground")
        foreground = road.settled()
        expected = blend_full(road.original, resized_rgb(foregrounds[0], PW, PH),
                              resized_rgb(weights[0], PW, PH))
        assert close_fraction(foreground, expected, every) > 0.95
        save_screen(s, "foreground")
        assert road.clipboard_matches(225, 150)

        # The same thumbnail again does nothing: one step back reaches the entry picture.
        road.press(thumbnail(0))
        road.press(BACK)
        road.wait_shown(road.original, "back to the entry picture")
        road.press(FORWARD)
        road.wait_shown(foreground, "forward to the foreground")
        # After another button the same thumbnail applies again: two states now.
        road.press(PGUP)
        road.press(thumbnail(0))
        road.press(BACK)
        road.wait_shown(foreground, "back to the first application")
        road.press(BACK)
        road.wait_shown(road.original, "back to the entry picture")
        road.press(CLEARS)
        road.press(FORWARD)
        road.wait_shown(foreground, "forward from Clears to the bottom state")

        # fun5 commits the foreground; the cover lies over it.
        road.go(5, "Child45")
        covers = decoration_files(folder / "Cover")
        road.press(thumbnail(0))
        s.wait_until(lambda: road.shown() != foreground, what="the cover")
        covered = road.settled()
        cover = resized_rgb(covers[0], PW, PH)
        assert close_fraction(covered, blend_full(foreground, cover, cover), every) > 0.95
        save_screen(s, "cover")
        assert road.clipboard_matches(5, 5)
        road.press(BACK)
        road.wait_shown(foreground, "back to the committed foreground")
        road.press(FORWARD)
        road.wait_shown(covered, "forward to the cover")
        # "Pre" leaves without committing: the perspective screen's entry picture is the
        # picture with the foreground only.
        road.press(PRE)
        s.wait_window("Child03")
        road.screen = "Child03"
        road.press(CLEARS)
        road.wait_shown(foreground, "the cover left uncommitted")
        # Leaving 44 and 45 removed no decoration file.
        assert sorted(p for p in folder.rglob("*") if p.is_file()) == files_before
        road.close()


def scenario_pen_draws_erases_and_keeps_its_width_and_colour():
    with Session("decorations-pen") as s:
        road = Road(s)
        road.go(1, "Child41")
        road.screen = "Child41"
        s.post_click("Child41", *PEN_COLOUR)
        s.auto_ok("color-dialog", 0, 200, 0)
        green = bytes((0, 200, 0))

        road.drag(1, line(60, 300, 100))
        # While the button is held only the window changes.
        s.wait_until(lambda: set(row_colours(road.shown(), 100, 64, 297)) == {green},
                     what="the stroke in the chosen colour")
        assert history_files(s) == []
        road.release(1)
        s.wait_until(lambda: len(history_files(s)) == 1, what="the stroke's state")
        stroke = road.settled()

        # The right button copies the picture, then rubs the stroke out to the entry picture.
        road.drag(3, line(60, 300, 100))
        road.release(3)
        s.wait_until(lambda: len(history_files(s)) == 2, what="the eraser's state")
        size, colour = s.auto_ok("clipboard-pixel", 150, 100)[:2]
        assert colour == "0 200 0", colour
        erased = road.settled()
        row = range(3 * (100 * PW + 64), 3 * (100 * PW + 297))
        assert all(erased[i] == road.original[i] for i in row)
        road.press(BACK)
        road.wait_shown(stroke, "back to the stroke")
        road.press(FORWARD)
        road.wait_shown(erased, "forward to the rubbed-out stroke")

        # Five steps wider, away to another screen and back: width and colour stay.
        for _ in range(5):
            road.press(PEN_ENLARGE)
        road.go(2, "Child42")
        assert history_files(s) == []
        road.go(1, "Child41")
        road.drag(1, line(60, 300, 200))
        road.release(1)
        wide = road.settled()
        thin, thick = thickness(stroke, 100, green), thickness(wide, 200, green)
        assert 9 <= thin <= 11 and 4 <= thick - thin <= 6, (thin, thick)
        # A cancelled colour dialog keeps the colour.
        s.post_click("Child41", *PEN_COLOUR)
        s.auto_ok("color-dialog-cancel")
        road.drag(1, line(60, 120, 260))
        road.release(1)
        again = road.settled()
        assert again[3 * (260 * PW + 90):3 * (260 * PW + 90) + 3] == green
        assert road.clipboard_matches(90, 260)
        save_screen(s, "pen")

        # Ten quick moves across 380 pixels: one unbroken stroke, as thick as a dot everywhere,
        # and the eraser takes it all out again.
        fast = line(40, 420, 150, 38)
        for button, what in ((1, "the quick stroke"), (3, "the quick rub-out")):
            states = len(history_files(s))
            road.drag(button, fast)
            road.release(button)
            s.wait_until(lambda: len(history_files(s)) == states + 1, what=f"{what}'s state")
            if button == 1:
                quick = road.settled()
                gaps = [x for x in range(40, 421) if thickness(quick, 150, green, x) != thick]
                assert gaps == [], gaps
        rubbed = road.settled()
        assert row_colours(rubbed, 150, 25, 436) == row_colours(road.original, 150, 25, 436)

        # A click without a move leaves one dot of the pen's width.
        before, states = road.settled(), len(history_files(s))
        road.click_picture(225, 40)
        s.wait_until(lambda: len(history_files(s)) == states + 1, what="the click's state")
        after = road.settled()
        changed = [(i // 3 % PW, i // 3 // PW) for i in range(0, len(after), 3)
                   if after[i:i + 3] != before[i:i + 3]]
        assert changed and all(after[3 * (y * PW + x):3 * (y * PW + x) + 3] == green
                               and abs(x - 225) <= thick // 2 + 1 and abs(y - 40) <= thick // 2 + 1
                               for x, y in changed), changed
        assert sum(1 for x, _ in changed if x == 225) == thick
        assert sum(1 for _, y in changed if y == 40) == thick
        road.close()


def scenario_bad_decorations_are_reported_and_refused():
    with Session("decorations-bad-input") as s:
        folder = s.dir / "Flimmer"
        shutil.copytree(FLIMMER_EXE.parent, folder)
        shutil.rmtree(folder / "Cover")
        (folder / "Ornament" / "000_broken.png").write_text("not a picture")
        subprocess.run([CONVERT, "-size", "1000x600", "xc:#ff0000",
                        str(folder / "Ornament" / "001_huge.png")], check=True)
        road = Road(s, folder / "flimmer.exe")
        road.go(2, "Child42")
        # The unreadable file's slot is black; choosing it reports the loader's status.
        slot = thumbnail(0)
        assert s.pixel(slot[0], slot[1]) == (0, 0, 0)
        s.post_click("Child42", *slot)
        caption, text = s.msgbox_ok()
        assert is_loader_error(caption, text), (caption, text)
        s.post_click("Child42", *thumbnail(1))
        assert s.msgbox_ok() == too_large(1000, 600)
        assert road.shown() == road.original

        # A history file removed while the screen is open: stepping onto it changes nothing.
        road.press(thumbnail(2))
        road.drag(1, [(20, 20), (60, 60), (100, 100)])
        road.release(1)
        road.press(thumbnail(3))
        files = history_files(s)
        assert len(files) == 1
        files[0].unlink()
        road.press(BACK)
        road.wait_shown(road.original, "back to the entry picture")
        road.press(FORWARD)
        assert road.settled() == road.original

        # A missing folder: the catalogue's message and sixteen empty slots.
        s.post_click("Child42", *SELECTOR[5])
        caption, text = s.msgbox_ok()
        assert caption == "Debug", caption
        assert text.startswith("Flimmer could not read the folder of this screen's pictures, so "
                               "there is nothing to choose here. Installing Flimmer again puts "
                               r"the folder back.\n\nInvalid File Handle. Get Last Error "
                               "reports "), text
        assert text.endswith("\\Cover"), text
        s.wait_window("Child45")
        road.screen = "Child45"
        before = road.shown()
        road.press(thumbnail(0))
        assert road.settled() == before
        assert all(s.pixel(*thumbnail(k)) == (0, 0, 0) for k in (0, 15))
        road.close()


for _scenario in (scenario_background_painted_in_and_one_colour_replaced,
                  scenario_stickers_dragged_stamped_and_undone,
                  scenario_foreground_and_cover_keep_their_files,
                  scenario_pen_draws_erases_and_keeps_its_width_and_colour,
                  scenario_bad_decorations_are_reported_and_refused):
    _scenario.timeout = 600


def scenario_another_window_over_the_picture_never_ends_up_in_it():
    with Session("decorations-covered") as s:
        road = Road(s)
        # Another program's window lies over the lower half of the picture while the user
        # paints and commits in the upper half.
        cover = s.cover(road.x, road.y + PH // 2, PW, PH - PH // 2)
        road.go(1, "Child41")
        road.screen = "Child41"
        road.drag(1, line(60, 300, 40))
        road.release(1)
        s.wait_until(lambda: len(history_files(s)) == 1, what="the stroke's state")
        s.release_file(cover)
        s.auto_ok("wait-gone", "FlimautoCover")
        # The picture is drawn anew from what was committed: a step back and forward.
        road.press(BACK)
        road.wait_shown(road.original, "back to the entry picture")
        road.press(FORWARD)
        s.wait_until(lambda: road.shown() != road.original, what="forward to the stroke")
        stroke = road.settled()
        lower = slice(3 * PW * (PH // 2), 3 * PW * PH)
        assert stroke[lower] == road.original[lower], "the covering window was baked in"
        assert bytes((0, 255, 0)) not in {stroke[i:i + 3] for i in range(0, len(stroke), 3)}
        road.close()

