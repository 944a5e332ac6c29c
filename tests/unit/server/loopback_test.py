"""lobby-server over loopback: several lobby clients speaking the lobby protocol to the real
program. CTest passes the program in LOBBY_SERVER."""

import os
import signal
import socket
import subprocess
import threading

import pytest

BLOCK = 512
HEADER = b"LOBBY^"
PATIENCE = 30


class Server:
    def __init__(self, *options):
        self.process = subprocess.Popen([os.environ["LOBBY_SERVER"], "--bind", "127.0.0.1", "--port", "0", *options],
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        self.log = []
        self._changed = threading.Condition()
        threading.Thread(target=self._read_log, daemon=True).start()
        line = self.wait_log("listening on ")
        self.port = int(line.split("listening on 127.0.0.1:")[1].split(",")[0])

    def _read_log(self):
        for line in self.process.stdout:
            with self._changed:
                self.log.append(line.rstrip("\n"))
                self._changed.notify_all()

    def wait_log(self, text):
        with self._changed:
            found = self._changed.wait_for(lambda: next((l for l in self.log if text in l), None), PATIENCE)
        assert found, "the server never logged %r; log: %s" % (text, self.log)
        return found

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
        return self.process.wait(PATIENCE)


class Client:
    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=PATIENCE)

    def send(self, text):
        data = text.encode("cp949") if isinstance(text, str) else text
        self.sock.sendall(data + b"\0" * (BLOCK - len(data)))

    def next(self):
        """The next message without its header, or None once the server has closed."""
        block = b""
        while len(block) < BLOCK:
            piece = self.sock.recv(BLOCK - len(block))
            if not piece:
                assert not block, "the server closed inside a block"
                return None
            block += piece
        assert block.startswith(HEADER)
        return block.split(b"\0", 1)[0][len(HEADER):].decode("cp949")

    def wait_for(self, wanted):
        """Reads up to the first message that starts with wanted; returns it."""
        seen = []
        while True:
            message = self.next()
            assert message is not None, "closed before %r; got %s" % (wanted, seen)
            if message.startswith(wanted):
                return message
            seen.append(message)

    def closed_by_server(self):
        while True:
            try:
                if self.next() is None:
                    return True
            except ConnectionResetError:
                return True

    def log_in(self, user_id):
        self.send("ID^" + user_id)
        assert self.next() == "IDORDER^OK"
        assert self.next().startswith("CLIENT_IP_ADDRESS^127.0.0.1^")
        return self


@pytest.fixture
def server():
    started = Server()
    yield started
    assert started.stop() == 0


def test_an_evening_in_the_lobby(server):
    kim = Client(server.port).log_in("kim")
    lee = Client(server.port).log_in("이순신")
    park = Client(server.port).log_in("park")
    park.wait_for("ROOT^kim^park^이순신")
    twin = Client(server.port)
    twin.send("ID^kim")
    assert twin.next() == "IDORDER^FALSE"

    kim.send("NEW^초보만^4^1^StarCraft^")
    assert kim.wait_for("ROOMNUMBER^") == "ROOMNUMBER^0^0"
    assert kim.next() == "YOU_ARE_HOST"
    assert kim.next() == "ROOM^kim"
    assert park.wait_for("ROOMTITLE^") == "ROOMTITLE^초보만^0^0^1^4^StarCraft^YES^[END]"
    lee.send("JOIN^0")
    assert lee.wait_for("JOINORDER^") == "JOINORDER^YES^StarCraft^1"
    assert lee.next() == "ROOM^kim^이순신"
    assert kim.wait_for("ROOM^") == "ROOM^kim^이순신"

    lee.send("[이순신] 방 채팅")
    park.send("[park] 로비 채팅")
    assert kim.wait_for("[") == "[이순신] 방 채팅"
    assert lee.wait_for("[") == "[이순신] 방 채팅"
    assert park.wait_for("[") == "[park] 로비 채팅"
    park.send("FIND_USER^kim^쪽지")
    assert kim.wait_for("SEND_MAIL^") == "SEND_MAIL^park^쪽지"

    kim.send("HOST_GAME_START")
    assert lee.wait_for("HOST_GAME_START") == "HOST_GAME_START"
    assert park.wait_for("ROOMTITLE^").endswith("^NO^[END]")
    kim.send("TOP")
    assert lee.wait_for("YOU_ARE_HOST") == "YOU_ARE_HOST"
    assert lee.next() == "ROOM^이순신"
    lee.send("TOP")
    park.wait_for("INIT_TREE")
    for line in ("login kim", "room 0 created by kim", "joined room 0", "room 0 started by kim",
                 "room 0 handed to", "room 0 closed"):
        server.wait_log(line)


def test_a_silent_client_is_dropped_and_the_others_are_told():
    server = Server("--idle-timeout", "2")
    try:
        silent = Client(server.port).log_in("silent")
        watcher = Client(server.port).log_in("watcher")
        watching = threading.Event()

        def keep_alive():
            while not watching.wait(0.2):
                watcher.send("I_AM_ALIVE")

        threading.Thread(target=keep_alive, daemon=True).start()
        try:
            assert watcher.wait_for("ROOT^watcher") == "ROOT^watcher"
        finally:
            watching.set()
        assert silent.closed_by_server()
        server.wait_log("dropped silent (#1): silent past the time-out")
    finally:
        assert server.stop() == 0


def test_bad_input_is_answered_and_everyone_else_goes_on(server):
    kim = Client(server.port).log_in("kim")
    lee = Client(server.port).log_in("lee")
    kim.send(b"x" * BLOCK)  # no NUL: a message over 511 bytes
    assert kim.wait_for("INFO^") == "INFO^메시지가 너무 길어서 처리하지 않았습니다"
    for bad in ("NEW^title^^8^1^game^", "FIND_USER^lee^a^b", "JOIN^zero"):
        kim.send(bad)
        assert kim.wait_for("INFO^") == "INFO^형식이 잘못된 메시지라 처리하지 않았습니다", bad
    kim.send("SHUTDOWN")
    assert kim.wait_for("INFO^") == "INFO^알 수 없는 메시지라 처리하지 않았습니다"
    bad_id = Client(server.port)
    bad_id.send("ID^" + "k" * 15)
    assert bad_id.next().startswith("INFO^")
    assert bad_id.next() == "IDORDER^FALSE"
    half = Client(server.port)
    half.sock.sendall(b"ID^half")  # half a block, then gone
    half.sock.close()

    flood = Client(server.port).log_in("flood")
    flood.sock.sendall(("[flood] spam".encode() + b"\0" * (BLOCK - 12)) * 200)
    assert flood.wait_for("INFO^") == "INFO^메시지를 너무 빨리 보내서 연결을 끊습니다"
    assert flood.closed_by_server()
    server.wait_log("dropped flood (#5): flooding")

    lee.send("[lee] still here")
    assert kim.wait_for("[lee]") == "[lee] still here"


def test_connections_beyond_the_limit_are_refused_with_a_notice():
    server = Server("--max-connections", "2")
    try:
        first, second = Client(server.port), Client(server.port)
        third = Client(server.port)
        assert third.next() == "INFO^현재 사용자가 너무 많습니다. 잠시후 다시 이용해 주십시요"
        assert third.closed_by_server()
        first.log_in("first")
        second.log_in("second")
    finally:
        assert server.stop() == 0


def test_sigterm_closes_every_connection_and_ends_cleanly(server):
    kim = Client(server.port).log_in("kim")
    assert server.stop() == 0
    assert kim.closed_by_server()
    server.wait_log("stopped")
