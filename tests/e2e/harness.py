"""End-to-end sessions: Flimmer under Wine in a private Xvfb display and Wine prefix.

A scenario opens a Session, starts the program, drives it with the automation
program (flimauto.exe) and checks windows, pixels, the registry and files:

    with Session("open-picture", 1024, 768) as s:
        s.start()
        s.auto_ok("wait-window", "Child01")
        s.post_click("Child01", 40, 500)
        s.auto_ok("file-dialog", s.winpath(photo))

Every wait polls with a timeout. A session ends exactly the processes it
started: its program processes, the wineserver of its own prefix (with
everything running there) and its Xvfb.
"""

import atexit
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
FLIMMER_EXE = Path(os.environ.get("FLIMMER_EXE") or REPO / "build/win/Flimmer/flimmer.exe")
FLIMAUTO_EXE = Path(os.environ.get("FLIMAUTO_EXE") or REPO / "build/win/flimauto.exe")
OUT_DIR = REPO / "out" / "e2e"

WINE_ENV = {
    "WINEDEBUG": "-all",
    "WINEDLLOVERRIDES": "mscoree,mshtml=;winedbg.exe=d",
    "WINEARCH": "win64",
}
# Variables that would let Wine reach the real user's folders or another display.
SCRUBBED_ENV = ("WAYLAND_DISPLAY", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                "XDG_RUNTIME_DIR", "WINESERVER", "WINELOADER")

# Prefix files that never change once written: hard-linked into session prefixes
# instead of copied (about 700 MB and 1.5 s per copy otherwise). Everything else,
# the registry included, is a private copy.
IMMUTABLE_SUFFIXES = {".dll", ".exe", ".drv", ".sys", ".ocx", ".acm", ".cpl", ".tlb",
                      ".ax", ".ds", ".nls", ".msstyles", ".com", ".mui", ".ttf", ".ttc"}

# What glibc prints when the list of loaded libraries changes while exit() runs it down.
EXIT_RACE = "Inconsistency detected by ld.so: dl-fini.c"

class WineEndedBySignal(AssertionError):
    """Wine's own process died of a Unix signal. A fault in a Windows program's code becomes an
    exception and an exit code under Wine; a death by signal is a crash in Wine's native side,
    seen now and then while it ends a process. The runner runs such a scenario once more."""


# Set by the runner: the scenario running now (names the failure screenshot).
current_scenario = None

_template = None          # (root dir, home, prefix) of this run's template prefix
_live_sessions = []       # sessions not yet closed


def _wine_env(prefix, home, display):
    env = {k: v for k, v in os.environ.items() if k not in SCRUBBED_ENV}
    env.update(WINE_ENV, WINEPREFIX=str(prefix), HOME=str(home), DISPLAY=display)
    return env


