"""The updater as its end-to-end tests see it: its progress window's title and the loopback
FTP server it fetches from (the updater always asks port 21 of the address in [FTPADDR])."""

import threading
import time
from pathlib import Path

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

FTP_PORT = 21
TITLE = "프로그램을 업그레이드 하고있습니다... "
FILE_TEXT = 1000  # "<name>를 복사합니다"
# The question whether to take the new version.
OFFER_CAPTION = "알림"
OK, CANCEL = 1, 2


class RecordingHandler(FTPHandler):
    """Reads commands as CP949, as the updater writes them (the files here have ordinary
    Unicode names), records every command and the names it is asked to send with the
    transfer type of each, and may take its time with each file."""

    retrieved = []
    types = {}
    commands = []
    delay = 0

    def decode(self, line):
        return line.decode("cp949", self.unicode_errors)

    def pre_process_command(self, line, cmd, arg):
        self.commands.append((cmd, arg))
        return super().pre_process_command(line, cmd, arg)

    def ftp_RETR(self, file):
        self.retrieved.append(Path(file).name)
        self.types[Path(file).name] = self._current_type
        # The whole server waits; it has one client.
        time.sleep(self.delay)
        return super().ftp_RETR(file)


class UpdateServer:
    """An anonymous FTP server on address, port 21, serving root in a thread of its own, that
    waits delay seconds before each file it sends; without anonymous it lets nobody in.
    behaviour is its handler class, a RecordingHandler."""

    def __init__(self, root, address, delay=0, anonymous=True, behaviour=RecordingHandler):
        authorizer = DummyAuthorizer()
        if anonymous:
            authorizer.add_anonymous(str(root))
        self.handler = type("Handler", (behaviour,), {"authorizer": authorizer, "retrieved": [], "types": {},
                                                              "commands": [], "delay": delay})
        self._server = FTPServer((address, FTP_PORT), self.handler)
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._serve, daemon=True)
        self._thread.start()

    def _serve(self):
        while not self._stop.is_set():
            self._server.serve_forever(timeout=0.02, blocking=False, handle_exit=False)
        self._server.close_all()

    def retrieved(self):
        return list(self.handler.retrieved)

    def transfer_type(self, name):
        """'a' for a text transfer, 'i' for a binary one."""
        return self.handler.types[name]

    def commands(self, *names):
        return [(cmd, arg) for cmd, arg in self.handler.commands if cmd in names]

    def stop(self):
        self._stop.set()
        self._thread.join(10)
