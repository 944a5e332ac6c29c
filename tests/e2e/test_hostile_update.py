"""The updater against an FTP server that misbehaves on purpose, and killed while it installs:
whatever happens, "UPDATE" is written, nothing outside the program directory is touched, every
installed file is the old one or the new one, whole, and the download folder is gone."""

import hashlib
import os
import random
import threading
from pathlib import Path

import pytest

from test_update import (NOTHING_YET, OLD_VERSION, agree_and_finish, update_server,
                         ftp_root, install, offered, version_line, wait_for_word)  # noqa: F401 (fixtures)
from updater import OFFER_CAPTION, OK, RecordingHandler
from winerig import PATIENCE, DriverError

pytestmark = pytest.mark.program("Update.exe")

# The core's kServerSilenceLimitMs.
SILENCE_LIMIT = 30
STALLED = "업데이트 서버가 30초 동안 응답하지 않아 업데이트를 그만둡니다. 다음 접속 때 다시 받습니다."
OLD, NEW = b"old a" * 1000, os.urandom(60000)
ESCAPES = ["..\\escape1.dll", "c:\\escape2.dll", "d:escape3.dll", "CON", "aux.dll", "\\\\server\\escape4.dll"]


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


class LyingSizeHandler(RecordingHandler):
    """Says every file is bigger than it is."""

    def ftp_SIZE(self, path):
        self.respond("213 %d" % (Path(self.fs.ftp2fs(path)).stat().st_size + 1000))


class StallingHandler(RecordingHandler):
    """Stops answering when asked for a.dll, for minutes unless the test ends first."""

    release = threading.Event()

    def ftp_RETR(self, file):
        if Path(file).name == "a.dll":
            self.release.wait(300)
        return super().ftp_RETR(file)


# name: (change list, server version file, handler behaviour, a part of the line the user is shown)
CASES = {
    "dropped-mid-file": ("[UTIL]\na.dll\n", None, DroppingHandler, "a.dll"),
    "size-that-lies": ("[UTIL]\na.dll\n", None, LyingSizeHandler, "a.dll"),
    "names-that-escape": ("[UTIL]\na.dll\n" + "".join("[X%d]\n" % i for i in range(10000)) + "\n".join(ESCAPES),
                          None, None, ESCAPES[0]),
    "binary-version-file": ("[UTIL]\na.dll\n", random.Random(15).randbytes(600), None, None),
    "stall": ("[UTIL]\na.dll\n", None, StallingHandler, STALLED),
}


def digest_of(content):
    return hashlib.sha256(content).hexdigest()


def digest(path):
    return digest_of(path.read_bytes()) if path.exists() else None


def answering_box(driver):
    try:
        return driver.find_message_box(caption="Update", timeout=1)
    except DriverError:
        return None


def outside_files(install, wine_session):
    """Every file beside the program directory and at the root of drive C but the version probe."""
    places = [install.parent, wine_session.prefix / "drive_c"]
    return sorted(str(path) for place in places for path in place.iterdir() if path.is_file() and path.name != "ver")


@pytest.mark.parametrize("name", CASES)
def test_hostile_server_leaves_every_file_whole(launch, driver, install, ftp_root, wine_session, name):
    change_list, version, behaviour, line = CASES[name]
    (install / "util").mkdir(exist_ok=True)
    (install / "util" / "a.dll").write_bytes(OLD)
    (ftp_root / "vorlo" / "change.ini").write_bytes(change_list.encode("cp949"))
    (ftp_root / "vorlo" / "a.dll").write_bytes(NEW)
    if version is not None:
        (ftp_root / "vorlo" / "version.ini").write_bytes(version)
    outside = outside_files(install, wine_session)
    StallingHandler.release = threading.Event()
    server = update_server(ftp_root, behaviour=behaviour or RecordingHandler)
    try:
        program = launch("Update.exe", directory=install)
        if version is None:
            driver.press(offered(driver)["hwnd"], OK)
        else:
            driver.press(driver.find_message_box(caption=OFFER_CAPTION)["hwnd"], OK)
        # The word comes before the line. A stalled transfer holds the window, which the driver
        # finds hung until it is back in a message loop, so the file is watched first.
        assert wait_for_word(install, program, timeout=PATIENCE + SILENCE_LIMIT) == b"UPDATE"
        if line:
            box = driver.wait_for(lambda: answering_box(driver), bool)
            assert line in box["text"]
            driver.close_message_box(box)
        assert program.wait_exit() == 0
    finally:
        StallingHandler.release.set()
        server.stop()
    assert (install / "util" / "a.dll").read_bytes() == (NEW if line is None else OLD)
    assert not (install / "temp").exists()
    assert outside_files(install, wine_session) == outside
    assert not [path for path in install.parent.rglob("escape*")]


class KillingHandler(RecordingHandler):
    """Calls on_last_size when asked for the size of the last file: the updater installs right
    after it has its answer."""

    last = None
    on_last_size = None

    def ftp_SIZE(self, path):
        super().ftp_SIZE(path)
        if Path(path).name == self.last:
            self.on_last_size()


def test_update_killed_at_random_moments_leaves_whole_files_and_the_next_run_finishes(launch, driver, install,
                                                                                     ftp_root):
    names = ["part%02d.dll" % i for i in range(24)]
    (install / "util").mkdir(exist_ok=True)
    old = {name: os.urandom(20000) for name in names}
    new = {name: os.urandom(30000) for name in names}
    for name in names:
        (install / "util" / name).write_bytes(old[name])
        (ftp_root / "vorlo" / name).write_bytes(new[name])
    (ftp_root / "vorlo" / "change.ini").write_bytes(("[UTIL]\n%s\n" % "\n".join(names)).encode("cp949"))
    whole = {name: {digest_of(old[name]), digest_of(new[name])} for name in names}
    chance = random.Random()
    KillingHandler.last = names[-1]
    server = update_server(ftp_root, behaviour=KillingHandler)
    try:
        for _ in range(20):
            (install / "config" / "EndTransfer.ini").write_bytes(NOTHING_YET)
            program = launch("Update.exe", directory=install)
            # A moment from the last file's check to a little after the installing.
            KillingHandler.on_last_size = threading.Timer(chance.uniform(0, 0.02), program.process.kill).start
            driver.press(offered(driver)["hwnd"], OK)
            program.process.wait(PATIENCE)
            assert [name for name in names if digest(install / "util" / name) not in whole[name]] == []
            assert sorted(path.name for path in (install / "util").iterdir()) == names
            installed = sum(digest(install / "util" / name) == digest_of(new[name]) for name in names)
            if version_line(install) == b"1999.12.02":
                # The version follows the last file. Finished before the kill: back to the old
                # version for the next moment.
                assert installed == len(names)
                for name in names:
                    (install / "util" / name).write_bytes(old[name])
                (install / "config" / "version.ini").write_bytes(OLD_VERSION.encode("cp949"))
        KillingHandler.on_last_size = lambda: None
        assert agree_and_finish(launch, driver, install) == b"UPDATE"
    finally:
        server.stop()
    assert all((install / "util" / name).read_bytes() == new[name] for name in names)
    assert version_line(install) == b"1999.12.02"
    assert not (install / "temp").exists()
