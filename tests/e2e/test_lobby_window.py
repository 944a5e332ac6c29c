"""The lobby client's window, its ID prompt and its first checks of what the user types,
driven under Wine as a person would drive them."""

import struct
import time

import pytest
from PIL import Image

from lobby import (ABOUT_COMMAND, ABOUT_TITLE, CARET_REFUSAL, CHAT_INPUT, CHAT_LIST, EXE, EXIT_BUTTON,
                   HIDDEN_CONTROLS, ID_DIALOG_TITLE, ID_OK, ID_TOO_SHORT, NOTICE_CAPTION,
                   PUSH_BUTTONS, ROOM_LIST, SC_CLOSE, USER_LIST, CREATE_BUTTON, CREATE_TITLE, Lobby)
from machine import StandinProgram
from winerig import KOREAN, PATIENCE, WESTERN

pytestmark = pytest.mark.program(EXE)

BS_OWNERDRAW = 0xB
NOTEBOOK_BUTTON, INTERNET_BUTTON = 1043, 1045
BS_TYPEMASK = 0xF


@pytest.fixture
def lobby(launch, driver):
    """The started lobby; a test that logs in takes a server fixture before it."""
    return Lobby.start(launch, driver)


def test_lobby_window_opens_with_its_controls(driver, lobby):
    driver.screenshot(lobby.hwnd, "lobby")
    kinds = {ROOM_LIST: "SysListView32", USER_LIST: "ListBox", CHAT_LIST: "ListBox", CHAT_INPUT: "Edit"}
    for control_id, kind in kinds.items():
        info = driver.info(lobby.control(control_id))
        assert (info["class"], info["visible"]) == (kind, True), control_id
    assert not driver.info(lobby.control(CHAT_INPUT))["enabled"]
    for control_id in PUSH_BUTTONS:
        info = driver.info(lobby.control(control_id))
        assert info["class"] == "Button" and info["visible"], control_id
        assert info["style"] & BS_TYPEMASK == BS_OWNERDRAW, control_id
    for control_id in HIDDEN_CONTROLS:
        assert not driver.info(lobby.control(control_id))["visible"], control_id


def one_colour_bmp(width, height, colour, run_length, header_size=40):
    """An 8-bit picture of one palette colour, plain or run-length encoded; a header of 108 or
    124 bytes is the 40-byte one followed by the newer fields, as today's editors write them."""
    if run_length:
        row = b""
        for start in range(0, width, 255):
            row += bytes([min(255, width - start), 1])
        pixels = (row + b"\0\0") * height + b"\0\1"
    else:
        pixels = bytes([1]) * (width + (-width % 4)) * height
    red, green, blue = colour
    palette = b"\0\0\0\0" + bytes([blue, green, red, 0]) + b"\0" * 4 * 254
    info = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, 8, 1 if run_length else 0,
                       len(pixels) if run_length else 0, 0, 0, 0, 0)
    # Masks, the sRGB colour space and, in the 124-byte header, the picture rendering intent.
    newer = struct.pack("<5I36x3I", 0, 0, 0, 0, 0x73524742, 0, 0, 0) + struct.pack("<4I", 4, 0, 0, 0)
    info += newer[:header_size - 40]
    body = info + palette + pixels
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, 14 + len(info) + len(palette)) + body


@pytest.mark.parametrize("run_length, header_size", [(False, 40), (True, 40), (False, 124)],
                         ids=["plain", "run-length", "124-byte-header"])
def test_background_is_the_media_picture(launch, driver, program_dir, run_length, header_size):
    colour = (200, 30, 40)
    (program_dir / "media" / "bg.bmp").write_bytes(one_colour_bmp(600, 600, colour, run_length, header_size))
    lobby = Lobby.start(launch, driver)
    image = Image.open(driver.screenshot(lobby.hwnd, "background")).convert("RGB")
    # Below the exit button and right of the buttons the window shows only its background
    # (a refused picture would have shown an error box and painted nothing).
    assert image.getpixel((image.width - 8, image.height - 8)) == colour


def test_system_menu_offers_the_about_box_and_no_close(driver, lobby):
    items = driver.system_menu(lobby.hwnd)
    about = [index for index, item in enumerate(items) if item["id"] == ABOUT_COMMAND]
    assert about, "no about command in %s" % items
    assert items[about[0]]["text"] == "Client 정보(&A)..."
    assert items[about[0]]["enabled"]
    assert items[about[0] - 1]["separator"]
    assert [item["enabled"] for item in items if item["id"] == SC_CLOSE] == [False]


def test_id_prompt_opens_by_itself_over_the_disabled_lobby(driver, lobby):
    dialog, edit = lobby.id_dialog()
    assert dialog["owner"] == lobby.hwnd
    assert not driver.info(lobby.hwnd)["enabled"]
    assert driver.text(edit) == ""
    driver.screenshot(dialog["hwnd"], "id-dialog")


