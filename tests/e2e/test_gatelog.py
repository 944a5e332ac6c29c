"""The server notebook 게이트록.exe under Wine: its server list and file, the add dialog, the
ICMP measurement against the loopback address, and the gateway launch with a stand-in game
registered as StarCraft. Raw ICMP needs a wineserver with CAP_NET_RAW (the tests run as root);
one test runs a second Wine session whose wineserver lacks it."""

import os
import re
import shutil
import socket
import time
from contextlib import contextmanager

import pytest

from machine import BATTLE_NET_KEY, STARCRAFT_KEY
from winerig import PATIENCE, Driver, DriverTimeout, Program, WineSession

EXE = "게이트록.exe"
TITLE = "게이트록"
ADD_TITLE = "서버주소입력"
UNCHECKED = "체크전"

LIST, MEASURE, ADD, DELETE = 1006, 1009, 1003, 1004
CONNECT_LISTED, CONNECT_SERVICE, CONNECT_OFFICIAL, EXIT = 1005, 1010, 1013, 1
NAME_EDIT, ADDRESS_EDIT = 1007, 1008
ABOUT_COMMAND = 16
# LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS
LIST_STYLE = 0x0001 | 0x0004 | 0x0008

RECORD_SIZE, NAME_FIELD = 317, 61
BATTLE_NET_PORT = 6112
# Each probe waits this long for its echo reply.
PROBE_TIMEOUT_MS = 1000



def record(name, address):
    """A server list record as the program writes it."""
    name, address = name.encode("cp949"), address.encode("cp949")
    return name.ljust(NAME_FIELD, b"\0") + address.ljust(RECORD_SIZE - NAME_FIELD, b"\0")


FREE_SLOT = bytes(RECORD_SIZE)


class Notebook:
    """The notebook's main window and its controls, worked through the driver."""

    def __init__(self, driver, program):
        self.driver = driver
        self.program = program
        self.window = driver.find_window(TITLE)
        self.hwnd = self.window["hwnd"]
        self.controls = {}

    def control(self, control_id):
        if control_id not in self.controls:
            self.controls[control_id] = self.driver.control(self.hwnd, control_id)
        return self.controls[control_id]

    def click(self, control_id, wait=False):
        self.driver.click(self.control(control_id), wait=wait)

    def rows(self):
        return self.driver.list_view(self.control(LIST))["rows"]

    def select(self, row):
        self.driver.select_row(self.control(LIST), row)

    def add_server(self, name, address):
        """Fills the add dialog and presses its OK; returns the dialog window."""
        self.click(ADD)
        dialog = self.driver.find_window(ADD_TITLE)
        self.driver.type(self.driver.control(dialog["hwnd"], NAME_EDIT), name)
        self.driver.type(self.driver.control(dialog["hwnd"], ADDRESS_EDIT), address)
        self.driver.press(dialog["hwnd"], 1)
        return dialog

    def notice(self, timeout=PATIENCE, caption="알림"):
        """The text of the message box that must come, which is then closed."""
        box = self.driver.find_message_box(timeout=timeout, pid=self.window["pid"])
        assert box["caption"] == caption
        self.driver.close_message_box(box)
        return box["text"]

    def wait_rows(self, count, timeout=PATIENCE):
        """The rows once there are count of them (a click is handled after the driver returns)."""
        deadline = time.monotonic() + timeout
        rows = self.rows()
        while len(rows) != count and time.monotonic() < deadline:
            time.sleep(0.05)
            rows = self.rows()
        return rows

    def wait_status(self, row, before=UNCHECKED, timeout=PATIENCE):
        """Waits for the row's "네트웍상태" to leave the text before; returns the new text."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            status = self.rows()[row][1]
            if status != before:
                return status
            self.driver.check_programs()
            time.sleep(0.05)
        raise DriverTimeout("row %d still shows %r" % (row, before))


def start_notebook(launch, driver, program_dir):
    return Notebook(driver, launch(EXE, directory=program_dir))


MEASURED = re.compile(r"^(\d+) ms\[(베넷가능|베넷불가능)\]$")


def parse_status(status):
    """(milliseconds, port open) of a measured row."""
    match = MEASURED.match(status)
    assert match, "not a measurement: %r" % status
    return int(match.group(1)), match.group(2) == "베넷가능"


@contextmanager
def battle_net_port(listening):
    """Holds loopback port 6112: listening, or bound only, so that connects are refused and no
    other program can listen there meanwhile."""
    holder = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    # The connection of an earlier probe may still linger in TIME_WAIT.
    holder.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    try:
        holder.bind(("127.0.0.1", BATTLE_NET_PORT))
        if listening:
            holder.listen(4)
        yield
    finally:
        holder.close()


class WineSessionWithoutRawSockets(WineSession):
    """A Wine session whose wineserver, which opens the sockets for its programs, runs without
    CAP_NET_RAW, as an ordinary user's would."""

    def _run(self, command, log_name, wait):
        if command[0] == "wineserver":
            command = ["capsh", "--drop=cap_net_raw", "--", "-c", 'exec "$0" "$@"', *command]
        return super()._run(command, log_name, wait)


