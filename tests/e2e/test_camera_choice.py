"""The camera screen's camera and size choice, and the cameras that misbehave while it runs:
unplugged, held by another program, silent.

The cameras are instances of flimvcam.dll (tests/e2e/vcam), listed by the value "Cameras";
each has its own sub-key of settings named after it. Devices are enumerated in the order of
their names, so "Flimmer Test Camera" comes before "Flimmer Test Camera 2".
"""

import time

from flimmer import CONFIG_KEY, save_screen
from harness import Session
from test_camera import (AREA_600, CAPTURE_CAPTION, VCAM_DLL, VCAM_KEY, camera_state,
                         close_camera_screen, configure_camera, expect_preview_pattern,
                         expect_running_preview, fitted, program_threads, start_with_camera,
                         wait_for_frames, wait_for_graph)

FIRST = "Flimmer Test Camera"
SECOND = "Flimmer Test Camera 2"

# The chooser row under the camera screen's heading (client coordinates): on the 1024-wide
# layouts, and on the wide one, whose panel is wider.
CAMERA_NAME = (108, 183)
CAMERA_SIZE = (261, 183)
CAMERA_NAME_WIDE = (144, 183)
CAMERA_SIZE_WIDE = (343, 183)
AREA_WIDE = (443, 62, 800, 640)

NOTICE_CARD = (98, 88, 100)  # the notice's card, where no word is written on it
NOTICE_POINT = (352 + 100, 49 + 210)
BUSY_TEXT = (f'Flimmer could not start the camera "{FIRST}". Check that it is connected and '
             "that no other program is using it, then try again. You can still open a picture "
             "from a file.")


def configure_device(s, name, **config):
    """Settings of one device only: its own sub-key."""
    for value_name, value in config.items():
        kind = "REG_DWORD" if isinstance(value, int) else "REG_SZ"
        s.reg_add(VCAM_KEY + "\\" + name, value_name, kind, value)


def register_cameras(s):
    """Registers the devices listed now; a device no longer listed is unplugged for good."""
    rc, _, err = s._wine(["wine", "regsvr32", "/s", s.winpath(VCAM_DLL)], 60)
    assert rc == 0, f"regsvr32 flimvcam.dll: {err.strip()[-300:]}"


def setting(s, name):
    found = s.reg_query(CONFIG_KEY, name)
    return found[1] if found else None


def notice_shown(s):
    return s.pixel(*NOTICE_POINT) == NOTICE_CARD


def expect_new_graph(s, created, camera, size):
    """One more filter was made for the new graph, the old one went, and the device and size
    asked for are the ones connected."""
    s.wait_until(lambda: camera_state(s, "Created") == created + 1, what="a new capture graph")
    s.wait_until(lambda: camera_state(s, "Destroyed") == created, what="the old graph gone")
    assert camera_state(s, "Camera") == camera
    assert camera_state(s, "SetFormat") == size
    assert camera_state(s, "Connected") == size + " VideoInfo"


