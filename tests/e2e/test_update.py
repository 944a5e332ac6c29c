"""The updater end to end: Update.exe against a real FTP server on loopback.

The updater always connects to the FTP port 21 of the address in [FTPADDR];
each run serves on a loopback address of its own (127.x.y.z), so runs on one
machine do not meet.
"""

import os
import random
import shutil
import time
from pathlib import Path

import pytest
from PIL import Image
from updater import CANCEL, FILE_TEXT, FTP_PORT, OFFER_CAPTION, OK, TITLE, UpdateServer
from winerig import KOREAN, PATIENCE, WESTERN

pytestmark = pytest.mark.program("Update.exe")

BUILD_DIR = Path(os.environ.get("E2E_BUILD_DIR", "build/win32"))
STANDIN_PONDIAL = Path(os.environ.get("E2E_STANDIN_PROGRAM", BUILD_DIR / "tools/standin_program/standin_program.exe")).resolve()
HIDDEN_START = Path(os.environ.get("E2E_HIDDEN_START", BUILD_DIR / "tools/hidden_start/hidden_start.exe")).resolve()
FILE_HOLDER = Path(os.environ.get("E2E_FILE_HOLDER", BUILD_DIR / "tools/file_holder/file_holder.exe")).resolve()
ADDRESS = "127.%d.%d.%d" % tuple(random.randint(1, 254) for _ in range(3))

ABOUT_COMMAND = 16
PROGRESS, CLIP = 1001, 1002
WS_CAPTION, WS_SYSMENU = 0x00C00000, 0x00080000
ACS_CENTER, ACS_TRANSPARENT, ACS_AUTOPLAY = 0x1, 0x2, 0x4
SS_TYPEMASK, SS_CENTER = 0x1F, 0x1
NOTHING_YET = bytes(10)
GRANT = b"YES" + bytes(7)
OLD_VERSION = "1999.12.01\n[CONTENT]\n지난 판\n"
NEW_VERSION = "1999.12.02\n[CONTENT]\n새 판이 나왔습니다.\n받으시겠습니까?\n"
BAR, BAR_BACKGROUND = (165, 206, 239), (206, 231, 247)


def update_server(root, **options):
    """An UpdateServer on this run's ADDRESS; the test is skipped where port 21 cannot be had."""
    try:
        return UpdateServer(root, ADDRESS, **options)
    except OSError as error:
        pytest.skip("cannot serve FTP on %s:%d: %s" % (ADDRESS, FTP_PORT, error))


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
        servers.append(update_server(ftp_root, delay=delay))
        return servers[-1]

    yield start
    for server in servers:
        server.stop()


def word(install):
    return (install / "config" / "EndTransfer.ini").read_bytes()


def wait_for_word(install, program, timeout=PATIENCE):
    """The updater's word as the connector reads it: the bytes before the first zero byte
    (the word may still be followed by zeros until the file is cut to it)."""
    deadline = time.monotonic() + timeout
    while word(install).strip(b"\0") == b"" and time.monotonic() < deadline:
        program.check()
        time.sleep(0.02)
    return word(install).split(b"\0")[0]


def offered(driver):
    """The question box, answered by the test; checks its caption and text."""
    box = driver.find_message_box(caption=OFFER_CAPTION)
    assert box["text"] == "새 판이 나왔습니다.\n받으시겠습니까?"
    assert [button["id"] for button in box["buttons"]] == [OK, CANCEL]
    return box


def check_layout(driver, hwnd, file_text):
    """The window's caption and its three controls, top to bottom, in dialog units."""
    assert driver.info(hwnd)["style"] & (WS_CAPTION | WS_SYSMENU) == WS_CAPTION
    clip, text, bar = (driver.info(driver.control(hwnd, control)) for control in (CLIP, FILE_TEXT, PROGRESS))
    assert clip["class"] == "SysAnimate32"
    clip_styles = ACS_CENTER | ACS_TRANSPARENT | ACS_AUTOPLAY
    assert clip["style"] & clip_styles == clip_styles
    assert text["class"] == "Static" and text["style"] & SS_TYPEMASK == SS_CENTER
    assert text["text"] == file_text
    assert bar["class"] == "PercentProgressBar"
    left, right = clip["rect"][0], clip["rect"][2]
    assert all(control["rect"][0] == left and control["rect"][2] == right for control in (text, bar))
    # Tops and heights in the template: clip 7 and 31, text 38 and 9, bar 48 and 13 units.
    unit_y = (text["rect"][3] - text["rect"][1]) / 9
    for control, top, height in ((clip, 7, 31), (text, 38, 9), (bar, 48, 13)):
        assert abs(control["rect"][1] - text["rect"][1] - (top - 38) * unit_y) <= 1.5, control
        assert abs(control["rect"][3] - control["rect"][1] - height * unit_y) <= 1.5, control
    # Centred, with a margin on either side.
    window = driver.info(hwnd)["rect"]
    assert abs((left - window[0]) - (window[2] - right)) <= 1
    assert (right - left) / (window[2] - window[0]) < 162 / 176


