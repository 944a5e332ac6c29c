"""The lobby client as its end-to-end tests see it: its texts, its control ids and the steps
every lobby test starts with (a chat server of the test's own, the program, the ID prompt)."""

import re
import time
from pathlib import Path

from chat_peer import BLOCK
from winerig import KOREAN, PATIENCE

EXE = "Client.exe"
LOBBY_TITLE = "다락 게임방"
ID_DIALOG_TITLE = "아이디 입력"
ABOUT_TITLE = "Client 정보"
NOTICE_CAPTION = "알림"
CARET_REFUSAL = "'^'문자는 입력할수 없습니다"
CLOSED = "서버와 연결이 끊어졌습니다."
WELCOME = "님! 나래온 게임방에 오신걸 환영합니다"
ID_TOO_SHORT = "아이디는 반드시 2자(한글로 1자)이상 입력해야 합니다"

# Lobby window (template 102).
ROOM_LIST = 1054
USER_LIST = 1010
CHAT_LIST = 1000
CHAT_INPUT = 1001
EXIT_BUTTON = 1
JOIN_BUTTON = 1007
CONNECT_BUTTON, DISCONNECT_BUTTON = 1004, 1048
PUSH_BUTTONS = (1044, 1043, 1042, 1003, 1007, 1004, 1048, 1045, EXIT_BUTTON)
HIDDEN_CONTROLS = (1023, 1024, 1002, 1025, 1026, 1027, 1028, 1029, 1031)
ABOUT_COMMAND = 16
TWO_ROOMS = "ROOMTITLE^둘째방^2^0^1^4^StarCraft^YES^-^열번째^10^0^2^8^StarCraft^NO^[END]"
SC_CLOSE = 0xF060
# ID entry dialog (template 129).
ID_EDIT = 1011
ID_OK = 1
# Create-room dialog (template 130) and room window (template 140).
CREATE_BUTTON = 1003
CREATE_TITLE = "방정보를 입력하세요..."
TITLE_EDIT, MEMBERS_EDIT = 1014, 1002
ROOM_CHAT_LIST, ROOM_CHAT_INPUT, START_BUTTON = 1018, 1019, 1009
MEMBER_LIST, LEAVE_BUTTON = 1022, 1020
SERVER_EXE = "LobbyServer.exe"


def with_tagged_line(ini_bytes, tag, value):
    """An .ini text whose lines of tag are replaced by one line "tag value" at its start."""
    lines = [line for line in ini_bytes.split(b"\n") if not line.lstrip().startswith(tag)]
    return tag + b" " + value + b"\r\n" + b"\n".join(lines)


def point_at_chat_server(program_dir, port):
    """Rewrites the program directory's [CHATADDR] line to a loopback port."""
    position = Path(program_dir) / "config" / "position.ini"
    position.write_bytes(with_tagged_line(position.read_bytes(), b"[CHATADDR]", b"127.0.0.1 %d" % port))


# On a free loopback port, keeping users who only listen for the length of a test.
SERVER_ARGS = ("--bind", "127.0.0.1", "--port", "0", "--idle-timeout", "900")


def listening_port(server):
    """The port a started lobby server (a Program given SERVER_ARGS) reports it listens on."""
    listening = re.compile(rb"listening on 127\.0\.0\.1:(\d+)")
    deadline = time.monotonic() + PATIENCE
    while not (found := listening.search(server.log_path.read_bytes())):
        assert server.running() and time.monotonic() < deadline, "%s did not start" % SERVER_EXE
        time.sleep(0.05)
    return int(found.group(1))


def start_lobby_server(launch, program_dir):
    """Our lobby server under Wine on a free loopback port, named in position.ini; its port."""
    port = listening_port(launch(SERVER_EXE, *SERVER_ARGS))
    point_at_chat_server(program_dir, port)
    return port


