"""The demo chat server, spoken to over loopback as lobby clients speak to it."""

import socket
import sys
import threading
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parents[3] / "tools"))
import demo_chat_server as server  # noqa: E402

BLOCK = server.BLOCK_SIZE


class LobbyClient:
    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=5)
        self.received = []
        self.user_id = None
        self.syncs = 0

    def send(self, text):
        self.sock.sendall(server.block_of(text))

    def next(self):
        block = server.read_block(self.sock)
        assert block is not None, "the server closed the connection"
        assert len(block) == BLOCK
        assert block.startswith(server.HEADER.encode())
        text = block.split(b"\0", 1)[0]
        assert block[len(text):] == b"\0" * (BLOCK - len(text)), "padding must be NUL bytes"
        message = text.decode(server.ENCODING, server.ERRORS)[len(server.HEADER):]
        self.received.append(message)
        return message

    def wait_for(self, prefix):
        """Reads up to the next message that starts with prefix; returns it."""
        while not (message := self.next()).startswith(prefix):
            pass
        return message

    def wait_until(self, wanted):
        """Every message before wanted, which is read too."""
        seen = []
        while (message := self.next()) != wanted:
            seen.append(message)
        return seen

    def log_in(self, user_id):
        self.send("ID^" + user_id)
        assert self.wait_for("IDORDER^") == "IDORDER^OK"
        self.wait_for("CLIENT_IP_ADDRESS^")
        self.user_id = user_id

    def sync(self):
        """Reads everything the server sent so far: what was queued before a
        chat line's echo was handled before it."""
        self.syncs += 1
        marker = f"[{self.user_id}] sync {self.syncs}"
        self.send(marker)
        return self.wait_until(marker)

    def join(self, number):
        self.sync()
        self.send(f"JOIN^{number}")
        assert self.next().startswith("JOINORDER^YES^")
        self.sync()

    def close(self):
        self.sock.close()


@pytest.fixture
def connect(monkeypatch):
    monkeypatch.setattr(server, "BLOCK_GAP_SECONDS", 0)
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    threading.Thread(target=server.serve, args=(listener,), daemon=True).start()
    clients = []

    def make(user_id=None):
        client = LobbyClient(listener.getsockname()[1])
        clients.append(client)
        if user_id:
            client.log_in(user_id)
        return client

    yield make
    for client in clients:
        client.close()
    listener.close()


def new_room(client, title="초보 환영", capacity=4, kind=1, game="스타 크래프트"):
    client.send(f"NEW^{title}^{capacity}^{kind}^{game}^")
    number = server.split_fields(client.wait_for("ROOMNUMBER^"))[1]
    assert client.next() == "YOU_ARE_HOST"
    return int(number)


class TestLogin:
    def test_first_login_gets_lists_and_a_long_enough_address(self, connect):
        client = connect()
        client.send("ID^김철수")
        assert client.next() == "IDORDER^OK"
        assert client.next() == "ROOT^김철수"
        assert client.next() == "ROOMTITLE^"
        address = client.next()
        assert server.split_fields(address)[:2] == ["CLIENT_IP_ADDRESS", "127.0.0.1"]
        assert len(address) >= server.CLIENT_ADDRESS_MIN_LENGTH

    def test_taken_too_long_or_missing_ids_are_refused(self, connect):
        connect("kim")
        for refused in ["ID^kim", "ID^가나다라마바사아", "ID^", "ID^a^b"]:
            client = connect()
            client.send(refused)
            assert client.next() == "IDORDER^FALSE", refused

    def test_a_refused_id_can_try_again(self, connect):
        connect("kim")
        client = connect()
        client.send("ID^kim")
        assert client.next() == "IDORDER^FALSE"
        client.log_in("lee")

    def test_lobby_users_see_the_newcomer(self, connect):
        first = connect("kim")
        connect("lee")
        assert first.wait_for("ROOT^") == "ROOT^kim^lee"

    def test_messages_before_login_are_ignored(self, connect):
        client = connect()
        client.send("NEW^방^4^1^게임^")
        client.send("[kim] hello")
        client.send("ID^kim")
        assert client.next() == "IDORDER^OK"

    def test_a_block_in_pieces_is_one_message(self, connect):
        client = connect()
        block = server.block_of("ID^kim")
        for piece in (block[:3], block[3:300], block[300:]):
            client.sock.sendall(piece)
        assert client.next() == "IDORDER^OK"