def is_blue(pixel):
    """The text colour over the bar, allowing for smoothed glyph edges."""
    red, green, blue = pixel
    return red < 60 and green < 90 and blue > 200


def is_grey(pixel):
    """The text colour over the background (100, 100, 100)."""
    return all(abs(channel - 100) < 25 for channel in pixel)


def start_hidden(launch, install):
    """Starts the updater as the connector does, with WinExec and SW_HIDE."""
    shutil.copy(HIDDEN_START, install / "hidden_start.exe")
    assert launch("hidden_start.exe", "Update.exe", directory=install).wait_exit() == 0


def hold(launch, driver, install, relative, tmp_path, wine_session):
    """Another program opens the file and holds it; returns the function that makes it let go."""
    shutil.copy(FILE_HOLDER, install / "file_holder.exe")
    holding = tmp_path / "holding"
    holder = launch("file_holder.exe", relative, wine_session.windows_path(holding), directory=install)
    driver.wait_for(holding.exists, bool)

    def let_go():
        holding.unlink()
        assert holder.wait_exit() == 0

    return let_go


def wait_ended(driver, pid):
    """Waits until the process pid has no window left, hidden or not."""
    driver.wait_for(driver.windows, lambda windows: not [w for w in windows if w["pid"] == pid])


def installed_files(root):
    return sorted(str(path.relative_to(root)) for path in root.rglob("*") if path.is_file())


def test_equal_versions_end_with_no_and_show_no_window(launch, driver, install, serve, wine_session):
    (install / "config" / "version.ini").write_bytes(NEW_VERSION.encode("cp949"))
    serve("[UTIL]\nnever.dll\n", {"never.dll": b"x"})
    probe = wine_session.prefix / "drive_c" / "ver"
    probe.unlink(missing_ok=True)
    program = launch("Update.exe", directory=install)
    while program.running():
        assert not [w for w in driver.windows() if w["title"] == TITLE and w["visible"]]
        time.sleep(0.05)
    assert program.wait_exit() == 0
    assert word(install) == b"NO"
    assert not (install / "util" / "never.dll").exists()
    # The server's version file was compared in "c:\ver", which stays behind.
    assert probe.read_bytes() == NEW_VERSION.encode("cp949").replace(b"\n", b"\r\n")


@pytest.mark.parametrize("code_page", [KOREAN, WESTERN], ids=["cp949", "cp1252"])
def test_agreed_update_installs_each_section_and_cleans_up(launch, driver, install, serve, code_page):
    # A Hangul name reaches the server as CP949 whatever the system's code page.
    dll, exe, clip = os.urandom(70000), b"MZ\r\n\x00exe\n", os.urandom(3000)
    server = serve("[UTIL]\none.dll\ntwo.exe\n[MEDIA]\n복사.avi\n",
                   {"one.dll": dll, "two.exe": exe, "복사.avi": clip})
    program = launch("Update.exe", directory=install, code_page=code_page)
    box = offered(driver)
    window = driver.find_window(TITLE)
    assert window["visible"]
    driver.screenshot(window["hwnd"], "offer")
    driver.press(box["hwnd"], OK)

    assert wait_for_word(install, program) == b"UPDATE"
    assert program.wait_exit() == 0
    assert word(install) == b"UPDATE", "the file is cut to the word"
    assert (install / "util" / "one.dll").read_bytes() == dll
    assert (install / "util" / "two.exe").read_bytes() == exe
    assert (install / "media" / "복사.avi").read_bytes() == clip
    assert not (install / "temp").exists()
    # The version file travels as text, the updates as binary.
    assert (install / "config" / "version.ini").read_bytes() == NEW_VERSION.encode("cp949").replace(b"\n", b"\r\n")
    assert server.retrieved()[-3:] == ["one.dll", "two.exe", "복사.avi"]
    assert [server.transfer_type(name) for name in ("version.ini", "change.ini", "one.dll", "two.exe", "복사.avi")] \
        == ["a", "a", "i", "i", "i"]
    # Anonymous, with an e-mail-style password of 13 characters; active transfers only.
    assert [arg for _, arg in server.commands("USER")] == ["anonymous"]
    [(_, password)] = server.commands("PASS")
    assert len(password) == 13 and "@" in password
    assert server.commands("PORT", "EPRT") and not server.commands("PASV", "EPSV")