class Lobby:
    """A started lobby client: its process, its window and the controls of that window."""

    def __init__(self, driver, program):
        self.driver = driver
        self.program = program
        self.window = driver.find_window(LOBBY_TITLE)
        self.hwnd = self.window["hwnd"]
        self.pid = self.window["pid"]

    @classmethod
    def start(cls, launch, driver, code_page=KOREAN):
        return cls(driver, launch(EXE, code_page=code_page))

    @classmethod
    def logged_in_at_server(cls, launch, driver, user_id="kim"):
        """A lobby started and logged in at our lobby server (the lobby_server fixture)."""
        lobby = cls.start(launch, driver)
        lobby.log_in_at_server(user_id)
        return lobby

    @classmethod
    def logged_in(cls, launch, driver, peer):
        """A lobby started and logged in as "kim" at the scripted server peer."""
        lobby = cls.start(launch, driver)
        lobby.log_in_at(peer)
        return lobby

    def create_room(self, title, members):
        """Creates a room of the first game (StarCraft) through the create-room dialog; its window."""
        self.driver.click(self.control(CREATE_BUTTON))
        dialog = self.driver.find_window(CREATE_TITLE, pid=self.pid)["hwnd"]
        self.driver.type(self.driver.control(dialog, TITLE_EDIT), title)
        self.driver.set_text(self.driver.control(dialog, MEMBERS_EDIT), str(members))
        self.driver.press(dialog, "선택")
        return room_window(self, title)

    def control(self, control_id):
        return self.driver.control(self.hwnd, control_id)

    def id_dialog(self, timeout=PATIENCE):
        """The ID prompt that the lobby opens by itself; returns (dialog window, its ID edit)."""
        dialog = self.driver.find_window(ID_DIALOG_TITLE, timeout=timeout, pid=self.pid)
        return dialog, self.driver.control(dialog["hwnd"], ID_EDIT)

    def notice(self):
        """The next message box of the lobby's process, closed after reading; (caption, text)."""
        box = self.driver.find_message_box(pid=self.pid)
        self.driver.close_message_box(box)
        return box["caption"], box["text"]

    def log_in(self, user_id):
        """Enters user_id into the ID prompt and waits until the lobby takes chat input."""
        dialog, edit = self.id_dialog()
        self.driver.type(edit, user_id)
        self.driver.press(dialog["hwnd"], ID_OK)
        self.driver.wait_gone(dialog["hwnd"])
        chat_input = self.control(CHAT_INPUT)
        if not self.driver.wait_for(lambda: self.driver.info(chat_input)["enabled"], bool):
            raise AssertionError("the chat input stayed disabled after the ID was accepted")
        return chat_input

    def wait_welcome(self, user_id):
        """Waits for the caption that welcomes user_id once the server took the ID."""
        title = self.driver.wait_text(self.hwnd, user_id + WELCOME)
        assert title == user_id + WELCOME, title

    def log_in_at_server(self, user_id="kim"):
        """Logs in through the ID prompt at our lobby server; waits for the welcome caption."""
        chat_input = self.log_in(user_id)
        self.wait_welcome(user_id)
        return chat_input

    def log_in_at(self, peer, user_id="kim"):
        """Logs in through the ID prompt at a scripted server that accepts the ID: checks the
        login block, answers it and waits for the keep-alive and the welcome caption.
        Returns the chat input."""
        dialog, edit = self.id_dialog()
        self.driver.type(edit, user_id)
        self.driver.press(dialog["hwnd"], ID_OK)
        peer.wait_connected()
        block = peer.next_block()
        assert len(block) == BLOCK
        assert block.rstrip(b"\0").decode("cp949") == "ID^" + user_id
        peer.send("IDORDER^OK")
        peer.expect("I_AM_ALIVE", skip_alive=False)
        self.wait_welcome(user_id)
        return self.control(CHAT_INPUT)


def list_lines(driver, list_box):
    return driver.list_box(list_box)["items"]


def wait_line(driver, list_box, line):
    """The list box's lines once they hold line; fails with its last lines otherwise."""
    items = driver.wait_for(lambda: list_lines(driver, list_box), lambda items: line in items)
    assert line in items, items[-5:]
    return items


def room_rows(lobby):
    return [row[0] for row in lobby.driver.list_view(lobby.control(ROOM_LIST))["rows"]]


def show_rooms(lobby, peer, message=TWO_ROOMS, count=2):
    peer.send(message)
    rows = lobby.driver.wait_for(lambda: room_rows(lobby), lambda rows: len(rows) == count)
    assert len(rows) == count, rows
    return rows


def join(lobby, peer, row, number, reply):
    driver = lobby.driver
    driver.select_row(lobby.control(ROOM_LIST), row)
    join_button = lobby.control(JOIN_BUTTON)
    driver.click(join_button)
    peer.expect("JOIN^%d" % number)
    peer.send(reply)


def room_window(lobby, title):
    return lobby.driver.find_window("방제 : " + title, pid=lobby.pid)["hwnd"]