def test_id_prompt_refuses_short_ids_and_carets_and_stays_open(driver, lobby):
    dialog, edit = lobby.id_dialog()
    driver.type(edit, "a")
    driver.press(dialog["hwnd"], ID_OK)
    assert lobby.notice() == (NOTICE_CAPTION, ID_TOO_SHORT)
    driver.key(edit, "ENTER")
    assert lobby.notice() == (NOTICE_CAPTION, ID_TOO_SHORT)

    driver.set_text(edit, "")
    driver.type(edit, "a^b")
    driver.press(dialog["hwnd"], ID_OK)
    assert lobby.notice() == (NOTICE_CAPTION, CARET_REFUSAL)
    driver.key(edit, "ENTER")
    assert lobby.notice() == (NOTICE_CAPTION, CARET_REFUSAL)
    assert driver.text(edit) == "a^b"
    assert driver.find_window(ID_DIALOG_TITLE, pid=lobby.pid)["hwnd"] == dialog["hwnd"]


def test_id_edit_takes_no_fifteenth_byte(driver, lobby):
    _, edit = lobby.id_dialog()
    driver.type(edit, "abcdefghijklmno")
    assert driver.text(edit) == "abcdefghijklmn"
    driver.set_text(edit, "")
    driver.type(edit, "가나다라마바사아")
    assert driver.text(edit) == "가나다라마바사"
    driver.set_text(edit, "")
    driver.type(edit, "abcdefghijklm가")
    assert driver.text(edit) == "abcdefghijklm"


def test_escape_closes_neither_the_id_prompt_nor_the_lobby(driver, lobby_server, lobby):
    dialog, edit = lobby.id_dialog()
    # Keys are handled in order: the refusal of the Enter that follows the Escape shows
    # that the prompt was still there after the Escape.
    driver.key(edit, "ESCAPE")
    driver.key(edit, "ENTER")
    assert lobby.notice() == (NOTICE_CAPTION, ID_TOO_SHORT)

    chat_input = lobby.log_in("가")
    driver.type(chat_input, "^")
    driver.key(chat_input, "ESCAPE")
    driver.key(chat_input, "ENTER")
    assert lobby.notice() == (NOTICE_CAPTION, CARET_REFUSAL)
    assert lobby.program.running()


def test_one_hangul_syllable_is_an_id_and_the_chat_refuses_a_caret(driver, chat_peer, lobby):
    chat_input = lobby.log_in("가")
    assert chat_peer.expect("ID^가") == "ID^가"
    driver.screenshot(lobby.hwnd, "lobby-after-login")

    driver.type(chat_input, "a^b")
    driver.key(chat_input, "ENTER")
    assert lobby.notice() == (NOTICE_CAPTION, CARET_REFUSAL)
    assert driver.text(chat_input) == "a^b"

    driver.set_text(chat_input, "안녕")
    driver.key(chat_input, "ENTER")
    # The refused line never went out: the next line the server gets is the accepted one.
    assert chat_peer.expect("[가] 안녕") == "[가] 안녕"
    assert driver.wait_text(chat_input, "") == ""


def test_about_box_opens_from_the_system_menu(driver, lobby_server, lobby):
    lobby.log_in_at_server("about")
    driver.syscommand(lobby.hwnd, ABOUT_COMMAND)
    box = driver.find_message_box(pid=lobby.pid, caption=ABOUT_TITLE)
    assert "Client 버전 1.0" in box["text"].split("\n")
    driver.screenshot(box["hwnd"], "about-box")
    driver.close_message_box(box)
    assert driver.info(lobby.hwnd)["enabled"]


def test_exit_button_ends_the_program(driver, lobby_server, lobby):
    lobby.log_in_at_server("bye")
    driver.click(lobby.control(EXIT_BUTTON))
    driver.wait_gone(lobby.hwnd)
    assert lobby.program.wait_exit() == 0


@pytest.mark.parametrize("code_page", [KOREAN, WESTERN], ids=["cp949", "cp1252"])
def test_hangul_texts_whatever_the_code_page(launch, driver, code_page):
    lobby = Lobby.start(launch, driver, code_page=code_page)
    dialog, edit = lobby.id_dialog()
    assert dialog["title"] == ID_DIALOG_TITLE
    assert driver.text(driver.control(dialog["hwnd"], ID_OK)) == "접속"
    driver.type(edit, "가나다")
    assert driver.text(edit) == "가나다"
    driver.screenshot(dialog["hwnd"], "id-dialog")
    driver.set_text(edit, "a")
    driver.key(edit, "ENTER")
    assert lobby.notice() == (NOTICE_CAPTION, ID_TOO_SHORT)


