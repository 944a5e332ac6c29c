"""The lobby client against a scripted chat server: login, the wire protocol both ways, memos,
losing and renewing the connection."""

import pytest

from lobby import (CHAT_INPUT, CHAT_LIST, CLOSED, CONNECT_BUTTON, DISCONNECT_BUTTON, EXE, NOTICE_CAPTION, USER_LIST,
                   WELCOME, Lobby, list_lines, room_rows, wait_line)

pytestmark = pytest.mark.program(EXE)

STATUS_LINES = ["가장빠른 서버를 찾고 있습니다", "잠시만 기다려 주십시요."]
CONNECTED = "나래온 채팅방에 연결되었습니다... "
MEMO_BUTTON = 1044
MEMO_TEXT, RECEIVED_TEXT = 1015, 1016


@pytest.fixture
def lobby(launch, driver, chat_peer):
    return Lobby.start(launch, driver)


def chat_lines(lobby):
    return list_lines(lobby.driver, lobby.control(CHAT_LIST))


def wait_chat_line(lobby, line):
    return wait_line(lobby.driver, lobby.control(CHAT_LIST), line)


def test_login_accepted_welcomes_the_user_and_opens_the_chat(driver, lobby, chat_peer):
    chat_input = lobby.log_in_at(chat_peer, "홍길동")
    assert driver.text(lobby.hwnd) == "홍길동" + WELCOME
    assert driver.info(chat_input)["enabled"]
    assert chat_lines(lobby) == STATUS_LINES + [CONNECTED]
    driver.screenshot(lobby.hwnd, "logged-in")


def test_id_in_use_shows_why_and_disconnects(driver, lobby, chat_peer):
    dialog, edit = lobby.id_dialog()
    driver.type(edit, "kim")
    driver.press(dialog["hwnd"], 1)
    chat_peer.wait_connected()
    chat_peer.expect("ID^kim")
    chat_peer.send("IDORDER^FALSE")
    chat_peer.wait_client_closed()
    items = wait_chat_line(lobby, CLOSED)
    assert items[-3:] == ["아이디가 중복되는 경우입니다.", "연결을 끊겠습니다.", CLOSED]
    assert not driver.info(lobby.control(CHAT_INPUT))["enabled"]


def test_chat_goes_out_prefixed_and_server_lines_and_users_come_in(driver, lobby, chat_peer):
    chat_input = lobby.log_in_at(chat_peer)
    driver.type(chat_input, "안녕 hello")
    driver.key(chat_input, "ENTER")
    chat_peer.expect("[kim] 안녕 hello")
    assert driver.wait_text(chat_input, "") == ""
    driver.type(chat_input, "x" * 61)
    assert driver.text(chat_input) == "x" * 60  # 60 bytes is the line's limit
    driver.set_text(chat_input, "")
    chat_peer.send("ROOT^kim^lee^park", "[lee] 반가워요")
    wait_chat_line(lobby, "[lee] 반가워요")
    users = driver.list_box(lobby.control(USER_LIST))
    assert users == {"items": ["kim", "lee", "park"], "selection": 2}


def test_server_that_does_not_end_its_messages_is_understood(driver, lobby, chat_peer):
    chat_peer.padded = False
    lobby.log_in_at(chat_peer)
    chat_peer.send("ROOT^lee^park")
    users = driver.wait_for(lambda: driver.list_box(lobby.control(USER_LIST))["items"],
                            lambda items: items == ["lee", "park"])
    assert users == ["lee", "park"]
    chat_peer.send("[lee] 끝 없는 줄")
    wait_chat_line(lobby, "[lee] 끝 없는 줄")


def test_room_list_trickled_in_on_a_slow_line_arrives_whole(driver, lobby, chat_peer):
    lobby.log_in_at(chat_peer)
    rooms = [("초보방%d" % number, number) for number in range(1, 9)]
    fields = "^-^".join("%s^%d^0^1^4^StarCraft^YES" % room for room in rooms)
    # A 28.8k modem line: 64-byte pieces, each more than 100 ms after the last.
    chat_peer.trickle = (64, 0.15)
    chat_peer.send("ROOMTITLE^" + fields + "^[END]", "[lee] 다 왔어요")
    wait_chat_line(lobby, "[lee] 다 왔어요")
    assert chat_lines(lobby) == STATUS_LINES + [CONNECTED, "[lee] 다 왔어요"]
    assert room_rows(lobby) == ["%d. [StarCraft] %s (1/4) <대기중>" % (number, title) for title, number in rooms]


def test_info_shows_a_notice(driver, lobby, chat_peer):
    lobby.log_in_at(chat_peer)
    chat_peer.send("INFO^", "INFO^서버 점검이 곧 있습니다")
    assert lobby.notice() == (NOTICE_CAPTION, "서버 점검이 곧 있습니다")
    assert driver.no_message_box(pid=lobby.pid)


def test_messages_sent_back_to_back_are_all_handled(driver, lobby, chat_peer):
    lobby.log_in_at(chat_peer)
    # Padded blocks in one segment, then unpadded messages in one segment.
    chat_peer.send("[a] one", "[b] two", "[c] three")
    chat_peer.send_raw("S^[d] four\0S^ROOT^x^y\0S^[e] five\0".encode("cp949"))
    items = wait_chat_line(lobby, "[e] five")
    assert items[-5:] == ["[a] one", "[b] two", "[c] three", "[d] four", "[e] five"]
    assert driver.list_box(lobby.control(USER_LIST))["items"] == ["x", "y"]


