"""Start-up time of the lobby client and of the connector beside that of our minimal dialog
program, under the same Wine: from starting the program until its window exists (and, for the
lobby, until its ID prompt), several runs each, alternating. The connector runs with the
stand-in RAS beside it and ten access items.
Reuses the end-to-end rig (tests/e2e/winerig.py) for the prefix, display and driver."""

import argparse
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from connector import use_standin_ras  # noqa: E402
from machine import Registry  # noqa: E402
from winerig import Driver, Program, WineSession  # noqa: E402

GOAL = 1.5


def time_start(session, driver, directory, exe, title, log_path):
    started = time.monotonic()
    program = Program(session, directory, exe, log_path=log_path)
    try:
        window = driver.find_window(title, timeout=30)
        seconds = time.monotonic() - started
    finally:
        program.stop()
    driver.wait_gone(window["hwnd"])  # the next run must not find this run's window
    return seconds


def prepare_connector(session, build, install, log_dir):
    """Pondial.exe with the stand-in rasapi32.dll beside it, preferred by Wine, and ten items."""
    use_standin_ras(Registry(session, log_dir), install, build / "tools" / "standin_ras" / "rasapi32.dll")
    items = "".join("항목%d^game^접속합니다.^Client.exe\r\n" % n for n in range(1, 11))
    (Path(install) / "config" / "filelist.ini").write_bytes(items.encode("cp949"))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", type=Path, default=ROOT / "build" / "win32")
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    build = args.build.resolve()
    output = build / "bench-output"
    output.mkdir(parents=True, exist_ok=True)

    with tempfile.TemporaryDirectory(prefix="bench-install-") as install:
        subprocess.run(["cmake", "--install", str(build), "--prefix", install], check=True,
                       stdout=subprocess.DEVNULL)
        minimal = build / "tools" / "bench" / "MinimalDialog.exe"
        candidates = {
            "Client.exe": (install, "Client.exe", "다락 게임방"),
            "MinimalDialog.exe": (str(minimal.parent), minimal.name, "최소 대화상자"),
            # The lobby asks for the ID by itself, half a second after its window shows.
            "Client.exe ID prompt": (install, "Client.exe", "아이디 입력"),
            "Pondial.exe": (install, "Pondial.exe", "Lumanet"),
        }
        session = WineSession(output / "session", build / "tools" / "uidriver" / "uidriver.exe").start()
        try:
            prepare_connector(session, build, install, output)
            driver = Driver(session, output)
            times = {name: [] for name in candidates}
            for run in range(args.runs + 1):
                for name, (directory, exe, title) in candidates.items():
                    seconds = time_start(session, driver, directory, exe, title, output / (exe + ".log"))
                    if run > 0:  # the first round only warms Wine's caches
                        times[name].append(seconds)
            driver.close()
        finally:
            session.stop()

    minimal_median = statistics.median(times["MinimalDialog.exe"])
    for name, values in times.items():
        print("%-22s median %.3f s  (%s)" % (name, statistics.median(values), " ".join("%.3f" % v for v in values)))
    met = True
    for program in ("Client.exe", "Pondial.exe"):
        ratio = statistics.median(times[program]) / minimal_median
        met = met and ratio <= GOAL
        print("ratio %s/MinimalDialog: %.2f (goal: at most %.1f) %s" % (program[:-4], ratio, GOAL,
                                                                         "met" if ratio <= GOAL else "MISSED"))
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