def test_restart_hands_over_to_the_connector(launch, driver, install, serve, tmp_path, wine_session):
    (install / "Pondial.exe").write_bytes(STANDIN_PONDIAL.read_bytes())
    (install / "media" / "help.avi").write_bytes(b"old help")
    serve("[RESTART]\n[SCRIPT]\n다락.scp\n[MEDIA]\nhelp.avi\n", {"다락.scp": b"script", "help.avi": b"new help"})
    # The connector holds its help clip until it has closed.
    connector_lets_go = hold(launch, driver, install, "media\\help.avi", tmp_path, wine_session)
    program = launch("Update.exe", directory=install)
    driver.press(offered(driver)["hwnd"], OK)
    assert wait_for_word(install, program) == b"YES"
    assert (install / "script" / "다락.scp").read_bytes() == b"script"
    assert (install / "media" / "help.avi").read_bytes() == b"old help"

    # Waiting for the connector's grant: the window is up and answers.
    window = driver.find_window(TITLE)
    check_layout(driver, window["hwnd"], "help.avi를 복사합니다")
    driver.syscommand(window["hwnd"], ABOUT_COMMAND)
    about = driver.find_message_box(caption="Update 정보")
    assert about["text"].split("\n")[0] == "Update 버전 1.0" and "1999" in about["text"]
    assert [(button["id"], button["text"]) for button in about["buttons"]] == [(OK, "확인")]
    driver.screenshot(about["hwnd"], "about")
    driver.close_window(about["hwnd"])
    driver.wait_gone(about["hwnd"])
    time.sleep(3.5)
    assert program.running() and not (install / "Pondial.started").exists()

    # The grant is taken while the connector still holds its clip; the clip is
    # replaced once it lets go, and only then is the connector started again.
    receive = install / "config" / "Receive.ini"
    receive.write_bytes(GRANT)
    driver.wait_for(receive.read_bytes, lambda flag: flag == NOTHING_YET)
    assert program.running() and not (install / "Pondial.started").exists()
    connector_lets_go()
    assert program.wait_exit() == 0
    assert (install / "media" / "help.avi").read_bytes() == b"new help"
    assert version_line(install) == b"1999.12.02"
    command, directory = (install / "Pondial.started").read_text(encoding="utf-8").strip().split("\t")
    assert directory == "Z:" + str(install).replace("/", "\\")
    assert command == '"%s\\Pondial.exe"' % directory


def test_cancel_keeps_the_installed_version(launch, driver, install, serve):
    serve("[UTIL]\none.dll\n", {"one.dll": b"1"})
    program = launch("Update.exe", directory=install)
    driver.press(offered(driver)["hwnd"], CANCEL)
    assert program.wait_exit() == 0
    assert word(install) == b"NO"
    assert (install / "config" / "version.ini").read_bytes() == OLD_VERSION.encode("cp949")
    assert not (install / "util" / "one.dll").exists()


def test_stopped_server_is_one_clear_line_and_update(launch, driver, install):
    # Started hidden, the box comes before any window was shown, and must be seen.
    start_hidden(launch, install)
    box = driver.find_message_box(caption="Update")
    assert box["text"] == "업데이트 서버(%s)에 접속할 수 없습니다." % ADDRESS
    assert word(install) == b"UPDATE", "the connector must not wait for the user"
    driver.close_message_box(box)
    wait_ended(driver, box["pid"])


def test_refused_login_is_one_clear_line_and_update(launch, driver, install, ftp_root):
    server = update_server(ftp_root, anonymous=False)
    try:
        program = launch("Update.exe", directory=install)
        box = driver.find_message_box(caption="Update")
        assert box["text"] == "업데이트 서버(%s)가 로그인을 거부했습니다." % ADDRESS
        assert word(install) == b"UPDATE"
        driver.close_message_box(box)
        assert program.wait_exit() == 0
        assert not server.retrieved()
    finally:
        server.stop()


def test_refused_change_list_is_told(launch, driver, install, serve, tmp_path):
    serve("[UTIL]\nok.dll\n..\\evil.dll\n../evil.dll\n", {"ok.dll": b"ok", "..\\evil.dll": b"evil"})
    before = installed_files(tmp_path)
    # Started hidden, as the connector starts it: the offer and the notice are seen all the same.
    start_hidden(launch, install)
    box = offered(driver)
    assert driver.find_window(TITLE)["visible"]
    driver.press(box["hwnd"], OK)
    notice = driver.find_message_box(caption="Update")
    assert notice["text"] == '업데이트 목록의 "..\\evil.dll" 항목은 설치할 수 없는 이름이어서 업데이트하지 않았습니다.'
    assert word(install) == b"UPDATE"
    driver.screenshot(notice["hwnd"], "refused")
    driver.close_message_box(notice)
    wait_ended(driver, notice["pid"])
    assert not (install / "util" / "ok.dll").exists()
    assert not (install / "temp").exists()
    new_files = set(installed_files(tmp_path)) - set(before)
    assert not [name for name in new_files if "evil" in name], new_files


