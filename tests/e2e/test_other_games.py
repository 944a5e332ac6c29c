"""Games registered by hand: the registration list behind the lobby's "other games" button, its
form and "config/game.ini", and starting a registered game when a room of such a game starts."""

from pathlib import Path

import pytest

from lobby import (CREATE_BUTTON, CREATE_TITLE, EXE, NOTICE_CAPTION, START_BUTTON, TITLE_EDIT, Lobby, join,
                   room_window, show_rooms)
from machine import StandinProgram

pytestmark = pytest.mark.program(EXE)

OTHER_GAMES_BUTTON = 1042
REGISTRY_TITLE = "기타게임등록"
FORM_TITLE = "기타 게임을 등록하세요..."
SELECTION_TITLE = "기타 게임 실행"
REGISTERED_GAMES, ADD, MODIFY, DELETE, CLOSE = 1000, 1047, 1046, 1049, 2
NAME_EDIT, PATH_EDIT, FILE_EDIT, OK, CANCEL = 1034, 1002, 1007, 1, 2
SELECTABLE_GAMES, HOST_ADDRESS, START, HIDDEN_REGISTER = 1041, 1001, 1, 1040
GAME_CHOICES = 1013
RECORD, NAME, PATH = 772, 256, 260
SELECT_FIRST = "게임을 선택하여 주십시오."
DUPLICATE = "입력하는 게임명이 이미 존재합니다.\r\n다시입력하여 주십시오."
GAME_MISSING = "게임이 없습니다.\n확인해보시고 다시 등록해주십시요"
HOST_IP = "CLIENT_IP_ADDRESS^192.168.100.200"


@pytest.fixture
def lobby(launch, driver, chat_peer):
    return Lobby.logged_in(launch, driver, chat_peer)


def record(name, path, exe):
    fields = [(name, NAME), (path, PATH), (exe, NAME)]
    return b"".join(text.encode("cp949").ljust(size, b"\0") for text, size in fields)


def game_ini(program_dir):
    return Path(program_dir) / "config" / "game.ini"


def rows(driver, dialog, list_id):
    return driver.list_view(driver.control(dialog, list_id))["rows"]


def open_registry(lobby):
    lobby.driver.click(lobby.control(OTHER_GAMES_BUTTON))
    return lobby.driver.find_window(REGISTRY_TITLE, pid=lobby.pid)["hwnd"]


def fill_form(driver, form, name, path, exe):
    driver.set_text(driver.control(form, NAME_EDIT), name)
    driver.set_text(driver.control(form, PATH_EDIT), path)
    driver.set_text(driver.control(form, FILE_EDIT), exe)


def expect_notice(lobby, text):
    assert lobby.notice() == (NOTICE_CAPTION, text)


def test_games_are_registered_through_the_list_and_its_form(driver, lobby, program_dir):
    registry = open_registry(lobby)
    assert rows(driver, registry, REGISTERED_GAMES) == []
    driver.press(registry, ADD)
    form = driver.find_window(FORM_TITLE, pid=lobby.pid)["hwnd"]
    assert [driver.text(driver.control(form, id)) for id in (NAME_EDIT, PATH_EDIT, FILE_EDIT)] == ["", "", ""]
    driver.type(driver.control(form, NAME_EDIT), "레드얼럿")
    driver.set_text(driver.control(form, PATH_EDIT), r"C:\Games\RA")
    driver.set_text(driver.control(form, FILE_EDIT), "ra.exe")
    driver.screenshot(form, "registration-form")
    driver.press(form, OK)
    driver.wait_gone(form)
    assert driver.wait_for(lambda: rows(driver, registry, REGISTERED_GAMES), bool) == [
        ["레드얼럿", r"C:\Games\RA", "ra.exe"]]
    assert game_ini(program_dir).read_bytes() == record("레드얼럿", r"C:\Games\RA", "ra.exe")

    # The same name again is refused and writes nothing; the form stays open.
    driver.press(registry, ADD)
    form = driver.find_window(FORM_TITLE, pid=lobby.pid)["hwnd"]
    fill_form(driver, form, "레드얼럿", r"D:\Other", "other.exe")
    driver.press(form, OK)
    expect_notice(lobby, DUPLICATE)
    assert driver.info(form)["visible"]
    assert game_ini(program_dir).read_bytes() == record("레드얼럿", r"C:\Games\RA", "ra.exe")
    driver.press(form, CANCEL)
    driver.wait_gone(form)
    driver.screenshot(registry, "registration-list")

    # Escape does not close the list; its button does, and the lobby button works again.
    driver.key(driver.control(registry, REGISTERED_GAMES), "ESCAPE")
    assert driver.info(registry)["visible"]
    driver.press(registry, CLOSE)
    driver.wait_gone(registry)
    registry = open_registry(lobby)
    assert rows(driver, registry, REGISTERED_GAMES) == [["레드얼럿", r"C:\Games\RA", "ra.exe"]]
    driver.press(registry, CLOSE)


