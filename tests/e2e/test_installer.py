"""The Windows installer (out/Flimmer-Setup-<version>.exe, made by make dist): installed and
uninstalled silently in a fresh prefix, the program started from where it was installed,
and afterwards nothing of ours left while everything of the user's stays."""

import math

from flimmer import (CLOSE, CONFIG_KEY, PHOTOS, PRODUCT_KEY, START_CLOSE, answer_no_camera,
                     temp_folder)
from harness import FLIMMER_EXE, REPO, Session

VERSION = (REPO / "VERSION").read_text().strip()
INSTALLER = REPO / "out" / f"Flimmer-Setup-{VERSION}.exe"
TEST_EQUIPMENT = {"flimauto.exe", "flimvcam.dll"}
PICTURE_TYPES = (".bmp", ".png", ".jpg", ".jpeg", ".jfif", ".tif", ".tiff", ".gif")

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Flimmer"
CLASSES = r"HKCU\Software\Classes"
APP_KEY = CLASSES + r"\Applications\flimmer.exe"
PROGID = "Flimmer.Picture"


def places(s):
    """The install folder, the Start-menu shortcut and the desktop shortcut."""
    user = temp_folder(s).parent
    return (user / "AppData/Local/Programs/Flimmer",
            user / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Flimmer.lnk",
            user / "Desktop/Flimmer.lnk")


def windows_name(s, path):
    return "C:\\" + str(path.relative_to(s.prefix / "drive_c")).replace("/", "\\")


def files_under(folder):
    return {str(p.relative_to(folder)): p for p in folder.rglob("*") if p.is_file()}


def check_installed(folder, users=()):
    """Exactly the program folder of this build, byte for byte, the uninstaller and the
    user's own files."""
    built = {name: path for name, path in files_under(FLIMMER_EXE.parent).items()
             if path.name.lower() not in TEST_EQUIPMENT}
    installed = files_under(folder)
    expected = set(built) | {"Uninstall.exe", *users}
    assert set(installed) == expected, set(installed) ^ expected
    changed = [name for name, path in built.items() if path.read_bytes() != installed[name].read_bytes()]
    assert not changed, changed


def install(s, *args):
    s.expect_exit(s.start(INSTALLER, "/S", *args), 120)


def wait_uninstalled(s, folder):
    s.wait_until(lambda: not (folder / "flimmer.exe").exists() and not s.reg_key_exists(UNINSTALL_KEY),
                 timeout=60, interval=0.5, what="the uninstaller to finish")


def uninstall(s, folder):
    """The uninstaller copies itself away and works in a child process: waits for its work."""
    s.expect_exit(s.start(folder / "Uninstall.exe", "/S"), 60)
    wait_uninstalled(s, folder)


def uninstall_interactively(s, folder, answer):
    """Through the uninstaller's pages, answering the question about the settings with a
    button ("yes", "no") or, for None, with the default one."""
    s.start(folder / "Uninstall.exe")
    s.auto_ok("dialog-button", "Uninstall", 30000, timeout=60)
    press = ["msgbox-ok"] if answer is None else ["msgbox-press", answer]
    question = s.auto_ok(*press, 30000, timeout=80)
    assert question[1].startswith("Remove your Flimmer settings too?"), question
    s.auto_ok("dialog-button", "Close", 30000, timeout=60)
    wait_uninstalled(s, folder)


