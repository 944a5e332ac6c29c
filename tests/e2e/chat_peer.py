"""A scripted chat server for the lobby client's tests.

It listens on loopback, takes one client at a time, reads the client's
512-byte blocks, and sends what a test tells it to, each message behind a
header that ends at a caret, in a NUL-padded 512-byte block by default.
"""

import queue
import socket
import threading
import time

from winerig import PATIENCE

BLOCK = 512
ENCODING = "cp949"


class ChatPeer:
    def __init__(self, header="SRV"):
        self.header = header
        # Unpadded, a message is just header, caret and text, one write each.
        self.padded = True
        # (piece size, seconds between pieces): writes go out as a slow line
        # delivers them; None sends each write whole.
        self.trickle = None
        self._listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self._listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self._listener.bind(("127.0.0.1", 0))
        self._listener.listen(4)
        self.port = self._listener.getsockname()[1]
        self._client = None
        self._connected = threading.Event()
        self._received = queue.Queue()
        self._closed = threading.Event()
        self._stopping = False
        self.connections = 0
        self._thread = threading.Thread(target=self._serve, daemon=True)
        self._thread.start()

    # -- server side -------------------------------------------------------
    def _serve(self):
        while not self._stopping:
            try:
                client, _ = self._listener.accept()
            except OSError:
                return
            # Small pieces leave at once rather than gathered into one segment.
            client.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            self._client = client
            self.connections += 1
            self._closed.clear()
            self._connected.set()
            self._read(client)

    def _read(self, client):
        pending = b""
        while True:
            try:
                data = client.recv(4096)
            except OSError:
                data = b""
            if not data:
                self._closed.set()
                self._connected.clear()
                return
            pending += data
            while len(pending) >= BLOCK:
                block, pending = pending[:BLOCK], pending[BLOCK:]
                self._received.put(block)

    # -- test side ----------------------------------------------------------
    def wait_connected(self, timeout=PATIENCE):
        if not self._connected.wait(timeout):
            raise AssertionError("the client did not connect")

    def frame(self, message):
        """The bytes of one message as the server sends it."""
        text = (self.header + "^" + message).encode(ENCODING)
        if not self.padded:
            return text
        return text + b"\0" * max(0, BLOCK - len(text))

    def send(self, *messages):
        """Sends each message in its own block, all in one write."""
        self.send_raw(b"".join(self.frame(m) for m in messages))

    def send_raw(self, data):
        self.wait_connected()
        if not self.trickle:
            self._client.sendall(data)
            return
        size, pause = self.trickle
        for start in range(0, len(data), size):
            if start:
                time.sleep(pause)
            self._client.sendall(data[start:start + size])

    def next_block(self, timeout=PATIENCE):
        try:
            return self._received.get(timeout=timeout)
        except queue.Empty:
            raise AssertionError("no block arrived from the client") from None

    def next_message(self, timeout=PATIENCE):
        block = self.next_block(timeout)
        assert len(block) == BLOCK
        return block.split(b"\0", 1)[0].decode(ENCODING)

    def expect(self, wanted, timeout=PATIENCE, skip_alive=True):
        """The next message that is not a keep-alive must be wanted."""
        deadline = time.monotonic() + timeout
        while True:
            message = self.next_message(max(0.1, deadline - time.monotonic()))
            if skip_alive and message == "I_AM_ALIVE" and wanted != "I_AM_ALIVE":
                continue
            assert message == wanted, f"expected {wanted!r}, got {message!r}"
            return message

    def drain(self):
        messages = []
        while not self._received.empty():
            block = self._received.get_nowait()
            messages.append(block.split(b"\0", 1)[0].decode(ENCODING))
        return messages

    def close_client(self):
        if self._client:
            self._client.shutdown(socket.SHUT_RDWR)
            self._client.close()

    def wait_client_closed(self, timeout=PATIENCE):
        if not self._closed.wait(timeout):
            raise AssertionError("the client kept the connection open")

    def stop(self):
        self._stopping = True
        try:
            self._listener.close()
        finally:
            if self._client:
                self._client.close()
