"""DirectPlay games (rooms of game kind 2): the lobby lists the registered lobby applications, and
host and guest start the room's game through the DirectPlay lobby, which runs the stand-in program."""

import pytest

from lobby import (CREATE_BUTTON, CREATE_TITLE, EXE, LEAVE_BUTTON, MEMBERS_EDIT, START_BUTTON, TITLE_EDIT, Lobby, join,
                   room_window, show_rooms)
from machine import StandinProgram

pytestmark = pytest.mark.program(EXE)

APPLICATIONS, PROVIDERS, LAUNCH_STATUS = 1023, 1024, 1029
GAME_CHOICES = 1013

GAME_NAME = "Standin Arena"
GAME_GUID = "{5D1B0A52-8C3E-4F21-9A77-1C2D3E4F5A6B}"
DIRECTPLAY = r"HKLM\Software\Microsoft\DirectPlay"
APPLICATION_KEY = DIRECTPLAY + "\\Applications\\" + GAME_NAME
TCP_PROVIDER = "Internet TCP/IP Connection For DirectPlay"
INET_ADDRESS_TYPE = (DIRECTPLAY + "\\Service Providers\\" + TCP_PROVIDER
                     + r"\Address Types\{C4A54DA0-E0AF-11CF-9C4E-00A0C905425E}")


def windows_folder(program):
    return program.windows_path.rsplit("\\", 1)[0]


@pytest.fixture
def arena(wine_session, tmp_path, registry):
    """The stand-in registered as a DirectPlay lobby application, the TCP/IP provider with its
    Internet address type; both removed again afterwards, so other tests see no such game."""
    program = StandinProgram(wine_session, tmp_path / "arena", "arena.exe")
    folder = windows_folder(program)
    for name, data in (("Guid", GAME_GUID), ("File", "arena.exe"), ("Path", folder),
                       ("CommandLine", ""), ("CurrentDirectory", folder)):
        registry.set_value(APPLICATION_KEY, name, "REG_SZ", data)
    registry.set_value(INET_ADDRESS_TYPE, "", "REG_SZ", "")
    yield program
    registry.delete_key(APPLICATION_KEY)
    registry.delete_key(INET_ADDRESS_TYPE)


@pytest.fixture
def lobby(arena, launch, driver, chat_peer):
    return Lobby.logged_in(launch, driver, chat_peer)


def applications(lobby):
    return lobby.driver.combo_box(lobby.control(APPLICATIONS))


def started_as_registered(program):
    """True once DirectPlay has started the program once, from its registered file and folder."""
    starts = program.wait_starts(1)
    return [(start[0].strip(), start[1]) for start in starts] == [(program.windows_path, windows_folder(program))]


def wait_status(lobby, text):
    return lobby.driver.wait_text(lobby.control(LAUNCH_STATUS), text)


def test_host_creates_a_directplay_room_and_starts_the_game(driver, lobby, chat_peer, arena):
    assert applications(lobby)["items"] == [GAME_NAME]
    providers = driver.combo_box(lobby.control(PROVIDERS))
    assert providers["items"][providers["selection"]] == TCP_PROVIDER

    driver.click(lobby.control(CREATE_BUTTON))
    dialog = driver.find_window(CREATE_TITLE, pid=lobby.pid)["hwnd"]
    choices = driver.control(dialog, GAME_CHOICES)
    items = driver.combo_box(choices)["items"]
    assert GAME_NAME in items
    driver.select_item(choices, items.index(GAME_NAME))
    driver.type(driver.control(dialog, TITLE_EDIT), "같이 해요")
    driver.set_text(driver.control(dialog, MEMBERS_EDIT), "4")
    driver.press(dialog, "선택")
    chat_peer.expect("NEW^같이 해요^4^2^%s^" % GAME_NAME)

    room = room_window(lobby, "같이 해요")
    driver.click(driver.control(room, START_BUTTON))
    chat_peer.expect("HOST_GAME_START")
    assert wait_status(lobby, "Launch successful") == "Launch successful"
    assert started_as_registered(arena)
    assert driver.no_message_box(pid=lobby.pid, within=0.3)
    assert driver.info(room)["visible"], "the host stays in the room while the game runs"


def test_guest_starts_the_game_and_lists_stay_single_after_leaving(driver, lobby, chat_peer, arena):
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 1, 2, "JOINORDER^YES^%s^2" % GAME_NAME)
    room = room_window(lobby, "둘째방")
    chat_peer.send("CLIENT_IP_ADDRESS^127.0.0.1^lobby.example")
    chat_peer.send("HOST_GAME_START")
    assert wait_status(lobby, "Launch successful") == "Launch successful"
    assert started_as_registered(arena)

    # A row already selected gives no new choice: each visit takes the other room.
    for row, number, title in ((0, 10, "열번째"), (1, 2, "둘째방")):
        driver.click(driver.control(room, LEAVE_BUTTON))
        chat_peer.expect("TOP")
        driver.wait_gone(room)
        listed = applications(lobby)
        assert (listed["items"], listed["selection"]) == ([GAME_NAME], 0)
        join(lobby, chat_peer, row, number, "JOINORDER^YES^%s^2" % GAME_NAME)
        room = room_window(lobby, title)
    assert driver.no_message_box(pid=lobby.pid, within=0.3)


def test_launch_without_an_internet_provider_fails_silently(driver, lobby, chat_peer, arena, registry):
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 1, 2, "JOINORDER^YES^%s^2" % GAME_NAME)
    room = room_window(lobby, "둘째방")
    # Leaving rebuilds the lists: now no provider offers an Internet address.
    registry.delete_key(INET_ADDRESS_TYPE)
    driver.click(driver.control(room, LEAVE_BUTTON))
    chat_peer.expect("TOP")
    driver.wait_gone(room)
    assert driver.combo_box(lobby.control(PROVIDERS))["selection"] == -1
    join(lobby, chat_peer, 0, 10, "JOINORDER^YES^%s^2" % GAME_NAME)
    room = room_window(lobby, "열번째")
    chat_peer.send("HOST_GAME_START")
    assert wait_status(lobby, "Launch failed") == "Launch failed"
    assert driver.no_message_box(pid=lobby.pid, within=0.3)
    assert driver.info(room)["visible"]
    assert arena.starts() == []