def scenario_installer_installs_registers_and_uninstalls_cleanly():
    with Session("installer") as s:
        folder, start_menu, desktop = places(s)
        # Someone else's claim on .png, which the installer must leave alone.
        s.reg_add(CLASSES + r"\.png", None, "REG_SZ", "Viewer.png")
        s.reg_add(CLASSES + r"\.png\OpenWithProgids", "Viewer.png", "REG_SZ", "")
        assert not s.reg_key_exists(CLASSES + r"\.bmp")

        install(s)
        check_installed(folder)
        assert start_menu.is_file() and not desktop.exists()
        link = start_menu.read_bytes().lower()
        assert b"flimmer.exe" in link or "flimmer.exe".encode("utf-16-le") in link

        exe = windows_name(s, folder / "flimmer.exe")
        uninstaller = windows_name(s, folder / "Uninstall.exe")
        for value, expected in {"DisplayName": "Flimmer", "DisplayVersion": VERSION,
                                "Publisher": "Korvane", "DisplayIcon": exe + ",0",
                                "InstallLocation": windows_name(s, folder),
                                "UninstallString": f'"{uninstaller}"',
                                "QuietUninstallString": f'"{uninstaller}" /S'}.items():
            assert s.reg_query(UNINSTALL_KEY, value) == ("REG_SZ", expected), value
        assert s.reg_query(UNINSTALL_KEY, "NoModify") == ("REG_DWORD", 1)
        assert s.reg_query(UNINSTALL_KEY, "NoRepair") == ("REG_DWORD", 1)
        # Kilobytes of what was installed, at most every file rounded up.
        sizes = [p.stat().st_size for p in files_under(folder).values()]
        kind, kb = s.reg_query(UNINSTALL_KEY, "EstimatedSize")
        assert kind == "REG_DWORD", kind
        assert 0.9 * sum(sizes) / 1024 <= kb <= sum(math.ceil(n / 1024) for n in sizes), kb

        command = ("REG_SZ", f'"{exe}" "%1"')
        assert s.reg_query(APP_KEY + r"\shell\open\command", None) == command
        assert s.reg_query(APP_KEY, "FriendlyAppName") == ("REG_SZ", "Flimmer")
        assert s.reg_query(CLASSES + "\\" + PROGID + r"\shell\open\command", None) == command
        for ext in PICTURE_TYPES:
            assert s.reg_query(APP_KEY + r"\SupportedTypes", ext) == ("REG_SZ", ""), ext
            assert s.reg_query(CLASSES + f"\\{ext}\\OpenWithProgids", PROGID) == ("REG_SZ", ""), ext
        assert s.reg_query(CLASSES + r"\.png", None) == ("REG_SZ", "Viewer.png")

        # "Open with": the registered command with the photo's name for %1.
        photo = s.winpath(PHOTOS / "chelsea.png")
        proc = s.start(folder / "flimmer.exe", photo)
        s.wait_window("Child02")
        assert s.rect("ChildImage")[2:] == (451, 300)
        assert s.reg_query(CONFIG_KEY, "DefaultFile") == ("REG_SZ", photo)
        # While it runs its files cannot go: a silent uninstall stops before touching anything.
        refused = s.start(folder / "Uninstall.exe", "/S", "_?=" + windows_name(s, folder))
        s.expect_exit(refused, 60, 2)
        assert (folder / "flimmer.exe").is_file() and s.reg_key_exists(APP_KEY)
        s.click("Child02", *CLOSE)
        s.expect_exit(proc, 15)
        speaker = s.reg_query(CONFIG_KEY, "Speaker")
        assert speaker is not None

        uninstall(s, folder)
        assert not folder.exists() and not start_menu.exists()
        for key in (APP_KEY, CLASSES + "\\" + PROGID, CLASSES + r"\.bmp", CLASSES + r"\.gif"):
            assert not s.reg_key_exists(key), key
        assert s.reg_query(CLASSES + r"\.png\OpenWithProgids", PROGID) is None
        assert s.reg_query(CLASSES + r"\.png\OpenWithProgids", "Viewer.png") == ("REG_SZ", "")
        assert s.reg_query(CLASSES + r"\.png", None) == ("REG_SZ", "Viewer.png")
        # The settings are the user's.
        assert s.reg_query(PRODUCT_KEY, None) == ("REG_SZ", "")
        assert s.reg_query(CONFIG_KEY, "Speaker") == speaker


def scenario_reinstall_and_interactive_uninstall_keep_what_is_the_users():
    with Session("reinstall") as s:
        folder, start_menu, desktop = places(s)
        install(s)
        assert not desktop.exists()
        # A picture the user saved into the program folder, their settings and another
        # program of the same maker: theirs, through every step.
        mine = folder / "Target" / "mine.png"
        mine.write_bytes(b"the user's own picture")
        s.reg_add(CONFIG_KEY, "Speaker", "REG_DWORD", 0)
        s.reg_add(r"HKCU\Software\Korvane\Other", "Kept", "REG_SZ", "yes")

        # Over the first installation, which removes itself first.
        install(s, "/DESKTOP")
        assert desktop.is_file() and start_menu.is_file()
        check_installed(folder, users={"Target/mine.png"})

        uninstall_interactively(s, folder, None)
        assert set(files_under(folder)) == {"Target/mine.png"}
        assert mine.read_bytes() == b"the user's own picture"
        assert not desktop.exists() and not start_menu.exists()
        assert s.reg_query(CONFIG_KEY, "Speaker") == ("REG_DWORD", 0)

        # Through the installer's pages, whose last one starts Flimmer.
        elsewhere = temp_folder(s).parent / "Apps" / "Flimmer"
        s.start(INSTALLER, "/D=" + windows_name(s, elsewhere))
        for button in ["Next >", "Install", "Finish"]:
            s.auto_ok("dialog-button", button, 60000, timeout=90)
        answer_no_camera(s)
        s.wait_window("Child00")
        check_installed(elsewhere)
        s.click("Child00", *START_CLOSE)
        s.wait_until(lambda: s.count("Child00") == 0, what="Flimmer to close")
        uninstall_interactively(s, elsewhere, "yes")
        assert not elsewhere.exists()
        assert not s.reg_key_exists(PRODUCT_KEY)
        assert s.reg_query(r"HKCU\Software\Korvane\Other", "Kept") == ("REG_SZ", "yes")
        assert set(files_under(folder)) == {"Target/mine.png"}