def test_form_refuses_a_caret_and_overlong_fields(driver, lobby, program_dir):
    registry = open_registry(lobby)
    driver.press(registry, ADD)
    form = driver.find_window(FORM_TITLE, pid=lobby.pid)["hwnd"]
    name = driver.control(form, NAME_EDIT)
    driver.type(name, "a^b")
    driver.key(name, "ENTER")
    expect_notice(lobby, "'^'문자는 입력할수 없습니다")
    driver.set_text(name, "ab")
    # The 260th byte of a path is one too many, as soon as it is typed.
    path = driver.control(form, PATH_EDIT)
    driver.set_text(path, "가" * 129 + "a")
    assert driver.no_message_box(pid=lobby.pid, within=0.3)
    driver.send_text(path, "b")
    box = driver.find_message_box(pid=lobby.pid)
    assert (box["caption"], box["text"]) == ("Client", "실행파일경로의 길이가 범위를 벗어났습니다")
    driver.close_message_box(box)
    driver.press(form, OK)
    box = driver.find_message_box(pid=lobby.pid)
    assert box["text"] == "실행파일경로의 길이가 범위를 벗어났습니다"
    driver.close_message_box(box)
    assert not game_ini(program_dir).exists()
    driver.key(name, "ESCAPE")
    assert driver.info(form)["visible"]
    driver.press(form, CANCEL)
    driver.press(registry, CLOSE)


def test_modify_and_delete_act_on_the_selected_row(driver, lobby, program_dir):
    game_ini(program_dir).write_bytes(record("A", r"C:\a", "a.exe") + record("B", r"C:\b", "b.exe") +
                                      record("C", r"C:\c", "c.exe"))
    registry = open_registry(lobby)
    for button in (MODIFY, DELETE):
        driver.press(registry, button)
        expect_notice(lobby, SELECT_FIRST)
    assert len(rows(driver, registry, REGISTERED_GAMES)) == 3

    games = driver.control(registry, REGISTERED_GAMES)
    driver.select_row(games, 1)
    driver.press(registry, DELETE)
    assert driver.wait_for(lambda: rows(driver, registry, REGISTERED_GAMES), lambda r: len(r) == 2) == [
        ["A", r"C:\a", "a.exe"], ["C", r"C:\c", "c.exe"]]
    assert game_ini(program_dir).read_bytes() == (record("A", r"C:\a", "a.exe") + bytes(RECORD) +
                                                  record("C", r"C:\c", "c.exe"))
    # The deleted row was the selection: nothing is selected now.
    driver.press(registry, DELETE)
    expect_notice(lobby, SELECT_FIRST)

    # A new game takes the freed slot.
    driver.press(registry, ADD)
    form = driver.find_window(FORM_TITLE, pid=lobby.pid)["hwnd"]
    fill_form(driver, form, "D", r"C:\d", "d.exe")
    driver.press(form, OK)
    driver.wait_gone(form)
    assert [row[0] for row in driver.wait_for(lambda: rows(driver, registry, REGISTERED_GAMES),
                                              lambda r: len(r) == 3)] == ["A", "D", "C"]

    # Modify fills the form with the chosen record; another record's name is accepted.
    driver.select_row(games, 2)
    driver.press(registry, MODIFY)
    form = driver.find_window(FORM_TITLE, pid=lobby.pid)["hwnd"]
    assert [driver.text(driver.control(form, id)) for id in (NAME_EDIT, PATH_EDIT, FILE_EDIT)] == [
        "C", r"C:\c", "c.exe"]
    fill_form(driver, form, "A", "E:", "e.exe")
    driver.press(form, OK)
    driver.wait_gone(form)
    assert game_ini(program_dir).read_bytes() == (record("A", r"C:\a", "a.exe") + record("D", r"C:\d", "d.exe") +
                                                  record("A", "E:", "e.exe"))
    driver.press(registry, CLOSE)


@pytest.fixture
def registered_game(wine_session, tmp_path, program_dir):
    """A stand-in registered behind a free slot and a game whose executable is missing."""
    game = StandinProgram(wine_session, tmp_path / "games" / "레드", "Red.exe")
    directory = game.windows_path.rsplit("\\", 1)[0]
    game_ini(program_dir).write_bytes(bytes(RECORD) + record("없는게임", directory, "Gone.exe") +
                                      record("레드얼럿", directory, "Red.exe"))
    return game, directory


