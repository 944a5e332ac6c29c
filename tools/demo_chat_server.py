#!/usr/bin/python3
"""A small multi-client lobby chat server for demos and for trying the lobby
client by hand.

    demo_chat_server.py --port 9400 [--host 127.0.0.1] [--port-file PATH]

Clients send every message in a 512-byte NUL-padded block of CP949 text.
The server answers each message in a block of its own, "DEMO^" + message,
NUL-padded to 512 bytes. It keeps the users, the rooms (numbers 0 to 65) and
their members, relays chat lines, memos and the host's game start, and logs
one line per event on stdout. --port 0 picks a free port; --port-file then
tells which.
"""

import argparse
import queue
import signal
import socket
import sys
import threading
import time

BLOCK_SIZE = 512
MAX_MESSAGE_BYTES = BLOCK_SIZE - 1  # the block always ends in a NUL
ENCODING = "cp949"
# Bytes that are not CP949 survive the round trip unchanged.
ERRORS = "surrogateescape"
HEADER = "DEMO^"

MAX_ID_BYTES = 14
MAX_TITLE_BYTES = 30
MAX_GAME_NAME_BYTES = 255
ROOM_NUMBERS = range(66)
CAPACITIES = range(2, 13)
GAME_KINDS = range(1, 4)

# The client ignores these messages when they are shorter, so they get a
# padding field.
CLIENT_ADDRESS_MIN_LENGTH = 30
ROOM_NUMBER_MIN_LENGTH = 14
PAD = "0"

ROW_FIELDS = 8
LAST_ROW_MARK = "[END]"
MORE_ROWS_MARK = "-"

# A lobby client may take one message per receive: spacing the blocks to one
# client keeps two of them from arriving in one read.
BLOCK_GAP_SECONDS = 0.03
# A client that stops reading is dropped instead of piling up blocks.
MAX_QUEUED_BLOCKS = 1000


def byte_size(text):
    return len(text.encode(ENCODING, ERRORS))


def fit_bytes(text, limit):
    """The longest start of text that is at most limit bytes, whole characters only."""
    if byte_size(text) <= limit:
        return text
    used = 0
    for index, character in enumerate(text):
        used += byte_size(character)
        if used > limit:
            return text[:index]
    return text


def block_of(text):
    """text as one NUL-padded block, cut to fit."""
    data = fit_bytes(text, MAX_MESSAGE_BYTES).encode(ENCODING, ERRORS)
    return data + b"\0" * (BLOCK_SIZE - len(data))


def text_of(block):
    """The text of a received block, up to its first NUL."""
    return block.split(b"\0", 1)[0].decode(ENCODING, ERRORS)


def read_block(sock):
    """Exactly one block, or None when the peer has gone."""
    data = b""
    while len(data) < BLOCK_SIZE:
        try:
            piece = sock.recv(BLOCK_SIZE - len(data))
        except OSError:
            return None
        if not piece:
            return None
        data += piece
    return data


def split_fields(text):
    """Caret-separated fields as the client reads them: runs of carets are one separator."""
    return [field for field in text.split("^") if field]


def padded(message, minimum):
    return message + "^" + PAD * max(1, minimum - byte_size(message) - 1)


def decimal(text):
    return int(text) if text.isascii() and text.isdigit() else None


def fitting_list(keyword, items, last_item=None):
    """keyword followed by "^"-joined items, as many whole items as fit one
    framed block; last_item(item) replaces the final item that makes it in.
    Also tells whether items were left out."""
    room = MAX_MESSAGE_BYTES - byte_size(HEADER + keyword)
    kept = []
    for item in items:
        ending = kept + [last_item(item) if last_item else item]
        if byte_size("^".join(ending)) > room:
            break
        kept.append(item)
    if kept and last_item:
        kept[-1] = last_item(kept[-1])
    return keyword + "^".join(kept), len(kept) < len(items)


def log(event):
    print(time.strftime("%H:%M:%S"), event, flush=True)


class Connection:
    """One client: its socket, its place in the lobby and its outgoing blocks."""

    def __init__(self, sock, address):
        self.sock = sock
        self.address = address[0]
        self.user_id = None
        self.room = None
        self._outbox = queue.Queue(MAX_QUEUED_BLOCKS)
        threading.Thread(target=self._write, daemon=True).start()

    def __str__(self):
        return self.user_id or self.address

    def send(self, message):
        try:
            self._outbox.put_nowait(block_of(HEADER + message))
        except queue.Full:
            log(f"{self}: not reading, dropped")
            self.hang_up()

    def hang_up(self):
        try:
            self.sock.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass

    def finish(self):
        """Called once the client has gone: the writer drops what is left and closes the socket."""
        self.hang_up()
        self._outbox.put(None)

    def _write(self):
        delivering = True
        while (block := self._outbox.get()) is not None:
            if not delivering:
                continue
            try:
                self.sock.sendall(block)
                time.sleep(BLOCK_GAP_SECONDS)
            except OSError:
                delivering = False
                self.hang_up()
        self.sock.close()


