"""The updater against an FTP server that misbehaves on purpose, as the Windows Internet
functions report it: "UPDATE" is written, the old file stays whole and the download folder is gone."""

import os
import threading
from pathlib import Path

import pytest

from test_update import OK, RecordingHandler, UpdateServer, ftp_root, install, offered, wait_for_word  # noqa: F401
from winerig import PATIENCE, DriverError

pytestmark = pytest.mark.program("Update.exe")

# The core's kServerSilenceLimitMs.
SILENCE_LIMIT = 30
STALLED = "업데이트 서버가 30초 동안 응답하지 않아 업데이트를 그만둡니다. 다음 접속 때 다시 받습니다."
OLD, NEW = b"old a" * 1000, os.urandom(60000)


class DroppingHandler(RecordingHandler):
    """Sends half of a.dll, then drops the connection."""

    def ftp_RETR(self, file):
        if Path(file).name != "a.dll":
            return super().ftp_RETR(file)
        half = Path(file + ".half")
        half.write_bytes(Path(file).read_bytes()[:len(NEW) // 2])
        return super().ftp_RETR(str(half))

    def on_file_sent(self, file):
        if file.endswith(".half"):
            self.close()


class StallingHandler(RecordingHandler):
    """Stops answering when asked for a.dll, for minutes unless the test ends first."""

    release = threading.Event()

    def ftp_RETR(self, file):
        if Path(file).name == "a.dll":
            self.release.wait(300)
        return super().ftp_RETR(file)


# behaviour: a part of the line the user is shown
CASES = {DroppingHandler: "a.dll", StallingHandler: STALLED}


def answering_box(driver):
    try:
        return driver.find_message_box(caption="Update", timeout=1)
    except DriverError:
        return None


@pytest.mark.parametrize("behaviour", CASES, ids=["dropped-mid-file", "stall"])
def test_hostile_server_leaves_the_old_file_whole(launch, driver, install, ftp_root, behaviour):
    (install / "util").mkdir(exist_ok=True)
    (install / "util" / "a.dll").write_bytes(OLD)
    (ftp_root / "vorlo" / "change.ini").write_bytes(b"[UTIL]\na.dll\n")
    (ftp_root / "vorlo" / "a.dll").write_bytes(NEW)
    StallingHandler.release = threading.Event()
    server = UpdateServer(ftp_root, behaviour=behaviour)
    try:
        program = launch("Update.exe", directory=install)
        driver.press(offered(driver)["hwnd"], OK)
        # The word comes before the line. A stalled transfer holds the window, which the driver
        # finds hung until it is back in a message loop, so the file is watched first.
        assert wait_for_word(install, program, timeout=PATIENCE + SILENCE_LIMIT) == b"UPDATE"
        box = driver.wait_for(lambda: answering_box(driver), bool)
        assert CASES[behaviour] in box["text"]
        driver.close_message_box(box)
        assert program.wait_exit() == 0
    finally:
        StallingHandler.release.set()
        server.stop()
    assert (install / "util" / "a.dll").read_bytes() == OLD
    assert not (install / "temp").exists()
