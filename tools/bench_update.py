#!/usr/bin/python3
"""Times an update of 50 files of 1 MiB from a loopback FTP server under Wine.

    tools/bench_update.py [--build build/win32] [--files 50] [--rounds 5]

In the same run and the same Wine, it times three ways of getting the files:
  updater  Update.exe from the user's OK to its word in EndTransfer.ini: the
           change list, every file fetched with its fresh size check, copied
           into place, the download directory removed (and the procedure's
           fixed 300 ms start delay);
  floor    bench_wininet.exe, the same fetches with the Windows Internet
           functions and nothing else: the floor of this design here;
  curl     one curl process fetching the same files, for context.
It prints the best and the median round of each and the ratio of the best
updater round to the best floor round (the machine's other work only ever adds
time); the goal is at most 1.5. The updater connects to the FTP port 21 of [FTPADDR], so the
run takes a private network namespace of its own (needs root).
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
import winerig  # noqa: E402

NAMESPACE_MARK = "BENCH_UPDATE_PRIVATE_NETWORK"
FILE_SIZE = 1 << 20
GOAL = 1.5


def private_network():
    """Runs this script again inside its own network namespace, loopback up."""
    if os.environ.get(NAMESPACE_MARK):
        subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
        return
    env = dict(os.environ, **{NAMESPACE_MARK: "1"})
    sys.exit(subprocess.run(["unshare", "-n", sys.executable, *sys.argv], env=env).returncode)


def build(build_dir):
    subprocess.run(["cmake", "--build", str(build_dir), "--target", "Update", "uidriver", "bench_wininet",
                    "update_artwork"], check=True, stdout=subprocess.DEVNULL)


def make_server_files(root, names):
    updates = root / "vorlo"
    updates.mkdir(parents=True)
    (updates / "version.ini").write_text("2000.01.01\n[CONTENT]\nbenchmark\n")
    (updates / "change.ini").write_text("[NUMBER] %d\n[UTIL]\n%s\n" % (len(names), "\n".join(names)))
    for name in names:
        (updates / name).write_bytes(os.urandom(FILE_SIZE))


def make_installation(app, build_dir):
    (app / "config").mkdir(parents=True)
    (app / "media").mkdir()
    shutil.copy(build_dir / "update" / "win32" / "Update.exe", app)
    shutil.copy(build_dir / "update" / "win32" / "filecopy.avi", app / "media")
    (app / "config" / "position.ini").write_text("[FTPADDR] 127 0 0 1\n")


def reset_installation(app):
    (app / "config" / "version.ini").write_text("1999.12.31\n")
    (app / "config" / "EndTransfer.ini").write_bytes(bytes(10))
    shutil.rmtree(app / "util", ignore_errors=True)


def time_updater(session, driver, app, names):
    reset_installation(app)
    program = driver.watch(winerig.Program(session, app, "Update.exe"))
    try:
        box = driver.find_message_box(timeout=30)
        word_file = app / "config" / "EndTransfer.ini"
        start = time.monotonic()
        driver.press(box["hwnd"], 1)
        while word_file.read_bytes().strip(b"\0") == b"":
            time.sleep(0.005)
        elapsed = time.monotonic() - start
        program.wait_exit(30)
    finally:
        program.stop()
        driver.watched.remove(program)
    installed = sorted(p.name for p in (app / "util").iterdir()) if (app / "util").exists() else []
    if word_file.read_bytes() != b"UPDATE" or installed != sorted(names):
        raise SystemExit("the updater did not install the files; see %s" % app)
    return elapsed


def time_floor(session, build_dir, work, names):
    target = work / "floor"
    shutil.rmtree(target, ignore_errors=True)
    target.mkdir()
    result = subprocess.run(["wine", str(build_dir / "tools" / "bench_wininet" / "bench_wininet.exe"), "127.0.0.1",
                             "/vorlo", session.windows_path(target), *names],
                            env=session.env(), stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=300)
    if result.returncode != 0:
        raise SystemExit("bench_wininet failed: " + result.stderr)
    return float(result.stdout.split()[-1])


def time_curl(work, names):
    target = work / "curl"
    shutil.rmtree(target, ignore_errors=True)
    target.mkdir()
    command = ["curl", "-s", "-S", "--ftp-port", "-"]
    for name in names:
        command += ["ftp://127.0.0.1/vorlo/" + name, "-o", str(target / name)]
    start = time.monotonic()
    subprocess.run(command, check=True)
    return time.monotonic() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build/win32", help="a configured win32 build folder")
    parser.add_argument("--files", type=int, default=50)
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()
    private_network()

    build_dir = (ROOT / args.build).resolve()
    build(build_dir)
    work = Path(tempfile.mkdtemp(prefix="bench-update-"))
    names = ["file%02d.dll" % i for i in range(args.files)]
    make_server_files(work / "ftp", names)
    app = work / "app"
    make_installation(app, build_dir)

    log = open(work / "ftp.log", "wb")
    server = subprocess.Popen(["/usr/bin/python3", "-m", "pyftpdlib", "-p", "21", "-i", "127.0.0.1",
                               "-d", str(work / "ftp")], stdout=log, stderr=log)
    session = winerig.WineSession(work / "wine", build_dir / "tools" / "uidriver" / "uidriver.exe")
    times = {"updater": [], "floor": [], "curl": []}
    try:
        session.start()
        driver = winerig.Driver(session, work / "wine")
        try:
            for _ in range(args.rounds):
                times["floor"].append(time_floor(session, build_dir, work, names))
                times["updater"].append(time_updater(session, driver, app, names))
                times["curl"].append(time_curl(work, names))
        finally:
            driver.close()
    finally:
        session.stop()
        server.terminate()
        server.wait()
        log.close()

    print("%d files of %d KiB, %d rounds: best, median (every round)" % (args.files, FILE_SIZE // 1024, args.rounds))
    for name, values in times.items():
        print("  %-8s %7.3f s %7.3f s   (%s)" % (name, min(values), statistics.median(values),
                                               ", ".join("%.3f" % v for v in values)))
    ratio = min(times["updater"]) / min(times["floor"])
    print("updater / floor: %.2f (goal at most %.1f)" % (ratio, GOAL))
    shutil.rmtree(work, ignore_errors=True)
    return 0 if ratio <= GOAL else 1


if __name__ == "__main__":
    sys.exit(main())