def scenario_camera_and_size_choice_rebuilds_the_graph_and_is_remembered():
    with Session("camera-choice", 1366, 768) as s:
        configure_camera(s, Cameras=f"{FIRST},{SECOND}")
        configure_device(s, SECOND, Sizes="638x480,1280x720,320x240")
        proc = start_with_camera(s)
        s.wait_window("Child01", 30000)
        wait_for_graph(s)
        # Nothing remembered: the first device at its largest size.
        assert camera_state(s, "Camera") == FIRST
        assert camera_state(s, "SetFormat") == "1280x720"
        assert setting(s, "Camera") is None
        wait_for_frames(s, 3)
        expect_running_preview(s, AREA_WIDE, (1280, 720))

        # The name button goes to the next camera, at its largest size; both are remembered.
        created = camera_state(s, "Created")
        s.click("Child01", *CAMERA_NAME_WIDE)
        expect_new_graph(s, created, SECOND, "1280x720")
        assert setting(s, "Camera") == SECOND
        assert setting(s, "CameraSize") == "1280x720"
        expect_running_preview(s, AREA_WIDE, (1280, 720))
        save_screen(s, "camera-choice-wide")

        # The size button steps down: 638 x 480, whose padded rows are not sheared.
        created = camera_state(s, "Created")
        s.click("Child01", *CAMERA_SIZE_WIDE)
        expect_new_graph(s, created, SECOND, "638x480")
        assert setting(s, "CameraSize") == "638x480"
        expect_running_preview(s, AREA_WIDE, (638, 480))
        expect_preview_pattern(s, AREA_WIDE, (638, 480))

        # Once more, then round to the largest, and on to 638 x 480 again.
        for size in ("320x240", "1280x720", "638x480"):
            created = camera_state(s, "Created")
            s.click("Child01", *CAMERA_SIZE_WIDE)
            expect_new_graph(s, created, SECOND, size)
            assert setting(s, "CameraSize") == size

        # A display change starts a new graph with the same choice in the new picture area.
        created = camera_state(s, "Created")
        s.change_display(1024, 600)
        s.wait_until(lambda: s.rect("Flimmer") == (0, 0, 1024, 600), what="the new layout")
        expect_new_graph(s, created, SECOND, "638x480")
        expect_running_preview(s, AREA_600, (638, 480))
        expect_preview_pattern(s, AREA_600, (638, 480))
        save_screen(s, "camera-choice")

        # Leaving the screen while frames stream: each graph goes with its screen, no thread
        # is left behind.
        threads = None
        for _ in range(3):
            s.post_click("Child01", 260, 552)  # OK
            s.wait_window("Child02")
            s.post_click("Child02", 950, 5)  # H
            s.wait_window("Child01")
            expect_running_preview(s, AREA_600, (638, 480))
            threads = threads or program_threads(proc)
        assert program_threads(proc) <= threads + 1
        assert camera_state(s, "Destroyed") == camera_state(s, "Created") - 1
        close_camera_screen(s, proc)
        assert camera_state(s, "Destroyed") == camera_state(s, "Created")

        # A new start takes the remembered camera and size.
        proc = s.start()
        s.wait_window("Child01", 30000)
        s.wait_until(lambda: camera_state(s, "Camera") == SECOND, what="the remembered camera")
        assert camera_state(s, "SetFormat") == "638x480"
        wait_for_frames(s, 3)
        expect_preview_pattern(s, AREA_600, (638, 480))
        close_camera_screen(s, proc)

        # The remembered camera is gone: the first device, at its largest size, since the
        # remembered size is not among the ones it offers. The choice itself is kept.
        configure_camera(s, Cameras=FIRST)
        register_cameras(s)
        proc = s.start()
        s.wait_window("Child01", 30000)
        s.wait_until(lambda: camera_state(s, "Camera") == FIRST, what="the first camera")
        assert camera_state(s, "SetFormat") == "1280x720"
        assert setting(s, "Camera") == SECOND
        wait_for_frames(s, 3)
        expect_running_preview(s, AREA_600, (1280, 720))
        # With one camera the name button has nothing to choose: a press changes nothing.
        created = camera_state(s, "Created")
        s.click("Child01", *CAMERA_NAME)
        assert camera_state(s, "Created") == created
        save_screen(s, "camera-choice-one-camera")
        close_camera_screen(s, proc)


scenario_camera_and_size_choice_rebuilds_the_graph_and_is_remembered.timeout = 600