pytestmark = pytest.mark.program(EXE)
needs_root = pytest.mark.skipif(os.geteuid() != 0, reason="raw ICMP sockets and dropping CAP_NET_RAW need root")


@pytest.fixture
def server_list(program_dir):
    """The program's server list file, "config\\bnet.ini"."""
    return program_dir / "config" / "bnet.ini"


def test_added_server_is_stored_without_blanks(launch, driver, program_dir, server_list):
    notebook = start_notebook(launch, driver, program_dir)
    assert notebook.rows() == []
    dialog = notebook.add_server("lo cal", " 127.0.0.1 ")
    driver.wait_gone(dialog["hwnd"])
    assert notebook.rows() == [["local", UNCHECKED, "127.0.0.1"]]
    assert server_list.read_bytes() == record("local", "127.0.0.1")
    driver.screenshot(notebook.hwnd, "notebook-with-local")


def test_add_dialog_refuses_and_stays_open(launch, driver, program_dir, server_list):
    server_list.write_bytes(record("local", "127.0.0.1"))
    notebook = start_notebook(launch, driver, program_dir)
    notebook.click(ADD)
    dialog = driver.find_window(ADD_TITLE)
    name = driver.control(dialog["hwnd"], NAME_EDIT)
    address = driver.control(dialog["hwnd"], ADDRESS_EDIT)
    driver.screenshot(dialog["hwnd"], "add-dialog")

    for typed_name, typed_address, refusal in (("   ", "", "서버명을 입력하세요"),
                                               ("서버", "  ", "서버주소를 입력하세요"),
                                               ("again", "127.0.0.1", "입력하신 서버는 이미 존재합니다.")):
        driver.set_text(name, typed_name)
        driver.set_text(address, typed_address)
        driver.press(dialog["hwnd"], 1)
        assert notebook.notice() == refusal
        assert driver.find_window(ADD_TITLE)["hwnd"] == dialog["hwnd"]

    # Letter case makes another address; the name is cut at its 60 bytes.
    driver.set_text(name, "가" * 31)
    driver.set_text(address, "LOCALHOST")
    driver.press(dialog["hwnd"], 1)
    driver.wait_gone(dialog["hwnd"])
    assert notebook.rows()[-1] == ["가" * 30, UNCHECKED, "LOCALHOST"]
    assert server_list.read_bytes() == record("local", "127.0.0.1") + record("가" * 30, "LOCALHOST")


def test_without_config_folder_the_add_is_reported_and_shown(launch, driver, program_dir):
    shutil.rmtree(program_dir / "config")
    notebook = start_notebook(launch, driver, program_dir)
    assert notebook.rows() == []
    dialog = notebook.add_server("local", "127.0.0.1")
    assert notebook.notice() == "화일생성실패"
    driver.wait_gone(dialog["hwnd"])
    # Shown until the next start; the folder is not made.
    assert notebook.rows() == [["local", UNCHECKED, "127.0.0.1"]]
    assert not (program_dir / "config").exists()


