#!/usr/bin/python3
"""A scripted user of the lobby server, so a demo has someone to meet.

    demo_chat_user.py --port P --id ID [--room TITLE | --join [TITLE]] [--greet TEXT] [--say TEXT]...

It logs in as ID, opens a room when --room is given or joins the room titled
--join (the first room, without a title) as soon as it is listed, says each --say line (in the joined room, once
in), greets every user who comes into the lobby later with --greet ("{id}" in
the text becomes the newcomer's ID), answers memos, and stays until it is
stopped or the server goes. Exit status 1 when the ID is refused.
It sends the lobby client's keep-alive, so the server keeps it.
"""

import argparse
import signal
import socket
import sys
import time

BLOCK_SIZE = 512
MAX_MESSAGE_BYTES = BLOCK_SIZE - 1  # the block always ends in a NUL
ENCODING = "cp949"
# Received bytes that are not CP949 are kept (and logged escaped) instead of ending the user.
ERRORS = "surrogateescape"
KEEPALIVE_SECONDS = 180

ROOM_CAPACITY = 4
STARCRAFT_KIND = 1
STARCRAFT_NAME = "스타 크래프트"
ROOM_ROW_FIELDS = 8  # title, number, 0, present, capacity, game, waiting, end mark
MEMO_ANSWER = "자동 응답입니다. 채팅창에서 말을 걸어 주세요."


def log(event):
    print(time.strftime("%H:%M:%S"), event, flush=True)


def block_of(text):
    """text as one NUL-padded block, cut to fit on a character boundary."""
    data = text.encode(ENCODING, ERRORS)[:MAX_MESSAGE_BYTES].decode(ENCODING, "ignore").encode(ENCODING, ERRORS)
    return data + b"\0" * (BLOCK_SIZE - len(data))


def split_fields(text):
    """Caret-separated fields as the client reads them: runs of carets are one separator."""
    return [field for field in text.split("^") if field]


class ScriptedUser:
    def __init__(self, sock, user_id, greeting, lines, room_to_join):
        self.sock = sock
        self.user_id = user_id
        self.greeting = greeting
        self.lines = lines  # said once in place: at once, or in the room to join once in
        self.room_to_join = room_to_join  # None: stay in the lobby; "": the first room listed
        self.seen = None  # lobby users already there or greeted; None until the first list
        self.last_sent = time.monotonic()

    def send(self, message):
        self.sock.sendall(block_of(message))
        self.last_sent = time.monotonic()

    def say(self, text):
        self.send(f"[{self.user_id}] {text}")

    def next_message(self):
        """The next message without its header, or None when the server has gone."""
        block = b""
        while len(block) < BLOCK_SIZE:
            # The server keeps only a connection that speaks: a user that just listens says it is alive.
            self.sock.settimeout(max(0.1, self.last_sent + KEEPALIVE_SECONDS - time.monotonic()))
            try:
                piece = self.sock.recv(BLOCK_SIZE - len(block))
            except socket.timeout:
                self.send("I_AM_ALIVE")
                continue
            except OSError:
                return None
            if not piece:
                return None
            block += piece
        return block.split(b"\0", 1)[0].decode(ENCODING, ERRORS).split("^", 1)[-1]

    def log_in(self):
        self.send("ID^" + self.user_id)
        while (message := self.next_message()) is not None:
            if message.startswith("IDORDER^"):
                return message != "IDORDER^FALSE"
        return False

    def on_user_list(self, users):
        if self.seen is None:
            self.seen = set(users)
            return
        for newcomer in users:
            if newcomer not in self.seen:
                self.seen.add(newcomer)
                if self.greeting and newcomer != self.user_id:
                    self.say(self.greeting.replace("{id}", newcomer))

    def say_lines(self):
        for line in self.lines:
            self.say(line)

    def on_room_list(self, fields):
        for start in range(0, len(fields) - ROOM_ROW_FIELDS + 1, ROOM_ROW_FIELDS):
            title, number = fields[start:start + 2]
            if self.room_to_join in ("", title):
                log(f"joining room {number}: {title}")
                self.send(f"JOIN^{number}")
                self.room_to_join = None
                return

    def stay(self):
        if self.room_to_join is None:
            self.say_lines()
        while (message := self.next_message()) is not None:
            fields = split_fields(message)
            if message.startswith("ROOT^"):
                self.on_user_list(fields[1:])
            elif message.startswith("ROOMTITLE^") and self.room_to_join is not None:
                self.on_room_list(fields[1:])
            elif message.startswith("JOINORDER^YES"):
                log("in the room")
                self.say_lines()
            elif message.startswith("SEND_MAIL^") and len(fields) == 3:
                log(f"memo from {fields[1]}: {fields[2]}")
                self.send(f"FIND_USER^{fields[1]}^{MEMO_ANSWER}")
            elif message.startswith("["):
                log(f"heard {message}")


def main():
    parser = argparse.ArgumentParser(description="Scripted user of the lobby server")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--id", required=True)
    rooms = parser.add_mutually_exclusive_group()
    rooms.add_argument("--room", help="title of a StarCraft room to open")
    rooms.add_argument("--join", nargs="?", const="", help="title of a room to join once it is listed (any room without)")
    parser.add_argument("--greet", help='said to each newcomer; "{id}" is the newcomer')
    parser.add_argument("--say", action="append", default=[], help="said once logged in, or once in the joined room")
    options = parser.parse_args()

    sys.stdout.reconfigure(errors="backslashreplace")
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    with socket.create_connection((options.host, options.port)) as sock:
        user = ScriptedUser(sock, options.id, options.greet, options.say, options.join)
        if not user.log_in():
            log(f"ID {options.id} refused")
            sys.exit(1)
        log(f"logged in as {options.id}")
        if options.room:
            user.send(f"NEW^{options.room}^{ROOM_CAPACITY}^{STARCRAFT_KIND}^{STARCRAFT_NAME}^")
        user.stay()
    log("server gone")


if __name__ == "__main__":
    main()
