"""The lobby client against a chat server that misbehaves on purpose (tools/hostile_chat_server.py):
whatever it sends, the client keeps running, opens a bounded number of windows, and still shows
what a sound server says next and sends what the user types."""

import sys
from pathlib import Path

import pytest

from lobby import (CHAT_INPUT, CHAT_LIST, CLOSED, CONNECT_BUTTON, EXE, LEAVE_BUTTON, ROOM_CHAT_INPUT, ROOM_CHAT_LIST,
                   TWO_ROOMS, Lobby, join, list_lines, room_window, show_rooms, wait_line)

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
import hostile_chat_server as hostile  # noqa: E402

pytestmark = pytest.mark.program(EXE)

# The core's kMaxServerWindows.
MAX_SERVER_WINDOWS = 5
MEMO_SUFFIX = "님으로부터 쪽지가 왔습니다"
AFTER = "[lee] 정상 메시지"


def say(driver, peer, chat_input, text):
    driver.type(chat_input, text)
    driver.key(chat_input, "ENTER")
    peer.expect("[kim] " + text)


def own_windows(driver, lobby):
    return [w for w in driver.windows() if w["pid"] == lobby.pid and w["visible"]]


def close_memos(driver, lobby):
    """Ignores every open memo window; returns how many there were. They nest, so each closes
    once the ones opened after it have closed."""
    def memos():
        return [w for w in own_windows(driver, lobby) if w["title"].endswith(MEMO_SUFFIX)]
    opened = memos()
    for memo in opened:
        driver.press(memo["hwnd"], "무시하기")
    assert driver.wait_for(memos, lambda left: not left) == []
    return len(opened)


PAYLOADS = [name for name, case in hostile.CASES.items() if not (case.close or case.silent)]


@pytest.mark.parametrize("name", PAYLOADS)
def test_garbage_from_a_logged_in_server_leaves_the_lobby_working(driver, launch, chat_peer, name):
    case = hostile.CASES[name]
    lobby = Lobby.logged_in(launch, driver, chat_peer)
    chat_list, chat_input = lobby.control(CHAT_LIST), lobby.control(CHAT_INPUT)
    if case.joining:
        show_rooms(lobby, chat_peer, TWO_ROOMS)
        join(lobby, chat_peer, 1, 2, "")  # the answer is the payload
    chat_peer.send_raw(case.payload)
    chat_peer.send(AFTER)
    if case.joining:
        room = room_window(lobby, "둘째방")
        wait_line(driver, driver.control(room, ROOM_CHAT_LIST), AFTER)
        assert len([w for w in own_windows(driver, lobby) if w["hwnd"] == room]) == 1
        assert len(own_windows(driver, lobby)) == 2
        say(driver, chat_peer, driver.control(room, ROOM_CHAT_INPUT), "방 안")
        driver.click(driver.control(room, LEAVE_BUTTON))
        chat_peer.expect("TOP")
        driver.wait_gone(room)
    else:
        # The flood is over once the server's next line is shown.
        wait_line(driver, chat_list, AFTER)
        assert len(own_windows(driver, lobby)) <= 1 + MAX_SERVER_WINDOWS
        if name == "memo-flood":
            assert close_memos(driver, lobby) == MAX_SERVER_WINDOWS
            wait_line(driver, chat_list, "lee" + MEMO_SUFFIX + ": memo 199")
    driver.screenshot(lobby.hwnd, "hostile-" + name)
    assert driver.wait_for(lambda: driver.info(chat_input)["enabled"], bool)
    say(driver, chat_peer, chat_input, "그래도 됩니다")
    assert [w["hwnd"] for w in own_windows(driver, lobby)] == [lobby.hwnd]


@pytest.mark.parametrize("name", [name for name, case in hostile.CASES.items() if case.close or case.silent])
def test_a_server_that_breaks_off_or_never_speaks_leaves_the_lobby_working(driver, launch, chat_peer, name):
    case = hostile.CASES[name]
    lobby = Lobby.start(launch, driver)
    chat_list = lobby.control(CHAT_LIST)
    if case.silent:
        dialog, edit = lobby.id_dialog()
        driver.type(edit, "kim")
        driver.press(dialog["hwnd"], 1)
        chat_peer.expect("ID^kim")
        # Not even the login is answered: the user can still talk, and a late answer logs in.
        chat_input = lobby.control(CHAT_INPUT)
        say(driver, chat_peer, chat_input, "누구 없어요")
        chat_peer.send("IDORDER^OK")
        chat_peer.expect("I_AM_ALIVE", skip_alive=False)
    else:
        lobby.log_in_at(chat_peer)
        chat_peer.send_raw(case.payload)
        chat_peer.close_client()
        wait_line(driver, chat_list, CLOSED)
        # The half line is shown as far as it came, and connecting again works.
        assert "[lee] 반쯤" in list_lines(driver, chat_list)[-2]
        driver.click(lobby.control(CONNECT_BUTTON))
        chat_input = lobby.log_in_at(chat_peer)
    chat_peer.send(AFTER)
    wait_line(driver, chat_list, AFTER)
    say(driver, chat_peer, chat_input, "그래도 됩니다")