def scenario_unplugged_camera_shows_the_notice_and_comes_back():
    with Session("camera-lost") as s:
        configure_camera(s, Cameras=f"{FIRST},{SECOND}")
        proc = start_with_camera(s, Sizes="640x480")
        s.wait_window("Child01", 30000)
        wait_for_frames(s, 3)
        expect_running_preview(s, AREA_600)
        assert camera_state(s, "Camera") == FIRST
        created = camera_state(s, "Created")

        # Unplugged: the graph goes, the notice stands in the picture area, no box.
        configure_device(s, FIRST, Lost=1)
        s.wait_until(lambda: camera_state(s, "LostReported") == 1, what="the device lost")
        s.wait_until(lambda: notice_shown(s), what="the disconnected notice")
        s.wait_until(lambda: camera_state(s, "Destroyed") == created, what="the graph released")
        save_screen(s, "camera-disconnected")
        # The tries in the meantime (one a second) say nothing and build no filter of an
        # unplugged device, nor switch to the other camera; the notice stands.
        for _ in range(10):
            time.sleep(0.25)
            assert notice_shown(s)
        assert camera_state(s, "Created") == created
        assert s.count("#32770") == 0

        # Plugged in again: the preview comes back by itself, the notice goes.
        configure_device(s, FIRST, Lost=0)
        s.wait_until(lambda: camera_state(s, "Created") == created + 1, timeout=15,
                     what="the camera started again")
        assert camera_state(s, "Camera") == FIRST
        s.wait_until(lambda: (camera_state(s, "Delivered") or 0) > 3, what="frames again")
        expect_running_preview(s, AREA_600)
        assert not notice_shown(s)

        # Lost again, and the other camera chosen instead: its preview, no notice.
        configure_device(s, FIRST, Lost=1)
        s.wait_until(lambda: notice_shown(s), what="the disconnected notice again")
        assert camera_state(s, "LostReported") == 2
        created = camera_state(s, "Created")
        s.click("Child01", *CAMERA_NAME)
        s.wait_until(lambda: camera_state(s, "Created") == created + 1, what="the other camera")
        assert camera_state(s, "Camera") == SECOND
        expect_running_preview(s, AREA_600)
        assert not notice_shown(s)
        assert setting(s, "Camera") == SECOND
        close_camera_screen(s, proc)
        assert camera_state(s, "Destroyed") == camera_state(s, "Created")


scenario_unplugged_camera_shows_the_notice_and_comes_back.timeout = 420


def scenario_silent_and_busy_cameras():
    with Session("camera-silent-busy") as s:
        # Frames for about a second, then none: the notice replaces the frozen frame.
        proc = start_with_camera(s, Sizes="640x480,320x240", FrameLimit=15)
        s.wait_window("Child01", 30000)
        wait_for_frames(s, 15)
        s.wait_until(lambda: notice_shown(s), timeout=10, what="the no-picture notice")
        save_screen(s, "camera-silent")
        # Frames again (another size starts a new graph, which sends its 15): the notice goes
        # and the preview is live; silent again, the notice is back.
        created = camera_state(s, "Created")
        s.click("Child01", *CAMERA_SIZE)
        s.wait_until(lambda: camera_state(s, "Created") == created + 1, what="a new capture graph")
        s.wait_until(lambda: not notice_shown(s), what="the notice gone")
        s.wait_until(lambda: notice_shown(s), timeout=10, what="the notice again")
        close_camera_screen(s, proc)

        # Held by another program: the message names the camera, then the start screen.
        configure_camera(s, FrameLimit=0, Busy=1)
        proc = s.start()
        caption, text = s.msgbox_ok(30000)
        assert caption == CAPTURE_CAPTION, caption
        # The graph reports its own result for the filter that refused (E_FAIL under Wine).
        assert text.startswith(BUSY_TEXT + r"\n\nCouldn't run the graph!  hr=0x8"), text
        s.wait_window("Child00")
        assert s.count("Child01") == 0
        assert camera_state(s, "Destroyed") == camera_state(s, "Created")

        # Busy at the connection, or when the device is opened: the same message, another
        # detail.
        # (The graph builder gives a result of its own for the refused connection.)
        for busy, detail in ((2, "Couldn't render the video capture stream.  hr=0x8"),
                             (3, "Couldn't bind moniker to filter object!  hr=0x80070005")):
            configure_camera(s, Busy=busy)
            s.post_click("Child00", 186, 322)  # the camera button
            caption, text = s.msgbox_ok(30000)
            assert caption == CAPTURE_CAPTION, caption
            assert text.startswith(BUSY_TEXT + r"\n\n" + detail), text
            s.wait_window("Child00")
            assert s.count("Child01") == 0
        s.post_click("Child00", 320, 5)
        s.expect_exit(proc, 15)


scenario_silent_and_busy_cameras.timeout = 420
