#!/usr/bin/python3
"""The typical evening in a PC room, played on the installed programs under Wine.

    evening.py --program DIR --uidriver EXE --standin-ras DLL --output DIR

Our lobby server LobbyServer.exe and a loopback FTP server stand for the service. The FTP
server holds an update signed with a key made for the evening, whose public half goes into the
program directory: a new lobby background and a position.ini that names the lobby server. The
connector Pondial.exe dials the game item with the stand-in modem, the updater installs the
update, the lobby opens with the new background and logs in, and a scripted second user joins
the room the lobby opens and chats there.

On $DISPLAY a person plays the evening (what to click is printed) until the programs are
closed. Without a display it plays itself, checks every step, saves a screenshot of each step
and a contact sheet of them all in OUTPUT/screenshots, and ends. Either way it stops every
process it started.
"""

import argparse
import logging
import os
import random
import signal
import subprocess
import sys
import time
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

import connector  # noqa: E402
import lobby  # noqa: E402
import updater  # noqa: E402
from machine import Registry  # noqa: E402
from winerig import Driver, Program, WineSession  # noqa: E402

PYTHON = "/usr/bin/python3"
ENCODING = "cp949"
USER_ID = "방문객"
FRIEND_ID = "나래"
FRIEND_GREETING = "{id}님, 어서 오세요! 방을 만들면 들어갈게요."
FRIEND_LINE = "안녕하세요! 같이 한 판 해요."
ROOM_TITLE = "오늘 저녁 한 판"
ROOM_MEMBERS = 4
OWN_LINE = "반가워요, 바로 시작할게요!"

INSTALLED_VERSION = "2026.12.01\n[CONTENT]\n설치된 판\n"
OFFER = "새 배경 그림과 서버 주소가 나왔습니다.\n받으시겠습니까?"
NEW_VERSION = "2026.12.08\n[CONTENT]\n" + OFFER + "\n"
CHANGE_LIST = "[MEDIA]\nbg.bmp\n[CONFIG]\nposition.ini\n"
# Each file of the update takes this long, so the progress window stays up for its picture.
SECONDS_PER_FILE = 1.0

FONT = Path("/usr/share/fonts/truetype/nanum/NanumGothic.ttf")
SHEET_COLUMNS = 3
THUMBNAIL_WIDTH = 400


class EveningFailed(AssertionError):
    """A step of the evening did not come about."""


def expect(condition, what):
    if not condition:
        raise EveningFailed(what)


def write_evening_background(picture, path):
    """Writes the lobby's background in the colours of a sunset to path: the same panels, warm
    instead of blue."""
    red, green, blue = Image.open(picture).convert("RGB").split()
    warm = Image.merge("RGB", (blue.point(lambda v: min(255, v * 3 + 40)), green.point(lambda v: min(255, v * 2)),
                               red))
    warm = warm.quantize(colors=256, method=Image.Quantize.MEDIANCUT)
    warm.save(path, format="BMP")


def is_warm(pixel):
    red, _, blue = pixel[:3]
    return red > blue + 40