class Room:
    def __init__(self, number, title, capacity, kind, game, host):
        self.number = number
        self.title = title
        self.capacity = capacity
        self.kind = kind
        self.game = game
        self.members = [host]  # the first member is the host
        self.playing = False

    @property
    def host(self):
        return self.members[0]

    def is_full(self):
        return len(self.members) >= self.capacity

    def row(self):
        state = "NO" if self.playing else "YES"
        return [self.title, str(self.number), "0", str(len(self.members)), str(self.capacity),
                self.game, state, MORE_ROWS_MARK]

    def send_to_members(self, message, leaving_out=None):
        for member in self.members:
            if member is not leaving_out:
                member.send(message)

    def member_message(self):
        return fitting_list("ROOM^", [member.user_id for member in self.members])[0]


def with_last_row_mark(row_text):
    return row_text[: -len(MORE_ROWS_MARK)] + LAST_ROW_MARK


class Lobby:
    """Every user and room; one lock keeps the handlers of all clients in turn."""

    def __init__(self):
        self._lock = threading.Lock()
        self._users = {}
        self._rooms = {}

    def handle(self, sender, text):
        with self._lock:
            if sender.user_id is None:
                self._before_login(sender, text)
            elif text.startswith("["):
                self._chat(sender, text)
            elif text == "I_AM_ALIVE":
                pass
            elif text.startswith("NEW^"):
                self._create_room(sender, split_fields(text)[1:])
            elif text.startswith("JOIN^"):
                self._join_room(sender, text[len("JOIN^"):])
            elif text == "TOP":
                self._leave_room(sender)
            elif text.startswith("FIND_USER^"):
                self._memo(sender, split_fields(text)[1:])
            elif text == "HOST_GAME_START":
                self._start_game(sender)
            else:
                log(f"{sender}: ignored {text[:40]!r}")

    def disconnect(self, connection):
        with self._lock:
            log(f"{connection}: disconnected")
            if connection.user_id is None:
                return
            del self._users[connection.user_id]
            if connection.room:
                self._leave_room(connection)
            else:
                self._publish_users()

    # -- handlers (called with the lock held) --------------------------------

    def _before_login(self, sender, text):
        if not text.startswith("ID^"):
            log(f"{sender}: not logged in, ignored {text[:40]!r}")
            return
        fields = split_fields(text)
        user_id = fields[1] if len(fields) == 2 else ""
        if not user_id or byte_size(user_id) > MAX_ID_BYTES or user_id in self._users:
            log(f"{sender}: refused ID {user_id[:40]!r}")
            sender.send("IDORDER^FALSE")
            return
        sender.user_id = user_id
        self._users[user_id] = sender
        log(f"{user_id}: logged in from {sender.address}")
        sender.send("IDORDER^OK")
        self._publish_users()
        sender.send(self._room_list())
        sender.send(padded("CLIENT_IP_ADDRESS^" + sender.address, CLIENT_ADDRESS_MIN_LENGTH))

    def _chat(self, sender, line):
        # A line in someone else's name is not relayed.
        if not line.startswith(f"[{sender.user_id}]"):
            log(f"{sender}: chat line in another name dropped")
            return
        listeners = sender.room.members if sender.room else self._lobby_users()
        place = f"room {sender.room.number}" if sender.room else "lobby"
        log(f"{sender}: chat in {place}: {line}")
        for listener in listeners:
            listener.send(line)

    def _create_room(self, sender, fields):
        if sender.room:
            log(f"{sender}: already in room {sender.room.number}, NEW ignored")
            return
        if len(fields) != 4:
            log(f"{sender}: NEW with {len(fields)} fields ignored")
            return
        title, capacity, kind, game = fields[0], decimal(fields[1]), decimal(fields[2]), fields[3]
        if (byte_size(title) > MAX_TITLE_BYTES or byte_size(game) > MAX_GAME_NAME_BYTES
                or capacity not in CAPACITIES or kind not in GAME_KINDS):
            log(f"{sender}: NEW with bad fields ignored: {fields!r}")
            return
        number = next((n for n in ROOM_NUMBERS if n not in self._rooms), None)
        if number is None:
            log(f"{sender}: no free room number, NEW ignored")
            return
        room = Room(number, title, capacity, kind, game, sender)
        self._rooms[number] = room
        sender.room = room
        log(f"{sender}: created room {number} {title!r} for {capacity} ({game})")
        sender.send(padded(f"ROOMNUMBER^{number}", ROOM_NUMBER_MIN_LENGTH))
        sender.send("YOU_ARE_HOST")
        sender.send(room.member_message())
        self._publish_rooms()
        self._publish_users()

    def _join_room(self, sender, number_text):
        number = decimal(number_text)
        room = self._rooms.get(number)
        if sender.room or room is None or room.is_full() or room.playing:
            log(f"{sender}: join of room {number_text[:10]!r} refused")
            sender.send("JOINORDER^NO")
            return
        room.members.append(sender)
        sender.room = room
        log(f"{sender}: joined room {number}")
        sender.send(f"JOINORDER^YES^{room.game}^{room.kind}")
        room.send_to_members(room.member_message())
        self._publish_rooms()
        self._publish_users()

    def _leave_room(self, sender):
        room = sender.room
        if room is None:
            return
        was_host = room.host is sender
        room.members.remove(sender)
        sender.room = None
        log(f"{sender}: left room {room.number}")
        if not room.members:
            del self._rooms[room.number]
            log(f"room {room.number} closed")
        else:
            if was_host:
                log(f"{room.host}: now host of room {room.number}")
                room.host.send("YOU_ARE_HOST")
            room.send_to_members(room.member_message())
        self._publish_rooms()
        self._publish_users()

    def _memo(self, sender, fields):
        if len(fields) != 2:
            log(f"{sender}: memo with {len(fields)} fields ignored")
            return
        recipient = self._users.get(fields[0])
        if recipient is None:
            log(f"{sender}: memo for {fields[0]!r}, who is not here, dropped")
            return
        log(f"{sender}: memo to {recipient}")
        recipient.send(f"SEND_MAIL^{sender.user_id}^{fields[1]}")

    def _start_game(self, sender):
        room = sender.room
        if room is None or room.host is not sender:
            log(f"{sender}: game start by a non-host ignored")
            return
        room.playing = True
        log(f"{sender}: started the game of room {room.number}")
        room.send_to_members("HOST_GAME_START", leaving_out=sender)
        self._publish_rooms()

    # -- lists ---------------------------------------------------------------

    def _lobby_users(self):
        return [user for user in self._users.values() if user.room is None]

    def _room_list(self):
        rows = ["^".join(self._rooms[number].row()) for number in sorted(self._rooms)]
        message, cut = fitting_list("ROOMTITLE^", rows, with_last_row_mark)
        if cut:
            log("room list cut to fit one block")
        return message

    def _publish_users(self):
        message, cut = fitting_list("ROOT^", [user.user_id for user in self._lobby_users()])
        if cut:
            log("user list cut to fit one block")
        for user in self._users.values():
            user.send(message)

    def _publish_rooms(self):
        message = self._room_list()
        for user in self._users.values():
            user.send(message)


