"""How fast the lobby client takes a flood of server traffic under Wine: the scripted chat server
sends 2,000 chat lines and 200 room lists as fast as it can, and the time runs until the last chat
line is shown. Every line must be there, in order."""

import argparse
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from chat_peer import ChatPeer  # noqa: E402
from lobby import CHAT_LIST, ROOM_LIST, Lobby, point_at_chat_server  # noqa: E402
from winerig import Driver, DriverError, Program, WineSession  # noqa: E402

CHAT_LINES = 2000
ROOM_LISTS = int(__import__("os").environ.get("BENCH_ROOM_LISTS", 200))


def room_list(round_number):
    rows = []
    for room in range(5):
        rows += ["방%d-%d" % (round_number, room), str(room), "0", "1", "4", "StarCraft", "YES", "-"]
    rows[-1] = "[END]"
    return "ROOMTITLE^" + "^".join(rows)


def traffic():
    messages = []
    for line in range(1, CHAT_LINES + 1):
        messages.append("[bench] line %d 채팅" % line)
        if ROOM_LISTS and line % (CHAT_LINES // ROOM_LISTS) == 0:
            messages.append(room_list(line))
    return messages


def busy_count(driver, control):
    """The item count, or -1 while the program is too busy to answer."""
    try:
        return driver.count(control)
    except DriverError:
        return -1


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", type=Path, default=ROOT / "build" / "win32")
    args = parser.parse_args()
    build = args.build.resolve()
    output = build / "bench-output"
    output.mkdir(parents=True, exist_ok=True)

    with tempfile.TemporaryDirectory(prefix="bench-lobby-") as scratch:
        install = Path(scratch) / "program"
        subprocess.run(["cmake", "--install", str(build), "--prefix", str(install)], check=True,
                       stdout=subprocess.DEVNULL)
        peer = ChatPeer()
        point_at_chat_server(install, peer.port)
        session = WineSession(output / "session", build / "tools" / "uidriver" / "uidriver.exe").start()
        try:
            driver = Driver(session, output)
            program = driver.watch(Program(session, install, "Client.exe", log_path=output / "Client.log"))
            lobby = Lobby(driver, program)
            lobby.log_in_at(peer, "bench")
            chat = lobby.control(CHAT_LIST)
            already = driver.count(chat)
            expected = ["[bench] line %d 채팅" % line for line in range(1, CHAT_LINES + 1)]

            started = time.monotonic()
            peer.send(*traffic())
            sent = time.monotonic() - started
            driver.wait_for(lambda: busy_count(driver, chat), lambda count: count >= already + CHAT_LINES, timeout=120)
            elapsed = time.monotonic() - started
            items = driver.command("list-box", chat, answer_within=60)["items"]
            rooms = driver.list_view(lobby.control(ROOM_LIST))["rows"]
            shown = items[already:]
            missing = len(expected) - sum(1 for line in expected if line in set(shown))
            print("sent %d messages in %.2f s; the client showed the last chat line after %.2f s"
                  % (CHAT_LINES + ROOM_LISTS, sent, elapsed))
            print("%.0f messages/s through the window; chat lines missing: %d; in order: %s; rooms shown: %d"
                  % ((CHAT_LINES + ROOM_LISTS) / elapsed, missing, shown == expected, len(rooms)))
            program.stop()
            driver.close()
            return 0 if missing == 0 and shown == expected else 1
        finally:
            session.stop()
            peer.stop()
            shutil.rmtree(output / "session", ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