def join_registered_game_room(lobby, peer):
    show_rooms(lobby, peer)
    join(lobby, peer, 1, 2, "JOINORDER^YES^레드얼럿^3")
    room = room_window(lobby, "둘째방")
    peer.send(HOST_IP)
    return room


def start_selection(lobby, peer):
    peer.send("HOST_GAME_START")
    return lobby.driver.find_window(SELECTION_TITLE, pid=lobby.pid)["hwnd"]


def test_guest_chooses_the_registered_game_at_the_hosts_start(driver, lobby, chat_peer, registered_game):
    game, directory = registered_game
    room = join_registered_game_room(lobby, chat_peer)
    selection = start_selection(lobby, chat_peer)
    assert driver.text(driver.control(selection, HOST_ADDRESS)) == "192.168.100.200"
    assert not driver.info(driver.control(selection, HIDDEN_REGISTER))["visible"]
    assert rows(driver, selection, SELECTABLE_GAMES) == [["없는게임", directory, "Gone.exe"],
                                                         ["레드얼럿", directory, "Red.exe"]]
    assert not driver.info(room)["enabled"], "the room waits while the game is chosen"
    driver.key(driver.control(selection, SELECTABLE_GAMES), "ESCAPE")
    assert driver.info(selection)["visible"]
    driver.screenshot(selection, "game-selection")

    # The second row is the third record: the free slot before it is skipped.
    driver.select_row(driver.control(selection, SELECTABLE_GAMES), 1)
    driver.press(selection, START)
    driver.wait_gone(selection)
    starts = game.wait_starts(1)
    assert starts == [[directory + "\\Red.exe", directory]], "started by its path, in its own directory"
    assert driver.no_message_box(pid=lobby.pid, within=0.3)
    assert driver.wait_for(lambda: driver.info(room)["enabled"], bool)

    # The lobby is back in its program directory: the next start finds game.ini again.
    selection = start_selection(lobby, chat_peer)
    assert len(rows(driver, selection, SELECTABLE_GAMES)) == 2
    driver.press(selection, CLOSE)
    driver.wait_gone(selection)
    assert len(game.starts()) == 1


def test_host_start_of_a_missing_game_tells_and_stays_in_the_room(driver, lobby, chat_peer, registered_game,
                                                                  program_dir):
    game, _ = registered_game
    driver.click(lobby.control(CREATE_BUTTON))
    create = driver.find_window(CREATE_TITLE, pid=lobby.pid)["hwnd"]
    choices = driver.control(create, GAME_CHOICES)
    assert driver.combo_box(choices)["items"] == ["스타 크래프트", "없는게임", "레드얼럿"]
    driver.type(driver.control(create, TITLE_EDIT), "레드 한판")
    driver.select_item(choices, 1)
    driver.press(create, "선택")
    chat_peer.expect("NEW^레드 한판^2^3^없는게임^")
    room = room_window(lobby, "레드 한판")
    chat_peer.send(HOST_IP)

    # No row chosen: nothing starts.
    driver.click(driver.control(room, START_BUTTON))
    chat_peer.expect("HOST_GAME_START")
    selection = driver.find_window(SELECTION_TITLE, pid=lobby.pid)["hwnd"]
    driver.press(selection, START)
    driver.wait_gone(selection)
    assert driver.no_message_box(pid=lobby.pid, within=0.3)

    driver.click(driver.control(room, START_BUTTON))
    chat_peer.expect("HOST_GAME_START")
    selection = driver.find_window(SELECTION_TITLE, pid=lobby.pid)["hwnd"]
    driver.select_row(driver.control(selection, SELECTABLE_GAMES), 0)
    driver.press(selection, START)
    box = driver.find_message_box(pid=lobby.pid)
    assert (box["caption"], box["text"]) == (NOTICE_CAPTION, GAME_MISSING)
    driver.screenshot(box["hwnd"], "game-missing")
    driver.close_message_box(box)
    assert game.starts() == []
    assert driver.wait_for(lambda: driver.info(room)["enabled"], bool)
    assert chat_peer.drain() in ([], ["I_AM_ALIVE"]), "the room is not left"

    # The program directory is current again: the registration list still reads game.ini.
    registry = open_registry(lobby)
    assert len(rows(driver, registry, REGISTERED_GAMES)) == 2
    driver.press(registry, CLOSE)