def test_image_button_hovers_and_stays_selected_while_its_action_runs(driver, lobby_server, lobby):
    lobby.log_in_at_server()
    button = lobby.control(CREATE_BUTTON)
    left, top, right, bottom = driver.info(button)["rect"]
    away = driver.info(lobby.control(CHAT_LIST))["rect"]

    def look(name):
        return Image.open(driver.screenshot(button, name)).convert("RGB").tobytes()

    def steady_look(name):
        """The look once two in a row agree: one taken during a repaint may be half old, half new."""
        deadline = time.monotonic() + 3
        previous = look(name)
        while True:
            now = look(name)
            if now == previous or time.monotonic() > deadline:
                return now
            previous = now

    def move_until(x, y, name, accept):
        """Moves the pointer until the button's look is accepted and steady. Xvfb may deliver a
        synthetic move's echo with the old position after the new one, and a busy machine may be
        slow to repaint, so the move is sent again until its look holds."""
        deadline = time.monotonic() + PATIENCE
        while True:
            driver.mouse_move(x, y)
            now = driver.wait_for(lambda: look(name), accept, timeout=2)
            if accept(now):
                now = steady_look(name)
            if accept(now) or time.monotonic() > deadline:
                return now

    normal = look("normal")
    hovered = move_until((left + right) // 2, (top + bottom) // 2, "hovered", lambda now: now != normal)
    assert hovered != normal
    assert move_until(away[0] + 5, away[1] + 5, "left", lambda now: now == normal) == normal

    driver.click(button)
    dialog = driver.find_window(CREATE_TITLE, pid=lobby.pid)["hwnd"]
    selected = steady_look("selected")
    assert selected not in (normal, hovered)
    driver.press(dialog, "취소")
    driver.wait_gone(dialog)
    assert driver.wait_for(lambda: look("normal-again"), lambda now: now == normal) == normal


def test_notebook_button_starts_the_notebook(driver, lobby_server, lobby):
    lobby.log_in_at_server()
    driver.click(lobby.control(NOTEBOOK_BUTTON))
    notebook = driver.find_window("게이트록")
    assert notebook["pid"] != lobby.pid
    # The button is active again: a second click is taken.
    driver.click(lobby.control(NOTEBOOK_BUTTON))
    driver.wait_for(lambda: [w for w in driver.windows() if w["title"] == "게이트록" and w["visible"]],
                    lambda windows: len(windows) == 2)


def test_internet_button_starts_the_first_internet_entry(driver, lobby_server, lobby, program_dir,
                                                         wine_session, tmp_path):
    lobby.log_in_at_server()
    first = StandinProgram(wine_session, tmp_path / "first", "Browser.exe")
    second = StandinProgram(wine_session, tmp_path / "second", "Browser.exe")
    lines = ["게임방^game^접속^Client.exe", "인터넷^internet^웹^" + first.windows_path,
             "또^internet^웹^" + second.windows_path]
    (program_dir / "config" / "filelist.ini").write_bytes("\n".join(lines).encode("cp949") + b"\n")
    driver.click(lobby.control(INTERNET_BUTTON))
    assert [start[0] for start in first.wait_starts(1)] == [first.windows_path]
    driver.click(lobby.control(INTERNET_BUTTON))
    assert len(first.wait_starts(2)) == 2
    assert second.starts() == []


def test_double_click_on_a_lobby_button_opens_one_dialog(driver, lobby_server, lobby):
    lobby.log_in_at_server()
    create = lobby.control(CREATE_BUTTON)
    driver.click(create)
    driver.click(create)
    dialog = driver.find_window(CREATE_TITLE, pid=lobby.pid)["hwnd"]
    assert driver.no_message_box(pid=lobby.pid, within=0.3)
    dialogs = [w for w in driver.windows() if w["title"] == CREATE_TITLE and w["pid"] == lobby.pid]
    assert len(dialogs) == 1
    driver.press(dialog, "취소")


def test_release_over_a_button_pressed_elsewhere_leaves_it_clickable(driver, lobby_server, lobby):
    lobby.log_in_at_server()
    create = lobby.control(CREATE_BUTTON)
    left, top, right, bottom = driver.info(create)["rect"]
    middle = (left + right) // 2
    # Pressed on the lobby's background just above the button, released on it: no click.
    driver.mouse_click(middle, top - 3, action="down")
    driver.mouse_move(middle, (top + bottom) // 2)
    driver.mouse_click(middle, (top + bottom) // 2, action="up")
    assert driver.no_message_box(pid=lobby.pid, within=0.3)
    assert not [w for w in driver.windows() if w["title"] == CREATE_TITLE and w["pid"] == lobby.pid]
    driver.click(create)
    driver.press(driver.find_window(CREATE_TITLE, pid=lobby.pid)["hwnd"], "취소")
