"""The updater end to end: Update.exe against a real FTP server on loopback.

The updater always connects to the FTP port 21 of the address in [FTPADDR];
each run serves on a loopback address of its own (127.x.y.z), so runs on one
machine do not meet.
"""

import os
import random
import threading
import time
from pathlib import Path

import pytest
from PIL import Image
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

pytestmark = pytest.mark.program("Update.exe")

STANDIN_PONDIAL = Path(os.environ.get("E2E_STANDIN_PROGRAM", Path(os.environ.get("E2E_BUILD_DIR", "build/win32"))
                                      / "tools/standin_program/standin_program.exe")).resolve()
ADDRESS = "127.%d.%d.%d" % tuple(random.randint(1, 254) for _ in range(3))
FTP_PORT = 21

TITLE = "프로그램을 업그레이드 하고있습니다... "
ABOUT_COMMAND = 16
OK, CANCEL = 1, 2
NOTHING_YET = bytes(10)
GRANT = b"YES" + bytes(7)
OLD_VERSION = "1999.12.01\n[CONTENT]\n지난 판\n"
NEW_VERSION = "1999.12.02\n[CONTENT]\n새 판이 나왔습니다.\n받으시겠습니까?\n"
BAR, BAR_BACKGROUND = (165, 206, 239), (206, 231, 247)


class RecordingHandler(FTPHandler):
    """Reads commands as CP949, as the updater writes them (the files here have ordinary
    Unicode names), records the names it is asked to send and may take its time with each."""

    retrieved = []
    delay = 0

    def decode(self, line):
        return line.decode("cp949", self.unicode_errors)

    def ftp_RETR(self, file):
        self.retrieved.append(Path(file).name)
        # The whole server waits; it has one client.
        time.sleep(self.delay)
        return super().ftp_RETR(file)


class UpdateServer:
    """An anonymous FTP server on ADDRESS:21 serving root, in a thread of the test, that
    waits delay seconds before each file it sends."""

    def __init__(self, root, delay=0):
        authorizer = DummyAuthorizer()
        authorizer.add_anonymous(str(root))
        self.handler = type("Handler", (RecordingHandler,), {"authorizer": authorizer, "retrieved": [], "delay": delay})
        try:
            self._server = FTPServer((ADDRESS, FTP_PORT), self.handler)
        except OSError as error:
            pytest.skip("cannot serve FTP on %s:%d: %s" % (ADDRESS, FTP_PORT, error))
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._serve, daemon=True)
        self._thread.start()

    def _serve(self):
        while not self._stop.is_set():
            self._server.serve_forever(timeout=0.02, blocking=False, handle_exit=False)
        self._server.close_all()

    def retrieved(self):
        return list(self.handler.retrieved)

    def stop(self):
        self._stop.set()
        self._thread.join(10)


@pytest.fixture
def install(program_dir):
    """The test's program directory, pointed at the test's server, with an old version."""
    config = program_dir / "config"
    config.mkdir(exist_ok=True)
    (config / "position.ini").write_text("[FTPADDR] 10 0 0 1\n[FTPADDR] %s\n" % ADDRESS.replace(".", " "))
    (config / "version.ini").write_bytes(OLD_VERSION.encode("cp949"))
    (config / "EndTransfer.ini").write_bytes(NOTHING_YET)
    (config / "Receive.ini").write_bytes(NOTHING_YET)
    return program_dir


@pytest.fixture
def ftp_root(tmp_path):
    root = tmp_path / "ftp"
    (root / "vorlo").mkdir(parents=True)
    (root / "vorlo" / "version.ini").write_bytes(NEW_VERSION.encode("cp949"))
    return root


@pytest.fixture
def serve(ftp_root):
    """serve(change_list, {name: bytes}, delay=0) starts the server with these updates."""
    servers = []

    def start(change_list, files=(), delay=0):
        (ftp_root / "vorlo" / "change.ini").write_bytes(change_list.encode("cp949"))
        for name, content in dict(files).items():
            (ftp_root / "vorlo" / name).write_bytes(content)
        servers.append(UpdateServer(ftp_root, delay))
        return servers[-1]

    yield start
    for server in servers:
        server.stop()


def word(install):
    return (install / "config" / "EndTransfer.ini").read_bytes()


def wait_for_word(install, program, timeout=30):
    deadline = time.monotonic() + timeout
    while word(install).strip(b"\0") == b"" and time.monotonic() < deadline:
        program.check()
        time.sleep(0.02)
    return word(install)


def offered(driver):
    """The question box, answered by the test; checks its caption and text."""
    box = driver.find_message_box(timeout=20, caption="알림")
    assert box["text"] == "새 판이 나왔습니다.\n받으시겠습니까?"
    assert [button["id"] for button in box["buttons"]] == [OK, CANCEL]
    return box


def installed_files(root):
    return sorted(str(path.relative_to(root)) for path in root.rglob("*") if path.is_file())


def test_equal_versions_end_with_no_and_show_no_window(launch, driver, install, serve):
    (install / "config" / "version.ini").write_bytes(NEW_VERSION.encode("cp949"))
    serve("[UTIL]\nnever.dll\n", {"never.dll": b"x"})
    program = launch("Update.exe", directory=install)
    while program.running():
        assert not [w for w in driver.windows() if w["title"] == TITLE and w["visible"]]
        time.sleep(0.05)
    assert program.wait_exit(5) == 0
    assert word(install) == b"NO"
    assert not (install / "util" / "never.dll").exists()