class Album:
    """The evening's screenshots, one per step, and a contact sheet of them all."""

    def __init__(self, driver, folder):
        self.driver = driver
        self.folder = Path(folder)
        self.folder.mkdir(parents=True, exist_ok=True)
        for old in self.folder.glob("*.png"):
            old.unlink()
        self.pictures = []

    def take(self, name, caption, window=None):
        """The whole screen, once window (if given) has painted itself afresh."""
        if window is not None:
            self.driver.command("redraw", window)
        path = self.folder / ("%02d-%s.png" % (len(self.pictures) + 1, name))
        self.driver.session.screenshot(path)
        self.pictures.append((path, caption))
        print("evening: %s (%s)" % (caption, path.name), flush=True)
        return path

    def contact_sheet(self):
        font = ImageFont.truetype(str(FONT), 18)
        thumbnails = []
        for path, caption in self.pictures:
            image = Image.open(path).convert("RGB")
            image.thumbnail((THUMBNAIL_WIDTH, THUMBNAIL_WIDTH))
            thumbnails.append((image, "%d. %s" % (len(thumbnails) + 1, caption)))
        cell_width, cell_height = THUMBNAIL_WIDTH + 16, max(image.height for image, _ in thumbnails) + 40
        rows = (len(thumbnails) + SHEET_COLUMNS - 1) // SHEET_COLUMNS
        sheet = Image.new("RGB", (cell_width * SHEET_COLUMNS, cell_height * rows), (255, 255, 255))
        draw = ImageDraw.Draw(sheet)
        for index, (image, caption) in enumerate(thumbnails):
            left, top = (index % SHEET_COLUMNS) * cell_width + 8, (index // SHEET_COLUMNS) * cell_height + 8
            sheet.paste(image, (left, top))
            draw.text((left, top + image.height + 6), caption, font=font, fill=(0, 0, 0))
        path = self.folder / "contact-sheet.png"
        sheet.save(path)
        return path


class Evening:
    """The service, the program directory prepared for it, and the evening's steps.

    Used as a context manager: entering starts the servers and the scripted friend, leaving
    stops them and every program of the evening."""

    def __init__(self, session, driver, program_dir, work_dir, standin_ras=connector.STANDIN_RAS,
                 friend_joins=ROOM_TITLE):
        """friend_joins: the title of the room the scripted friend joins; empty for the first room."""
        self.session = session
        self.driver = driver
        self.program_dir = Path(program_dir)
        self.work_dir = Path(work_dir)
        self.logs = self.work_dir / "logs"
        self.standin_ras = standin_ras
        self.friend_joins = friend_joins
        self.ftp_address = "127.%d.%d.%d" % tuple(random.randint(1, 254) for _ in range(3))
        self.programs = []
        self.windows_before = set()
        self.ftp_server = None
        self.friend = None
        self.chat_port = None
        self.new_background = None
        self.new_position = None

    # The service and the program directory.

    def __enter__(self):
        self.logs.mkdir(parents=True, exist_ok=True)
        self.windows_before = {window["pid"] for window in self.driver.windows()}
        try:
            server = self.start(lobby.SERVER_EXE, *lobby.SERVER_ARGS)
            self.chat_port = lobby.listening_port(server)
            self.install_service_settings()
            self.publish_update()
            self.start_friend()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *_):
        for pid in self.driver.new_pids(self.windows_before):
            self.driver.terminate(pid)
        for program in self.programs:
            program.stop()
        if self.friend is not None:
            self.friend.terminate()
            self.friend.wait(10)
        if self.ftp_server is not None:
            self.ftp_server.stop()

    def start(self, exe, *args):
        program = Program(self.session, self.program_dir, exe, args, log_path=self.logs / (exe + ".log"))
        self.programs.append(program)
        return self.driver.watch(program)

    def install_service_settings(self):
        """What the PC room's installation holds: the update server's address, an older
        version, the service's public key, and the stand-in modem beside the connector."""
        config = self.program_dir / "config"
        position = config / "position.ini"
        position.write_bytes(lobby.with_tagged_line(position.read_bytes(), b"[FTPADDR]", self.ftp_address.replace(".", " ").encode()))
        (config / "version.ini").write_bytes(INSTALLED_VERSION.encode(ENCODING))
        keys = self.work_dir / "keys"
        keys.mkdir(exist_ok=True)
        self.sign_update("keygen", keys / "service-key.pem", config / "update-key.pem")
        connector.use_standin_ras(Registry(self.session, self.logs), self.program_dir, self.standin_ras)

    def publish_update(self):
        """The signed update on the FTP server: the new background, and a position.ini that
        names the lobby server (the installed one names the sample's)."""
        folder = self.work_dir / "ftp" / "vorlo"
        folder.mkdir(parents=True, exist_ok=True)
        (folder / "version.ini").write_bytes(NEW_VERSION.encode(ENCODING))
        (folder / "change.ini").write_bytes(CHANGE_LIST.encode(ENCODING))
        self.new_background = folder / "bg.bmp"
        write_evening_background(self.program_dir / "media" / "bg.bmp", self.new_background)
        position = self.program_dir / "config" / "position.ini"
        self.new_position = lobby.with_tagged_line(position.read_bytes(), b"[CHATADDR]", b"127.0.0.1 %d" % self.chat_port)
        (folder / "position.ini").write_bytes(self.new_position)
        self.sign_update("sign", self.work_dir / "keys" / "service-key.pem", folder)
        try:
            self.ftp_server = updater.UpdateServer(folder.parent, self.ftp_address, delay=SECONDS_PER_FILE)
        except PermissionError:
            raise EveningFailed("the update's FTP server needs port 21 of %s: run as root, or let everyone use "
                                "it with: sudo sysctl net.ipv4.ip_unprivileged_port_start=21" % self.ftp_address)

    def sign_update(self, *args):
        with open(self.logs / "sign_update.log", "ab") as log:
            subprocess.run([PYTHON, str(ROOT / "tools" / "sign_update"), *map(str, args)], stdout=log, stderr=log,
                           check=True)

    def start_friend(self):
        """The scripted second user, who joins the room of friend_joins."""
        log = open(self.logs / "friend.log", "wb")
        self.friend = subprocess.Popen(
            [PYTHON, str(ROOT / "tools" / "demo_chat_user.py"), "--port", str(self.chat_port), "--id", FRIEND_ID,
             "--join", self.friend_joins, "--greet", FRIEND_GREETING, "--say", FRIEND_LINE],
            stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
        log.close()

    def friend_heard(self, text):
        return text in (self.logs / "friend.log").read_text(encoding="utf-8", errors="replace")

    # The evening, played by itself.

    def play_by_itself(self, album):
        """Every step from dialing to the chat in the room, each checked and pictured."""
        driver = self.driver
        self.start(connector.EXE)
        window = driver.find_window(connector.TITLE)["hwnd"]
        album.take("connector", "Pondial: 접속 프로그램", window)
        menu = connector.open_item_menu(driver, window)
        album.take("items", "연결 단추 위의 항목 메뉴", menu)
        connector.choose_last_item(driver, window, menu)
        confirm = driver.find_window(connector.GAME_ITEM)["hwnd"]
        album.take("confirm", "게임방에 접속할지 묻습니다", confirm)
        driver.press(confirm, connector.CONFIRM_OK)
        lamps = driver.wait_for(lambda: connector.lit(driver, window), lambda lit: len(lit) >= 6)
        expect(len(lamps) >= 6, "the connector's lamps did not light up to Connected: %s" % lamps)
        album.take("dialed", "전화 연결: 등이 켜졌습니다", window)

        offer = driver.find_message_box(caption=updater.OFFER_CAPTION)
        expect(offer["text"] == OFFER, "the updater offered %r" % offer["text"])
        album.take("offer", "Update: 새 판 안내", offer["hwnd"])
        driver.press(offer["hwnd"], updater.OK)
        progress = driver.find_window(updater.TITLE)["hwnd"]
        copying = driver.control(progress, updater.FILE_TEXT)
        driver.wait_for(lambda: driver.text(copying), bool)
        # The updater's window waits on its transfer between paints: no redraw to wait for.
        album.take("update", "Update: 업데이트를 설치합니다")

        client = self.log_in(album)
        self.meet_in_room(client, album)
        return album.contact_sheet()

    def log_in(self, album):
        driver = self.driver
        client = lobby.Lobby(driver, None)
        expect((self.program_dir / "media" / "bg.bmp").read_bytes() == self.new_background.read_bytes(),
               "the new background was not installed")
        expect((self.program_dir / "config" / "position.ini").read_bytes() == self.new_position,
               "the new position.ini was not installed")
        dialog, edit = client.id_dialog()
        driver.type(edit, USER_ID)
        album.take("id", "Client: 아이디 입력", dialog["hwnd"])
        driver.press(dialog["hwnd"], lobby.ID_OK)
        client.wait_welcome(USER_ID)
        lobby.wait_line(driver, client.control(lobby.CHAT_LIST),
                        "[%s] %s" % (FRIEND_ID, FRIEND_GREETING.replace("{id}", USER_ID)))
        picture = Image.open(album.take("lobby", "Client: 새 배경의 로비", client.hwnd)).convert("RGB")
        # Below the exit button and right of the other buttons the lobby shows only its background.
        right, bottom = (int(value) for value in driver.info(client.hwnd)["rect"][2:])
        expect(is_warm(picture.getpixel((right - 8, bottom - 8))), "the lobby does not show the new background")
        return client

    def meet_in_room(self, client, album):
        driver = self.driver
        room = client.create_room(ROOM_TITLE, ROOM_MEMBERS)
        chat = driver.control(room, lobby.ROOM_CHAT_LIST)
        lobby.wait_line(driver, chat, "[%s] %s" % (FRIEND_ID, FRIEND_LINE))
        entry = driver.control(room, lobby.ROOM_CHAT_INPUT)
        driver.type(entry, OWN_LINE)
        driver.key(entry, "RETURN")
        own_line = "[%s] %s" % (USER_ID, OWN_LINE)
        lobby.wait_line(driver, chat, own_line)
        expect(driver.wait_for(lambda: self.friend_heard(own_line), bool), "the friend never heard our line")
        album.take("room", "방에서 %s님과 채팅" % FRIEND_ID, room)

    # The evening, played by a person.

    def play_by_hand(self):
        """Starts the connector, says what to click, and waits until every program is closed."""
        self.start(connector.EXE)
        print(HOW_TO_PLAY.format(item=connector.GAME_ITEM, user=USER_ID, friend=FRIEND_ID),
              flush=True)
        quiet_polls = 0
        while quiet_polls < 2:
            time.sleep(1)
            quiet_polls = 0 if self.driver.new_pids(self.windows_before, visible_only=True) else quiet_polls + 1


HOW_TO_PLAY = """
The evening runs on this display, in the Wine desktop window:
  1. Rest the mouse on the connector's first button (bottom left): its menu opens; click "{item}".
  2. Answer the question with 확인. The lamps light one by one as the stand-in modem dials.
  3. The updater offers the new version: 확인. It installs a new background and position.ini.
  4. The lobby opens with the new background and asks for an ID: type one (say {user}) and 접속.
  5. {friend} greets you. Open a room with 방만들기 (a title, then 선택): {friend} joins it and says hello.
Close the lobby and the connector when you are done; the evening then ends by itself.
"""


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", type=Path, required=True, help="an installed program directory, used as is")
    parser.add_argument("--uidriver", type=Path, required=True)
    parser.add_argument("--standin-ras", type=Path, required=True)
    parser.add_argument("--output", type=Path, required=True)
    options = parser.parse_args()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    # The FTP server's log of every request goes nowhere; its warnings still show.
    logging.getLogger("pyftpdlib").addHandler(logging.NullHandler())

    display = os.environ.get("DISPLAY") or None
    session = WineSession(options.output / "wine", options.uidriver, display=display).start()
    driver = None
    try:
        driver = Driver(session, options.output / "wine")
        with Evening(session, driver, options.program, options.output, options.standin_ras,
                     friend_joins="" if display else ROOM_TITLE) as evening:
            if display:
                evening.play_by_hand()
            else:
                play_headless(evening, options.output)
    except AssertionError as failure:  # a step that did not come about, or a program that crashed
        print("evening: FAILED: %s\n(logs in %s)" % (failure, options.output), file=sys.stderr)
        return 1
    finally:
        if driver is not None:
            driver.close()
        session.stop()
    return 0


def play_headless(evening, output):
    """Plays the evening by itself; on a failure the screen as it was is kept beside the logs."""
    failure_screen = output / "failure-screen.png"
    failure_screen.unlink(missing_ok=True)
    try:
        sheet = evening.play_by_itself(Album(evening.driver, output / "screenshots"))
    except AssertionError:
        evening.session.screenshot(failure_screen)
        raise
    print("evening: screenshots and the contact sheet %s" % sheet, flush=True)

if __name__ == "__main__":
    sys.exit(main())
