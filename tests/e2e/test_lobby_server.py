"""Two lobby clients meet at our own lobby server, LobbyServer.exe: they log in, one creates a
StarCraft room, the other joins it, they chat in the room, and the host's start starts the game
on both."""

import pytest

from lobby import (CHAT_INPUT, EXE, JOIN_BUTTON, ROOM_CHAT_INPUT, ROOM_CHAT_LIST, ROOM_LIST, START_BUTTON, Lobby,
                   room_rows, room_window, wait_line)
from machine import BATTLE_NET_KEY, STARCRAFT_KEY

pytestmark = pytest.mark.program(EXE)

TITLE = "초보만 오세요"


def test_two_clients_meet_in_a_starcraft_room_and_start_the_game(launch, driver, lobby_server, registry, game):
    registry.set_value(STARCRAFT_KEY, "Program", "REG_SZ", game.windows_path)
    registry.delete_key(BATTLE_NET_KEY)
    host = Lobby.logged_in_at_server(launch, driver, "kim")
    guest = Lobby.logged_in_at_server(launch, driver, "이순신")

    host_room = host.create_room(TITLE, 4)
    rows = driver.wait_for(lambda: room_rows(guest), lambda rows: len(rows) == 1)
    assert rows == ["0. [스타 크래프트] 초보만 오세요 (1/4) <대기중>"]
    driver.screenshot(guest.hwnd, "guest-sees-the-room")
    driver.select_row(guest.control(ROOM_LIST), 0)
    driver.click(guest.control(JOIN_BUTTON))
    guest_room = room_window(guest, TITLE)
    assert not driver.info(guest.control(CHAT_INPUT))["enabled"]

    room_input = driver.control(guest_room, ROOM_CHAT_INPUT)
    driver.type(room_input, "준비됐어요")
    driver.key(room_input, "RETURN")
    line = "[이순신] 준비됐어요"
    for room in (host_room, guest_room):
        wait_line(driver, driver.control(room, ROOM_CHAT_LIST), line)
    driver.screenshot(host_room, "host-room")
    driver.screenshot(guest_room, "guest-room")

    driver.click(driver.control(host_room, START_BUTTON))
    starts = game.wait_starts(2)
    assert [start[0] for start in starts] == [game.windows_path] * 2
    assert registry.value(BATTLE_NET_KEY, "Server List") == ("REG_SZ", "127.0.0.1")
    playing = ["0. [스타 크래프트] 초보만 오세요 (2/4) <게임중>"]
    assert driver.wait_for(lambda: room_rows(host), lambda rows: rows == playing) == playing
