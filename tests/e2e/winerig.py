"""Runs the suite's Windows programs under Wine, headless, for the end-to-end tests.

One WineSession per test run: an Xvfb display, a fresh Wine prefix with Korean fonts and a
shared 1024x768 virtual desktop, a persistent wineserver, and a keeper process that holds the
desktop and Wine's services up between programs (Wine shuts them down whenever the last program
of a prefix ends, and the next start then pays for bringing them back). Programs are started
afresh per test with Program; Driver talks to uidriver.exe, which finds windows and works them
as a person would.
"""

import json
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

SCREEN = "1024x768"
# ANSI code pages a program can be started under: the Korean one the programs were written for,
# and a Western one to show that they do not depend on it.
KOREAN = 949
WESTERN = 1252
LOCALES = {KOREAN: ("ko_KR", "ko_KR.UTF-8"), WESTERN: ("en_US", "en_US.UTF-8")}
# Wine reports a fault of a program without a debugger with this text on its error output.
CRASH_MARKS = ("Unhandled exception", "Unhandled page fault", "Unhandled illegal instruction",
               "Unhandled stack overflow", "Unhandled privileged instruction")

FONT_REPLACEMENTS = ("굴림", "Gulim", "MS Shell Dlg", "MS Shell Dlg 2", "Tahoma")
AEDEBUG = r"Software\Microsoft\Windows NT\CurrentVersion\AeDebug"
NO_DEBUGGER = "no-debugger-in-tests.exe"
# How long a wait for something that should happen lasts: a busy 2-core machine must never
# run out of it. Waits end as soon as their condition holds, so this costs nothing when all is well.
PATIENCE = 30.0
# Debian's wine runs built-in programs as 32-bit ones; the 64-bit registry view needs wine64.
WINE64 = shutil.which("wine64") or "/usr/lib/wine/wine64"


class RigError(Exception):
    """The rig could not set up or reach what a test needs."""


class ProgramCrashed(AssertionError):
    """A program under test ended with an unhandled exception."""


class DriverError(AssertionError):
    """uidriver.exe refused a command."""


class DriverTimeout(DriverError):
    """What a test waited for did not happen in time."""