def _run(cmd, env, timeout, cwd=None, log=None):
    """Runs a command under `timeout`; output goes to files, never pipes, because
    Wine may leave a process behind (explorer, services) that holds a pipe open."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        proc = subprocess.Popen(["timeout", "-k", "3", str(timeout), *map(str, cmd)], env=env, cwd=cwd,
                                stdin=subprocess.DEVNULL, stdout=out, stderr=err)
        try:
            rc = proc.wait(timeout + 10)
        except BaseException:
            proc.kill()
            proc.wait()
            raise
        out.seek(0)
        err.seek(0)
        stdout = out.read().decode("utf-8", "replace")
        stderr = err.read().decode("utf-8", "replace")
    if log is not None:
        with open(log, "a", encoding="utf-8") as f:
            f.write(f"$ {' '.join(map(str, cmd))}\n{stdout}{stderr}[rc {rc}]\n")
    return rc, stdout, stderr


def _start_xvfb(width, height, depth, log):
    read_fd, write_fd = os.pipe()
    try:
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                                 f"{width}x{height}x{depth}", "-nolisten", "tcp"],
                                pass_fds=(write_fd,), stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=log, start_new_session=True)
    finally:
        os.close(write_fd)
    try:
        data = b""
        deadline = time.monotonic() + 15
        while not data.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or xvfb.poll() is not None:
                raise RuntimeError("Xvfb did not report a display")
            if select.select([read_fd], [], [], left)[0]:
                chunk = os.read(read_fd, 64)
                if not chunk:
                    raise RuntimeError("Xvfb exited before reporting a display")
                data += chunk
    except BaseException:
        xvfb.kill()
        xvfb.wait()
        raise
    finally:
        os.close(read_fd)
    return xvfb, f":{int(data.strip())}"


def _remove_template():
    global _template
    if _template:
        shutil.rmtree(_template[0], ignore_errors=True)
        _template = None


def _template_prefix(display):
    """One booted prefix per test run, made on first use; sessions get copies."""
    global _template
    if _template:
        return _template
    root = Path(tempfile.mkdtemp(prefix="flimmer-e2e-template-"))
    atexit.register(_remove_template)
    home, prefix = root / "home", root / "prefix"
    home.mkdir()
    env = _wine_env(prefix, home, display)
    log = root / "template.log"
    steps = [
        (["wineboot", "-i"], 180),
        (["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/t", "REG_SZ",
          "/d", "N", "/f"], 60),
        # -k writes the registry out; -w returns once the server has gone.
        (["wineserver", "-k"], 30),
        (["wineserver", "-w"], 30),
    ]
    for cmd, limit in steps:
        rc, out, err = _run(cmd, env, limit, cwd=root, log=log)
        if rc != 0 and cmd[0] != "wineserver":
            shutil.rmtree(root, ignore_errors=True)
            raise RuntimeError(f"template prefix: {' '.join(cmd)} failed ({rc}): {err.strip()[-300:]}")
    _template = (root, home, prefix)
    return _template


def _copy_prefix(template_root, dest_root):
    """Copies the template's home and prefix; symlinks into the template home
    (My Pictures and friends) are pointed at the copy's home."""
    src_home = str(template_root / "home")
    for name in ("home", "prefix"):
        src_top, dst_top = template_root / name, dest_root / name
        for dirpath, dirnames, filenames in os.walk(src_top):
            rel = Path(dirpath).relative_to(src_top)
            dst_dir = dst_top / rel
            dst_dir.mkdir(exist_ok=True)
            shutil.copystat(dirpath, dst_dir)
            for entry in dirnames + filenames:
                src = Path(dirpath) / entry
                dst = dst_dir / entry
                if src.is_symlink():
                    target = os.readlink(src)
                    if target == src_home or target.startswith(src_home + "/"):
                        target = str(dest_root / "home") + target[len(src_home):]
                    os.symlink(target, dst)
                    if entry in dirnames:
                        dirnames.remove(entry)  # do not walk into linked folders
                elif entry in filenames:
                    if src.suffix.lower() in IMMUTABLE_SUFFIXES:
                        os.link(src, dst)
                    else:
                        shutil.copy2(src, dst)


