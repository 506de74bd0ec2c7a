"""Live effects on the camera screen: the chosen effect on every preview frame, the snapshot
that keeps it, "None" back to the plain camera, and a display change and screen switches while
an effect runs."""

from flimmer import OK, save_screen, picture_pixels
from harness import Session
from test_camera import (AREA_600, CAMERA_OK, camera_state, change_display_to_a_new_graph,
                         close_camera_screen, fitted,
                         expect_frame_picture, expect_running_preview, program_threads, seen,
                         start_with_camera, wait_for_frames, wait_for_held_frame)

NONE = 0
NEGATIVE, MOSAIC, SKETCH, PAINT_X7 = 1, 6, 12, 8


def live_tile(effect):
    """A point inside the camera screen's tile of an effect (None for the plain camera); the
    same on every layout."""
    k = 0 if effect is None else effect + 1
    return 24 + 76 * (k % 4) + 35, 232 + 44 * (k // 4) + 21


def negative(raw):
    return bytes(255 - v for v in raw)


def mosaic(raw, w, h):
    """Whole 5 x 5 blocks take their average (truncated), the rest stays black."""
    out = bytearray(len(raw))
    for by in range(0, h - h % 5, 5):
        for bx in range(0, w - w % 5, 5):
            for k in range(3):
                total = sum(raw[3 * ((by + j) * w + bx + i) + k] for j in range(5) for i in range(5))
                for j in range(5):
                    for i in range(5):
                        out[3 * ((by + j) * w + bx + i) + k] = total // 25
    return bytes(out)


def wait_shown(s, rect, want, what):
    s.wait_until(lambda: picture_pixels(s, *rect) == want, timeout=10, interval=0.2, what=what)


def scenario_live_effect_preview_and_snapshot():
    with Session("live-effects") as s:
        # Rows of 638 pixels are padded; the camera repeats its sixth frame from then on, so the
        # preview holds its last frame still for the comparisons.
        proc = start_with_camera(s, Sizes="638x480", HoldAfter=6)
        s.wait_window("Child01", 30000)  # a loaded machine starts the graph slowly
        rect = fitted(AREA_600, (638, 480))
        wait_for_held_frame(s, rect)
        expect_frame_picture(s, (638, 480), True, window="Child01")
        plain = picture_pixels(s, *rect)
        w, h = rect[2], rect[3]

        # The caption line names the tile under the mouse, and the chosen effect otherwise.
        caption = (24, 211, 298, 18)
        nothing_chosen = picture_pixels(s, *caption)
        s.xdotool("mousemove", *live_tile(MOSAIC))
        s.wait_until(lambda: picture_pixels(s, *caption) != nothing_chosen,
                     what="the hovered effect's name")
        mosaic_named = picture_pixels(s, *caption)
        s.xdotool("mousemove", *CAMERA_OK)
        s.wait_until(lambda: picture_pixels(s, *caption) == nothing_chosen,
                     what="the caption of no effect")

        # A tile shows its effect on the held frame at once.
        s.click("Child01", *live_tile(NEGATIVE))
        wait_shown(s, rect, negative(plain), "the negative of the frame")
        s.click("Child01", *live_tile(MOSAIC))
        wait_shown(s, rect, mosaic(plain, w, h), "the mosaic of the frame")
        s.xdotool("mousemove", *CAMERA_OK)
        s.wait_until(lambda: picture_pixels(s, *caption) == mosaic_named,
                     what="the chosen effect's name")
        s.click("Child01", *live_tile(SKETCH))
        s.wait_until(lambda: picture_pixels(s, *rect) not in (plain, mosaic(plain, w, h)),
                     what="the sketch of the frame")
        sketch = picture_pixels(s, *rect)
        save_screen(s, "camera-effect")

        # The snapshot is the picture the preview showed, pixel for pixel.
        s.post_click("Child01", *CAMERA_OK)
        s.wait_window("Child02")
        assert s.rect("ChildImage") == rect
        wait_shown(s, rect, sketch, "the sketched snapshot")

        # Back on the camera screen the effect is still chosen; None brings the plain camera.
        s.post_click("Child02", 950, 5)
        s.wait_window("Child01")
        wait_shown(s, rect, sketch, "the sketch again")
        s.click("Child01", *live_tile(None))
        wait_shown(s, rect, plain, "the plain frame")

        # The gallery's own press on the plain snapshot gives the sketch the preview showed.
        s.post_click("Child01", *CAMERA_OK)
        s.wait_window("Child02")
        wait_shown(s, rect, plain, "the plain snapshot")
        for here, there in (("Child02", "Child03"), ("Child03", "Child40"),
                            ("Child40", "Child05")):
            s.click(here, *OK)
            s.wait_window(there)
        s.click("Child05", 21 + 100 * (SKETCH % 3) + 48, 38 + 100 * (SKETCH // 3) + 48)
        wait_shown(s, rect, sketch, "the gallery's sketch of the same frame")
        s.post_click("Child05", 980, 5)
        s.expect_exit(proc, 15)


scenario_live_effect_preview_and_snapshot.timeout = 420


def expect_negative_preview(s, area, frame):
    """Block centres of the streaming preview show the camera's pattern inverted."""
    x, y, w, h = fitted(area, frame)
    fw, fh = frame

    def inverted():
        for bx in (1, 7, fw // 16 - 2):
            for by in (2, fh // 32, fh // 16 - 2):
                sx, sy = 16 * bx + 8, 16 * by + 8
                got = s.pixel(x + sx * w // fw, y + sy * h // fh)
                want = tuple(255 - v for v in seen(sx, sy, fw, True))
                if max(abs(a - b) for a, b in zip(got, want)) > 4:
                    return False
        return True
    s.wait_until(inverted, timeout=10, interval=0.2, what="the inverted camera pattern")


def scenario_display_change_and_screen_switches_with_a_live_effect():
    with Session("live-effects-display", 1366, 768) as s:
        proc = start_with_camera(s, Sizes="640x480")
        s.wait_window("Child01", 30000)
        area_768 = (443, 62, 800, 640)
        wait_for_frames(s, 3)
        expect_running_preview(s, area_768)
        s.click("Child01", *live_tile(PAINT_X7))
        save_screen(s, "camera-effect-1366")
        s.click("Child01", *live_tile(NEGATIVE))
        expect_negative_preview(s, area_768, (640, 480))

        # A display change keeps the effect in the new picture area, on a new graph.
        change_display_to_a_new_graph(s)
        expect_negative_preview(s, AREA_600, (640, 480))

        # Leaving and coming back while the heaviest effect runs on every frame: each graph
        # goes with its screen and no thread is left behind.
        s.click("Child01", *live_tile(PAINT_X7))
        threads = gdi = None
        for _ in range(4):
            s.post_click("Child01", *CAMERA_OK)
            s.wait_window("Child02")
            s.post_click("Child02", 950, 5)
            s.wait_window("Child01")
            expect_running_preview(s, AREA_600)
            threads = threads or program_threads(proc)
            gdi = gdi or int(s.auto_ok("gdi-objects")[0])
        assert camera_state(s, "Destroyed") == camera_state(s, "Created") - 1
        assert program_threads(proc) <= threads + 1, (threads, program_threads(proc))
        # The picker's surfaces go with each visit's screen.
        assert int(s.auto_ok("gdi-objects")[0]) <= gdi + 2, (gdi, s.auto_ok("gdi-objects"))
        s.click("Child01", *live_tile(None))
        close_camera_screen(s, proc)
        assert camera_state(s, "Destroyed") == camera_state(s, "Created")


scenario_display_change_and_screen_switches_with_a_live_effect.timeout = 420