def serve_client(lobby, sock, address):
    connection = Connection(sock, address)
    log(f"{connection}: connected")
    try:
        while (block := read_block(sock)) is not None:
            lobby.handle(connection, text_of(block))
    except Exception as error:  # a fault for one client must not take the others down
        log(f"{connection}: dropped after an internal error: {error!r}")
    finally:
        lobby.disconnect(connection)
        connection.finish()


def serve(listener):
    """Serves clients until the listener is closed."""
    lobby = Lobby()
    while True:
        try:
            sock, address = listener.accept()
        except OSError as error:
            if listener.fileno() < 0:
                return
            # Out of file descriptors, say: wait for clients to leave.
            log(f"cannot take a client: {error}")
            time.sleep(1)
            continue
        threading.Thread(target=serve_client, args=(lobby, sock, address), daemon=True).start()


def main():
    parser = argparse.ArgumentParser(description="Demo lobby chat server")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, required=True, help="0 picks a free port")
    parser.add_argument("--port-file", help="where to write the port once listening")
    options = parser.parse_args()

    sys.stdout.reconfigure(errors="backslashreplace")
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind((options.host, options.port))
    listener.listen(16)
    port = listener.getsockname()[1]
    log(f"listening on {options.host}:{port}")
    if options.port_file:
        with open(options.port_file, "w", encoding="ascii") as port_file:
            port_file.write(f"{port}\n")
    try:
        serve(listener)
    except (KeyboardInterrupt, SystemExit):
        log("stopped")


if __name__ == "__main__":
    main()