def cvt_modeline(width, height, refresh=60.0):
    """A VESA CVT modeline (what `cvt` prints) keeping the exact width, so that
    1366 stays 1366. Returns (name, clock MHz, [h timings], [v timings])."""
    cell, min_vsync_bp, min_v_porch, min_v_bp = 8, 550.0, 3, 6
    aspect = width / height
    vsync = 4 if abs(aspect - 4 / 3) < 0.01 else 5 if abs(aspect - 16 / 9) < 0.02 else \
        6 if abs(aspect - 16 / 10) < 0.01 else 7 if abs(aspect - 5 / 4) < 0.01 else 10
    h_period = (1e6 / refresh - min_vsync_bp) / (height + min_v_porch)
    vsync_bp = max(int(min_vsync_bp / h_period) + 1, vsync + min_v_bp)
    v_total = height + vsync_bp + min_v_porch
    blank_pct = max(30.0 - 300.0 * h_period / 1000.0, 20.0)
    h_active = -(-width // cell) * cell
    h_blank = int(h_active * blank_pct / (100.0 - blank_pct))
    h_blank -= h_blank % (2 * cell)
    h_total = h_active + h_blank
    h_sync_end = h_active + h_blank // 2
    h_sync_start = h_sync_end - (h_total * 8) // 100
    h_sync_start += cell - h_sync_start % cell
    clock_khz = h_total * 1000.0 / h_period
    clock_khz -= clock_khz % 250
    v_sync_start = height + min_v_porch
    name = f"{width}x{height}_{refresh:.2f}"
    return (name, clock_khz / 1000.0, [width, h_sync_start, h_sync_end, h_total],
            [height, v_sync_start, v_sync_start + vsync, v_total])


class Session:
    """A private Xvfb display and a fresh Wine prefix for one scenario."""

    def __init__(self, name, width=1024, height=600, depth=24):
        self.name = name
        self.width, self.height, self.depth = width, height, depth
        self.procs = []
        self.closed = False
        self.fail_shot = None
        self.last_stderr = ""
        self.dir = Path(tempfile.mkdtemp(prefix=f"flimmer-e2e-{re.sub(r'[^A-Za-z0-9_.-]', '_', name)}-"))
        self.home, self.prefix = self.dir / "home", self.dir / "prefix"
        self.log = self.dir / "session.log"
        self.xvfb = None
        _live_sessions.append(self)
        try:
            with open(self.log, "ab") as log:
                self.xvfb, self.display = _start_xvfb(width, height, depth, log)
            template_root = _template_prefix(self.display)[0]
            _copy_prefix(template_root, self.dir)
            self.env = _wine_env(self.prefix, self.home, self.display)
            # A persistent server keeps every later start in this prefix fast.
            self._wine(["wineserver", "-p"], 30)
            # Warm up: starts the prefix's desktop and services outside any
            # process group that a timed-out command would take down with it.
            rc, lines = self.auto("screen-size", timeout=60)
            if rc != 0:
                raise RuntimeError(f"flimauto does not run: {self.last_stderr.strip()[-300:]}")
            # Xvfb's depth 24 is 32 bits per pixel to Windows.
            expected = f"{width} {height} {32 if depth == 24 else depth}"
            if lines[:1] != [expected]:
                raise RuntimeError(f"the display is {lines[:1]}, not {expected}")
        except BaseException:
            self.close()
            raise

    # ---- context manager -------------------------------------------------

    def __enter__(self):
        return self

    def __exit__(self, exc_type, exc, tb):
        if exc_type is not None:
            self.save_failure_screenshot()
        self.close()
        return False

    # ---- processes ---------------------------------------------------------

    def _wine(self, cmd, timeout, cwd=None):
        return _run(cmd, self.env, timeout, cwd=cwd or self.dir, log=self.log)

    def start(self, exe=None, *args, timeout=900):
        """Starts a Windows program (default: Flimmer) with its folder as the
        current folder; returns the process for wait_exit."""
        exe = Path(exe or FLIMMER_EXE).resolve()
        if not exe.is_file():
            raise FileNotFoundError(f"no program at {exe}")
        index = len(self.procs)
        out = open(self.dir / f"program{index}.out", "wb")
        try:
            proc = subprocess.Popen(["timeout", "-k", "3", str(timeout), "wine", str(exe), *map(str, args)],
                                    env=self.env, cwd=exe.parent, stdin=subprocess.DEVNULL,
                                    stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        finally:
            out.close()
        self.procs.append(proc)
        return proc

    def wait_exit(self, proc, timeout=10):
        """The program's exit code (its low 8 bits, as Unix reports it)."""
        try:
            return proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TimeoutError(f"program still running after {timeout} s") from None

    def expect_exit(self, proc, timeout=10, code=0):
        """Waits for the program to end with the given code; otherwise fails with the code and
        the last of what Wine printed for it, which names a crash and where it happened."""
        got = self.wait_exit(proc, timeout)
        if got < 0 and code >= 0:
            raise WineEndedBySignal(f"Wine's process for the program died of signal {-got}; "
                                    f"{self._program_tail(proc)}")
        if got != code:
            raise AssertionError(f"the program ended with code {got}, not {code}; "
                                 f"{self._program_tail(proc)}")

    def _program_tail(self, proc):
        """The last of what Wine printed for the program, which names a crash and where."""
        out = self.dir / f"program{self.procs.index(proc)}.out"
        lines = out.read_text(errors="replace").splitlines() if out.is_file() else []
        # The sound library's complaints about the missing sound card say nothing here.
        tail = "\n".join(l for l in lines if not l.startswith("ALSA lib"))[-2000:]
        return f"its last output:\n{tail}"

    def running(self, proc):
        return proc.poll() is None

    # ---- automation ------------------------------------------------------

    def auto(self, *args, timeout=30):
        """Runs flimauto.exe; returns (rc, stdout lines)."""
        if not FLIMAUTO_EXE.is_file():
            raise FileNotFoundError(f"no automation program at {FLIMAUTO_EXE}")
        rc, out, err = self._wine(["wine", FLIMAUTO_EXE, *args], timeout)
        if rc != 0 and "flimauto:" not in err:
            if EXIT_RACE in err:
                # The C library's loader tripped while Wine ended the process, after flimauto's
                # main had returned. flimauto names every failure of its own, so without one the
                # command did what it was asked (a second run would act twice).
                rc = 0
            elif not out:
                # Wine failed to start the program at all (seen rarely under heavy load): that
                # says nothing about the program under test, so try once more.
                rc, out, err = self._wine(["wine", FLIMAUTO_EXE, *args], timeout)
        self.last_stderr = err
        return rc, [line.rstrip("\r") for line in out.splitlines()]

    def auto_ok(self, *args, timeout=30):
        rc, lines = self.auto(*args, timeout=timeout)
        if rc != 0:
            lines = self.last_stderr.strip().splitlines()
            reason = lines[-1].removeprefix("flimauto: ") if lines else f"exit {rc}"
            raise AssertionError(f"flimauto {' '.join(map(str, args))}: {reason}")
        return lines

    def _auto_in_background(self, ready, *args, ms):
        """Runs a lasting flimauto command; returns its process once it printed `ready`."""
        proc = subprocess.Popen(["timeout", "-k", "3", str(ms / 1000 + 30), "wine", str(FLIMAUTO_EXE),
                                 *map(str, args), str(ms)],
                                env=self.env, cwd=self.dir, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                start_new_session=True)
        self.procs.append(proc)
        readable, _, _ = select.select([proc.stdout], [], [], 60)
        line = proc.stdout.readline().decode(errors="replace").split() if readable else []
        if line[:1] != [ready]:
            raise AssertionError(f"flimauto {' '.join(map(str, args))} did not start")
        proc.words = line[1:]
        return proc

    def hold_file(self, path, ms=60000):
        """Another program holds the file open without sharing it, until ms have passed or
        release_file; returns that program's process once the file is held (its Windows
        process number in .words[0])."""
        return self._auto_in_background("held", "hold-file", self.winpath(path), ms=ms)

    def cover(self, x, y, w, h, ms=60000):
        """Another program's window (pure green) lies over the screen rectangle until ms have
        passed or release_file; returns its process once it is drawn."""
        return self._auto_in_background("covered", "cover", x, y, w, h, ms=ms)

    @staticmethod
    def release_file(proc):
        _end_group(proc)

    def wait_window(self, cls, timeout_ms=10000):
        """(x, y, w, h) of the first visible window of the class."""
        line = self.auto_ok("wait-window", cls, timeout_ms, timeout=timeout_ms / 1000 + 20)[0]
        return tuple(int(v) for v in line.split())

    def rect(self, cls):
        return tuple(int(v) for v in self.auto_ok("rect", cls)[0].split())

    def count(self, prefix):
        return int(self.auto_ok("count", prefix)[0])

    def click(self, cls, x, y):
        self.auto_ok("click", cls, x, y)

    def post_click(self, cls, x, y):
        self.auto_ok("post-click", cls, x, y)

    def msgbox(self, timeout_ms=10000):
        """(caption, text) of the message box on screen; CR and LF in them come as \\r and \\n."""
        lines = self.auto_ok("msgbox", timeout_ms, timeout=timeout_ms / 1000 + 20)
        return lines[0], lines[1]

    def msgbox_ok(self, timeout_ms=10000):
        lines = self.auto_ok("msgbox-ok", timeout_ms, timeout=2 * timeout_ms / 1000 + 20)
        return lines[0], lines[1]

    def file_dialog(self, path, timeout_ms=10000):
        """Answers the open/save dialog with a path; True when a question box followed."""
        lines = self.auto_ok("file-dialog", self.winpath(path), timeout_ms,
                             timeout=2 * timeout_ms / 1000 + 20)
        return lines[:1] == ["question"]

    def pixel(self, x, y):
        return tuple(int(v) for v in self.auto_ok("pixel", x, y)[0].split())

    def screen_size(self):
        """(width, height, bits per pixel) as Windows sees the screen."""
        return tuple(int(v) for v in self.auto_ok("screen-size")[0].split())

    def screenshot(self, path):
        path = Path(path).resolve()
        path.parent.mkdir(parents=True, exist_ok=True)
        self.auto_ok("screenshot", self.winpath(path))
        return path

    def save_failure_screenshot(self):
        """out/e2e/<scenario>-fail.png, once per session; None when it cannot be had."""
        if self.fail_shot or self.closed or self.xvfb is None:
            return self.fail_shot
        name = re.sub(r"[^A-Za-z0-9_.-]", "_", current_scenario or self.name)
        try:
            self.fail_shot = self.screenshot(OUT_DIR / f"{name}-fail.png")
        except Exception:  # a failure report must not hide the original failure
            pass
        return self.fail_shot

    def wait_until(self, check, timeout=10, interval=0.1, what="condition"):
        """Polls check() until it returns something truthy; returns that."""
        deadline = time.monotonic() + timeout
        while True:
            result = check()
            if result:
                return result
            if time.monotonic() >= deadline:
                raise AssertionError(f"timed out after {timeout} s waiting for {what}")
            time.sleep(interval)

    # ---- registry ------------------------------------------------------------

    def reg_query(self, key, value):
        """(type, data) of a registry value, or None when it is missing. REG_SZ
        and REG_EXPAND_SZ give str, REG_DWORD and REG_QWORD int, REG_BINARY bytes,
        REG_MULTI_SZ a list. value None means the key's default value."""
        which = ["/ve"] if value is None else ["/v", value]
        for _ in range(3):
            rc, out, _ = self._wine(["wine", "reg", "query", key, *which], 30)
            if rc == 1:
                return None  # reg's answer for a missing key or value
            found = self._reg_value(out) if rc == 0 else None
            if found is not None:
                return found
            # A timed-out or crashed reg, or one whose output got lost on a loaded machine:
            # asking again costs little, a wrong answer costs a scenario.
        return None

    @staticmethod
    def _reg_value(out):
        for line in out.splitlines():
            m = re.match(r"^    (.*?)    (REG_[A-Z_]+)    ?(.*)$", line.rstrip("\r\n"))
            if not m:
                continue
            kind, data = m.group(2), m.group(3)
            if kind in ("REG_DWORD", "REG_QWORD"):
                return kind, int(data, 16)
            if kind == "REG_BINARY":
                return kind, bytes.fromhex(data)
            if kind == "REG_MULTI_SZ":
                return kind, data.split("\\0") if data else []
            return kind, data
        return None

    def reg_key_exists(self, key):
        rc, _, _ = self._wine(["wine", "reg", "query", key], 30)
        return rc == 0

    def reg_add(self, key, value, kind="REG_SZ", data=""):
        """Creates or overwrites a value (value None: the default value). DWORDs
        and QWORDs may be given as int, binary as bytes."""
        if isinstance(data, bytes):
            data = data.hex()
        which = ["/ve"] if value is None else ["/v", value]
        rc, _, err = self._wine(["wine", "reg", "add", key, *which, "/t", kind, "/d", str(data), "/f"], 30)
        if rc != 0:
            raise RuntimeError(f"reg add {key} {value}: {err.strip()}")

    def reg_delete(self, key, value=None):
        """Deletes a value, or the whole key when value is None; missing is fine."""
        which = ["/f"] if value is None else ["/v", value, "/f"]
        self._wine(["wine", "reg", "delete", key, *which], 30)

    # ---- display -------------------------------------------------------------

    def xrandr(self, *args):
        env = dict(os.environ, DISPLAY=self.display)
        r = subprocess.run(["xrandr", *map(str, args)], env=env, capture_output=True, text=True, timeout=20)
        if r.returncode != 0:
            raise RuntimeError(f"xrandr {' '.join(map(str, args))}: {r.stderr.strip()}")
        return r.stdout

    def add_mode(self, width, height):
        """Makes width x height a mode of the X screen so that Windows can switch
        to it (change_display). The X screen never grows past its start size."""
        if width > self.width or height > self.height:
            raise ValueError(f"{width}x{height} exceeds the display's {self.width}x{self.height}")
        listing = self.xrandr()
        output = re.search(r"^(\S+) connected", listing, re.M).group(1)
        if re.search(rf"^\s+{width}x{height}[ _]", listing, re.M):
            return
        name, clock, h, v = cvt_modeline(width, height)
        self.xrandr("--newmode", name, f"{clock:.2f}", *h, *v, "-hsync", "+vsync")
        self.xrandr("--addmode", output, name)

    def change_display(self, width, height):
        """Switches the Windows display (the program gets WM_DISPLAYCHANGE)."""
        self.add_mode(width, height)
        self.auto_ok("change-display", width, height)

    def xdotool(self, *args):
        """Real pointer and keyboard input in this display (drags, typed keys).
        The pointer rests at the screen centre; Wine reports it to the window
        under it as a mouse move whenever windows appear or go."""
        env = dict(os.environ, DISPLAY=self.display)
        r = subprocess.run(["xdotool", *map(str, args)], env=env, capture_output=True, text=True, timeout=20)
        if r.returncode != 0:
            raise RuntimeError(f"xdotool {' '.join(map(str, args))}: {r.stderr.strip()}")
        return r.stdout

    # ---- paths ---------------------------------------------------------------

    @staticmethod
    def winpath(path):
        """The Windows name of a Unix path (drive Z: is the Unix root)."""
        return "Z:" + str(Path(path).resolve()).replace("/", "\\")

    @property
    def pictures(self):
        """The prefix's My Pictures folder (it links into the session's home)."""
        return self.home

    # ---- ending --------------------------------------------------------------

    def close(self):
        """Ends this session's processes and removes its files. Each step can be
        repeated, so a close that was interrupted can simply be called again."""
        if self.closed:
            return
        for proc in self.procs:
            _end_group(proc)
        if getattr(self, "env", None) and self.prefix.exists():
            try:
                _run(["wineserver", "-k"], self.env, 20)
                _run(["wineserver", "-w"], self.env, 20)
            except Exception:
                pass
        if self.xvfb is not None and self.xvfb.poll() is None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
        shutil.rmtree(self.dir, ignore_errors=True)
        if self in _live_sessions:
            _live_sessions.remove(self)
        self.closed = True


def _end_group(proc):
    """Ends a process we started and its process group (it leads its own)."""
    if proc.poll() is not None:
        return
    for sig, grace in ((signal.SIGTERM, 3), (signal.SIGKILL, 3)):
        try:
            os.killpg(proc.pid, sig)
        except ProcessLookupError:
            return
        try:
            proc.wait(grace)
            return
        except subprocess.TimeoutExpired:
            continue


def live_sessions():
    """Sessions opened and not yet closed (the runner closes what a scenario left)."""
    return list(_live_sessions)


class FileOpens:
    """Counts the opens of files in a folder as the kernel reports them (inotify), so that a
    scenario can tell which of the program's files it read."""

    IN_OPEN = 0x20

    def __init__(self, folder):
        import ctypes
        import ctypes.util
        self._libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
        self._fd = self._libc.inotify_init1(os.O_NONBLOCK)
        if self._fd < 0 or self._libc.inotify_add_watch(self._fd, str(folder).encode(),
                                                         self.IN_OPEN) < 0:
            raise OSError(ctypes.get_errno(), "inotify")
        self.opened = []

    def read(self):
        """Names opened since the last read (in order, with repeats)."""
        import struct
        while True:
            try:
                data = os.read(self._fd, 65536)
            except BlockingIOError:
                return self.opened
            at = 0
            while at < len(data):
                _, _, _, length = struct.unpack_from("iIII", data, at)
                name = data[at + 16:at + 16 + length].split(b"\0", 1)[0].decode(errors="replace")
                self.opened.append(name)
                at += 16 + length

    def close(self):
        os.close(self._fd)
