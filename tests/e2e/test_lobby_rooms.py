"""Rooms as a user meets them: the room list, joining, the room window with its chat and members,
leaving, creating a room, starting its game; and the lobby buttons that start other programs."""

from pathlib import Path

import pytest

from lobby import (CHAT_INPUT, CONNECT_BUTTON, CREATE_BUTTON, CREATE_TITLE, DISCONNECT_BUTTON, EXE, EXIT_BUTTON,
                   JOIN_BUTTON, LEAVE_BUTTON, MEMBER_LIST, MEMBERS_EDIT, NOTICE_CAPTION, ROOM_CHAT_INPUT, ROOM_CHAT_LIST, START_BUTTON, TITLE_EDIT,
                   Lobby, join, room_rows, room_window, show_rooms)
from machine import BATTLE_NET_KEY, STARCRAFT_KEY

pytestmark = pytest.mark.program(EXE)

NOT_INSTALLED = "스타크래프트가 인스톨되지않았읍니다.\n방을 빠져 나갑니다"
GAME_CHOICES, ROOM_MEMO = 1013, 1045


@pytest.fixture
def lobby(launch, driver, chat_peer):
    return Lobby.logged_in(launch, driver, chat_peer)


def test_rooms_are_listed_in_text_order(driver, lobby, chat_peer):
    rows = show_rooms(lobby, chat_peer)
    assert rows == ["10. [StarCraft] 열번째 (2/8) <게임중>", "2. [StarCraft] 둘째방 (1/4) <대기중>"]
    driver.screenshot(lobby.hwnd, "lobby-with-rooms")
    chat_peer.send("INIT_TREE")
    assert driver.wait_for(lambda: room_rows(lobby), lambda rows: rows == []) == []


def test_joined_room_shows_members_and_chat_and_is_left_with_top(driver, lobby, chat_peer):
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 1, 2, "JOINORDER^YES^StarCraft^1")
    room = room_window(lobby, "둘째방")
    assert not driver.info(lobby.control(CHAT_INPUT))["enabled"]
    assert not driver.info(driver.control(room, START_BUTTON))["enabled"]

    chat_peer.send("ROOM^park^kim^lee", "[lee] 어서 와요")
    members = driver.wait_for(lambda: driver.list_box(driver.control(room, MEMBER_LIST))["items"],
                              lambda items: len(items) == 3)
    assert members == ["kim", "lee", "park"]
    chat = driver.wait_for(lambda: driver.list_box(driver.control(room, ROOM_CHAT_LIST))["items"],
                           lambda items: items == ["[lee] 어서 와요"])
    assert chat == ["[lee] 어서 와요"]

    room_input = driver.control(room, ROOM_CHAT_INPUT)
    driver.type(room_input, "반가워요")
    driver.key(room_input, "ENTER")
    chat_peer.expect("[kim] 반가워요")
    assert driver.wait_text(room_input, "") == ""
    driver.screenshot(room, "room-window")

    driver.click(driver.control(room, LEAVE_BUTTON))
    chat_peer.expect("TOP")
    driver.wait_gone(room)
    chat_input = lobby.control(CHAT_INPUT)
    assert driver.wait_for(lambda: driver.info(chat_input)["enabled"], bool)
    driver.type(chat_input, "다시 로비")
    driver.key(chat_input, "ENTER")
    chat_peer.expect("[kim] 다시 로비")


def test_guest_start_button_waits_for_the_host_grant(driver, lobby, chat_peer):
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 0, 10, "JOINORDER^YES^StarCraft^1")
    start = driver.control(room_window(lobby, "열번째"), START_BUTTON)
    assert not driver.info(start)["enabled"]
    chat_peer.send("YOU_ARE_HOST")
    assert driver.wait_for(lambda: driver.info(start)["enabled"], bool)


def test_refused_join_returns_to_the_lobby(driver, lobby, chat_peer):
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 1, 2, "JOINORDER^NO")
    chat_input = lobby.control(CHAT_INPUT)
    assert driver.wait_for(lambda: driver.info(chat_input)["enabled"], bool)
    assert driver.no_message_box(pid=lobby.pid)