def _registry_script():
    lines = ["Windows Registry Editor Version 5.00", "",
             r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
    lines += ['"%s"="NanumGothic"' % name for name in FONT_REPLACEMENTS]
    lines += ["", r"[HKEY_CURRENT_USER\Software\Wine\Explorer]", '"Desktop"="shell"',
              "", r"[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]", '"shell"="%s"' % SCREEN]
    # Wine asks before debugging a crash when Auto is 0 and starts its debugger (which hangs
    # here) otherwise; a debugger that cannot start makes a crash end the program at once.
    lines += ["", r"[HKEY_LOCAL_MACHINE\%s]" % AEDEBUG, '"Auto"="1"', '"Debugger"="%s"' % NO_DEBUGGER]
    return "\r\n".join(lines) + "\r\n"


def _wait_until(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise RigError("timed out waiting for " + what)
        time.sleep(0.02)


class WineSession:
    """The display, prefix and wineserver shared by every test of a run."""

    def __init__(self, output_dir, uidriver, display=None):
        """display: an X display to show the desktop on; by default a headless Xvfb of its own."""
        self.output_dir = Path(output_dir)
        self.uidriver = Path(uidriver)
        self.work_dir = Path(tempfile.mkdtemp(prefix="e2e-wine-"))
        self.prefix = self.work_dir / "prefix"
        self.locale_dir = self.work_dir / "locales"
        self.display = display
        self._xvfb = None
        self._keeper = None
        self._keeper_input = None

    # Set-up and tear-down.

    def start(self):
        shutil.rmtree(self.output_dir, ignore_errors=True)  # logs of an earlier run
        self.output_dir.mkdir(parents=True)
        try:
            self._make_locales()
            if self.display is None:
                self._start_xvfb()
            self.prefix.mkdir()
            self._run(["wineserver", "-p"], "wineserver.log", wait=True)
            self._run(["wine", "wineboot", "-i"], "wineboot.log", wait=True)
            self._configure_prefix()
            self._start_keeper()
        except BaseException:
            self.stop()
            raise
        return self

    def stop(self):
        if self._keeper is not None:
            os.close(self._keeper_input)
            _wait_or_kill(self._keeper, 10)
            self._keeper = None
        if self.prefix.exists():
            subprocess.run(["wineserver", "-k"], env=self.env(), stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=30, check=False)
            subprocess.run(["wineserver", "-w"], env=self.env(), stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=30, check=False)
        if self._xvfb is not None:
            self._xvfb.terminate()
            _wait_or_kill(self._xvfb, 10)
            self._xvfb = None
        shutil.rmtree(self.work_dir, ignore_errors=True)

    def _make_locales(self):
        self.locale_dir.mkdir()
        for source, name in LOCALES.values():
            subprocess.run(["localedef", "-i", source, "-f", "UTF-8", str(self.locale_dir / name)],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
            if not (self.locale_dir / name).exists():
                raise RigError("localedef could not build " + name)

    def _start_xvfb(self):
        # -displayfd: Xvfb picks a free display number and writes it to us.
        read_end, write_end = os.pipe()
        with open(self.output_dir / "xvfb.log", "wb") as log:
            self._xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN + "x24", "-nolisten", "tcp"],
                pass_fds=[write_end], stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        os.close(write_end)
        number = b""
        while select.select([read_end], [], [], 10)[0]:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
            if number.endswith(b"\n"):
                break
        os.close(read_end)
        if not number.strip().isdigit():
            raise RigError("Xvfb did not report a display; see xvfb.log")
        self.display = ":" + number.strip().decode()

    def _configure_prefix(self):
        reg_file = self.work_dir / "setup.reg"
        reg_file.write_text(_registry_script(), encoding="utf-16")
        for wine in ("wine", WINE64):
            self._run([wine, "regedit", "/S", self.windows_path(reg_file)], "regedit.log", wait=True)
        fonts = self.prefix / "drive_c" / "windows" / "Fonts"
        shutil.copy("/usr/share/wine/fonts/marlett.ttf", fonts)

    def _start_keeper(self):
        # An idle driver that lives as long as the session; its one command waits for the
        # desktop, so the first test does not pay for starting it.
        read_end, self._keeper_input = os.pipe()
        log_path = self.output_dir / "keeper.log"
        with open(log_path, "wb") as log:
            self._keeper = subprocess.Popen(["wine", str(self.uidriver)], stdin=read_end, stdout=log,
                                            stderr=log, env=self.env())
        os.close(read_end)
        os.write(self._keeper_input, b'find-window "" class=Shell_TrayWnd timeout=60000\n')
        _wait_until(lambda: log_path.read_bytes().startswith((b"ok", b"err")) or self._keeper.poll() is not None,
                    90, "the Wine desktop")
        if not log_path.read_bytes().startswith(b"ok"):
            raise RigError("the Wine desktop did not start; see keeper.log")

    def _run(self, command, log_name, wait):
        with open(self.output_dir / log_name, "ab") as log:
            process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log, stderr=log, env=self.env())
        if wait and process.wait(timeout=180) != 0:
            raise RigError("%s failed; see %s" % (" ".join(command), log_name))
        return process

    # Services for the tests.

    def env(self, code_page=KOREAN):
        """Environment of a Wine process whose ANSI code page is code_page. Wine takes the code
        page from each process's own locale, so programs of both code pages share the session."""
        env = {key: value for key, value in os.environ.items() if not key.startswith(("LC_", "LANG", "WINE"))}
        env.update(WINEPREFIX=str(self.prefix), DISPLAY=self.display or "", WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
                   LOCPATH=str(self.locale_dir), LANG=LOCALES[code_page][1])
        return env

    @staticmethod
    def windows_path(path):
        return "Z:" + str(Path(path).resolve()).replace("/", "\\")

    def screenshot(self, path, rect=None):
        """Saves the screen's rectangle (left, top, right, bottom), by default all of it, as a PNG file."""
        if rect is None:
            rect = (0, 0, *(int(value) for value in SCREEN.split("x")))
        left, top, right, bottom = (max(0, value) for value in rect)
        geometry = "%dx%d+%d+%d" % (right - left, bottom - top, left, top)
        subprocess.run(["/usr/bin/import", "-display", self.display, "-window", "root", "-crop", geometry,
                        "+repage", str(path)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=30, check=True)


def _wait_or_kill(process, timeout):
    try:
        process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class Program:
    """A Windows program started with its directory as the current directory."""

    def __init__(self, session, directory, exe, args=(), log_path=None, code_page=KOREAN):
        self.name = exe
        self._reported = False
        self.log_path = Path(log_path or Path(directory) / (exe + ".log"))
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen(["wine", exe, *args], cwd=directory, env=session.env(code_page),
                                            stdin=subprocess.DEVNULL, stdout=log, stderr=log)

    def running(self):
        return self.process.poll() is None

    def crash_report(self):
        """Wine's words about a crash of this program, or None."""
        text = self.log_path.read_text(encoding="utf-8", errors="replace")
        if any(mark in text for mark in CRASH_MARKS):
            return text[-2000:]
        return None

    def check(self):
        """Raises ProgramCrashed if the program crashed (once: a reported crash is not raised again)."""
        report = self.crash_report()
        if report is not None and not self._reported:
            self._reported = True
            raise ProgramCrashed("%s crashed:\n%s" % (self.name, report))

    def wait_exit(self, timeout=PATIENCE):
        """The exit code once the program has ended; DriverTimeout if it is still running."""
        try:
            code = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise DriverTimeout("%s still running after %.1f s" % (self.name, timeout)) from None
        self.check()
        return code

    def stop(self):
        """Ends the program by its process id if it still runs."""
        if self.running():
            self.process.send_signal(signal.SIGTERM)
            _wait_or_kill(self.process, 5)


class Driver:
    """One uidriver.exe for one test: commands go in as lines, answers come back as JSON.

    Waits are split into short driver waits so that a crash of a watched program ends the
    test at once instead of at the time-out.
    """

    POLL_SLICE_MS = 250

    def __init__(self, session, output_dir, code_page=KOREAN):
        self.session = session
        self.output_dir = Path(output_dir)
        self.watched = []
        self._shots = 0
        with open(self.output_dir / "uidriver.log", "ab") as log:
            self.process = subprocess.Popen(["wine", str(session.uidriver)], env=session.env(code_page),
                                            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=log)

    def close(self):
        if self.process.poll() is None:
            try:
                self.process.stdin.write(b"quit\n")
                self.process.stdin.flush()
            except BrokenPipeError:
                pass
            _wait_or_kill(self.process, 5)
        self.process.stdin.close()
        self.process.stdout.close()

    def watch(self, program):
        self.watched.append(program)
        return program

    def check_programs(self):
        for program in self.watched:
            program.check()

    # The protocol.

    def command(self, *words, answer_within=10.0, **options):
        """Runs one driver command; options become name=value words (timeout= is the driver's
        own wait in milliseconds, answer_within how long to wait for its answer in seconds)."""
        line = " ".join([words[0]] + [_quote(word) for word in words[1:]] +
                        ["%s=%s" % (key, _quote(value)) for key, value in options.items() if value is not None])
        try:
            self.process.stdin.write(line.encode("utf-8") + b"\n")
            self.process.stdin.flush()
        except BrokenPipeError:
            raise DriverError("uidriver has ended; see uidriver.log") from None
        if not select.select([self.process.stdout], [], [], answer_within)[0]:
            # Its late answer would be taken for the next command's: this driver is done.
            self.process.kill()
            self.check_programs()
            raise DriverError("uidriver did not answer: " + line)
        reply = self.process.stdout.readline().decode("utf-8").rstrip("\n")
        if reply == "ok":
            return None
        if reply.startswith("ok "):
            return json.loads(reply[3:])
        self.check_programs()
        if reply.startswith("err timeout"):
            raise DriverTimeout("%s -> %s" % (line, reply))
        raise DriverError("%s -> %s" % (line or "(nothing)", reply or "uidriver ended"))

    def _poll(self, timeout, *words, **options):
        deadline = time.monotonic() + timeout
        while True:
            slice_ms = max(10, min(self.POLL_SLICE_MS, int((deadline - time.monotonic()) * 1000)))
            try:
                return self.command(*words, answer_within=slice_ms / 1000 + 10, timeout=slice_ms, **options)
            except DriverTimeout:
                if time.monotonic() >= deadline:
                    raise
                self.check_programs()

    # Windows.

    def windows(self):
        return self.command("windows")

    def new_pids(self, before, visible_only=False):
        """The processes with a window (a visible one, if asked) that were not in the set before."""
        return {window["pid"] for window in self.windows() if window["visible"] or not visible_only} - before

    def find_window(self, title, timeout=PATIENCE, class_name=None, pid=None):
        return self._poll(timeout, "find-window", title, **{"class": class_name}, pid=pid)

    def wait_gone(self, hwnd, timeout=PATIENCE):
        self._poll(timeout, "wait-gone", hwnd)

    def find_message_box(self, timeout=PATIENCE, pid=None, caption=None):
        return self._poll(timeout, "message-box", pid=pid, caption=caption)

    def no_message_box(self, pid=None, within=0.5):
        """True when no message box of pid appears within the given seconds."""
        try:
            self.find_message_box(timeout=within, pid=pid)
        except DriverTimeout:
            return True
        return False

    def press(self, hwnd, button):
        self.command("press", hwnd, button)

    def close_message_box(self, box, button=None):
        self.press(box["hwnd"], button if button is not None else box["buttons"][0]["id"])
        self.wait_gone(box["hwnd"])

    # Controls.

    def control(self, hwnd, control_id):
        return self.command("control", hwnd, control_id)

    def info(self, hwnd):
        return self.command("info", hwnd)

    def text(self, hwnd):
        return self.command("text", hwnd)

    def set_text(self, hwnd, text):
        self.command("set-text", hwnd, text)

    def click(self, hwnd, wait=False):
        """Clicks a button; wait=True returns only once the program handled the click
        (never for a click that opens a modal window)."""
        if wait:
            return self.command("click", hwnd, wait=1)
        self.command("click", hwnd)

    def key(self, hwnd, key, action=None):
        self.command("key", hwnd, key, action=action)

    def type(self, hwnd, text):
        self.command("type", hwnd, text)

    def send_text(self, hwnd, text):
        self.command("send-text", hwnd, text)

    def list_box(self, hwnd):
        return self.command("list-box", hwnd)

    def combo_box(self, hwnd):
        return self.command("combo-box", hwnd)

    def select_item(self, hwnd, index):
        self.command("select-item", hwnd, index)

    def count(self, hwnd):
        """The number of items of a list box, combo box or list view."""
        return self.command("count", hwnd)

    def list_view(self, hwnd):
        return self.command("list-view", hwnd)

    def select_row(self, hwnd, index):
        self.command("select-row", hwnd, index)

    def system_menu(self, hwnd):
        return self.command("system-menu", hwnd)

    def popup_menu(self, hwnd):
        """The items of the menu that an open popup menu window (class "#32768") shows."""
        return self.command("popup-menu", hwnd)

    def close_window(self, hwnd):
        self.command("close", hwnd)

    def syscommand(self, hwnd, command):
        self.command("syscommand", hwnd, command)

    def mouse_move(self, x, y):
        self.command("mouse-move", x, y)

    def mouse_click(self, x, y, button=None, action=None):
        """Clicks at screen point (x, y); action="down" or "up" only presses or releases."""
        self.command("mouse-click", x, y, button=button, action=action)

    def terminate(self, pid):
        """Ends a Windows process by its Windows process id; False if it was already gone."""
        try:
            self.command("terminate", pid)
        except DriverError:
            return False
        return True

    def code_page(self):
        return self.command("code-page")

    def wait_for(self, read, accept, timeout=PATIENCE):
        """Calls read() every 10 ms until accept(value) holds or the time is up; returns the last value."""
        deadline = time.monotonic() + timeout
        while True:
            value = read()
            if accept(value) or time.monotonic() > deadline:
                return value
            self.check_programs()
            time.sleep(0.01)

    def wait_text(self, hwnd, expected, timeout=PATIENCE):
        """A control's text once it equals expected, or the last text read when the time is up."""
        return self.wait_for(lambda: self.text(hwnd), lambda text: text == expected, timeout)

    def screenshot(self, hwnd, name):
        """Saves what the window shows now as <name>.png in the test's output folder."""
        self.command("redraw", hwnd)
        self._shots += 1
        path = self.output_dir / ("%02d-%s.png" % (self._shots, name))
        self.session.screenshot(path, self.info(hwnd)["rect"])
        return path


def _quote(word):
    text = str(word)
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n").replace("\t", "\\t") + '"'
