#!/usr/bin/python3
"""A lobby chat server that misbehaves on purpose, to try what the lobby
client survives.

    hostile_chat_server.py CASE [--port 9400]
    hostile_chat_server.py --list

It takes one client, accepts its login (unless the case is a server that
never speaks), sends the case's bytes, and then prints what the client
sends. The lobby's end-to-end tests use the same cases.
"""

import argparse
import random
import socket
import sys
from dataclasses import dataclass

BLOCK_SIZE = 512
HEADER = b"EVIL^"
ENCODING = "cp949"


def block(message):
    """One message behind the header, NUL-padded to a block or, when longer, ended by one NUL."""
    data = HEADER + (message.encode(ENCODING) if isinstance(message, str) else message)
    return data + b"\0" * max(1, BLOCK_SIZE - len(data))


def room_rows(count, fields=8, number=lambda i: i):
    """ROOMTITLE^ with count rows; rows of 8 fields end in "-" and the last in "[END]"."""
    rows = []
    for i in range(count):
        row = ["room%d" % i, str(number(i)), "0", "1", "4", "StarCraft", "YES"]
        if fields == 8:
            row.append("[END]" if i == count - 1 else "-")
        rows.append("^".join(row))
    return block("ROOMTITLE^" + "^".join(rows))


def binary_bytes():
    # Invalid CP949 (lead bytes without their trail, 0x80, 0xFF), carets and
    # NULs in odd places, then noise that is the same on every run, ended by
    # a NUL: what follows is a message of its own.
    odd = b"\x81\x00\xc8^\xff\xfe\x80\x00^^\x00\xa1" + HEADER + b"\xb0\x00\x81" + HEADER + b"INFO"
    return odd + random.Random(15).randbytes(4096) + b"\0"


@dataclass
class Case:
    """What the server sends after the login: payload, then closes when close is set. A
    silent server answers nothing at all, not even the login. Joining: the payload answers
    the client's join, so its second "JOINORDER^" arrives while the client is in the room."""
    payload: bytes = b""
    close: bool = False
    silent: bool = False
    joining: bool = False


CASES = {
    "block-1024-without-nul": Case(HEADER + b"A" * (1024 - len(HEADER))),
    "block-64k-without-nul": Case(HEADER + b"B" * (64 * 1024 - len(HEADER))),
    "binary": Case(binary_bytes()),
    "roomtitle-10000-rows": Case(room_rows(10000)),
    "roomtitle-rows-of-7-fields": Case(room_rows(30, fields=7)),
    "root-5000-ids": Case(block("ROOT^" + "^".join("user%d" % i for i in range(5000)))),
    "room-numbers-out-of-range": Case(room_rows(3, number=lambda i: (-1, 66, 2 ** 31)[i])),
    "joinorder-in-room": Case(block("JOINORDER^YES^StarCraft^1") + block("JOINORDER^YES^StarCraft^1"),
                              joining=True),
    "memo-flood": Case(b"".join(block("SEND_MAIL^lee^memo %d" % i) for i in range(200))),
    "closed-mid-block": Case(HEADER + "[lee] 반쯤 온 줄".encode(ENCODING)[:10], close=True),
    "never-speaks": Case(silent=True),
}


def serve(case, port):
    listener = socket.create_server(("127.0.0.1", port))
    print("listening on port %d" % listener.getsockname()[1], flush=True)
    client, _ = listener.accept()
    login = client.recv(BLOCK_SIZE)
    print("client:", login.rstrip(b"\0").decode(ENCODING, "replace"), flush=True)
    if case.silent:
        while client.recv(BLOCK_SIZE):
            pass
        return
    client.sendall(block("IDORDER^OK") + case.payload)
    if case.close:
        client.close()
        return
    while data := client.recv(BLOCK_SIZE):
        print("client:", data.rstrip(b"\0").decode(ENCODING, "replace"), flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("case", nargs="?", choices=sorted(CASES))
    parser.add_argument("--port", type=int, default=9400)
    parser.add_argument("--list", action="store_true")
    options = parser.parse_args()
    if options.list or not options.case:
        print("\n".join(sorted(CASES)))
        return 0
    serve(CASES[options.case], options.port)
    return 0


if __name__ == "__main__":
    sys.exit(main())