def test_join_never_answered_is_given_up_and_a_closed_connection_leaves_nothing_to_join(driver, lobby, chat_peer):
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 1, 2, "JOINORDER^YES")  # without the room's game: no usable answer
    chat_input = lobby.control(CHAT_INPUT)
    assert driver.wait_for(lambda: driver.info(chat_input)["enabled"], bool)
    driver.click(lobby.control(DISCONNECT_BUTTON))
    chat_peer.wait_client_closed()
    assert driver.wait_for(lambda: room_rows(lobby), lambda rows: rows == []) == []
    driver.click(lobby.control(JOIN_BUTTON))
    driver.click(lobby.control(EXIT_BUTTON))
    driver.wait_gone(lobby.hwnd)
    assert lobby.program.wait_exit() == 0


def test_server_closing_inside_a_room_leaves_it_and_connect_starts_clean(driver, lobby, chat_peer):
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 1, 2, "JOINORDER^YES^StarCraft^1")
    room = room_window(lobby, "둘째방")
    chat_peer.close_client()
    driver.wait_gone(room)
    assert driver.wait_for(lambda: room_rows(lobby), lambda rows: rows == []) == []
    driver.click(lobby.control(CONNECT_BUTTON))
    lobby.log_in_at(chat_peer, "lee")
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 0, 10, "JOINORDER^YES^StarCraft^1")
    assert driver.info(room_window(lobby, "열번째"))["visible"]


def test_room_chat_refuses_a_caret_and_memo_to_oneself(driver, lobby, chat_peer):
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 1, 2, "JOINORDER^YES^StarCraft^1")
    room = room_window(lobby, "둘째방")
    room_input = driver.control(room, ROOM_CHAT_INPUT)
    driver.type(room_input, "가" * 76)
    assert driver.text(room_input) == "가" * 75  # 150 bytes
    driver.set_text(room_input, "")
    driver.type(room_input, "a^b")
    driver.key(room_input, "ENTER")
    box = driver.find_message_box(pid=lobby.pid)
    assert (box["caption"], box["text"]) == (NOTICE_CAPTION, "'^'문자는 입력할수 없습니다")
    driver.close_message_box(box)
    assert driver.text(room_input) == "a^b"

    chat_peer.send("ROOM^kim")
    members = driver.control(room, MEMBER_LIST)
    driver.wait_for(lambda: driver.list_box(members)["items"], lambda items: items == ["kim"])
    driver.select_item(members, 0)
    driver.click(driver.control(room, ROOM_MEMO))
    box = driver.find_message_box(pid=lobby.pid)
    assert box["caption"] == "뭐하는 겁니까..."
    driver.close_message_box(box)
    driver.key(room_input, "ESCAPE")
    assert driver.info(room)["visible"]


def add_game_server_line(program_dir, host):
    position = Path(program_dir) / "config" / "position.ini"
    position.write_bytes(position.read_bytes().rstrip(b"\n") + b"\n[GAMEADDR] " + host.encode() + b"\n")


def test_created_room_sends_its_exact_line_and_hosts(driver, lobby, chat_peer, program_dir, registry, game,
                                                     wine_session):
    add_game_server_line(program_dir, "localhost")
    registry.set_value(STARCRAFT_KEY, "Program", "REG_SZ", game.windows_path)
    driver.click(lobby.control(CREATE_BUTTON))
    dialog = driver.find_window(CREATE_TITLE, pid=lobby.pid)["hwnd"]
    assert driver.combo_box(driver.control(dialog, GAME_CHOICES))["items"] == ["스타 크래프트"]
    driver.type(driver.control(dialog, TITLE_EDIT), "초보만 오세요")
    driver.set_text(driver.control(dialog, MEMBERS_EDIT), "13")
    driver.press(dialog, "선택")
    box = driver.find_message_box(pid=lobby.pid)
    driver.close_message_box(box)
    driver.set_text(driver.control(dialog, MEMBERS_EDIT), "4")
    driver.screenshot(dialog, "create-room")
    driver.press(dialog, "선택")
    chat_peer.expect("NEW^초보만 오세요^4^1^스타 크래프트^")
    room = room_window(lobby, "초보만 오세요")
    assert driver.info(driver.control(room, START_BUTTON))["enabled"]
    driver.click(driver.control(room, START_BUTTON))
    chat_peer.expect("HOST_GAME_START")
    # The room's game is StarCraft: pointed at the service's game server, then started.
    starts = game.wait_starts(1)
    assert [start[0] for start in starts] == [game.windows_path]
    assert registry.value(BATTLE_NET_KEY, "Server List") == ("REG_SZ", "127.0.0.1")
    assert driver.no_message_box(pid=lobby.pid, within=0.3)
    assert driver.info(room)["visible"], "the host stays in the room while the game runs"