class TestRooms:
    def test_creating_answers_number_host_and_members(self, connect):
        host = connect("host")
        host.send("NEW^한판^2^1^스타 크래프트^")
        number = host.next()
        assert number.startswith("ROOMNUMBER^0^") and len(number) >= server.ROOM_NUMBER_MIN_LENGTH
        assert host.next() == "YOU_ARE_HOST"
        assert host.next() == "ROOM^host"

    def test_room_numbers_are_the_first_free_ones(self, connect):
        a, b, c = connect("a1"), connect("b1"), connect("c1")
        assert new_room(a) == 0
        assert new_room(b) == 1
        a.send("TOP")
        a.sync()
        assert new_room(c) == 0
        b.send("TOP")
        b.sync()
        assert new_room(b) == 1

    def test_room_list_rows(self, connect):
        a, b = connect("a1"), connect("b1")
        new_room(a, title="첫방", capacity=3)
        new_room(b, title="둘째방", capacity=12, kind=2, game="Game X")
        assert b.wait_for("ROOMTITLE^") == (
            "ROOMTITLE^첫방^0^0^1^3^스타 크래프트^YES^-^둘째방^1^0^1^12^Game X^YES^[END]")

    def test_join_answers_game_and_tells_every_member(self, connect):
        host, guest = connect("host"), connect("guest")
        new_room(host, capacity=2, kind=2, game="Game X")
        guest.sync()
        guest.send("JOIN^0")
        assert guest.next() == "JOINORDER^YES^Game X^2"
        assert guest.next() == "ROOM^host^guest"
        assert host.wait_for("ROOM^") == "ROOM^host"
        assert host.wait_for("ROOM^") == "ROOM^host^guest"
        assert host.wait_for("ROOMTITLE^") == "ROOMTITLE^초보 환영^0^0^2^2^Game X^YES^[END]"

    @pytest.mark.parametrize("request_text", ["JOIN^1", "JOIN^0", "JOIN^x", "JOIN^", "JOIN^-0", "JOIN^99999999999"])
    def test_missing_full_or_bad_rooms_are_refused(self, connect, request_text):
        host, guest, late = connect("host"), connect("guest"), connect("late")
        new_room(host, capacity=2)
        guest.join(0)
        late.send(request_text)
        assert late.wait_for("JOINORDER^") == "JOINORDER^NO"

    def test_a_member_cannot_open_or_join_a_second_room(self, connect):
        host, other = connect("host"), connect("other")
        new_room(host)
        new_room(other)
        host.send("NEW^둘째^4^1^게임^")
        host.send("JOIN^1")
        assert host.wait_for("JOINORDER^") == "JOINORDER^NO"
        assert sum(m.startswith("ROOMNUMBER^") for m in host.received) == 1

    def test_the_next_member_becomes_host_and_an_empty_room_goes(self, connect):
        host, guest, watcher = connect("host"), connect("guest"), connect("watcher")
        new_room(host)
        guest.join(0)
        host.send("TOP")
        assert guest.next() == "YOU_ARE_HOST"
        assert guest.next() == "ROOM^guest"
        guest.send("TOP")
        guest.wait_until("ROOMTITLE^")
        watcher.wait_until("ROOT^host^guest^watcher")

    def test_a_disconnect_counts_as_leaving(self, connect):
        host, guest = connect("host"), connect("guest")
        new_room(host)
        guest.join(0)
        host.close()
        assert guest.next() == "YOU_ARE_HOST"
        assert guest.next() == "ROOM^guest"
        assert guest.wait_for("ROOT^") == "ROOT^"

    def test_bad_room_requests_create_nothing(self, connect):
        client = connect("kim")
        for bad in ["NEW^", "NEW^방^4^1^", "NEW^방^1^1^게임^", "NEW^방^13^1^게임^", "NEW^방^4^4^게임^",
                    "NEW^방^x^1^게임^", "NEW^" + "가" * 16 + "^4^1^게임^", "NEW^방^4^1^" + "g" * 256 + "^"]:
            client.send(bad)
        assert new_room(client, title="가" * 15, capacity=12, kind=3, game="g" * 255) == 0

    def test_when_every_number_is_taken_the_list_is_cut_to_whole_rows(self, connect):
        hosts = [connect(f"host{n}") for n in range(len(server.ROOM_NUMBERS) + 1)]
        for host in hosts[:-1]:
            new_room(host, title="가" * 15)
        last = hosts[-1]
        last.send("NEW^one too many^4^1^game^")
        last.sync()
        assert not any(m.startswith("ROOMNUMBER^") for m in last.received)
        room_list = [m for m in last.received if m.startswith("ROOMTITLE^")][-1]
        assert len((server.HEADER + room_list).encode(server.ENCODING)) <= server.MAX_MESSAGE_BYTES
        fields = server.split_fields(room_list)[1:]
        assert fields and len(fields) % server.ROW_FIELDS == 0
        marks = fields[server.ROW_FIELDS - 1::server.ROW_FIELDS]
        assert marks == ["-"] * (len(marks) - 1) + ["[END]"]