def test_file_order_and_list_order_after_add_and_delete(launch, driver, program_dir, server_list):
    server_list.write_bytes(record("A", "a.example") + FREE_SLOT + record("B", "b.example"))
    notebook = start_notebook(launch, driver, program_dir)
    assert notebook.rows() == [["A", UNCHECKED, "a.example"], ["B", UNCHECKED, "b.example"]]

    driver.wait_gone(notebook.add_server("C", "c.example")["hwnd"])
    assert [row[0] for row in notebook.rows()] == ["A", "B", "C"]
    assert server_list.read_bytes() == record("A", "a.example") + record("C", "c.example") + record("B", "b.example")

    notebook.select(0)
    notebook.click(DELETE)
    assert [row[0] for row in notebook.wait_rows(2)] == ["B", "C"]
    assert server_list.read_bytes() == FREE_SLOT + record("C", "c.example") + record("B", "b.example")
    # The deleted entry is forgotten: a second press does not take the row that moved up.
    notebook.click(DELETE)
    assert notebook.notice() == "서버를 선택하여 주십시오."
    assert [row[0] for row in notebook.rows()] == ["B", "C"]


def test_row_actions_need_a_picked_server(launch, driver, program_dir, server_list, registry):
    server_list.write_bytes(record("local", "127.0.0.1"))
    registry.delete_key(BATTLE_NET_KEY)
    notebook = start_notebook(launch, driver, program_dir)
    for button in (MEASURE, DELETE, CONNECT_LISTED):
        notebook.click(button)
        assert notebook.notice() == "서버를 선택하여 주십시오."
    assert notebook.rows() == [["local", UNCHECKED, "127.0.0.1"]]
    assert registry.value(BATTLE_NET_KEY, "Server List") is None


@needs_root
@pytest.mark.parametrize("listening", [False, True], ids=["port-closed", "port-listening"])
def test_measuring_the_loopback_server(launch, driver, program_dir, server_list, listening):
    server_list.write_bytes(record("local", "127.0.0.1"))
    notebook = start_notebook(launch, driver, program_dir)
    notebook.select(0)
    with battle_net_port(listening):
        started = time.monotonic()
        notebook.click(MEASURE)
        status = notebook.wait_status(0)
        elapsed = time.monotonic() - started
    milliseconds, port_open = parse_status(status)
    assert port_open == listening
    # A figure, not a verdict: how fast the loopback answers belongs to tools/bench_ping.py.
    assert 0 <= milliseconds < PROBE_TIMEOUT_MS, "a round trip that was answered"
    # A lower bound only, which a busy machine can never break.
    assert elapsed >= 2.0, "each of the two probes is followed by a one-second pause"
    driver.screenshot(notebook.hwnd, "measured")


@needs_root
def test_measurement_keeps_out_a_second_one_and_deletion(launch, driver, program_dir, server_list):
    server_list.write_bytes(record("local", "127.0.0.1") + record("second", "127.0.0.2"))
    notebook = start_notebook(launch, driver, program_dir)
    notebook.select(0)
    with battle_net_port(False):
        # The first press must be handled before another row is picked.
        notebook.click(MEASURE, wait=True)
        notebook.select(1)
        notebook.click(MEASURE)
        assert notebook.notice() == "다른 서버를 검사중입니다."
        notebook.click(DELETE)
        assert notebook.notice() == "서버를 검사중에는 삭제할 수 없습니다.."
        status = notebook.wait_status(0)
    parse_status(status)
    rows = notebook.rows()
    assert rows[1] == ["second", UNCHECKED, "127.0.0.2"], "the result goes to the row that was measured"
    assert len(server_list.read_bytes()) == 2 * RECORD_SIZE


def test_connect_buttons_write_the_gateway_and_start_the_game(launch, driver, program_dir, server_list,
                                                              registry, game, wine_session):
    server_list.write_bytes(record("local", "127.0.0.1"))
    (program_dir / "config" / "position.ini").write_text("[CHATADDR] 127.0.0.1 9400\n[GAMEADDR] 192 168 0 1\n")
    registry.delete_key(BATTLE_NET_KEY)
    registry.set_value(STARCRAFT_KEY, "Program", "REG_SZ", game.windows_path)
    notebook = start_notebook(launch, driver, program_dir)

    notebook.select(0)
    notebook.click(CONNECT_LISTED)
    starts = game.wait_starts(1)
    assert len(starts) == 1
    assert starts[0] == [game.windows_path, wine_session.windows_path(program_dir)]
    assert registry.value(BATTLE_NET_KEY, "Server List") == ("REG_SZ", "127.0.0.1")
    assert registry.value(BATTLE_NET_KEY, "Server Version") == ("REG_DWORD", "0x1")

    # The key exists now: only "Server List" is written.
    registry.set_value(BATTLE_NET_KEY, "Server Version", "REG_DWORD", 2)
    notebook.click(CONNECT_SERVICE)
    assert len(game.wait_starts(2)) == 2
    assert registry.value(BATTLE_NET_KEY, "Server List") == ("REG_SZ", "192.168.0.1")
    assert registry.value(BATTLE_NET_KEY, "Server Version") == ("REG_DWORD", "0x2")

    notebook.click(CONNECT_OFFICIAL)
    assert len(game.wait_starts(3)) == 3
    assert registry.value(BATTLE_NET_KEY, "Server List") == ("REG_SZ", "")
    assert driver.no_message_box(pid=notebook.window["pid"], within=0.2)