def test_guest_without_starcraft_is_told_and_leaves_the_room(driver, lobby, chat_peer, registry):
    registry.delete_key(STARCRAFT_KEY)
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 1, 2, "JOINORDER^YES^StarCraft^1")
    room = room_window(lobby, "둘째방")
    chat_peer.send("HOST_GAME_START")
    box = driver.find_message_box(pid=lobby.pid)
    assert (box["caption"], box["text"]) == (NOTICE_CAPTION, NOT_INSTALLED)
    driver.close_message_box(box)
    chat_peer.expect("TOP")
    driver.wait_gone(room)
    assert driver.wait_for(lambda: driver.info(lobby.control(CHAT_INPUT))["enabled"], lambda enabled: enabled)


def test_room_creation_checks_the_title(driver, lobby, chat_peer):
    driver.click(lobby.control(CREATE_BUTTON))
    dialog = driver.find_window(CREATE_TITLE, pid=lobby.pid)["hwnd"]
    driver.type(driver.control(dialog, TITLE_EDIT), "ab")
    driver.press(dialog, "선택")
    box = driver.find_message_box(pid=lobby.pid)
    assert (box["caption"], box["text"]) == (NOTICE_CAPTION, "방제목은 한글자 이상이여야 합니다...")
    driver.close_message_box(box)
    driver.press(dialog, "취소")
    driver.wait_gone(dialog)
    assert chat_peer.drain() in ([], ["I_AM_ALIVE"])
    # The create button is active again: it opens the dialog once more.
    driver.click(lobby.control(CREATE_BUTTON))
    driver.press(driver.find_window(CREATE_TITLE, pid=lobby.pid)["hwnd"], "취소")


def test_memo_dialog_holds_the_room_window_too(driver, lobby, chat_peer):
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 1, 2, "JOINORDER^YES^StarCraft^1")
    room = room_window(lobby, "둘째방")
    assert driver.info(room)["enabled"]
    chat_peer.send("SEND_MAIL^lee^방에서 쪽지")
    received = driver.find_window("lee님으로부터 쪽지가 왔습니다", pid=lobby.pid)["hwnd"]
    assert not driver.info(room)["enabled"]
    driver.screenshot(received, "memo-over-room")
    driver.press(received, "무시하기")
    driver.wait_gone(received)
    assert driver.wait_for(lambda: driver.info(room)["enabled"], lambda enabled: enabled)


def test_room_window_is_closed_only_by_leaving(driver, lobby, chat_peer):
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 1, 2, "JOINORDER^YES^StarCraft^1")
    room = room_window(lobby, "둘째방")
    driver.close_window(room)
    # The close request was queued before this line, so it has been handled once the line shows.
    chat_peer.send("[lee] 아직 있어요")
    chat = driver.wait_for(lambda: driver.list_box(driver.control(room, ROOM_CHAT_LIST))["items"],
                           lambda items: items == ["[lee] 아직 있어요"])
    assert chat == ["[lee] 아직 있어요"]
    assert driver.info(room)["visible"]
    assert not driver.info(lobby.control(CHAT_INPUT))["enabled"]

    driver.click(driver.control(room, LEAVE_BUTTON))
    chat_peer.expect("TOP")
    driver.wait_gone(room)