class TestRelays:
    def test_chat_stays_in_its_place(self, connect):
        lobby, host, guest = connect("lobby"), connect("host"), connect("guest")
        new_room(host)
        guest.join(0)
        host.send("[host] 방 안 이야기")
        assert guest.wait_for("[") == "[host] 방 안 이야기"
        assert host.wait_for("[host]") == "[host] 방 안 이야기"
        assert "[host] 방 안 이야기" not in lobby.sync()
        lobby.send("[lobby] 로비 이야기")
        lobby.wait_for("[lobby]")
        host.send("[host] 또")
        assert host.wait_for("[host]") == "[host] 또", "the lobby line reached the room"

    def test_chat_in_someone_elses_name_is_dropped(self, connect):
        kim, lee = connect("kim"), connect("lee")
        lee.send("[kim] 가짜")
        lee.send("[lee] 진짜")
        assert kim.wait_for("[") == "[lee] 진짜"

    def test_memos_reach_only_their_recipient(self, connect):
        kim, lee = connect("kim"), connect("lee")
        lee.send("FIND_USER^nobody^안녕")
        lee.send("FIND_USER^kim^")
        lee.send("FIND_USER^kim^잘 지내?")
        assert kim.wait_for("SEND_MAIL^") == "SEND_MAIL^lee^잘 지내?"
        assert not any(m.startswith("SEND_MAIL^") for m in lee.sync())

    def test_only_the_hosts_start_reaches_the_other_members(self, connect):
        host, guest, lobby = connect("host"), connect("guest"), connect("lobby")
        new_room(host)
        guest.join(0)
        guest.send("HOST_GAME_START")
        guest.sync()
        assert "HOST_GAME_START" not in host.sync()
        host.send("HOST_GAME_START")
        guest.wait_until("HOST_GAME_START")
        assert "HOST_GAME_START" not in host.sync()
        lobby.wait_until("ROOMTITLE^초보 환영^0^0^2^4^스타 크래프트^NO^[END]")
        late = connect("late")
        late.send("JOIN^0")
        assert late.wait_for("JOINORDER^") == "JOINORDER^NO"

    def test_long_lines_are_cut_to_one_block_on_a_character_boundary(self, connect):
        kim = connect("kim")
        line = "[kim] a" + "가" * 252
        assert len(line.encode(server.ENCODING)) == server.MAX_MESSAGE_BYTES
        kim.send(line)
        heard = kim.wait_for("[kim]")
        assert heard == line[: len("[kim] a") + 249]


class TestGarbage:
    def test_the_server_survives_any_bytes(self, connect):
        vandal = connect("vandal")
        for payload in [bytes(range(256)) * 2, b"\xff" * BLOCK, b"^" * BLOCK, b"JOIN^\x81".ljust(BLOCK, b"\0"),
                        b"FIND_USER^vandal^\xa1".ljust(BLOCK, b"\0"), b"NEW^\xff^4^1^\x80^".ljust(BLOCK, b"\0")]:
            vandal.sock.sendall(payload)
        vandal.sync()
        vandal.sock.sendall(b"ROOT^")  # half a block, then gone
        vandal.close()
        newcomer = connect("lee")
        newcomer.sync()

    def test_bytes_that_are_not_cp949_come_back_unchanged(self, connect):
        kim = connect("kim")
        raw = b"[kim] \xff\x80\xc9"
        kim.sock.sendall(raw.ljust(BLOCK, b"\0"))
        while not (block := server.read_block(kim.sock)).startswith(b"DEMO^["):
            pass
        assert block.split(b"\0", 1)[0] == b"DEMO^" + raw
