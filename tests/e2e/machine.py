"""What the programs find on the machine outside their own directory: the registry of the
Wine prefix and stand-in programs that record how they were started."""

import os
import re
import subprocess
import tempfile
import time
from pathlib import Path

from winerig import PATIENCE

BATTLE_NET_KEY = r"HKLM\Software\Battle.net\Configuration"
STARCRAFT_KEY = r"HKLM\Software\Blizzard Entertainment\Starcraft"


class Registry:
    """The prefix's registry through Wine's reg, in the 32-bit view the program sees."""

    def __init__(self, session, log_dir):
        self.session = session
        self.log_dir = Path(log_dir)

    def _reg(self, *args):
        # Wine's output goes to a file, never to a pipe read to its end.
        with tempfile.TemporaryFile(dir=self.log_dir) as output:
            result = subprocess.run(["wine", "reg", *args], env=self.session.env(), stdin=subprocess.DEVNULL,
                                    stdout=output, stderr=subprocess.STDOUT, timeout=60, check=False)
            output.seek(0)
            return result.returncode, output.read().decode("cp949", errors="replace")

    def delete_key(self, key):
        self._reg("delete", key, "/f")

    def add_key(self, key):
        code, output = self._reg("add", key, "/f")
        assert code == 0, output

    def set_value(self, key, name, kind, data):
        code, output = self._reg("add", key, "/v", name, "/t", kind, "/d", str(data), "/f")
        assert code == 0, output

    def value(self, key, name):
        """(type, data) of a value as reg shows it, or None when it is missing."""
        code, output = self._reg("query", key, "/v", name)
        if code != 0:
            return None
        for line in output.splitlines():
            match = re.match(r"^\s+%s\s+(REG_\w+)\s?(.*)$" % re.escape(name), line.rstrip("\r"))
            if match:
                return match.group(1), match.group(2).strip()
        return None


class StandinProgram:
    """A copy of the stand-in program under a name of the test's choice; each start adds a
    line to its record: the command line, then the current directory, tab-separated."""

    def __init__(self, session, folder, name="StarCraft.exe"):
        source = Path(os.environ.get("E2E_STANDIN_PROGRAM",
                                     session.uidriver.parent.parent / "standin_program" / "standin_program.exe"))
        folder.mkdir(parents=True, exist_ok=True)
        self.exe = folder / name
        self.exe.write_bytes(source.read_bytes())
        self.record = folder / (Path(name).stem + ".started")
        self.windows_path = session.windows_path(self.exe)

    def starts(self):
        if not self.record.exists():
            return []
        return [line.split("\t") for line in self.record.read_text(encoding="utf-8").splitlines()]

    def wait_starts(self, count, timeout=PATIENCE):
        deadline = time.monotonic() + timeout
        while len(self.starts()) < count and time.monotonic() < deadline:
            time.sleep(0.05)
        return self.starts()