def test_without_starcraft_the_gateway_is_still_written(launch, driver, program_dir, server_list, registry):
    server_list.write_bytes(record("local", "127.0.0.1"))
    registry.delete_key(BATTLE_NET_KEY)
    registry.delete_key(STARCRAFT_KEY)
    notebook = start_notebook(launch, driver, program_dir)
    notebook.select(0)
    notebook.click(CONNECT_LISTED)
    assert notebook.notice(caption="알림1") == "스타크래프트가 인스톨되지 않았습니다."
    assert registry.value(BATTLE_NET_KEY, "Server List") == ("REG_SZ", "127.0.0.1")
    assert registry.value(BATTLE_NET_KEY, "Server Version") == ("REG_DWORD", "0x1")

    # StarCraft's key without its "Program": nothing is started and nothing is said.
    registry.set_value(STARCRAFT_KEY, "Version", "REG_SZ", "1.16")
    notebook.click(CONNECT_OFFICIAL)
    assert driver.wait_for(lambda: registry.value(BATTLE_NET_KEY, "Server List"),
                           lambda value: value == ("REG_SZ", "")) == ("REG_SZ", "")
    assert driver.no_message_box(pid=notebook.window["pid"], within=0.5)


def test_window_buttons_about_box_and_exit(launch, driver, program_dir):
    notebook = start_notebook(launch, driver, program_dir)
    captions = {MEASURE: "등록된 서버 속도 검사", ADD: "다른 베틀넷 서버 등록", DELETE: "등록한 서버 삭제",
                CONNECT_LISTED: "등록된 베틀넷 접속", CONNECT_SERVICE: "나래온 프리베틀넷 접속",
                CONNECT_OFFICIAL: "정식 베틀넷 접속", EXIT: "종료"}
    assert {control_id: driver.text(notebook.control(control_id)) for control_id in captions} == captions
    list_info = driver.info(notebook.control(LIST))
    assert list_info["class"] == "SysListView32"
    assert list_info["style"] & LIST_STYLE == LIST_STYLE
    assert driver.list_view(notebook.control(LIST))["columns"] == 3

    entries = {item["id"]: item["text"] for item in driver.system_menu(notebook.hwnd)}
    assert entries[ABOUT_COMMAND] == "&About Gatelog..."
    driver.syscommand(notebook.hwnd, ABOUT_COMMAND)
    about = driver.find_window("게이트록 정보")
    driver.screenshot(about["hwnd"], "about")
    driver.press(about["hwnd"], 1)
    driver.wait_gone(about["hwnd"])

    notebook.click(EXIT)
    driver.wait_gone(notebook.hwnd)
    assert notebook.program.wait_exit() == 0


@pytest.fixture(scope="module")
def session_without_raw_sockets(wine_session):
    session = WineSessionWithoutRawSockets(wine_session.output_dir.parent / "session-without-raw-sockets",
                                           wine_session.uidriver).start()
    yield session
    session.stop()


@needs_root
def test_without_raw_sockets_the_row_shows_999(session_without_raw_sockets, program_dir, server_list, test_output):
    server_list.write_bytes(record("local", "127.0.0.1"))
    driver = Driver(session_without_raw_sockets, test_output)
    program = driver.watch(Program(session_without_raw_sockets, program_dir, EXE, log_path=test_output / (EXE + ".log")))
    try:
        notebook = Notebook(driver, program)
        notebook.select(0)
        with battle_net_port(True):
            notebook.click(MEASURE)
            assert notebook.wait_status(0) == "999 ms[베넷가능]"
        driver.screenshot(notebook.hwnd, "no-raw-sockets")
    finally:
        program.stop()
        driver.close()
    program.check()