def test_progress_window_in_the_middle_of_an_update(launch, driver, install, serve, wine_session, test_output):
    names = ["part%d.dll" % i for i in range(6)]
    server = serve("[NUMBER] 6\n[UTIL]\n%s\n" % "\n".join(names), {name: os.urandom(100000) for name in names},
                   delay=1.0)
    program = launch("Update.exe", directory=install)
    box = offered(driver)
    window = driver.find_window(TITLE)
    rect = driver.info(window["hwnd"])["rect"]
    bar_rect = driver.info(driver.control(window["hwnd"], PROGRESS))["rect"]
    driver.press(box["hwnd"], OK)

    # The window's thread answers messages only between two files: watch the server instead.
    # While the server holds back part3.dll, three of six files have arrived.
    driver.wait_for(server.retrieved, lambda retrieved: "part3.dll" in retrieved)
    shot = test_output / "progress.png"

    def filled():
        wine_session.screenshot(shot, rect)
        counts = {colour: count for count, colour in Image.open(shot).convert("RGB").getcolors(1 << 20)}
        return counts.get(BAR, 0) / max(1, counts.get(BAR, 0) + counts.get(BAR_BACKGROUND, 0))

    half = driver.wait_for(filled, lambda share: 0.4 < share < 0.6 or "part4.dll" in server.retrieved())
    assert 0.4 < half < 0.6, "the bar is not half filled: %.2f" % half
    # "50%" straddles the edge of the fill: blue over the bar, grey over the rest.
    bar = Image.open(shot).convert("RGB").crop([bar_rect[i] - rect[i % 2] for i in range(4)])
    edge = bar.width // 2
    assert any(is_blue(pixel) for pixel in bar.crop((0, 0, edge, bar.height)).getdata())
    over_background = list(bar.crop((edge + 1, 0, bar.width, bar.height)).getdata())
    assert any(is_grey(pixel) for pixel in over_background)
    assert not any(is_blue(pixel) for pixel in over_background)

    assert wait_for_word(install, program) == b"UPDATE"
    assert program.wait_exit() == 0
    assert installed_files(install / "util") == sorted(names)


def version_line(install):
    return (install / "config" / "version.ini").read_bytes().splitlines()[0]


def agree_and_finish(launch, driver, install):
    """One run of the updater whose offer the user takes; its word."""
    (install / "config" / "EndTransfer.ini").write_bytes(NOTHING_YET)
    program = launch("Update.exe", directory=install)
    driver.press(offered(driver)["hwnd"], OK)
    result = wait_for_word(install, program)
    assert program.wait_exit() == 0
    return result


def test_own_clip_in_the_change_list_is_replaced(launch, driver, install, serve):
    # The animation control plays this very file while the files are fetched.
    clip = (install / "media" / "filecopy.avi").read_bytes()
    serve("[MEDIA]\nfilecopy.avi\n", {"filecopy.avi": clip + b"JUNK"})
    assert agree_and_finish(launch, driver, install) == b"UPDATE"
    assert (install / "media" / "filecopy.avi").read_bytes() == clip + b"JUNK"
    assert version_line(install) == b"1999.12.02"


def test_file_held_by_another_program_is_named(launch, driver, install, serve, tmp_path,
                                                                       wine_session):
    (install / "util").mkdir(exist_ok=True)
    (install / "util" / "held.dll").write_bytes(b"old")
    serve("[UTIL]\nheld.dll\nfree.dll\n", {"held.dll": b"new held", "free.dll": b"new free"})
    hold(launch, driver, install, "util\\held.dll", tmp_path, wine_session)

    program = launch("Update.exe", directory=install)
    driver.press(offered(driver)["hwnd"], OK)
    box = driver.find_message_box(caption="Update")
    assert box["text"] == ("다른 프로그램이 쓰고 있어 바꾸지 못한 파일이 있습니다(util\\held.dll). "
                           "그 프로그램을 닫으면 다음 접속 때 업데이트를 마칩니다.")
    assert word(install) == b"UPDATE"
    driver.close_message_box(box)
    assert program.wait_exit() == 0
    assert (install / "util" / "held.dll").read_bytes() == b"old"
    assert (install / "util" / "free.dll").read_bytes() == b"new free"
    assert version_line(install) == b"1999.12.01"
