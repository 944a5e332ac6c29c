"""Start-up time of the lobby client beside that of our minimal dialog program, under the
same Wine: from starting the program until its window exists (and, for the lobby, until its ID
prompt), several runs each, alternating.
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
        }
        session = WineSession(output / "session", build / "tools" / "uidriver" / "uidriver.exe").start()
        try:
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

    client = statistics.median(times["Client.exe"])
    minimal_median = statistics.median(times["MinimalDialog.exe"])
    for name, values in times.items():
        print("%-22s median %.3f s  (%s)" % (name, statistics.median(values), " ".join("%.3f" % v for v in values)))
    ratio = client / minimal_median
    print("ratio Client/MinimalDialog: %.2f (goal: at most %.1f) %s" % (ratio, GOAL, "met" if ratio <= GOAL else "MISSED"))
    return 0 if ratio <= GOAL else 1


if __name__ == "__main__":
    sys.exit(main())