def test_lines_keep_their_order_while_a_received_memo_is_open(driver, lobby, chat_peer):
    lobby.log_in_at(chat_peer)
    chat_peer.send("SEND_MAIL^lee^잠깐만", "[a] one")
    received = driver.find_window("lee님으로부터 쪽지가 왔습니다", pid=lobby.pid)["hwnd"]
    # The memo's own loop serves the connection: a later line shows at once, after the earlier one.
    chat_peer.send("[b] two")
    items = wait_chat_line(lobby, "[b] two")
    assert items[-2:] == ["[a] one", "[b] two"]
    assert driver.info(received)["visible"]
    driver.press(received, "무시하기")
    driver.wait_gone(received)
    assert chat_peer.drain() in ([], ["I_AM_ALIVE"])


def test_received_memo_is_answered_to_its_sender(driver, lobby, chat_peer):
    lobby.log_in_at(chat_peer)
    chat_peer.send("SEND_MAIL^lee^오늘 한 판?")
    received = driver.find_window("lee님으로부터 쪽지가 왔습니다", pid=lobby.pid)
    assert driver.text(driver.control(received["hwnd"], RECEIVED_TEXT)) == "오늘 한 판?"
    driver.screenshot(received["hwnd"], "memo-received")
    driver.press(received["hwnd"], "대답하기")
    reply = driver.find_window("lee에게 쪽지를 보낼래요..", pid=lobby.pid)
    driver.type(driver.control(reply["hwnd"], MEMO_TEXT), "좋아요")
    driver.press(reply["hwnd"], "보내기")
    chat_peer.expect("FIND_USER^lee^좋아요")


def test_memo_dialogs_ignore_escape_and_take_enter_as_their_ok(driver, lobby, chat_peer):
    lobby.log_in_at(chat_peer)
    chat_peer.send("SEND_MAIL^lee^한 판 더?")
    received = driver.find_window("lee님으로부터 쪽지가 왔습니다", pid=lobby.pid)["hwnd"]
    driver.key(received, "ESCAPE")
    # Had Escape closed it, Enter would find no dialog and no reply would open.
    driver.key(received, "ENTER")
    reply = driver.find_window("lee에게 쪽지를 보낼래요..", pid=lobby.pid)["hwnd"]
    driver.wait_gone(received)
    memo_text = driver.control(reply, MEMO_TEXT)
    driver.key(memo_text, "ESCAPE")
    driver.type(memo_text, "a^b")
    driver.key(memo_text, "ENTER")
    box = driver.find_message_box(pid=lobby.pid, caption=NOTICE_CAPTION)
    assert box["text"] == "'^'문자는 입력할수 없습니다"
    driver.close_message_box(box)
    assert driver.info(reply)["visible"]
    driver.set_text(memo_text, "좋지")
    driver.key(memo_text, "ENTER")
    chat_peer.expect("FIND_USER^lee^좋지")
    driver.wait_gone(reply)


def test_memo_refuses_a_caret_and_a_memo_to_oneself(driver, lobby, chat_peer):
    lobby.log_in_at(chat_peer)
    chat_peer.send("ROOT^lee^kim")
    driver.wait_for(lambda: driver.list_box(lobby.control(USER_LIST))["items"], lambda items: len(items) == 2)
    driver.click(lobby.control(MEMO_BUTTON))  # kim, the user, is selected
    box = driver.find_message_box(pid=lobby.pid)
    assert (box["caption"], box["text"]) == ("뭐하는 겁니까...", "자신에게 쪽지를 보내면\n어떻게 하겠다는 겁니까?..\n다시 보내세요!! 빨리...")
    driver.close_message_box(box)

    driver.select_item(lobby.control(USER_LIST), 0)
    driver.click(lobby.control(MEMO_BUTTON))
    memo = driver.find_window("lee에게 쪽지를 보낼래요..", pid=lobby.pid)
    driver.type(driver.control(memo["hwnd"], MEMO_TEXT), "a^b")
    driver.press(memo["hwnd"], "보내기")
    box = driver.find_message_box(pid=lobby.pid, caption=NOTICE_CAPTION)
    assert box["text"] == "'^'문자는 입력할수 없습니다"
    driver.close_message_box(box)
    driver.set_text(driver.control(memo["hwnd"], MEMO_TEXT), "hi")
    driver.press(memo["hwnd"], "보내기")
    chat_peer.expect("FIND_USER^lee^hi")


def test_server_closing_is_shown_and_connect_starts_again(driver, lobby, chat_peer):
    lobby.log_in_at(chat_peer)
    chat_peer.close_client()
    wait_chat_line(lobby, CLOSED)
    driver.click(lobby.control(CONNECT_BUTTON))
    lobby.log_in_at(chat_peer, "lee")
    assert chat_peer.connections == 2


def test_disconnect_and_connect_again_log_in_afresh(driver, lobby, chat_peer):
    lobby.log_in_at(chat_peer)
    driver.click(lobby.control(DISCONNECT_BUTTON))
    chat_peer.wait_client_closed()
    wait_chat_line(lobby, CLOSED)
    assert not driver.info(lobby.control(CHAT_INPUT))["enabled"]
    driver.click(lobby.control(CONNECT_BUTTON))
    lobby.log_in_at(chat_peer, "lee")
    assert chat_peer.connections == 2
