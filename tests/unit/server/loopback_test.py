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


def test_chat_is_relayed_and_sigterm_closes_every_connection(server):
    kim = Client(server.port).log_in("kim")
    lee = Client(server.port).log_in("이순신")
    lee.send("[이순신] 안녕하세요")
    assert kim.wait_for("[") == "[이순신] 안녕하세요"
    server.wait_log("login 이순신 (#2)")

    assert server.stop() == 0
    assert kim.closed_by_server()
    server.wait_log("stopped")


def test_a_silent_client_is_dropped():
    server = Server("--idle-timeout", "2")
    try:
        silent = Client(server.port).log_in("silent")
        assert silent.closed_by_server()
        server.wait_log("dropped silent (#1): silent past the time-out")
    finally:
        assert server.stop() == 0


def test_a_flood_is_told_before_the_hang_up_and_the_others_go_on(server):
    kim = Client(server.port).log_in("kim")
    lee = Client(server.port).log_in("lee")
    half = Client(server.port)
    half.sock.sendall(b"ID^half")  # half a block, then gone
    half.sock.close()

    # Blocks still unread when the server hangs up must not cost the client the notice.
    flood = Client(server.port).log_in("flood")
    flood.sock.sendall(("[flood] spam".encode() + b"\0" * (BLOCK - 12)) * 200)
    assert flood.wait_for("INFO^") == "INFO^메시지를 너무 빨리 보내서 연결을 끊습니다"
    assert flood.closed_by_server()

    lee.send("[lee] still here")
    assert kim.wait_for("[lee]") == "[lee] still here"


def test_connections_beyond_the_limit_are_refused_with_a_notice():
    server = Server("--max-connections", "2")
    try:
        first, second = Client(server.port).log_in("first"), Client(server.port).log_in("second")
        third = Client(server.port)
        assert third.next() == "INFO^현재 사용자가 너무 많습니다. 잠시후 다시 이용해 주십시요"
        assert third.closed_by_server()
    finally:
        assert server.stop() == 0