def test_agreed_update_installs_each_section_and_cleans_up(launch, driver, install, serve):
    dll, exe, clip = os.urandom(70000), b"MZ\r\n\x00exe\n", os.urandom(3000)
    server = serve("[UTIL]\none.dll\ntwo.exe\n[MEDIA]\nclip.avi\n",
                   {"one.dll": dll, "two.exe": exe, "clip.avi": clip})
    program = launch("Update.exe", directory=install)
    box = offered(driver)
    window = driver.find_window(TITLE)
    assert window["visible"]
    driver.screenshot(window["hwnd"], "offer")
    driver.press(box["hwnd"], OK)

    assert wait_for_word(install, program) == b"UPDATE"
    assert program.wait_exit(10) == 0
    assert (install / "util" / "one.dll").read_bytes() == dll
    assert (install / "util" / "two.exe").read_bytes() == exe
    assert (install / "media" / "clip.avi").read_bytes() == clip
    assert not (install / "temp").exists()
    assert (install / "config" / "version.ini").read_bytes().startswith(b"1999.12.02")
    assert server.retrieved()[-3:] == ["one.dll", "two.exe", "clip.avi"]


def test_restart_hands_over_to_the_connector(launch, driver, install, serve):
    (install / "Pondial.exe").write_bytes(STANDIN_PONDIAL.read_bytes())
    serve("[RESTART]\n[SCRIPT]\n다락.scp\n", {"다락.scp": b"script"})
    program = launch("Update.exe", directory=install)
    driver.press(offered(driver)["hwnd"], OK)
    assert wait_for_word(install, program) == b"YES"
    assert (install / "script" / "다락.scp").read_bytes() == b"script"

    # Waiting for the connector's grant: the window is up and answers.
    window = driver.find_window(TITLE)
    driver.syscommand(window["hwnd"], ABOUT_COMMAND)
    about = driver.find_window("Update 정보")
    driver.screenshot(about["hwnd"], "about")
    driver.close_window(about["hwnd"])
    driver.wait_gone(about["hwnd"])
    time.sleep(3.5)
    assert program.running() and not (install / "Pondial.started").exists()

    (install / "config" / "Receive.ini").write_bytes(GRANT)
    assert program.wait_exit(10) == 0
    command, directory = (install / "Pondial.started").read_text(encoding="utf-8").strip().split("\t")
    assert directory == "Z:" + str(install).replace("/", "\\")
    assert command == '"%s\\Pondial.exe"' % directory
    assert (install / "config" / "Receive.ini").read_bytes() == NOTHING_YET


def test_cancel_deletes_the_local_version(launch, driver, install, serve):
    serve("[UTIL]\none.dll\n", {"one.dll": b"1"})
    program = launch("Update.exe", directory=install)
    driver.press(offered(driver)["hwnd"], CANCEL)
    assert program.wait_exit(10) == 0
    assert word(install) == b"NO"
    assert not (install / "config" / "version.ini").exists()
    assert not (install / "util" / "one.dll").exists()


def test_stopped_server_is_one_clear_line_and_update(launch, driver, install):
    program = launch("Update.exe", directory=install)
    box = driver.find_message_box(timeout=20, caption="Update")
    assert box["text"] == "업데이트 서버(%s)에 접속할 수 없습니다." % ADDRESS
    assert word(install) == b"UPDATE", "the connector must not wait for the user"
    driver.close_message_box(box)
    assert program.wait_exit(10) == 0


def test_path_outside_the_section_installs_nothing(launch, driver, install, serve, tmp_path):
    serve("[UTIL]\nok.dll\n..\\evil.dll\n../evil.dll\n", {"ok.dll": b"ok", "..\\evil.dll": b"evil"})
    before = installed_files(tmp_path)
    program = launch("Update.exe", directory=install)
    driver.press(offered(driver)["hwnd"], OK)
    assert wait_for_word(install, program) == b"UPDATE"
    assert program.wait_exit(10) == 0
    assert not (install / "util" / "ok.dll").exists()
    assert not (install / "temp").exists()
    new_files = set(installed_files(tmp_path)) - set(before)
    assert not [name for name in new_files if "evil" in name], new_files


def test_progress_window_in_the_middle_of_an_update(launch, driver, install, serve, wine_session, test_output):
    names = ["part%d.dll" % i for i in range(6)]
    server = serve("[NUMBER] 6\n[UTIL]\n%s\n" % "\n".join(names), {name: os.urandom(100000) for name in names},
                   delay=0.6)
    program = launch("Update.exe", directory=install)
    box = offered(driver)
    window = driver.find_window(TITLE)
    rect = driver.info(window["hwnd"])["rect"]
    driver.press(box["hwnd"], OK)

    # The window's thread answers messages only between two files: watch the server instead.
    deadline = time.monotonic() + 20
    while "part3.dll" not in server.retrieved() and time.monotonic() < deadline:
        time.sleep(0.01)
    # part3.dll is on its way: three of six files arrived.
    time.sleep(0.2)
    shot = test_output / "progress.png"
    wine_session.screenshot(shot, rect)
    colours = Image.open(shot).convert("RGB").getcolors(1 << 20)
    counts = {colour: count for count, colour in colours}
    filled = counts.get(BAR, 0) / max(1, counts.get(BAR, 0) + counts.get(BAR_BACKGROUND, 0))
    assert 0.4 < filled < 0.6, "the bar is not half filled: %.2f" % filled

    assert wait_for_word(install, program) == b"UPDATE"
    assert program.wait_exit(10) == 0
    assert installed_files(install / "util") == sorted(names)
